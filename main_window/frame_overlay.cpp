// The frame as a window of the program's own, laid over the target: seen on every window of a
// composed desktop, and gone without any other window repainting.

#include <cstdint>

#include "main_window/frame_geometry.h"
#include "main_window/frmMain.h"
#include "platform/physical_pixels.h"

namespace tarnwick {

void frmMain::ShowOverlayFrame(Hwnd winHandle) {
    Win32Api& win32 = platform_.win32;
    // The overlay is placed in the same physical pixels that the window was measured in.
    const PhysicalPixels physical(win32);
    Rect window{};
    const Rect shown = FrameBounds(win32, winHandle, window);
    if (shown.right <= shown.left || shown.bottom <= shown.top) {
        return;  // a window that is gone, or has no area, gets no frame
    }
    // The overlay covers the frame's rectangle; the strips are in its own coordinates.
    const Rect seen = OnItsMonitor(win32, winHandle, shown);
    const auto strips =
        FrameStrips(std::int64_t{seen.left} - shown.left, std::int64_t{seen.top} - shown.top,
                    std::int64_t{seen.right} - shown.left, std::int64_t{seen.bottom} - shown.top);
    if (!strips) {
        return;
    }
    win32.ShowFrameOverlay(shown, *strips, m_BorderColor);
}

}  // namespace tarnwick
