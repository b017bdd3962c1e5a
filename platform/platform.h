#pragma once
// Everything the program reaches outside itself, handed to the forms and modules as one value.

#include "platform/toolkit.h"
#include "platform/win32_api.h"
#include "platform/window_inspector.h"

namespace tarnwick {

struct Platform {
    Application& app;
    Win32Api& win32;
    WindowInspector& inspector;
};

}  // namespace tarnwick
