#pragma once
// A scripted window system: windows with known data, a foreground window, a pointer, a screen,
// an in-memory settings file. Records every call in the shared log.

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/win32_api.h"
#include "platform/window_queries.h"
#include "tests/fake/call_log.h"

namespace tarnwick::fake {

struct FakeWindow {
    std::wstring className;
    std::wstring title;
    Rect rect;
    std::int32_t style = 0;
    Hwnd parent = 0;
    std::optional<Rect> visibleBounds;  // as the window manager would report it
    std::int32_t exStyle = 0;
    std::int32_t controlId = 0;
};

inline FakeWindow Window(std::wstring className, std::wstring title, Rect rect = {},
                         std::int32_t style = 0, Hwnd parent = 0) {
    return {std::move(className), std::move(title), rect, style, parent, std::nullopt};
}

// A process as the fake system knows it.
struct FakeProcess {
    std::wstring imagePath;
    bool accessDenied = false;  // OpenProcess fails with ERROR_ACCESS_DENIED
};
// The help viewer's window, once WinHelp has opened it.
inline constexpr Hwnd kHelpViewer = 0x7000;
// The context a system-aware program's thread starts with.
inline constexpr DpiAwarenessContext kDpiAwarenessContextSystemAware = -2;

class FakeWin32 final : public Win32Api {
  public:
    explicit FakeWin32(CallLog& log) : log_(log) {}

    // The scripted world. Windows not in the map behave like dead handles.
    std::map<Hwnd, FakeWindow> windows;
    Hwnd foreground = 0;
    Point cursor;
    Hwnd windowUnderCursor = 0;
    std::int32_t screenPixelsX = 1024;
    std::int32_t screenPixelsY = 768;
    Rect workArea{0, 0, 1024, 738};
    // The settings file: "Section/key" -> the text as written.
    std::map<std::wstring, std::wstring> ini;
    bool helpWindowOpen = false;
    // Desktop composition, as the window manager answers; off, as on a desktop without it.
    bool compositionEnabled = false;
    // The calling thread's DPI awareness context; 0 stands for a system without such contexts.
    DpiAwarenessContext dpiContext = kDpiAwarenessContextSystemAware;
    // The frame overlay: whether it exists and shows, where, and how many were ever made.
    bool overlayExists = false;
    bool overlayVisible = false;
    Rect overlayPlacement;
    int overlaysCreated = 0;

    // The bare desktop's window, and the monitor every window is on (none: the system cannot
    // tell, and frames stay where today's windows have them).
    Hwnd desktopWindow = 0x10000;
    std::optional<Rect> monitor;
    // Files and folders: the files that cannot be read and written (all others can), the short
    // forms of paths (a path not here has none, as on a volume without short names), the local
    // application-data folder (empty: the system has none), and what the help fills in.
    std::set<std::wstring> unusableFiles;
    std::map<std::wstring, std::wstring> shortPaths;
    std::wstring localAppData = L"C:\\Users\\Ann\\AppData\\Local";
    std::map<std::wstring, std::wstring> helpFields;

    std::optional<std::wstring> IniValue(std::wstring_view section, std::wstring_view key) const;
    int liveGdiObjects() const { return static_cast<int>(liveGdi_.size()); }

    // Popup menus: the caption of the item the user picks (none: the menu is left without a
    // choice), and what happens while the menu is open.
    std::wstring popupChoice;
    std::function<void()> whilePopupMenu;
    // The clipboard: the text on it, and how many OpenClipboard calls still fail because another
    // program holds it open.
    std::optional<std::wstring> clipboard;
    int clipboardBusyFor = 0;
    bool clipboardRefusesText = false;  // SetClipboardData fails (out of memory)
    bool clipboardOpen() const { return clipboardOpen_; }
    // Processes by id, and the process of each window (windows not here belong to none).
    std::map<std::uint32_t, FakeProcess> processes;
    std::map<Hwnd, std::uint32_t> windowProcess;
    int liveKernelHandles() const { return static_cast<int>(openProcesses_.size()); }

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
    const FakeWindow* Find(Hwnd window) const;
    std::int32_t CopyText(const std::wstring* text, std::span<wchar_t> buffer);
    GdiHandle NewGdi();

    CallLog& log_;
    std::set<GdiHandle> liveGdi_;
    GdiHandle nextGdi_ = 0x5000;
    bool clipboardOpen_ = false;
    std::uint32_t lastError_ = 0;
    std::map<KernelHandle, std::uint32_t> openProcesses_;
    KernelHandle nextKernel_ = 0x7000;
};

// "(l, t, r, b)" for the log.
std::string RectArgs(const Rect& rect);

}  // namespace tarnwick::fake
