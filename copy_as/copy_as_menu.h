#pragma once
// "Copy as": the submenu at the end of the data panel's and the Details window's context menus,
// and the text each of its entries puts on the clipboard: the window on display as the selector
// an automation tool takes, as JSON, or as the user's own template from the settings file.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "details/window_facts.h"
#include "platform/accessible_element.h"
#include "platform/toolkit.h"
#include "platform/win32_api.h"

namespace tarnwick {

inline constexpr wchar_t kSectionCopyAs[] = L"CopyAs";
// The user's templates taken from the section, at most.
inline constexpr std::size_t kMostCopyTemplates = 32;

// What the entries copy from: the window's facts, the rows the Details window shows of it (the
// Element group among them when an element is known) and the element.
struct CopyAsSource {
    const WindowFacts& facts;
    std::span<const ListRow> rows;
    const std::optional<ElementAnswer>& element;
};

class CopyAsMenu {
  public:
    // The user's templates, read from the settings file now: a menu shows the file as it is.
    CopyAsMenu(Win32Api& win32, std::wstring_view settingsFile);

    // Adds the submenu to the items. Its entries take the ids from firstId on.
    void AppendTo(std::vector<PopupMenuItem>& items, std::int32_t firstId) const;
    // Whether the id is one of the submenu's entries.
    bool Holds(std::int32_t chosen, std::int32_t firstId) const;
    // The text of the entry chosen, one of the submenu's.
    std::wstring TextFor(std::int32_t chosen, std::int32_t firstId,
                         const CopyAsSource& source) const;

  private:
    Win32Api& win32_;
    std::vector<ProfileEntry> templates_;
};

}  // namespace tarnwick
