// The start-up sequence: the main window's load event.

#include "app/modInit.h"
#include "app/settings.h"
#include "main_window/frmMain.h"
#include "main_window/frmMain_controls.h"
#include "placement/modPosition.h"

namespace tarnwick {

using namespace frmMainControls;

void frmMain::Form_Load() {
    Form& f = *form_;
    Win32Api& win32 = platform_.win32;
    modInit::InitApplication(platform_, f);
    modPosition::RestoreFormPosition(f, platform_, kSectionPosition);

    const auto readOption = [&](const wchar_t* key, std::int32_t defaultValue) {
        return win32.GetPrivateProfileInt(kSectionGeneral, key, defaultValue, g_IniFile);
    };
    f.SetChecked(mnu_TrackForeground, readOption(kKeyTrackForeground, 1) != 0);
    f.SetChecked(mnu_TrackTarget, readOption(kKeyTrackTarget, 1) != 0);
    f.SetVisible(img_Target, f.Checked(mnu_TrackTarget));
    m_BorderColor = readOption(kKeyBorderColor, kDefaultBorderColor);

    m_LastHwnd = 0;
    DisplayData(f.hWnd());
    RegisterCaptureHotkey();
    ReopenDetails();
}

}  // namespace tarnwick
