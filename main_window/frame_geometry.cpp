#include "main_window/frame_geometry.h"

#include <algorithm>
#include <limits>

namespace tarnwick {

namespace {

constexpr std::int64_t kFrameThickness = 4;

bool FitsInt32(std::int64_t value) {
    return value >= std::numeric_limits<std::int32_t>::min() &&
           value <= std::numeric_limits<std::int32_t>::max();
}

}  // namespace

std::optional<std::array<Rect, 4>> FrameStrips(std::int64_t left, std::int64_t top,
                                               std::int64_t right, std::int64_t bottom) {
    const std::int64_t values[] = {left,
                                   top,
                                   right,
                                   bottom,
                                   left + kFrameThickness,
                                   top + kFrameThickness,
                                   right - kFrameThickness,
                                   bottom - kFrameThickness};
    for (const std::int64_t value : values) {
        if (!FitsInt32(value)) {
            return std::nullopt;
        }
    }
    const auto l = static_cast<std::int32_t>(left);
    const auto t = static_cast<std::int32_t>(top);
    const auto r = static_cast<std::int32_t>(right);
    const auto b = static_cast<std::int32_t>(bottom);
    constexpr std::int32_t thick = kFrameThickness;
    return std::array{Rect{l, t, l + thick, b}, Rect{l, t, r, t + thick}, Rect{r - thick, t, r, b},
                      Rect{l, b - thick, r, b}};
}

Rect FrameBounds(Win32Api& win32, Hwnd winHandle, Rect& window) {
    window = Rect{};
    win32.GetWindowRect(winHandle, window);
    Rect visible{};
    if (win32.GetVisibleFrameBounds(winHandle, visible)) {
        return visible;
    }
    return window;
}

Rect OnItsMonitor(Win32Api& win32, Hwnd winHandle, const Rect& bounds) {
    Rect monitor{};
    if (!win32.GetMonitorRect(winHandle, monitor)) {
        return bounds;
    }
    const Rect part{std::max(bounds.left, monitor.left), std::max(bounds.top, monitor.top),
                    std::min(bounds.right, monitor.right), std::min(bounds.bottom, monitor.bottom)};
    if (part.left >= part.right || part.top >= part.bottom) {
        return bounds;
    }
    return part;
}

}  // namespace tarnwick
