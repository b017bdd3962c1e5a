#include "element/element_on_display.h"

namespace tarnwick {

void ElementOnDisplay::Ask(Hwnd window, std::optional<Point> point) {
    const bool hadAnswer = answer_.has_value();
    window_ = window;
    point_ = point;
    answer_.reset();
    awaited_ = ++lastRequest_;
    reader_.Request({awaited_, window, point}, *this);
    if (hadAnswer) {
        listener_.ElementChanged();
    }
}

void ElementOnDisplay::Forget() {
    const bool hadAnswer = answer_.has_value();
    window_ = 0;
    point_.reset();
    answer_.reset();
    awaited_ = 0;
    if (hadAnswer) {
        listener_.ElementChanged();
    }
}

void ElementOnDisplay::ElementAnswered(const ElementAnswer& answer) {
    // An answer to an older question, or to one about a window no longer shown, is dropped.
    if (answer.request != awaited_ || awaited_ == 0) {
        return;
    }
    awaited_ = 0;
    // Asking forgot the last answer: there is none to assign over.
    answer_.emplace(answer);
    listener_.ElementChanged();
}

}  // namespace tarnwick
