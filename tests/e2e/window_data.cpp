#include "tests/e2e/window_data.h"

#include "main_window/frmMain_controls.h"
#include "tests/e2e/text.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_query.h"

namespace tarnwick::e2e {

namespace {

namespace ids = frmMainControls;

// The display reads texts with a capacity of 512 characters, the terminator included.
constexpr std::size_t kMaxShownText = 511;

std::wstring WindowTitle(HWND window) {
    std::wstring title = WindowText(window);
    return title.substr(0, kMaxShownText);
}

bool StyleShown(const WindowData& expected, const std::wstring& shown) {
    return shown == expected.style ||
           (!expected.styleBeforeShown.empty() && shown == expected.styleBeforeShown);
}

}  // namespace

WindowData ExpectedWindowData(HWND window) {
    WindowData data;
    const std::int32_t handle = HandleValue(window);
    data.decimal = L"Dec: " + DecimalWithSign(handle);
    data.hex = L"Hex: " + Hex(static_cast<std::uint32_t>(handle));
    data.className = ClassName(window).substr(0, kMaxShownText);
    data.title = WindowTitle(window);
    data.rect = RectText(WindowRect(window));
    const auto style = static_cast<std::uint32_t>(Style(window));
    data.style = Hex(style);
    data.styleBeforeShown = Hex(style & ~static_cast<std::uint32_t>(WS_VISIBLE));
    const HWND parent = GetParent(window);
    data.parent =
        parent ? Hex(static_cast<std::uint32_t>(HandleValue(parent))) : L"No parent window";
    return data;
}

WindowData ShownWindowData(const TarnwickApp& app) {
    return {app.Text(ids::lbl_WindowHandleDecimal), app.Text(ids::lbl_WindowHandleHex),
            app.Text(ids::lbl_WindowClass),         app.Text(ids::lbl_WindowTitle),
            app.Text(ids::lbl_WindowRect),          app.Text(ids::lbl_WindowStyle),
            app.Text(ids::lbl_WindowParent),        {}};
}

bool Shows(const WindowData& expected, const WindowData& shown) {
    return expected.decimal == shown.decimal && expected.hex == shown.hex &&
           expected.className == shown.className && expected.title == shown.title &&
           expected.rect == shown.rect && StyleShown(expected, shown.style) &&
           expected.parent == shown.parent;
}

void CheckWindowData(Check& check, std::wstring_view subject, const WindowData& expected,
                     const WindowData& shown) {
    const std::wstring prefix = std::wstring(subject) + L": ";
    check.Equal(prefix + L"lbl_WindowHandleDecimal", expected.decimal, shown.decimal);
    check.Equal(prefix + L"lbl_WindowHandleHex", expected.hex, shown.hex);
    check.Equal(prefix + L"lbl_WindowClass", expected.className, shown.className);
    check.Equal(prefix + L"lbl_WindowTitle", expected.title, shown.title);
    check.Equal(prefix + L"lbl_WindowRect", expected.rect, shown.rect);
    if (shown.style == expected.styleBeforeShown && shown.style != expected.style) {
        check.Equal(prefix + L"lbl_WindowStyle (read before the window was shown)",
                    expected.styleBeforeShown, shown.style);
    } else {
        check.Equal(prefix + L"lbl_WindowStyle", expected.style, shown.style);
    }
    check.Equal(prefix + L"lbl_WindowParent", expected.parent, shown.parent);
}

bool ExpectTracked(Check& check, const TarnwickApp& app, std::wstring_view subject, HWND window,
                   std::wstring_view heading, DWORD timeoutMs) {
    const ULONGLONG start = GetTickCount64();
    const bool inTime = WaitUntil(timeoutMs, [&] {
        return app.Text(ids::lbl_CurWindow) == heading &&
               Shows(ExpectedWindowData(window), ShownWindowData(app));
    });
    const ULONGLONG elapsed = GetTickCount64() - start;
    check.That(std::wstring(subject) + L": shown within " + std::to_wstring(timeoutMs) + L" ms",
               inTime, L"heading and data within " + std::to_wstring(timeoutMs) + L" ms",
               inTime ? L"after " + std::to_wstring(elapsed) + L" ms" : L"not in time");
    check.Equal(std::wstring(subject) + L": lbl_CurWindow", heading, app.Text(ids::lbl_CurWindow));
    CheckWindowData(check, subject, ExpectedWindowData(window), ShownWindowData(app));
    return inTime;
}

}  // namespace tarnwick::e2e
