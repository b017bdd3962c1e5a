#include "platform/win32/artwork.h"

#include <iterator>

#include "platform/dpi_scale.h"
#include "platform/win32/resource_ids.h"

namespace tarnwick::win32 {

namespace {

// The size of the pictures and the pointer at 96 DPI.
constexpr int kPictureSize = 32;

struct Loaded {
    int id;
    int size;
    HANDLE handle;
};
// Room for the pictures, the pointer and the icons at two scales. Past that the oldest gives way;
// it may still be on show, so it is not destroyed.
Loaded g_loaded[8];
unsigned g_next = 0;

// Not shared: the system's cache of shared images hands out whichever size was loaded first.
HANDLE LoadOnce(int id, UINT type, int size, UINT flags) {
    for (const Loaded& each : g_loaded) {
        if (each.handle != nullptr && each.id == id && each.size == size) {
            return each.handle;
        }
    }
    const HANDLE handle =
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), type, size, size, flags);
    if (handle != nullptr) {
        g_loaded[g_next++ % std::size(g_loaded)] = {id, size, handle};
    }
    return handle;
}

}  // namespace

HICON AppIcon(int size) {
    return static_cast<HICON>(LoadOnce(IDI_TARNWICK, IMAGE_ICON, size, LR_DEFAULTCOLOR));
}

HBITMAP TargetPicture(int dpi) {
    return static_cast<HBITMAP>(
        LoadOnce(IDB_TARGET, IMAGE_BITMAP, ScaledPixels(kPictureSize, dpi), LR_LOADMAP3DCOLORS));
}

HCURSOR TargetPointer(int dpi) {
    return static_cast<HCURSOR>(
        LoadOnce(IDC_TARGET, IMAGE_CURSOR, ScaledPixels(kPictureSize, dpi), LR_DEFAULTCOLOR));
}

HICON WindowIcon() {
    return AppIcon(::GetSystemMetrics(SM_CXICON));
}

HICON SmallWindowIcon() {
    return AppIcon(::GetSystemMetrics(SM_CXSMICON));
}

}  // namespace tarnwick::win32
