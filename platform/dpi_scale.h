#pragma once
// Twips (1/1440 inch) against pixels at a DPI. A form is laid out in twips; how many pixels a twip
// is follows the monitor that the form's window is on, while places on the screen are counted at
// the system DPI (the primary monitor's scale when the user signed in).

namespace tarnwick {

inline constexpr int kStandardDpi = 96;

// To the nearest whole number, a half away from zero, as lround gives it: exact for every float
// (the sum in double loses nothing), without the runtime's lround.
inline int Nearest(double value) {
    return static_cast<int>(value < 0 ? value - 0.5 : value + 0.5);
}

// Twips per pixel at the DPI (above 0): 15 at 96, 10 at 144.
inline float TwipsPerPixelAt(int dpi) {
    return 1440.0f / static_cast<float>(dpi);
}

inline int TwipsToPixels(float twips, int dpi) {
    return Nearest(twips / TwipsPerPixelAt(dpi));
}

inline float PixelsToTwips(int pixels, int dpi) {
    return static_cast<float>(pixels) * TwipsPerPixelAt(dpi);
}

// A size drawn for 96 DPI (a picture, a margin) at the DPI, to the nearest pixel.
inline int ScaledPixels(int pixelsAt96, int dpi) {
    return (pixelsAt96 * dpi + kStandardDpi / 2) / kStandardDpi;
}

}  // namespace tarnwick
