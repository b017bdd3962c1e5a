#include "tests/e2e/menu_probe.h"

#include <cwchar>
#include <sstream>

#include "tests/e2e/case_folder.h"
#include "tests/e2e/probe/menu_dump_file.h"
#include "tests/e2e/text.h"
#include "tests/e2e/wait.h"

namespace tarnwick::e2e {

namespace {

constexpr DWORD kProbeTimeoutMs = 3000;

bool LoadProbe(HANDLE process, const std::wstring& probePath) {
    const SIZE_T bytes = (probePath.size() + 1) * sizeof(wchar_t);
    void* remote =
        VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (remote == nullptr) {
        return false;
    }
    bool loaded = false;
    if (WriteProcessMemory(process, remote, probePath.c_str(), bytes, nullptr)) {
        // kernel32 lies at the same address in every process of a session.
        const auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
        const HANDLE thread =
            CreateRemoteThread(process, nullptr, 0, loadLibrary, remote, 0, nullptr);
        if (thread != nullptr) {
            DWORD module = 0;
            loaded = WaitForSingleObject(thread, kProbeTimeoutMs) == WAIT_OBJECT_0 &&
                     GetExitCodeThread(thread, &module) && module != 0;
            CloseHandle(thread);
        }
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return loaded;
}

std::optional<ProbedWindow> ParseWindow(const std::string& dump, HWND window) {
    std::istringstream lines(dump);
    std::string line;
    bool inWindow = false;
    std::optional<ProbedWindow> probed;
    while (std::getline(lines, line)) {
        if (line.rfind("window ", 0) == 0) {
            inWindow =
                std::strtoull(line.c_str() + 7, nullptr, 16) == reinterpret_cast<UINT_PTR>(window);
            if (inWindow) {
                probed.emplace();
            }
        } else if (line.rfind("icons ", 0) == 0 && inWindow) {
            if (std::sscanf(line.c_str(), "icons %d %d", &probed->classIconWidth,
                            &probed->smallClassIconWidth) != 2) {
                return std::nullopt;
            }
        } else if (line.rfind("font ", 0) == 0 && inWindow) {
            std::pair<int, int> font;
            if (std::sscanf(line.c_str(), "font %d %d", &font.first, &font.second) != 2) {
                return std::nullopt;
            }
            probed->fontHeights.push_back(font);
        } else if (line.rfind("item ", 0) == 0 && inWindow) {
            MenuItem item;
            int hasSubmenu = 0;
            int consumed = 0;
            if (std::sscanf(line.c_str(), "item %d %d %u %X %X %d %n", &item.depth, &item.position,
                            &item.id, &item.type, &item.state, &hasSubmenu, &consumed) < 6) {
                return std::nullopt;
            }
            item.hasSubmenu = hasSubmenu != 0;
            item.text = FromUtf8(std::string_view(line).substr(static_cast<std::size_t>(consumed)));
            probed->menu.push_back(item);
        }
    }
    return probed;
}

}  // namespace

std::optional<ProbedWindow> ProbeWindow(HANDLE process, DWORD processId, HWND window,
                                        const std::wstring& probePath) {
    const std::wstring dumpPath = MenuDumpPath(processId);
    DeleteFileW(dumpPath.c_str());
    if (!LoadProbe(process, probePath)) {
        return std::nullopt;
    }
    std::optional<std::string> dump;
    WaitUntil(kProbeTimeoutMs, [&] {
        dump = ReadWholeFile(dumpPath);
        return dump.has_value() && dump->ends_with("end\n");
    });
    DeleteFileW(dumpPath.c_str());
    if (!dump.has_value()) {
        return std::nullopt;
    }
    return ParseWindow(*dump, window);
}

}  // namespace tarnwick::e2e
