#pragma once
// Reads a JSON text as a parser does, strictly: objects, strings with every escape, numbers and
// null (what Tarnwick writes), nothing after the value but white space.

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick::e2e {

// Every member at any depth by its path of keys joined with ".", "details.window.class": strings
// as they read, numbers as written, null as "null". Nothing when the text is not valid JSON or a
// path comes twice.
std::optional<std::map<std::wstring, std::wstring>> ReadJson(std::wstring_view text);

}  // namespace tarnwick::e2e
