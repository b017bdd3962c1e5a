#include "platform/help/help_fields.h"

namespace tarnwick {

namespace {

// Where "{{" or "}}" starts at or after from; npos where it does not. A loop of its own costs
// less than the library's search for a string.
std::size_t FindPair(std::wstring_view text, wchar_t c, std::size_t from) {
    for (std::size_t at = from; at + 1 < text.size(); ++at) {
        if (text[at] == c && text[at + 1] == c) {
            return at;
        }
    }
    return std::wstring_view::npos;
}

}  // namespace

std::wstring FillHelpFields(std::wstring_view text, const HelpFieldValues& values) {
    constexpr std::size_t kBraces = 2;
    std::wstring filled;
    filled.reserve(text.size());
    for (;;) {
        const std::size_t start = FindPair(text, L'{', 0);
        const std::size_t end =
            start == std::wstring_view::npos ? start : FindPair(text, L'}', start + kBraces);
        if (end == std::wstring_view::npos) {
            filled += text;
            return filled;
        }
        const std::wstring_view name = text.substr(start + kBraces, end - start - kBraces);
        const HelpFieldValue* field = nullptr;
        for (const HelpFieldValue& entry : values) {
            if (entry.name == name) {
                field = &entry;
                break;
            }
        }
        filled += text.substr(0, start);
        if (field) {
            filled += field->value;
        } else {
            filled += text.substr(start, end + kBraces - start);
        }
        text.remove_prefix(end + kBraces);
    }
}

}  // namespace tarnwick
