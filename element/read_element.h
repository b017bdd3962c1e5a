#pragma once
// How one element is read on the reading thread, whichever system interfaces answer.

#include "platform/accessible_element.h"

namespace tarnwick {

// Reads the request's element through UI Automation, and through Active Accessibility where
// UI Automation fails: what a failed reading left behind is never mixed into the answer.
ElementAnswer ReadElement(ElementSources& sources, const ElementRequest& request);

}  // namespace tarnwick
