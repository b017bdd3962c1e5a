#pragma once
// Text helpers of the driver: UTF-8 conversion, numbers in the forms Tarnwick shows them, and
// quoting for report lines.

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick::e2e {

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

// Decimal with sign position: a blank before a value >= 0, a minus sign before a negative one.
std::wstring DecimalWithSign(std::int32_t value);
// Upper-case hexadecimal of the value taken as unsigned, no prefix, no leading zeros.
std::wstring Hex(std::uint32_t value);
std::wstring Decimal(std::int64_t value);
// Shortest text that reads back as the same double ("2827.5", "15").
std::wstring Real(double value);

// The text in double quotes, with control characters written as escapes (\t, \r, \n, \xNN), so
// that blanks and tabs in a report line are visible.
std::wstring Quote(std::wstring_view text);

bool StartsWith(std::wstring_view text, std::wstring_view prefix);
bool Contains(std::wstring_view text, std::wstring_view part);
std::wstring Trim(std::wstring_view text);

}  // namespace tarnwick::e2e
