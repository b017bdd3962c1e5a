#pragma once
// A form toolkit without windows: forms keep their properties in memory, record every call in the
// shared log, and let a test raise their events.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/dpi_scale.h"
#include "platform/toolkit.h"
#include "tests/fake/call_log.h"

namespace tarnwick::fake {

class FakeForm final : public Form {
  public:
    FakeForm(const FormDesign& design, FormEvents& events, CallLog& log, Hwnd hwnd);
    ~FakeForm() override;

    // What the window system adds around the client area, in twips: changing these is how a test
    // gives the window a thicker caption or a menu bar that wraps.
    float frameWidth = 90;
    float frameHeight = 690;
    std::int16_t windowState = 0;
    // The DPI of the form's window, and the system DPI at which places on the screen are
    // counted, as the real toolkit counts them.
    int dpi = kStandardDpi;
    int systemDpi = kStandardDpi;
    // Runs while ShowModal waits, as the user would while the form is open.
    std::function<void()> whileModal;
    // The colour dialog's answer: the error number, and the colour it holds after a confirm.
    std::int32_t colorDialogError = 0;
    ColorRef colorDialogChoice = 0;
    bool colorDialogThrows = false;
    // Called when the program lets go of the form.
    std::function<void(FakeForm*)> onDestroyed;

    // The events, raised through the same boundary as the real toolkit's.
    void FireResize();
    void FireClick(ControlId control);
    void FireMouseDown(ControlId control);
    void FireMouseUp(ControlId control);
    void FireDblClick(ControlId control);
    void FireHotkey(ControlId id);
    // Hotkeys that another program holds: registering one of them fails.
    std::vector<std::uint32_t> keysTakenElsewhere;
    bool HotkeyRegistered(ControlId id) const;
    // A press message on a control as the window system sends it (kWmLButtonDown, the
    // double-click kWmLButtonDblClk, ...), raised as the real toolkit raises it: MouseDown with
    // the button it presses; nothing for a message that presses none.
    void FirePressMessage(ControlId control, std::uint32_t message);
    void FireTimer(ControlId control);
    void FireContextMenu(ControlId control, const ContextMenuArgs& args);
    // What the window system asks of a form, answered as the real toolkit answers it: a close
    // through the frame unloads it; the end of the session is agreed to (true) and, when it goes
    // ahead, unloads it before the answer returns; a cancelled end changes nothing. A form
    // unloads once, whichever comes first.
    void FireClose();
    // The window on a monitor of another scale, as the real toolkit answers it: the form's twips
    // count at the new DPI, the window takes the suggested rectangle (pixels) and Resize follows.
    void FireDpiChanged(int newDpi, const Rect& suggested);
    bool FireQueryEndSession();
    void FireEndSession(bool ending);

    // Property values without logging, for assertions.
    float Peek(ControlId control, Dim dim) const;
    // Where the real toolkit would put the control (or the window) in pixels: its place and size
    // at the form's DPI, the window's place at the system DPI.
    Rect PeekPixels(ControlId control) const;
    std::wstring PeekCaption(ControlId control) const;
    std::wstring PeekToolTip(ControlId control) const;
    bool PeekVisible(ControlId control) const;
    bool PeekChecked(ControlId control) const;
    std::int16_t PeekMousePointer(ControlId control) const;
    const std::vector<ListRow>& PeekListRows(ControlId list) const { return At(list).rows; }
    // The rows the user has selected in a list.
    std::vector<int> selectedRows;
    bool shown() const { return shown_; }
    bool unloaded() const { return unloaded_; }

    void Load() override;
    float Get(ControlId control, Dim dim) override;
    void Set(ControlId control, Dim dim, float twips) override;
    float ScaleWidth() override;
    float ScaleHeight() override;
    std::int16_t WindowState() override;
    Hwnd hWnd() override;
    void Hide() override;
    void Show() override;
    void ShowModal() override;
    void ZOrder() override;
    void Unload() override;
    std::wstring Caption(ControlId control) override;
    void SetCaption(ControlId control, std::wstring_view text) override;
    void SetToolTipText(ControlId control, std::wstring_view text) override;
    void SetVisible(ControlId control, bool visible) override;
    void SetMousePointer(ControlId control, std::int16_t pointer) override;
    bool Checked(ControlId menuItem) override;
    void SetChecked(ControlId menuItem, bool checked) override;
    ColorRef Color(ControlId dialog) override;
    void SetColor(ControlId dialog, ColorRef color) override;
    std::int32_t ShowColor(ControlId dialog) override;
    bool RegisterHotKey(ControlId id, std::uint32_t modifiers, std::uint32_t key) override;
    void UnregisterHotKey(ControlId id) override;
    void SetListRows(ControlId list, std::span<const ListRow> rows) override;
    std::vector<int> SelectedListRows(ControlId list) override;
    void SelectAllListRows(ControlId list) override;

  private:
    struct Control {
        std::string name;
        float geometry[4] = {};
        std::wstring caption;
        std::wstring toolTip;
        bool visible = true;
        bool checked = false;
        std::int16_t mousePointer = 0;
        ColorRef color = 0;
        std::vector<ListRow> rows;
    };
    Control& At(ControlId control);
    const Control& At(ControlId control) const;
    void Record(const std::string& call);

    std::string name_;
    FormEvents& events_;
    CallLog& log_;
    Hwnd hwnd_;
    std::map<ControlId, Control> controls_;
    std::vector<ControlId> hotkeys_;
    bool shown_ = false;
    bool everShown_ = false;
    bool unloaded_ = false;
};

class FakeApplication final : public Application {
  public:
    explicit FakeApplication(CallLog& log) : log_(log) {}

    std::wstring path = L"C:\\Tools";
    VersionNumbers version{1, 0, 8};
    float screenWidth = 15360;
    float screenHeight = 11520;
    bool ended = false;

    // The form most recently created under that name ("frmMain", "frmAbout").
    FakeForm& form(const std::string& name);
    // Called with each new form before it is handed to the program, to script its frame or modal
    // behaviour.
    std::function<void(const std::string& name, FakeForm&)> onCreateForm;

    std::unique_ptr<Form> CreateForm(const FormDesign& design, FormEvents& events) override;
    std::wstring Path() override;
    std::wstring HelpFile() override;
    void SetHelpFile(std::wstring_view helpFile) override;
    VersionNumbers Version() override;
    float ScreenWidth() override;
    float ScreenHeight() override;
    void End() override;

  private:
    CallLog& log_;
    std::wstring helpFile_;
    // Forms the program still holds, by name.
    std::map<std::string, FakeForm*> forms_;
    Hwnd nextHwnd_ = 0x10010;
};

}  // namespace tarnwick::fake
