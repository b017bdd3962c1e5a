#include "tests/e2e/case_folder.h"

#include <windows.h>

#include <vector>

namespace tarnwick::e2e {

namespace {

std::wstring FileNameFor(std::wstring_view name) {
    std::wstring result(name);
    for (wchar_t& c : result) {
        if (c < 0x20 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos) {
            c = L'_';
        }
    }
    return result;
}

}  // namespace

CaseFolder::CaseFolder(Check& check, const Environment& env, std::wstring_view name, HelpCopy help)
    : check_(check), path_(env.workRoot + L"\\" + FileNameFor(name)) {
    if (const std::wstring local = LocalSettingsFolder(); !local.empty()) {
        RemoveTree(local);
    }
    RemoveTree(path_);
    if (!CreateDirectoryW(path_.c_str(), nullptr)) {
        check_.Abort(L"create the case folder", path_, L"error " + std::to_wstring(GetLastError()));
    }
    if (!CopyFileW(env.exePath.c_str(), ExePath().c_str(), FALSE)) {
        check_.Abort(L"copy Tarnwick.exe into the case folder", ExePath(),
                     L"error " + std::to_wstring(GetLastError()));
    }
    if (help == HelpCopy::Yes && !env.helpPath.empty() &&
        !CopyFileW(env.helpPath.c_str(), File(L"Tarnwick.hlp").c_str(), FALSE)) {
        check_.Abort(L"copy Tarnwick.hlp into the case folder", File(L"Tarnwick.hlp"),
                     L"error " + std::to_wstring(GetLastError()));
    }
}

void CaseFolder::WriteIni(std::string_view bytes) const {
    if (!WriteWholeFile(IniPath(), bytes)) {
        check_.Abort(L"write the prepared Tarnwick.ini", IniPath(),
                     L"error " + std::to_wstring(GetLastError()));
    }
}

std::optional<std::string> CaseFolder::ReadIni() const {
    return ReadWholeFile(IniPath());
}

std::wstring LocalSettingsFolder() {
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(folder, length) + L"\\Tarnwick" : L"";
}

bool WriteWholeFile(const std::wstring& path, std::string_view bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    CloseHandle(file);
    return bytes;
}

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW entry;
    const HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring child = path + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

std::optional<std::wstring> ReadIniValue(const std::wstring& iniPath, std::wstring_view section,
                                         std::wstring_view key) {
    // A default that no real value has tells a missing key from an empty one.
    constexpr wchar_t kMissing[] = L"\x01missing\x01";
    std::vector<wchar_t> buffer(4096);
    GetPrivateProfileStringW(std::wstring(section).c_str(), std::wstring(key).c_str(), kMissing,
                             buffer.data(), static_cast<DWORD>(buffer.size()), iniPath.c_str());
    const std::wstring value = buffer.data();
    if (value == kMissing) {
        return std::nullopt;
    }
    return value;
}

}  // namespace tarnwick::e2e
