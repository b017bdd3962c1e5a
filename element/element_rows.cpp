#include "element/element_rows.h"

#include "details/row_text.h"
#include "main_window/window_record.h"

namespace tarnwick {

namespace {

using ElementText = std::wstring AccessibleElement::*;

struct ElementRowName {
    const wchar_t* name;
    ElementText text;  // null for the rows below that are not texts
};

// The rows in the order shown; the rectangle and the two flags follow Framework.
constexpr ElementRowName kTextRows[] = {
    {L"Name", &AccessibleElement::name},
    {L"Control type", &AccessibleElement::controlType},
    {L"Localized control type", &AccessibleElement::localizedControlType},
    {L"Automation ID", &AccessibleElement::automationId},
    {L"Class name", &AccessibleElement::className},
    {L"Framework", &AccessibleElement::frameworkId},
    {L"Bounding rect", nullptr},
    {L"Enabled", nullptr},
    {L"Offscreen", nullptr},
    {L"Role", &AccessibleElement::role},
    {L"State", &AccessibleElement::state},
    {L"Value", &AccessibleElement::value},
    {L"Default action", &AccessibleElement::defaultAction},
};

void WriteFlag(RowText& text, const std::optional<bool>& flag) {
    if (flag) {
        text << (*flag ? L"yes" : L"no");
    }
}

}  // namespace

std::vector<ListRow> ElementRows(const ElementAnswer& answer) {
    std::vector<ListRow> rows;
    if (answer.outcome == ElementOutcome::NotResponding) {
        rows.push_back({kHeadingElement, kTextRows[0].name, kElementNotResponding});
    }
    if (answer.outcome != ElementOutcome::Read) {
        return rows;
    }
    const AccessibleElement& element = answer.element;
    for (const ElementRowName& row : kTextRows) {
        RowText text;
        if (row.text != nullptr) {
            text << element.*row.text;
        } else if (row.name == kTextRows[6].name) {
            if (element.boundingRect) {
                text.Rectangle(*element.boundingRect);
            }
        } else {
            WriteFlag(text, row.name == kTextRows[7].name ? element.enabled : element.offscreen);
        }
        std::wstring value = text.Take();
        if (!value.empty()) {
            // Texts of another program may hold anything; a row stays on one line.
            rows.push_back({kHeadingElement, row.name, OnOneLine(value)});
        }
    }
    return rows;
}

std::wstring ElementRecordLine(const ElementAnswer& answer) {
    if (answer.outcome != ElementOutcome::Read) {
        return {};
    }
    const AccessibleElement& element = answer.element;
    std::wstring line = L"Element: ";
    line.append(OnOneLine(element.controlType.empty() ? element.role : element.controlType));
    line.append(L" \"").append(OnOneLine(element.name)).append(L"\"\r\n");
    return line;
}

}  // namespace tarnwick
