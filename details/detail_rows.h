#pragma once
// The rows of the Details window, built from the facts of one window: their headings, names and
// values, in the order they are shown.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "details/window_facts.h"

namespace tarnwick {

inline constexpr wchar_t kHeadingWindow[] = L"Window";
inline constexpr wchar_t kHeadingGeometry[] = L"Geometry";
inline constexpr wchar_t kHeadingProcess[] = L"Process";
inline constexpr wchar_t kHeadingRelations[] = L"Relations";
inline constexpr wchar_t kHeadingPointer[] = L"Pointer";
inline constexpr wchar_t kHeadingStack[] = L"At the pointer";

// A window of the stack under the pointer at the last capture.
struct StackEntry {
    RelatedWindow window;
    bool cloaked = false;
};

// Where the pointer is and what colour the screen has there; nothing before the pointer was
// first read.
struct PointerReading {
    Point screen;
    std::optional<ColorRef> colour;
};

// Every row, the pointer's last.
std::vector<ListRow> DetailRows(const WindowFacts& facts,
                                const std::optional<PointerReading>& pointer);

// One row for each window of the stack, "#1" the topmost: its handle, class and title, marked
// where it is cloaked and where it is the window on display.
std::vector<ListRow> StackRows(const std::vector<StackEntry>& stack, Hwnd shown);

// The window a row of the Relations group or of the stack names; 0 for any other row and for
// "none".
Hwnd RowTarget(const WindowFacts& facts, const std::vector<StackEntry>& stack, const ListRow& row);

// "Property: value" lines, each ending in CR LF.
std::wstring RowsText(std::span<const ListRow> rows);

}  // namespace tarnwick
