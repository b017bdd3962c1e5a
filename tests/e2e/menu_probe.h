#pragma once
// Reads the menu bar and the class icons of a window in another process. Under Wine menus cannot be
// read from outside their process, so the probe library is loaded into the process (a remote thread
// that calls LoadLibraryW) and reads it there with GetMenuItemInfoW and GetMenuStringW. Icon
// handles, too, mean nothing outside the process under Wine.

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

// What the probe read of one window inside its process.
struct ProbedWindow {
    // The menu bar, items in menu order (each submenu right after its item).
    std::vector<MenuItem> menu;
    // The widths of the images of its class's icon and small icon; 0 where there is none.
    int classIconWidth = 0;
    int smallClassIconWidth = 0;
    // The height (LOGFONT's) of each child control's font, by control id, in the order of the
    // window tree.
    std::vector<std::pair<int, int>> fontHeights;
};

// The window as the probe read it; nothing when the probe could not run.
std::optional<ProbedWindow> ProbeWindow(HANDLE process, DWORD processId, HWND window,
                                        const std::wstring& probePath);

}  // namespace tarnwick::e2e
