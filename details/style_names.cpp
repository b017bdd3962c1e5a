#include "details/style_names.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <span>
#include <string_view>

#include "app/number_text.h"
#include "platform/ascii_text.h"

namespace tarnwick {

namespace {

// A name for the bits of `mask` when they hold exactly `value`: one bit (mask == value), several
// bits that must all be set (a combined name), or one value of a field of bits, 0 included.
// The tables below are read at compile time only; the program keeps them packed (see Pack).
struct StyleName {
    std::uint32_t mask;
    std::uint32_t value;
    const char* name;
};

constexpr std::uint32_t kChild = 0x40000000;

// The combined names first, then the single bits, highest first. WS_OVERLAPPEDWINDOW and the
// names of 0x20000 and 0x10000 also ask whether WS_CHILD is set.
constexpr StyleName kWindowStyles[] = {
    {kChild | 0x00CF0000, 0x00CF0000, "WS_OVERLAPPEDWINDOW"},
    {0x80880000, 0x80880000, "WS_POPUPWINDOW"},
    {0x00C00000, 0x00C00000, "WS_CAPTION"},
    {0x80000000, 0x80000000, "WS_POPUP"},
    {kChild, kChild, "WS_CHILD"},
    {0x20000000, 0x20000000, "WS_MINIMIZE"},
    {0x10000000, 0x10000000, "WS_VISIBLE"},
    {0x08000000, 0x08000000, "WS_DISABLED"},
    {0x04000000, 0x04000000, "WS_CLIPSIBLINGS"},
    {0x02000000, 0x02000000, "WS_CLIPCHILDREN"},
    {0x01000000, 0x01000000, "WS_MAXIMIZE"},
    {0x00800000, 0x00800000, "WS_BORDER"},
    {0x00400000, 0x00400000, "WS_DLGFRAME"},
    {0x00200000, 0x00200000, "WS_VSCROLL"},
    {0x00100000, 0x00100000, "WS_HSCROLL"},
    {0x00080000, 0x00080000, "WS_SYSMENU"},
    {0x00040000, 0x00040000, "WS_THICKFRAME"},
    {kChild | 0x00020000, kChild | 0x00020000, "WS_GROUP"},
    {kChild | 0x00020000, 0x00020000, "WS_MINIMIZEBOX"},
    {kChild | 0x00010000, kChild | 0x00010000, "WS_TABSTOP"},
    {kChild | 0x00010000, 0x00010000, "WS_MAXIMIZEBOX"},
};

constexpr StyleName kButtonStyles[] = {
    {0xF, 0x0, "BS_PUSHBUTTON"},      {0xF, 0x1, "BS_DEFPUSHBUTTON"},
    {0xF, 0x2, "BS_CHECKBOX"},        {0xF, 0x3, "BS_AUTOCHECKBOX"},
    {0xF, 0x4, "BS_RADIOBUTTON"},     {0xF, 0x5, "BS_3STATE"},
    {0xF, 0x6, "BS_AUTO3STATE"},      {0xF, 0x7, "BS_GROUPBOX"},
    {0xF, 0x8, "BS_USERBUTTON"},      {0xF, 0x9, "BS_AUTORADIOBUTTON"},
    {0xF, 0xA, "BS_PUSHBOX"},         {0xF, 0xB, "BS_OWNERDRAW"},
    {0xF, 0xC, "BS_SPLITBUTTON"},     {0xF, 0xD, "BS_DEFSPLITBUTTON"},
    {0xF, 0xE, "BS_COMMANDLINK"},     {0xF, 0xF, "BS_DEFCOMMANDLINK"},
    {0x20, 0x20, "BS_LEFTTEXT"},      {0x40, 0x40, "BS_ICON"},
    {0x80, 0x80, "BS_BITMAP"},        {0x300, 0x100, "BS_LEFT"},
    {0x300, 0x200, "BS_RIGHT"},       {0x300, 0x300, "BS_CENTER"},
    {0xC00, 0x400, "BS_TOP"},         {0xC00, 0x800, "BS_BOTTOM"},
    {0xC00, 0xC00, "BS_VCENTER"},     {0x1000, 0x1000, "BS_PUSHLIKE"},
    {0x2000, 0x2000, "BS_MULTILINE"}, {0x4000, 0x4000, "BS_NOTIFY"},
    {0x8000, 0x8000, "BS_FLAT"},
};

constexpr StyleName kEditStyles[] = {
    {0x3, 0x0, "ES_LEFT"},
    {0x3, 0x1, "ES_CENTER"},
    {0x3, 0x2, "ES_RIGHT"},
    {0x4, 0x4, "ES_MULTILINE"},
    {0x8, 0x8, "ES_UPPERCASE"},
    {0x10, 0x10, "ES_LOWERCASE"},
    {0x20, 0x20, "ES_PASSWORD"},
    {0x40, 0x40, "ES_AUTOVSCROLL"},
    {0x80, 0x80, "ES_AUTOHSCROLL"},
    {0x100, 0x100, "ES_NOHIDESEL"},
    {0x400, 0x400, "ES_OEMCONVERT"},
    {0x800, 0x800, "ES_READONLY"},
    {0x1000, 0x1000, "ES_WANTRETURN"},
    {0x2000, 0x2000, "ES_NUMBER"},
};

// Static types 0x13 to 0x1F have no name.
constexpr StyleName kStaticStyles[] = {
    {0x1F, 0x00, "SS_LEFT"},
    {0x1F, 0x01, "SS_CENTER"},
    {0x1F, 0x02, "SS_RIGHT"},
    {0x1F, 0x03, "SS_ICON"},
    {0x1F, 0x04, "SS_BLACKRECT"},
    {0x1F, 0x05, "SS_GRAYRECT"},
    {0x1F, 0x06, "SS_WHITERECT"},
    {0x1F, 0x07, "SS_BLACKFRAME"},
    {0x1F, 0x08, "SS_GRAYFRAME"},
    {0x1F, 0x09, "SS_WHITEFRAME"},
    {0x1F, 0x0A, "SS_USERITEM"},
    {0x1F, 0x0B, "SS_SIMPLE"},
    {0x1F, 0x0C, "SS_LEFTNOWORDWRAP"},
    {0x1F, 0x0D, "SS_OWNERDRAW"},
    {0x1F, 0x0E, "SS_BITMAP"},
    {0x1F, 0x0F, "SS_ENHMETAFILE"},
    {0x1F, 0x10, "SS_ETCHEDHORZ"},
    {0x1F, 0x11, "SS_ETCHEDVERT"},
    {0x1F, 0x12, "SS_ETCHEDFRAME"},
    {0x40, 0x40, "SS_REALSIZECONTROL"},
    {0x80, 0x80, "SS_NOPREFIX"},
    {0x100, 0x100, "SS_NOTIFY"},
    {0x200, 0x200, "SS_CENTERIMAGE"},
    {0x400, 0x400, "SS_RIGHTJUST"},
    {0x800, 0x800, "SS_REALSIZEIMAGE"},
    {0x1000, 0x1000, "SS_SUNKEN"},
    {0x2000, 0x2000, "SS_EDITCONTROL"},
    {0xC000, 0x4000, "SS_ENDELLIPSIS"},
    {0xC000, 0x8000, "SS_PATHELLIPSIS"},
    {0xC000, 0xC000, "SS_WORDELLIPSIS"},
};

constexpr StyleName kExtendedStyles[] = {
    {0x08000000, 0x08000000, "WS_EX_NOACTIVATE"},
    {0x02000000, 0x02000000, "WS_EX_COMPOSITED"},
    {0x00400000, 0x00400000, "WS_EX_LAYOUTRTL"},
    {0x00200000, 0x00200000, "WS_EX_NOREDIRECTIONBITMAP"},
    {0x00100000, 0x00100000, "WS_EX_NOINHERITLAYOUT"},
    {0x00080000, 0x00080000, "WS_EX_LAYERED"},
    {0x00040000, 0x00040000, "WS_EX_APPWINDOW"},
    {0x00020000, 0x00020000, "WS_EX_STATICEDGE"},
    {0x00010000, 0x00010000, "WS_EX_CONTROLPARENT"},
    {0x4000, 0x4000, "WS_EX_LEFTSCROLLBAR"},
    {0x2000, 0x2000, "WS_EX_RTLREADING"},
    {0x1000, 0x1000, "WS_EX_RIGHT"},
    {0x400, 0x400, "WS_EX_CONTEXTHELP"},
    {0x200, 0x200, "WS_EX_CLIENTEDGE"},
    {0x100, 0x100, "WS_EX_WINDOWEDGE"},
    {0x80, 0x80, "WS_EX_TOOLWINDOW"},
    {0x40, 0x40, "WS_EX_MDICHILD"},
    {0x20, 0x20, "WS_EX_TRANSPARENT"},
    {0x10, 0x10, "WS_EX_ACCEPTFILES"},
    {0x8, 0x8, "WS_EX_TOPMOST"},
    {0x4, 0x4, "WS_EX_NOPARENTNOTIFY"},
    {0x1, 0x1, "WS_EX_DLGMODALFRAME"},
};

constexpr StyleName kClassStyles[] = {
    {0x20000, 0x20000, "CS_DROPSHADOW"},
    {0x10000, 0x10000, "CS_IME"},
    {0x4000, 0x4000, "CS_GLOBALCLASS"},
    {0x2000, 0x2000, "CS_BYTEALIGNWINDOW"},
    {0x1000, 0x1000, "CS_BYTEALIGNCLIENT"},
    {0x800, 0x800, "CS_SAVEBITS"},
    {0x200, 0x200, "CS_NOCLOSE"},
    {0x80, 0x80, "CS_PARENTDC"},
    {0x40, 0x40, "CS_CLASSDC"},
    {0x20, 0x20, "CS_OWNDC"},
    {0x8, 0x8, "CS_DBLCLKS"},
    {0x2, 0x2, "CS_HREDRAW"},
    {0x1, 0x1, "CS_VREDRAW"},
};

// The bits of a name, as the program keeps them.
struct StyleBits {
    std::uint32_t mask;
    std::uint32_t value;
};

// A table as the program keeps it: the prefix all its names share ("WS_EX_"), the bits of each
// name, then the names without that prefix, each ended by '\0', in the table's order. Plain ASCII
// and no pointer per name: wide texts would be twice the size, and a pointer with its relocation
// weighs as much as a short name.
template <std::size_t PrefixLength, std::size_t Count, std::size_t Characters>
struct PackedStyles {
    char prefix[PrefixLength + 1];
    StyleBits bits[Count];
    char names[Characters];
};

// The length of the prefix all the table's names share, up to its last '_'.
template <std::size_t Count>
constexpr std::size_t SharedPrefixLength(const StyleName (&table)[Count]) {
    const std::string_view first = table[0].name;
    std::size_t length = first.size();
    for (const StyleName& entry : table) {
        const std::string_view name = entry.name;
        std::size_t same = 0;
        while (same < length && same < name.size() && name[same] == first[same]) {
            ++same;
        }
        length = same;
    }
    const std::size_t lastUnderscore = first.substr(0, length).rfind('_');
    return lastUnderscore == std::string_view::npos ? 0 : lastUnderscore + 1;
}

template <std::size_t Count>
constexpr std::size_t PackedCharacters(const StyleName (&table)[Count]) {
    const std::size_t prefixLength = SharedPrefixLength(table);
    std::size_t characters = 0;
    for (const StyleName& entry : table) {
        characters += std::string_view(entry.name).size() - prefixLength + 1;
    }
    return characters;
}

template <const auto& table>
constexpr auto Pack() {
    constexpr std::size_t prefixLength = SharedPrefixLength(table);
    PackedStyles<prefixLength, std::size(table), PackedCharacters(table)> packed{};
    std::string_view(table[0].name).copy(packed.prefix, prefixLength);
    std::size_t at = 0;
    for (std::size_t i = 0; i < std::size(table); ++i) {
        packed.bits[i] = {table[i].mask, table[i].value};
        const std::string_view name = std::string_view(table[i].name).substr(prefixLength);
        at += name.copy(packed.names + at, name.size());
        packed.names[at++] = '\0';
    }
    return packed;
}

constexpr auto kWindowPacked = Pack<kWindowStyles>();
constexpr auto kButtonPacked = Pack<kButtonStyles>();
constexpr auto kEditPacked = Pack<kEditStyles>();
constexpr auto kStaticPacked = Pack<kStaticStyles>();
constexpr auto kExtendedPacked = Pack<kExtendedStyles>();
constexpr auto kClassPacked = Pack<kClassStyles>();

// One packed table, whatever its sizes.
struct StyleTable {
    const char* prefix;
    std::span<const StyleBits> bits;
    const char* names;
};

template <std::size_t PrefixLength, std::size_t Count, std::size_t Characters>
constexpr StyleTable TableOf(const PackedStyles<PrefixLength, Count, Characters>& packed) {
    return {packed.prefix, packed.bits, packed.names};
}

constexpr StyleTable kWindowTable = TableOf(kWindowPacked);
constexpr StyleTable kButtonTable = TableOf(kButtonPacked);
constexpr StyleTable kEditTable = TableOf(kEditPacked);
constexpr StyleTable kStaticTable = TableOf(kStaticPacked);
constexpr StyleTable kExtendedTable = TableOf(kExtendedPacked);
constexpr StyleTable kClassTable = TableOf(kClassPacked);
constexpr StyleTable kNoTable = {"", {}, ""};

// "0x" and eight upper-case hexadecimal digits.
std::wstring FullHex(std::uint32_t value) {
    std::wstring digits = Hex(static_cast<std::int32_t>(value));
    digits.insert(0, 8 - digits.size(), L'0');
    digits.insert(0, L"0x");
    return digits;
}

// The value, then the names of the tables in their order. A name applies when its bits hold its
// value and not all of them are covered by a name before it; its bits are then covered. The set
// bits left uncovered, named by no entry or part of a field whose value has no name, end the text.
std::wstring NamedBits(std::uint32_t value, std::initializer_list<const StyleTable*> tables) {
    std::wstring text = FullHex(value);
    std::uint32_t uncovered = 0xFFFFFFFF;
    bool named = false;
    for (const StyleTable* table : tables) {
        const char* name = table->names;
        for (const StyleBits& entry : table->bits) {
            if ((value & entry.mask) == entry.value && (uncovered & entry.mask) != 0) {
                AppendAscii(text, named ? " | " : " ");
                AppendAscii(text, table->prefix);
                AppendAscii(text, name);
                uncovered &= ~entry.mask;
                named = true;
            }
            name += std::char_traits<char>::length(name) + 1;
        }
    }
    const std::uint32_t rest = value & uncovered;
    if (named && rest != 0) {
        AppendAscii(text, " | 0x");
        text.append(Hex(static_cast<std::int32_t>(rest)));
    }
    return text;
}

// The names of the low word for the standard controls that have them; none for other classes.
const StyleTable* ControlStyles(std::wstring_view className) {
    static constexpr struct {
        const char* name;
        const StyleTable* table;
    } kControls[] = {{"button", &kButtonTable}, {"edit", &kEditTable}, {"static", &kStaticTable}};
    // The class names compare without regard to case.
    const auto lower = [](wchar_t c) {
        return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
    };
    for (const auto& control : kControls) {
        const std::string_view name = control.name;
        if (std::ranges::equal(className, name, [&](wchar_t a, char b) {
                return lower(a) == static_cast<wchar_t>(b);
            })) {
            return control.table;
        }
    }
    return &kNoTable;
}

}  // namespace

std::wstring StyleText(std::uint32_t style, std::wstring_view className) {
    return NamedBits(style, {&kWindowTable, ControlStyles(className)});
}

std::wstring ExtendedStyleText(std::uint32_t exStyle) {
    return NamedBits(exStyle, {&kExtendedTable});
}

std::wstring ClassStyleText(std::uint32_t classStyle) {
    return NamedBits(classStyle, {&kClassTable});
}

}  // namespace tarnwick
