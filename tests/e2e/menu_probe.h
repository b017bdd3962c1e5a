#pragma once
// Reads the menu bar of a window in another process. Under Wine menus cannot be read from
// outside their process, so the probe library is loaded into the process (a remote thread that
// calls LoadLibraryW) and reads it there with GetMenuItemInfoW and GetMenuStringW.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tarnwick::e2e {

struct MenuItem {
    int depth = 0;     // 0 for the items of the bar itself
    int position = 0;  // within its menu
    UINT id = 0;
    UINT type = 0;   // MFT_*
    UINT state = 0;  // MFS_*
    bool hasSubmenu = false;
    std::wstring text;

    bool Checked() const { return (state & MFS_CHECKED) != 0; }
    bool Separator() const { return (type & MFT_SEPARATOR) != 0; }
};

// The window's menu bar, items in menu order (each submenu right after its item); nothing when
// the probe could not run or the window has no menu.
std::optional<std::vector<MenuItem>> ReadMenuBar(HANDLE process, DWORD processId, HWND window,
                                                 const std::wstring& probePath);

}  // namespace tarnwick::e2e
