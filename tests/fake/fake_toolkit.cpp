#include "tests/fake/fake_toolkit.h"

#include <algorithm>
#include <stdexcept>

#include "platform/event_dispatch.h"
#include "platform/mouse_messages.h"

namespace tarnwick::fake {

namespace {

const char* DimName(Dim dim) {
    switch (dim) {
        case Dim::Left:
            return "Left";
        case Dim::Top:
            return "Top";
        case Dim::Width:
            return "Width";
        default:
            return "Height";
    }
}

std::string Quoted(std::wstring_view text) {
    return "\"" + Utf8(text) + "\"";
}

}  // namespace

FakeForm::FakeForm(const FormDesign& design, FormEvents& events, CallLog& log, Hwnd hwnd)
    : name_(design.name), events_(events), log_(log), hwnd_(hwnd) {
    Control& self = controls_[kThisForm];
    self.name = name_;
    self.caption = design.caption;
    self.geometry[2] = design.clientWidth + frameWidth;
    self.geometry[3] = design.clientHeight + frameHeight;
    for (const ControlDesign& c : design.controls) {
        Control& control = controls_[c.id];
        control.name = c.name;
        control.caption = c.caption;
        control.geometry[0] = c.left;
        control.geometry[1] = c.top;
        control.geometry[2] = c.width;
        control.geometry[3] = c.height;
    }
    for (const MenuItemDesign& m : design.menu) {
        Control& item = controls_[m.id];
        item.name = m.name;
        item.caption = m.caption;
    }
    for (const KeyCommandDesign& k : design.keys) {
        controls_[k.id].name = k.name;
    }
}

FakeForm::~FakeForm() {
    if (onDestroyed) {
        onDestroyed(this);
    }
}

FakeForm::Control& FakeForm::At(ControlId control) {
    const auto found = controls_.find(control);
    if (found == controls_.end()) {
        throw std::out_of_range("no control " + std::to_string(control) + " on " + name_);
    }
    return found->second;
}

const FakeForm::Control& FakeForm::At(ControlId control) const {
    return const_cast<FakeForm*>(this)->At(control);
}

void FakeForm::Record(const std::string& call) {
    log_.Record(call);
}

void FakeForm::FireResize() {
    RaiseEvent("Resize", [&] { events_.Resize(); });
}
void FakeForm::FireClick(ControlId control) {
    RaiseEvent("Click", [&] { events_.Click(control); });
}
void FakeForm::FireMouseDown(ControlId control) {
    RaiseEvent("MouseDown", [&] { events_.MouseDown(control, {}); });
}
void FakeForm::FireMouseUp(ControlId control) {
    RaiseEvent("MouseUp", [&] { events_.MouseUp(control, {}); });
}
void FakeForm::FireDblClick(ControlId control) {
    RaiseEvent("DblClick", [&] { events_.DblClick(control); });
}
void FakeForm::FireHotkey(ControlId id) {
    RaiseEvent("Hotkey", [&] { events_.Hotkey(id); });
}
void FakeForm::FirePressMessage(ControlId control, std::uint32_t message) {
    MouseArgs args;
    args.button = PressedButton(message);
    if (args.button != 0) {
        RaiseEvent("MouseDown", [&] { events_.MouseDown(control, args); });
    }
}
void FakeForm::FireTimer(ControlId control) {
    RaiseEvent("Timer", [&] { events_.Timer(control); });
}
void FakeForm::FireContextMenu(ControlId control, const ContextMenuArgs& args) {
    RaiseEvent("ContextMenu", [&] { events_.ContextMenu(control, args); });
}
void FakeForm::FireClose() {
    Record(name_ + " closed through its frame");
    Unload();
}
void FakeForm::FireDpiChanged(int newDpi, const Rect& suggested) {
    Record(name_ + " DPI changed to " + std::to_string(newDpi));
    dpi = newDpi;
    float* outer = At(kThisForm).geometry;
    outer[0] = PixelsToTwips(suggested.left, systemDpi);
    outer[1] = PixelsToTwips(suggested.top, systemDpi);
    outer[2] = PixelsToTwips(suggested.right - suggested.left, dpi);
    outer[3] = PixelsToTwips(suggested.bottom - suggested.top, dpi);
    FireResize();
}
bool FakeForm::FireQueryEndSession() {
    Record(name_ + " asked whether the session may end");
    return true;
}
void FakeForm::FireEndSession(bool ending) {
    Record(name_ + (ending ? " told the session ends" : " told the session goes on"));
    if (ending) {
        Unload();
    }
}

float FakeForm::Peek(ControlId control, Dim dim) const {
    return At(control).geometry[static_cast<int>(dim)];
}
Rect FakeForm::PeekPixels(ControlId control) const {
    const float* twips = At(control).geometry;
    const int placeDpi = control == kThisForm ? systemDpi : dpi;
    const int left = TwipsToPixels(twips[0], placeDpi);
    const int top = TwipsToPixels(twips[1], placeDpi);
    return {left, top, left + TwipsToPixels(twips[2], dpi), top + TwipsToPixels(twips[3], dpi)};
}
std::wstring FakeForm::PeekCaption(ControlId control) const {
    return At(control).caption;
}
std::wstring FakeForm::PeekToolTip(ControlId control) const {
    return At(control).toolTip;
}
bool FakeForm::PeekVisible(ControlId control) const {
    return At(control).visible;
}
bool FakeForm::PeekChecked(ControlId control) const {
    return At(control).checked;
}
std::int16_t FakeForm::PeekMousePointer(ControlId control) const {
    return At(control).mousePointer;
}

void FakeForm::Load() {
    Record(name_ + ".Load()");
    RaiseEvent("Load", [&] { events_.Load(); });
}

float FakeForm::Get(ControlId control, Dim dim) {
    Record("Get(" + At(control).name + ", " + DimName(dim) + ")");
    return Peek(control, dim);
}

void FakeForm::Set(ControlId control, Dim dim, float twips) {
    Record("Set(" + At(control).name + ", " + DimName(dim) + ", " + Num(twips) + ")");
    float& value = At(control).geometry[static_cast<int>(dim)];
    const bool resized =
        control == kThisForm && (dim == Dim::Width || dim == Dim::Height) && value != twips;
    value = twips;
    // As with a real window, a change of size raises Resize before the call returns.
    if (resized && everShown_) {
        FireResize();
    }
}

float FakeForm::ScaleWidth() {
    Record("ScaleWidth()");
    return Peek(kThisForm, Dim::Width) - frameWidth;
}

float FakeForm::ScaleHeight() {
    Record("ScaleHeight()");
    return Peek(kThisForm, Dim::Height) - frameHeight;
}

std::int16_t FakeForm::WindowState() {
    Record("WindowState()");
    return windowState;
}

Hwnd FakeForm::hWnd() {
    return hwnd_;
}

void FakeForm::Hide() {
    Record(name_ + ".Hide()");
    shown_ = false;
}

void FakeForm::Show() {
    Record(name_ + ".Show()");
    shown_ = true;
    if (!everShown_) {
        everShown_ = true;
        FireResize();
    }
}

void FakeForm::ShowModal() {
    Record(name_ + ".ShowModal()");
    shown_ = true;
    everShown_ = true;
    if (whileModal) {
        whileModal();
    }
    Record(name_ + ".ShowModal() returns");
}

void FakeForm::ZOrder() {
    Record(name_ + ".ZOrder()");
}

void FakeForm::Unload() {
    if (unloaded_) {
        return;
    }
    Record(name_ + ".Unload()");
    unloaded_ = true;
    RaiseEvent("Unload", [&] { events_.Unload(); });
    shown_ = false;
}

std::wstring FakeForm::Caption(ControlId control) {
    Record("Caption(" + At(control).name + ")");
    return At(control).caption;
}

void FakeForm::SetCaption(ControlId control, std::wstring_view text) {
    Record("SetCaption(" + At(control).name + ", " + Quoted(text) + ")");
    At(control).caption = text;
}

void FakeForm::SetToolTipText(ControlId control, std::wstring_view text) {
    Record("SetToolTipText(" + At(control).name + ", " + Quoted(text) + ")");
    At(control).toolTip = text;
}

void FakeForm::SetVisible(ControlId control, bool visible) {
    Record("SetVisible(" + At(control).name + ", " + (visible ? "true" : "false") + ")");
    At(control).visible = visible;
}

void FakeForm::SetMousePointer(ControlId control, std::int16_t pointer) {
    Record("SetMousePointer(" + At(control).name + ", " + Num(pointer) + ")");
    At(control).mousePointer = pointer;
}

bool FakeForm::Checked(ControlId menuItem) {
    Record("Checked(" + At(menuItem).name + ")");
    return At(menuItem).checked;
}

void FakeForm::SetChecked(ControlId menuItem, bool checked) {
    Record("SetChecked(" + At(menuItem).name + ", " + (checked ? "true" : "false") + ")");
    At(menuItem).checked = checked;
}

ColorRef FakeForm::Color(ControlId dialog) {
    Record("Color(" + At(dialog).name + ")");
    return At(dialog).color;
}

void FakeForm::SetColor(ControlId dialog, ColorRef color) {
    Record("SetColor(" + At(dialog).name + ", " + Num(color) + ")");
    At(dialog).color = color;
}

std::int32_t FakeForm::ShowColor(ControlId dialog) {
    Record("ShowColor(" + At(dialog).name + ")");
    if (colorDialogThrows) {
        throw std::runtime_error("the colour dialog could not be shown");
    }
    if (colorDialogError == 0) {
        At(dialog).color = colorDialogChoice;
    }
    return colorDialogError;
}

bool FakeForm::RegisterHotKey(ControlId id, std::uint32_t modifiers, std::uint32_t key) {
    Record("RegisterHotKey(" + std::to_string(id) + ", " + std::to_string(modifiers) + ", " +
           std::to_string(key) + ")");
    if (std::find(keysTakenElsewhere.begin(), keysTakenElsewhere.end(), key) !=
        keysTakenElsewhere.end()) {
        return false;
    }
    hotkeys_.push_back(id);
    return true;
}

void FakeForm::UnregisterHotKey(ControlId id) {
    Record("UnregisterHotKey(" + std::to_string(id) + ")");
    hotkeys_.erase(std::remove(hotkeys_.begin(), hotkeys_.end(), id), hotkeys_.end());
}

bool FakeForm::HotkeyRegistered(ControlId id) const {
    return std::find(hotkeys_.begin(), hotkeys_.end(), id) != hotkeys_.end();
}

void FakeForm::SetListRows(ControlId list, std::span<const ListRow> rows) {
    Record("SetListRows(" + At(list).name + ", " + std::to_string(rows.size()) + " rows)");
    At(list).rows.assign(rows.begin(), rows.end());
}

std::vector<int> FakeForm::SelectedListRows(ControlId list) {
    Record("SelectedListRows(" + At(list).name + ")");
    return selectedRows;
}

void FakeForm::SelectAllListRows(ControlId list) {
    Record("SelectAllListRows(" + At(list).name + ")");
    selectedRows.clear();
    for (std::size_t row = 0; row < At(list).rows.size(); ++row) {
        selectedRows.push_back(static_cast<int>(row));
    }
}

FakeForm& FakeApplication::form(const std::string& name) {
    const auto found = forms_.find(name);
    if (found == forms_.end()) {
        throw std::out_of_range("no form " + name);
    }
    return *found->second;
}

std::unique_ptr<Form> FakeApplication::CreateForm(const FormDesign& design, FormEvents& events) {
    log_.Record("CreateForm(" + std::string(design.name) + ")");
    auto form = std::make_unique<FakeForm>(design, events, log_, nextHwnd_);
    nextHwnd_ += 0x10;
    forms_[std::string(design.name)] = form.get();
    form->onDestroyed = [this, name = std::string(design.name)](FakeForm* gone) {
        const auto found = forms_.find(name);
        if (found != forms_.end() && found->second == gone) {
            forms_.erase(found);
        }
    };
    if (onCreateForm) {
        onCreateForm(std::string(design.name), *form);
    }
    return form;
}

std::wstring FakeApplication::Path() {
    log_.Record("App.Path");
    return path;
}

std::wstring FakeApplication::HelpFile() {
    log_.Record("App.HelpFile");
    return helpFile_;
}

void FakeApplication::SetHelpFile(std::wstring_view helpFile) {
    log_.Record("App.HelpFile = " + Quoted(helpFile));
    helpFile_ = helpFile;
}

VersionNumbers FakeApplication::Version() {
    log_.Record("App.Version");
    return version;
}

float FakeApplication::ScreenWidth() {
    log_.Record("Screen.Width");
    return screenWidth;
}

float FakeApplication::ScreenHeight() {
    log_.Record("Screen.Height");
    return screenHeight;
}

void FakeApplication::End() {
    log_.Record("End()");
    ended = true;
}

}  // namespace tarnwick::fake
