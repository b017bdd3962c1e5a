#pragma once
// UI Automation's control types by their programmatic names, as automation tools address them.

#include <cstdint>
#include <string>

namespace tarnwick {

// Appends the name of a UIA_*ControlTypeId ("Button" for 50000, "AppBar" for 50040) to the
// text; nothing for an id that names no control type this program knows.
void AppendControlTypeName(std::int32_t controlTypeId, std::wstring& text);

}  // namespace tarnwick
