#pragma once
// The Details window's queries, answered from the fake window system's windows (their parents
// make the window tree, in the order of their handles) and from what a test scripts here.
// Records every call in the shared log.

#include <map>
#include <optional>

#include "platform/window_queries.h"
#include "tests/fake/call_log.h"
#include "tests/fake/fake_element_reader.h"
#include "tests/fake/fake_win32.h"

namespace tarnwick::fake {

// What the fake window system adds about a window for the Details window.
struct FakeWindowDetails {
    std::uint32_t classStyle = 0;
    WindowStateFlags state{true, true, false, false};
    std::optional<bool> cloaked;
    std::optional<Rect> clientRect;  // screen coordinates
    Hwnd owner = 0;
    std::uint32_t dpi = 96;
    DpiAwareness awareness = DpiAwareness::PerMonitorV2;
    std::optional<Rect> logicalRect;
};

class FakeWindowQueries final : public WindowQueries {
  public:
    FakeWindowQueries(CallLog& log, FakeWin32& win32) : elements(log), log_(log), win32_(win32) {}

    std::map<Hwnd, FakeWindowDetails> details;
    // The top-level windows from the top of the z-order down: the desktop window's children.
    std::vector<Hwnd> zOrder;
    std::optional<MonitorDescription> monitor =
        MonitorDescription{L"\\\\.\\DISPLAY1", {0, 0, 1024, 768}, 96};
    ProcessArchitecture architecture = ProcessArchitecture::X64;
    IntegrityLevel integrity = IntegrityLevel::Medium;
    // The colour of every screen pixel; nothing: it cannot be read.
    std::optional<ColorRef> screenColour = 0x00996633;
    FakeElementReader elements;

    bool IsWindow(Hwnd window) override;
    std::uint32_t GetClassStyle(Hwnd window) override;
    WindowStateFlags GetStateFlags(Hwnd window) override;
    std::optional<bool> IsCloaked(Hwnd window) override;
    bool GetClientRectOnScreen(Hwnd window, Rect& rect) override;
    Hwnd GetRelative(Hwnd window, Relation relation) override;
    std::vector<Hwnd> EnumDescendants(Hwnd window, std::size_t limit) override;
    bool GetMonitor(Hwnd window, MonitorDescription& monitor) override;
    std::uint32_t GetDpiForWindow(Hwnd window) override;
    DpiAwareness GetDpiAwareness(Hwnd window) override;
    bool GetLogicalWindowRect(Hwnd window, Rect& rect) override;
    ProcessArchitecture GetProcessArchitecture(KernelHandle process) override;
    IntegrityLevel GetProcessIntegrity(KernelHandle process) override;
    std::optional<ColorRef> GetScreenPixel(Point point) override;
    Point PointerAtLastMessage() override;
    ElementReader& Elements() override { return elements; }

  private:
    void Record(const char* call, std::int64_t argument);
    // The window's details, or defaults for a window without any.
    FakeWindowDetails DetailsOf(Hwnd window) const;
    std::vector<Hwnd> ChildrenOf(Hwnd window) const;

    CallLog& log_;
    FakeWin32& win32_;
};

}  // namespace tarnwick::fake
