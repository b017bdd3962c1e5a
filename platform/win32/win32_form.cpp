#include "platform/win32/win32_form.h"

#include <string>

#include "platform/win32/artwork.h"
#include "platform/win32/restore_rect.h"
#include "platform/win32/screen_units.h"
#include "platform/win32/system_library.h"
#include "platform/win32/win32_application.h"
#include "platform/win32/win32_failure.h"

namespace tarnwick::win32 {

namespace {

// What ShowColor reports when the system has no colour dialog: CDERR_INITIALIZATION.
constexpr std::int32_t kErrorNoColorDialog = 0x0002;

}  // namespace

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
    Raise(Event::Load);
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
        return PixelsToTwips(pixels[Index(dim)], SystemDpi());
    }
    const float last = formTwips_[Index(dim)];
    // A size set stands while the window still has the pixels it gave; once the user or the
    // system has changed the size, its pixels tell.
    return TwipsToPixels(last, dpi_) == pixels[Index(dim)]
               ? last
               : PixelsToTwips(pixels[Index(dim)], dpi_);
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
    const bool moving = dim == Dim::Left || dim == Dim::Top;
    pixels[Index(dim)] = TwipsToPixels(twips, moving ? SystemDpi() : dpi_);
    ::SetWindowPos(hwnd_, nullptr, pixels[0], pixels[1], pixels[2], pixels[3],
                   SWP_NOZORDER | SWP_NOACTIVATE | (moving ? SWP_NOSIZE : SWP_NOMOVE));
}

float Win32Form::ScaleWidth() {
    RECT outer{};
    RECT client{};
    ::GetWindowRect(hwnd_, &outer);
    ::GetClientRect(hwnd_, &client);
    return Get(kThisForm, Dim::Width) -
           PixelsToTwips((outer.right - outer.left) - (client.right - client.left), dpi_);
}

float Win32Form::ScaleHeight() {
    RECT outer{};
    RECT client{};
    ::GetWindowRect(hwnd_, &outer);
    ::GetClientRect(hwnd_, &client);
    return Get(kThisForm, Dim::Height) -
           PixelsToTwips((outer.bottom - outer.top) - (client.bottom - client.top), dpi_);
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
        Raise(Event::Resize);
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
    app_.RunMessageLoop(&unloaded_);
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
    Raise(Event::Unload);
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
        ::SetCursor(pointer == kMousePointerCustom ? TargetPointer(dpi_)
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
    // The dialog's library (with the printing and shell libraries it brings) is loaded the first
    // time the colour is chosen, not at start-up.
    static const auto chooseColor =
        SystemFunction<decltype(::ChooseColorW)>(L"comdlg32.dll", "ChooseColorW");
    static const auto extendedError =
        SystemFunction<decltype(::CommDlgExtendedError)>(L"comdlg32.dll", "CommDlgExtendedError");
    if (chooseColor == nullptr || extendedError == nullptr) {
        return kErrorNoColorDialog;
    }
    if (chooseColor(&choose)) {
        c.color = static_cast<ColorRef>(choose.rgbResult);
        return 0;
    }
    const DWORD failure = extendedError();
    return failure == 0 ? kErrorCancel : static_cast<std::int32_t>(failure);
}

bool Win32Form::RegisterHotKey(ControlId id, std::uint32_t modifiers, std::uint32_t key) {
    return ::RegisterHotKey(hwnd_, id, modifiers | MOD_NOREPEAT, key) != FALSE;
}

void Win32Form::UnregisterHotKey(ControlId id) {
    ::UnregisterHotKey(hwnd_, id);
}

}  // namespace tarnwick::win32
