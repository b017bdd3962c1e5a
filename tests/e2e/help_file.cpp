#include "tests/e2e/help_file.h"

#include <sstream>
#include <vector>

#include "tests/e2e/case_folder.h"
#include "tests/e2e/text.h"

namespace tarnwick::e2e {

namespace {

struct TopicBlock {
    HelpTopicSample sample;
    bool contents = false;
    std::optional<std::uint32_t> context;
    std::wstring text;
};

// Lines of the file's topics; "@" lines are directives, "- " starts a list item and "|" a kept
// line, both of which the viewer may lay out in its own way, so only plain lines are samples.
std::vector<TopicBlock> ReadTopics(const std::wstring& helpPath) {
    std::vector<TopicBlock> topics;
    const std::optional<std::string> bytes = ReadWholeFile(helpPath);
    if (!bytes) {
        return topics;
    }
    std::istringstream lines(*bytes);
    std::string raw;
    bool inTopic = false;
    while (std::getline(lines, raw)) {
        if (!raw.empty() && raw.back() == '\r') {
            raw.pop_back();
        }
        const std::wstring line = FromUtf8(raw);
        if (line == L"@topic") {
            topics.emplace_back();
            topics.back().sample.index = topics.size() - 1;
            inTopic = true;
            continue;
        }
        if (StartsWith(line, L"@window")) {
            inTopic = false;
        }
        if (!inTopic) {
            continue;
        }
        topics.back().text += line + L"\n";
        if (StartsWith(line, L"@title ")) {
            topics.back().sample.title = Trim(line.substr(7));
        } else if (line == L"@contents") {
            topics.back().contents = true;
        } else if (StartsWith(line, L"@context ")) {
            topics.back().context =
                static_cast<std::uint32_t>(std::wcstoul(line.c_str() + 9, nullptr, 10));
        } else if (topics.back().sample.firstLine.empty() && !Trim(line).empty() &&
                   !StartsWith(line, L"@") && !StartsWith(line, L"- ") && !StartsWith(line, L"|")) {
            topics.back().sample.firstLine = Trim(line);
        }
    }
    return topics;
}

}  // namespace

std::optional<HelpTopicSample> HelpContentsTopic(const std::wstring& helpPath) {
    const std::vector<TopicBlock> topics = ReadTopics(helpPath);
    for (const TopicBlock& topic : topics) {
        if (topic.contents) {
            return topic.sample;
        }
    }
    if (topics.empty()) {
        return std::nullopt;
    }
    return topics.front().sample;
}

std::optional<HelpTopicSample> HelpContextTopic(const std::wstring& helpPath,
                                                std::uint32_t context) {
    for (const TopicBlock& topic : ReadTopics(helpPath)) {
        if (topic.context == context) {
            return topic.sample;
        }
    }
    return std::nullopt;
}

std::optional<HelpTopicSample> HelpTopicContaining(const std::wstring& helpPath,
                                                   std::wstring_view part) {
    for (const TopicBlock& topic : ReadTopics(helpPath)) {
        if (Contains(topic.text, part)) {
            return topic.sample;
        }
    }
    return std::nullopt;
}

}  // namespace tarnwick::e2e
