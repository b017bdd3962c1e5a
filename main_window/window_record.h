#pragma once
// The record of the window on display: what the data labels show, kept as text beside them, and
// written out as plain lines for the clipboard.

#include <array>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace tarnwick {

// What DisplayData last showed, each text exactly as it went to its label.
struct ShownWindow {
    Hwnd handle = 0;
    std::wstring decimal;    // "Dec:  672"
    std::wstring hex;        // "Hex: 2A0"
    std::wstring className;  // as the query returned it, "&" and all
    std::wstring title;
    std::wstring rect;
    std::wstring style;
    std::wstring parent;
};

// The fields of the record that the labels show, in the record's order.
enum class WindowField { hWnd, Class, Title, Rect, Style, Parent };
inline constexpr std::array kWindowFields{WindowField::hWnd,  WindowField::Class,
                                          WindowField::Title, WindowField::Rect,
                                          WindowField::Style, WindowField::Parent};

// The field's name as its caption label shows it, without the colon: "hWnd", "Class", ...
std::wstring_view FieldName(WindowField field);

// The field's value alone, for the clipboard: the handle in hexadecimal digits, the other
// fields as their labels show them, class and title as the queries returned them. A NUL, which
// would end the clipboard's text, becomes U+FFFD.
std::wstring FieldValue(const ShownWindow& shown, WindowField field);

// The text with every character that would end a line or the text (NUL, CR, LF and the other
// control characters but tab, NEL, and the Unicode line and paragraph separators) as U+FFFD.
std::wstring OnOneLine(std::wstring_view text);

// The whole record, one field to a line, each line ending in CR LF:
//   <heading>
//   hWnd: Dec:  672, Hex: 2A0
//   Class: Notepad
//   Title: Untitled - Notepad
//   Rect: (10, 20)-(410, 320)
//   Style: 14CF0000
//   Parent: No parent window
//   Process: notepad.exe (PID 4242)
// A heading that ends in a colon loses it. Characters that would end a line or the text (NUL,
// CR, LF and the other control characters but tab, NEL, and the Unicode line and paragraph
// separators) become U+FFFD, so that every field stays on its own line.
std::wstring RecordText(std::wstring_view heading, const ShownWindow& shown,
                        std::wstring_view process);

}  // namespace tarnwick
