#include "main_window/clipboard.h"

namespace tarnwick {

bool PutOnClipboard(Win32Api& win32, Hwnd owner, std::wstring_view text) {
    bool open = false;
    for (int attempt = 0; attempt < kClipboardOpenAttempts && !open; ++attempt) {
        if (attempt > 0) {
            win32.Sleep(kClipboardRetryPauseMs);
        }
        open = win32.OpenClipboard(owner) != 0;
    }
    bool copied = false;
    if (open) {
        copied = win32.EmptyClipboard() != 0 && win32.SetClipboardData(kCfUnicodeText, text) != 0;
        win32.CloseClipboard();
    }
    if (!copied) {
        win32.MessageBeep(kMbOk);
    }
    return copied;
}

}  // namespace tarnwick
