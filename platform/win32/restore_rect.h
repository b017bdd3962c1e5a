#pragma once
// Where a minimised window comes back to, in screen coordinates.

#include "platform/win32/windows_api.h"

namespace tarnwick::win32 {

// The window's restore rectangle (its place before it was minimised or maximised); false when
// the system cannot tell.
bool RestoreRectOnScreen(HWND window, RECT& rect);

}  // namespace tarnwick::win32
