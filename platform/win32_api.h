#pragma once
// The window-system, graphics and settings-file services the logic calls, by their system names.
// platform/win32/ implements them on Windows; the recording fake implements them for tests.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace tarnwick {

inline constexpr std::int32_t kGwlStyle = -16;
inline constexpr std::int32_t kSmCxScreen = 0;
inline constexpr std::int32_t kSmCyScreen = 1;
inline constexpr std::uint32_t kSpiGetWorkArea = 48;
inline constexpr Hwnd kHwndTopmost = -1;
inline constexpr Hwnd kHwndNoTopmost = -2;
inline constexpr std::uint32_t kSwpNoSizeNoMoveNoActivate = 0x0013;
inline constexpr std::uint32_t kHelpContext = 1;
inline constexpr std::uint32_t kHelpContents = 3;
inline constexpr std::uint32_t kCfUnicodeText = 13;
inline constexpr std::uint32_t kMbOk = 0;
inline constexpr std::uint32_t kProcessQueryLimitedInformation = 0x1000;
inline constexpr std::uint32_t kErrorAccessDenied = 5;

// One item of a popup menu: a caption with "&" before the access key and an optional "\t" and
// shortcut text, or "-" for a separator line. Ids are above 0.
struct PopupMenuItem {
    std::int32_t id;
    std::wstring_view caption;
};
// A thread's DPI awareness context, as the system hands it out; 0 is none.
using DpiAwarenessContext = std::intptr_t;
inline constexpr DpiAwarenessContext kDpiAwarenessContextPerMonitorAwareV2 = -4;

class Win32Api {
  public:
    // Window queries.
    virtual Hwnd GetForegroundWindow() = 0;
    virtual std::int32_t GetCursorPos(Point& position) = 0;
    virtual Hwnd WindowFromPoint(Point position) = 0;
    // Text queries copy at most buffer.size() - 1 characters plus a terminator and return the
    // number of characters copied.
    virtual std::int32_t GetClassName(Hwnd window, std::span<wchar_t> buffer) = 0;
    virtual std::int32_t GetWindowText(Hwnd window, std::span<wchar_t> buffer) = 0;
    virtual std::int32_t GetWindowRect(Hwnd window, Rect& rect) = 0;
    virtual std::int32_t GetWindowLong(Hwnd window, std::int32_t index) = 0;
    virtual Hwnd GetParent(Hwnd window) = 0;
    // The part of a top-level window that is actually drawn (without invisible resize borders).
    // False where the window manager cannot tell (child windows, no composition).
    virtual bool GetVisibleFrameBounds(Hwnd window, Rect& bounds) = 0;
    // The bare desktop: the window under every point that no other window covers.
    virtual Hwnd GetDesktopWindow() = 0;
    // The rectangle of the monitor that holds most of the window, in the pixels of
    // GetWindowRect. False when the window lies on no monitor or the system cannot tell.
    virtual bool GetMonitorRect(Hwnd window, Rect& monitor) = 0;

    // Painting. A null window invalidates every window on the screen.
    virtual std::int32_t InvalidateRect(Hwnd window, const Rect* rect, std::int32_t erase) = 0;
    virtual GdiHandle GetWindowDC(Hwnd window) = 0;
    virtual std::int32_t ReleaseDC(Hwnd window, GdiHandle dc) = 0;
    virtual GdiHandle CreateSolidBrush(ColorRef color) = 0;
    virtual std::int32_t DeleteObject(GdiHandle object) = 0;
    virtual std::int32_t Rectangle(GdiHandle dc, std::int32_t left, std::int32_t top,
                                   std::int32_t right, std::int32_t bottom) = 0;
    virtual std::int32_t FillRect(GdiHandle dc, const Rect& rect, GdiHandle brush) = 0;

    // Screen and z-order.
    virtual std::int32_t GetSystemMetrics(std::int32_t index) = 0;
    virtual std::int32_t SystemParametersInfo(std::uint32_t action, std::uint32_t param, Rect& rect,
                                              std::uint32_t winIni) = 0;
    virtual std::int32_t SetWindowPos(Hwnd window, Hwnd insertAfter, std::int32_t x, std::int32_t y,
                                      std::int32_t cx, std::int32_t cy, std::uint32_t flags) = 0;

    // Help: reference is "file>window"; command is kHelpContents or kHelpContext.
    virtual std::int32_t WinHelp(Hwnd owner, std::wstring_view reference, std::uint32_t command,
                                 std::uintptr_t data) = 0;
    // The help viewer's window; 0 while there is none.
    virtual Hwnd HelpWindow() = 0;
    // What the help viewer shows wherever a topic's text names the field as {{name}}.
    virtual void SetHelpField(std::wstring_view name, std::wstring_view value) = 0;

    // Settings file.
    virtual std::int32_t GetPrivateProfileInt(std::wstring_view section, std::wstring_view key,
                                              std::int32_t defaultValue,
                                              std::wstring_view file) = 0;
    // The value's text, as much as fits with its terminator; the default where there is none.
    // Returns the number of characters copied.
    virtual std::int32_t GetPrivateProfileString(std::wstring_view section, std::wstring_view key,
                                                 std::wstring_view defaultValue,
                                                 std::span<wchar_t> buffer,
                                                 std::wstring_view file) = 0;
    virtual std::int32_t WritePrivateProfileString(std::wstring_view section, std::wstring_view key,
                                                   std::wstring_view value,
                                                   std::wstring_view file) = 0;

    // Files and folders, for the place of the settings file. Paths of any length are taken.
    // The path with each part in its short (8.3) form where the volume keeps one, and as it is
    // where not; empty when the path cannot be found.
    virtual std::wstring GetShortPathName(std::wstring_view path) = 0;
    // Whether the file can be opened for reading and writing, or, where there is none yet, be
    // created; the check leaves nothing behind.
    virtual bool CanReadAndWriteFile(std::wstring_view path) = 0;
    // The user's local application-data folder; empty when the system cannot tell.
    virtual std::wstring GetLocalAppDataFolder() = 0;
    // True when the folder exists afterwards.
    virtual bool CreateDirectory(std::wstring_view path) = 0;
    // Copies the file where no file of that name is yet, as a file that can be written (not
    // read-only); false when nothing was copied.
    virtual bool CopyFile(std::wstring_view from, std::wstring_view to) = 0;

    // Popup menus: shows a menu drawn by the system at the screen point and returns the id of the
    // item chosen, 0 when the menu was left without a choice. Timers keep ticking meanwhile.
    virtual std::int32_t TrackPopupMenu(Hwnd owner, std::span<const PopupMenuItem> items,
                                        Point screen) = 0;

    // Clipboard. SetClipboardData puts a copy of the text, with its terminator, on the open
    // clipboard in the format.
    virtual std::int32_t OpenClipboard(Hwnd owner) = 0;
    virtual std::int32_t EmptyClipboard() = 0;
    virtual std::int32_t SetClipboardData(std::uint32_t format, std::wstring_view text) = 0;
    virtual std::int32_t CloseClipboard() = 0;
    virtual std::int32_t MessageBeep(std::uint32_t type) = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;

    // Processes. QueryFullProcessImageName takes the buffer's capacity in size and returns
    // nonzero with the number of characters copied in size.
    virtual std::uint32_t GetWindowThreadProcessId(Hwnd window, std::uint32_t& processId) = 0;
    virtual KernelHandle OpenProcess(std::uint32_t access, bool inheritHandle,
                                     std::uint32_t processId) = 0;
    virtual std::uint32_t GetLastError() = 0;
    virtual std::int32_t QueryFullProcessImageName(KernelHandle process, std::uint32_t flags,
                                                   std::span<wchar_t> buffer,
                                                   std::uint32_t& size) = 0;
    virtual std::int32_t CloseHandle(KernelHandle handle) = 0;
    // Desktop composition and DPI.
    // Whether the window manager composes the desktop; false where the system cannot tell.
    virtual bool DwmIsCompositionEnabled() = 0;
    // Gives the calling thread the DPI awareness context and returns the one it had; returns 0
    // and changes nothing where the system has no such contexts.
    virtual DpiAwarenessContext SetThreadDpiAwarenessContext(DpiAwarenessContext context) = 0;

    // The frame overlay: one window of the program's own, above every other window, never
    // activated and invisible to the pointer. Show creates it on first use, places it at the
    // screen rectangle, shapes it to the strips (in its own coordinates, like a window DC's)
    // painted in the colour, and shows it. Hide takes it off the screen; Destroy ends it.
    virtual void ShowFrameOverlay(const Rect& placement, std::span<const Rect> strips,
                                  ColorRef color) = 0;
    virtual void HideFrameOverlay() = 0;
    virtual void DestroyFrameOverlay() = 0;

  protected:
    ~Win32Api() = default;
};

}  // namespace tarnwick
