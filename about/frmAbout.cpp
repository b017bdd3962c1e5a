#include "about/frmAbout.h"

#include "about/frmAbout_controls.h"
#include "placement/modPosition.h"
#include "platform/decimal_text.h"

namespace tarnwick {

using namespace frmAboutControls;

std::wstring VersionText(const VersionNumbers& version) {
    // Appended piece by piece: a chain of concatenations costs the program far more code.
    std::wstring text = SignedDecimalText(version.major);
    text.append(L".").append(SignedDecimalText(version.minor)).append(L".0.");
    text.append(SignedDecimalText(version.revision));
    return text;
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
