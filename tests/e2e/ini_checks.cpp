#include "tests/e2e/ini_checks.h"

#include <windows.h>

#include <cwchar>

#include "tests/e2e/case_folder.h"
#include "tests/e2e/text.h"

namespace tarnwick::e2e {

std::vector<std::wstring> IniKeys(const std::wstring& iniPath, const wchar_t* section) {
    std::vector<wchar_t> buffer(32768);
    const DWORD length = GetPrivateProfileSectionW(
        section, buffer.data(), static_cast<DWORD>(buffer.size()), iniPath.c_str());
    std::vector<std::wstring> keys;
    for (DWORD i = 0; i < length;) {
        const std::wstring entry = buffer.data() + i;
        keys.push_back(entry.substr(0, entry.find(L'=')));
        i += static_cast<DWORD>(entry.size()) + 1;
    }
    return keys;
}

std::wstring JoinedKeys(const std::vector<std::wstring>& keys) {
    std::wstring text;
    for (const std::wstring& key : keys) {
        text += (text.empty() ? L"" : L", ") + key;
    }
    return text;
}

void CheckIniNumber(Check& check, const std::wstring& iniPath, const wchar_t* section,
                    const wchar_t* key, double expected, double tolerance) {
    const std::optional<std::wstring> text = ReadIniValue(iniPath, section, key);
    const std::wstring what = std::wstring(section) + L"/" + key;
    if (!text) {
        check.That(what + L" written", false, L"a value", L"missing");
        return;
    }
    const std::wstring trimmed = Trim(*text);
    wchar_t* end = nullptr;
    const double value = std::wcstod(trimmed.c_str(), &end);
    if (trimmed.empty() || *end != L'\0') {
        check.That(what + L" is a number", false, L"a number", Quote(*text));
        return;
    }
    check.Near(what, expected, value, tolerance);
}

void CheckIniText(Check& check, const std::wstring& iniPath, const wchar_t* section,
                  const wchar_t* key, const wchar_t* expected) {
    check.Equal(std::wstring(section) + L"/" + key, expected,
                ReadIniValue(iniPath, section, key).value_or(L"(missing)"));
}

}  // namespace tarnwick::e2e
