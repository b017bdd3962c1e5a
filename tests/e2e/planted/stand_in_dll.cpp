// A stand-in for a system DLL that a careless program would load from its own folder (built as
// dwmapi.dll and as comctl32.dll). Loaded anywhere, it leaves "<its file name>.loaded" beside
// itself, holding the path of the program that loaded it. It exports the functions Tarnwick
// takes from the real DLLs, so that a program importing them would start and be caught.

#include <windows.h>

#include <string>

namespace {

void LeaveMarker(HMODULE self) {
    wchar_t own[MAX_PATH * 2] = {};
    wchar_t host[MAX_PATH * 2] = {};
    if (GetModuleFileNameW(self, own, MAX_PATH * 2) == 0) {
        return;
    }
    GetModuleFileNameW(nullptr, host, MAX_PATH * 2);
    const std::wstring marker = std::wstring(own) + L".loaded";
    const HANDLE file = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    WriteFile(file, host, static_cast<DWORD>(lstrlenW(host) * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        LeaveMarker(self);
    }
    return TRUE;
}

__declspec(dllexport) HRESULT WINAPI DwmGetWindowAttribute(HWND, DWORD, PVOID, DWORD) {
    return E_NOTIMPL;
}

__declspec(dllexport) HRESULT WINAPI DwmIsCompositionEnabled(BOOL* enabled) {
    if (enabled != nullptr) {
        *enabled = FALSE;
    }
    return S_OK;
}

__declspec(dllexport) BOOL WINAPI InitCommonControlsEx(const void*) {
    return FALSE;
}

__declspec(dllexport) void WINAPI InitCommonControls() {}

}  // extern "C"
