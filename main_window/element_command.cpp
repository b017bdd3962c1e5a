// The accessible element from the main window's side: when it is asked for, and where its answer
// goes.

#include "main_window/frmMain.h"

namespace tarnwick {

void frmMain::AskElement(Hwnd window, std::optional<Point> point) {
    if (!point && !DetailsOpen()) {
        // The window's own element is read only for the Details window: reading it loads the
        // accessibility libraries into the program.
        element_.Forget();
        return;
    }
    const std::optional<Point>& asked = element_.point();
    const bool samePoint = asked.has_value() == point.has_value() &&
                           (!point || (asked->x == point->x && asked->y == point->y));
    if (window != element_.window() || !samePoint) {
        element_.Ask(window, point);
    }
}

void frmMain::ElementChanged() {
    if (DetailsOpen()) {
        details_->ShowElement(element_.AnswerAbout(shown_.handle));
    }
}

}  // namespace tarnwick
