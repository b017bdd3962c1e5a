#pragma once
// The four-pixel frame that Tarnwick paints along a window's outer edges, seen on the screen:
// one sample point inside each strip, half-way along it.

#include <windows.h>

#include <array>
#include <string>

#include "tests/e2e/check.h"

namespace tarnwick::e2e {

struct FrameSample {
    const wchar_t* edge;
    POINT point;
};

std::array<FrameSample, 4> FrameSamples(const RECT& window);
std::array<COLORREF, 4> ReadFrameSamples(const std::array<FrameSample, 4>& samples);

std::wstring ColorText(COLORREF color);

// Checks that every sample shows the colour.
void CheckFrameColor(Check& check, std::wstring_view what,
                     const std::array<FrameSample, 4>& samples, COLORREF color);

}  // namespace tarnwick::e2e
