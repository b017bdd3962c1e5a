#pragma once
// The program's pictures and pointers, from its resources.

#include "platform/form_design.h"
#include "platform/win32/windows_api.h"

namespace tarnwick::win32 {

// The icon at a size in pixels (16 or 32); shared, never destroyed.
HICON AppIcon(int size);
// The drag target's picture; shared, never destroyed.
HBITMAP TargetPicture();
// The crosshair pointer; shared, never destroyed.
HCURSOR TargetPointer();

}  // namespace tarnwick::win32
