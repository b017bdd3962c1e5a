#pragma once
// Putting text on the clipboard without keeping the window waiting.

#include <string_view>

#include "platform/win32_api.h"

namespace tarnwick {

// Another program may hold the clipboard open for a moment (a clipboard viewer reading it):
// opening is tried a few times with short pauses, 40 ms at most in all. When the clipboard
// stays busy, or the text cannot be put on it, the user hears a short beep and nothing else
// happens. True when the text is on the clipboard as Unicode text.
bool PutOnClipboard(Win32Api& win32, Hwnd owner, std::wstring_view text);

inline constexpr int kClipboardOpenAttempts = 5;
inline constexpr std::uint32_t kClipboardRetryPauseMs = 10;

}  // namespace tarnwick
