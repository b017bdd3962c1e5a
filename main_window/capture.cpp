// The capture hotkey: the window under the pointer shown from anywhere, without the program
// taking the foreground, so that menus, tooltips and popups that live only while their program
// has the focus stay open to be inspected; repeated at the same spot, it goes down the stack of
// windows there. The display then holds until another window comes to the front.

#include <algorithm>
#include <array>
#include <cstdlib>

#include "app/settings.h"
#include "main_window/frmMain.h"
#include "main_window/frmMain_controls.h"
#include "main_window/hotkey_text.h"
#include "platform/ascii_text.h"
#include "platform/physical_pixels.h"

namespace tarnwick {

using namespace frmMainControls;

namespace {

constexpr wchar_t kCaptureHeading[] = L"Window under pointer";
// A further capture within this many pixels of the last goes down its stack.
constexpr std::int32_t kSameSpot = 2;

}  // namespace

void frmMain::RegisterCaptureHotkey() {
    Win32Api& win32 = platform_.win32;
    std::array<wchar_t, 64> text{};
    const std::int32_t length =
        win32.GetPrivateProfileString(kSectionGeneral, kKeyCaptureHotkey, L"", text, g_IniFile);
    const std::optional<tarnwick::Hotkey> hotkey = ParseHotkey(
        std::wstring_view(text.data(), static_cast<std::size_t>(std::clamp(length, 0, 63))));
    if (!hotkey) {
        win32.SetHelpField(kHelpFieldCaptureHotkey,
                           Widened("none (switched off in the settings file)"));
        return;
    }
    std::wstring name = HotkeyText(*hotkey);
    m_CaptureHotkey = form_->RegisterHotKey(hk_Capture, hotkey->modifiers, hotkey->virtualKey);
    if (!m_CaptureHotkey) {
        // Another program holds the key: Tarnwick works on without it, and says where to change
        // it.
        // The texts as plain ASCII, half the room of wide ones.
        std::wstring tip = Widened("Click here and drag to get target crosshair. ");
        tip.append(name);
        AppendAscii(tip,
                    " is taken by another program: set CaptureHotkey in Tarnwick.ini (see Help)");
        form_->SetToolTipText(img_Target, tip);
        AppendAscii(name, ", which another program holds: choose another key");
    }
    win32.SetHelpField(kHelpFieldCaptureHotkey, name);
}

void frmMain::UnregisterCaptureHotkey() {
    if (m_CaptureHotkey) {
        m_CaptureHotkey = false;
        form_->UnregisterHotKey(hk_Capture);
    }
}

void frmMain::Hotkey(ControlId id) {
    if (id == hk_Capture) {
        hk_Capture_Pressed();
    }
}

void frmMain::hk_Capture_Pressed() {
    Win32Api& win32 = platform_.win32;
    Point cursor;
    Hwnd under = 0;
    {
        // Exactly as the drag's tick finds its window.
        const PhysicalPixels physical(win32);
        win32.GetCursorPos(cursor);
        under = win32.WindowFromPoint(cursor);
    }
    const bool sameSpot = m_CapturePoint && std::abs(cursor.x - m_CapturePoint->x) <= kSameSpot &&
                          std::abs(cursor.y - m_CapturePoint->y) <= kSameSpot;
    Hwnd window = under;
    if (sameSpot && !m_Stack.empty()) {
        window = NextInStack(m_Stack, m_LastHwnd);
    } else {
        std::uint32_t ownProcess = 0;
        win32.GetWindowThreadProcessId(form_->hWnd(), ownProcess);
        const PhysicalPixels physical(win32);
        m_Stack = WindowsAtPoint(platform_, cursor, ownProcess);
        m_CapturePoint = cursor;
    }
    // Nothing here activates, shows or raises a window of the program.
    m_CaptureHold = true;
    m_HoldForeground = win32.GetForegroundWindow();
    form_->SetCaption(lbl_CurWindow, kCaptureHeading);
    if (DetailsOpen()) {
        details_->SetStack(m_Stack);
    }
    ShowNavigatedWindow(window);
    // The element at the point belongs to the topmost window there, not to one further down.
    if (window == under) {
        AskElement(window, cursor);
    }
}

bool frmMain::CaptureHolds(Hwnd foreground) {
    if (!m_CaptureHold) {
        return false;
    }
    if (foreground == m_HoldForeground || ProgramInFront(foreground)) {
        return true;
    }
    m_CaptureHold = false;
    return false;
}

void frmMain::key_EndHold_Click() {
    m_CaptureHold = false;
}

}  // namespace tarnwick
