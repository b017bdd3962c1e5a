#pragma once
// Every window under a point of the screen, from the top of the z-order down: what a capture
// lists so that repeated captures can reach the windows that the window under the pointer hides
// or that WindowFromPoint passes over (disabled, transparent, layered and cloaked windows).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace tarnwick {

struct StackedWindow {
    Hwnd handle = 0;
    bool cloaked = false;
};

// A stack holds at most this many windows; at most kWindowsLookedAt windows are looked at.
inline constexpr std::size_t kStackLimit = 256;
inline constexpr std::size_t kWindowsLookedAt = 20000;

// The visible windows whose rectangle holds the point (physical pixels): each top-level window
// from the top of the z-order down, preceded by its child windows that hold the point, deepest
// first. The windows of the process ownProcess (the program's own, its overlay included) are left
// out.
std::vector<StackedWindow> WindowsAtPoint(const Platform& platform, Point point,
                                          std::uint32_t ownProcess);

// The window to show after `shown` on a further capture at the same point: the next one down the
// stack, the first again after the last (or when `shown` is not in it). 0 for an empty stack.
Hwnd NextInStack(const std::vector<StackedWindow>& stack, Hwnd shown);

}  // namespace tarnwick
