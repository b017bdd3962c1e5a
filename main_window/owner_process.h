#pragma once
// Which process owns a window, asked of the system at the moment it is needed.

#include <string>

#include "platform/win32_api.h"

namespace tarnwick {

// "notepad.exe (PID 4242)": the file name of the process's image and its id;
// "PID 4242 (access denied)" when the process may not be asked (another user's, or protected);
// "PID 4242 (name unavailable)" when it cannot tell its image (it has ended meanwhile);
// "none (no window)" for handle 0; "none (the window no longer exists)" for a window that is gone.
std::wstring OwnerProcessText(Win32Api& win32, Hwnd window);

// The full path of the process's image, empty when it cannot be told. The path comes from another
// process: its length is taken only as far as the buffer reaches.
std::wstring ProcessImagePath(Win32Api& win32, KernelHandle process);

}  // namespace tarnwick
