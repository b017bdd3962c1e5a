#pragma once
// Where the menu probe leaves what it read: a UTF-8 text file in the temporary folder, named
// after the process it ran in. Lines:
//   window <handle, hex> <class name>
//   icons <width of the class's icon> <width of its small icon>
//   item <depth> <position> <id> <type, hex> <state, hex> <has a submenu: 0 or 1> <text>
//   font <control id> <height of the control's font, as in its LOGFONT>
//   end
// Every top-level window of the process is written, with its menu bar if it has one.
// The file appears whole (written under another name, then renamed).

#include <windows.h>

#include <string>

namespace tarnwick::e2e {

inline std::wstring MenuDumpPath(DWORD processId) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"tarnwick-e2e-menu-" + std::to_wstring(processId) + L".txt";
}

}  // namespace tarnwick::e2e
