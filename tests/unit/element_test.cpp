// The accessible element under the pointer: how it is read, requested, shown and copied.

#include <gtest/gtest.h>

#include "element/read_element.h"
#include "tests/fake/fake_element_reader.h"

namespace tarnwick {
namespace {

TEST(ReadElementTest, TakesUiAutomationFirstAndActiveAccessibilityOnlyWhereItFails) {
    fake::FakeElementSources sources;
    AccessibleElement button;
    button.name = L"OK";
    button.controlType = L"Button";
    AccessibleElement legacy;
    legacy.name = L"OK";
    legacy.role = L"push button";
    sources.uiAutomation = button;
    sources.activeAccessibility = legacy;
    sources.leftByFailure.name = L"half-read";

    ElementAnswer answer = ReadElement(sources, {7, 0x500, Point{10, 20}});
    EXPECT_EQ(answer.request, 7u);
    EXPECT_EQ(answer.outcome, ElementOutcome::Read);
    EXPECT_EQ(answer.element.controlType, L"Button");
    EXPECT_EQ(answer.element.role, L"");

    sources.uiAutomation.reset();
    answer = ReadElement(sources, {8, 0x500, std::nullopt});
    EXPECT_EQ(answer.outcome, ElementOutcome::Read);
    EXPECT_EQ(answer.element.role, L"push button");
    EXPECT_EQ(answer.element.controlType, L"");

    sources.activeAccessibility.reset();
    answer = ReadElement(sources, {9, 0x500, std::nullopt});
    EXPECT_EQ(answer.request, 9u);
    EXPECT_EQ(answer.outcome, ElementOutcome::None);
    EXPECT_EQ(answer.element.name, L"");
}

}  // namespace
}  // namespace tarnwick
