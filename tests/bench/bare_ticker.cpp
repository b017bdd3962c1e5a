// A window that does nothing but what every tick of Tarnwick asks of the system: the
// foreground window, its own handle, the pointer and the window under it, every 50 ms.

#include "platform/win32/windows_api.h"

namespace {

volatile LONG_PTR g_sink;

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

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = TickerProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"TarnwickBareTicker";
    if (!::RegisterClassW(&wc)) {
        return 1;
    }
    const HWND window = ::CreateWindowW(L"TarnwickBareTicker", L"Bare ticker", WS_OVERLAPPED, 0, 0,
                                        100, 100, nullptr, nullptr, instance, nullptr);
    if (window == nullptr || !::SetTimer(window, 1, 50, nullptr)) {
        return 1;
    }
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&message);
    }
    return 0;
}
