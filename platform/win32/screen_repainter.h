#pragma once
// The repaint of every window on the screen, made from a thread of its own. InvalidateRect with
// no window sends the erase and frame messages to every window before it returns, so a window
// whose thread has stopped answering holds the caller until that thread wakes; the user-interface
// thread must never wait on another program.

#include "platform/win32/windows_api.h"

namespace tarnwick::win32 {

class ScreenRepainter {
  public:
    ScreenRepainter() = default;
    ~ScreenRepainter();
    ScreenRepainter(const ScreenRepainter&) = delete;
    ScreenRepainter& operator=(const ScreenRepainter&) = delete;

    // Asks for InvalidateRect(NULL, NULL, erase) and returns at once. Requests made while a
    // repaint is under way become one more repaint after it, so the last request is always
    // followed by a whole repaint. Where no thread can be started the call is made here.
    BOOL Request(BOOL erase) noexcept;
    // Waits at most timeoutMs until every request has been made, taking in the messages the
    // repaint sends to this thread's windows meanwhile; true when they all have.
    bool Finish(DWORD timeoutMs) const noexcept;

  private:
    struct Shared;
    static DWORD WINAPI Run(void* shared) noexcept;
    bool Start() noexcept;

    Shared* shared_ = nullptr;
    HANDLE thread_ = nullptr;
};

}  // namespace tarnwick::win32
