// The coloured frame on the target window, and the command that picks its colour.

#include <cstdint>

#include "app/number_text.h"
#include "app/settings.h"
#include "main_window/frame_geometry.h"
#include "main_window/frmMain.h"
#include "main_window/frmMain_controls.h"
#include "platform/physical_pixels.h"

namespace tarnwick {

using namespace frmMainControls;

void frmMain::DrawBorder(Hwnd winHandle) {
    // The bare desktop is the whole screen: a frame round it marks nothing, and one painted on it
    // is never wiped.
    if (winHandle == platform_.win32.GetDesktopWindow()) {
        return;
    }
    if (CurrentFrameStyle() == FrameStyle::Overlay) {
        ShowOverlayFrame(winHandle);
    } else {
        PaintFrame(winHandle);
    }
}

FrameStyle frmMain::CurrentFrameStyle() {
    if (!m_FrameStyle) {
        m_FrameStyle = ReadFrameStyle(platform_.win32);
    }
    return *m_FrameStyle;
}

void frmMain::PaintFrame(Hwnd winHandle) {
    Win32Api& win32 = platform_.win32;
    Rect window{};
    Rect shown{};
    {
        const PhysicalPixels physical(win32);
        shown = OnItsMonitor(win32, winHandle, FrameBounds(win32, winHandle, window));
    }
    // The strips go in the window's own coordinates, where the window DC has its origin.
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

void frmMain::WipeFrame() {
    if (CurrentFrameStyle() == FrameStyle::Overlay) {
        platform_.win32.HideFrameOverlay();
    } else {
        // Every window on the screen repaints, the one under a painted frame included.
        platform_.win32.InvalidateRect(0, nullptr, -1);
    }
}

void frmMain::EndFrame() {
    if (CurrentFrameStyle() == FrameStyle::Overlay) {
        platform_.win32.DestroyFrameOverlay();
    } else {
        WipeFrame();
    }
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
