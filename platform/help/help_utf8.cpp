#include "platform/help/help_document.h"

namespace tarnwick {

namespace {

constexpr wchar_t kReplacementCharacter = 0xFFFD;

void AppendCodePoint(std::wstring& out, char32_t codePoint) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (codePoint > 0xFFFF) {
            codePoint -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (codePoint >> 10));
            out += static_cast<wchar_t>(0xDC00 + (codePoint & 0x3FF));
            return;
        }
    }
    out += static_cast<wchar_t>(codePoint);
}

}  // namespace

std::wstring DecodeUtf8(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i++]);
        if (lead < 0x80) {
            out += static_cast<wchar_t>(lead);
            continue;
        }
        // The lead byte fixes how many continuation bytes follow and the range of the first one,
        // which rules out overlong forms, surrogates and values beyond U+10FFFF.
        int continuations = 0;
        char32_t codePoint = 0;
        unsigned lowest = 0x80;
        unsigned highest = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            continuations = 1;
            codePoint = static_cast<char32_t>(lead & 0x1F);
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            continuations = 2;
            codePoint = static_cast<char32_t>(lead & 0x0F);
            lowest = lead == 0xE0 ? 0xA0 : 0x80;
            highest = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            continuations = 3;
            codePoint = static_cast<char32_t>(lead & 0x07);
            lowest = lead == 0xF0 ? 0x90 : 0x80;
            highest = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            out += kReplacementCharacter;
            continue;
        }
        // A broken sequence becomes one replacement character, and the byte that broke it is
        // read again as the start of what follows.
        bool complete = true;
        for (int k = 0; k < continuations; ++k) {
            const unsigned next = i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0u;
            if (i >= bytes.size() || next < lowest || next > highest) {
                complete = false;
                break;
            }
            codePoint = (codePoint << 6) | static_cast<char32_t>(next & 0x3F);
            lowest = 0x80;
            highest = 0xBF;
            ++i;
        }
        if (complete) {
            AppendCodePoint(out, codePoint);
        } else {
            out += kReplacementCharacter;
        }
    }
    return out;
}

}  // namespace tarnwick
