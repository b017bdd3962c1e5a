#include "placement/modPosition.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "app/number_text.h"
#include "app/settings.h"

namespace tarnwick::modPosition {

namespace {

std::optional<std::int32_t> ToInt32(double value) {
    // Nearest whole number, a value exactly halfway going to the even neighbour.
    const double rounded = std::nearbyint(value);
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<std::int32_t>::min() ||
        rounded > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(rounded);
}

std::optional<std::int32_t> TwipsPerPixel(float screenTwips, std::int32_t screenPixels) {
    if (screenPixels == 0) {
        return std::nullopt;
    }
    return ToInt32(double{screenTwips} / screenPixels);
}

std::optional<std::int32_t> Product(std::int32_t pixels, std::int32_t twipsPerPixel) {
    const std::int64_t product = std::int64_t{pixels} * twipsPerPixel;
    if (product < std::numeric_limits<std::int32_t>::min() ||
        product > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(product);
}

// The work area's width and height in twips; nothing when the screen reports sizes from which no
// band can be worked out (a metric of 0, a product beyond 32 bits).
struct Band {
    std::int32_t width;
    std::int32_t height;
};

std::optional<Band> WorkBand(const Platform& platform) {
    const auto twipsX =
        TwipsPerPixel(platform.app.ScreenWidth(), platform.win32.GetSystemMetrics(kSmCxScreen));
    const auto twipsY =
        TwipsPerPixel(platform.app.ScreenHeight(), platform.win32.GetSystemMetrics(kSmCyScreen));
    Rect work{};
    platform.win32.SystemParametersInfo(kSpiGetWorkArea, 0, work, 0);
    if (!twipsX || !twipsY) {
        return std::nullopt;
    }
    const auto width = Product(work.right - work.left, *twipsX);
    const auto height = Product(work.bottom - work.top, *twipsY);
    if (!width || !height) {
        return std::nullopt;
    }
    return Band{*width, *height};
}

bool KeepOnTopDisabled(const Platform& platform) {
    return platform.win32.GetPrivateProfileInt(kSectionGeneral, kKeyDisableKeepOnTop, 0,
                                               g_IniFile) != 0;
}

void PutInTopmostBand(Hwnd window, const Platform& platform, bool topmost) {
    platform.win32.SetWindowPos(window, topmost ? kHwndTopmost : kHwndNoTopmost, 0, 0, 0, 0,
                                kSwpNoSizeNoMoveNoActivate);
}

}  // namespace

void KeepFormOnScreen(Form& form, const Platform& platform) {
    const auto band = WorkBand(platform);
    if (form.Get(kThisForm, Dim::Top) < 0) {
        form.Set(kThisForm, Dim::Top, 0);
    }
    if (form.Get(kThisForm, Dim::Left) < 0) {
        form.Set(kThisForm, Dim::Left, 0);
    }
    // Without a band the far edges are left unclamped rather than the start-up cut short.
    if (!band) {
        return;
    }
    const double width = form.Get(kThisForm, Dim::Width);
    if (double{form.Get(kThisForm, Dim::Left)} + width > band->width) {
        form.Set(kThisForm, Dim::Left, static_cast<float>(band->width - width));
    }
    const double height = form.Get(kThisForm, Dim::Height);
    if (double{form.Get(kThisForm, Dim::Top)} + height > band->height) {
        form.Set(kThisForm, Dim::Top, static_cast<float>(band->height - height));
    }
}

void CenterForm(Form& form, const Platform& platform) {
    form.Set(kThisForm, Dim::Top,
             (platform.app.ScreenHeight() - form.Get(kThisForm, Dim::Height)) / 2);
    form.Set(kThisForm, Dim::Left,
             (platform.app.ScreenWidth() - form.Get(kThisForm, Dim::Width)) / 2);
}

void RestoreFormPosition(Form& form, const Platform& platform, std::wstring_view section) {
    form.Hide();
    const auto read = [&](const wchar_t* key) {
        return platform.win32.GetPrivateProfileInt(section, key, -1, g_IniFile);
    };
    const std::int32_t left = read(kKeyLeft);
    const std::int32_t top = read(kKeyTop);
    const std::int32_t width = read(kKeyWidth);
    if (width < 0) {
        CenterForm(form, platform);
    } else {
        form.Set(kThisForm, Dim::Left, static_cast<float>(left));
        form.Set(kThisForm, Dim::Top, static_cast<float>(top));
    }
    KeepFormOnScreen(form, platform);
    form.Show();
    SetKeepOnTop(form, platform, 1);
}

void SaveFormPosition(Form& form, const Platform& platform, std::wstring_view section) {
    const auto write = [&](const wchar_t* key, float value) {
        platform.win32.WritePrivateProfileString(section, key, NumberText(value), g_IniFile);
    };
    write(kKeyLeft, form.Get(kThisForm, Dim::Left));
    write(kKeyTop, form.Get(kThisForm, Dim::Top));
    write(kKeyWidth, form.Get(kThisForm, Dim::Width));
    write(kKeyHeight, form.Get(kThisForm, Dim::Height));
    write(kKeyWindowState, form.WindowState());
}

void SetKeepOnTop(Form& form, const Platform& platform, std::int16_t onTop) {
    const bool disabled = KeepOnTopDisabled(platform);
    PutInTopmostBand(form.hWnd(), platform, !disabled && onTop != 0);
    if (!disabled) {
        form.ZOrder();
    }
}

void KeepWindowOnTop(Hwnd window, const Platform& platform) {
    PutInTopmostBand(window, platform, !KeepOnTopDisabled(platform));
}

}  // namespace tarnwick::modPosition
