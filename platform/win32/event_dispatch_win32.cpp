// Handler failures go to the debugger's output, where a developer looks for them.

#include <string>

#include "platform/event_dispatch.h"
#include "platform/win32/windows_api.h"

namespace tarnwick {

void ReportHandlerFailure(std::string_view event, std::string_view reason) noexcept {
    try {
        std::string text =
            "Tarnwick: handler of " + std::string(event) + " failed: " + std::string(reason) + "\n";
        ::OutputDebugStringA(text.c_str());
    } catch (...) {
        ::OutputDebugStringA("Tarnwick: a handler failed\n");
    }
}

}  // namespace tarnwick
