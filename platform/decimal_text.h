#pragma once
// Whole numbers as decimal text, without the C library's formatted output (which would bring a
// general printf, with its floating-point tables, into the program).

#include <cstdint>
#include <string>

namespace tarnwick {

// Decimal digits, no sign, no blank, no grouping: 0 -> "0", 4294967295 -> "4294967295".
inline std::wstring DecimalText(std::uint64_t value) {
    wchar_t digits[20];
    wchar_t* first = digits + sizeof digits / sizeof digits[0];
    do {
        *--first = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    } while (value != 0);
    return std::wstring(first, digits + sizeof digits / sizeof digits[0]);
}

// A minus sign before a negative value, nothing before any other.
inline std::wstring SignedDecimalText(std::int64_t value) {
    // The magnitude as unsigned, so that the most negative value has one too.
    const std::uint64_t magnitude = value < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(value)
                                              : static_cast<std::uint64_t>(value);
    return value < 0 ? L"-" + DecimalText(magnitude) : DecimalText(magnitude);
}

}  // namespace tarnwick
