#pragma once
// The settings file Tarnwick.ini: its name, sections, keys and defaults.

#include <cstdint>
#include <string>

namespace tarnwick {

inline constexpr wchar_t kIniFileName[] = L"Tarnwick.ini";
inline constexpr wchar_t kHelpFileReference[] = L"Tarnwick.hlp>second";

inline constexpr wchar_t kSectionGeneral[] = L"General";
inline constexpr wchar_t kKeyTrackForeground[] = L"TrackForeground";
inline constexpr wchar_t kKeyTrackTarget[] = L"TrackTarget";
inline constexpr wchar_t kKeyBorderColor[] = L"BorderColor";
inline constexpr wchar_t kKeyDisableKeepOnTop[] = L"DisableKeepOnTop";
inline constexpr wchar_t kKeyFrameStyle[] = L"FrameStyle";
inline constexpr wchar_t kKeyCaptureHotkey[] = L"CaptureHotkey";
// The help's field that names the capture hotkey in use.
inline constexpr wchar_t kHelpFieldCaptureHotkey[] = L"CaptureHotkey";

inline constexpr wchar_t kSectionPosition[] = L"Position";
inline constexpr wchar_t kKeyLeft[] = L"left";
inline constexpr wchar_t kKeyTop[] = L"top";
inline constexpr wchar_t kKeyWidth[] = L"width";
inline constexpr wchar_t kKeyHeight[] = L"height";
inline constexpr wchar_t kKeyWindowState[] = L"windowstate";

// The Details window: its placement, with the keys of "Position", and whether it was open.
inline constexpr wchar_t kSectionDetails[] = L"Details";
inline constexpr wchar_t kKeyOpen[] = L"Open";

inline constexpr std::int32_t kDefaultBorderColor = 16711680;  // pure blue

// Full path of the settings file; fixed once at start-up, named by every read and write.
extern std::wstring g_IniFile;

}  // namespace tarnwick
