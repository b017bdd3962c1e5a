#pragma once
// The window, monitor and process queries of the Details window, through the Win32 functions.
// Whatever is missing before Windows 10 (or before 11) is looked up when first asked and answered
// with the interface's "cannot tell" value where the system lacks it.

#include "platform/win32/element_reader_win32.h"
#include "platform/window_queries.h"

namespace tarnwick::win32 {

class Win32WindowQueries final : public WindowQueries {
  public:
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
    ElementReader& Elements() override { return elements_; }

  private:
    Win32ElementReader elements_;
};

}  // namespace tarnwick::win32
