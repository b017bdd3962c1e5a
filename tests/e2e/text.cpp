#include "tests/e2e/text.h"

#include <windows.h>

#include <cwchar>

namespace tarnwick::e2e {

std::string ToUtf8(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

std::wstring FromUtf8(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(),
                        size);
    return result;
}

std::wstring DecimalWithSign(std::int32_t value) {
    const std::int64_t wide = value;
    return (wide < 0 ? L"-" : L" ") + std::to_wstring(wide < 0 ? -wide : wide);
}

std::wstring Hex(std::uint32_t value) {
    wchar_t buffer[16];
    std::swprintf(buffer, 16, L"%X", static_cast<unsigned>(value));
    return buffer;
}

std::wstring Decimal(std::int64_t value) {
    return std::to_wstring(value);
}

std::wstring Real(double value) {
    wchar_t buffer[64];
    for (int digits = 1; digits <= 17; ++digits) {
        std::swprintf(buffer, 64, L"%.*g", digits, value);
        if (std::wcstod(buffer, nullptr) == value) {
            break;
        }
    }
    return buffer;
}

std::wstring Quote(std::wstring_view text) {
    std::wstring result = L"\"";
    for (const wchar_t c : text) {
        switch (c) {
            case L'\t':
                result += L"\\t";
                break;
            case L'\r':
                result += L"\\r";
                break;
            case L'\n':
                result += L"\\n";
                break;
            case L'"':
                result += L"\\\"";
                break;
            case L'\\':
                result += L"\\\\";
                break;
            default:
                if (c < 0x20) {
                    wchar_t escape[8];
                    std::swprintf(escape, 8, L"\\x%02X", static_cast<unsigned>(c));
                    result += escape;
                } else {
                    result += c;
                }
        }
    }
    return result + L"\"";
}

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool Contains(std::wstring_view text, std::wstring_view part) {
    return text.find(part) != std::wstring_view::npos;
}

std::wstring Trim(std::wstring_view text) {
    const auto first = text.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(L" \t");
    return std::wstring(text.substr(first, last - first + 1));
}

}  // namespace tarnwick::e2e
