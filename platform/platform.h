#pragma once
// Everything the program reaches outside itself, handed to the forms and modules as one value.

#include "platform/toolkit.h"
#include "platform/win32_api.h"
#include "platform/window_queries.h"

namespace tarnwick {

struct Platform {
    Application& app;
    Win32Api& win32;
    WindowQueries& queries;
};

}  // namespace tarnwick
