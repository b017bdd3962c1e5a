#pragma once
// The window system's mouse-button messages, by their numbers, and the button each one presses.
// A window class with CS_DBLCLKS (the system's STATIC class, which the drag target is, has it)
// gets the second of two quick presses at one spot as a double-click message instead of a
// press; for the program it is a press like any other.

#include <cstdint>

namespace tarnwick {

inline constexpr std::uint32_t kWmLButtonDown = 0x0201;
inline constexpr std::uint32_t kWmLButtonDblClk = 0x0203;
inline constexpr std::uint32_t kWmRButtonDown = 0x0204;
inline constexpr std::uint32_t kWmRButtonDblClk = 0x0206;
inline constexpr std::uint32_t kWmMButtonDown = 0x0207;
inline constexpr std::uint32_t kWmMButtonDblClk = 0x0209;

// The button the message presses, numbered as MouseArgs numbers it (1 left, 2 right, 4 middle);
// 0 for a message that presses none.
constexpr std::int16_t PressedButton(std::uint32_t message) {
    switch (message) {
        case kWmLButtonDown:
        case kWmLButtonDblClk:
            return 1;
        case kWmRButtonDown:
        case kWmRButtonDblClk:
            return 2;
        case kWmMButtonDown:
        case kWmMButtonDblClk:
            return 4;
        default:
            return 0;
    }
}

}  // namespace tarnwick
