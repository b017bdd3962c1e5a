#include "app/modInit.h"

#include "app/modFileDir.h"
#include "app/settings.h"
#include "app/settings_location.h"
#include "main_window/frmMain_controls.h"

namespace tarnwick {

std::wstring g_IniFile;

namespace modInit {

using namespace frmMainControls;

void InitApplication(Platform& platform, Form& mainForm) {
    Application& app = platform.app;
    g_IniFile = ChooseSettingsFile(platform.win32, app.Path());
    platform.win32.SetHelpField(kHelpFieldSettingsFile, g_IniFile);
    app.SetHelpFile(modFileDir::JoinPath(app.Path(), kHelpFileReference));
    mainForm.SetToolTipText(img_Target, L"Click here and drag to get target crosshair");
    mainForm.SetToolTipText(btn_Close, L"Close the Tarnwick");
    mainForm.SetToolTipText(btn_Help, L"Learn about the Tarnwick");
}

}  // namespace modInit
}  // namespace tarnwick
