#pragma once
// What the help viewer must show, taken from the help file itself so that the checks follow the
// text wherever it is edited: for a topic, the first line of its text, which the viewer shows
// word for word (it joins lines into paragraphs, so a whole line stays intact).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick::e2e {

struct HelpTopicSample {
    std::wstring title;
    std::wstring firstLine;
    std::size_t index = 0;  // its place in the viewer's list of topics
};

// The topic marked as the contents (else the first topic).
std::optional<HelpTopicSample> HelpContentsTopic(const std::wstring& helpPath);
std::optional<HelpTopicSample> HelpContextTopic(const std::wstring& helpPath,
                                                std::uint32_t context);
// The first topic whose text has the part (a field such as "{{SettingsFile}}", say).
std::optional<HelpTopicSample> HelpTopicContaining(const std::wstring& helpPath,
                                                   std::wstring_view part);

}  // namespace tarnwick::e2e
