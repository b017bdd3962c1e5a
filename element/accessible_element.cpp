#include "platform/accessible_element.h"

namespace tarnwick {

AccessibleElement::AccessibleElement() = default;
AccessibleElement::AccessibleElement(const AccessibleElement& other) = default;
AccessibleElement::AccessibleElement(AccessibleElement&& other) noexcept = default;
AccessibleElement& AccessibleElement::operator=(const AccessibleElement& other) = default;
AccessibleElement& AccessibleElement::operator=(AccessibleElement&& other) noexcept = default;
AccessibleElement::~AccessibleElement() = default;

}  // namespace tarnwick
