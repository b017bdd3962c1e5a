#include "app/modInit.h"

#include "app/modFileDir.h"
#include "app/settings.h"
#include "main_window/frmMain_controls.h"

namespace tarnwick {

std::wstring g_IniFile;

namespace modInit {

using namespace frmMainControls;

void InitApplication(Application& app, Form& mainForm) {
    g_IniFile = modFileDir::JoinPath(app.Path(), kIniFileName);
    app.SetHelpFile(modFileDir::JoinPath(app.Path(), kHelpFileReference));
    mainForm.SetToolTipText(img_Target, L"Click here and drag to get target crosshair");
    mainForm.SetToolTipText(btn_Close, L"Close the Tarnwick");
    mainForm.SetToolTipText(btn_Help, L"Learn about the Tarnwick");
}

}  // namespace modInit
}  // namespace tarnwick
