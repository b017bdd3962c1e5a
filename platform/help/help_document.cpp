#include "platform/help/help_document.h"

#include <algorithm>
#include <utility>

#include "platform/help/help_text.h"

namespace tarnwick {

namespace help_text {

namespace {

bool EqualIgnoringAsciiCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace

// The searches here and in the help files' readers are plain loops: the library's find_if is
// unrolled four times over, at four times the code.
const HelpWindowDefinition* WindowWithName(const std::vector<HelpWindowDefinition>& windows,
                                           std::wstring_view name) {
    for (const HelpWindowDefinition& window : windows) {
        if (EqualIgnoringAsciiCase(window.name, name)) {
            return &window;
        }
    }
    return nullptr;
}

}  // namespace help_text

HelpDocument::HelpDocument(std::vector<HelpWindowDefinition> windows, std::vector<HelpTopic> topics,
                           std::size_t contentsIndex)
    : windows_(std::move(windows)), topics_(std::move(topics)), contentsIndex_(contentsIndex) {}

const HelpWindowDefinition* HelpDocument::WindowNamed(std::wstring_view name) const {
    return help_text::WindowWithName(windows_, name);
}

std::optional<std::size_t> HelpDocument::TopicWithContext(std::uint32_t context) const {
    for (std::size_t index = 0; index < topics_.size(); ++index) {
        if (topics_[index].context == context) {
            return index;
        }
    }
    return std::nullopt;
}

HelpReference SplitHelpReference(std::wstring_view reference) {
    const auto separator = reference.find(L'>');
    if (separator == std::wstring_view::npos) {
        return {std::wstring(reference), {}};
    }
    return {std::wstring(reference.substr(0, separator)),
            std::wstring(reference.substr(separator + 1))};
}

}  // namespace tarnwick
