#include "element/read_element.h"

namespace tarnwick {

ElementAnswer ReadElement(ElementSources& sources, const ElementRequest& request) {
    ElementAnswer answer;
    answer.request = request.id;
    if (sources.ReadWithUiAutomation(request, answer.element)) {
        answer.outcome = ElementOutcome::Read;
        return answer;
    }
    answer.element = {};
    if (sources.ReadWithActiveAccessibility(request, answer.element)) {
        answer.outcome = ElementOutcome::Read;
        return answer;
    }
    answer.element = {};
    return answer;
}

}  // namespace tarnwick
