#pragma once
// Window queries that answer in the physical pixels of the monitor a window is on, whatever the
// scale factor of that monitor: the calling thread is per-monitor aware for the scope's life and
// gets its own context back at the end, also when a query throws. Where the system has no DPI
// contexts, nothing changes.

#include "platform/win32_api.h"

namespace tarnwick {

class PhysicalPixels {
  public:
    explicit PhysicalPixels(Win32Api& win32)
        : win32_(win32),
          previous_(win32.SetThreadDpiAwarenessContext(kDpiAwarenessContextPerMonitorAwareV2)) {}
    ~PhysicalPixels() {
        if (previous_ != 0) {
            win32_.SetThreadDpiAwarenessContext(previous_);
        }
    }
    PhysicalPixels(const PhysicalPixels&) = delete;
    PhysicalPixels& operator=(const PhysicalPixels&) = delete;

  private:
    Win32Api& win32_;
    DpiAwarenessContext previous_;
};

}  // namespace tarnwick
