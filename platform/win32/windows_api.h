#pragma once
// <windows.h> for the Win32 layer, without the A/W name macros that would rename the seam's
// methods (GetClassName, WinHelp, ...): this layer calls the wide functions by their full names.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <dwmapi.h>

#undef GetClassName
#undef GetWindowText
#undef GetWindowLong
#undef SystemParametersInfo
#undef WinHelp
#undef GetPrivateProfileInt
#undef GetPrivateProfileString
#undef WritePrivateProfileString
#undef GetPrivateProfileSection
#undef QueryFullProcessImageName
#undef GetShortPathName
#undef CreateDirectory
#undef CopyFile

#include "platform/types.h"

namespace tarnwick::win32 {

// Window handles travel through the program as signed 32-bit values; the system keeps only 32
// significant bits of a handle, sign-extended on 64-bit Windows.
inline HWND ToHwnd(Hwnd window) {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(window));
}
inline Hwnd FromHwnd(HWND window) {
    return static_cast<Hwnd>(reinterpret_cast<std::intptr_t>(window));
}

}  // namespace tarnwick::win32
