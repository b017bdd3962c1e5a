#pragma once
// How the frame on the target is shown: painted into the target's own window, or as a window of
// the program's own laid over the target. The settings file chooses; by default the overlay is
// taken where the desktop is composed (there, painting into another program's window is hidden
// under what the window manager composes over it).

#include <cstdint>

#include "platform/win32_api.h"

namespace tarnwick {

enum class FrameStyle { Painted, Overlay };

// "General"/"FrameStyle" as read: 0 painted, 1 overlay, anything else (another number, a word)
// automatic.
inline constexpr std::int32_t kFrameStylePainted = 0;
inline constexpr std::int32_t kFrameStyleOverlay = 1;
inline constexpr std::int32_t kFrameStyleAutomatic = 2;

// Reads the setting and, for the automatic style, asks whether the desktop is composed.
FrameStyle ReadFrameStyle(Win32Api& win32);

}  // namespace tarnwick
