#include "platform/win32/win32_form.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/event_dispatch.h"
#include "platform/mouse_messages.h"
#include "platform/win32/artwork.h"
#include "platform/win32/restore_rect.h"
#include "platform/win32/screen_units.h"
#include "platform/win32/win32_application.h"
#include "platform/win32/win32_failure.h"

namespace tarnwick::win32 {

namespace {

constexpr wchar_t kPanelClass[] = L"Tarnwick.Panel";
// Posted to a form that was activated while a modal form holds it off.
constexpr UINT kPassActivation = WM_APP + 1;

std::size_t Index(Dim dim) {
    return static_cast<std::size_t>(dim);
}

std::wstring ClassNameOf(const FormDesign& design) {
    return L"Tarnwick." + std::wstring(design.name.begin(), design.name.end());
}

DWORD FormStyle(const FormDesign& design) {
    const DWORD frame = design.sizable ? WS_OVERLAPPEDWINDOW
                                       : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    return frame | WS_CLIPCHILDREN;
}

// Labels, the panel and the images paint on the dialog face, as the form does.
LRESULT ColorStatic(WPARAM dc) {
    ::SetBkColor(reinterpret_cast<HDC>(dc), ::GetSysColor(COLOR_BTNFACE));
    ::SetTextColor(reinterpret_cast<HDC>(dc), ::GetSysColor(COLOR_BTNTEXT));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

// The container panel hands what its children report on to the form.
LRESULT CALLBACK PanelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
            return ::SendMessageW(::GetParent(hwnd), message, wParam, lParam);
        default:
            return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void RegisterClassOnce(const wchar_t* name, WNDPROC proc, HICON icon, HICON smallIcon) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (::GetClassInfoExW(::GetModuleHandleW(nullptr), name, &wc)) {
        return;
    }
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    if (!::RegisterClassExW(&wc)) {
        throw Win32Failure("cannot register a window class");
    }
}

// The accelerator of a key command: "F1" to "F12", or "Ctrl+" and a letter or digit.
bool AcceleratorFor(std::wstring_view key, WORD command, ACCEL& accelerator) {
    BYTE flags = FVIRTKEY;
    constexpr std::wstring_view kCtrl = L"Ctrl+";
    if (key.starts_with(kCtrl)) {
        flags = static_cast<BYTE>(flags | FCONTROL);
        key.remove_prefix(kCtrl.size());
    }
    const auto digit = [](wchar_t c) { return c >= L'0' && c <= L'9'; };
    WORD virtualKey = 0;
    if (key.size() == 1 && ((key[0] >= L'A' && key[0] <= L'Z') || digit(key[0]))) {
        virtualKey = key[0];
    } else if (key == L"F10" || key == L"F11" || key == L"F12") {
        virtualKey = static_cast<WORD>(VK_F10 + (key[2] - L'0'));
    } else if (key.size() == 2 && key[0] == L'F' && key[1] >= L'1' && key[1] <= L'9') {
        virtualKey = static_cast<WORD>(VK_F1 + (key[1] - L'1'));
    }
    if (virtualKey == 0) {
        return false;
    }
    accelerator = {flags, virtualKey, command};
    return true;
}

bool SameFont(const FontDesign& a, const FontDesign& b) {
    return a.face == b.face && a.points == b.points && a.bold == b.bold;
}

}  // namespace

Win32Form::Win32Form(const FormDesign& design, FormEvents& events, Win32Application& app,
                     HWND mainWindow)
    : design_(design), events_(events), app_(app), main_(mainWindow) {
    const std::wstring className = ClassNameOf(design);
    RegisterClassOnce(className.c_str(), FormProc, WindowIcon(), SmallWindowIcon());
    RegisterClassOnce(kPanelClass, PanelProc, nullptr, nullptr);

    CreateMenuBar();
    const DWORD style = FormStyle(design);
    RECT outer{0, 0, TwipsToPixels(design.clientWidth), TwipsToPixels(design.clientHeight)};
    ::AdjustWindowRectEx(&outer, style, menu_ != nullptr, 0);
    hwnd_ = ::CreateWindowExW(0, className.c_str(), std::wstring(design.caption).c_str(), style,
                              CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                              outer.bottom - outer.top, nullptr, menu_, ::GetModuleHandleW(nullptr),
                              this);
    if (hwnd_ == nullptr) {
        throw Win32Failure("cannot create the form's window");
    }
    const RECT placed = OuterPixels();
    formTwips_ = {PixelsToTwips(placed.left), PixelsToTwips(placed.top),
                  PixelsToTwips(placed.right - placed.left),
                  PixelsToTwips(placed.bottom - placed.top)};

    // The tooltip window makes itself topmost; owned by the form it would keep the form out of
    // the topmost band on some systems, so it has no owner and goes with the form by hand.
    toolTip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
    CreateControls();
    app_.Register(*this);
}

Win32Form::~Win32Form() {
    app_.Unregister(*this);
    EndModal();
    ::DestroyWindow(toolTip_);
    ::DestroyWindow(hwnd_);
    if (accelerators_ != nullptr) {
        ::DestroyAcceleratorTable(accelerators_);
    }
    for (const auto& [design, font] : fonts_) {
        ::DeleteObject(font);
    }
}

HFONT Win32Form::FontFor(const FontDesign& font) {
    for (const auto& [design, handle] : fonts_) {
        if (SameFont(design, font)) {
            return handle;
        }
    }
    const int height = -static_cast<int>(std::lround(font.points * 20.0f / TwipsPerPixel()));
    const HFONT handle =
        ::CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      DEFAULT_PITCH | FF_SWISS, std::wstring(font.face).c_str());
    fonts_.emplace_back(font, handle);
    return handle;
}

HWND Win32Form::ContainerOf(const ControlDesign& design) {
    return design.container == kThisForm ? hwnd_ : At(design.container).hwnd;
}

void Win32Form::CreateControls() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    for (const ControlDesign& design : design_.controls) {
        Control& control = controls_[design.id];
        control.design = &design;
        control.twips = {design.left, design.top, design.width, design.height};
        const auto menuId = reinterpret_cast<HMENU>(static_cast<std::intptr_t>(design.id));
        const DWORD tabStop = design.tabIndex >= 0 ? WS_TABSTOP : 0;
        const std::wstring caption(design.caption);
        switch (design.kind) {
            case ControlKind::Panel:
                control.hwnd = ::CreateWindowExW(WS_EX_CLIENTEDGE, kPanelClass, nullptr,
                                                 WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0,
                                                 0, ContainerOf(design), menuId, instance, nullptr);
                break;
            case ControlKind::Label:
                control.hwnd = ::CreateWindowExW(
                    0, L"STATIC", caption.c_str(),
                    WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS | SS_NOTIFY, 0, 0, 0,
                    0, ContainerOf(design), menuId, instance, nullptr);
                break;
            case ControlKind::Button:
                control.hwnd = ::CreateWindowExW(
                    0, L"BUTTON", caption.c_str(),
                    WS_CHILD | WS_VISIBLE | tabStop |
                        (design.id == design_.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                    0, 0, 0, 0, ContainerOf(design), menuId, instance, nullptr);
                break;
            case ControlKind::Image: {
                const bool icon = design.picture == Artwork::AppIcon;
                control.hwnd = ::CreateWindowExW(
                    0, L"STATIC", nullptr,
                    WS_CHILD | WS_VISIBLE | SS_NOTIFY | (icon ? SS_ICON : SS_BITMAP), 0, 0, 0, 0,
                    ContainerOf(design), menuId, instance, nullptr);
                if (icon) {
                    ::SendMessageW(control.hwnd, STM_SETICON, reinterpret_cast<WPARAM>(AppIcon(32)),
                                   0);
                } else if (design.picture == Artwork::TargetPicture) {
                    ::SendMessageW(control.hwnd, STM_SETIMAGE, IMAGE_BITMAP,
                                   reinterpret_cast<LPARAM>(TargetPicture()));
                }
                // The picture is shown at its own size: the control takes the picture's size.
                RECT own{};
                ::GetClientRect(control.hwnd, &own);
                control.twips[Index(Dim::Width)] = PixelsToTwips(own.right);
                control.twips[Index(Dim::Height)] = PixelsToTwips(own.bottom);
                ::SetWindowLongPtrW(control.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
                control.baseProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
                    control.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ImageProc)));
                break;
            }
            case ControlKind::Timer:
            case ControlKind::ColorDialog:
                continue;
        }
        if (control.hwnd == nullptr) {
            throw Win32Failure("cannot create a control");
        }
        ::SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(design.font)),
                       FALSE);
        PlaceControl(control);
    }
}

void Win32Form::CreateMenuBar() {
    if (design_.menu.empty() && design_.keys.empty()) {
        return;
    }
    menu_ = design_.menu.empty() ? nullptr : ::CreateMenu();
    std::map<ControlId, HMENU> popups;
    std::vector<ACCEL> accelerators;
    for (const MenuItemDesign& item : design_.menu) {
        const HMENU parent = item.parent == kThisForm ? menu_ : popups.at(item.parent);
        if (item.caption == L"-") {
            ::AppendMenuW(parent, MF_SEPARATOR, static_cast<UINT_PTR>(item.id), nullptr);
            continue;
        }
        std::wstring text(item.caption);
        if (!item.shortcut.empty()) {
            text += L"\t" + std::wstring(item.shortcut);
            if (item.shortcut == L"F1") {
                accelerators.push_back({FVIRTKEY, VK_F1, static_cast<WORD>(item.id)});
            }
        }
        if (item.parent == kThisForm) {
            const HMENU popup = ::CreatePopupMenu();
            popups[item.id] = popup;
            ::AppendMenuW(parent, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                          text.c_str());
        } else {
            ::AppendMenuW(parent, MF_STRING, static_cast<UINT_PTR>(item.id), text.c_str());
        }
    }
    for (const KeyCommandDesign& key : design_.keys) {
        ACCEL accelerator{};
        if (!AcceleratorFor(key.key, static_cast<WORD>(key.id), accelerator)) {
            throw Win32Failure("a key command with a key that has no accelerator");
        }
        accelerators.push_back(accelerator);
    }
    if (!accelerators.empty()) {
        accelerators_ =
            ::CreateAcceleratorTableW(accelerators.data(), static_cast<int>(accelerators.size()));
    }
}

Win32Form::Control& Win32Form::At(ControlId control) {
    const auto found = controls_.find(control);
    if (found == controls_.end()) {
        throw Win32Failure("no such control");
    }
    return found->second;
}

void Win32Form::PlaceControl(Control& control) {
    if (control.hwnd == nullptr) {
        return;
    }
    const auto& t = control.twips;
    ::MoveWindow(control.hwnd, TwipsToPixels(t[0]), TwipsToPixels(t[1]), TwipsToPixels(t[2]),
                 TwipsToPixels(t[3]), TRUE);
}

RECT Win32Form::OuterPixels() const {
    RECT rect{};
    // A minimised window reports where it will come back to, not its icon's place.
    if (::IsIconic(hwnd_) && RestoreRectOnScreen(hwnd_, rect)) {
        return rect;
    }
    ::GetWindowRect(hwnd_, &rect);
    return rect;
}

void Win32Form::Load() {
    for (const ControlDesign& design : design_.controls) {
        if (design.kind == ControlKind::Timer) {
            ::SetTimer(hwnd_, static_cast<UINT_PTR>(design.id), design.intervalMs, nullptr);
        }
    }
    loaded_ = true;
    RaiseEvent("Load", [&] { events_.Load(); });
}

float Win32Form::Get(ControlId control, Dim dim) {
    if (control != kThisForm) {
        return At(control).twips[Index(dim)];
    }
    const RECT r = OuterPixels();
    const int pixels[] = {r.left, r.top, r.right - r.left, r.bottom - r.top};
    // The window's place is the pixel it lies on. A place set between two pixels (a centred
    // window's half twip) would be saved as a fraction, which the whole-number read of the next
    // start cuts off, and the window would come back a pixel off.
    if (dim == Dim::Left || dim == Dim::Top) {
        return PixelsToTwips(pixels[Index(dim)]);
    }
    const float last = formTwips_[Index(dim)];
    // A size set stands while the window still has the pixels it gave; once the user or the
    // system has changed the size, its pixels tell.
    return TwipsToPixels(last) == pixels[Index(dim)] ? last : PixelsToTwips(pixels[Index(dim)]);
}

void Win32Form::Set(ControlId control, Dim dim, float twips) {
    if (control != kThisForm) {
        Control& c = At(control);
        c.twips[Index(dim)] = twips;
        PlaceControl(c);
        return;
    }
    const RECT r = OuterPixels();
    int pixels[] = {r.left, r.top, r.right - r.left, r.bottom - r.top};
    formTwips_[Index(dim)] = twips;
    pixels[Index(dim)] = TwipsToPixels(twips);
    const bool moving = dim == Dim::Left || dim == Dim::Top;
    ::SetWindowPos(hwnd_, nullptr, pixels[0], pixels[1], pixels[2], pixels[3],
                   SWP_NOZORDER | SWP_NOACTIVATE | (moving ? SWP_NOSIZE : SWP_NOMOVE));
}

float Win32Form::ScaleWidth() {
    RECT outer{};
    RECT client{};
    ::GetWindowRect(hwnd_, &outer);
    ::GetClientRect(hwnd_, &client);
    return Get(kThisForm, Dim::Width) -
           PixelsToTwips((outer.right - outer.left) - (client.right - client.left));
}

float Win32Form::ScaleHeight() {
    RECT outer{};
    RECT client{};
    ::GetWindowRect(hwnd_, &outer);
    ::GetClientRect(hwnd_, &client);
    return Get(kThisForm, Dim::Height) -
           PixelsToTwips((outer.bottom - outer.top) - (client.bottom - client.top));
}

std::int16_t Win32Form::WindowState() {
    if (::IsIconic(hwnd_)) {
        return 1;
    }
    return ::IsZoomed(hwnd_) ? 2 : 0;
}

Hwnd Win32Form::hWnd() {
    return FromHwnd(hwnd_);
}

void Win32Form::Hide() {
    ::ShowWindow(hwnd_, SW_HIDE);
}

void Win32Form::Show() {
    ::ShowWindow(hwnd_, SW_SHOW);
    if (!everShown_) {
        everShown_ = true;
        RaiseEvent("Resize", [&] { events_.Resize(); });
    }
}

void Win32Form::ShowModal() {
    if (main_ != nullptr) {
        modal_ = true;
        app_.SetModalWindow(hwnd_);
        ::EnableWindow(main_, FALSE);
        // In front of the main window, which a window outside the topmost band cannot be while
        // the main window is in it: the main window steps out of the band until this closes.
        const auto topmost = [](HWND window) {
            return (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        };
        if (topmost(main_) && !topmost(hwnd_)) {
            mainLeftTopmost_ = true;
            ::SetWindowPos(main_, HWND_NOTOPMOST, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    Show();
    ::SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetForegroundWindow(hwnd_);
    app_.RunMessageLoop([&] { return unloaded_; });
}

void Win32Form::EndModal() {
    if (!modal_) {
        return;
    }
    modal_ = false;
    app_.SetModalWindow(nullptr);
    ::EnableWindow(main_, TRUE);
    if (mainLeftTopmost_) {
        mainLeftTopmost_ = false;
        ::SetWindowPos(main_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void Win32Form::ZOrder() {
    ::SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32Form::Unload() {
    if (unloaded_) {
        return;
    }
    // Marked first: a close or a session end that arrives while the handler runs (a call that
    // waits lets sent messages in) must not run it a second time.
    unloaded_ = true;
    RaiseEvent("Unload", [&] { events_.Unload(); });
    // The main window takes input again and, when this form had the activation, gets it back:
    // with no owner, the system would hand it to whichever window lies next.
    const bool active = modal_ && ::GetForegroundWindow() == hwnd_;
    EndModal();
    ::ShowWindow(hwnd_, SW_HIDE);
    if (active) {
        ::SetForegroundWindow(main_);
    }
    if (main_ == nullptr) {
        // The start-up form is the program: once it is gone, the program ends.
        app_.End();
    }
}

std::wstring Win32Form::Caption(ControlId control) {
    const HWND window = control == kThisForm ? hwnd_ : At(control).hwnd;
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Win32Form::SetCaption(ControlId control, std::wstring_view text) {
    // The tick writes the heading twenty times a second, mostly unchanged: an unchanged text is
    // not set again, which would repaint the label each time.
    if (Caption(control) == text) {
        return;
    }
    const HWND window = control == kThisForm ? hwnd_ : At(control).hwnd;
    ::SetWindowTextW(window, std::wstring(text).c_str());
}

void Win32Form::SetToolTipText(ControlId control, std::wstring_view text) {
    Control& c = At(control);
    std::wstring tip(text);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd_;
    tool.uId = reinterpret_cast<UINT_PTR>(c.hwnd);
    tool.lpszText = tip.data();
    ::SendMessageW(toolTip_, c.hasToolTip ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
                   reinterpret_cast<LPARAM>(&tool));
    c.hasToolTip = true;
}

void Win32Form::SetVisible(ControlId control, bool visible) {
    ::ShowWindow(At(control).hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

void Win32Form::SetMousePointer(ControlId control, std::int16_t pointer) {
    Control& c = At(control);
    c.mousePointer = pointer;
    // While the mouse is captured no WM_SETCURSOR arrives: the pointer changes here and now.
    if (::GetCapture() == c.hwnd || c.pressedButton != 0) {
        ::SetCursor(pointer == kMousePointerCustom ? TargetPointer()
                                                   : ::LoadCursorW(nullptr, IDC_ARROW));
    }
}

bool Win32Form::Checked(ControlId menuItem) {
    return (::GetMenuState(menu_, static_cast<UINT>(menuItem), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void Win32Form::SetChecked(ControlId menuItem, bool checked) {
    ::CheckMenuItem(menu_, static_cast<UINT>(menuItem),
                    MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

ColorRef Win32Form::Color(ControlId dialog) {
    return At(dialog).color;
}

void Win32Form::SetColor(ControlId dialog, ColorRef color) {
    At(dialog).color = color;
}

std::int32_t Win32Form::ShowColor(ControlId dialog) {
    Control& c = At(dialog);
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = hwnd_;
    choose.rgbResult = static_cast<COLORREF>(c.color);
    choose.lpCustColors = customColors_.data();
    choose.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (::ChooseColorW(&choose)) {
        c.color = static_cast<ColorRef>(choose.rgbResult);
        return 0;
    }
    const DWORD failure = ::CommDlgExtendedError();
    return failure == 0 ? kErrorCancel : static_cast<std::int32_t>(failure);
}

bool Win32Form::PreTranslate(MSG& message) {
    if (accelerators_ != nullptr && ::TranslateAcceleratorW(hwnd_, accelerators_, &message)) {
        return true;
    }
    if (message.message == WM_KEYDOWN &&
        (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE)) {
        const ControlId button =
            message.wParam == VK_RETURN ? design_.defaultButton : design_.cancelButton;
        if (button != kThisForm) {
            RaiseClick(button);
            return true;
        }
    }
    return ::IsDialogMessageW(hwnd_, &message) != FALSE;
}

void Win32Form::RaiseClick(ControlId control) {
    RaiseEvent("Click", [&] { events_.Click(control); });
}

LRESULT CALLBACK Win32Form::FormProc(HWND hwnd, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* form = static_cast<Win32Form*>(create->lpCreateParams);
        form->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Win32Form*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (form == nullptr) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    try {
        return form->OnMessage(message, wParam, lParam);
    } catch (...) {
        ReportHandlerFailure("window message", "unexpected failure");
        return 0;
    }
}

LRESULT Win32Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            const auto id = static_cast<ControlId>(LOWORD(wParam));
            const bool fromMenuOrKey = lParam == 0;
            if (loaded_ && (fromMenuOrKey || HIWORD(wParam) == BN_CLICKED)) {
                RaiseClick(id);
            }
            return 0;
        }
        case WM_TIMER:
            if (loaded_ && !unloaded_) {
                RaiseEvent("Timer", [&] { events_.Timer(static_cast<ControlId>(wParam)); });
            }
            return 0;
        case WM_SIZE:
            if (everShown_ && !unloaded_) {
                RaiseEvent("Resize", [&] { events_.Resize(); });
            }
            return 0;
        case WM_CTLCOLORSTATIC:
            return ColorStatic(wParam);
        case WM_ACTIVATE:
        case WM_ACTIVATEAPP:
            // Losing the activation ends a press on an image, even where the system leaves the
            // mouse captured: the drag must not go on with nobody holding it.
            if ((message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) ||
                (message == WM_ACTIVATEAPP && wParam == FALSE)) {
                EndPresses();
            }
            if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
                // Held off by a modal form (and brought forward from the taskbar, say), the form
                // passes the activation on: with no owner between them, the system would leave
                // the modal form behind it.
                const HWND modal = app_.modalWindow();
                if (modal != nullptr && modal != hwnd_) {
                    ::PostMessageW(hwnd_, kPassActivation, 0, 0);
                    return 0;
                }
                FocusFirstControl();
                return 0;
            }
            return ::DefWindowProcW(hwnd_, message, wParam, lParam);
        case kPassActivation:
            if (const HWND modal = app_.modalWindow(); modal != nullptr && modal != hwnd_) {
                ::SetForegroundWindow(modal);
            }
            return 0;
        case WM_CLOSE:
            Unload();
            return 0;
        case WM_CONTEXTMENU:
            if (OnContextMenu(reinterpret_cast<HWND>(wParam), lParam)) {
                return 0;
            }
            return ::DefWindowProcW(hwnd_, message, wParam, lParam);
        case WM_QUERYENDSESSION:
            // Nothing needs asking before the session ends.
            return TRUE;
        case WM_ENDSESSION:
            // Windows may end the process as soon as this returns, so the form goes now, as when
            // it is closed through its frame. A cancelled end (FALSE) changes nothing.
            if (wParam != FALSE) {
                Unload();
            }
            return 0;
        default:
            return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

bool Win32Form::OnContextMenu(HWND window, LPARAM lParam) {
    if (!loaded_ || unloaded_) {
        return false;
    }
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const bool fromKeyboard = at.x == -1 && at.y == -1;
    // Children hand the request up to their parent: the system names the window clicked in, or
    // on some systems the container it passed through. The innermost control under the pointer
    // is the one meant.
    HWND target = window;
    while (!fromKeyboard && target != nullptr) {
        POINT inside = at;
        ::ScreenToClient(target, &inside);
        const HWND child =
            ::ChildWindowFromPointEx(target, inside, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (child == nullptr || child == target) {
            break;
        }
        target = child;
    }
    const auto found = std::find_if(controls_.begin(), controls_.end(),
                                    [&](const auto& entry) { return entry.second.hwnd == target; });
    const ControlId control = found != controls_.end() ? found->first : kThisForm;
    if (!fromKeyboard && control == kThisForm) {
        // The caption, the menu bar or the bare client area: the system's own menus.
        return false;
    }
    ContextMenuArgs args{{at.x, at.y}, fromKeyboard};
    if (fromKeyboard) {
        // No pointer to go by: the menu opens at the top-left corner of the client area.
        POINT corner{0, 0};
        ::ClientToScreen(hwnd_, &corner);
        args.screen = {corner.x + 8, corner.y + 8};
    }
    RaiseEvent("ContextMenu", [&] { events_.ContextMenu(control, args); });
    return true;
}

LRESULT CALLBACK Win32Form::ImageProc(HWND hwnd, UINT message, WPARAM wParam,
                                      LPARAM lParam) noexcept {
    auto* form = reinterpret_cast<Win32Form*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    try {
        Control& image = form->At(::GetDlgCtrlID(hwnd));
        return form->OnImageMessage(image, message, wParam, lParam);
    } catch (...) {
        ReportHandlerFailure("image message", "unexpected failure");
        return 0;
    }
}

LRESULT Win32Form::OnImageMessage(Control& image, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto mouseArgs = [&](int button) {
        return MouseArgs{static_cast<std::int16_t>(button),
                         static_cast<std::int16_t>(((wParam & MK_SHIFT) ? 1 : 0) |
                                                   ((wParam & MK_CONTROL) ? 2 : 0)),
                         PixelsToTwips(static_cast<short>(LOWORD(lParam))),
                         PixelsToTwips(static_cast<short>(HIWORD(lParam)))};
    };
    // Every press starts a drag, the second of a quick pair too (a double-click message).
    static_assert(PressedButton(WM_LBUTTONDBLCLK) == 1 && PressedButton(WM_RBUTTONDBLCLK) == 2 &&
                  PressedButton(WM_MBUTTONDBLCLK) == 4 && PressedButton(WM_LBUTTONDOWN) == 1 &&
                  PressedButton(WM_RBUTTONDOWN) == 2 && PressedButton(WM_MBUTTONDOWN) == 4);
    const int button = PressedButton(message);
    if (button != 0) {
        if (image.pressedButton == 0 && loaded_) {
            image.pressedButton = button;
            // The release must come back here wherever on the screen the button is let go.
            ::SetCapture(image.hwnd);
            const MouseArgs args = mouseArgs(button);
            RaiseEvent("MouseDown", [&] { events_.MouseDown(image.design->id, args); });
        }
        return 0;
    }
    switch (message) {
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            const int released = message == WM_LBUTTONUP ? 1 : (message == WM_RBUTTONUP ? 2 : 4);
            if (released == image.pressedButton) {
                EndPress(image);
            }
            return 0;
        }
        case WM_CAPTURECHANGED:
            // Another window took the mouse (Alt+Tab, a program grabbing the capture): the drag
            // is over as if the button had been let go.
            if (image.pressedButton != 0 && !image.releasingCapture) {
                EndPress(image);
            }
            return 0;
        case WM_CANCELMODE:
            if (image.pressedButton != 0) {
                EndPress(image);
            }
            break;
        case WM_SETCURSOR:
            if (image.mousePointer == kMousePointerCustom) {
                ::SetCursor(TargetPointer());
                return TRUE;
            }
            break;
        case WM_MOUSEMOVE:
            if (image.pressedButton != 0 && image.mousePointer == kMousePointerCustom) {
                ::SetCursor(TargetPointer());
            }
            return 0;
        default:
            break;
    }
    return ::CallWindowProcW(image.baseProc, image.hwnd, message, wParam, lParam);
}

void Win32Form::FocusFirstControl() {
    // The control first in the tab order takes the focus, unless one of the form's controls
    // already has it.
    const HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(hwnd_, focus)) {
        return;
    }
    const ControlDesign* first = nullptr;
    for (const ControlDesign& design : design_.controls) {
        if (design.tabIndex >= 0 && design.kind == ControlKind::Button &&
            (first == nullptr || design.tabIndex < first->tabIndex)) {
            first = &design;
        }
    }
    ::SetFocus(first != nullptr ? At(first->id).hwnd : hwnd_);
}

void Win32Form::EndPresses() {
    for (auto& [id, control] : controls_) {
        if (control.pressedButton != 0) {
            EndPress(control);
        }
    }
}

void Win32Form::EndPress(Control& image) {
    const MouseArgs args{static_cast<std::int16_t>(image.pressedButton), 0, 0, 0};
    image.pressedButton = 0;
    if (::GetCapture() == image.hwnd) {
        image.releasingCapture = true;
        ::ReleaseCapture();
        image.releasingCapture = false;
    }
    RaiseEvent("MouseUp", [&] { events_.MouseUp(image.design->id, args); });
}

}  // namespace tarnwick::win32
