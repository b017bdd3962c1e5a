// The data labels: who a window is and where it lies.

#include <algorithm>
#include <array>
#include <iterator>

#include "app/number_text.h"
#include "main_window/frmMain.h"
#include "main_window/frmMain_controls.h"
#include "platform/ascii_text.h"
#include "platform/physical_pixels.h"

namespace tarnwick {

using namespace frmMainControls;

namespace {

// Capacity of a class-name or title query, terminator included.
constexpr std::int32_t kTextCapacity = 512;

// "(left, top)-(right, bottom)": each number after its ASCII text, in one loop where a chain of
// appends would cost the program code for every piece.
std::wstring RectText(const Rect& r) {
    const char* const before[] = {"(", ", ", ")-(", ", "};
    const std::int32_t numbers[] = {r.left, r.top, r.right, r.bottom};
    std::wstring text;
    for (std::size_t i = 0; i < std::size(numbers); ++i) {
        AppendAscii(text, before[i]);
        text.append(GeneralNumber(numbers[i]));
    }
    AppendAscii(text, ")");
    return text;
}

}  // namespace

void frmMain::DisplayData(const Hwnd& winHandle) {
    Form& f = *form_;
    Win32Api& win32 = platform_.win32;
    // Each text is kept for the record as its label shows it: the plain ASCII before it, then the
    // text.
    const auto show = [&](ControlId label, const char* before, const std::wstring& text,
                          std::wstring& kept) {
        kept.clear();
        AppendAscii(kept, before);
        kept.append(text);
        f.SetCaption(label, kept);
    };
    show(lbl_WindowHandleDecimal, "Dec: ", DecimalWithSign(winHandle), shown_.decimal);
    shown_.handle = winHandle;
    show(lbl_WindowHandleHex, "Hex: ", Hex(winHandle), shown_.hex);

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
    show(lbl_WindowRect, "", RectText(rect), shown_.rect);

    show(lbl_WindowStyle, "", Hex(win32.GetWindowLong(winHandle, kGwlStyle)), shown_.style);

    const Hwnd parent = win32.GetParent(winHandle);
    show(lbl_WindowParent, parent != 0 ? "" : "No parent window",
         parent != 0 ? Hex(parent) : std::wstring(), shown_.parent);

    if (DetailsOpen()) {
        details_->ShowWindowFacts(winHandle);
    }
}

}  // namespace tarnwick
