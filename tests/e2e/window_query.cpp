#include "tests/e2e/window_query.h"

#include "tests/e2e/text.h"

namespace tarnwick::e2e {

std::optional<std::wstring> TryWindowText(HWND window, DWORD timeoutMs) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, timeoutMs,
                             &length)) {
        return std::nullopt;
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, timeoutMs, &copied)) {
        return std::nullopt;
    }
    text.resize(copied < text.size() ? copied : text.size() - 1);
    return text;
}

std::wstring WindowText(HWND window) {
    return TryWindowText(window).value_or(std::wstring());
}

std::wstring ClassName(HWND window) {
    wchar_t buffer[512] = {};
    const int length = GetClassNameW(window, buffer, 512);
    return std::wstring(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

SIZE ClientSize(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

RECT RectInClientOf(HWND child, HWND window) {
    RECT rect = WindowRect(child);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

LONG Style(HWND window) {
    return GetWindowLongW(window, GWL_STYLE);
}

LONG ExStyle(HWND window) {
    return GetWindowLongW(window, GWL_EXSTYLE);
}

bool IsTopmost(HWND window) {
    return (ExStyle(window) & WS_EX_TOPMOST) != 0;
}

std::int32_t HandleValue(HWND window) {
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(window));
}

std::vector<HWND> TopLevelWindows(DWORD processId, std::wstring_view className) {
    struct Search {
        DWORD processId;
        std::wstring_view className;
        std::vector<HWND> found;
    } search{processId, className, {}};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s.processId && IsWindowVisible(window) &&
                (s.className.empty() || ClassName(window) == s.className)) {
                s.found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring RectText(const RECT& rect) {
    return L"(" + Decimal(rect.left) + L", " + Decimal(rect.top) + L")-(" + Decimal(rect.right) +
           L", " + Decimal(rect.bottom) + L")";
}

}  // namespace tarnwick::e2e
