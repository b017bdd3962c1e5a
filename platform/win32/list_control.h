#pragma once
// The list control of a form: a list view in report view, one column per caption, its rows under
// headings (list-view groups where the common controls have them, heading rows otherwise).

#include "platform/win32/windows_api.h"

namespace tarnwick::win32 {

// A list view child of the parent, with the columns (captions ended by a null); null when it
// cannot be made.
HWND CreateListControl(HWND parent, HMENU id, const wchar_t* const* columns);
// The first column as wide as its texts, the last one filling the rest of the width.
void FitListColumns(HWND list);

}  // namespace tarnwick::win32
