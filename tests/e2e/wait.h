#pragma once
// Polling: Tarnwick runs in another process, so the driver waits for what it expects to show.

#include <windows.h>

namespace tarnwick::e2e {

// Calls condition() every pollMs until it returns true or timeoutMs have passed; returns the
// last result.
template <class Condition>
bool WaitUntil(DWORD timeoutMs, Condition condition, DWORD pollMs = 10) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(pollMs);
    }
}

}  // namespace tarnwick::e2e
