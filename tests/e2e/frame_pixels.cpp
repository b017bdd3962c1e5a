#include "tests/e2e/frame_pixels.h"

#include <cwchar>

#include "tests/e2e/screen.h"

namespace tarnwick::e2e {

std::array<FrameSample, 4> FrameSamples(const RECT& r) {
    const LONG midX = (r.left + r.right) / 2;
    const LONG midY = (r.top + r.bottom) / 2;
    return {{{L"left", {r.left + 1, midY}},
             {L"top", {midX, r.top + 1}},
             {L"right", {r.right - 2, midY}},
             {L"bottom", {midX, r.bottom - 2}}}};
}

std::array<COLORREF, 4> ReadFrameSamples(const std::array<FrameSample, 4>& samples) {
    std::array<COLORREF, 4> colors{};
    for (std::size_t i = 0; i < samples.size(); ++i) {
        colors[i] = ScreenPixel(samples[i].point);
    }
    return colors;
}

std::wstring ColorText(COLORREF color) {
    wchar_t text[48];
    std::swprintf(text, 48, L"RGB(%u, %u, %u)", GetRValue(color), GetGValue(color),
                  GetBValue(color));
    return text;
}

void CheckFrameColor(Check& check, std::wstring_view what,
                     const std::array<FrameSample, 4>& samples, COLORREF color) {
    const std::array<COLORREF, 4> colors = ReadFrameSamples(samples);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        check.That(std::wstring(what) + L", " + samples[i].edge + L" edge", colors[i] == color,
                   ColorText(color), ColorText(colors[i]));
    }
}

}  // namespace tarnwick::e2e
