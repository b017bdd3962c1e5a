#include "main_window/frame_style.h"

#include <algorithm>
#include <array>

#include "app/settings.h"

namespace tarnwick {

namespace {

// Whether the value's text starts as a number does: blanks, an optional sign, a digit. The
// integer read gives 0 for a word as it does for "0", and a word is no choice of style.
bool WrittenAsNumber(Win32Api& win32) {
    std::array<wchar_t, 32> text{};
    const std::int32_t length =
        win32.GetPrivateProfileString(kSectionGeneral, kKeyFrameStyle, L"", text, g_IniFile);
    const auto end = static_cast<std::size_t>(
        std::clamp<std::int32_t>(length, 0, static_cast<std::int32_t>(text.size())));
    std::size_t at = 0;
    while (at < end && (text[at] == L' ' || text[at] == L'\t')) {
        ++at;
    }
    if (at < end && (text[at] == L'-' || text[at] == L'+')) {
        ++at;
    }
    return at < end && text[at] >= L'0' && text[at] <= L'9';
}

}  // namespace

FrameStyle ReadFrameStyle(Win32Api& win32) {
    std::int32_t setting = win32.GetPrivateProfileInt(kSectionGeneral, kKeyFrameStyle,
                                                      kFrameStyleAutomatic, g_IniFile);
    if (setting == kFrameStylePainted && !WrittenAsNumber(win32)) {
        setting = kFrameStyleAutomatic;
    }
    switch (setting) {
        case kFrameStylePainted:
            return FrameStyle::Painted;
        case kFrameStyleOverlay:
            return FrameStyle::Overlay;
        default:
            return win32.DwmIsCompositionEnabled() ? FrameStyle::Overlay : FrameStyle::Painted;
    }
}

}  // namespace tarnwick
