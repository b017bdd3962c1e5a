#pragma once
// Twips (1/1440 inch) against the screen's pixels.

namespace tarnwick::win32 {

// Twips per pixel of the screen at the program's DPI (15 at 96 DPI).
float TwipsPerPixel();
int TwipsToPixels(float twips);
float PixelsToTwips(int pixels);

}  // namespace tarnwick::win32
