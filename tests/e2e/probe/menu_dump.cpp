// Loaded into Tarnwick's process by the driver. Wine keeps menus inside the process that made
// them, so another process cannot read a menu bar; loaded in here, the ordinary menu functions
// see it. On load the library starts a thread that has the menu bars of the process's top-level
// windows written to the dump file, then unloads the library.

#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/e2e/probe/menu_dump_file.h"

namespace {

using tarnwick::e2e::MenuDumpPath;

std::string Utf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

void DumpMenu(HMENU menu, int depth, std::string& out) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
        GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
        wchar_t text[512] = {};
        GetMenuStringW(menu, static_cast<UINT>(position), text, 512, MF_BYPOSITION);
        char fields[128];
        std::snprintf(fields, sizeof(fields), "item %d %d %u %X %X %d ", depth, position, info.wID,
                      info.fType, info.fState, info.hSubMenu != nullptr ? 1 : 0);
        out += fields + Utf8(text) + "\n";
        if (info.hSubMenu != nullptr) {
            DumpMenu(info.hSubMenu, depth + 1, out);
        }
    }
}

// The width of an icon's image; 0 when there is no icon.
int IconWidth(HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) {
        return 0;
    }
    BITMAP bitmap{};
    GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor != nullptr) {
        DeleteObject(info.hbmColor);
    }
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

// The thread of a window of this process that has a menu bar; 0 for any other window.
DWORD OwnMenuThread(HWND window) {
    DWORD processId = 0;
    const DWORD threadId = GetWindowThreadProcessId(window, &processId);
    return processId == GetCurrentProcessId() && GetMenu(window) != nullptr ? threadId : 0;
}

// The control's id and the height of its font.
BOOL CALLBACK DumpFont(HWND control, LPARAM parameter) {
    LOGFONTW font{};
    const auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    if (handle == nullptr || GetObjectW(handle, sizeof font, &font) == 0) {
        return TRUE;
    }
    char line[64];
    std::snprintf(line, sizeof(line), "font %d %ld\n", GetDlgCtrlID(control), font.lfHeight);
    *reinterpret_cast<std::string*>(parameter) += line;
    return TRUE;
}

BOOL CALLBACK DumpWindow(HWND window, LPARAM parameter) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != GetCurrentProcessId()) {
        return TRUE;
    }
    const HMENU menu = GetMenu(window);
    auto& out = *reinterpret_cast<std::string*>(parameter);
    wchar_t className[256] = {};
    GetClassNameW(window, className, 256);
    char handle[32];
    std::snprintf(handle, sizeof(handle), "window %llX ",
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
    out += handle + Utf8(className) + "\n";
    std::snprintf(handle, sizeof(handle), "icons %d %d\n",
                  IconWidth(reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON))),
                  IconWidth(reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM))));
    out += handle;
    if (menu != nullptr) {
        DumpMenu(menu, 0, out);
    }
    EnumChildWindows(window, DumpFont, parameter);
    return TRUE;
}

// The menus are read on the thread that owns them: the process's user-interface thread reads
// and changes them on every tick, and Wine's menu code is not safe to run from two threads at
// once. A message hook runs the dump there the next time that thread takes a message.
std::string g_dump;
HANDLE g_dumped = nullptr;

LRESULT CALLBACK DumpOnUiThread(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0 && WaitForSingleObject(g_dumped, 0) == WAIT_TIMEOUT) {
        EnumWindows(DumpWindow, reinterpret_cast<LPARAM>(&g_dump));
        g_dump += "end\n";
        SetEvent(g_dumped);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK FindUiThread(HWND window, LPARAM parameter) {
    const DWORD threadId = OwnMenuThread(window);
    if (threadId == 0) {
        return TRUE;
    }
    *reinterpret_cast<DWORD*>(parameter) = threadId;
    return FALSE;
}

void WriteDump(const std::string& out) {
    const std::wstring path = MenuDumpPath(GetCurrentProcessId());
    const std::wstring partial = path + L".part";
    const HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        const BOOL ok =
            WriteFile(file, out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
        CloseHandle(file);
        if (ok) {
            MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
        }
    }
}

DWORD WINAPI DumpAndUnload(LPVOID module) {
    DWORD uiThread = 0;
    EnumWindows(FindUiThread, reinterpret_cast<LPARAM>(&uiThread));
    g_dumped = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const HHOOK hook = uiThread != 0 && g_dumped != nullptr
                           ? SetWindowsHookExW(WH_GETMESSAGE, DumpOnUiThread,
                                               static_cast<HMODULE>(module), uiThread)
                           : nullptr;
    if (hook != nullptr) {
        PostThreadMessageW(uiThread, WM_NULL, 0, 0);
        const bool dumped = WaitForSingleObject(g_dumped, 2000) == WAIT_OBJECT_0;
        UnhookWindowsHookEx(hook);
        if (dumped) {
            WriteDump(g_dump);
        }
    }
    if (g_dumped != nullptr) {
        CloseHandle(g_dumped);
    }
    FreeLibraryAndExitThread(static_cast<HMODULE>(module), 0);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    // The work runs on a thread of its own: the loader lock is held while DllMain runs.
    if (reason == DLL_PROCESS_ATTACH) {
        const HANDLE thread = CreateThread(nullptr, 0, DumpAndUnload, module, 0, nullptr);
        if (thread != nullptr) {
            CloseHandle(thread);
        }
    }
    return TRUE;
}
