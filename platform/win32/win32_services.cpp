#include "platform/win32/win32_services.h"

#include <algorithm>
#include <string>

#include "platform/win32/help_viewer.h"
#include "platform/win32/system_library.h"

namespace tarnwick::win32 {

namespace {

HDC ToHdc(GdiHandle dc) {
    return reinterpret_cast<HDC>(dc);
}

RECT ToRECT(const Rect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}
Rect FromRECT(const RECT& r) {
    return Rect{r.left, r.top, r.right, r.bottom};
}

int Capacity(std::span<wchar_t> buffer) {
    return static_cast<int>(std::min<std::size_t>(buffer.size(), 0x7FFFFFFF));
}

}  // namespace

Hwnd Win32Services::GetForegroundWindow() {
    return FromHwnd(::GetForegroundWindow());
}

std::int32_t Win32Services::GetCursorPos(Point& position) {
    POINT point{};
    const BOOL ok = ::GetCursorPos(&point);
    position = {point.x, point.y};
    return ok;
}

Hwnd Win32Services::WindowFromPoint(Point position) {
    return FromHwnd(::WindowFromPoint(POINT{position.x, position.y}));
}

std::int32_t Win32Services::GetClassName(Hwnd window, std::span<wchar_t> buffer) {
    return ::GetClassNameW(ToHwnd(window), buffer.data(), Capacity(buffer));
}

std::int32_t Win32Services::GetWindowText(Hwnd window, std::span<wchar_t> buffer) {
    return ::GetWindowTextW(ToHwnd(window), buffer.data(), Capacity(buffer));
}

std::int32_t Win32Services::GetWindowRect(Hwnd window, Rect& rect) {
    RECT r{};
    if (!::GetWindowRect(ToHwnd(window), &r)) {
        return 0;
    }
    rect = FromRECT(r);
    return 1;
}

std::int32_t Win32Services::GetWindowLong(Hwnd window, std::int32_t index) {
    return ::GetWindowLongW(ToHwnd(window), index);
}

Hwnd Win32Services::GetParent(Hwnd window) {
    return FromHwnd(::GetParent(ToHwnd(window)));
}

bool Win32Services::GetVisibleFrameBounds(Hwnd window, Rect& bounds) {
    const HWND handle = ToHwnd(window);
    // Only top-level windows have a frame of the window manager's own.
    if ((::GetWindowLongW(handle, GWL_STYLE) & WS_CHILD) != 0) {
        return false;
    }
    // Systems without the desktop window manager's library have no frame of its own either.
    static const auto dwmGetWindowAttribute =
        SystemFunction<decltype(::DwmGetWindowAttribute)>(L"dwmapi.dll", "DwmGetWindowAttribute");
    RECT frame{};
    RECT whole{};
    if (dwmGetWindowAttribute == nullptr ||
        FAILED(dwmGetWindowAttribute(handle, DWMWA_EXTENDED_FRAME_BOUNDS, &frame, sizeof frame)) ||
        !::GetWindowRect(handle, &whole)) {
        return false;
    }
    // Anything but a non-empty rectangle inside the window's own is not to be trusted.
    if (frame.left >= frame.right || frame.top >= frame.bottom || frame.left < whole.left ||
        frame.top < whole.top || frame.right > whole.right || frame.bottom > whole.bottom) {
        return false;
    }
    bounds = FromRECT(frame);
    return true;
}

Hwnd Win32Services::GetDesktopWindow() {
    return FromHwnd(::GetDesktopWindow());
}

bool Win32Services::GetMonitorRect(Hwnd window, Rect& monitor) {
    const HMONITOR found = ::MonitorFromWindow(ToHwnd(window), MONITOR_DEFAULTTONULL);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (found == nullptr || !::GetMonitorInfoW(found, &info)) {
        return false;
    }
    monitor = FromRECT(info.rcMonitor);
    return true;
}

std::int32_t Win32Services::InvalidateRect(Hwnd window, const Rect* rect, std::int32_t erase) {
    if (window == 0 && rect == nullptr) {
        return screenRepainter_.Request(erase != 0);
    }
    const RECT r = rect ? ToRECT(*rect) : RECT{};
    return ::InvalidateRect(ToHwnd(window), rect ? &r : nullptr, erase != 0);
}

GdiHandle Win32Services::GetWindowDC(Hwnd window) {
    const HDC dc = ::GetWindowDC(ToHwnd(window));
    if (dc != nullptr) {
        ++liveGdiObjects_;
    }
    return reinterpret_cast<GdiHandle>(dc);
}

std::int32_t Win32Services::ReleaseDC(Hwnd window, GdiHandle dc) {
    const int released = ::ReleaseDC(ToHwnd(window), ToHdc(dc));
    if (released != 0) {
        --liveGdiObjects_;
    }
    return released;
}

GdiHandle Win32Services::CreateSolidBrush(ColorRef color) {
    const HBRUSH brush = ::CreateSolidBrush(static_cast<COLORREF>(color));
    if (brush != nullptr) {
        ++liveGdiObjects_;
    }
    return reinterpret_cast<GdiHandle>(brush);
}

std::int32_t Win32Services::DeleteObject(GdiHandle object) {
    const BOOL deleted = ::DeleteObject(reinterpret_cast<HGDIOBJ>(object));
    if (deleted) {
        --liveGdiObjects_;
    }
    return deleted;
}

std::int32_t Win32Services::Rectangle(GdiHandle dc, std::int32_t left, std::int32_t top,
                                      std::int32_t right, std::int32_t bottom) {
    return ::Rectangle(ToHdc(dc), left, top, right, bottom);
}

std::int32_t Win32Services::FillRect(GdiHandle dc, const Rect& rect, GdiHandle brush) {
    const RECT r = ToRECT(rect);
    return ::FillRect(ToHdc(dc), &r, reinterpret_cast<HBRUSH>(brush));
}

std::int32_t Win32Services::GetSystemMetrics(std::int32_t index) {
    return ::GetSystemMetrics(index);
}

std::int32_t Win32Services::SystemParametersInfo(std::uint32_t action, std::uint32_t param,
                                                 Rect& rect, std::uint32_t winIni) {
    RECT r = ToRECT(rect);
    const BOOL ok = ::SystemParametersInfoW(action, param, &r, winIni);
    if (ok) {
        rect = FromRECT(r);
    }
    return ok;
}

std::int32_t Win32Services::SetWindowPos(Hwnd window, Hwnd insertAfter, std::int32_t x,
                                         std::int32_t y, std::int32_t cx, std::int32_t cy,
                                         std::uint32_t flags) {
    return ::SetWindowPos(ToHwnd(window), ToHwnd(insertAfter), x, y, cx, cy, flags);
}

std::int32_t Win32Services::WinHelp(Hwnd owner, std::wstring_view reference, std::uint32_t command,
                                    std::uintptr_t data) {
    return ShowHelp(ToHwnd(owner), reference, command, data);
}

Hwnd Win32Services::HelpWindow() {
    return FromHwnd(HelpViewerWindow());
}

void Win32Services::SetHelpField(std::wstring_view name, std::wstring_view value) {
    SetHelpFieldValue(name, value);
}

std::int32_t Win32Services::GetPrivateProfileInt(std::wstring_view section, std::wstring_view key,
                                                 std::int32_t defaultValue,
                                                 std::wstring_view file) {
    return static_cast<std::int32_t>(
        ::GetPrivateProfileIntW(std::wstring(section).c_str(), std::wstring(key).c_str(),
                                defaultValue, std::wstring(file).c_str()));
}

std::int32_t Win32Services::GetPrivateProfileString(std::wstring_view section,
                                                    std::wstring_view key,
                                                    std::wstring_view defaultValue,
                                                    std::span<wchar_t> buffer,
                                                    std::wstring_view file) {
    if (buffer.empty()) {
        return 0;
    }
    return static_cast<std::int32_t>(::GetPrivateProfileStringW(
        std::wstring(section).c_str(), std::wstring(key).c_str(),
        std::wstring(defaultValue).c_str(), buffer.data(), static_cast<DWORD>(Capacity(buffer)),
        std::wstring(file).c_str()));
}

std::int32_t Win32Services::WritePrivateProfileString(std::wstring_view section,
                                                      std::wstring_view key,
                                                      std::wstring_view value,
                                                      std::wstring_view file) {
    return ::WritePrivateProfileStringW(std::wstring(section).c_str(), std::wstring(key).c_str(),
                                        std::wstring(value).c_str(), std::wstring(file).c_str());
}

std::int32_t Win32Services::TrackPopupMenu(Hwnd owner, std::span<const PopupMenuItem> items,
                                           Point screen) {
    const HMENU menu = ::CreatePopupMenu();
    if (menu == nullptr) {
        return 0;
    }
    for (const PopupMenuItem& item : items) {
        const UINT_PTR id = static_cast<UINT_PTR>(item.id);
        if (item.caption == L"-") {
            ::AppendMenuW(menu, MF_SEPARATOR, id, nullptr);
        } else {
            ::AppendMenuW(menu, MF_STRING, id, std::wstring(item.caption).c_str());
        }
    }
    // The choice comes back as the result, not as a WM_COMMAND posted to the owner.
    const BOOL chosen = ::TrackPopupMenu(
        menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
        screen.x, screen.y, 0, ToHwnd(owner), nullptr);
    ::DestroyMenu(menu);
    return static_cast<std::int32_t>(chosen);
}

std::int32_t Win32Services::OpenClipboard(Hwnd owner) {
    return clipboard_.Open(ToHwnd(owner));
}

std::int32_t Win32Services::EmptyClipboard() {
    return clipboard_.Empty();
}

std::int32_t Win32Services::SetClipboardData(std::uint32_t format, std::wstring_view text) {
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (memory == nullptr) {
        return 0;
    }
    auto* target = static_cast<wchar_t*>(::GlobalLock(memory));
    if (target == nullptr) {
        ::GlobalFree(memory);
        return 0;
    }
    std::copy(text.begin(), text.end(), target);
    target[text.size()] = L'\0';
    ::GlobalUnlock(memory);
    return clipboard_.Set(format, memory);
}

std::int32_t Win32Services::CloseClipboard() {
    return clipboard_.Close();
}

std::int32_t Win32Services::MessageBeep(std::uint32_t type) {
    return ::MessageBeep(type);
}

void Win32Services::Sleep(std::uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

std::uint32_t Win32Services::GetWindowThreadProcessId(Hwnd window, std::uint32_t& processId) {
    DWORD id = 0;
    const DWORD thread = ::GetWindowThreadProcessId(ToHwnd(window), &id);
    processId = id;
    return thread;
}

KernelHandle Win32Services::OpenProcess(std::uint32_t access, bool inheritHandle,
                                        std::uint32_t processId) {
    return reinterpret_cast<KernelHandle>(
        ::OpenProcess(access, inheritHandle ? TRUE : FALSE, processId));
}

std::uint32_t Win32Services::GetLastError() {
    return ::GetLastError();
}

std::int32_t Win32Services::QueryFullProcessImageName(KernelHandle process, std::uint32_t flags,
                                                      std::span<wchar_t> buffer,
                                                      std::uint32_t& size) {
    DWORD length = static_cast<DWORD>(std::min<std::size_t>(size, buffer.size()));
    const BOOL ok = ::QueryFullProcessImageNameW(reinterpret_cast<HANDLE>(process), flags,
                                                 buffer.data(), &length);
    size = ok ? length : 0;
    return ok;
}

std::int32_t Win32Services::CloseHandle(KernelHandle handle) {
    return ::CloseHandle(reinterpret_cast<HANDLE>(handle));
}

bool Win32Services::DwmIsCompositionEnabled() {
    // Systems without the desktop window manager's library never compose.
    static const auto isCompositionEnabled = SystemFunction<decltype(::DwmIsCompositionEnabled)>(
        L"dwmapi.dll", "DwmIsCompositionEnabled");
    BOOL enabled = FALSE;
    return isCompositionEnabled != nullptr && SUCCEEDED(isCompositionEnabled(&enabled)) &&
           enabled != FALSE;
}

DpiAwarenessContext Win32Services::SetThreadDpiAwarenessContext(DpiAwarenessContext context) {
    // Windows 10 1607 and later; before that, every window query is in the program's own DPI.
    static const auto setContext = SystemFunction<decltype(::SetThreadDpiAwarenessContext)>(
        L"user32.dll", "SetThreadDpiAwarenessContext");
    if (setContext == nullptr) {
        return 0;
    }
    return reinterpret_cast<DpiAwarenessContext>(
        setContext(reinterpret_cast<DPI_AWARENESS_CONTEXT>(context)));
}

void Win32Services::ShowFrameOverlay(const Rect& placement, std::span<const Rect> strips,
                                     ColorRef color) {
    overlay_.Show(placement, strips, color);
}

void Win32Services::HideFrameOverlay() {
    overlay_.Hide();
}

void Win32Services::DestroyFrameOverlay() {
    overlay_.Destroy();
}

}  // namespace tarnwick::win32
