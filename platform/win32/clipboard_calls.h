#pragma once
// The clipboard calls of one copy, made on a short-lived thread of their own. Emptying the
// clipboard sends WM_DESTROYCLIPBOARD to its previous owner, and opening it can wait on that
// owner too (Wine does so for 5 s): an owner that has stopped answering would hold the caller.
// Here the user-interface thread waits for each call at most kClipboardCallMs, taking in the
// messages sent to its own windows meanwhile (its main window may be that previous owner). A call
// not made in time fails, and so does the rest of that copy; the thread is left to finish the
// call, closes the clipboard if it opened it and ends by itself. Until it has, no other copy is
// begun: each fails at once.

#include "platform/win32/windows_api.h"

namespace tarnwick::win32 {

inline constexpr DWORD kClipboardCallMs = 250;

class ClipboardCalls {
  public:
    ClipboardCalls() = default;
    ~ClipboardCalls();
    ClipboardCalls(const ClipboardCalls&) = delete;
    ClipboardCalls& operator=(const ClipboardCalls&) = delete;

    // As OpenClipboard, EmptyClipboard, SetClipboardData and CloseClipboard, in that order.
    BOOL Open(HWND owner) noexcept;
    BOOL Empty() noexcept;
    // Takes the memory whatever happens: the clipboard owns it once it is set, else it is freed.
    BOOL Set(UINT format, HGLOBAL memory) noexcept;
    BOOL Close() noexcept;

  private:
    struct Copy;
    enum class Step { Open, Empty, Set, Close };
    BOOL Call(Step step) noexcept;
    void LetGo() noexcept;

    // The copy under way, or the last one given up on while its thread still runs.
    Copy* copy_ = nullptr;
};

}  // namespace tarnwick::win32
