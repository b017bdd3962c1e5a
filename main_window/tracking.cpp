// The tracking loop: every tick decides which window the labels describe, and frames the window
// under the drag target.

#include "main_window/frmMain.h"
#include "main_window/frmMain_controls.h"
#include "platform/physical_pixels.h"

namespace tarnwick {

using namespace frmMainControls;

namespace {

// A tracking menu item turns its own tracking on or off and the other one on, so that one of the
// two always tracks; the drag target shows while the target is tracked.
void ToggleTracking(Form& f, ControlId item, ControlId other) {
    f.SetChecked(item, !f.Checked(item));
    if (!f.Checked(other)) {
        f.SetChecked(other, true);
    }
    f.SetVisible(img_Target, f.Checked(mnu_TrackTarget));
}

}  // namespace

void frmMain::Timer1_Timer() {
    Form& f = *form_;
    Win32Api& win32 = platform_.win32;
    const Hwnd foreground = win32.GetForegroundWindow();
    const Hwnd own = f.hWnd();
    CountDownShortFrame();
    if (DetailsOpen()) {
        details_->FollowPointer();
    }

    if (foreground == own && m_Dragging == 1) {
        f.SetCaption(lbl_CurWindow, L"Window under target");
        Hwnd underPointer = 0;
        Point cursor;
        {
            const PhysicalPixels physical(win32);
            win32.GetCursorPos(cursor);
            underPointer = win32.WindowFromPoint(cursor);
        }
        if (underPointer != m_LastHwnd) {
            // A new target: show it now, wipe the old frame, and frame it on the next tick if the
            // pointer is still there.
            DisplayData(underPointer);
            WipeFrame();
            m_BorderDrawn = 0;
            m_LastHwnd = underPointer;
        } else if (m_BorderDrawn == 0) {
            DrawBorder(underPointer);
            m_BorderDrawn = 1;
        }
        AskElement(underPointer, cursor);
        return;
    }

    // A foreground of 0 is no window: while the activation changes hands there is none for a
    // moment, and the window on display stays. The Details window is the program's own: a window
    // reached from it stays on display.
    if (foreground == 0 || ProgramInFront(foreground) || CaptureHolds(foreground) ||
        !f.Checked(mnu_TrackForeground)) {
        return;
    }
    f.SetCaption(lbl_CurWindow, L"Current foreground window");
    if (foreground != m_LastHwnd) {
        DisplayData(foreground);
        m_LastHwnd = foreground;
        AskElement(foreground, std::nullopt);
    }
}

void frmMain::img_Target_MouseDown() {
    m_ShortFrameTicks = 0;
    m_CaptureHold = false;
    form_->SetMousePointer(img_Target, kMousePointerCustom);
    m_Dragging = 1;
}

void frmMain::img_Target_MouseUp() {
    m_Dragging = 0;
    form_->SetMousePointer(img_Target, kMousePointerDefault);
    WipeFrame();
}

void frmMain::mnu_TrackForeground_Click() {
    ToggleTracking(*form_, mnu_TrackForeground, mnu_TrackTarget);
}

void frmMain::mnu_TrackTarget_Click() {
    ToggleTracking(*form_, mnu_TrackTarget, mnu_TrackForeground);
}

}  // namespace tarnwick
