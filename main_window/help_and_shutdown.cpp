// Help, the Close button and the way out of the program.

#include "app/modFileDir.h"
#include "app/settings.h"
#include "main_window/frmMain.h"
#include "main_window/frmMain_controls.h"
#include "placement/modPosition.h"

namespace tarnwick {

using namespace frmMainControls;

void frmMain::btn_Help_Click() {
    const std::wstring reference = modFileDir::JoinPath(platform_.app.Path(), kHelpFileReference);
    platform_.win32.WinHelp(form_->hWnd(), reference, kHelpContents, 0);
    KeepHelpOnTop();
}

void frmMain::mnu_CurrentWindowHelp_Click() {
    const Hwnd owner = form_->hWnd();
    platform_.win32.WinHelp(owner, platform_.app.HelpFile(), kHelpContext, 1);
    KeepHelpOnTop();
}

void frmMain::KeepHelpOnTop() {
    // The viewer has no owner, so that it is kept on top as the program's other windows are, not
    // held there by a topmost main window whatever the settings file says.
    const Hwnd viewer = platform_.win32.HelpWindow();
    if (viewer != 0) {
        modPosition::KeepWindowOnTop(viewer, platform_);
    }
}

void frmMain::btn_Close_Click() {
    form_->Unload();
}

void frmMain::SaveTrackingOption(const wchar_t* key, ControlId menuItem) {
    platform_.win32.WritePrivateProfileString(kSectionGeneral, key,
                                              form_->Checked(menuItem) ? L"1" : L"0", g_IniFile);
}

void frmMain::Form_Unload() {
    SaveTrackingOption(kKeyTrackForeground, mnu_TrackForeground);
    SaveTrackingOption(kKeyTrackTarget, mnu_TrackTarget);
    modPosition::SaveFormPosition(*form_, platform_, kSectionPosition);
    SaveDetails();
    UnregisterCaptureHotkey();
    // No frame painted during this run may stay behind on another window.
    EndFrame();
    platform_.app.End();
}

}  // namespace tarnwick
