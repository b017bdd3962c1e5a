#include "tests/fake/fake_element_reader.h"

namespace tarnwick::fake {

void FakeElementReader::Request(const ElementRequest& request, ElementAnswers& answers) {
    std::string call = "ElementRequest(" + Num(request.window);
    if (request.point) {
        call += "," + Num(request.point->x) + "," + Num(request.point->y);
    }
    log_.Record(call + ")");
    requests.push_back(request);
    answers_ = &answers;
}

void FakeElementReader::Answer(std::uint64_t request, ElementOutcome outcome,
                               const AccessibleElement& element) {
    if (answers_) {
        answers_->ElementAnswered(ElementAnswer{request, outcome, element});
    }
}

void FakeElementReader::AnswerLatest(const AccessibleElement& element) {
    if (!requests.empty()) {
        Answer(requests.back().id, ElementOutcome::Read, element);
    }
}

namespace {

bool ReadFrom(const std::optional<AccessibleElement>& told, const AccessibleElement& left,
              AccessibleElement& element) {
    element = told.value_or(left);
    return told.has_value();
}

}  // namespace

bool FakeElementSources::ReadWithUiAutomation(const ElementRequest&, AccessibleElement& element) {
    return ReadFrom(uiAutomation, leftByFailure, element);
}

bool FakeElementSources::ReadWithActiveAccessibility(const ElementRequest&,
                                                     AccessibleElement& element) {
    return ReadFrom(activeAccessibility, leftByFailure, element);
}

}  // namespace tarnwick::fake
