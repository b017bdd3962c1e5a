#pragma once
// The program's help file: a UTF-8 text file of windows and topics, read into a HelpDocument.
//
// The format, line by line (lines end with LF or CR LF; a UTF-8 byte order mark is skipped):
//
//   @tarnwick-help 1          first line that is not blank: the format and its version
//   @# any text               a comment, anywhere
//   @window NAME              starts the definition of a help window named NAME
//   @caption TEXT             the window's caption
//   @size WIDTH HEIGHT        the window's outer size, in pixels at 96 dots per inch
//   @topic                    starts a topic; the lines after it up to the next @topic or
//                             @window are its directives and its text
//   @title TEXT               the topic's title (a topic without one is left out)
//   @context NUMBER           the topic's context number, 0 to 4294967295
//   @contents                 marks the topic shown as the contents (else the first topic)
//
// A topic's text lines are joined into paragraphs: a blank line ends a paragraph, and a line
// that continues one is joined to it with a space. A line starting with "- " begins a new list
// item on a line of its own; a line starting with "|" is kept as it is, on a line of its own,
// without the "|" and one blank after it. "@@" at the start of a text line stands for "@".
//
// A file that is not a help file (no header, a newer version, a NUL byte, no topic) gives an
// error; a bad line or block inside a help file is left out and noted as a problem.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

struct HelpWindowDefinition {
    std::wstring name;
    std::wstring caption;
    // Outer size in pixels at 96 dots per inch; 0 when the file gives none.
    int width = 0;
    int height = 0;
};

struct HelpTopic {
    std::wstring title;
    std::optional<std::uint32_t> context;
    // Paragraphs separated by an empty line; list items and kept lines separated by '\n'.
    std::wstring text;
};

// A line of the file that was left out, and why. Lines count from 1.
struct HelpProblem {
    std::size_t line = 0;
    std::wstring message;
};

class HelpDocument {
  public:
    HelpDocument(std::vector<HelpWindowDefinition> windows, std::vector<HelpTopic> topics,
                 std::size_t contentsIndex);

    const std::vector<HelpWindowDefinition>& Windows() const { return windows_; }
    // Never empty.
    const std::vector<HelpTopic>& Topics() const { return topics_; }
    std::size_t ContentsIndex() const { return contentsIndex_; }

    // Window names compare without regard to the case of ASCII letters.
    const HelpWindowDefinition* WindowNamed(std::wstring_view name) const;
    std::optional<std::size_t> TopicWithContext(std::uint32_t context) const;

  private:
    std::vector<HelpWindowDefinition> windows_;
    std::vector<HelpTopic> topics_;
    std::size_t contentsIndex_ = 0;
};

struct HelpParseResult {
    // Empty when the file cannot be used at all; error and errorLine then say why.
    std::optional<HelpDocument> document;
    std::wstring error;
    std::size_t errorLine = 0;
    // Parts of a usable file that were left out.
    std::vector<HelpProblem> problems;
};

HelpParseResult ParseHelpDocument(std::string_view fileBytes);

// UTF-8 to wide text; every byte that is not part of a valid sequence becomes U+FFFD. Characters
// beyond U+FFFF become surrogate pairs where wchar_t has 16 bits.
std::wstring DecodeUtf8(std::string_view bytes);

// A help reference "folder\file.hlp>window": the file and the window name, split at the first
// '>' (which cannot occur in a file path). Without a '>', the window name is empty.
struct HelpReference {
    std::wstring file;
    std::wstring window;
};
HelpReference SplitHelpReference(std::wstring_view reference);

}  // namespace tarnwick
