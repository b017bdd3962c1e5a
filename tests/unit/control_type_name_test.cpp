// UI Automation's control type ids told by their programmatic names.

#include <gtest/gtest.h>

#include "element/control_type_name.h"

namespace tarnwick {
namespace {

std::wstring NameOf(std::int32_t id) {
    std::wstring name = L"before:";
    AppendControlTypeName(id, name);
    return name;
}

TEST(ControlTypeNameTest, NamesEveryIdFromButtonToAppBarAndNothingElse) {
    const std::pair<std::int32_t, const wchar_t*> known[] = {
        {50000, L"Button"},       {50004, L"Edit"},     {50005, L"Hyperlink"}, {50020, L"Text"},
        {50025, L"Custom"},       {50030, L"Document"}, {50032, L"Window"},    {50033, L"Pane"},
        {50039, L"SemanticZoom"}, {50040, L"AppBar"},
    };
    for (const auto& [id, name] : known) {
        EXPECT_EQ(NameOf(id), std::wstring(L"before:") + name) << id;
    }
    for (const std::int32_t unknown : {0, -1, 49999, 50041, 60000}) {
        EXPECT_EQ(NameOf(unknown), L"before:") << unknown;
    }
}

}  // namespace
}  // namespace tarnwick
