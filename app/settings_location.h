#pragma once
// Where the settings file lives: beside the program wherever it can be read and written there,
// else in the user's local application-data folder, so that no setting is lost.

#include <string>

#include "platform/win32_api.h"

namespace tarnwick {

// The folder under the local application-data folder that holds the settings file there.
inline constexpr wchar_t kLocalSettingsFolder[] = L"Tarnwick";
// The help field that names the settings file in use.
inline constexpr wchar_t kHelpFieldSettingsFile[] = L"SettingsFile";

// The settings file for a program in programFolder:
// - Tarnwick.ini beside the program, when it can be read and written there; where its path is
//   too long for the settings functions, by its short (8.3) path, where the volume has one.
// - Otherwise Tarnwick\Tarnwick.ini in the local application-data folder, made as needed. When
//   there is none yet, it starts as a copy of the file beside the program, so that the settings
//   made there are kept; the file beside the program is never written.
// - Tarnwick.ini beside the program, as before, when neither can be used.
std::wstring ChooseSettingsFile(Win32Api& win32, const std::wstring& programFolder);

}  // namespace tarnwick
