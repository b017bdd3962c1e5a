#include "tests/e2e/clipboard.h"

#include <algorithm>

#include "tests/e2e/wait.h"

namespace tarnwick::e2e {

namespace {

bool OpenWithin(DWORD timeoutMs, HWND owner = nullptr) {
    return WaitUntil(timeoutMs, [owner] { return OpenClipboard(owner) != FALSE; });
}

constexpr DWORD kCopyTimeoutMs = 2000;

}  // namespace

void PutSentinel(Check& check) {
    check.That(L"the driver can put text on the clipboard", WriteClipboardText(kSentinel),
               L"written", L"clipboard unavailable");
}

std::wstring WaitForCopy() {
    std::wstring copied = L"(no text)";
    WaitUntil(
        kCopyTimeoutMs,
        [&] {
            copied = ReadClipboardText().value_or(L"(no text)");
            return copied != kSentinel && copied != L"(no text)";
        },
        50);
    return copied;
}

std::vector<std::wstring> LinesOf(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos;
         start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start) + L" (without CR LF)");
    }
    return lines;
}

std::optional<std::wstring> ReadClipboardText() {
    if (!OpenWithin(1000)) {
        return std::nullopt;
    }
    std::optional<std::wstring> text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            // Up to the terminator, and never beyond the memory block.
            const SIZE_T capacity = GlobalSize(data) / sizeof(wchar_t);
            SIZE_T length = 0;
            while (length < capacity && chars[length] != L'\0') {
                ++length;
            }
            text = std::wstring(chars, length);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool WriteClipboardText(std::wstring_view text, HWND owner) {
    if (!OpenWithin(1000, owner)) {
        return false;
    }
    bool written = false;
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    auto* chars = memory != nullptr ? static_cast<wchar_t*>(GlobalLock(memory)) : nullptr;
    if (chars != nullptr) {
        std::copy(text.begin(), text.end(), chars);
        chars[text.size()] = L'\0';
        GlobalUnlock(memory);
        written = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    }
    if (memory != nullptr && !written) {
        GlobalFree(memory);
    }
    CloseClipboard();
    return written;
}

HeldClipboard::HeldClipboard() : held_(OpenWithin(1000)) {}

void HeldClipboard::Release() {
    if (held_) {
        CloseClipboard();
        held_ = false;
    }
}

}  // namespace tarnwick::e2e
