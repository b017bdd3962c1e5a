#pragma once
// The system-wide hotkey that captures the window on display, as the settings file writes it
// ("General"/"CaptureHotkey"): modifiers joined by "+", then one key, e.g. "Ctrl+Shift+F8",
// "Alt+F9", "Win+Shift+C", "Ctrl+0x7B", or "none" for no hotkey at all.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// The modifiers as RegisterHotKey takes them.
inline constexpr std::uint32_t kModAlt = 0x0001;
inline constexpr std::uint32_t kModControl = 0x0002;
inline constexpr std::uint32_t kModShift = 0x0004;
inline constexpr std::uint32_t kModWin = 0x0008;

struct Hotkey {
    std::uint32_t modifiers = 0;   // kMod* bits
    std::uint32_t virtualKey = 0;  // 0x01..0xFE
    friend bool operator==(const Hotkey&, const Hotkey&) = default;
};

inline constexpr Hotkey kDefaultCaptureHotkey{kModControl | kModShift, 0x77 /* VK_F8 */};

// The hotkey the text names; nothing for "none" (the hotkey is off). A text that does not parse
// gives the default, so that a mistyped setting leaves the user a hotkey rather than none.
//
// The text is any number of the modifiers Ctrl, Alt, Shift and Win, each at most once and in any
// order, each followed by "+", then exactly one key: a letter A-Z, a digit 0-9, F1 to F24, Pause,
// Insert, Home, End, PageUp, PageDown, or a virtual-key code "0x01" to "0xFE" (one or two hex
// digits). A key alone, without modifiers, is a hotkey too ("Pause"). Names and hex digits are
// compared without regard to ASCII case; blanks and tabs around the text and around each part are
// ignored, but not inside a name ("Page Up", "F 8"). "none" counts only alone ("Ctrl+none" does
// not parse). Not parsing: an empty text or part ("Ctrl+", "Ctrl++A"), a repeated modifier, a
// modifier as the key ("Ctrl+Shift"), two keys ("Ctrl+A+B"), an unknown name, "F0", "F25", an
// F-key with a leading zero ("F08"), "0x00", "0xFF", or more than two hex digits ("0x07B").
std::optional<Hotkey> ParseHotkey(std::wstring_view text);

// "Ctrl+Shift+F8": the text a user writes for the hotkey, for the tooltip and the help; the
// modifiers in the order Ctrl, Alt, Shift, Win, the key by its name where it has one of those
// above, any other code as "0x" and (at least) two upper-case hex digits. Modifier bits other
// than the four are not written. ParseHotkey reads the text of a hotkey with only those four and a
// code 0x01 to 0xFE back as the same hotkey.
std::wstring HotkeyText(const Hotkey& hotkey);

}  // namespace tarnwick
