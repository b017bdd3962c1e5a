#pragma once
// Checks of what Tarnwick left in its settings file.

#include <string>
#include <vector>

#include "tests/e2e/check.h"

namespace tarnwick::e2e {

// The keys of a section in the order the file holds them.
std::vector<std::wstring> IniKeys(const std::wstring& iniPath, const wchar_t* section);
// "a, b, c".
std::wstring JoinedKeys(const std::vector<std::wstring>& keys);

// A numeric value, read as text (Tarnwick writes a blank before a non-negative number, which the
// profile functions may drop) and compared within the tolerance.
void CheckIniNumber(Check& check, const std::wstring& iniPath, const wchar_t* section,
                    const wchar_t* key, double expected, double tolerance);

// A value compared as text, "(missing)" standing for a key that is not there.
void CheckIniText(Check& check, const std::wstring& iniPath, const wchar_t* section,
                  const wchar_t* key, const wchar_t* expected);

}  // namespace tarnwick::e2e
