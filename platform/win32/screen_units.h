#pragma once
// The DPIs that twips are counted at: the system's, for places on the screen, and a window's own,
// for its size and everything inside it.

#include "platform/dpi_scale.h"
#include "platform/win32/windows_api.h"

namespace tarnwick::win32 {

// The system DPI: the primary monitor's scale when the user signed in (96 at 100 %). It does not
// change while the program runs.
int SystemDpi();
// The DPI of the monitor the window is on; the system DPI where the system has no DPI of its own
// for each window (before Windows 10 version 1607) or the program runs aware of the system DPI
// only.
int WindowDpi(HWND window);

}  // namespace tarnwick::win32
