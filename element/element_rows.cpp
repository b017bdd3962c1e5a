#include "element/element_rows.h"

#include "details/row_text.h"
#include "main_window/window_record.h"

namespace tarnwick {

namespace {

// What the rows between the texts show.
enum class Other : std::uint8_t { Text, BoundingRect, Enabled, Offscreen };

struct ElementRowName {
    const wchar_t* name;
    ElementText text;
    Other other = Other::Text;
};

// The rows in the order shown.
constexpr ElementRowName kRows[] = {
    {L"Name", ElementText::Name},
    {L"Control type", ElementText::ControlType},
    {L"Localized control type", ElementText::LocalizedControlType},
    {L"Automation ID", ElementText::AutomationId},
    {L"Class name", ElementText::ClassName},
    {L"Framework", ElementText::FrameworkId},
    {L"Bounding rect", ElementText::Name, Other::BoundingRect},
    {L"Enabled", ElementText::Name, Other::Enabled},
    {L"Offscreen", ElementText::Name, Other::Offscreen},
    {L"Role", ElementText::Role},
    {L"State", ElementText::State},
    {L"Value", ElementText::Value},
    {L"Default action", ElementText::DefaultAction},
};

void WriteFlag(RowText& text, const std::optional<bool>& flag) {
    if (flag) {
        text << (*flag ? L"yes" : L"no");
    }
}

void AppendElementRows(const ElementAnswer& answer, std::vector<ListRow>& rows) {
    if (answer.outcome == ElementOutcome::NotResponding) {
        rows.push_back({kHeadingElement, kRows[0].name, kElementNotResponding});
    }
    if (answer.outcome != ElementOutcome::Read) {
        return;
    }
    const AccessibleElement& element = answer.element;
    for (const ElementRowName& row : kRows) {
        RowText text;
        switch (row.other) {
            case Other::Text:
                text << element[row.text];
                break;
            case Other::BoundingRect:
                if (element.boundingRect) {
                    text.Rectangle(*element.boundingRect);
                }
                break;
            case Other::Enabled:
                WriteFlag(text, element.enabled);
                break;
            case Other::Offscreen:
                WriteFlag(text, element.offscreen);
                break;
        }
        std::wstring value = text.Take();
        if (!value.empty()) {
            // Texts of another program may hold anything; a row stays on one line.
            rows.push_back({kHeadingElement, row.name, OnOneLine(value)});
        }
    }
}

}  // namespace

std::vector<ListRow> DetailsWindowRows(const WindowFacts& facts,
                                       const std::optional<PointerReading>& pointer,
                                       const std::optional<ElementAnswer>& element,
                                       const std::vector<StackEntry>& stack) {
    std::vector<ListRow> rows = DetailRows(facts, pointer);
    if (element) {
        AppendElementRows(*element, rows);
    }
    for (ListRow& row : StackRows(stack, facts.handle)) {
        rows.push_back(std::move(row));
    }
    return rows;
}

std::wstring ElementRecordLine(const ElementAnswer& answer) {
    if (answer.outcome != ElementOutcome::Read) {
        return {};
    }
    const AccessibleElement& element = answer.element;
    const std::wstring& type = element[ElementText::ControlType];
    std::wstring line = L"Element: ";
    line.append(OnOneLine(type.empty() ? element[ElementText::Role] : type));
    line.append(L" \"").append(OnOneLine(element[ElementText::Name])).append(L"\"\r\n");
    return line;
}

}  // namespace tarnwick
