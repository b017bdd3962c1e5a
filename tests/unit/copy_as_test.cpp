// "Copy as": every format for an ordinary window, and read back the way its language reads it, so
// that a title holding anything comes back as it is; JSON read back by a small reader; the user's
// templates; the keys made from row names.

#include <gtest/gtest.h>

#include <cstdint>
#include <cwctype>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "copy_as/copy_as.h"

namespace tarnwick {
namespace {

using namespace std::string_view_literals;

enum class Language { Python, Json, Cpp };

void AppendCodePoint(std::wstring& text, std::uint32_t c) {
    if (sizeof(wchar_t) == 2 && c > 0xFFFF) {
        text.push_back(static_cast<wchar_t>(0xD7C0 + (c >> 10)));
        text.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
    } else {
        text.push_back(static_cast<wchar_t>(c));
    }
}

// Reads a text from its front as the language's parser would; nothing where it would refuse.
class Reader {
  public:
    explicit Reader(std::wstring text) : text_(std::move(text)), rest_(text_) {}
    Reader(const Reader&) = delete;

    bool Take(std::wstring_view expected) {
        const bool found = rest_.starts_with(expected);
        rest_.remove_prefix(found ? expected.size() : 0);
        return found;
    }
    bool AtEnd() const { return rest_.empty(); }

    // From minimum to maximum hex digits, as many as there are.
    std::optional<std::uint32_t> Hex(int minimum, int maximum) {
        std::uint64_t value = 0;
        int count = 0;
        for (; count < maximum && !rest_.empty() && iswxdigit(rest_.front()); ++count) {
            const wchar_t c = rest_.front();
            value = value * 16 +
                    static_cast<std::uint64_t>(c <= L'9' ? c - L'0' : (c | 0x20) - L'a' + 10);
            rest_.remove_prefix(1);
        }
        return count >= minimum && value <= 0x10FFFF
                   ? std::optional(static_cast<std::uint32_t>(value))
                   : std::nullopt;
    }

    std::optional<std::wstring> Literal(Language language) {
        const bool cpp = language == Language::Cpp, json = language == Language::Json;
        if (!Take(cpp ? L"L\"" : L"\"")) {
            return std::nullopt;
        }
        std::wstring text;
        while (!Take(L"\"") || (cpp && Take(L" L\""))) {
            const auto c = rest_.empty() ? 0u : static_cast<std::uint32_t>(rest_.front());
            // A line may not break inside; C++ source is taken as plain ASCII, "??" as a trigraph.
            if (c < 0x20 || (cpp && (c > 0x7E || rest_.starts_with(L"??")))) {
                return std::nullopt;
            }
            rest_.remove_prefix(1);
            if (c != L'\\') {
                text.push_back(static_cast<wchar_t>(c));
                continue;
            }
            const std::wstring_view simple =
                cpp ? L"\"\"\\\\n\nr\rt\t??"sv : L"\"\"\\\\n\nr\rt\t"sv;
            const std::size_t at = rest_.empty() ? simple.npos : simple.find(rest_.front());
            std::optional<std::uint32_t> code;
            if (at != simple.npos && at % 2 == 0) {
                code = simple[at + 1];
            } else if (Take(L"u")) {
                code = Hex(4, 4);
                if (json && code >= 0xD800u && code < 0xDC00u && rest_.starts_with(L"\\u")) {
                    const std::wstring_view before = rest_;
                    rest_.remove_prefix(2);
                    const auto low = Hex(4, 4);
                    if (low >= 0xDC00u && low < 0xE000u) {
                        code = 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00);
                    } else {
                        rest_ = before;
                    }
                }
            } else if (!json && Take(L"U")) {
                code = Hex(8, 8);
            } else if (!json && Take(L"x")) {
                code = cpp ? Hex(1, 9) : Hex(2, 2);
                code = code <= 0xFFFFu ? code : std::nullopt;
            }
            if (!code) {
                return std::nullopt;
            }
            rest_.remove_prefix(at != simple.npos && at % 2 == 0 ? 1 : 0);
            AppendCodePoint(text, *code);
        }
        return text;
    }

    std::optional<std::wstring> XPathLiteral() {
        std::wstring text;
        const bool concat = Take(L"concat(");
        do {
            const wchar_t quote = rest_.empty() ? 0 : rest_.front();
            const std::size_t end = rest_.find(quote, 1);
            if ((quote != L'\'' && quote != L'"') || end == rest_.npos) {
                return std::nullopt;
            }
            text.append(rest_.substr(1, end - 1));
            rest_.remove_prefix(end + 1);
        } while (concat && Take(L", "));
        return !concat || Take(L")") ? std::optional(text) : std::nullopt;
    }

    // Every value of a JSON object, each under the keys that lead to it joined by "/": a string
    // as it is, a number as its digits, a null as "null" (as a string it would come back quoted).
    bool JsonObject(std::vector<std::pair<std::wstring, std::wstring>>& values,
                    const std::wstring& path = {}) {
        if (!Take(L"{")) {
            return false;
        }
        for (bool first = true; !Take(L"}"); first = false) {
            const auto key = first || Take(L",") ? Literal(Language::Json) : std::nullopt;
            if (!key || !Take(L":")) {
                return false;
            }
            const std::wstring name = path + *key;
            if (rest_.starts_with(L"{")) {
                if (!JsonObject(values, name + L"/")) {
                    return false;
                }
            } else if (rest_.starts_with(L"\"")) {
                const auto value = Literal(Language::Json);
                values.emplace_back(name, value ? L"\"" + *value + L"\"" : L"(invalid)");
            } else if (Take(L"null")) {
                values.emplace_back(name, L"null");
            } else {
                const std::size_t digits = rest_.find_first_not_of(L"-0123456789");
                const std::wstring_view number = rest_.substr(0, digits);
                const std::wstring_view magnitude = number.substr(number.starts_with(L"-"));
                if (magnitude.empty() || number.find(L'-', 1) != number.npos ||
                    (magnitude.size() > 1 && magnitude[0] == L'0')) {
                    return false;
                }
                values.emplace_back(name, number);
                rest_.remove_prefix(number.size());
            }
        }
        return true;
    }

  private:
    std::wstring text_;
    std::wstring_view rest_;
};

CopyAsSubject NotepadEdit() {
    CopyAsSubject subject;
    subject.chain = {{0x1A2B, L"Notepad", L"Untitled - Notepad"}, {0x2A0, L"Edit", L""}};
    subject.imageName = L"notepad.exe";
    subject.processId = 4242;
    subject.classNN = L"Edit1";
    subject.controlId = 15;
    subject.element = AccessibleElement{};
    subject.element->name = L"Text editor";
    subject.element->controlType = L"Document";
    subject.element->automationId = L"15";
    return subject;
}

TEST(CopyAsTest, FormatsOfAnOrdinaryWindow) {
    CopyAsSubject subject = NotepadEdit();
    EXPECT_EQ(CopyAsText(CopyAsFormat::AutoHotkeyWinTitle, subject),
              L"Untitled - Notepad ahk_class Notepad ahk_exe notepad.exe");
    EXPECT_EQ(CopyAsText(CopyAsFormat::AutoHotkeyId, subject), L"ahk_id 0x2A0");
    EXPECT_EQ(
        CopyAsText(CopyAsFormat::Pywinauto, subject),
        L"Desktop(backend=\"uia\").window(title=\"Untitled - Notepad\", class_name=\"Notepad\")"
        L".child_window(auto_id=\"15\", control_type=\"Document\")");
    EXPECT_EQ(
        CopyAsText(CopyAsFormat::XPath, subject),
        L"/Window[@ClassName='Notepad'][@Name='Untitled - Notepad']//Document[@AutomationId='15']");
    EXPECT_EQ(
        CopyAsText(CopyAsFormat::FindWindowEx, subject),
        L"HWND hwnd = FindWindowExW(nullptr, nullptr, L\"Notepad\", L\"Untitled - Notepad\");\r\n"
        L"hwnd = FindWindowExW(hwnd, nullptr, L\"Edit\", nullptr);");

    // Read through Active Accessibility only: no AutomationId, no control type.
    subject.element->automationId.clear();
    subject.element->controlType.clear();
    EXPECT_EQ(
        CopyAsText(CopyAsFormat::Pywinauto, subject),
        L"Desktop(backend=\"uia\").window(title=\"Untitled - Notepad\", class_name=\"Notepad\")"
        L".child_window(title=\"Text editor\")");
    EXPECT_EQ(CopyAsText(CopyAsFormat::XPath, subject),
              L"/Window[@ClassName='Notepad'][@Name='Untitled - Notepad']//*[@Name='Text editor']");

    // A top-level window with an empty title, and no element; a handle above 0x7FFFFFFF.
    subject.chain = {{-2, L"Shell_TrayWnd", L""}};
    subject.imageName.clear();
    subject.element.reset();
    EXPECT_EQ(CopyAsText(CopyAsFormat::AutoHotkeyWinTitle, subject), L"ahk_class Shell_TrayWnd");
    EXPECT_EQ(CopyAsText(CopyAsFormat::AutoHotkeyId, subject), L"ahk_id 0xFFFFFFFE");
    EXPECT_EQ(CopyAsText(CopyAsFormat::Pywinauto, subject),
              L"Desktop(backend=\"uia\").window(title=\"\", class_name=\"Shell_TrayWnd\")");
    EXPECT_EQ(CopyAsText(CopyAsFormat::XPath, subject),
              L"/Window[@ClassName='Shell_TrayWnd'][@Name='']");
    EXPECT_EQ(CopyAsText(CopyAsFormat::FindWindowEx, subject),
              L"HWND hwnd = FindWindowExW(nullptr, nullptr, L\"Shell_TrayWnd\", nullptr);");
}

struct TitleCase {
    std::wstring_view title;
    std::wstring_view winTitle;  // AutoHotkey's: as far as it can take the title
};

constexpr TitleCase kTitles[] = {
    {L"say \"hi\"", L"say \"hi\""},
    {L"it's", L"it's"},
    {L"'it's \"both\"''", L"'it's \"both\"''"},
    {L"C:\\Temp\\new", L"C:\\Temp\\new"},
    {L"{braces} {{}}", L"{braces} {{}}"},
    {L"two\r\nlines", L"two"},
    {L"a\ttab", L"a"},
    {L"Save && Exit &File", L"Save && Exit &File"},
    {L"文書 - 메모장", L"文書 - 메모장"},
    {L"smile \U0001F600!", L"smile \U0001F600!"},
    {L"nul\0bell\adel\u007F nel\u0085 ls\u2028."sv, L"nul"},
    {L"lone \xD800"
     L"A \xDC00z",
     L"lone \xD800"
     L"A \xDC00z"},
    {L"what\?\?=!", L"what\?\?=!"},
    {L"Log - AHK_id 5", L"Log - "},
};

TEST(CopyAsTest, EveryTitleReadsBackAsItIs) {
    for (const TitleCase& each : kTitles) {
        const std::wstring title(each.title);
        SCOPED_TRACE(testing::PrintToString(title));
        CopyAsSubject subject;
        subject.chain = {{0x10, title, title}, {0x20, L"Button", title}};
        subject.element = AccessibleElement{};
        subject.element->name = title;
        subject.element->controlType = L"Button";

        EXPECT_EQ(CopyAsText(CopyAsFormat::AutoHotkeyWinTitle, subject),
                  std::wstring(each.winTitle) + L" ahk_class " + title);

        Reader python(CopyAsText(CopyAsFormat::Pywinauto, subject));
        EXPECT_TRUE(python.Take(L"Desktop(backend=\"uia\").window(title="));
        EXPECT_EQ(python.Literal(Language::Python), title);
        EXPECT_TRUE(python.Take(L", class_name="));
        EXPECT_EQ(python.Literal(Language::Python), title);
        EXPECT_TRUE(python.Take(L").child_window(title="));
        EXPECT_EQ(python.Literal(Language::Python), title);
        EXPECT_TRUE(python.Take(L", control_type=\"Button\")") && python.AtEnd());

        Reader xpath(CopyAsText(CopyAsFormat::XPath, subject));
        EXPECT_TRUE(xpath.Take(L"/Window[@ClassName="));
        EXPECT_EQ(xpath.XPathLiteral(), title);
        EXPECT_TRUE(xpath.Take(L"][@Name="));
        EXPECT_EQ(xpath.XPathLiteral(), title);
        EXPECT_TRUE(xpath.Take(L"]//Button[@Name="));
        EXPECT_EQ(xpath.XPathLiteral(), title);
        EXPECT_TRUE(xpath.Take(L"]") && xpath.AtEnd());

        Reader cpp(CopyAsText(CopyAsFormat::FindWindowEx, subject));
        EXPECT_TRUE(cpp.Take(L"HWND hwnd = FindWindowExW(nullptr, nullptr, "));
        EXPECT_EQ(cpp.Literal(Language::Cpp), title);
        EXPECT_TRUE(cpp.Take(L", "));
        EXPECT_EQ(cpp.Literal(Language::Cpp), title);
        EXPECT_TRUE(cpp.Take(L");\r\nhwnd = FindWindowExW(hwnd, nullptr, L\"Button\", "));
        EXPECT_EQ(cpp.Literal(Language::Cpp), title);
        EXPECT_TRUE(cpp.Take(L");") && cpp.AtEnd());

        EXPECT_EQ(ExpandCopyTemplate(L"[{title}]", subject), L"[" + title + L"]");
    }
}

TEST(CopyAsTest, XPathJoinsBothKindsOfQuoteWithConcat) {
    CopyAsSubject subject;
    subject.chain = {{1, L"C", L"'a\"b'"}};
    EXPECT_EQ(CopyAsText(CopyAsFormat::XPath, subject),
              L"/Window[@ClassName='C'][@Name=concat(\"'\", 'a\"b', \"'\")]");
}

TEST(CopyAsTest, JsonReadsBackToTheSameValues) {
    JsonText json;
    json.BeginObject();
    json.Number(L"hwnd", 672);
    json.Number(L"least", INT64_MIN);
    json.BeginObject(L"element");
    json.Null(L"automationId");
    json.BeginObject(L"empty");
    json.EndObject();
    json.String(L"name", L"");
    json.EndObject();
    std::vector<std::pair<std::wstring, std::wstring>> expected = {
        {L"hwnd", L"672"},
        {L"least", L"-9223372036854775808"},
        {L"element/automationId", L"null"},
        {L"element/name", L"\"\""}};
    for (const TitleCase& each : kTitles) {
        json.String(each.title, each.title);
        expected.emplace_back(each.title, L"\"" + std::wstring(each.title) + L"\"");
    }
    json.EndObject();

    std::vector<std::pair<std::wstring, std::wstring>> values;
    Reader reader(json.Take());
    EXPECT_TRUE(reader.JsonObject(values) && reader.AtEnd());
    EXPECT_EQ(values, expected);

    // The reader itself: every escape, a surrogate pair among them.
    values.clear();
    Reader escapes(LR"({"k":"\"\\\n\r\t\u00e9\ud83d\ude00"})");
    EXPECT_TRUE(escapes.JsonObject(values));
    EXPECT_EQ(values.at(0).second, L"\"\"\\\n\r\t\u00E9\U0001F600\"");
}

TEST(CopyAsTest, TemplatesInsertTheTextsAsTheyAre) {
    CopyAsSubject subject = NotepadEdit();
    subject.chain.back().title = L"{hwnd} \"q\"";
    EXPECT_EQ(ExpandCopyTemplate(L"{hwnd}|{hwndhex}|{class}|{title}|{exe}|{pid}|{classnn}|"
                                 L"{controlid}|{name}|{automationid}|{controltype}",
                                 subject),
              L"672|2A0|Edit|{hwnd} \"q\"|notepad.exe|4242|Edit1|15|Text editor|15|Document");
    EXPECT_EQ(ExpandCopyTemplate(L"{{hwnd}} {HWND} {nope} {unclosed {hwnd} }} } {", subject),
              L"{hwnd} {HWND} {nope} {unclosed 672 } } {");
    subject.chain = {{-2, L"C", L""}};
    subject.element.reset();
    EXPECT_EQ(
        ExpandCopyTemplate(L"{hwnd} {hwndhex} [{title}{name}{automationid}{controltype}]", subject),
        L"-2 FFFFFFFE []");
}

TEST(CopyAsTest, CamelCaseKeys) {
    const std::pair<std::wstring_view, std::wstring_view> cases[] = {
        {L"Class style", L"classStyle"},
        {L"Automation ID", L"automationId"},
        {L"Bounding rect", L"boundingRect"},
        {L"DPI awareness", L"dpiAwareness"},
        {L"ClassNN", L"classNN"},
        {L"hWnd", L"hWnd"},
        {L"Localized control type", L"localizedControlType"},
        {L"DPI", L"dpi"},
        {L"Rect in parent", L"rectInParent"},
        {L"Default action", L"defaultAction"}};
    for (const auto& [name, key] : cases) {
        EXPECT_EQ(CamelCaseKey(name), key);
    }
}

}  // namespace
}  // namespace tarnwick
