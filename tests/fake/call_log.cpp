#include "tests/fake/call_log.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace tarnwick::fake {

void CallLog::Record(std::string call) {
    calls_.push_back(std::move(call));
    if (!failingCall.empty() && calls_.back().starts_with(failingCall)) {
        throw std::runtime_error("failing call: " + calls_.back());
    }
}

std::vector<std::string> CallLog::Matching(std::initializer_list<std::string_view> prefixes) const {
    std::vector<std::string> matching;
    for (const std::string& call : calls_) {
        if (std::any_of(prefixes.begin(), prefixes.end(),
                        [&](std::string_view prefix) { return call.starts_with(prefix); })) {
            matching.push_back(call);
        }
    }
    return matching;
}

int CallLog::Count(std::string_view prefix) const {
    return static_cast<int>(std::count_if(
        calls_.begin(), calls_.end(), [&](const std::string& c) { return c.starts_with(prefix); }));
}

std::string Utf8(std::wstring_view text) {
    std::string out;
    for (const wchar_t wide : text) {
        const auto c = static_cast<char32_t>(wide);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string Num(double value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

}  // namespace tarnwick::fake
