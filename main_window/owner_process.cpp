#include "main_window/owner_process.h"

#include <algorithm>
#include <vector>

namespace tarnwick {

namespace {

// Room for the longest path the system hands out, terminator included.
constexpr std::uint32_t kPathCapacity = 32768;

// The part after the last folder separator. The path comes from another process: its length
// is taken only as far as the buffer reaches.
std::wstring FileNameOf(const std::vector<wchar_t>& buffer, std::uint32_t length) {
    const std::wstring_view path(buffer.data(), std::min<std::size_t>(length, buffer.size()));
    const std::size_t separator = path.find_last_of(L"\\/");
    return std::wstring(separator == std::wstring_view::npos ? path : path.substr(separator + 1));
}

}  // namespace

std::wstring OwnerProcessText(Win32Api& win32, Hwnd window) {
    if (window == 0) {
        return L"none (no window)";
    }
    std::uint32_t processId = 0;
    if (win32.GetWindowThreadProcessId(window, processId) == 0 || processId == 0) {
        return L"none (the window no longer exists)";
    }
    const std::wstring id = L"PID " + std::to_wstring(processId);
    const KernelHandle process =
        win32.OpenProcess(kProcessQueryLimitedInformation, false, processId);
    if (process == 0) {
        return id + (win32.GetLastError() == kErrorAccessDenied ? L" (access denied)"
                                                                : L" (name unavailable)");
    }
    std::vector<wchar_t> path(kPathCapacity);
    std::uint32_t length = kPathCapacity;
    const bool named = win32.QueryFullProcessImageName(process, 0, path, length) != 0;
    win32.CloseHandle(process);
    const std::wstring name = named ? FileNameOf(path, length) : std::wstring();
    if (name.empty()) {
        return id + L" (name unavailable)";
    }
    return name + L" (" + id + L")";
}

}  // namespace tarnwick
