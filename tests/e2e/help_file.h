#pragma once
// What the help viewer must show, taken from the help file itself so that the checks follow the
// text wherever it is edited: for a topic, the first line of its text, which the viewer shows
// word for word (it joins lines into paragraphs, so a whole line stays intact).

#include <cstdint>
#include <optional>
#include <string>

namespace tarnwick::e2e {

struct HelpTopicSample {
    std::wstring title;
    std::wstring firstLine;
};

// The topic marked as the contents (else the first topic).
std::optional<HelpTopicSample> HelpContentsTopic(const std::wstring& helpPath);
std::optional<HelpTopicSample> HelpContextTopic(const std::wstring& helpPath,
                                                std::uint32_t context);

}  // namespace tarnwick::e2e
