#pragma once
// The clipboard as the driver sees it: what text is on it, and holding it open the way a slow
// clipboard viewer does.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace tarnwick::e2e {

// The Unicode text on the clipboard; nothing when there is none or the clipboard stays busy for
// a second.
std::optional<std::wstring> ReadClipboardText();
// Puts the text on the clipboard; false when it cannot.
bool WriteClipboardText(std::wstring_view text);

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
