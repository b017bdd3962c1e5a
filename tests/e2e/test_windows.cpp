#include "tests/e2e/test_windows.h"

#include <windowsx.h>

#include <cstdint>

namespace tarnwick::e2e {

namespace {

// Sent to the thread's message-only controller window: creates a test window from the
// TestWindowOptions in lParam and returns its handle.
constexpr UINT kCreateMessage = WM_APP + 1;
// Posted to a test window: opens a popup menu of it at the screen point in lParam, as a
// right-click would.
constexpr UINT kPopupMenuMessage = WM_APP + 3;
constexpr wchar_t kPaintCountProperty[] = L"TarnwickE2EPaintMessages";

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT || message == WM_NCPAINT) {
        const auto count = reinterpret_cast<std::intptr_t>(GetPropW(window, kPaintCountProperty));
        SetPropW(window, kPaintCountProperty, reinterpret_cast<HANDLE>(count + 1));
    }
    if (message == WM_NCDESTROY) {
        RemovePropW(window, kPaintCountProperty);
    }
    if (message == kPopupMenuMessage) {
        const HMENU menu = CreatePopupMenu();
        AppendMenuW(menu, MF_STRING, 1, L"&Open");
        AppendMenuW(menu, MF_STRING, 2, L"&Save");
        SetForegroundWindow(window);
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, GET_X_LPARAM(lParam),
                       GET_Y_LPARAM(lParam), 0, window, nullptr);
        DestroyMenu(menu);
        return 0;
    }
    if (message == WM_ERASEBKGND) {
        RECT client{};
        GetClientRect(window, &client);
        const HBRUSH brush =
            CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(window, GWLP_USERDATA)));
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        DeleteObject(brush);
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterTestClass(const std::wstring& name) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(GetModuleHandleW(nullptr), name.c_str(), &wc)) {
        return;
    }
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = TestWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name.c_str();
    RegisterClassExW(&wc);
}

HWND CreateTestWindow(const TestWindowOptions& options) {
    if (options.ownClass) {
        RegisterTestClass(options.className);
    }
    const auto id = reinterpret_cast<HMENU>(static_cast<std::intptr_t>(options.controlId));
    const HWND window = CreateWindowExW(
        0, options.className.c_str(), options.title.c_str(), options.style, options.rect.left,
        options.rect.top, options.rect.right - options.rect.left,
        options.rect.bottom - options.rect.top, options.parent,
        options.parent != nullptr ? id : nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window != nullptr) {
        if (options.ownClass) {
            SetWindowLongPtrW(window, GWLP_USERDATA, static_cast<LONG_PTR>(options.background));
        }
        ShowWindow(window, SW_SHOWNOACTIVATE);
        UpdateWindow(window);
    }
    return window;
}

LRESULT CALLBACK ControllerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kCreateMessage) {
        return reinterpret_cast<LRESULT>(
            CreateTestWindow(*reinterpret_cast<const TestWindowOptions*>(lParam)));
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void OpenPopupMenu(HWND window, POINT screen) {
    PostMessageW(window, kPopupMenuMessage, 0, MAKELPARAM(screen.x, screen.y));
}

int PaintMessages(HWND window) {
    return static_cast<int>(reinterpret_cast<std::intptr_t>(GetPropW(window, kPaintCountProperty)));
}

TestWindows::TestWindows() : ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = std::thread([this] { Run(); });
    WaitForSingleObject(ready_, INFINITE);
}

TestWindows::~TestWindows() {
    if (controller_ != nullptr) {
        PostMessageW(controller_, WM_CLOSE, 0, 0);
    }
    thread_.join();
    CloseHandle(ready_);
}

HWND TestWindows::Create(const TestWindowOptions& options) {
    return reinterpret_cast<HWND>(
        SendMessageW(controller_, kCreateMessage, 0, reinterpret_cast<LPARAM>(&options)));
}

HWND TestWindows::CreateControl(HWND parent, std::wstring className, std::wstring text, RECT rect,
                                DWORD style, int controlId) {
    TestWindowOptions options;
    options.parent = parent;
    options.ownClass = false;
    options.className = std::move(className);
    options.title = std::move(text);
    options.rect = rect;
    options.style = WS_CHILD | WS_VISIBLE | style;
    options.controlId = controlId;
    return Create(options);
}

HWND TestWindows::CreateBackdrop() {
    TestWindowOptions options;
    options.className = kBackdropClass;
    options.title = L"Tarnwick e2e backdrop";
    options.rect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    options.background = RGB(128, 128, 128);
    options.style = WS_POPUP;
    return Create(options);
}

void TestWindows::Run() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ControllerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TarnwickE2EController";
    RegisterClassExW(&wc);
    controller_ = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  wc.hInstance, nullptr);
    SetEvent(ready_);
    if (controller_ == nullptr) {
        return;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == controller_ && message.message == WM_CLOSE) {
            break;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    // The thread's windows go with it; destroy them first so that the screen repaints.
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            DestroyWindow(window);
            return TRUE;
        },
        0);
    DestroyWindow(controller_);
}

namespace {

// Posted to the hung window's own thread: the thread waits for lParam milliseconds without
// pumping.
constexpr UINT kHangMessage = WM_APP + 2;

}  // namespace

HungWindow::HungWindow(const TestWindowOptions& options)
    : ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      wake_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = std::thread([this, options] { Run(options); });
    WaitForSingleObject(ready_, INFINITE);
}

HungWindow::~HungWindow() {
    SetEvent(wake_);
    if (window_ != nullptr) {
        PostMessageW(window_, WM_CLOSE, 0, 0);
    }
    thread_.join();
    CloseHandle(ready_);
    CloseHandle(wake_);
}

void HungWindow::Hang(DWORD hangMs) {
    PostMessageW(window_, kHangMessage, 0, static_cast<LPARAM>(hangMs));
}

void HungWindow::Run(const TestWindowOptions& options) {
    window_ = CreateTestWindow(options);
    SetEvent(ready_);
    if (window_ == nullptr) {
        return;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == window_ && message.message == kHangMessage) {
            WaitForSingleObject(wake_, static_cast<DWORD>(message.lParam));
            continue;
        }
        if (message.hwnd == window_ && message.message == WM_CLOSE) {
            break;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DestroyWindow(window_);
}

}  // namespace tarnwick::e2e
