#pragma once
// The form toolkit: forms with controls, their events, the application and screen objects.
// platform/win32/ implements it with real windows; the recording fake implements it for tests.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/form_design.h"
#include "platform/types.h"

namespace tarnwick {

enum class Dim { Left, Top, Width, Height };

inline constexpr std::int16_t kMousePointerDefault = 0;
inline constexpr std::int16_t kMousePointerCustom = 99;
inline constexpr std::int32_t kErrorCancel = 32755;

struct MouseArgs {
    std::int16_t button = 1;
    std::int16_t shift = 0;
    float x = 0, y = 0;
};

// A request for a context menu: a right-click (screen pixels of the pointer) or the menu key or
// Shift+F10 (screen pixels where a menu for the form belongs).
struct ContextMenuArgs {
    Point screen;
    bool fromKeyboard = false;
};

// One row of a list control: its heading and the texts of its two columns.
struct ListRow {
    std::wstring heading;
    std::wstring name;
    std::wstring value;
    friend bool operator==(const ListRow&, const ListRow&) = default;
};

// The events of one form. The toolkit raises them one at a time on the user-interface thread;
// a handler that throws ends there and the program goes on.
class FormEvents {
  public:
    virtual void Load() = 0;
    virtual void Resize() {}
    virtual void Unload() {}
    virtual void Click(ControlId) {}
    virtual void MouseDown(ControlId, const MouseArgs&) {}
    virtual void MouseUp(ControlId, const MouseArgs&) {}
    // A double-click on a label, a panel or a row of a list.
    virtual void DblClick(ControlId) {}
    // A system-wide hotkey of the form was pressed, whichever window had the keyboard.
    virtual void Hotkey(ControlId) {}
    virtual void Timer(ControlId) {}
    // Raised for a control of the form, or for kThisForm when the key was pressed with no
    // control of the form in question.
    virtual void ContextMenu(ControlId, const ContextMenuArgs&) {}

  protected:
    ~FormEvents() = default;
};

// One form and its controls. Positions and sizes are single-precision twips: of the form's outer
// window for kThisForm, of a control inside its container's client area otherwise.
class Form {
  public:
    virtual ~Form() = default;

    // Raises Load. Called once, by whoever created the form.
    virtual void Load() = 0;

    virtual float Get(ControlId control, Dim dim) = 0;
    virtual void Set(ControlId control, Dim dim, float twips) = 0;
    // Client area of the form, in twips.
    virtual float ScaleWidth() = 0;
    virtual float ScaleHeight() = 0;
    // 0 normal, 1 minimised, 2 maximised.
    virtual std::int16_t WindowState() = 0;
    virtual Hwnd hWnd() = 0;

    virtual void Hide() = 0;
    virtual void Show() = 0;
    // Shows the form modally: returns once it has been unloaded. Other forms take no input
    // meanwhile; timers keep ticking.
    virtual void ShowModal() = 0;
    // Brings the form to the front of the z-order.
    virtual void ZOrder() = 0;
    // Raises Unload and closes the form.
    virtual void Unload() = 0;

    virtual std::wstring Caption(ControlId control) = 0;
    virtual void SetCaption(ControlId control, std::wstring_view text) = 0;
    virtual void SetToolTipText(ControlId control, std::wstring_view text) = 0;
    virtual void SetVisible(ControlId control, bool visible) = 0;
    virtual void SetMousePointer(ControlId control, std::int16_t pointer) = 0;
    virtual bool Checked(ControlId menuItem) = 0;
    virtual void SetChecked(ControlId menuItem, bool checked) = 0;

    // System-wide hotkeys, raised as Hotkey with the id: RegisterHotKey is false when another
    // program holds the key. Modifiers and key as the window system names them; a held key does
    // not repeat.
    virtual bool RegisterHotKey(ControlId id, std::uint32_t modifiers, std::uint32_t key) = 0;
    virtual void UnregisterHotKey(ControlId id) = 0;

    // List controls. SetListRows shows the rows in their order under their headings, keeping
    // the selection and the scroll position when only values change. Rows are counted from 0 in
    // the order they were given.
    virtual void SetListRows(ControlId list, std::span<const ListRow> rows) = 0;
    virtual std::vector<int> SelectedListRows(ControlId list) = 0;
    virtual void SelectAllListRows(ControlId list) = 0;

    // The colour dialog control: Color in, ShowColor, Color out. ShowColor returns the error
    // number of the outcome: 0 when a colour was confirmed, kErrorCancel when the user cancelled.
    virtual ColorRef Color(ControlId dialog) = 0;
    virtual void SetColor(ControlId dialog, ColorRef color) = 0;
    virtual std::int32_t ShowColor(ControlId dialog) = 0;
};

struct VersionNumbers {
    std::int16_t major = 0;
    std::int16_t minor = 0;
    std::int16_t revision = 0;
};

// The application and screen objects.
class Application {
  public:
    // Creates the form's window and controls, hidden; no event is raised before Form::Load.
    virtual std::unique_ptr<Form> CreateForm(const FormDesign& design, FormEvents& events) = 0;

    // Folder of the program file: no trailing backslash except at a drive root.
    virtual std::wstring Path() = 0;
    virtual std::wstring HelpFile() = 0;
    virtual void SetHelpFile(std::wstring_view path) = 0;
    virtual VersionNumbers Version() = 0;

    // The primary screen's size in twips.
    virtual float ScreenWidth() = 0;
    virtual float ScreenHeight() = 0;

    // Ends the program at once.
    virtual void End() = 0;

  protected:
    ~Application() = default;
};

}  // namespace tarnwick
