// Handler failures go to the debugger's output, where a developer looks for them.

#include <algorithm>
#include <cstdlib>

#include "platform/event_dispatch.h"
#include "platform/win32/windows_api.h"

namespace tarnwick {

void ReportHandlerFailure(std::string_view event, std::string_view reason) noexcept {
    // Put together in a buffer of its own rather than a std::string, whose code the program
    // would carry for this one line.
    const std::string_view parts[] = {"Tarnwick: handler of ", event, " failed: ", reason, "\n"};
    std::size_t length = 1;
    for (const std::string_view part : parts) {
        length += part.size();
    }
    auto* const text = static_cast<char*>(std::malloc(length));
    if (text == nullptr) {
        ::OutputDebugStringA("Tarnwick: a handler failed\n");
        return;
    }
    char* end = text;
    for (const std::string_view part : parts) {
        end = std::copy(part.begin(), part.end(), end);
    }
    *end = '\0';
    ::OutputDebugStringA(text);
    std::free(text);
}

}  // namespace tarnwick
