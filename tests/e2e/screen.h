#pragma once
// The screen as the driver sees it: its size, work area, twips per pixel, and its pixels.

#include <windows.h>

namespace tarnwick::e2e {

struct ScreenInfo {
    int width = 0;   // pixels
    int height = 0;  // pixels
    RECT workArea{};
    // 1440 / dots per inch, per axis (15 at 96 DPI).
    double twipsPerPixelX = 15;
    double twipsPerPixelY = 15;
};

ScreenInfo QueryScreen();

// The colour on the screen at a point, read from the screen's own device context, so that
// what another process painted shows as it is displayed.
COLORREF ScreenPixel(POINT point);
// How many pixels of the whole screen show the colour.
int ScreenPixelsOfColor(COLORREF color);

}  // namespace tarnwick::e2e
