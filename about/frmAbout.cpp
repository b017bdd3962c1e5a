#include "about/frmAbout.h"

#include "about/frmAbout_controls.h"
#include "placement/modPosition.h"

namespace tarnwick {

using namespace frmAboutControls;

std::wstring VersionText(const VersionNumbers& version) {
    return std::to_wstring(version.major) + L"." + std::to_wstring(version.minor) + L".0." +
           std::to_wstring(version.revision);
}

frmAbout::frmAbout(Platform platform)
    : platform_(platform), form_(platform.app.CreateForm(AboutFormDesign(), *this)) {}

void frmAbout::Click(ControlId control) {
    if (control == btn_OK) {
        btn_OK_Click();
    }
}

void frmAbout::Form_Load() {
    form_->SetCaption(data_Version, VersionText(platform_.app.Version()));
    modPosition::CenterForm(*form_, platform_);
    modPosition::SetKeepOnTop(*form_, platform_, 1);
}

void frmAbout::btn_OK_Click() {
    form_->Unload();
}

}  // namespace tarnwick
