// Handler failures in tests go to standard error, where the test output shows them.

#include <iostream>

#include "platform/event_dispatch.h"

namespace tarnwick {

void ReportHandlerFailure(std::string_view event, std::string_view reason) noexcept {
    std::cerr << "handler of " << event << " failed: " << reason << '\n';
}

}  // namespace tarnwick
