#include "platform/win32/artwork.h"

#include "platform/win32/resource_ids.h"

namespace tarnwick::win32 {

namespace {

HANDLE LoadShared(int id, UINT type, int size) {
    return ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), type, size, size,
                        LR_SHARED);
}

// Not shared: the system's cache of shared icons hands out whichever size was loaded first.
HICON LoadIconAt(int metric) {
    const int size = ::GetSystemMetrics(metric);
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr),
                                           MAKEINTRESOURCEW(IDI_TARNWICK), IMAGE_ICON, size, size,
                                           LR_DEFAULTCOLOR));
}

}  // namespace

HICON AppIcon(int size) {
    return static_cast<HICON>(LoadShared(IDI_TARNWICK, IMAGE_ICON, size));
}

HBITMAP TargetPicture() {
    return static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr),
                                             MAKEINTRESOURCEW(IDB_TARGET), IMAGE_BITMAP, 0, 0,
                                             LR_SHARED | LR_LOADMAP3DCOLORS));
}

HCURSOR TargetPointer() {
    return static_cast<HCURSOR>(LoadShared(IDC_TARGET, IMAGE_CURSOR, 0));
}

HICON WindowIcon() {
    static const HICON icon = LoadIconAt(SM_CXICON);
    return icon;
}

HICON SmallWindowIcon() {
    static const HICON icon = LoadIconAt(SM_CXSMICON);
    return icon;
}

}  // namespace tarnwick::win32
