#include "platform/win32/restore_rect.h"

namespace tarnwick::win32 {

bool RestoreRectOnScreen(HWND window, RECT& rect) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!::GetWindowPlacement(window, &placement)) {
        return false;
    }
    rect = placement.rcNormalPosition;
    // The restore rectangle of a window that is not a tool window is measured from the corner of
    // its monitor's work area, not of the screen: with a taskbar on the top or left edge the two
    // differ by the taskbar's size.
    if ((::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        if (::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
            ::OffsetRect(&rect, monitor.rcWork.left - monitor.rcMonitor.left,
                         monitor.rcWork.top - monitor.rcMonitor.top);
        }
    }
    return true;
}

}  // namespace tarnwick::win32
