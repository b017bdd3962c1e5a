#pragma once
// Functions of system DLLs that Windows does not load from its own list of known DLLs. The
// program imports those at run time, from the system folder only: a DLL of the same name left
// beside the program (a Downloads folder is enough) must never be loaded.

#include <bit>

#include "platform/win32/windows_api.h"

namespace tarnwick::win32 {

// Takes the program's folder and the current folder out of the DLL search of the process.
// Called first thing at start-up, before any DLL is loaded at run time.
void RestrictDllSearchToSystemFolder() noexcept;

// The DLL of that name from the system folder, kept loaded for the life of the process; null when
// the system has none.
HMODULE SystemLibrary(const wchar_t* name) noexcept;

// A function of a system DLL, or null when the system lacks the DLL or the function: each caller
// has a fallback for that case. Callers look a function up once and keep it.
template <class Function>
Function* SystemFunction(const wchar_t* library, const char* name) noexcept {
    const HMODULE module = SystemLibrary(library);
    const FARPROC found = module != nullptr ? ::GetProcAddress(module, name) : nullptr;
    return std::bit_cast<Function*>(found);
}

}  // namespace tarnwick::win32
