#pragma once
// The clipboard as the driver sees it: what text is on it, and holding it open the way a slow
// clipboard viewer does.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/check.h"

namespace tarnwick::e2e {

// The Unicode text on the clipboard; nothing when there is none or the clipboard stays busy for
// a second.
std::optional<std::wstring> ReadClipboardText();
// Puts the text on the clipboard, owned by the window (none: by no window); false when it cannot.
bool WriteClipboardText(std::wstring_view text, HWND owner = nullptr);

// What the driver puts on the clipboard before a copy, to tell the copy from what was there.
inline constexpr wchar_t kSentinel[] = L"(put there by the driver)";
// Puts the sentinel on the clipboard, checked.
void PutSentinel(Check& check);
// Waits up to two seconds until the clipboard holds something other than the sentinel; returns
// what it holds then.
std::wstring WaitForCopy();
// The lines of a text whose lines end in CR LF; a last line without it is marked so.
std::vector<std::wstring> LinesOf(const std::wstring& text);

// Keeps the clipboard open from the driver until released or destroyed.
class HeldClipboard {
  public:
    HeldClipboard();
    ~HeldClipboard() { Release(); }
    HeldClipboard(const HeldClipboard&) = delete;
    HeldClipboard& operator=(const HeldClipboard&) = delete;
    bool held() const { return held_; }
    void Release();

  private:
    bool held_ = false;
};

}  // namespace tarnwick::e2e
