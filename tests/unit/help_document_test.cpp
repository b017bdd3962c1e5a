#include "platform/help/help_document.h"
#include "platform/help/help_fields.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <string_view>

namespace tarnwick {
namespace {

using namespace std::string_literals;

constexpr std::string_view kSampleFile =
    "@tarnwick-help 1\n"
    "@# A small help file.\n"
    "@window second\n"
    "@caption Sample Help\n"
    "@size 500 400\n"
    "\n"
    "@topic\n"
    "@title How to use it\n"
    "@context 7\n"
    "Press the button.\n"
    "\n"
    "@topic\n"
    "@title Contents\n"
    "@contents\n"
    "Choose a topic.\n"
    "\n"
    "@topic\n"
    "@title The current window\n"
    "@context 1\n"
    "Shows the window.\n";

// The parsed document; a refused file fails the test with the parser's reason.
const HelpDocument& DocumentOf(const HelpParseResult& result) {
    if (!result.document) {
        std::string reason;
        for (wchar_t c : result.error) {
            reason += c < 0x80 ? static_cast<char>(c) : '?';
        }
        throw std::runtime_error("refused at line " + std::to_string(result.errorLine) + ": " +
                                 reason);
    }
    return *result.document;
}

std::wstring TextOfOnlyTopic(std::string_view body) {
    const auto result =
        ParseHelpDocument("@tarnwick-help 1\n@topic\n@title T\n" + std::string(body));
    return DocumentOf(result).Topics().at(0).text;
}

bool HasProblemOnLine(const HelpParseResult& result, std::size_t line) {
    for (const auto& problem : result.problems) {
        if (problem.line == line) {
            return true;
        }
    }
    return false;
}

TEST(HelpDocumentTest, ContentsIsTheMarkedTopicNotTheFirst) {
    const auto result = ParseHelpDocument(kSampleFile);
    const auto& document = DocumentOf(result);
    ASSERT_EQ(document.Topics().size(), 3u);
    EXPECT_EQ(document.Topics()[document.ContentsIndex()].title, L"Contents");
    EXPECT_TRUE(result.problems.empty());
}

TEST(HelpDocumentTest, WithoutAContentsMarkTheFirstTopicIsTheContents) {
    const auto result = ParseHelpDocument("@tarnwick-help 1\n@topic\n@title A\n@topic\n@title B\n");
    EXPECT_EQ(DocumentOf(result).ContentsIndex(), 0u);
}

TEST(HelpDocumentTest, FindsTopicsByContextNumber) {
    const auto result = ParseHelpDocument(kSampleFile);
    const auto& document = DocumentOf(result);
    const auto one = document.TopicWithContext(1);
    ASSERT_TRUE(one.has_value());
    EXPECT_EQ(document.Topics()[*one].title, L"The current window");
    EXPECT_EQ(document.Topics()[*one].text, L"Shows the window.");
    const auto seven = document.TopicWithContext(7);
    ASSERT_TRUE(seven.has_value());
    EXPECT_EQ(document.Topics()[*seven].title, L"How to use it");
}

TEST(HelpDocumentTest, UnknownContextNumberFindsNothing) {
    const auto result = ParseHelpDocument(kSampleFile);
    EXPECT_FALSE(DocumentOf(result).TopicWithContext(2).has_value());
    EXPECT_FALSE(DocumentOf(result).TopicWithContext(0).has_value());
}

TEST(HelpDocumentTest, ReadsTheWindowDefinitionWhateverTheCaseOfItsName) {
    const auto result = ParseHelpDocument(kSampleFile);
    const auto* window = DocumentOf(result).WindowNamed(L"SECOND");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->name, L"second");
    EXPECT_EQ(window->caption, L"Sample Help");
    EXPECT_EQ(window->width, 500);
    EXPECT_EQ(window->height, 400);
    EXPECT_EQ(DocumentOf(result).WindowNamed(L"main"), nullptr);
    EXPECT_EQ(DocumentOf(result).WindowNamed(L""), nullptr);
}

TEST(HelpDocumentTest, BadWindowSizeIsLeftOutAndReported) {
    for (const std::string size :
         {"", "500", "500 x", "0 400", "-5 400", "500 400 3", "99999 400"}) {
        const auto result = ParseHelpDocument("@tarnwick-help 1\n@window w\n@size " + size +
                                              "\n@topic\n@title T\n");
        const auto* window = DocumentOf(result).WindowNamed(L"w");
        ASSERT_NE(window, nullptr) << size;
        EXPECT_EQ(window->width, 0) << size;
        EXPECT_EQ(window->height, 0) << size;
        EXPECT_TRUE(HasProblemOnLine(result, 3)) << size;
    }
}

TEST(HelpDocumentTest, SecondWindowOfTheSameNameIsLeftOut) {
    const auto result = ParseHelpDocument(
        "@tarnwick-help 1\n@window w\n@caption First\n@window W\n@caption Second\n"
        "@topic\n@title T\n");
    ASSERT_EQ(DocumentOf(result).Windows().size(), 1u);
    EXPECT_EQ(DocumentOf(result).Windows()[0].caption, L"First");
    EXPECT_TRUE(HasProblemOnLine(result, 4));
}

TEST(HelpDocumentTest, JoinsLinesIntoParagraphs) {
    EXPECT_EQ(TextOfOnlyTopic("One\n  two   \nthree.\n\n\nNext paragraph.\n"),
              L"One two three.\n\nNext paragraph.");
}

TEST(HelpDocumentTest, ListItemsAndKeptLinesStayOnLinesOfTheirOwn) {
    EXPECT_EQ(TextOfOnlyTopic("Keys:\n- first item\n  continued\n- second\n\n| [General]\n"
                              "|   indented=1\n|\nAfter.\n"),
              L"Keys:\n- first item continued\n- second\n\n[General]\n  indented=1\n\nAfter.");
}

TEST(HelpDocumentTest, DoubleAtStandsForALiteralAt) {
    EXPECT_EQ(TextOfOnlyTopic("@@home is not a directive\n"), L"@home is not a directive");
}

TEST(HelpDocumentTest, WindowsLineEndsAndByteOrderMarkReadLikePlainOnes) {
    const auto plain = ParseHelpDocument(kSampleFile);
    std::string windows = "\xEF\xBB\xBF";
    for (char c : kSampleFile) {
        windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    const auto converted = ParseHelpDocument(windows);
    ASSERT_EQ(DocumentOf(converted).Topics().size(), DocumentOf(plain).Topics().size());
    for (std::size_t i = 0; i < DocumentOf(plain).Topics().size(); ++i) {
        EXPECT_EQ(DocumentOf(converted).Topics()[i].title, DocumentOf(plain).Topics()[i].title);
        EXPECT_EQ(DocumentOf(converted).Topics()[i].text, DocumentOf(plain).Topics()[i].text);
    }
    EXPECT_EQ(DocumentOf(converted).Windows().at(0).caption, L"Sample Help");
}

TEST(HelpDocumentTest, LoneCarriageReturnsEndLines) {
    const auto result = ParseHelpDocument("@tarnwick-help 1\r@topic\r@title Old\rText\r");
    EXPECT_EQ(DocumentOf(result).Topics().at(0).title, L"Old");
    EXPECT_EQ(DocumentOf(result).Topics().at(0).text, L"Text");
}

TEST(HelpDocumentTest, NonLatinUtf8Title) {
    const auto result = ParseHelpDocument(
        "@tarnwick-help 1\n@topic\n@title \xD0\xA1\xD0\xBF\xD1\x80\xD0\xB0\xD0\xB2\xD0\xBA\xD0\xB0 "
        "\xE6\x97\xA5\xE6\x9C\xAC \xCE\xB1\xCE\xB2 \xF0\x9F\x99\x82\n");
    EXPECT_EQ(DocumentOf(result).Topics().at(0).title,
              L"\u0421\u043F\u0440\u0430\u0432\u043A\u0430 \u65E5\u672C \u03B1\u03B2 \U0001F642");
}

TEST(HelpDocumentTest, InvalidUtf8InATitleBecomesReplacementCharacters) {
    const auto result = ParseHelpDocument(
        "@tarnwick-help 1\n@topic\n@title A\xFF"
        "B\xC3\n");
    EXPECT_EQ(DocumentOf(result).Topics().at(0).title, L"A\uFFFDB\uFFFD");
}

TEST(HelpDocumentTest, DecodesValidUtf8OfEveryLength) {
    EXPECT_EQ(DecodeUtf8("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), L"a\u00E9\u20AC\U0001F600");
    EXPECT_EQ(DecodeUtf8("\xEF\xBF\xBF\xF4\x8F\xBF\xBF"), L"\uFFFF\U0010FFFF");
}

TEST(HelpDocumentTest, EachBrokenUtf8SequenceBecomesReplacementCharacters) {
    // Truncated sequence followed by ASCII: the ASCII survives.
    EXPECT_EQ(DecodeUtf8("\xE2\x82"
                         "A"),
              L"\uFFFDA");
    // Overlong encodings, surrogates and values beyond U+10FFFF are refused byte by byte.
    EXPECT_EQ(DecodeUtf8("\xC0\xAF"), L"\uFFFD\uFFFD");
    EXPECT_EQ(DecodeUtf8("\xE0\x80\xAF"), L"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), L"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(DecodeUtf8("\xF4\x90\x80\x80"), L"\uFFFD\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(DecodeUtf8("\xF5\x80\x80\x80"), L"\uFFFD\uFFFD\uFFFD\uFFFD");
    // A stray continuation byte and a sequence cut off by the end of the text.
    EXPECT_EQ(DecodeUtf8("\x80x\xF0\x9F\x98"), L"\uFFFDx\uFFFD");
}

TEST(HelpDocumentTest, FileWithoutHeaderIsRefused) {
    const auto result = ParseHelpDocument("@topic\n@title T\nText\n");
    EXPECT_FALSE(result.document.has_value());
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(result.errorLine, 1u);
}

TEST(HelpDocumentTest, HeaderMayFollowBlankLinesAndComments) {
    const auto result = ParseHelpDocument("\n@# note\n  \n@tarnwick-help 1\n@topic\n@title T\n");
    EXPECT_EQ(DocumentOf(result).Topics().at(0).title, L"T");
}

TEST(HelpDocumentTest, NewerOrUnreadableVersionIsRefused) {
    for (const char* header : {"@tarnwick-help 2\n", "@tarnwick-help\n", "@tarnwick-help one\n"}) {
        const auto result = ParseHelpDocument(std::string(header) + "@topic\n@title T\n");
        EXPECT_FALSE(result.document.has_value()) << header;
        EXPECT_FALSE(result.error.empty()) << header;
    }
}

TEST(HelpDocumentTest, EmptyFileOrFileWithoutTopicsIsRefused) {
    for (const char* text : {"", "\n\n  \n", "@tarnwick-help 1\n", "@tarnwick-help 1\n@topic\n"}) {
        const auto result = ParseHelpDocument(text);
        EXPECT_FALSE(result.document.has_value()) << text;
        EXPECT_FALSE(result.error.empty()) << text;
    }
}

TEST(HelpDocumentTest, BinaryDataIsRefusedWithTheLineOfTheNulByte) {
    const std::string binary = "@tarnwick-help 1\n@topic\n@title T\nab\0cd\n"s;
    const auto result = ParseHelpDocument(binary);
    EXPECT_FALSE(result.document.has_value());
    EXPECT_EQ(result.errorLine, 4u);
}

TEST(HelpDocumentTest, ArbitraryBytesNeverCrash) {
    std::string bytes;
    unsigned state = 12345;
    for (int i = 0; i < 4096; ++i) {
        state = state * 1103515245u + 12345u;
        bytes += static_cast<char>((state >> 16) & 0xFF);
    }
    for (std::size_t length = 0; length <= bytes.size(); length += 97) {
        const auto result = ParseHelpDocument(std::string_view(bytes).substr(0, length));
        EXPECT_NE(result.document.has_value(), !result.error.empty());
    }
    const auto withHeader = ParseHelpDocument("@tarnwick-help 1\n" + bytes);
    EXPECT_NE(withHeader.document.has_value(), !withHeader.error.empty());
}

TEST(HelpDocumentTest, EveryTruncationEitherFailsCleanlyOrKeepsWholeTopics) {
    for (std::size_t length = 0; length <= kSampleFile.size(); ++length) {
        const auto result = ParseHelpDocument(kSampleFile.substr(0, length));
        if (!result.document) {
            EXPECT_FALSE(result.error.empty()) << length;
            continue;
        }
        const auto& topics = result.document->Topics();
        ASSERT_FALSE(topics.empty()) << length;
        EXPECT_LT(result.document->ContentsIndex(), topics.size()) << length;
        for (const auto& topic : topics) {
            EXPECT_FALSE(topic.title.empty()) << length;
        }
    }
    // Cut in the middle of the last topic's text: the earlier topics are all there.
    const auto cut = ParseHelpDocument(kSampleFile.substr(0, kSampleFile.size() - 6));
    ASSERT_EQ(DocumentOf(cut).Topics().size(), 3u);
    EXPECT_EQ(DocumentOf(cut).Topics()[2].text, L"Shows the wi");
}

TEST(HelpDocumentTest, TopicWithoutTitleIsLeftOutAndTheRestKept) {
    const auto result = ParseHelpDocument(
        "@tarnwick-help 1\n@topic\n@context 1\nLost.\n@topic\n@title Kept\n@context 2\n");
    const auto& document = DocumentOf(result);
    ASSERT_EQ(document.Topics().size(), 1u);
    EXPECT_EQ(document.Topics()[0].title, L"Kept");
    EXPECT_FALSE(document.TopicWithContext(1).has_value());
    EXPECT_TRUE(HasProblemOnLine(result, 2));
}

TEST(HelpDocumentTest, ContextNumberUsedTwiceKeepsTheFirstTopic) {
    const auto result = ParseHelpDocument(
        "@tarnwick-help 1\n@topic\n@title First\n@context 1\n@topic\n@title Second\n@context 1\n");
    const auto& document = DocumentOf(result);
    ASSERT_EQ(document.Topics().size(), 2u);
    EXPECT_EQ(document.TopicWithContext(1), 0u);
    EXPECT_FALSE(document.Topics()[1].context.has_value());
    EXPECT_TRUE(HasProblemOnLine(result, 7));
}

TEST(HelpDocumentTest, ContextNumbersCoverTheWholeUnsignedRangeAndNoMore) {
    const auto largest =
        ParseHelpDocument("@tarnwick-help 1\n@topic\n@title T\n@context 4294967295\n");
    EXPECT_EQ(DocumentOf(largest).TopicWithContext(4294967295u), 0u);
    for (const std::string bad : {"4294967296", "-1", "1x", "0x10", "", "99999999999999999999"}) {
        const auto result =
            ParseHelpDocument("@tarnwick-help 1\n@topic\n@title T\n@context " + bad + "\n");
        EXPECT_FALSE(DocumentOf(result).Topics().at(0).context.has_value()) << bad;
        EXPECT_TRUE(HasProblemOnLine(result, 4)) << bad;
    }
}

TEST(HelpDocumentTest, SecondContentsMarkDoesNotMoveTheContents) {
    const auto result = ParseHelpDocument(
        "@tarnwick-help 1\n@topic\n@title A\n@topic\n@title B\n@contents\n@topic\n@title C\n"
        "@contents\n");
    EXPECT_EQ(DocumentOf(result).ContentsIndex(), 1u);
    EXPECT_TRUE(HasProblemOnLine(result, 9));
}

TEST(HelpDocumentTest, MisplacedAndUnknownDirectivesAreLeftOutOfTheText) {
    const auto result = ParseHelpDocument(
        "@tarnwick-help 1\n@title Nowhere\nstray text\n@window w\n@context 3\n@topic\n"
        "@title T\n@caption Wrong place\n@colour red\nBody.\n");
    const auto& document = DocumentOf(result);
    EXPECT_EQ(document.Topics().at(0).title, L"T");
    EXPECT_EQ(document.Topics().at(0).text, L"Body.");
    EXPECT_FALSE(document.TopicWithContext(3).has_value());
    EXPECT_TRUE(document.Windows().at(0).caption.empty());
    for (std::size_t line : {2u, 3u, 5u, 8u, 9u}) {
        EXPECT_TRUE(HasProblemOnLine(result, line)) << line;
    }
}

TEST(HelpDocumentTest, SplitsAReferenceIntoFileAndWindow) {
    const auto reference = SplitHelpReference(L"C:\\Tools\\Tarnwick.hlp>second");
    EXPECT_EQ(reference.file, L"C:\\Tools\\Tarnwick.hlp");
    EXPECT_EQ(reference.window, L"second");

    const auto withoutWindow = SplitHelpReference(L"C:\\Tools\\Tarnwick.hlp");
    EXPECT_EQ(withoutWindow.file, L"C:\\Tools\\Tarnwick.hlp");
    EXPECT_TRUE(withoutWindow.window.empty());

    const auto twice = SplitHelpReference(L"a.hlp>b>c");
    EXPECT_EQ(twice.file, L"a.hlp");
    EXPECT_EQ(twice.window, L"b>c");
}

TEST(HelpFieldsTest, KnownFieldsAreFilledInAndEverythingElseStaysAsWritten) {
    const HelpFieldValues values{{L"SettingsFile", L"C:\\Tools\\Tarnwick.ini"}, {L"Empty", L""}};
    EXPECT_EQ(FillHelpFields(L"In {{SettingsFile}}.{{Empty}}|{{SettingsFile}}", values),
              L"In C:\\Tools\\Tarnwick.ini.|C:\\Tools\\Tarnwick.ini");
    EXPECT_EQ(FillHelpFields(L"{{Other}} {{Settings{{SettingsFile}} {{SettingsFile", values),
              L"{{Other}} {{Settings{{SettingsFile}} {{SettingsFile");
}

}  // namespace
}  // namespace tarnwick
