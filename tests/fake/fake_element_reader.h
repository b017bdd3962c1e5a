#pragma once
// The accessible-element reader of the fake window system: it records every request and answers
// only when a test says so, late, as a hung provider would (NotResponding), or never. Also the
// two system interfaces behind a reading, scripted per interface.

#include <optional>
#include <vector>

#include "platform/accessible_element.h"
#include "tests/fake/call_log.h"

namespace tarnwick::fake {

class FakeElementReader final : public ElementReader {
  public:
    explicit FakeElementReader(CallLog& log) : log_(log) {}

    // Every request in the order it was made.
    std::vector<ElementRequest> requests;

    void Request(const ElementRequest& request, ElementAnswers& answers) override;

    // Raises the answer for a request made earlier, as the reading thread's message would.
    void Answer(std::uint64_t request, ElementOutcome outcome, const AccessibleElement& element);
    // Answers the newest request with the element.
    void AnswerLatest(const AccessibleElement& element);

  private:
    CallLog& log_;
    ElementAnswers* answers_ = nullptr;
};

// What each interface tells: nothing is a failure of that interface.
class FakeElementSources final : public ElementSources {
  public:
    std::optional<AccessibleElement> uiAutomation;
    std::optional<AccessibleElement> activeAccessibility;
    // What a failing interface leaves behind before it fails.
    AccessibleElement leftByFailure;

    bool ReadWithUiAutomation(const ElementRequest& request, AccessibleElement& element) override;
    bool ReadWithActiveAccessibility(const ElementRequest& request,
                                     AccessibleElement& element) override;
};

}  // namespace tarnwick::fake
