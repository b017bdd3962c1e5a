#pragma once
// Where the frame lies on a window: four strips of four pixels along the edges of what the user
// sees of the window.

#include <array>
#include <cstdint>
#include <optional>

#include "platform/win32_api.h"

namespace tarnwick {

// The four strips (left, top, right, bottom) along the edges of the rectangle. Nothing when a
// coordinate would leave the 32-bit range: such a rectangle is no window's, and clipped strips
// would land in the wrong place.
std::optional<std::array<Rect, 4>> FrameStrips(std::int64_t left, std::int64_t top,
                                               std::int64_t right, std::int64_t bottom);

// The part of the window the frame goes on, in screen pixels: where the window manager draws less
// than the window rectangle (invisible resize borders), what the user sees. `window` receives the
// window rectangle (all zero when the window is gone).
Rect FrameBounds(Win32Api& win32, Hwnd winHandle, Rect& window);

// The part of the frame's rectangle on the window's monitor, in the same pixels: where the
// window reaches beyond the monitor (a maximised window, one larger than the screen), the strips
// run along the monitor's edges, inside the window, where they are seen. The rectangle as it is
// where the window lies wholly on its monitor, or on none.
Rect OnItsMonitor(Win32Api& win32, Hwnd winHandle, const Rect& bounds);

}  // namespace tarnwick
