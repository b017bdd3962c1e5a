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

// "0x2F0072 (3080306)"
std::wstring HandleText(Hwnd window);
// "(10, 20)-(410, 320), 400 x 300"
std::wstring RectWithSizeText(const Rect& rect);

// Where the pointer is and what colour the screen has there; nothing before the pointer was
// first read.
struct PointerReading {
    Point screen;
    std::optional<ColorRef> colour;
};

// Every row, the pointer's last.
std::vector<ListRow> DetailRows(const WindowFacts& facts,
                                const std::optional<PointerReading>& pointer);

// The window a row of the Relations group names; 0 for any other row and for "none".
Hwnd RowTarget(const WindowFacts& facts, const ListRow& row);

// "Property: value" lines, each ending in CR LF.
std::wstring RowsText(std::span<const ListRow> rows);

}  // namespace tarnwick
