#include "element/control_type_name.h"

#include <cstddef>

namespace tarnwick {

namespace {

constexpr std::int32_t kFirstControlTypeId = 50000;
// The names in the order of their ids, from kFirstControlTypeId up, each ended by a NUL.
constexpr char kNames[] =
    "Button\0Calendar\0CheckBox\0ComboBox\0Edit\0Hyperlink\0Image\0ListItem\0List\0Menu\0"
    "MenuBar\0MenuItem\0ProgressBar\0RadioButton\0ScrollBar\0Slider\0Spinner\0StatusBar\0Tab\0"
    "TabItem\0Text\0ToolBar\0ToolTip\0Tree\0TreeItem\0Custom\0Group\0Thumb\0DataGrid\0DataItem\0"
    "Document\0SplitButton\0Window\0Pane\0Header\0HeaderItem\0Table\0TitleBar\0Separator\0"
    "SemanticZoom\0AppBar\0";

}  // namespace

void AppendControlTypeName(std::int32_t controlTypeId, std::wstring& text) {
    wchar_t name[sizeof "SemanticZoom"];
    std::size_t length = 0;
    std::int32_t id = kFirstControlTypeId;
    for (const char* letter = kNames; letter < kNames + sizeof kNames - 1; ++letter) {
        if (*letter == '\0') {
            ++id;
        } else if (id == controlTypeId) {
            name[length++] = static_cast<wchar_t>(*letter);
        }
    }
    text.append(name, length);
}

}  // namespace tarnwick
