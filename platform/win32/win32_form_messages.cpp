// What reaches a form from the system: its messages, its images' mouse input, the keyboard.

#include "platform/win32/win32_form.h"

#include "platform/event_dispatch.h"
#include "platform/mouse_messages.h"
#include "platform/win32/artwork.h"
#include "platform/win32/screen_units.h"
#include "platform/win32/win32_application.h"

namespace tarnwick::win32 {

namespace {

// Posted to a form that was activated while a modal form holds it off.
constexpr UINT kPassActivation = WM_APP + 1;

// Labels, the panel and the images paint on the dialog face, as the form does.
LRESULT ColorStatic(WPARAM dc) {
    ::SetBkColor(reinterpret_cast<HDC>(dc), ::GetSysColor(COLOR_BTNFACE));
    ::SetTextColor(reinterpret_cast<HDC>(dc), ::GetSysColor(COLOR_BTNTEXT));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace

bool Win32Form::PreTranslate(MSG& message) {
    if (accelerators_ != nullptr && ::TranslateAcceleratorW(hwnd_, accelerators_, &message)) {
        return true;
    }
    if (message.message == WM_KEYDOWN &&
        (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE)) {
        const ControlId button =
            message.wParam == VK_RETURN ? design_.defaultButton : design_.cancelButton;
        if (button != kThisForm) {
            Raise(Event::Click, button);
            return true;
        }
    }
    return ::IsDialogMessageW(hwnd_, &message) != FALSE;
}

void Win32Form::Raise(Event event, ControlId control, const MouseArgs* mouse,
                      const ContextMenuArgs* menu) {
    // The names the failure report gives, in the order of the events.
    static constexpr const char* kNames[] = {"Load",     "Resize",     "Unload", "Click",
                                             "DblClick", "Hotkey",     "Timer",  "MouseDown",
                                             "MouseUp",  "ContextMenu"};
    RaiseEvent(kNames[static_cast<int>(event)], [&] {
        switch (event) {
            case Event::Load:
                return events_.Load();
            case Event::Resize:
                return events_.Resize();
            case Event::Unload:
                return events_.Unload();
            case Event::Click:
                return events_.Click(control);
            case Event::DblClick:
                return events_.DblClick(control);
            case Event::Hotkey:
                return events_.Hotkey(control);
            case Event::Timer:
                return events_.Timer(control);
            case Event::MouseDown:
                return events_.MouseDown(control, *mouse);
            case Event::MouseUp:
                return events_.MouseUp(control, *mouse);
            case Event::ContextMenu:
                return events_.ContextMenu(control, *menu);
        }
    });
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
                Raise(Event::Click, id);
            } else if (loaded_ && HIWORD(wParam) == STN_DBLCLK) {
                Raise(Event::DblClick, id);
            }
            return 0;
        }
        case WM_NOTIFY: {
            const auto* notice = reinterpret_cast<const NMHDR*>(lParam);
            const auto id = static_cast<ControlId>(notice->idFrom);
            const Control* const found = Find(id);
            if (loaded_ && notice->code == NM_DBLCLK && found != nullptr &&
                found->design->kind == ControlKind::List) {
                Raise(Event::DblClick, id);
            }
            return 0;
        }
        case WM_HOTKEY:
            if (loaded_ && !unloaded_) {
                Raise(Event::Hotkey, static_cast<ControlId>(wParam));
            }
            return 0;
        case WM_TIMER:
            if (loaded_ && !unloaded_) {
                Raise(Event::Timer, static_cast<ControlId>(wParam));
            }
            return 0;
        case WM_SIZE:
            if (everShown_ && !unloaded_) {
                Raise(Event::Resize);
            }
            return 0;
        case WM_CTLCOLORSTATIC:
            return ColorStatic(wParam);
        case WM_DPICHANGED:
            if (LOWORD(wParam) != 0) {
                OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            }
            return 0;
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
            // it is closed through its frame. A cancelled end (FALSE) changes nothing. A form
            // owned by the start-up form stays: the start-up form's end saves it as open, which
            // it is.
            if (wParam != FALSE && !design_.ownedByMainForm) {
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
    // A plain loop: the library's find_if is unrolled four times over, at four times the code.
    ControlId control = kThisForm;
    for (const Control& entry : controls_) {
        if (entry.hwnd == target) {
            control = entry.design->id;
            break;
        }
    }
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
    Raise(Event::ContextMenu, control, nullptr, &args);
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
                         PixelsToTwips(static_cast<short>(LOWORD(lParam)), dpi_),
                         PixelsToTwips(static_cast<short>(HIWORD(lParam)), dpi_)};
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
            Raise(Event::MouseDown, image.design->id, &args);
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
                ::SetCursor(TargetPointer(dpi_));
                return TRUE;
            }
            break;
        case WM_MOUSEMOVE:
            if (image.pressedButton != 0 && image.mousePointer == kMousePointerCustom) {
                ::SetCursor(TargetPointer(dpi_));
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
        const bool focusable =
            design.kind == ControlKind::Button || design.kind == ControlKind::List;
        if (design.tabIndex >= 0 && focusable &&
            (first == nullptr || design.tabIndex < first->tabIndex)) {
            first = &design;
        }
    }
    ::SetFocus(first != nullptr ? At(first->id).hwnd : hwnd_);
}

void Win32Form::EndPresses() {
    for (Control& control : controls_) {
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
    Raise(Event::MouseUp, image.design->id, &args);
}

}  // namespace tarnwick::win32
