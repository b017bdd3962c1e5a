#include "platform/win32/screen_units.h"

#include "platform/win32/system_library.h"

namespace tarnwick::win32 {

int SystemDpi() {
    static const int dpi = [] {
        const HDC screen = ::GetDC(nullptr);
        const int logPixels = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : kStandardDpi;
        if (screen) {
            ::ReleaseDC(nullptr, screen);
        }
        return logPixels > 0 ? logPixels : kStandardDpi;
    }();
    return dpi;
}

int WindowDpi(HWND window) {
    static const auto dpiForWindow =
        SystemFunction<decltype(::GetDpiForWindow)>(L"user32.dll", "GetDpiForWindow");
    const UINT dpi = dpiForWindow != nullptr ? dpiForWindow(window) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : SystemDpi();
}

}  // namespace tarnwick::win32
