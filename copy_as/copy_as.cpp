#include "copy_as/copy_as.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "platform/ascii_text.h"

namespace tarnwick {

namespace {

enum class Literal { PythonOrJson, Cpp, XPath };

// A character that would end a line or cannot be seen: the C0 and C1 control characters, DEL, and
// the line and paragraph separators.
bool IsControlCharacter(std::uint32_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0x2028 || c == 0x2029;
}

bool IsHexDigit(wchar_t c) {
    return static_cast<unsigned>(c - L'0') < 10 || static_cast<unsigned>((c | 0x20) - L'a') < 6;
}

// Digits in the base, upper-case, at least minimumDigits of them; a minus sign before a negative
// value.
void AppendNumber(std::wstring& out, std::int64_t value, unsigned base = 10,
                  int minimumDigits = 1) {
    // The magnitude as unsigned, so that the most negative value has one too.
    auto magnitude = static_cast<std::uint64_t>(value);
    if (value < 0) {
        out.push_back(L'-');
        magnitude = 0 - magnitude;
    }
    wchar_t digits[20];
    int count = 0;
    do {
        digits[19 - count++] = static_cast<wchar_t>("0123456789ABCDEF"[magnitude % base]);
        magnitude /= base;
    } while (magnitude != 0 || count < minimumDigits);
    out.append(digits + 20 - count, static_cast<std::size_t>(count));
}

// The size characters from text as a literal of the language (see the header); a pointer and a
// size take two registers where a view would be copied to the stack at every call.
void AppendLiteral(std::wstring& out, const wchar_t* text, std::size_t size, Literal language) {
    if (language == Literal::XPath) {
        const std::wstring_view view(text, size);
        const bool apostrophe = view.find(L'\'') != view.npos;
        if (!apostrophe || view.find(L'"') == view.npos) {
            const char* quote = apostrophe ? "\"" : "'";
            AppendAscii(out, quote);
            out.append(text, size);
            AppendAscii(out, quote);
            return;
        }
        // No XPath 1.0 literal holds both kinds: the text is put together from its runs without
        // apostrophes and its apostrophes, each of which a literal holds.
        for (std::size_t at = 0; at < size;) {
            const std::size_t end =
                text[at] == L'\'' ? at + 1 : std::min(view.find(L'\'', at), size);
            AppendAscii(out, at == 0 ? "concat(" : ", ");
            AppendLiteral(out, text + at, end - at, Literal::XPath);
            at = end;
        }
        out.push_back(L')');
        return;
    }
    const bool cpp = language == Literal::Cpp;
    // Each character with an escape of its own, followed by the escape's letter; the question
    // mark only in C++.
    static constexpr char kNamed[] = "\"\"\\\\\nn\rr\tt??";
    AppendAscii(out, cpp ? "L\"" : "\"");
    for (std::size_t at = 0; at < size; ++at) {
        // A character beyond the BMP is one wchar_t where it is 32 bits wide, a surrogate pair
        // where it is 16.
        const std::size_t first = at;
        auto c = static_cast<std::uint32_t>(text[at]);
        const auto next = at + 1 < size ? static_cast<std::uint32_t>(text[at + 1]) : 0;
        if ((c & 0xFC00) == 0xD800 && (next & 0xFC00) == 0xDC00) {
            c = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
            ++at;
        }
        char letter = 0;
        for (int i = 0; i < (cpp ? 12 : 10); i += 2) {
            letter = c == static_cast<unsigned char>(kNamed[i]) ? kNamed[i + 1] : letter;
        }
        const bool surrogate = (c & 0xFFFFF800) == 0xD800;
        if (letter != 0) {
            out.push_back(L'\\');
            out.push_back(static_cast<wchar_t>(letter));
        } else if (cpp ? c >= 0x20 && c < 0x7F : !IsControlCharacter(c) && !surrogate) {
            out.append(text + first, at + 1 - first);
        } else {
            AppendAscii(out, cpp && surrogate ? "\\x" : c > 0xFFFF ? "\\U" : "\\u");
            AppendNumber(out, c, 16, c > 0xFFFF ? 8 : 4);
            if (cpp && surrogate && at + 1 < size && IsHexDigit(text[at + 1])) {
                AppendAscii(out, "\" L\"");
            }
        }
    }
    out.push_back(L'"');
}

// The words before, then the value as a literal of the language; in C++ an empty value, which
// the calls take as "any", as nullptr.
void AppendQuoted(std::wstring& text, const char* before, const std::wstring& value,
                  Literal language) {
    AppendAscii(text, before);
    if (language == Literal::Cpp && value.empty()) {
        AppendAscii(text, "nullptr");
    } else {
        AppendLiteral(text, value.data(), value.size(), language);
    }
}

// Whether "ahk_", in any case, starts at the position: there AutoHotkey would read a criterion.
// (Comparing with bit 0x20 set takes DEL for "_", but DEL ends the title before anyway.)
bool AutoHotkeyCriterionAt(const std::wstring& text, std::size_t at) {
    for (const char* c = "ahk_"; *c != '\0'; ++c, ++at) {
        if (at == text.size() || (text[at] | 0x20) != (*c | 0x20)) {
            return false;
        }
    }
    return true;
}

// A control type that may stand as an XPath element name; anything else matches any element.
void AppendXPathElementName(std::wstring& text, const std::wstring& controlType) {
    bool plain = !controlType.empty();
    for (const wchar_t c : controlType) {
        plain = plain && (c | 0x20) >= L'a' && (c | 0x20) <= L'z';
    }
    if (plain) {
        text.append(controlType);
    } else {
        text.push_back(L'*');
    }
}

}  // namespace

std::wstring CopyAsText(CopyAsFormat format, const CopyAsSubject& subject) {
    std::wstring text;
    if (subject.chain.empty()) {
        return text;
    }
    const CopyAsWindow& top = subject.chain.front();
    const AccessibleElement* element = subject.element;
    const bool byId = element && !(*element)[ElementText::AutomationId].empty();
    switch (format) {
        case CopyAsFormat::AutoHotkeyWinTitle: {
            std::size_t end = 0;
            while (end < top.title.size() && !IsControlCharacter(top.title[end]) &&
                   !AutoHotkeyCriterionAt(top.title, end)) {
                ++end;
            }
            text.append(top.title.data(), end);
            // Each criterion that has a value, after a blank where something comes before it.
            for (const auto& [name, value] : {std::pair(" ahk_class ", &top.className),
                                              std::pair(" ahk_exe ", &subject.imageName)}) {
                if (!value->empty()) {
                    AppendAscii(text, text.empty() ? name + 1 : name);
                    text.append(*value);
                }
            }
            break;
        }
        case CopyAsFormat::AutoHotkeyId:
            AppendAscii(text, "ahk_id 0x");
            AppendNumber(text, static_cast<std::uint32_t>(subject.chain.back().handle), 16);
            break;
        case CopyAsFormat::Pywinauto:
            AppendQuoted(text, "Desktop(backend=\"uia\").window(title=", top.title,
                         Literal::PythonOrJson);
            AppendQuoted(text, ", class_name=", top.className, Literal::PythonOrJson);
            text.push_back(L')');
            if (element) {
                AppendQuoted(
                    text, byId ? ".child_window(auto_id=" : ".child_window(title=",
                    byId ? (*element)[ElementText::AutomationId] : (*element)[ElementText::Name],
                    Literal::PythonOrJson);
                if (!(*element)[ElementText::ControlType].empty()) {
                    AppendQuoted(text, ", control_type=", (*element)[ElementText::ControlType],
                                 Literal::PythonOrJson);
                }
                text.push_back(L')');
            }
            break;
        case CopyAsFormat::XPath:
            AppendQuoted(text, "/Window[@ClassName=", top.className, Literal::XPath);
            AppendQuoted(text, "][@Name=", top.title, Literal::XPath);
            text.push_back(L']');
            if (element) {
                AppendAscii(text, "//");
                AppendXPathElementName(text, (*element)[ElementText::ControlType]);
                AppendQuoted(
                    text, byId ? "[@AutomationId=" : "[@Name=",
                    byId ? (*element)[ElementText::AutomationId] : (*element)[ElementText::Name],
                    Literal::XPath);
                text.push_back(L']');
            }
            break;
        case CopyAsFormat::FindWindowEx:
            for (const CopyAsWindow& window : subject.chain) {
                AppendQuoted(text,
                             text.empty() ? "HWND hwnd = FindWindowExW(nullptr, nullptr, "
                                          : "\r\nhwnd = FindWindowExW(hwnd, nullptr, ",
                             window.className, Literal::Cpp);
                AppendQuoted(text, ", ", window.title, Literal::Cpp);
                AppendAscii(text, ");");
            }
            break;
    }
    return text;
}

std::wstring ExpandCopyTemplate(std::wstring_view pattern, const CopyAsSubject& subject) {
    // The placeholders' names one after the other, each ending in a NUL, and an empty one last.
    static constexpr char kPlaceholders[] =
        "hwnd\0hwndhex\0class\0title\0exe\0pid\0classnn\0controlid\0name\0automationid\0"
        "controltype\0";
    std::wstring text;
    if (subject.chain.empty()) {
        return text;
    }
    const CopyAsWindow& shown = subject.chain.back();
    const AccessibleElement* element = subject.element;
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        const wchar_t c = pattern[at];
        if ((c == L'{' || c == L'}') && at + 1 < pattern.size() && pattern[at + 1] == c) {
            text.push_back(c);
            ++at;
            continue;
        }
        // The placeholder that starts here, if one does: its number and where it ends.
        std::size_t which = 0;
        std::size_t end = at + 1;
        for (const char* name = kPlaceholders; c == L'{' && *name != '\0'; ++which) {
            end = at + 1;
            while (*name != '\0' && end < pattern.size() && pattern[end] == *name) {
                ++name;
                ++end;
            }
            if (*name == '\0' && end < pattern.size() && pattern[end] == L'}') {
                break;
            }
            while (*name++ != '\0') {
            }
        }
        switch (c == L'{' ? which : std::size_t{11}) {
            case 0:
                AppendNumber(text, shown.handle);
                break;
            case 1:
                AppendNumber(text, static_cast<std::uint32_t>(shown.handle), 16);
                break;
            case 2:
                text.append(shown.className);
                break;
            case 3:
                text.append(shown.title);
                break;
            case 4:
                text.append(subject.imageName);
                break;
            case 5:
                AppendNumber(text, subject.processId);
                break;
            case 6:
                text.append(subject.classNN);
                break;
            case 7:
                AppendNumber(text, subject.controlId);
                break;
            case 8:
            case 9:
            case 10:
                if (element) {
                    static constexpr ElementText kTexts[] = {
                        ElementText::Name, ElementText::AutomationId, ElementText::ControlType};
                    text.append((*element)[kTexts[which - 8]]);
                }
                break;
            default:
                text.push_back(c);
                continue;
        }
        at = end;
    }
    return text;
}

void JsonText::Member(std::wstring_view key, const char* token, const std::wstring_view* value) {
    if (afterMember_) {
        text_.push_back(L',');
    }
    if (!key.empty()) {
        AppendLiteral(text_, key.data(), key.size(), Literal::PythonOrJson);
        text_.push_back(L':');
    }
    AppendAscii(text_, token);
    if (value) {
        AppendLiteral(text_, value->data(), value->size(), Literal::PythonOrJson);
    }
    afterMember_ = true;
}

void JsonText::BeginObject(std::wstring_view key) {
    Member(key, "{");
    afterMember_ = false;
}

void JsonText::EndObject() {
    text_.push_back(L'}');
    afterMember_ = true;
}

void JsonText::String(std::wstring_view key, std::wstring_view value) {
    Member(key, "", &value);
}

void JsonText::Null(std::wstring_view key) {
    Member(key, "null");
}

void JsonText::Number(std::wstring_view key, std::int64_t value) {
    Member(key, "");
    AppendNumber(text_, value);
}

void JsonText::AsciiKey(const char* key) {
    AppendAscii(text_, afterMember_ ? ",\"" : "\"");
    AppendAscii(text_, key);
    AppendAscii(text_, "\":");
    afterMember_ = true;
}

void JsonText::BeginObject(const char* key) {
    AsciiKey(key);
    text_.push_back(L'{');
    afterMember_ = false;
}

void JsonText::String(const char* key, const std::wstring& value) {
    AsciiKey(key);
    AppendLiteral(text_, value.data(), value.size(), Literal::PythonOrJson);
}

void JsonText::Number(const char* key, std::int64_t value) {
    AsciiKey(key);
    AppendNumber(text_, value);
}

std::wstring JsonText::Take() {
    afterMember_ = false;
    return std::move(text_);
}

std::wstring CamelCaseKey(std::wstring_view rowName) {
    const auto isLetter = [](wchar_t c) { return (c | 0x20) >= L'a' && (c | 0x20) <= L'z'; };
    const auto inWord = [&](std::size_t at) {
        return at < rowName.size() &&
               (isLetter(rowName[at]) || (rowName[at] >= L'0' && rowName[at] <= L'9'));
    };
    std::wstring key;
    for (std::size_t at = 0; at < rowName.size(); ++at) {
        if (!inWord(at)) {
            continue;
        }
        std::size_t end = at;
        bool capitals = true;
        for (; inWord(end); ++end) {
            capitals = capitals && !(rowName[end] >= L'a' && rowName[end] <= L'z');
        }
        for (std::size_t i = at; i < end; ++i) {
            const wchar_t c = rowName[i];
            const bool upper = i == at && !key.empty();
            const bool lower = i == at ? key.empty() : capitals;
            key.push_back(!isLetter(c) ? c
                          : upper      ? static_cast<wchar_t>(c & ~0x20)
                          : lower      ? static_cast<wchar_t>(c | 0x20)
                                       : c);
        }
        at = end;
    }
    return key;
}

}  // namespace tarnwick
