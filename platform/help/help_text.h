#pragma once
// The help file reader's pieces, shared by its files: lines and words of the text, the topic text
// builder, and the window lookup that both the parser and HelpDocument use.
//
// The text helpers and the topic text builder are defined here, inline: the parser calls most of
// them from one place, and compiled into it they cost the program half a kilobyte less than out
// of line.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/help/help_document.h"

namespace tarnwick::help_text {

inline bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

inline wchar_t AsciiLower(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

inline std::wstring_view Trim(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Lines and words are taken off the front of the text one at a time, where lists of them would
// bring a vector of views and its growth into the program.

// Takes the next line off text; a line ends at CR LF, LF or a lone CR. False when none is left.
inline bool NextLine(std::wstring_view& text, std::wstring_view& line) {
    if (text.empty()) {
        return false;
    }
    std::size_t end = 0;
    while (end < text.size() && text[end] != L'\n' && text[end] != L'\r') {
        ++end;
    }
    line = text.substr(0, end);
    if (end + 1 < text.size() && text[end] == L'\r' && text[end + 1] == L'\n') {
        ++end;
    }
    text.remove_prefix(end < text.size() ? end + 1 : end);
    return true;
}

// Takes the next word off text, with the blanks before it; empty when none is left.
inline std::wstring_view NextWord(std::wstring_view& text) {
    text = Trim(text);
    std::size_t end = 0;
    while (end < text.size() && !IsBlank(text[end])) {
        ++end;
    }
    const std::wstring_view word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

// Plain decimal digits within [0, limit]; no sign, no blanks.
inline std::optional<std::uint32_t> ParseNumber(std::wstring_view text, std::uint32_t limit) {
    if (text.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - L'0');
        if (value > limit) {
            return std::nullopt;
        }
    }
    return static_cast<std::uint32_t>(value);
}

// Names compare without regard to the case of ASCII letters.
const HelpWindowDefinition* WindowWithName(const std::vector<HelpWindowDefinition>& windows,
                                           std::wstring_view name);

// Joins a topic's text lines into paragraphs, list items and kept lines.
class TopicTextBuilder {
  public:
    void AddLine(std::wstring_view line) {
        const std::wstring_view trimmed = Trim(line);
        if (trimmed.empty()) {
            paragraphOpen_ = false;
            joinable_ = false;
        } else if (trimmed.front() == L'|') {
            std::wstring_view kept = trimmed.substr(1);
            if (!kept.empty() && IsBlank(kept.front())) {
                kept.remove_prefix(1);
            }
            StartLine();
            text_ += kept;
            joinable_ = false;
        } else if (trimmed.starts_with(L"- ")) {
            StartLine();
            text_ += trimmed;
            joinable_ = true;
        } else {
            // "@@" stands for a literal "@".
            const std::wstring_view words =
                trimmed.starts_with(L"@@") ? trimmed.substr(1) : trimmed;
            if (joinable_) {
                text_ += L' ';
            } else {
                StartLine();
            }
            text_ += words;
            joinable_ = true;
        }
    }

    // The text so far; the builder starts again, empty.
    std::wstring Take() {
        std::wstring taken = std::move(text_);
        text_.clear();
        paragraphOpen_ = false;
        joinable_ = false;
        return taken;
    }

  private:
    void StartLine() {
        if (!text_.empty()) {
            text_ += paragraphOpen_ ? L"\n" : L"\n\n";
        }
        paragraphOpen_ = true;
    }

    std::wstring text_;
    bool paragraphOpen_ = false;
    bool joinable_ = false;
};

}  // namespace tarnwick::help_text
