// The least a program like Tarnwick can be: a window with fifteen labels, as many as Tarnwick's
// panel has, that does nothing but what every tick of Tarnwick asks of the system (the
// foreground window, its own handle, the pointer and the window under it) every 50 ms. The
// benchmark compares Tarnwick with it.

#include "platform/win32/windows_api.h"

namespace {

volatile LONG_PTR g_sink;

constexpr int kLabels = 15;

LRESULT CALLBACK TickerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        POINT point{};
        ::GetCursorPos(&point);
        g_sink = reinterpret_cast<LONG_PTR>(::GetForegroundWindow()) ^
                 reinterpret_cast<LONG_PTR>(hwnd) ^
                 reinterpret_cast<LONG_PTR>(::WindowFromPoint(point));
        return 0;
    }
    if (message == WM_CLOSE) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

// A heading over seven pairs of caption and value, in two columns.
void AddLabels(HWND window, HINSTANCE instance) {
    const auto font = reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT));
    for (int i = 0; i < kLabels; ++i) {
        const int row = i == 0 ? 0 : (i + 1) / 2;
        const bool value = i > 0 && i % 2 == 0;
        const HWND label = ::CreateWindowW(
            L"STATIC", value ? L"Label1" : L"Caption:", WS_CHILD | WS_VISIBLE, value ? 70 : 8,
            8 + 20 * row, value ? 200 : 60, 18, window, nullptr, instance, nullptr);
        ::SendMessageW(label, WM_SETFONT, font, FALSE);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = TickerProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"TarnwickBareTicker";
    if (!::RegisterClassW(&wc)) {
        return 1;
    }
    const HWND window =
        ::CreateWindowW(L"TarnwickBareTicker", L"Bare ticker", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                        0, 300, 220, nullptr, nullptr, instance, nullptr);
    if (window == nullptr || !::SetTimer(window, 1, 50, nullptr)) {
        return 1;
    }
    AddLabels(window, instance);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&message);
    }
    return 0;
}
