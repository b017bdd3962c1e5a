// The file and folder services that place the settings file: beside the program, by its short
// path, or in the user's local application-data folder.

#include <algorithm>
#include <string>

#include "platform/win32/system_library.h"
#include "platform/win32/win32_services.h"

namespace tarnwick::win32 {

namespace {

constexpr std::wstring_view kExtendedPrefix = L"\\\\?\\";

// A path that the file functions take whatever its length: one of MAX_PATH or more gets the
// extended-length prefix, which turns off the length limit (and any rewriting of the path, which
// the full paths of the settings file never need).
std::wstring ExtendedPath(std::wstring_view path) {
    if (path.size() < MAX_PATH || path.starts_with(kExtendedPrefix)) {
        return std::wstring(path);
    }
    std::wstring extended(kExtendedPrefix);
    if (path.starts_with(L"\\\\")) {
        extended.append(L"UNC").append(path.substr(1));
    } else {
        extended.append(path);
    }
    return extended;
}

// The path as the caller wrote it, without the prefix ExtendedPath may have added.
std::wstring WithoutExtendedPrefix(std::wstring path) {
    if (path.starts_with(L"\\\\?\\UNC\\")) {
        return L"\\" + path.substr(7);
    }
    if (path.starts_with(kExtendedPrefix)) {
        return path.substr(kExtendedPrefix.size());
    }
    return path;
}

using SHGetKnownFolderPathFunction = HRESULT WINAPI(const GUID&, DWORD, HANDLE, PWSTR*);
using CoTaskMemFreeFunction = void WINAPI(LPVOID);

// FOLDERID_LocalAppData.
constexpr GUID kLocalAppDataFolderId{
    0xF1B32785, 0x6FBA, 0x4FCF, {0x9D, 0x55, 0x7B, 0x8E, 0x7F, 0x15, 0x70, 0x91}};

}  // namespace

std::wstring Win32Services::GetShortPathName(std::wstring_view path) {
    const std::wstring extended = ExtendedPath(path);
    std::wstring shortPath(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetShortPathNameW(extended.c_str(), shortPath.data(),
                                                 static_cast<DWORD>(shortPath.size()));
        if (length == 0) {
            return {};
        }
        if (length < shortPath.size()) {
            shortPath.resize(length);
            return WithoutExtendedPrefix(std::move(shortPath));
        }
        shortPath.resize(length);
    }
}

bool Win32Services::CanReadAndWriteFile(std::wstring_view path) {
    const std::wstring extended = ExtendedPath(path);
    constexpr DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE file = ::CreateFileW(extended.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_SHARING_VIOLATION) {
            return true;  // open in another program for the moment: the file itself is fine
        }
        if (error != ERROR_FILE_NOT_FOUND) {
            return false;
        }
        // None yet: made and gone again, so that a folder that stays writable stays as it was.
        file =
            ::CreateFileW(extended.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, share, nullptr,
                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return false;
        }
    }
    ::CloseHandle(file);
    return true;
}

std::wstring Win32Services::GetLocalAppDataFolder() {
    static const auto getKnownFolderPath =
        SystemFunction<SHGetKnownFolderPathFunction>(L"shell32.dll", "SHGetKnownFolderPath");
    static const auto coTaskMemFree =
        SystemFunction<CoTaskMemFreeFunction>(L"ole32.dll", "CoTaskMemFree");
    if (getKnownFolderPath == nullptr || coTaskMemFree == nullptr) {
        return {};
    }
    PWSTR found = nullptr;
    const HRESULT result = getKnownFolderPath(kLocalAppDataFolderId, 0, nullptr, &found);
    // The shell's text is freed whatever becomes of the copy.
    const struct Freed {
        PWSTR text;
        ~Freed() { coTaskMemFree(text); }
    } freed{found};
    return SUCCEEDED(result) && found != nullptr ? std::wstring(found) : std::wstring();
}

bool Win32Services::CreateDirectory(std::wstring_view path) {
    const std::wstring extended = ExtendedPath(path);
    if (::CreateDirectoryW(extended.c_str(), nullptr)) {
        return true;
    }
    const DWORD attributes = ::GetFileAttributesW(extended.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32Services::CopyFile(std::wstring_view from, std::wstring_view to) {
    const std::wstring target = ExtendedPath(to);
    if (!::CopyFileW(ExtendedPath(from).c_str(), target.c_str(), TRUE)) {
        return false;
    }
    // The copy takes the original's attributes; it is written to, also where the original was
    // made read-only.
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        ::SetFileAttributesW(target.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
    }
    return true;
}

namespace {

// The most of a section read: far beyond what a person writes into a settings file.
constexpr DWORD kSectionCapacity = 65536;

std::wstring_view TrimBlanks(std::wstring_view text) {
    const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

std::vector<ProfileEntry> Win32Services::GetPrivateProfileSection(std::wstring_view section,
                                                                  std::wstring_view file) {
    // The lines come as "key=value" strings, each ending in a NUL; a buffer too small for them
    // is filled to its size less two, so it is tried again larger.
    std::wstring lines;
    for (DWORD size = 4096;; size *= 2) {
        lines.assign(size, L'\0');
        const DWORD copied = ::GetPrivateProfileSectionW(
            std::wstring(section).c_str(), lines.data(), size, std::wstring(file).c_str());
        if (copied + 2 < size || size >= kSectionCapacity) {
            lines.resize(std::min(copied, size));
            break;
        }
    }
    std::vector<ProfileEntry> entries;
    for (std::size_t start = 0; start < lines.size();) {
        std::size_t end = lines.find(L'\0', start);
        end = end == std::wstring::npos ? lines.size() : end;
        const std::wstring_view line(lines.data() + start, end - start);
        start = end + 1;
        const std::size_t equals = line.find(L'=');
        const std::wstring_view key = TrimBlanks(line.substr(0, equals));
        if (equals != std::wstring_view::npos && !key.empty() && key.front() != L';') {
            entries.push_back(
                {std::wstring(key), std::wstring(TrimBlanks(line.substr(equals + 1)))});
        }
    }
    return entries;
}

}  // namespace tarnwick::win32
