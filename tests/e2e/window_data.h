#pragma once
// The seven data labels of Tarnwick's main window: what they must show for a window, worked out
// here from the window's live properties, and what they do show.

#include <windows.h>

#include <string>
#include <string_view>

#include "tests/e2e/app.h"
#include "tests/e2e/check.h"

namespace tarnwick::e2e {

struct WindowData {
    std::wstring decimal;
    std::wstring hex;
    std::wstring className;
    std::wstring title;
    std::wstring rect;
    std::wstring style;
    std::wstring parent;
    // The style as it read before the window was shown. A window can become the foreground
    // window a moment before it is shown (a dialog, activated while it is being made); the
    // display then caught its style without WS_VISIBLE and does not look again while the
    // window stays the same. Empty for data read from the labels.
    std::wstring styleBeforeShown;
};

// Whether the labels show the expected data (either style of an expected window).
bool Shows(const WindowData& expected, const WindowData& shown);

// "Dec: " and "Hex: " forms of the handle, class, title (at most 511 characters), "(l, t)-(r, b)",
// style in hexadecimal, and the parent (or owner) in hexadecimal or "No parent window".
WindowData ExpectedWindowData(HWND window);
WindowData ShownWindowData(const TarnwickApp& app);

// One check per label, named "<subject>: <label>".
void CheckWindowData(Check& check, std::wstring_view subject, const WindowData& expected,
                     const WindowData& shown);

// Waits until the heading reads `heading` and the labels show `window`; returns whether they
// did within timeoutMs, then checks both (so a failure shows what was on show at the end).
bool ExpectTracked(Check& check, const TarnwickApp& app, std::wstring_view subject, HWND window,
                   std::wstring_view heading, DWORD timeoutMs);

}  // namespace tarnwick::e2e
