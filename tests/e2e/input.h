#pragma once
// Input as a user gives it: the foreground window, the mouse and the keyboard, through the same
// system queues that real input takes. Each step is followed by a pause in which Tarnwick's
// 50 ms timer ticks a few times.

#include <windows.h>

#include <string_view>

#include "tests/e2e/check.h"

namespace tarnwick::e2e {

// The pause after each input step.
inline constexpr DWORD kStepPauseMs = 300;

void Pause(DWORD ms = kStepPauseMs);

// Makes the window the foreground window; true once the system reports it so.
bool BringToForeground(HWND window);

// Moves the pointer to a screen point (with a mouse-move event, as a real mouse does).
void MoveMouse(POINT point);
void PressLeftButton();
void ReleaseLeftButton();
// Moves in equal steps from the pointer's position to the point, pausing after each.
void DragTo(POINT point, int steps);

// The left button held down for a while; released at the latest when the holder goes, so that a
// case that ends early does not leave the button down for the next.
class HeldLeftButton {
  public:
    HeldLeftButton() { PressLeftButton(); }
    ~HeldLeftButton() { Release(); }
    HeldLeftButton(const HeldLeftButton&) = delete;
    HeldLeftButton& operator=(const HeldLeftButton&) = delete;
    void Release();

  private:
    bool held_ = true;
};

// A press and release at the point, as a real click.
void Click(POINT point);

void PressKey(WORD virtualKey);
// The key pressed and released while the modifier (VK_CONTROL, VK_SHIFT) is held.
void PressKeyWith(WORD modifier, WORD virtualKey);
// The same with two modifiers held.
void PressKeyWith(WORD first, WORD second, WORD virtualKey);
// A press and release of the right button at the point.
void RightClick(POINT point);

POINT Centre(const RECT& rect);

// Makes the window the foreground window, checked.
void Foreground(Check& check, HWND window, std::wstring_view name);
// Whether the window answers WM_NULL within the time.
bool Answers(HWND window, DWORD timeoutMs);

}  // namespace tarnwick::e2e
