#pragma once
// Fields in a help topic's text: "{{name}}" stands for a value that only the running program
// knows (the settings file in use), filled in when the topic is shown.

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

struct HelpFieldValue {
    std::wstring name;
    std::wstring value;
};

// A handful of fields, each name once; where a name were given twice, the first one counts.
using HelpFieldValues = std::vector<HelpFieldValue>;

// The text with each "{{name}}" of a known field replaced by its value; a name without a value,
// and a "{{" without its "}}", stay as they are written.
std::wstring FillHelpFields(std::wstring_view text, const HelpFieldValues& values);

}  // namespace tarnwick
