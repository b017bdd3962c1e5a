#include "tests/e2e/input.h"

#include "tests/e2e/wait.h"

namespace tarnwick::e2e {

namespace {

void SendMouse(DWORD flags, POINT point) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Absolute coordinates run from 0 to 65535 across the primary screen.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = MulDiv(point.x, 65535, width - 1);
    input.mi.dy = MulDiv(point.y, 65535, height - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
}

POINT CursorPosition() {
    POINT point{};
    GetCursorPos(&point);
    return point;
}

}  // namespace

void Pause(DWORD ms) {
    Sleep(ms);
}

bool BringToForeground(HWND window) {
    SetForegroundWindow(window);
    return WaitUntil(1000, [&] { return GetForegroundWindow() == window; });
}

void MoveMouse(POINT point) {
    SetCursorPos(point.x, point.y);
    SendMouse(MOUSEEVENTF_MOVE, point);
}

void PressLeftButton() {
    SendMouse(MOUSEEVENTF_LEFTDOWN, CursorPosition());
}

void ReleaseLeftButton() {
    SendMouse(MOUSEEVENTF_LEFTUP, CursorPosition());
}

void DragTo(POINT point, int steps) {
    const POINT start = CursorPosition();
    for (int step = 1; step <= steps; ++step) {
        MoveMouse({start.x + (point.x - start.x) * step / steps,
                   start.y + (point.y - start.y) * step / steps});
        Pause();
    }
}

void HeldLeftButton::Release() {
    if (held_) {
        ReleaseLeftButton();
        held_ = false;
    }
}

void Click(POINT point) {
    MoveMouse(point);
    Pause(100);
    PressLeftButton();
    Pause(100);
    ReleaseLeftButton();
    Pause(100);
}

void PressKey(WORD virtualKey) {
    INPUT inputs[2]{};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = virtualKey;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

void PressKeyWith(WORD modifier, WORD virtualKey) {
    PressKeyWith(modifier, 0, virtualKey);
}

void PressKeyWith(WORD first, WORD second, WORD virtualKey) {
    // Down in order, up in the reverse order; a modifier of 0 is none.
    const WORD keys[] = {first, second, virtualKey};
    INPUT inputs[6]{};
    UINT count = 0;
    for (const WORD key : keys) {
        if (key != 0) {
            inputs[count].type = INPUT_KEYBOARD;
            inputs[count++].ki.wVk = key;
        }
    }
    for (UINT down = count; down-- > 0;) {
        inputs[count] = inputs[down];
        inputs[count++].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(count, inputs, sizeof(INPUT));
}

void RightClick(POINT point) {
    MoveMouse(point);
    Pause(100);
    SendMouse(MOUSEEVENTF_RIGHTDOWN, point);
    Pause(100);
    SendMouse(MOUSEEVENTF_RIGHTUP, point);
    Pause(100);
}

POINT Centre(const RECT& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void Foreground(Check& check, HWND window, std::wstring_view name) {
    check.That(std::wstring(name) + L" becomes the foreground window", BringToForeground(window),
               L"foreground", L"another window");
}

bool Answers(HWND window, DWORD timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

}  // namespace tarnwick::e2e
