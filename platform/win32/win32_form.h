#pragma once
// One form of the program as a real window with real child controls: STATIC labels, BUTTONs, list
// views, a menu bar, a tooltip window, timers and the system colour dialog.

#include <array>
#include <vector>

#include "platform/dpi_scale.h"
#include "platform/toolkit.h"
#include "platform/win32/windows_api.h"

namespace tarnwick::win32 {

class Win32Application;

class Win32Form final : public Form {
  public:
    // mainWindow is the start-up form's window, which this form holds off while it is shown
    // modally; null for the start-up form itself. Only a form designed to be owned by the
    // start-up form is: an owned window of a topmost window stays topmost whatever it asks for,
    // which a modal box must be free of.
    Win32Form(const FormDesign& design, FormEvents& events, Win32Application& app, HWND mainWindow);
    ~Win32Form() override;
    Win32Form(const Win32Form&) = delete;
    Win32Form& operator=(const Win32Form&) = delete;

    HWND handle() const { return hwnd_; }
    // Keyboard routing before a message is dispatched: accelerators, Enter and Esc for the
    // default and cancel buttons, Tab between controls. True when the message was handled.
    bool PreTranslate(MSG& message);

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
        const ControlDesign* design = nullptr;
        HWND hwnd = nullptr;
        std::array<float, 4> twips{};  // Left, Top, Width, Height as last set
        bool hasToolTip = false;
        std::int16_t mousePointer = kMousePointerDefault;
        int pressedButton = 0;  // the mouse button held on an image, 0 when none
        bool releasingCapture = false;
        WNDPROC baseProc = nullptr;
        ColorRef color = 0;
        std::vector<ListRow> rows;  // what a list shows, in the order given
    };

    static LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept;
    static LRESULT CALLBACK ImageProc(HWND hwnd, UINT message, WPARAM wParam,
                                      LPARAM lParam) noexcept;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnImageMessage(Control& image, UINT message, WPARAM wParam, LPARAM lParam);
    // WM_CONTEXTMENU: true when it was raised for a control of the form, false when the
    // system's default handling is left to act.
    bool OnContextMenu(HWND window, LPARAM lParam);
    void EndPress(Control& image);
    void EndPresses();
    void FocusFirstControl();
    // Gives the main window back its input and its place in the topmost band.
    void EndModal();

    void CreateControls();
    void CreateMenuBar();
    // The fonts, pictures, icons and control places of the form at its DPI.
    HFONT FontFor(const FontDesign& font);
    void SetPicture(Control& image);
    void SetWindowIcons();
    // The window moved to a monitor of another scale (or that monitor's scale changed): the form
    // is made anew at the DPI from the same twips and takes the rectangle the system suggests.
    void OnDpiChanged(int dpi, const RECT& suggested);
    // The control of that id, or null when the form has none.
    Control* Find(ControlId control);
    Control& At(ControlId control);
    HWND ContainerOf(const ControlDesign& design);
    void PlaceControl(Control& control);
    RECT OuterPixels() const;
    // The events the form raises, each passed to its handler through the failure boundary: one
    // copy of the boundary for all of them, where one inlined at every message cost the program
    // far more. The mouse events and the context menu come with their arguments.
    enum class Event {
        Load,
        Resize,
        Unload,
        Click,
        DblClick,
        Hotkey,
        Timer,
        MouseDown,
        MouseUp,
        ContextMenu
    };
    void Raise(Event event, ControlId control = kThisForm, const MouseArgs* mouse = nullptr,
               const ContextMenuArgs* menu = nullptr);
    static std::size_t Index(Dim dim) { return static_cast<std::size_t>(dim); }

    const FormDesign& design_;
    FormEvents& events_;
    Win32Application& app_;
    HWND main_;
    HWND hwnd_ = nullptr;
    HWND toolTip_ = nullptr;
    HMENU menu_ = nullptr;
    HACCEL accelerators_ = nullptr;
    // One entry for each control of the design, in the design's order, all made in
    // CreateControls with room for every one reserved first: the vector never grows after an
    // entry is made, so the references At() and Find() hand out stay valid for the form's life.
    // A form has a few dozen controls, which a linear search finds as quickly as a tree would.
    std::vector<Control> controls_;
    std::array<float, 4> formTwips_{};
    // The DPI of the form's own twips: its size, its client area and its controls. Its place on
    // the screen is counted at the system DPI.
    int dpi_ = kStandardDpi;
    std::vector<std::pair<FontDesign, HFONT>> fonts_;
    std::array<COLORREF, 16> customColors_{};
    bool loaded_ = false;
    bool everShown_ = false;
    bool unloaded_ = false;
    bool modal_ = false;
    // The main window was taken out of the topmost band while this form, not topmost, is open.
    bool mainLeftTopmost_ = false;
};

}  // namespace tarnwick::win32
