#include "tests/e2e/screen.h"

#include <vector>

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

int ScreenPixelsOfColor(COLORREF color) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> pixels(static_cast<std::size_t>(width) * height);
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    // A 32-bit DIB holds 0x00RRGGBB; a COLORREF is 0x00BBGGRR.
    const DWORD wanted = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    int count = 0;
    for (const DWORD pixel : pixels) {
        count += (pixel & 0xFFFFFF) == wanted ? 1 : 0;
    }
    return count;
}

}  // namespace tarnwick::e2e
