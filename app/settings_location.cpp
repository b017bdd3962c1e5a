#include "app/settings_location.h"

#include <cstddef>

#include "app/modFileDir.h"
#include "app/settings.h"

namespace tarnwick {

namespace {

// The settings functions take paths of at most 259 characters (MAX_PATH with its terminator).
constexpr std::size_t kLongestSettingsPath = 259;

// The settings file in a folder: one call of JoinPath where four would each set up its arguments.
std::wstring IniFileIn(const std::wstring& folder) {
    return modFileDir::JoinPath(folder, kIniFileName);
}

// The file beside the program by a path the settings functions take, if it can be used there.
bool UsableBesideProgram(Win32Api& win32, const std::wstring& programFolder, std::wstring& usable) {
    usable = IniFileIn(programFolder);
    if (usable.size() <= kLongestSettingsPath) {
        return win32.CanReadAndWriteFile(usable);
    }
    const std::wstring shortFolder = win32.GetShortPathName(programFolder);
    if (shortFolder.empty()) {
        return false;
    }
    usable = IniFileIn(shortFolder);
    return usable.size() <= kLongestSettingsPath && win32.CanReadAndWriteFile(usable);
}

}  // namespace

std::wstring ChooseSettingsFile(Win32Api& win32, const std::wstring& programFolder) {
    std::wstring usable;
    if (UsableBesideProgram(win32, programFolder, usable)) {
        return usable;
    }
    std::wstring beside = IniFileIn(programFolder);
    const std::wstring localAppData = win32.GetLocalAppDataFolder();
    if (localAppData.empty()) {
        return beside;
    }
    const std::wstring folder = modFileDir::JoinPath(localAppData, kLocalSettingsFolder);
    std::wstring local = IniFileIn(folder);
    if (local.size() > kLongestSettingsPath || !win32.CreateDirectory(folder) ||
        !win32.CanReadAndWriteFile(local)) {
        return beside;
    }
    // Only where there is no local file yet: the settings made beside the program carry over.
    win32.CopyFile(beside, local);
    return local;
}

}  // namespace tarnwick
