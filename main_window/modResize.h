#pragma once

#include "platform/toolkit.h"

namespace tarnwick::modResize {

// Puts the panel in the top-left corner, the two buttons in a row under it, and sizes the main
// window so that its client area holds exactly the panel and the button row.
void ArrangeMainForm(Form& mainForm);

}  // namespace tarnwick::modResize
