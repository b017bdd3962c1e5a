// "Copy as": every format for an ordinary window, and every literal in it read back the way its
// language reads it, so that a title holding anything comes back as it is; the JSON writer; the
// user's templates; the keys made from row names.

#include <gtest/gtest.h>

#include <cstdint>
#include <cwctype>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "copy_as/copy_as.h"

namespace tarnwick {
namespace {

using namespace std::string_view_literals;

enum class Language { Python, Json, Cpp, XPath };

// A text read as its language's parser reads it: the text with each literal as "$", and what
// each literal means.
struct ReadBack {
    std::wstring skeleton;
    std::vector<std::wstring> literals;
};

class LiteralReader {
  public:
    LiteralReader(std::wstring_view text, Language language) : rest_(text), language_(language) {}

    ReadBack ReadAll() {
        ReadBack read;
        while (!rest_.empty()) {
            const bool xpath = language_ == Language::XPath;
            if (xpath ? !rest_.starts_with(L"concat(") && rest_[0] != L'\'' && rest_[0] != L'"'
                      : !rest_.starts_with(language_ == Language::Cpp ? L"L\"" : L"\"")) {
                read.skeleton.push_back(rest_[0]);
                rest_.remove_prefix(1);
                continue;
            }
            const std::optional<std::wstring> literal = xpath ? XPath() : Quoted();
            read.skeleton += literal ? L"$" : L"(invalid)";
            read.literals.push_back(literal.value_or(L""));
            rest_ = literal ? rest_ : std::wstring_view();
        }
        return read;
    }

  private:
    bool Take(std::wstring_view expected) {
        const bool found = rest_.starts_with(expected);
        rest_.remove_prefix(found ? expected.size() : 0);
        return found;
    }

    // From minimum to maximum hex digits, as many as there are.
    std::optional<std::uint32_t> Hex(int minimum, int maximum) {
        std::uint64_t value = 0;
        int count = 0;
        for (; count < maximum && !rest_.empty() && iswxdigit(rest_[0]); ++count) {
            const wchar_t c = rest_[0];
            value = value * 16 +
                    static_cast<std::uint64_t>(c <= L'9' ? c - L'0' : (c | 0x20) - L'a' + 10);
            rest_.remove_prefix(1);
        }
        return count >= minimum && value <= 0x10FFFF
                   ? std::optional(static_cast<std::uint32_t>(value))
                   : std::nullopt;
    }

    static void AppendCodePoint(std::wstring& text, std::uint32_t c) {
        if (sizeof(wchar_t) == 2 && c > 0xFFFF) {
            text.push_back(static_cast<wchar_t>(0xD7C0 + (c >> 10)));
            c = 0xDC00 + (c & 0x3FF);
        }
        text.push_back(static_cast<wchar_t>(c));
    }

    // Python's and JSON's "...", C++'s L"..." (with the literals that follow it joined on).
    std::optional<std::wstring> Quoted() {
        const bool cpp = language_ == Language::Cpp, json = language_ == Language::Json;
        Take(cpp ? L"L\"" : L"\"");
        std::wstring text;
        while (!Take(L"\"") || (cpp && Take(L" L\""))) {
            const auto c = rest_.empty() ? 0u : static_cast<std::uint32_t>(rest_[0]);
            // No line may break inside; C++ source is read as plain ASCII, "??" as a trigraph.
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
            const std::size_t at = rest_.empty() ? simple.npos : simple.find(rest_[0]);
            std::optional<std::uint32_t> code;
            if (at != simple.npos && at % 2 == 0) {
                code = simple[at + 1];
                rest_.remove_prefix(1);
            } else if (Take(L"u")) {
                code = Hex(4, 4);
                const std::wstring_view before = rest_;
                if (json && code >= 0xD800u && code < 0xDC00u && Take(L"\\u")) {
                    const auto low = Hex(4, 4);
                    const bool pair = low >= 0xDC00u && low < 0xE000u;
                    code = pair ? 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00) : code;
                    rest_ = pair ? rest_ : before;
                }
            } else if (!json && Take(L"U")) {
                code = Hex(8, 8);
            } else if (cpp && Take(L"x")) {
                code = Hex(1, 9);
                code = code <= 0xFFFFu ? code : std::nullopt;
            }
            if (!code) {
                return std::nullopt;
            }
            AppendCodePoint(text, *code);
        }
        return text;
    }

    // XPath's '...' or "...", or concat() of them.
    std::optional<std::wstring> XPath() {
        std::wstring text;
        const bool concat = Take(L"concat(");
        do {
            const wchar_t quote = rest_.empty() ? 0 : rest_[0];
            const std::size_t end = rest_.find(quote, 1);
            if ((quote != L'\'' && quote != L'"') || end == rest_.npos) {
                return std::nullopt;
            }
            text.append(rest_.substr(1, end - 1));
            rest_.remove_prefix(end + 1);
        } while (concat && Take(L", "));
        return !concat || Take(L")") ? std::optional(text) : std::nullopt;
    }

    std::wstring_view rest_;
    Language language_;
};

ReadBack Read(const std::wstring& text, Language language) {
    return LiteralReader(text, language).ReadAll();
}

// The element of NotepadEdit(), which its subject points to.
AccessibleElement g_textEditor;

CopyAsSubject NotepadEdit() {
    CopyAsSubject subject;
    subject.chain = {{0x1A2B, L"Notepad", L"Untitled - Notepad"}, {0x2A0, L"Edit", L""}};
    subject.imageName = L"notepad.exe";
    subject.processId = 4242;
    subject.classNN = L"Edit1";
    subject.controlId = 15;
    g_textEditor = AccessibleElement{};
    g_textEditor[ElementText::Name] = L"Text editor";
    g_textEditor[ElementText::ControlType] = L"Document";
    g_textEditor[ElementText::AutomationId] = L"15";
    subject.element = &g_textEditor;
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
    g_textEditor[ElementText::AutomationId].clear();
    g_textEditor[ElementText::ControlType].clear();
    EXPECT_EQ(
        CopyAsText(CopyAsFormat::Pywinauto, subject),
        L"Desktop(backend=\"uia\").window(title=\"Untitled - Notepad\", class_name=\"Notepad\")"
        L".child_window(title=\"Text editor\")");
    EXPECT_EQ(CopyAsText(CopyAsFormat::XPath, subject),
              L"/Window[@ClassName='Notepad'][@Name='Untitled - Notepad']//*[@Name='Text editor']");

    // A top-level window with an empty title, and no element; a handle above 0x7FFFFFFF.
    subject.chain = {{-2, L"Shell_TrayWnd", L""}};
    subject.imageName.clear();
    subject.element = nullptr;
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
        AccessibleElement button;
        button[ElementText::Name] = title;
        button[ElementText::ControlType] = L"Button";
        subject.element = &button;

        EXPECT_EQ(CopyAsText(CopyAsFormat::AutoHotkeyWinTitle, subject),
                  std::wstring(each.winTitle) + L" ahk_class " + title);
        ReadBack read = Read(CopyAsText(CopyAsFormat::Pywinauto, subject), Language::Python);
        EXPECT_EQ(read.skeleton,
                  L"Desktop(backend=$).window(title=$, class_name=$).child_window(title=$, "
                  L"control_type=$)");
        EXPECT_EQ(read.literals,
                  (std::vector<std::wstring>{L"uia", title, title, title, L"Button"}));
        read = Read(CopyAsText(CopyAsFormat::XPath, subject), Language::XPath);
        EXPECT_EQ(read.skeleton, L"/Window[@ClassName=$][@Name=$]//Button[@Name=$]");
        EXPECT_EQ(read.literals, (std::vector<std::wstring>{title, title, title}));
        read = Read(CopyAsText(CopyAsFormat::FindWindowEx, subject), Language::Cpp);
        EXPECT_EQ(read.skeleton,
                  L"HWND hwnd = FindWindowExW(nullptr, nullptr, $, $);\r\n"
                  L"hwnd = FindWindowExW(hwnd, nullptr, $, $);");
        EXPECT_EQ(read.literals, (std::vector<std::wstring>{title, title, L"Button", title}));
        EXPECT_EQ(ExpandCopyTemplate(L"[{title}]", subject), L"[" + title + L"]");
    }
}

TEST(CopyAsTest, XPathJoinsBothKindsOfQuoteWithConcat) {
    CopyAsSubject subject;
    subject.chain = {{1, L"C", L"'a\"b'"}};
    EXPECT_EQ(CopyAsText(CopyAsFormat::XPath, subject),
              L"/Window[@ClassName='C'][@Name=concat(\"'\", 'a\"b', \"'\")]");
}

TEST(CopyAsTest, SurrogatePairsAreOneCharacter) {
    // As every character beyond the BMP comes where wchar_t is 16 bits wide.
    CopyAsSubject subject;
    subject.chain = {{1, L"C", L"\xD83D\xDE00"}};
    EXPECT_EQ(CopyAsText(CopyAsFormat::FindWindowEx, subject),
              L"HWND hwnd = FindWindowExW(nullptr, nullptr, L\"C\", L\"\\U0001F600\");");
    EXPECT_EQ(CopyAsText(CopyAsFormat::Pywinauto, subject),
              L"Desktop(backend=\"uia\").window(title=\"\xD83D\xDE00\", class_name=\"C\")");
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
    // The program's own keys, plain ASCII.
    json.BeginObject("rect");
    json.Number("left", -1);
    json.String("class", L"Edit");
    json.EndObject();
    std::wstring skeleton = L"{$:672,$:-9223372036854775808,$:{$:null,$:{},$:$},$:{$:-1,$:$}";
    std::vector<std::wstring> literals = {L"hwnd",  L"least", L"element", L"automationId",
                                          L"empty", L"name",  L"",        L"rect",
                                          L"left",  L"class", L"Edit"};
    for (const TitleCase& each : kTitles) {
        json.String(each.title, each.title);
        skeleton += L",$:$";
        literals.insert(literals.end(), 2, std::wstring(each.title));
    }
    json.EndObject();
    const ReadBack read = Read(json.Take(), Language::Json);
    EXPECT_EQ(read.skeleton, skeleton + L"}");
    EXPECT_EQ(read.literals, literals);

    // The reader itself: every escape, a surrogate pair among them.
    EXPECT_EQ(Read(LR"("\"\\\n\r\t\u00e9\ud83d\ude00")", Language::Json).literals,
              std::vector<std::wstring>{L"\"\\\n\r\t\u00E9\U0001F600"});
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
    subject.element = nullptr;
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
