#include "details/style_names.h"

#include <algorithm>
#include <initializer_list>
#include <span>

#include "app/number_text.h"

namespace tarnwick {

namespace {

// A name for the bits of `mask` when they hold exactly `value`: one bit (mask == value), several
// bits that must all be set (a combined name), or one value of a field of bits, 0 included.
struct StyleName {
    std::uint32_t mask;
    std::uint32_t value;
    std::wstring_view name;
};

constexpr std::uint32_t kChild = 0x40000000;

// The combined names first, then the single bits, highest first. WS_OVERLAPPEDWINDOW and the
// names of 0x20000 and 0x10000 also ask whether WS_CHILD is set.
constexpr StyleName kWindowStyles[] = {
    {kChild | 0x00CF0000, 0x00CF0000, L"WS_OVERLAPPEDWINDOW"},
    {0x80880000, 0x80880000, L"WS_POPUPWINDOW"},
    {0x00C00000, 0x00C00000, L"WS_CAPTION"},
    {0x80000000, 0x80000000, L"WS_POPUP"},
    {kChild, kChild, L"WS_CHILD"},
    {0x20000000, 0x20000000, L"WS_MINIMIZE"},
    {0x10000000, 0x10000000, L"WS_VISIBLE"},
    {0x08000000, 0x08000000, L"WS_DISABLED"},
    {0x04000000, 0x04000000, L"WS_CLIPSIBLINGS"},
    {0x02000000, 0x02000000, L"WS_CLIPCHILDREN"},
    {0x01000000, 0x01000000, L"WS_MAXIMIZE"},
    {0x00800000, 0x00800000, L"WS_BORDER"},
    {0x00400000, 0x00400000, L"WS_DLGFRAME"},
    {0x00200000, 0x00200000, L"WS_VSCROLL"},
    {0x00100000, 0x00100000, L"WS_HSCROLL"},
    {0x00080000, 0x00080000, L"WS_SYSMENU"},
    {0x00040000, 0x00040000, L"WS_THICKFRAME"},
    {kChild | 0x00020000, kChild | 0x00020000, L"WS_GROUP"},
    {kChild | 0x00020000, 0x00020000, L"WS_MINIMIZEBOX"},
    {kChild | 0x00010000, kChild | 0x00010000, L"WS_TABSTOP"},
    {kChild | 0x00010000, 0x00010000, L"WS_MAXIMIZEBOX"},
};

constexpr StyleName kButtonStyles[] = {
    {0xF, 0x0, L"BS_PUSHBUTTON"},      {0xF, 0x1, L"BS_DEFPUSHBUTTON"},
    {0xF, 0x2, L"BS_CHECKBOX"},        {0xF, 0x3, L"BS_AUTOCHECKBOX"},
    {0xF, 0x4, L"BS_RADIOBUTTON"},     {0xF, 0x5, L"BS_3STATE"},
    {0xF, 0x6, L"BS_AUTO3STATE"},      {0xF, 0x7, L"BS_GROUPBOX"},
    {0xF, 0x8, L"BS_USERBUTTON"},      {0xF, 0x9, L"BS_AUTORADIOBUTTON"},
    {0xF, 0xA, L"BS_PUSHBOX"},         {0xF, 0xB, L"BS_OWNERDRAW"},
    {0xF, 0xC, L"BS_SPLITBUTTON"},     {0xF, 0xD, L"BS_DEFSPLITBUTTON"},
    {0xF, 0xE, L"BS_COMMANDLINK"},     {0xF, 0xF, L"BS_DEFCOMMANDLINK"},
    {0x20, 0x20, L"BS_LEFTTEXT"},      {0x40, 0x40, L"BS_ICON"},
    {0x80, 0x80, L"BS_BITMAP"},        {0x300, 0x100, L"BS_LEFT"},
    {0x300, 0x200, L"BS_RIGHT"},       {0x300, 0x300, L"BS_CENTER"},
    {0xC00, 0x400, L"BS_TOP"},         {0xC00, 0x800, L"BS_BOTTOM"},
    {0xC00, 0xC00, L"BS_VCENTER"},     {0x1000, 0x1000, L"BS_PUSHLIKE"},
    {0x2000, 0x2000, L"BS_MULTILINE"}, {0x4000, 0x4000, L"BS_NOTIFY"},
    {0x8000, 0x8000, L"BS_FLAT"},
};

constexpr StyleName kEditStyles[] = {
    {0x3, 0x0, L"ES_LEFT"},
    {0x3, 0x1, L"ES_CENTER"},
    {0x3, 0x2, L"ES_RIGHT"},
    {0x4, 0x4, L"ES_MULTILINE"},
    {0x8, 0x8, L"ES_UPPERCASE"},
    {0x10, 0x10, L"ES_LOWERCASE"},
    {0x20, 0x20, L"ES_PASSWORD"},
    {0x40, 0x40, L"ES_AUTOVSCROLL"},
    {0x80, 0x80, L"ES_AUTOHSCROLL"},
    {0x100, 0x100, L"ES_NOHIDESEL"},
    {0x400, 0x400, L"ES_OEMCONVERT"},
    {0x800, 0x800, L"ES_READONLY"},
    {0x1000, 0x1000, L"ES_WANTRETURN"},
    {0x2000, 0x2000, L"ES_NUMBER"},
};

// Static types 0x13 to 0x1F have no name.
constexpr StyleName kStaticStyles[] = {
    {0x1F, 0x00, L"SS_LEFT"},
    {0x1F, 0x01, L"SS_CENTER"},
    {0x1F, 0x02, L"SS_RIGHT"},
    {0x1F, 0x03, L"SS_ICON"},
    {0x1F, 0x04, L"SS_BLACKRECT"},
    {0x1F, 0x05, L"SS_GRAYRECT"},
    {0x1F, 0x06, L"SS_WHITERECT"},
    {0x1F, 0x07, L"SS_BLACKFRAME"},
    {0x1F, 0x08, L"SS_GRAYFRAME"},
    {0x1F, 0x09, L"SS_WHITEFRAME"},
    {0x1F, 0x0A, L"SS_USERITEM"},
    {0x1F, 0x0B, L"SS_SIMPLE"},
    {0x1F, 0x0C, L"SS_LEFTNOWORDWRAP"},
    {0x1F, 0x0D, L"SS_OWNERDRAW"},
    {0x1F, 0x0E, L"SS_BITMAP"},
    {0x1F, 0x0F, L"SS_ENHMETAFILE"},
    {0x1F, 0x10, L"SS_ETCHEDHORZ"},
    {0x1F, 0x11, L"SS_ETCHEDVERT"},
    {0x1F, 0x12, L"SS_ETCHEDFRAME"},
    {0x40, 0x40, L"SS_REALSIZECONTROL"},
    {0x80, 0x80, L"SS_NOPREFIX"},
    {0x100, 0x100, L"SS_NOTIFY"},
    {0x200, 0x200, L"SS_CENTERIMAGE"},
    {0x400, 0x400, L"SS_RIGHTJUST"},
    {0x800, 0x800, L"SS_REALSIZEIMAGE"},
    {0x1000, 0x1000, L"SS_SUNKEN"},
    {0x2000, 0x2000, L"SS_EDITCONTROL"},
    {0xC000, 0x4000, L"SS_ENDELLIPSIS"},
    {0xC000, 0x8000, L"SS_PATHELLIPSIS"},
    {0xC000, 0xC000, L"SS_WORDELLIPSIS"},
};

constexpr StyleName kExtendedStyles[] = {
    {0x08000000, 0x08000000, L"WS_EX_NOACTIVATE"},
    {0x02000000, 0x02000000, L"WS_EX_COMPOSITED"},
    {0x00400000, 0x00400000, L"WS_EX_LAYOUTRTL"},
    {0x00200000, 0x00200000, L"WS_EX_NOREDIRECTIONBITMAP"},
    {0x00100000, 0x00100000, L"WS_EX_NOINHERITLAYOUT"},
    {0x00080000, 0x00080000, L"WS_EX_LAYERED"},
    {0x00040000, 0x00040000, L"WS_EX_APPWINDOW"},
    {0x00020000, 0x00020000, L"WS_EX_STATICEDGE"},
    {0x00010000, 0x00010000, L"WS_EX_CONTROLPARENT"},
    {0x4000, 0x4000, L"WS_EX_LEFTSCROLLBAR"},
    {0x2000, 0x2000, L"WS_EX_RTLREADING"},
    {0x1000, 0x1000, L"WS_EX_RIGHT"},
    {0x400, 0x400, L"WS_EX_CONTEXTHELP"},
    {0x200, 0x200, L"WS_EX_CLIENTEDGE"},
    {0x100, 0x100, L"WS_EX_WINDOWEDGE"},
    {0x80, 0x80, L"WS_EX_TOOLWINDOW"},
    {0x40, 0x40, L"WS_EX_MDICHILD"},
    {0x20, 0x20, L"WS_EX_TRANSPARENT"},
    {0x10, 0x10, L"WS_EX_ACCEPTFILES"},
    {0x8, 0x8, L"WS_EX_TOPMOST"},
    {0x4, 0x4, L"WS_EX_NOPARENTNOTIFY"},
    {0x1, 0x1, L"WS_EX_DLGMODALFRAME"},
};

constexpr StyleName kClassStyles[] = {
    {0x20000, 0x20000, L"CS_DROPSHADOW"},
    {0x10000, 0x10000, L"CS_IME"},
    {0x4000, 0x4000, L"CS_GLOBALCLASS"},
    {0x2000, 0x2000, L"CS_BYTEALIGNWINDOW"},
    {0x1000, 0x1000, L"CS_BYTEALIGNCLIENT"},
    {0x800, 0x800, L"CS_SAVEBITS"},
    {0x200, 0x200, L"CS_NOCLOSE"},
    {0x80, 0x80, L"CS_PARENTDC"},
    {0x40, 0x40, L"CS_CLASSDC"},
    {0x20, 0x20, L"CS_OWNDC"},
    {0x8, 0x8, L"CS_DBLCLKS"},
    {0x2, 0x2, L"CS_HREDRAW"},
    {0x1, 0x1, L"CS_VREDRAW"},
};

// "0x" and eight upper-case hexadecimal digits.
std::wstring FullHex(std::uint32_t value) {
    std::wstring digits = Hex(static_cast<std::int32_t>(value));
    digits.insert(0, 8 - digits.size(), L'0');
    return L"0x" + digits;
}

// The value, then the names of the tables in their order. A name applies when its bits hold its
// value and not all of them are covered by a name before it; its bits are then covered. The set
// bits left uncovered, named by no entry or part of a field whose value has no name, end the text.
std::wstring NamedBits(std::uint32_t value,
                       std::initializer_list<std::span<const StyleName>> tables) {
    std::wstring text = FullHex(value);
    std::uint32_t uncovered = 0xFFFFFFFF;
    bool named = false;
    for (const std::span<const StyleName> table : tables) {
        for (const StyleName& entry : table) {
            if ((value & entry.mask) == entry.value && (uncovered & entry.mask) != 0) {
                text.append(named ? L" | " : L" ").append(entry.name);
                uncovered &= ~entry.mask;
                named = true;
            }
        }
    }
    const std::uint32_t rest = value & uncovered;
    if (named && rest != 0) {
        text.append(L" | 0x").append(Hex(static_cast<std::int32_t>(rest)));
    }
    return text;
}

bool IsClass(std::wstring_view className, std::wstring_view standardName) {
    const auto lower = [](wchar_t c) {
        return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
    };
    return std::ranges::equal(className, standardName,
                              [&](wchar_t a, wchar_t b) { return lower(a) == lower(b); });
}

// The names of the low word for the standard controls that have them; none for other classes.
std::span<const StyleName> ControlStyles(std::wstring_view className) {
    if (IsClass(className, L"Button")) {
        return kButtonStyles;
    }
    if (IsClass(className, L"Edit")) {
        return kEditStyles;
    }
    if (IsClass(className, L"Static")) {
        return kStaticStyles;
    }
    return {};
}

}  // namespace

std::wstring StyleText(std::uint32_t style, std::wstring_view className) {
    return NamedBits(style, {kWindowStyles, ControlStyles(className)});
}

std::wstring ExtendedStyleText(std::uint32_t exStyle) {
    return NamedBits(exStyle, {kExtendedStyles});
}

std::wstring ClassStyleText(std::uint32_t classStyle) {
    return NamedBits(classStyle, {kClassStyles});
}

}  // namespace tarnwick
