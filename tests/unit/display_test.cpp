// What the seven data labels show for a window.

#include <string>

#include "tests/unit/main_window_fixture.h"

namespace tarnwick {
namespace {

using namespace frmMainControls;

class DisplayDataTest : public MainWindowTest {
  protected:
    void SetUp() override { Start(); }

    struct Shown {
        std::wstring dec, hex, cls, clsTip, title, titleTip, rect, style, parent;
    };
    Shown Show(Hwnd window) {
        main->DisplayData(window);
        return {caption(lbl_WindowHandleDecimal), caption(lbl_WindowHandleHex),
                caption(lbl_WindowClass),         form().PeekToolTip(lbl_WindowClass),
                caption(lbl_WindowTitle),         form().PeekToolTip(lbl_WindowTitle),
                caption(lbl_WindowRect),          caption(lbl_WindowStyle),
                caption(lbl_WindowParent)};
    }
};

TEST_F(DisplayDataTest, NormalWindowFillsEveryLabelInOrder) {
    win32.windows[0x2A0] =
        fake::Window(L"Notepad", L"Untitled - Notepad", {10, 20, 410, 320}, 0x14CF0000, 0);
    const Shown s = Show(0x2A0);
    EXPECT_EQ(s.dec, L"Dec:  672");
    EXPECT_EQ(s.hex, L"Hex: 2A0");
    EXPECT_EQ(s.cls, L"Notepad");
    EXPECT_EQ(s.clsTip, L"Notepad");
    EXPECT_EQ(s.title, L"Untitled - Notepad");
    EXPECT_EQ(s.titleTip, L"Untitled - Notepad");
    EXPECT_EQ(s.rect, L"(10, 20)-(410, 320)");
    EXPECT_EQ(s.style, L"14CF0000");
    EXPECT_EQ(s.parent, L"No parent window");

    EXPECT_EQ(log.Matching({"SetCaption", "Get", "SetToolTip"}),
              (std::vector<std::string>{
                  "SetCaption(lbl_WindowHandleDecimal, \"Dec:  672\")",
                  "SetCaption(lbl_WindowHandleHex, \"Hex: 2A0\")",
                  "GetClassName(672, 512)",
                  "SetCaption(lbl_WindowClass, \"Notepad\")",
                  "SetToolTipText(lbl_WindowClass, \"Notepad\")",
                  "GetWindowText(672, 512)",
                  "SetCaption(lbl_WindowTitle, \"Untitled - Notepad\")",
                  "SetToolTipText(lbl_WindowTitle, \"Untitled - Notepad\")",
                  "GetWindowRect(672)",
                  "SetCaption(lbl_WindowRect, \"(10, 20)-(410, 320)\")",
                  "GetWindowLong(672, -16)",
                  "SetCaption(lbl_WindowStyle, \"14CF0000\")",
                  "GetParent(672)",
                  "SetCaption(lbl_WindowParent, \"No parent window\")",
              }));
}

TEST_F(DisplayDataTest, HandleZeroShowsEmptyDataAndNoParent) {
    const Shown s = Show(0);
    EXPECT_EQ(s.dec, L"Dec:  0");
    EXPECT_EQ(s.hex, L"Hex: 0");
    EXPECT_EQ(s.cls, L"");
    EXPECT_EQ(s.clsTip, L"");
    EXPECT_EQ(s.title, L"");
    EXPECT_EQ(s.titleTip, L"");
    EXPECT_EQ(s.rect, L"(0, 0)-(0, 0)");
    EXPECT_EQ(s.style, L"0");
    EXPECT_EQ(s.parent, L"No parent window");
}

TEST_F(DisplayDataTest, NegativeHandleHasMinusRightAfterColonAndEightHexDigits) {
    const Shown s = Show(-2147483000);
    EXPECT_EQ(s.dec, L"Dec: -2147483000");
    EXPECT_EQ(s.hex, L"Hex: 80000288");
}

TEST_F(DisplayDataTest, StyleIsHexWithoutLeadingZeros) {
    win32.windows[1] = fake::Window(L"Popup", L"", {}, static_cast<std::int32_t>(0x94C80000u), 0);
    win32.windows[2] = fake::Window(L"Frame", L"", {}, 0x06CF0000, 0);
    EXPECT_EQ(Show(1).style, L"94C80000");
    EXPECT_EQ(Show(2).style, L"6CF0000");
}

TEST_F(DisplayDataTest, LongTitleIsCutToTheQueryCapacity) {
    std::wstring title;
    for (int i = 0; i < 600; ++i) {
        title += static_cast<wchar_t>(L'a' + i % 26);
    }
    win32.windows[7] = fake::Window(L"Edit", title, {}, 0, 0);
    const Shown s = Show(7);
    EXPECT_EQ(s.title, title.substr(0, 511));
    EXPECT_EQ(s.titleTip, title.substr(0, 511));
}

TEST_F(DisplayDataTest, EmptyTitleHasEmptyTooltipEvenAfterAnotherWindow) {
    win32.windows[5] = fake::Window(L"Button", L"OK", {}, 0, 0);
    win32.windows[6] = fake::Window(L"Static", L"", {}, 0, 0);
    Show(5);
    const Shown s = Show(6);
    EXPECT_EQ(s.title, L"");
    EXPECT_EQ(s.titleTip, L"");
    EXPECT_EQ(s.cls, L"Static");
}

TEST_F(DisplayDataTest, NonLatinTextAndAmpersandsPassUnchanged) {
    win32.windows[9] =
        fake::Window(L"Fen\u00EAtre\u7A97\u53E3", L"Save && Exit \u65E5\u672C", {}, 0, 0);
    const Shown s = Show(9);
    EXPECT_EQ(s.cls, L"Fen\u00EAtre\u7A97\u53E3");
    EXPECT_EQ(s.title, L"Save && Exit \u65E5\u672C");
}

TEST_F(DisplayDataTest, ChildWindowShowsParentInHex) {
    win32.windows[0x1234] = fake::Window(L"Button", L"OK", {-4, -4, 804, 604}, 0x50010000, 0xBEEF);
    const Shown s = Show(0x1234);
    EXPECT_EQ(s.parent, L"BEEF");
    EXPECT_EQ(s.rect, L"(-4, -4)-(804, 604)");
}

TEST_F(DisplayDataTest, FailedRectangleQueryShowsZerosAfterAnotherWindow) {
    win32.windows[3] = fake::Window(L"A", L"a", {100, 200, 300, 400}, 1, 0);
    EXPECT_EQ(Show(3).rect, L"(100, 200)-(300, 400)");
    const Shown dead = Show(4);
    EXPECT_EQ(dead.rect, L"(0, 0)-(0, 0)");
    EXPECT_EQ(dead.cls, L"");
    EXPECT_EQ(dead.style, L"0");
}

TEST_F(DisplayDataTest, SameHandleTwiceQueriesTwice) {
    win32.windows[3] = fake::Window(L"A", L"a", {}, 1, 0);
    Show(3);
    Show(3);
    EXPECT_EQ(log.Count("GetClassName(3"), 2);
    EXPECT_EQ(log.Count("SetCaption(lbl_WindowParent"), 2);
}

}  // namespace
}  // namespace tarnwick
