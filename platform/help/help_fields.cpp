#include "platform/help/help_fields.h"

namespace tarnwick {

std::wstring FillHelpFields(std::wstring_view text, const HelpFieldValues& values) {
    constexpr std::wstring_view open = L"{{";
    constexpr std::wstring_view close = L"}}";
    std::wstring filled;
    filled.reserve(text.size());
    for (;;) {
        const std::size_t start = text.find(open);
        const std::size_t end =
            start == std::wstring_view::npos ? start : text.find(close, start + open.size());
        if (end == std::wstring_view::npos) {
            filled += text;
            return filled;
        }
        const std::wstring_view name = text.substr(start + open.size(), end - start - open.size());
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
            filled += text.substr(start, end + close.size() - start);
        }
        text.remove_prefix(end + close.size());
    }
}

}  // namespace tarnwick
