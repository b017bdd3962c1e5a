#pragma once
// The bits of a window's style, extended style and class style, told by their names:
//   "0x14CF0000 WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPSIBLINGS"
// The value comes first as 0x and eight upper-case hexadecimal digits; then, after one blank,
// the names joined by " | ", and last the bits that no name covers as " | 0x<hex>". A value of
// which no bit has a name is written alone, since the rest would only repeat it.

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

// The window style. Combined names (WS_OVERLAPPEDWINDOW, WS_POPUPWINDOW, WS_CAPTION) come first,
// then the single WS_ bits they leave, highest first; 0x20000 and 0x10000 are WS_GROUP and
// WS_TABSTOP on a child window, WS_MINIMIZEBOX and WS_MAXIMIZEBOX otherwise. For the classes
// Button, Edit and Static (in any case of ASCII letters) the low word is told by its BS_, ES_
// and SS_ names, its type even when that is 0 (BS_PUSHBUTTON); other classes' low words have
// no names.
std::wstring StyleText(std::uint32_t style, std::wstring_view className);

// The extended window style: its WS_EX_ names, highest bit first.
std::wstring ExtendedStyleText(std::uint32_t exStyle);

// The window class's style: its CS_ names, highest bit first.
std::wstring ClassStyleText(std::uint32_t classStyle);

}  // namespace tarnwick
