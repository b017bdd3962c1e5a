#include "platform/win32/artwork.h"

#include "platform/win32/resource_ids.h"

namespace tarnwick::win32 {

namespace {

HANDLE LoadShared(int id, UINT type, int size) {
    return ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), type, size, size,
                        LR_SHARED);
}

}  // namespace

HICON AppIcon(int size) {
    return static_cast<HICON>(LoadShared(IDI_TARNWICK, IMAGE_ICON, size));
}

HBITMAP TargetPicture() {
    return static_cast<HBITMAP>(::LoadImageW(
        ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_TARGET), IMAGE_BITMAP, 0, 0, LR_SHARED));
}

HCURSOR TargetPointer() {
    return static_cast<HCURSOR>(LoadShared(IDC_TARGET, IMAGE_CURSOR, 0));
}

}  // namespace tarnwick::win32
