#include "platform/win32/system_library.h"

#include <string>

namespace tarnwick::win32 {

namespace {

// Part of kernel32 since Windows 8, and of Windows 7 with its DLL-search update; looked up so
// that the program still starts where it is missing.
using SetDefaultDllDirectoriesFunction = BOOL WINAPI(DWORD);

bool HasSearchFlags() noexcept {
    static const bool has = ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"),
                                             "SetDefaultDllDirectories") != nullptr;
    return has;
}

std::wstring SystemFolderPath(const wchar_t* name) {
    std::wstring folder(MAX_PATH, L'\0');
    const UINT length = ::GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    if (length == 0 || length >= folder.size()) {
        return {};
    }
    folder.resize(length);
    folder.append(L"\\").append(name);
    return folder;
}

}  // namespace

void RestrictDllSearchToSystemFolder() noexcept {
    const auto setDefault = std::bit_cast<SetDefaultDllDirectoriesFunction*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories"));
    if (setDefault == nullptr || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        // Without the search flags the current folder at least leaves the search; the program
        // folder stays in it, which is why SystemLibrary names every DLL by its full path there.
        ::SetDllDirectoryW(L"");
    }
}

HMODULE SystemLibrary(const wchar_t* name) noexcept {
    if (HasSearchFlags()) {
        return ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    try {
        const std::wstring path = SystemFolderPath(name);
        // By its full path, and with the DLLs it needs looked for in the system folder first
        // rather than in the program's.
        return path.empty()
                   ? nullptr
                   : ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    } catch (...) {
        return nullptr;
    }
}

}  // namespace tarnwick::win32
