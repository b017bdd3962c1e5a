#include "platform/win32/screen_units.h"

#include <cmath>

#include "platform/win32/windows_api.h"

namespace tarnwick::win32 {

float TwipsPerPixel() {
    // The program is DPI-aware at the system DPI, which does not change while it runs.
    static const float twipsPerPixel = [] {
        const HDC screen = ::GetDC(nullptr);
        const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
        if (screen) {
            ::ReleaseDC(nullptr, screen);
        }
        return 1440.0f / static_cast<float>(dpi > 0 ? dpi : 96);
    }();
    return twipsPerPixel;
}

int TwipsToPixels(float twips) {
    return static_cast<int>(std::lround(twips / TwipsPerPixel()));
}

float PixelsToTwips(int pixels) {
    return static_cast<float>(pixels) * TwipsPerPixel();
}

}  // namespace tarnwick::win32
