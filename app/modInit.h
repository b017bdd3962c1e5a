#pragma once

#include "platform/platform.h"

namespace tarnwick::modInit {

// Fixes the settings-file path (and names it in the help) and the help-file path, and gives the
// main window's drag target and buttons their tooltips.
void InitApplication(Platform& platform, Form& mainForm);

}  // namespace tarnwick::modInit
