#include "main_window/frmMain.h"

#include "main_window/frmMain_controls.h"
#include "main_window/modResize.h"

namespace tarnwick {

using namespace frmMainControls;

frmMain::frmMain(Platform platform)
    : platform_(platform), form_(platform.app.CreateForm(MainFormDesign(), *this)) {}

void frmMain::Click(ControlId control) {
    switch (control) {
        case btn_Close:
            return btn_Close_Click();
        case btn_Help:
            return btn_Help_Click();
        case mnu_TrackForeground:
            return mnu_TrackForeground_Click();
        case mnu_TrackTarget:
            return mnu_TrackTarget_Click();
        case mnu_SetBorderColor:
            return mnu_SetBorderColor_Click();
        case mnu_CurrentWindowHelp:
            return mnu_CurrentWindowHelp_Click();
        case mnu_About:
            return mnu_About_Click();
        case key_CopyAll:
            return key_CopyAll_Click();
        case key_Details:
            return key_Details_Click();
        case key_EndHold:
            return key_EndHold_Click();
        default:
            return;
    }
}

void frmMain::MouseDown(ControlId control, const MouseArgs&) {
    if (control == img_Target) {
        img_Target_MouseDown();
    }
}

void frmMain::MouseUp(ControlId control, const MouseArgs&) {
    if (control == img_Target) {
        img_Target_MouseUp();
    }
}

void frmMain::Timer(ControlId control) {
    if (control == Timer1) {
        Timer1_Timer();
    }
}

void frmMain::Form_Resize() {
    modResize::ArrangeMainForm(*form_);
}

}  // namespace tarnwick
