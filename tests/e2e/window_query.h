#pragma once
// Questions about windows of any process, asked the way that works across processes: texts
// through WM_GETTEXT with a timeout (a hung program does not hang the driver), the rest through
// the window manager.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::e2e {

// The window's text, or nothing when the window does not answer within timeoutMs.
std::optional<std::wstring> TryWindowText(HWND window, DWORD timeoutMs = 2000);
// The window's text; empty when it does not answer.
std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);

RECT WindowRect(HWND window);
// Client area's size in pixels.
SIZE ClientSize(HWND window);
// The child's window rectangle in the client coordinates of another window.
RECT RectInClientOf(HWND child, HWND window);

LONG Style(HWND window);
LONG ExStyle(HWND window);
bool IsTopmost(HWND window);
// The window's handle as the signed 32-bit number that window handles fit in.
std::int32_t HandleValue(HWND window);

// Visible top-level windows of a process, optionally only those of one class.
std::vector<HWND> TopLevelWindows(DWORD processId, std::wstring_view className = {});

std::wstring RectText(const RECT& rect);

}  // namespace tarnwick::e2e
