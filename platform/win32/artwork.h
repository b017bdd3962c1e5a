#pragma once
// The program's pictures and pointers, from its resources, at the size for a DPI.

#include "platform/form_design.h"
#include "platform/win32/windows_api.h"

namespace tarnwick::win32 {

// Each is loaded once for each size and kept for the life of the program: the monitors' scales
// give a few sizes at most. A picture drawn for 96 DPI is stretched pixel for pixel to the size
// for another DPI.

// The icon at a size in pixels.
HICON AppIcon(int size);
// The drag target's picture for the DPI, its dialog grey in the system's current button-face
// colour (and its dark grey in the shadow colour).
HBITMAP TargetPicture(int dpi);
// The crosshair pointer for the DPI.
HCURSOR TargetPointer(int dpi);
// The icon at the sizes the system asks for at its own DPI: the large one (Alt+Tab, the taskbar
// at high DPI) and the small one (title bar, taskbar), so that neither is scaled from another
// size.
HICON WindowIcon();
HICON SmallWindowIcon();

}  // namespace tarnwick::win32
