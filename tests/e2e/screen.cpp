#include "tests/e2e/screen.h"

namespace tarnwick::e2e {

ScreenInfo QueryScreen() {
    ScreenInfo info;
    info.width = GetSystemMetrics(SM_CXSCREEN);
    info.height = GetSystemMetrics(SM_CYSCREEN);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.workArea, 0);
    const HDC screen = GetDC(nullptr);
    info.twipsPerPixelX = 1440.0 / GetDeviceCaps(screen, LOGPIXELSX);
    info.twipsPerPixelY = 1440.0 / GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return info;
}

COLORREF ScreenPixel(POINT point) {
    const HDC screen = GetDC(nullptr);
    const COLORREF color = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return color;
}

}  // namespace tarnwick::e2e
