#pragma once
// The boundary between the toolkit and the program's event handlers: a handler that fails ends
// there, the program goes on with the next event.

#include <exception>
#include <string_view>

namespace tarnwick {

// Tells the developer (debugger output, standard error) which handler failed and why.
void ReportHandlerFailure(std::string_view event, std::string_view reason) noexcept;

template <class Handler>
void RaiseEvent(std::string_view event, Handler&& handler) noexcept {
    try {
        handler();
    } catch (const std::exception& failure) {
        ReportHandlerFailure(event, failure.what());
    } catch (...) {
        ReportHandlerFailure(event, "unknown failure");
    }
}

}  // namespace tarnwick
