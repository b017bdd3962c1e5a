// The coloured frame painted straight onto the target window, and the command that picks its
// colour.

#include <array>
#include <cstdint>
#include <limits>
#include <optional>

#include "app/number_text.h"
#include "app/settings.h"
#include "main_window/frmMain.h"
#include "main_window/frmMain_controls.h"

namespace tarnwick {

using namespace frmMainControls;

namespace {

constexpr std::int64_t kFrameThickness = 4;

bool FitsInt32(std::int64_t value) {
    return value >= std::numeric_limits<std::int32_t>::min() &&
           value <= std::numeric_limits<std::int32_t>::max();
}

// The four strips (left, top, right, bottom) along the edges of the frame rectangle, given in the
// window's own coordinates. Nothing when a coordinate would leave the 32-bit range: such a
// rectangle is no window's, and clipped strips would land in the wrong place.
std::optional<std::array<Rect, 4>> FrameStrips(std::int64_t left, std::int64_t top,
                                               std::int64_t right, std::int64_t bottom) {
    const std::int64_t values[] = {left,
                                   top,
                                   right,
                                   bottom,
                                   left + kFrameThickness,
                                   top + kFrameThickness,
                                   right - kFrameThickness,
                                   bottom - kFrameThickness};
    for (const std::int64_t value : values) {
        if (!FitsInt32(value)) {
            return std::nullopt;
        }
    }
    const auto l = static_cast<std::int32_t>(left);
    const auto t = static_cast<std::int32_t>(top);
    const auto r = static_cast<std::int32_t>(right);
    const auto b = static_cast<std::int32_t>(bottom);
    constexpr std::int32_t thick = kFrameThickness;
    return std::array{Rect{l, t, l + thick, b}, Rect{l, t, r, t + thick}, Rect{r - thick, t, r, b},
                      Rect{l, b - thick, r, b}};
}

}  // namespace

void frmMain::DrawBorder(Hwnd winHandle) {
    Win32Api& win32 = platform_.win32;
    Rect window{};
    win32.GetWindowRect(winHandle, window);
    // Where the window manager draws less than the window rectangle (invisible resize borders),
    // the frame goes on what the user sees.
    Rect shown = window;
    Rect visible{};
    if (win32.GetVisibleFrameBounds(winHandle, visible)) {
        shown = visible;
    }
    const auto strips = FrameStrips(
        std::int64_t{shown.left} - window.left, std::int64_t{shown.top} - window.top,
        std::int64_t{shown.right} - window.left, std::int64_t{shown.bottom} - window.top);
    if (!strips) {
        return;
    }

    const GdiHandle dc = win32.GetWindowDC(winHandle);
    const GdiHandle brush = win32.CreateSolidBrush(m_BorderColor);
    for (const Rect& strip : *strips) {
        win32.Rectangle(dc, strip.left, strip.top, strip.right, strip.bottom);
        win32.FillRect(dc, strip, brush);
    }
    win32.DeleteObject(brush);
    win32.ReleaseDC(winHandle, dc);
}

void frmMain::mnu_SetBorderColor_Click() {
    Form& f = *form_;
    // The colour dialog may fail in any step; each failure is passed over and only a cancel by
    // the user keeps the colour as it is.
    const auto attempt = [](auto&& step) {
        try {
            step();
        } catch (const std::exception&) {
        }
    };
    attempt([&] { f.SetColor(CommonDialog1, m_BorderColor); });
    std::int32_t error = 0;
    attempt([&] { error = f.ShowColor(CommonDialog1); });
    if (error == kErrorCancel) {
        return;
    }
    attempt([&] { m_BorderColor = f.Color(CommonDialog1); });
    platform_.win32.WritePrivateProfileString(kSectionGeneral, kKeyBorderColor,
                                              GeneralNumber(m_BorderColor), g_IniFile);
}

}  // namespace tarnwick
