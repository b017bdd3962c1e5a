#include "platform/help/help_document.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "platform/ascii_text.h"
#include "platform/decimal_text.h"
#include "platform/help/help_text.h"

namespace tarnwick {

namespace {

using help_text::AsciiLower;
using help_text::IsBlank;
using help_text::NextLine;
using help_text::NextWord;
using help_text::ParseNumber;
using help_text::TopicTextBuilder;
using help_text::Trim;
using help_text::WindowWithName;

constexpr std::uint32_t kFormatVersion = 1;
constexpr wchar_t kByteOrderMark = 0xFEFF;
constexpr int kLargestWindowSide = 10000;

std::size_t LineOfOffset(std::string_view bytes, std::size_t offset) {
    const auto before = bytes.substr(0, offset);
    return 1 + static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n'));
}

// The directives, by their names in lower case. Kept as plain ASCII and looked up in one loop,
// which costs the program less than a comparison of wide text for each.
enum class Kind {
    Header,
    Window,
    Topic,
    Caption,
    Size,
    Title,
    Context,
    Contents,
    Unknown,
    Comment
};
constexpr const char* kDirectiveNames[] = {"tarnwick-help", "window", "topic",   "caption",
                                           "size",          "title",  "context", "contents"};

bool IsNamed(std::wstring_view name, const char* ascii) {
    for (wchar_t c : name) {
        if (*ascii == '\0' || c != static_cast<wchar_t>(*ascii++)) {
            return false;
        }
    }
    return *ascii == '\0';
}

// "@name value": the name in lower case, what it names and the trimmed value.
struct Directive {
    Kind kind = Kind::Unknown;
    std::wstring name;
    std::wstring_view value;
};

// False for a text line.
bool ReadDirective(std::wstring_view line, Directive& directive) {
    line = Trim(line);
    if (line.size() < 2 || line[0] != L'@' || line[1] == L'@') {
        return false;
    }
    line.remove_prefix(1);
    std::size_t end = 0;
    while (end < line.size() && !IsBlank(line[end])) {
        ++end;
    }
    for (wchar_t c : line.substr(0, end)) {
        directive.name += AsciiLower(c);
    }
    directive.value = Trim(line.substr(end));
    if (directive.name.starts_with(L'#')) {
        directive.kind = Kind::Comment;
    }
    for (int kind = 0; kind < static_cast<int>(Kind::Unknown); ++kind) {
        if (IsNamed(directive.name, kDirectiveNames[kind])) {
            directive.kind = static_cast<Kind>(kind);
        }
    }
    return true;
}

// Appends a message of the parser's own, kept as plain ASCII (half the size of wide text in the
// program), with a name from the file or a number between its two parts.
void AppendMessage(std::wstring& message, const char* text, std::wstring_view inserted,
                   const char* rest) {
    AppendAscii(message, text);
    message.append(inserted);
    AppendAscii(message, rest);
}

class Parser {
  public:
    explicit Parser(HelpParseResult& result) : result_(result) {}

    // Leaves either the document and its problems or the error in the result.
    void Run(std::string_view fileBytes) {
        if (const auto nul = fileBytes.find('\0'); nul != std::string_view::npos) {
            return Fail(LineOfOffset(fileBytes, nul),
                        "it holds a NUL byte, so it is not a text file");
        }
        std::wstring text = DecodeUtf8(fileBytes);
        if (!text.empty() && text.front() == kByteOrderMark) {
            text.erase(0, 1);
        }
        rest_ = text;
        if (!ReadHeader()) {
            return;
        }
        std::wstring_view line;
        while (TakeLine(line)) {
            ReadLine(line);
        }
        FinishBlock();

        if (topics_.empty()) {
            return Fail(0, "the file holds no topic");
        }
        result_.document.emplace(std::move(windows_), std::move(topics_),
                                 contentsIndex_.value_or(0));
        result_.problems = std::move(problems_);
    }

  private:
    enum class Block { Start, Window, Topic, Skipped };

    void Fail(std::size_t line, const char* text, std::wstring_view inserted = {},
              const char* rest = "") {
        AppendMessage(result_.error, text, inserted, rest);
        result_.errorLine = line;
    }

    bool TakeLine(std::wstring_view& line) {
        if (!NextLine(rest_, line)) {
            return false;
        }
        ++lineNumber_;
        return true;
    }

    // Finds "@tarnwick-help VERSION" as the first line that is neither blank nor a comment, and
    // leaves the lines after it to be read.
    bool ReadHeader() {
        std::wstring_view line;
        while (TakeLine(line)) {
            Directive directive;
            const bool isDirective = ReadDirective(line, directive);
            if (Trim(line).empty() || directive.kind == Kind::Comment) {
                continue;
            }
            if (!isDirective || directive.kind != Kind::Header) {
                Fail(lineNumber_, "this is not a Tarnwick help file");
                return false;
            }
            const auto version =
                ParseNumber(directive.value, std::numeric_limits<std::uint32_t>::max());
            if (!version) {
                Fail(lineNumber_, "the help file's version is not a number");
            } else if (*version != kFormatVersion) {
                Fail(lineNumber_, "the help file has version ", DecimalText(*version),
                     ", which this program cannot read");
            }
            return version == kFormatVersion;
        }
        Fail(0, "this is not a Tarnwick help file (it is empty)");
        return false;
    }

    void ReadLine(std::wstring_view line) {
        Directive directive;
        if (!ReadDirective(line, directive)) {
            return ReadText(line);
        }
        switch (directive.kind) {
            case Kind::Comment:
                return;
            case Kind::Window:
                return StartWindow(directive.value);
            case Kind::Topic:
                return StartTopic(directive.value);
            case Kind::Caption:
            case Kind::Size:
                return ReadWindowDirective(directive);
            case Kind::Title:
            case Kind::Context:
            case Kind::Contents:
                return ReadTopicDirective(directive);
            default:
                if (block_ != Block::Skipped) {
                    Problem("unknown directive @", directive.name, "; the line is left out");
                }
        }
    }

    void ReadText(std::wstring_view line) {
        if (block_ == Block::Topic) {
            topicText_.AddLine(line);
        } else if (!Trim(line).empty() && block_ != Block::Skipped && !reportedStrayText_) {
            Problem("text outside a topic is left out");
            reportedStrayText_ = true;
        }
    }

    void StartWindow(std::wstring_view name) {
        FinishBlock();
        if (name.empty()) {
            Problem("a window without a name is left out");
            block_ = Block::Skipped;
        } else if (WindowWithName(windows_, name)) {
            Problem("a second window named \"", name, "\" is left out");
            block_ = Block::Skipped;
        } else {
            windows_.emplace_back().name = name;
            block_ = Block::Window;
        }
    }

    // The topic is read into the last of topics_, and taken out again if it has no title.
    void StartTopic(std::wstring_view extra) {
        FinishBlock();
        if (!extra.empty()) {
            Problem("text after @topic is left out (a title goes in a @title line)");
        }
        topics_.emplace_back();
        topicLine_ = lineNumber_;
        isContents_ = false;
        block_ = Block::Topic;
    }

    // Whether a directive of a window or a topic may stand here; one outside its block is
    // noted.
    bool InBlock(Block wanted, const Directive& directive, const char* outside) {
        if (block_ == Block::Skipped) {
            return false;
        }
        if (block_ != wanted) {
            Problem("@", directive.name, outside);
            return false;
        }
        return true;
    }

    void ReadWindowDirective(const Directive& directive) {
        if (!InBlock(Block::Window, directive, " outside a window definition is left out")) {
            return;
        }
        HelpWindowDefinition& window = windows_.back();
        if (directive.kind == Kind::Caption) {
            window.caption = directive.value;
            return;
        }
        std::wstring_view words = directive.value;
        const std::wstring_view widthWord = NextWord(words);
        const std::wstring_view heightWord = NextWord(words);
        // A side that is missing or not a number counts as 0, which is refused like a real 0; so
        // do both sides when a third word follows.
        const bool thirdWord = !Trim(words).empty();
        const std::uint32_t width =
            thirdWord ? 0 : ParseNumber(widthWord, kLargestWindowSide).value_or(0);
        const std::uint32_t height =
            thirdWord ? 0 : ParseNumber(heightWord, kLargestWindowSide).value_or(0);
        if (width == 0 || height == 0) {
            Problem("@size needs a width and a height from 1 to ", DecimalText(kLargestWindowSide),
                    "; the line is left out");
            return;
        }
        window.width = static_cast<int>(width);
        window.height = static_cast<int>(height);
    }

    void ReadTopicDirective(const Directive& directive) {
        if (!InBlock(Block::Topic, directive, " outside a topic is left out")) {
            return;
        }
        HelpTopic& topic = topics_.back();
        if (directive.kind == Kind::Title) {
            if (directive.value.empty()) {
                Problem("an empty @title is left out");
            } else if (!topic.title.empty()) {
                Problem("a second @title in one topic is left out");
            } else {
                topic.title = directive.value;
            }
        } else if (directive.kind == Kind::Context) {
            const auto context =
                ParseNumber(directive.value, std::numeric_limits<std::uint32_t>::max());
            if (!context) {
                Problem("@context needs a number from 0 to 4294967295; the line is left out");
            } else if (topic.context) {
                Problem("a second @context in one topic is left out");
            } else {
                topic.context = context;
                contextLine_ = lineNumber_;
            }
        } else {
            isContents_ = true;
            contentsLine_ = lineNumber_;
        }
    }

    void FinishBlock() {
        if (block_ == Block::Topic) {
            FinishTopic();
        }
        block_ = Block::Start;
        reportedStrayText_ = false;
    }

    void FinishTopic() {
        HelpTopic& topic = topics_.back();
        topic.text = topicText_.Take();
        if (topic.title.empty()) {
            ProblemAt(topicLine_, "a topic without a @title is left out");
            topics_.pop_back();
            return;
        }
        if (topic.context && ContextInUse(*topic.context)) {
            ProblemAt(contextLine_, "context number ", DecimalText(*topic.context),
                      " is already used by another topic; it is left out");
            topic.context.reset();
        }
        if (isContents_) {
            if (contentsIndex_) {
                ProblemAt(contentsLine_, "a second @contents is left out; the first one counts");
            } else {
                contentsIndex_ = topics_.size() - 1;
            }
        }
    }

    // By a topic before the one being finished.
    bool ContextInUse(std::uint32_t context) const {
        for (std::size_t index = 0; index + 1 < topics_.size(); ++index) {
            if (topics_[index].context == context) {
                return true;
            }
        }
        return false;
    }

    void ProblemAt(std::size_t line, const char* text, std::wstring_view inserted = {},
                   const char* rest = "") {
        HelpProblem& problem = problems_.emplace_back();
        problem.line = line;
        AppendMessage(problem.message, text, inserted, rest);
    }

    void Problem(const char* text, std::wstring_view inserted = {}, const char* rest = "") {
        ProblemAt(lineNumber_, text, inserted, rest);
    }

    HelpParseResult& result_;
    std::vector<HelpWindowDefinition> windows_;
    std::vector<HelpTopic> topics_;
    std::optional<std::size_t> contentsIndex_;
    std::vector<HelpProblem> problems_;
    Block block_ = Block::Start;
    // The lines not read yet.
    std::wstring_view rest_;
    // Of the topic being read, the last of topics_.
    TopicTextBuilder topicText_;
    std::size_t topicLine_ = 0;
    std::size_t contextLine_ = 0;
    bool isContents_ = false;
    std::size_t contentsLine_ = 0;
    std::size_t lineNumber_ = 0;
    bool reportedStrayText_ = false;
};

}  // namespace

HelpParseResult ParseHelpDocument(std::string_view fileBytes) {
    HelpParseResult result;
    Parser(result).Run(fileBytes);
    return result;
}

}  // namespace tarnwick
