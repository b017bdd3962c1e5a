#pragma once
// The program's pictures and pointers, from its resources.

#include "platform/form_design.h"
#include "platform/win32/windows_api.h"

namespace tarnwick::win32 {

// The icon at a size in pixels (16 or 32); shared, never destroyed.
HICON AppIcon(int size);
// The drag target's picture, its dialog grey in the system's current button-face colour (and its
// dark grey in the shadow colour); shared, never destroyed.
HBITMAP TargetPicture();
// The crosshair pointer; shared, never destroyed.
HCURSOR TargetPointer();
// The icon at the sizes the system asks for: the large one (Alt+Tab, the taskbar at high DPI)
// and the small one (title bar, taskbar), so that neither is scaled from another size. Loaded
// once, never destroyed.
HICON WindowIcon();
HICON SmallWindowIcon();

}  // namespace tarnwick::win32
