#include "main_window/owner_process.h"

#include <algorithm>

#include "platform/ascii_text.h"
#include "platform/decimal_text.h"

namespace tarnwick {

namespace {

// Room for the longest path the system hands out, terminator included.
constexpr std::uint32_t kPathCapacity = 32768;

// The file name of the process's image, empty when it cannot be told.
std::wstring ImageFileName(Win32Api& win32, KernelHandle process) {
    std::wstring path = ProcessImagePath(win32, process);
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator != std::wstring::npos) {
        path.erase(0, separator + 1);
    }
    return path;
}

}  // namespace

std::wstring ProcessImagePath(Win32Api& win32, KernelHandle process) {
    std::wstring path(kPathCapacity, L'\0');
    std::uint32_t length = kPathCapacity;
    if (win32.QueryFullProcessImageName(process, 0, path, length) == 0) {
        return {};
    }
    path.resize(std::min<std::size_t>(length, path.size()));
    return path;
}

// The texts are kept as plain ASCII, half the room of wide ones.
std::wstring OwnerProcessText(Win32Api& win32, Hwnd window) {
    if (window == 0) {
        return Widened("none (no window)");
    }
    std::uint32_t processId = 0;
    if (win32.GetWindowThreadProcessId(window, processId) == 0 || processId == 0) {
        return Widened("none (the window no longer exists)");
    }
    std::wstring id = Widened("PID ");
    id += DecimalText(processId);
    const KernelHandle process =
        win32.OpenProcess(kProcessQueryLimitedInformation, false, processId);
    if (process == 0) {
        AppendAscii(id, win32.GetLastError() == kErrorAccessDenied ? " (access denied)"
                                                                   : " (name unavailable)");
        return id;
    }
    std::wstring name = ImageFileName(win32, process);
    win32.CloseHandle(process);
    if (name.empty()) {
        AppendAscii(id, " (name unavailable)");
        return id;
    }
    AppendAscii(name, " (");
    name += id;
    AppendAscii(name, ")");
    return name;
}

}  // namespace tarnwick
