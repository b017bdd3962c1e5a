#pragma once
// The number-to-text conversions that the displays and the settings file use.

#include <cstdint>
#include <string>

namespace tarnwick {

// Decimal with sign position: a blank before a value >= 0, a minus sign before a negative one.
std::wstring DecimalWithSign(std::int32_t value);
// Upper-case hexadecimal of the value taken as unsigned, no prefix, no leading zeros.
std::wstring Hex(std::int32_t value);
// "General Number": decimal, minus sign when negative, no blank, no grouping.
std::wstring GeneralNumber(std::int32_t value);
// A twips value for the settings file: a blank before a value >= 0, a full stop before any
// fraction whatever the locale, no decimal point for a whole number (900 -> " 900").
std::wstring NumberText(float value);

}  // namespace tarnwick
