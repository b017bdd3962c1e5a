#pragma once
// The About box: the program's icon, name, copyright and version.

#include <memory>
#include <string>

#include "platform/platform.h"

namespace tarnwick {

// Major "." Minor ".0." Revision, as the About box shows it.
std::wstring VersionText(const VersionNumbers& version);

class frmAbout final : public FormEvents {
  public:
    explicit frmAbout(Platform platform);

    Form& form() { return *form_; }

  private:
    void Load() override { Form_Load(); }
    void Click(ControlId control) override;

    void Form_Load();
    void btn_OK_Click();

    Platform platform_;
    std::unique_ptr<Form> form_;
};

}  // namespace tarnwick
