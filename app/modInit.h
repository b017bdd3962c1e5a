#pragma once

#include "platform/toolkit.h"

namespace tarnwick::modInit {

// Fixes the settings-file path and the help-file path, and gives the main window's drag target
// and buttons their tooltips.
void InitApplication(Application& app, Form& mainForm);

}  // namespace tarnwick::modInit
