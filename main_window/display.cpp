// The data labels: who a window is and where it lies.

#include <algorithm>
#include <array>
#include <utility>

#include "app/number_text.h"
#include "main_window/frmMain.h"
#include "main_window/frmMain_controls.h"
#include "platform/physical_pixels.h"

namespace tarnwick {

using namespace frmMainControls;

namespace {

// Capacity of a class-name or title query, terminator included.
constexpr std::int32_t kTextCapacity = 512;

// Appended piece by piece: a chain of concatenations costs the program far more code.
std::wstring RectText(const Rect& r) {
    std::wstring text = L"(";
    text.append(GeneralNumber(r.left)).append(L", ").append(GeneralNumber(r.top));
    text.append(L")-(").append(GeneralNumber(r.right)).append(L", ");
    text.append(GeneralNumber(r.bottom)).append(L")");
    return text;
}

}  // namespace

void frmMain::DisplayData(const Hwnd& winHandle) {
    Form& f = *form_;
    Win32Api& win32 = platform_.win32;
    // Each text is kept for the record once its label shows it.
    const auto show = [&](ControlId label, std::wstring text, std::wstring& kept) {
        f.SetCaption(label, text);
        kept = std::move(text);
    };
    show(lbl_WindowHandleDecimal, L"Dec: " + DecimalWithSign(winHandle), shown_.decimal);
    shown_.handle = winHandle;
    show(lbl_WindowHandleHex, L"Hex: " + Hex(winHandle), shown_.hex);

    std::array<wchar_t, kTextCapacity> text{};
    const auto showText = [&](std::int32_t count, ControlId label, std::wstring& kept) {
        // Only the characters the query reports are taken; a count it cannot have is held in.
        const auto length = std::clamp<std::int32_t>(count, 0, kTextCapacity - 1);
        const std::wstring_view taken(text.data(), static_cast<std::size_t>(length));
        f.SetCaption(label, taken);
        kept = taken;
        f.SetToolTipText(label, f.Caption(label));
    };
    showText(win32.GetClassName(winHandle, text), lbl_WindowClass, shown_.className);
    showText(win32.GetWindowText(winHandle, text), lbl_WindowTitle, shown_.title);

    Rect rect{};
    {
        // In the physical pixels of the window's monitor, as an inspector must show it.
        const PhysicalPixels physical(win32);
        win32.GetWindowRect(winHandle, rect);
    }
    show(lbl_WindowRect, RectText(rect), shown_.rect);

    show(lbl_WindowStyle, Hex(win32.GetWindowLong(winHandle, kGwlStyle)), shown_.style);

    const Hwnd parent = win32.GetParent(winHandle);
    show(lbl_WindowParent, parent != 0 ? Hex(parent) : std::wstring(L"No parent window"),
         shown_.parent);

    if (DetailsOpen()) {
        details_->ShowWindowFacts(winHandle);
    }
}

}  // namespace tarnwick
