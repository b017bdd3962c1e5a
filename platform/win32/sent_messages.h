#pragma once
// Waiting on another thread that may send messages to this thread's windows meanwhile.

#include "platform/win32/windows_api.h"

namespace tarnwick::win32 {

// Waits at most timeoutMs for the object, taking in the messages sent to this thread's windows
// meanwhile (not the posted ones); true when the object was signalled in time.
bool WaitTakingSentMessages(HANDLE object, DWORD timeoutMs) noexcept;

}  // namespace tarnwick::win32
