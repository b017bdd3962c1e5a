#pragma once
// The accessible element as the Details window shows it and as the copied record names it.

#include <optional>
#include <string>
#include <vector>

#include "details/detail_rows.h"
#include "platform/accessible_element.h"
#include "platform/toolkit.h"

namespace tarnwick {

inline constexpr wchar_t kHeadingElement[] = L"Element";
inline constexpr wchar_t kElementNotResponding[] = L"(not responding)";

// Every row the Details window shows: the window's; the element's where an answer is known, under
// the Element heading, each value the element has and none that it lacks (a provider that did not
// answer in time gives the one row "Name: (not responding)", an answer without an element none);
// then the stack's.
std::vector<ListRow> DetailsWindowRows(const WindowFacts& facts,
                                       const std::optional<PointerReading>& pointer,
                                       const std::optional<ElementAnswer>& element,
                                       const std::vector<StackEntry>& stack);

// The record's line for the element, `Element: Button "OK"` with its CR LF: the control type,
// or the role where the element was read without one; empty when no element was read.
std::wstring ElementRecordLine(const ElementAnswer& answer);

}  // namespace tarnwick
