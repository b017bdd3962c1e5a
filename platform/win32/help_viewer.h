#pragma once
// The program's own help viewer, opened the way WinHelp is called: one top-level help window
// beside the calling window, with the list of topics and the text of the topic on show. It has
// no owner: the caller decides whether it is kept on top.

#include <cstdint>
#include <string_view>

#include "platform/win32/windows_api.h"

namespace tarnwick::win32 {

// Shows the help file named by reference ("folder\\file.hlp>window") in the program's help window,
// placed beside owner: at the contents for kHelpContents (3), at the topic with context number data
// for kHelpContext (1). Returns nonzero when a topic is on show.
int ShowHelp(HWND owner, std::wstring_view reference, unsigned command, std::uintptr_t data);

// The help window; null while there is none.
HWND HelpViewerWindow();

// The text shown wherever a topic names the field as {{name}}, from the next topic shown on.
void SetHelpFieldValue(std::wstring_view name, std::wstring_view value);

}  // namespace tarnwick::win32
