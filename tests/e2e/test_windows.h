#pragma once
// The driver's own windows for Tarnwick to look at: top-level windows with a known class, title,
// place and background colour. They live on a user-interface thread of their own, which pumps
// their messages while the driver's main thread waits, sleeps and checks.

#include <windows.h>

#include <string>
#include <thread>

namespace tarnwick::e2e {

inline constexpr wchar_t kTestWindowClass[] = L"TarnwickE2ETarget";
inline constexpr wchar_t kBackdropClass[] = L"TarnwickE2EBackdrop";
// A title outside every single-byte code page: French and Chinese.
inline constexpr wchar_t kUnicodeTitle[] = L"Fen\u00EAtre \u7A97\u53E3";

struct TestWindowOptions {
    std::wstring className = kTestWindowClass;
    std::wstring title = kUnicodeTitle;
    RECT rect{40, 40, 340, 260};  // screen pixels, outer rectangle
    COLORREF background = RGB(255, 255, 255);
    DWORD style = WS_OVERLAPPEDWINDOW;
    // A child window of this one (with WS_CHILD in the style; rect in its client coordinates).
    HWND parent = nullptr;
    // A child window's control id.
    int controlId = 0;
    // False for a class of the system's (a BUTTON, an EDIT): used as it is, not registered.
    bool ownClass = true;
};

// Opens a popup menu of the test window at the screen point, on the window's own thread, which
// stays in the menu until it is closed (Esc).
void OpenPopupMenu(HWND window, POINT screen);

// How many WM_PAINT and WM_NCPAINT messages a test window has received since it was made.
int PaintMessages(HWND window);

class TestWindows {
  public:
    TestWindows();
    ~TestWindows();
    TestWindows(const TestWindows&) = delete;
    TestWindows& operator=(const TestWindows&) = delete;

    // Creates and shows a window without activating it; returns once it is shown.
    HWND Create(const TestWindowOptions& options);
    // A control of the system's class (a BUTTON, an EDIT) inside the window, with its id; rect
    // in the window's client coordinates, WS_CHILD | WS_VISIBLE added to the style.
    HWND CreateControl(HWND parent, std::wstring className, std::wstring text, RECT rect,
                       DWORD style, int controlId);
    // A borderless window over the whole screen, below the others, so that a drag never
    // crosses the bare desktop (a frame painted there would never be wiped).
    HWND CreateBackdrop();

  private:
    void Run();

    std::thread thread_;
    HANDLE ready_ = nullptr;
    HWND controller_ = nullptr;
};

// A test window on a thread of its own that can be made to stop answering messages, as a hung
// program does: the thread then waits, without pumping, until the hang ends (after hangMs, or
// at once when the holder goes).
class HungWindow {
  public:
    explicit HungWindow(const TestWindowOptions& options);
    ~HungWindow();
    HungWindow(const HungWindow&) = delete;
    HungWindow& operator=(const HungWindow&) = delete;

    HWND Handle() const { return window_; }
    // The thread stops pumping messages for up to hangMs, from its next message on.
    void Hang(DWORD hangMs);

  private:
    void Run(const TestWindowOptions& options);

    std::thread thread_;
    HANDLE ready_ = nullptr;
    HANDLE wake_ = nullptr;
    HWND window_ = nullptr;
};

}  // namespace tarnwick::e2e
