// The style bits told by name: combined names before the bits they cover, the names that depend
// on WS_CHILD, the standard controls' low words with their fields, and the bits no name covers.

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

#include "details/style_names.h"

namespace tarnwick {
namespace {

struct StyleCase {
    std::uint32_t style;
    std::wstring_view className;
    std::wstring_view expected;
};

TEST(StyleNamesTest, WindowStyles) {
    const StyleCase cases[] = {
        {0x14CF0000, L"Notepad", L"0x14CF0000 WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPSIBLINGS"},
        {0x00000000, L"Notepad", L"0x00000000"},
        // A combined name is listed for a bit the names before it leave, WS_CAPTION here for
        // WS_DLGFRAME; a child is no overlapped window, and its 0x30000 are group and tab stop.
        {0xFFFF0000, L"Foo",
         L"0xFFFF0000 WS_POPUPWINDOW | WS_CAPTION | WS_CHILD | WS_MINIMIZE | WS_VISIBLE | "
         L"WS_DISABLED | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_MAXIMIZE | WS_VSCROLL | "
         L"WS_HSCROLL | WS_THICKFRAME | WS_GROUP | WS_TABSTOP"},
        {0x80C80000, L"#32768", L"0x80C80000 WS_POPUPWINDOW | WS_CAPTION"},
        {0x80CF0000, L"Foo", L"0x80CF0000 WS_OVERLAPPEDWINDOW | WS_POPUPWINDOW"},
        {0x00820000, L"Foo", L"0x00820000 WS_BORDER | WS_MINIMIZEBOX"},
        {0x40CF0000, L"Foo",
         L"0x40CF0000 WS_CAPTION | WS_CHILD | WS_SYSMENU | WS_THICKFRAME | WS_GROUP | WS_TABSTOP"},
        // Other classes' low words have no names.
        {0x50200003, L"ComboBox", L"0x50200003 WS_CHILD | WS_VISIBLE | WS_VSCROLL | 0x3"},
        {0x0000FFFF, L"Buttons", L"0x0000FFFF"},
        {0x00000004, L"Edi", L"0x00000004"},
        // The controls' types by name even when 0, in any case of the class name.
        {0x50010000, L"bUtToN", L"0x50010000 WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON"},
        {0x0000FFFF, L"Button",
         L"0x0000FFFF BS_DEFCOMMANDLINK | BS_LEFTTEXT | BS_ICON | BS_BITMAP | BS_CENTER | "
         L"BS_VCENTER | BS_PUSHLIKE | BS_MULTILINE | BS_NOTIFY | BS_FLAT | 0x10"},
        {0x00000609, L"BUTTON", L"0x00000609 BS_AUTORADIOBUTTON | BS_RIGHT | BS_TOP"},
        {0x00000204, L"edit", L"0x00000204 ES_LEFT | ES_MULTILINE | 0x200"},
        {0x00003FFA, L"Edit",
         L"0x00003FFA ES_RIGHT | ES_UPPERCASE | ES_LOWERCASE | ES_PASSWORD | ES_AUTOVSCROLL | "
         L"ES_AUTOHSCROLL | ES_NOHIDESEL | ES_OEMCONVERT | ES_READONLY | ES_WANTRETURN | "
         L"ES_NUMBER | 0x200"},
        // A field value without a name leaves its bits to the rest.
        {0x00000003, L"Edit", L"0x00000003"},
        {0x00000013, L"Static", L"0x00000013"},
        {0x0000101E, L"Static", L"0x0000101E SS_SUNKEN | 0x1E"},
        {0x5000C012, L"Static",
         L"0x5000C012 WS_CHILD | WS_VISIBLE | SS_ETCHEDFRAME | "
         L"SS_WORDELLIPSIS"},
        {0x00004FE0, L"static",
         L"0x00004FE0 SS_LEFT | SS_REALSIZECONTROL | SS_NOPREFIX | SS_NOTIFY | SS_CENTERIMAGE | "
         L"SS_RIGHTJUST | SS_REALSIZEIMAGE | SS_ENDELLIPSIS | 0x20"},
    };
    for (const StyleCase& c : cases) {
        EXPECT_EQ(StyleText(c.style, c.className), c.expected) << std::hex << c.style;
    }
}

TEST(StyleNamesTest, ExtendedAndClassStyles) {
    EXPECT_EQ(ExtendedStyleText(0), L"0x00000000");
    EXPECT_EQ(ExtendedStyleText(0x00000300), L"0x00000300 WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE");
    EXPECT_EQ(ExtendedStyleText(0xFFFFFFFF),
              L"0xFFFFFFFF WS_EX_NOACTIVATE | WS_EX_COMPOSITED | WS_EX_LAYOUTRTL | "
              L"WS_EX_NOREDIRECTIONBITMAP | WS_EX_NOINHERITLAYOUT | WS_EX_LAYERED | "
              L"WS_EX_APPWINDOW | WS_EX_STATICEDGE | WS_EX_CONTROLPARENT | WS_EX_LEFTSCROLLBAR | "
              L"WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_CONTEXTHELP | WS_EX_CLIENTEDGE | "
              L"WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_MDICHILD | WS_EX_TRANSPARENT | "
              L"WS_EX_ACCEPTFILES | WS_EX_TOPMOST | WS_EX_NOPARENTNOTIFY | WS_EX_DLGMODALFRAME | "
              L"0xF5808802");
    EXPECT_EQ(ClassStyleText(0x00000004), L"0x00000004");
    EXPECT_EQ(ClassStyleText(0x00000108), L"0x00000108 CS_DBLCLKS | 0x100");
    EXPECT_EQ(ClassStyleText(0xFFFFFFFF),
              L"0xFFFFFFFF CS_DROPSHADOW | CS_IME | CS_GLOBALCLASS | CS_BYTEALIGNWINDOW | "
              L"CS_BYTEALIGNCLIENT | CS_SAVEBITS | CS_NOCLOSE | CS_PARENTDC | CS_CLASSDC | "
              L"CS_OWNDC | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | 0xFFFC8514");
}

}  // namespace
}  // namespace tarnwick
