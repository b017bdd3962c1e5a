#pragma once
// The accessible element of the window on display: asked for when the window comes from the
// pointer (a drag, a capture) or while the Details window shows it, and known once the reader
// answers. An answer counts only while it is the answer to the last question asked.

#include <optional>

#include "platform/accessible_element.h"

namespace tarnwick {

// Told when what is known of the element has changed.
class ElementListener {
  public:
    virtual void ElementChanged() = 0;

  protected:
    ~ElementListener() = default;
};

class ElementOnDisplay final : public ElementAnswers {
  public:
    ElementOnDisplay(ElementReader& reader, ElementListener& listener)
        : reader_(reader), listener_(listener) {}

    // Asks for the element of the window at the point (screen pixels), or for the window's own
    // element without one. What was known before is forgotten at once.
    void Ask(Hwnd window, std::optional<Point> point);
    // The window on display is another now, and no one asks about it: whatever is known or
    // awaited is of a window no longer shown.
    void Forget();

    // The window and the point last asked about; 0 after Forget.
    Hwnd window() const { return window_; }
    const std::optional<Point>& point() const { return point_; }
    // The answer about the window, once it has come; none while the window is not the one last
    // asked about.
    const std::optional<ElementAnswer>& AnswerAbout(Hwnd window) const {
        return window == window_ ? answer_ : noAnswer_;
    }

  private:
    void ElementAnswered(const ElementAnswer& answer) override;

    ElementReader& reader_;
    ElementListener& listener_;
    std::uint64_t lastRequest_ = 0;
    // The request whose answer counts; 0 when none is awaited.
    std::uint64_t awaited_ = 0;
    Hwnd window_ = 0;
    std::optional<Point> point_;
    std::optional<ElementAnswer> answer_;
    // Always empty: what AnswerAbout gives for any other window.
    std::optional<ElementAnswer> noAnswer_;
};

}  // namespace tarnwick
