#include "app/number_text.h"

#include <charconv>
#include <cstdio>

namespace tarnwick {

namespace {

std::wstring Widen(const char* first, const char* last) {
    return std::wstring(first, last);
}

}  // namespace

std::wstring GeneralNumber(std::int32_t value) {
    return std::to_wstring(value);
}

std::wstring DecimalWithSign(std::int32_t value) {
    return value >= 0 ? L" " + GeneralNumber(value) : GeneralNumber(value);
}

std::wstring Hex(std::int32_t value) {
    char digits[16];
    const int length = std::snprintf(digits, sizeof digits, "%X", static_cast<unsigned>(value));
    return Widen(digits, digits + length);
}

std::wstring NumberText(float value) {
    if (value == 0) {
        value = 0;  // a negative zero is written as plain 0
    }
    // to_chars is locale-independent and gives the shortest text that reads back as the same
    // single-precision value: 900 -> "900", 3761.25 -> "3761.25".
    char digits[64];
    const auto result =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed);
    const std::wstring text = Widen(digits, result.ptr);
    return value >= 0 ? L" " + text : text;
}

}  // namespace tarnwick
