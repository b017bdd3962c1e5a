#pragma once
// The queries behind the Details window: what the system tells of one window, its monitor and its
// process beyond the main display's seven fields. Rectangles are in the pixels of the calling
// thread's DPI awareness: physical pixels when it is per-monitor aware, as the program's
// queries are. None of them sends the window a message, so a
// window whose thread hangs is described as quickly as any other. platform/win32/ implements them
// (loading each system library beyond user32 and kernel32 when first asked); the recording fake
// scripts them for tests.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/accessible_element.h"
#include "platform/types.h"

namespace tarnwick {

inline constexpr std::int32_t kGwlExStyle = -20;
inline constexpr std::int32_t kGwlId = -12;

// How a window's process sees coordinates, as the window manager tells it for the window.
enum class DpiAwareness { Unknown, Unaware, System, PerMonitor, PerMonitorV2, UnawareGdiScaled };

enum class ProcessArchitecture { Unknown, X86, X64, Arm64 };

// The mandatory integrity level of a process's token, or why it cannot be told.
enum class IntegrityLevel {
    Unknown,       // the token has no level the program knows, or the query failed
    AccessDenied,  // the process or its token may not be opened
    Untrusted,
    Low,
    Medium,
    High,
    System,
    AppContainer,
};

struct WindowStateFlags {
    bool visible = false;
    bool enabled = false;
    bool minimized = false;
    bool maximized = false;
};

struct MonitorDescription {
    std::wstring deviceName;  // "\\.\DISPLAY1"
    Rect rect;                // in physical pixels
    std::uint32_t dpi = 0;    // 0 where the system cannot tell
};

// The windows related to one window: what GetWindow and GetAncestor name.
enum class Relation { Owner, PreviousSibling, NextSibling, FirstChild, Root, RootOwner };

class WindowQueries {
  public:
    virtual bool IsWindow(Hwnd window) = 0;
    // The CS_ bits of the window's class.
    virtual std::uint32_t GetClassStyle(Hwnd window) = 0;
    virtual WindowStateFlags GetStateFlags(Hwnd window) = 0;
    // Whether the window manager hides the window (another virtual desktop, a suspended app);
    // nothing where the system cannot tell.
    virtual std::optional<bool> IsCloaked(Hwnd window) = 0;
    // The client area in screen coordinates; false when the window is gone.
    virtual bool GetClientRectOnScreen(Hwnd window, Rect& rect) = 0;
    // 0 when there is no such window.
    virtual Hwnd GetRelative(Hwnd window, Relation relation) = 0;
    // Every descendant of the window in the order EnumChildWindows visits them, at most limit.
    virtual std::vector<Hwnd> EnumDescendants(Hwnd window, std::size_t limit) = 0;
    // The monitor that holds the largest part of the window; false when none can be told.
    virtual bool GetMonitor(Hwnd window, MonitorDescription& monitor) = 0;
    // The window's DPI; 0 where the system cannot tell.
    virtual std::uint32_t GetDpiForWindow(Hwnd window) = 0;
    virtual DpiAwareness GetDpiAwareness(Hwnd window) = 0;
    // The window rectangle as the window's own process sees it, in its own DPI awareness; false
    // where the system cannot tell.
    virtual bool GetLogicalWindowRect(Hwnd window, Rect& rect) = 0;
    // Of a process opened with kProcessQueryLimitedInformation.
    virtual ProcessArchitecture GetProcessArchitecture(KernelHandle process) = 0;
    virtual IntegrityLevel GetProcessIntegrity(KernelHandle process) = 0;
    // The colour of the screen pixel (physical pixels); nothing where it cannot be read.
    virtual std::optional<ColorRef> GetScreenPixel(Point point) = 0;
    // Where the pointer was when the thread took its last message from the queue: free to ask,
    // where reading the pointer itself can cost a round trip to the display server. Tells
    // whether the pointer has moved, not exactly where it is.
    virtual Point PointerAtLastMessage() = 0;
    // The reader of the accessible element inside a window: the Details window's [Element].
    virtual ElementReader& Elements() = 0;

  protected:
    ~WindowQueries() = default;
};

}  // namespace tarnwick
