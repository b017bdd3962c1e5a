#include "platform/win32/frame_overlay.h"

#include "platform/win32/win32_failure.h"

namespace tarnwick::win32 {

namespace {

constexpr wchar_t kOverlayClass[] = L"Tarnwick.FrameOverlay";
constexpr DWORD kOverlayExStyle =
    WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;

LRESULT CALLBACK OverlayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT fills everything
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            const HDC dc = ::BeginPaint(window, &paint);
            // The brush lives for this paint only; the colour travels with the window.
            const HBRUSH brush = ::CreateSolidBrush(
                static_cast<COLORREF>(::GetWindowLongPtrW(window, GWLP_USERDATA)));
            if (dc != nullptr && brush != nullptr) {
                ::FillRect(dc, &paint.rcPaint, brush);
            }
            if (brush != nullptr) {
                ::DeleteObject(brush);
            }
            ::EndPaint(window, &paint);
            return 0;
        }
        default:
            return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

bool RegisterOverlayClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = OverlayProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kOverlayClass;
        return ::RegisterClassExW(&wc) != 0;
    }();
    return registered;
}

HWND CreateOverlayWindow() {
    if (!RegisterOverlayClass()) {
        return nullptr;
    }
    const HWND window = ::CreateWindowExW(kOverlayExStyle, kOverlayClass, L"", WS_POPUP, 0, 0, 0, 0,
                                          nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    // A layered window shows nothing until it is given its opacity.
    if (window != nullptr && !::SetLayeredWindowAttributes(window, 0, 255, LWA_ALPHA)) {
        ::DestroyWindow(window);
        return nullptr;
    }
    return window;
}

// The union of the strips; the caller owns it.
HRGN StripsRegion(std::span<const Rect> strips) {
    const HRGN shape = ::CreateRectRgn(0, 0, 0, 0);
    if (shape == nullptr) {
        return nullptr;
    }
    for (const Rect& strip : strips) {
        const HRGN part = ::CreateRectRgn(strip.left, strip.top, strip.right, strip.bottom);
        const bool joined = part != nullptr && ::CombineRgn(shape, shape, part, RGN_OR) != ERROR;
        if (part != nullptr) {
            ::DeleteObject(part);
        }
        if (!joined) {
            ::DeleteObject(shape);
            return nullptr;
        }
    }
    return shape;
}

}  // namespace

void FrameOverlay::Show(const Rect& placement, std::span<const Rect> strips, ColorRef color) {
    if (window_ == nullptr) {
        window_ = CreateOverlayWindow();
        if (window_ == nullptr) {
            throw Win32Failure("the frame overlay window cannot be made");
        }
    }
    // Shaped while hidden, so that the old shape never shows at the new place.
    Hide();
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, static_cast<LONG_PTR>(color));
    const HRGN shape = StripsRegion(strips);
    if (shape == nullptr) {
        throw Win32Failure("the frame overlay cannot be shaped");
    }
    // The window owns the region from here on; it is ours to delete only when refused.
    if (!::SetWindowRgn(window_, shape, FALSE)) {
        ::DeleteObject(shape);
        throw Win32Failure("the frame overlay cannot be shaped");
    }
    ::SetWindowPos(window_, HWND_TOPMOST, placement.left, placement.top,
                   placement.right - placement.left, placement.bottom - placement.top,
                   SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void FrameOverlay::Hide() {
    if (window_ != nullptr && ::IsWindowVisible(window_)) {
        ::ShowWindow(window_, SW_HIDE);
    }
}

void FrameOverlay::Destroy() {
    if (window_ != nullptr) {
        ::DestroyWindow(window_);
        window_ = nullptr;
    }
}

}  // namespace tarnwick::win32
