#include "platform/help/help_document.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "platform/decimal_text.h"
#include "platform/help/help_text.h"

namespace tarnwick {

namespace {

using help_text::AsciiLower;
using help_text::IsBlank;
using help_text::ParseNumber;
using help_text::SplitLines;
using help_text::SplitWords;
using help_text::TopicTextBuilder;
using help_text::Trim;
using help_text::WindowWithName;

constexpr std::wstring_view kHeaderDirective = L"tarnwick-help";
constexpr std::uint32_t kFormatVersion = 1;
constexpr wchar_t kByteOrderMark = 0xFEFF;
constexpr int kLargestWindowSide = 10000;

std::size_t LineOfOffset(std::string_view bytes, std::size_t offset) {
    const auto before = bytes.substr(0, offset);
    return 1 + static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n'));
}

// "@name value": the name in lower case and the trimmed value; nothing for a text line.
struct Directive {
    std::wstring name;
    std::wstring_view value;
};

std::optional<Directive> ReadDirective(std::wstring_view line) {
    line = Trim(line);
    if (line.size() < 2 || line[0] != L'@' || line[1] == L'@') {
        return std::nullopt;
    }
    line.remove_prefix(1);
    std::size_t end = 0;
    while (end < line.size() && !IsBlank(line[end])) {
        ++end;
    }
    Directive directive;
    for (wchar_t c : line.substr(0, end)) {
        directive.name += AsciiLower(c);
    }
    directive.value = Trim(line.substr(end));
    return directive;
}

bool IsComment(const Directive& directive) {
    return directive.name.starts_with(L'#');
}

// A message of the parser's own, kept as plain ASCII (half the size of wide text in the program),
// with a name from the file or a number between its two parts.
std::wstring Message(const char* text, std::wstring_view inserted, const char* rest) {
    std::wstring message;
    for (; *text != '\0'; ++text) {
        message.push_back(static_cast<wchar_t>(*text));
    }
    message.append(inserted);
    for (; *rest != '\0'; ++rest) {
        message.push_back(static_cast<wchar_t>(*rest));
    }
    return message;
}

class Parser {
  public:
    HelpParseResult Run(std::string_view fileBytes) {
        if (const auto nul = fileBytes.find('\0'); nul != std::string_view::npos) {
            return Failure(LineOfOffset(fileBytes, nul),
                           "it holds a NUL byte, so it is not a text file");
        }
        std::wstring text = DecodeUtf8(fileBytes);
        if (!text.empty() && text.front() == kByteOrderMark) {
            text.erase(0, 1);
        }
        const std::vector<std::wstring_view> lines = SplitLines(text);

        std::size_t next = 0;
        if (auto failure = ReadHeader(lines, next)) {
            return std::move(*failure);
        }
        for (; next < lines.size(); ++next) {
            lineNumber_ = next + 1;
            ReadLine(lines[next]);
        }
        FinishBlock();

        if (topics_.empty()) {
            return Failure(0, "the file holds no topic");
        }
        HelpParseResult result;
        result.document.emplace(std::move(windows_), std::move(topics_),
                                contentsIndex_.value_or(0));
        result.problems = std::move(problems_);
        return result;
    }

  private:
    enum class Block { Start, Window, Topic, Skipped };

    struct PendingTopic {
        HelpTopic topic;
        std::size_t line = 0;
        std::size_t contextLine = 0;
        bool isContents = false;
        std::size_t contentsLine = 0;
        TopicTextBuilder text;
    };

    HelpParseResult Failure(std::size_t line, const char* text, std::wstring_view inserted = {},
                            const char* rest = "") {
        HelpParseResult result;
        result.error = Message(text, inserted, rest);
        result.errorLine = line;
        return result;
    }

    // Finds "@tarnwick-help VERSION" as the first line that is neither blank nor a comment, and
    // leaves next on the line after it.
    std::optional<HelpParseResult> ReadHeader(const std::vector<std::wstring_view>& lines,
                                              std::size_t& next) {
        for (; next < lines.size(); ++next) {
            const auto directive = ReadDirective(lines[next]);
            if (Trim(lines[next]).empty() || (directive && IsComment(*directive))) {
                continue;
            }
            const std::size_t line = next + 1;
            ++next;
            if (!directive || directive->name != kHeaderDirective) {
                return Failure(line, "this is not a Tarnwick help file");
            }
            const auto version =
                ParseNumber(directive->value, std::numeric_limits<std::uint32_t>::max());
            if (!version) {
                return Failure(line, "the help file's version is not a number");
            }
            if (*version != kFormatVersion) {
                return Failure(line, "the help file has version ", DecimalText(*version),
                               ", which this program cannot read");
            }
            return std::nullopt;
        }
        return Failure(0, "this is not a Tarnwick help file (it is empty)");
    }

    void ReadLine(std::wstring_view line) {
        const auto directive = ReadDirective(line);
        if (!directive) {
            ReadText(line);
        } else if (IsComment(*directive)) {
            return;
        } else if (directive->name == L"window") {
            StartWindow(directive->value);
        } else if (directive->name == L"topic") {
            StartTopic(directive->value);
        } else if (directive->name == L"caption" || directive->name == L"size") {
            ReadWindowDirective(*directive);
        } else if (directive->name == L"title" || directive->name == L"context" ||
                   directive->name == L"contents") {
            ReadTopicDirective(*directive);
        } else if (block_ != Block::Skipped) {
            Problem("unknown directive @", directive->name, "; the line is left out");
        }
    }

    void ReadText(std::wstring_view line) {
        if (block_ == Block::Topic) {
            pendingTopic_.text.AddLine(line);
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
            windows_.push_back(HelpWindowDefinition{std::wstring(name), {}, 0, 0});
            block_ = Block::Window;
        }
    }

    void StartTopic(std::wstring_view extra) {
        FinishBlock();
        if (!extra.empty()) {
            Problem("text after @topic is left out (a title goes in a @title line)");
        }
        pendingTopic_ = PendingTopic{};
        pendingTopic_.line = lineNumber_;
        block_ = Block::Topic;
    }

    void ReadWindowDirective(const Directive& directive) {
        if (block_ == Block::Skipped) {
            return;
        }
        if (block_ != Block::Window) {
            Problem("@", directive.name, " outside a window definition is left out");
            return;
        }
        HelpWindowDefinition& window = windows_.back();
        if (directive.name == L"caption") {
            window.caption = directive.value;
            return;
        }
        const auto words = SplitWords(directive.value);
        // A side that is missing or not a number counts as 0, which is refused like a real 0.
        const std::uint32_t width =
            words.size() == 2 ? ParseNumber(words[0], kLargestWindowSide).value_or(0) : 0;
        const std::uint32_t height =
            words.size() == 2 ? ParseNumber(words[1], kLargestWindowSide).value_or(0) : 0;
        if (width == 0 || height == 0) {
            Problem("@size needs a width and a height from 1 to ", DecimalText(kLargestWindowSide),
                    "; the line is left out");
            return;
        }
        window.width = static_cast<int>(width);
        window.height = static_cast<int>(height);
    }

    void ReadTopicDirective(const Directive& directive) {
        if (block_ == Block::Skipped) {
            return;
        }
        if (block_ != Block::Topic) {
            Problem("@", directive.name, " outside a topic is left out");
            return;
        }
        HelpTopic& topic = pendingTopic_.topic;
        if (directive.name == L"title") {
            if (directive.value.empty()) {
                Problem("an empty @title is left out");
            } else if (!topic.title.empty()) {
                Problem("a second @title in one topic is left out");
            } else {
                topic.title = directive.value;
            }
        } else if (directive.name == L"context") {
            const auto context =
                ParseNumber(directive.value, std::numeric_limits<std::uint32_t>::max());
            if (!context) {
                Problem("@context needs a number from 0 to 4294967295; the line is left out");
            } else if (topic.context) {
                Problem("a second @context in one topic is left out");
            } else {
                topic.context = context;
                pendingTopic_.contextLine = lineNumber_;
            }
        } else {
            pendingTopic_.isContents = true;
            pendingTopic_.contentsLine = lineNumber_;
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
        HelpTopic& topic = pendingTopic_.topic;
        if (topic.title.empty()) {
            ProblemAt(pendingTopic_.line, "a topic without a @title is left out");
            return;
        }
        if (topic.context && ContextInUse(*topic.context)) {
            ProblemAt(pendingTopic_.contextLine, "context number ", DecimalText(*topic.context),
                      " is already used by another topic; it is left out");
            topic.context.reset();
        }
        if (pendingTopic_.isContents) {
            if (contentsIndex_) {
                ProblemAt(pendingTopic_.contentsLine,
                          "a second @contents is left out; the first one counts");
            } else {
                contentsIndex_ = topics_.size();
            }
        }
        topic.text = pendingTopic_.text.Take();
        topics_.push_back(std::move(topic));
    }

    bool ContextInUse(std::uint32_t context) const {
        return std::any_of(topics_.begin(), topics_.end(),
                           [&](const HelpTopic& topic) { return topic.context == context; });
    }

    void ProblemAt(std::size_t line, const char* text, std::wstring_view inserted = {},
                   const char* rest = "") {
        problems_.push_back({line, Message(text, inserted, rest)});
    }

    void Problem(const char* text, std::wstring_view inserted = {}, const char* rest = "") {
        ProblemAt(lineNumber_, text, inserted, rest);
    }

    std::vector<HelpWindowDefinition> windows_;
    std::vector<HelpTopic> topics_;
    std::optional<std::size_t> contentsIndex_;
    std::vector<HelpProblem> problems_;
    Block block_ = Block::Start;
    PendingTopic pendingTopic_;
    std::size_t lineNumber_ = 0;
    bool reportedStrayText_ = false;
};

}  // namespace

HelpParseResult ParseHelpDocument(std::string_view fileBytes) {
    return Parser().Run(fileBytes);
}

}  // namespace tarnwick
