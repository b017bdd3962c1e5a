#pragma once
// The window-system, graphics and settings-file services, through the wide Win32 functions.

#include "platform/win32/clipboard_calls.h"
#include "platform/win32/frame_overlay.h"
#include "platform/win32/screen_repainter.h"
#include "platform/win32/windows_api.h"
#include "platform/win32_api.h"

namespace tarnwick::win32 {

class Win32Services final : public Win32Api {
  public:
    // Device contexts and brushes handed out and not yet given back: 0 whenever no frame is
    // being painted.
    int liveGdiObjects() const { return liveGdiObjects_; }
    // Makes the repaints of the whole screen, away from the user-interface thread.
    const ScreenRepainter& screenRepainter() const { return screenRepainter_; }

    Hwnd GetForegroundWindow() override;
    std::int32_t GetCursorPos(Point& position) override;
    Hwnd WindowFromPoint(Point position) override;
    std::int32_t GetClassName(Hwnd window, std::span<wchar_t> buffer) override;
    std::int32_t GetWindowText(Hwnd window, std::span<wchar_t> buffer) override;
    std::int32_t GetWindowRect(Hwnd window, Rect& rect) override;
    std::int32_t GetWindowLong(Hwnd window, std::int32_t index) override;
    Hwnd GetParent(Hwnd window) override;
    bool GetVisibleFrameBounds(Hwnd window, Rect& bounds) override;
    Hwnd GetDesktopWindow() override;
    bool GetMonitorRect(Hwnd window, Rect& monitor) override;
    std::int32_t InvalidateRect(Hwnd window, const Rect* rect, std::int32_t erase) override;
    GdiHandle GetWindowDC(Hwnd window) override;
    std::int32_t ReleaseDC(Hwnd window, GdiHandle dc) override;
    GdiHandle CreateSolidBrush(ColorRef color) override;
    std::int32_t DeleteObject(GdiHandle object) override;
    std::int32_t Rectangle(GdiHandle dc, std::int32_t left, std::int32_t top, std::int32_t right,
                           std::int32_t bottom) override;
    std::int32_t FillRect(GdiHandle dc, const Rect& rect, GdiHandle brush) override;
    std::int32_t GetSystemMetrics(std::int32_t index) override;
    std::int32_t SystemParametersInfo(std::uint32_t action, std::uint32_t param, Rect& rect,
                                      std::uint32_t winIni) override;
    std::int32_t SetWindowPos(Hwnd window, Hwnd insertAfter, std::int32_t x, std::int32_t y,
                              std::int32_t cx, std::int32_t cy, std::uint32_t flags) override;
    std::int32_t WinHelp(Hwnd owner, std::wstring_view reference, std::uint32_t command,
                         std::uintptr_t data) override;
    Hwnd HelpWindow() override;
    void SetHelpField(std::wstring_view name, std::wstring_view value) override;
    std::int32_t GetPrivateProfileInt(std::wstring_view section, std::wstring_view key,
                                      std::int32_t defaultValue, std::wstring_view file) override;
    std::int32_t GetPrivateProfileString(std::wstring_view section, std::wstring_view key,
                                         std::wstring_view defaultValue, std::span<wchar_t> buffer,
                                         std::wstring_view file) override;
    std::int32_t WritePrivateProfileString(std::wstring_view section, std::wstring_view key,
                                           std::wstring_view value,
                                           std::wstring_view file) override;
    // Defined in file_services.cpp.
    std::wstring GetShortPathName(std::wstring_view path) override;
    bool CanReadAndWriteFile(std::wstring_view path) override;
    std::wstring GetLocalAppDataFolder() override;
    bool CreateDirectory(std::wstring_view path) override;
    bool CopyFile(std::wstring_view from, std::wstring_view to) override;
    std::int32_t TrackPopupMenu(Hwnd owner, std::span<const PopupMenuItem> items,
                                Point screen) override;
    std::int32_t OpenClipboard(Hwnd owner) override;
    std::int32_t EmptyClipboard() override;
    std::int32_t SetClipboardData(std::uint32_t format, std::wstring_view text) override;
    std::int32_t CloseClipboard() override;
    std::int32_t MessageBeep(std::uint32_t type) override;
    void Sleep(std::uint32_t milliseconds) override;
    std::uint32_t GetWindowThreadProcessId(Hwnd window, std::uint32_t& processId) override;
    KernelHandle OpenProcess(std::uint32_t access, bool inheritHandle,
                             std::uint32_t processId) override;
    std::uint32_t GetLastError() override;
    std::int32_t QueryFullProcessImageName(KernelHandle process, std::uint32_t flags,
                                           std::span<wchar_t> buffer, std::uint32_t& size) override;
    std::int32_t CloseHandle(KernelHandle handle) override;
    bool DwmIsCompositionEnabled() override;
    DpiAwarenessContext SetThreadDpiAwarenessContext(DpiAwarenessContext context) override;
    void ShowFrameOverlay(const Rect& placement, std::span<const Rect> strips,
                          ColorRef color) override;
    void HideFrameOverlay() override;
    void DestroyFrameOverlay() override;

  private:
    int liveGdiObjects_ = 0;
    ScreenRepainter screenRepainter_;
    FrameOverlay overlay_;
    // Each copy's calls, on a thread of their own: a hung previous owner holds only that thread.
    ClipboardCalls clipboard_;
};

}  // namespace tarnwick::win32
