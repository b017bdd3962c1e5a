#include "main_window/frame_style.h"

#include "app/settings.h"

namespace tarnwick {

FrameStyle ReadFrameStyle(Win32Api& win32) {
    const std::int32_t setting = win32.GetPrivateProfileInt(kSectionGeneral, kKeyFrameStyle,
                                                            kFrameStyleAutomatic, g_IniFile);
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
