#pragma once
// The frame as a window of the program's own: a layered pop-up above every other window, shaped
// to the four strips of the frame, never activated, not in the taskbar or the Alt+Tab list, and
// transparent to the pointer, so that the window under the pointer is always the one beneath.

#include <span>

#include "platform/win32/windows_api.h"

namespace tarnwick::win32 {

class FrameOverlay {
  public:
    FrameOverlay() = default;
    ~FrameOverlay() { Destroy(); }
    FrameOverlay(const FrameOverlay&) = delete;
    FrameOverlay& operator=(const FrameOverlay&) = delete;

    // Makes the window on first use (in the calling thread's DPI context, which then holds for
    // its placement), shapes it to the strips (in its own coordinates), places it over the
    // screen rectangle and shows it without activating anything.
    void Show(const Rect& placement, std::span<const Rect> strips, ColorRef color);
    void Hide();
    void Destroy();

    // The overlay's window; null before the first frame and after the end.
    HWND handle() const { return window_; }

  private:
    HWND window_ = nullptr;
};

}  // namespace tarnwick::win32
