#include "app/settings_location.h"

#include <cstddef>

#include "app/modFileDir.h"
#include "app/settings.h"

namespace tarnwick {

namespace {

// The settings functions take paths of at most 259 characters (MAX_PATH with its terminator).
constexpr std::size_t kLongestSettingsPath = 259;

// The file beside the program by a path the settings functions take, if it can be used there.
std::wstring UsableBesideProgram(Win32Api& win32, const std::wstring& programFolder) {
    const std::wstring beside = modFileDir::JoinPath(programFolder, kIniFileName);
    if (beside.size() <= kLongestSettingsPath) {
        return win32.CanReadAndWriteFile(beside) ? beside : std::wstring();
    }
    const std::wstring shortFolder = win32.GetShortPathName(programFolder);
    if (shortFolder.empty()) {
        return {};
    }
    const std::wstring shortBeside = modFileDir::JoinPath(shortFolder, kIniFileName);
    if (shortBeside.size() > kLongestSettingsPath || !win32.CanReadAndWriteFile(shortBeside)) {
        return {};
    }
    return shortBeside;
}

}  // namespace

std::wstring ChooseSettingsFile(Win32Api& win32, const std::wstring& programFolder) {
    const std::wstring usable = UsableBesideProgram(win32, programFolder);
    if (!usable.empty()) {
        return usable;
    }
    const std::wstring beside = modFileDir::JoinPath(programFolder, kIniFileName);
    const std::wstring localAppData = win32.GetLocalAppDataFolder();
    if (localAppData.empty()) {
        return beside;
    }
    const std::wstring folder = modFileDir::JoinPath(localAppData, kLocalSettingsFolder);
    const std::wstring local = modFileDir::JoinPath(folder, kIniFileName);
    if (local.size() > kLongestSettingsPath || !win32.CreateDirectory(folder) ||
        !win32.CanReadAndWriteFile(local)) {
        return beside;
    }
    // Only where there is no local file yet: the settings made beside the program carry over.
    win32.CopyFile(beside, local);
    return local;
}

}  // namespace tarnwick
