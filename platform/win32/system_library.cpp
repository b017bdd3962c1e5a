#include "platform/win32/system_library.h"

#include <algorithm>
#include <cwchar>
#include <iterator>

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
    // By its full path, and with the DLLs it needs looked for in the system folder first rather
    // than in the program's.
    wchar_t path[2 * MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(path, MAX_PATH);
    const std::size_t nameLength = std::wcslen(name);
    if (length == 0 || length >= MAX_PATH || length + 1 + nameLength >= std::size(path)) {
        return nullptr;
    }
    path[length] = L'\\';
    std::copy(name, name + nameLength + 1, path + length + 1);
    return ::LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace tarnwick::win32
