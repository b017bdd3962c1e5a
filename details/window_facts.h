#pragma once
// Everything the Details window tells of one window, asked of the system once, when the window
// comes on display. Nothing here sends the window a message: a hung window is described as
// quickly as any other.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace tarnwick {

// A window named beside another: its handle, class and title; handle 0 for none.
struct RelatedWindow {
    Hwnd handle = 0;
    std::wstring className;
    std::wstring title;
};

struct WindowFacts {
    Hwnd handle = 0;
    bool exists = false;
    std::wstring className;
    std::wstring title;
    bool child = false;  // WS_CHILD
    std::int32_t controlId = 0;
    std::wstring classNN;  // empty for a top-level window, or when it cannot be counted
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t classStyle = 0;
    WindowStateFlags state;
    std::optional<bool> cloaked;

    Rect windowRect;
    std::optional<Rect> clientRect;
    std::optional<Rect> rectInParent;
    std::optional<Rect> visibleFrame;
    std::optional<MonitorDescription> monitor;
    std::uint32_t dpi = 0;
    DpiAwareness awareness = DpiAwareness::Unknown;
    std::optional<Rect> logicalRect;

    std::wstring process;  // "notepad.exe (PID 4242)"
    std::wstring path;     // the full image path, or why there is none
    std::uint32_t processId = 0;
    std::uint32_t threadId = 0;
    ProcessArchitecture architecture = ProcessArchitecture::Unknown;
    IntegrityLevel integrity = IntegrityLevel::Unknown;

    RelatedWindow parent;
    RelatedWindow owner;
    RelatedWindow root;
    RelatedWindow rootOwner;
    RelatedWindow previousSibling;
    RelatedWindow nextSibling;
    RelatedWindow firstChild;
    std::size_t children = 0;
    bool childrenCounted = true;  // false when there were more than the count can hold
};

// The window's handle, class and title, asked now; nothing but 0 for handle 0.
RelatedWindow DescribeWindow(Win32Api& win32, Hwnd window);

// Descendants looked through for a ClassNN, and children counted, at most.
inline constexpr std::size_t kDescendantLimit = 20000;

// Asks everything of the window in physical pixels. Handle 0 and a window that no longer exists
// give facts with nothing but the handle (and the process's reason).
WindowFacts QueryWindowFacts(const Platform& platform, Hwnd window);

}  // namespace tarnwick
