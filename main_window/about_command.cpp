// The About command.

#include "about/frmAbout.h"
#include "main_window/frmMain.h"

namespace tarnwick {

void frmMain::mnu_About_Click() {
    frmAbout about(platform_);
    about.form().Load();
    about.form().ShowModal();
}

}  // namespace tarnwick
