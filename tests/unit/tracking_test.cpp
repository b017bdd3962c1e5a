// The tick's decision, the drag target and the two mode items.

#include "platform/mouse_messages.h"
#include "tests/unit/main_window_fixture.h"

namespace tarnwick {
namespace {

using namespace frmMainControls;

constexpr Hwnd kEditor = 0x500;
constexpr Hwnd kBrowser = 0x600;

class TrackingTest : public MainWindowTest {
  protected:
    void SetUp() override {
        win32.windows[kEditor] = fake::Window(L"Editor", L"notes.txt", {10, 20, 410, 320});
        win32.windows[kBrowser] = fake::Window(L"Browser", L"Home", {0, 0, 800, 600});
        Start();
    }
    void Tick() { form().FireTimer(Timer1); }
    int Displays() const { return log.Count("SetCaption(lbl_WindowHandleDecimal"); }
    int Repaints() const { return log.Count("InvalidateRect(0, NULL, -1)"); }
    int Frames() const { return log.Count("GetWindowDC"); }
    void Press() {
        form().FireMouseDown(img_Target);
        win32.foreground = own();
    }
};

TEST_F(TrackingTest, ForegroundWindowIsShownOnceWhileItStays) {
    win32.foreground = kEditor;
    Tick();
    EXPECT_EQ(caption(lbl_CurWindow), L"Current foreground window");
    EXPECT_EQ(caption(lbl_WindowTitle), L"notes.txt");
    EXPECT_EQ(main->lastHwnd(), kEditor);
    Tick();
    Tick();
    EXPECT_EQ(Displays(), 1);
    EXPECT_EQ(log.Count("SetCaption(lbl_CurWindow"), 3);
    EXPECT_EQ(Repaints(), 0);
    EXPECT_EQ(Frames(), 0);
}

TEST_F(TrackingTest, OwnWindowInForegroundChangesNothing) {
    win32.foreground = kEditor;
    Tick();
    log.Clear();
    win32.foreground = own();
    Tick();
    EXPECT_EQ(log.Matching({"Set", "InvalidateRect", "GetWindowDC"}).size(), 0u);
    EXPECT_EQ(main->lastHwnd(), kEditor);
}

TEST_F(TrackingTest, ForegroundModeOffChangesNothing) {
    form().FireClick(mnu_TrackForeground);
    log.Clear();
    win32.foreground = kEditor;
    Tick();
    EXPECT_EQ(log.Matching({"Set", "InvalidateRect"}).size(), 0u);
    EXPECT_EQ(caption(lbl_CurWindow), L"Current foreground window:");
}

TEST_F(TrackingTest, ForegroundHandleZeroChangesNothingOnDisplayInEitherMode) {
    win32.foreground = kEditor;
    Tick();
    log.Clear();
    win32.foreground = 0;  // the activation changing hands
    Tick();
    win32.windowUnderCursor = kBrowser;
    form().FireMouseDown(img_Target);
    Tick();
    EXPECT_EQ(log.Matching({"SetCaption", "InvalidateRect", "GetCursorPos", "GetWindowDC"}).size(),
              0u);
    EXPECT_EQ(main->lastHwnd(), kEditor);
    EXPECT_EQ(caption(lbl_WindowTitle), L"notes.txt");
}

TEST_F(TrackingTest, DragOverAPointWithoutAWindowShowsHandleZero) {
    win32.windowUnderCursor = kEditor;
    Press();
    Tick();
    win32.windowUnderCursor = 0;
    Tick();
    EXPECT_EQ(main->lastHwnd(), 0);
    EXPECT_EQ(caption(lbl_WindowHandleDecimal), L"Dec:  0");
    EXPECT_EQ(caption(lbl_WindowParent), L"No parent window");
}

TEST_F(TrackingTest, EveryPressStartsADragTheSecondOfAQuickPairToo) {
    win32.windowUnderCursor = kEditor;
    form().FirePressMessage(img_Target, kWmLButtonDown);
    win32.foreground = own();
    Tick();
    form().FireMouseUp(img_Target);
    win32.windowUnderCursor = kBrowser;
    form().FirePressMessage(img_Target, kWmLButtonDblClk);
    EXPECT_EQ(main->dragging(), 1);
    EXPECT_EQ(form().PeekMousePointer(img_Target), kMousePointerCustom);
    Tick();
    EXPECT_EQ(caption(lbl_WindowTitle), L"Home");
    form().FireMouseUp(img_Target);
    for (const std::uint32_t press : {kWmRButtonDblClk, kWmMButtonDblClk}) {
        form().FirePressMessage(img_Target, press);
        EXPECT_EQ(main->dragging(), 1);
        form().FireMouseUp(img_Target);
    }
}

TEST_F(TrackingTest, HoldingStillFramesOnceOnTheSecondTick) {
    win32.windowUnderCursor = kEditor;
    Press();
    EXPECT_EQ(form().PeekMousePointer(img_Target), kMousePointerCustom);
    Tick();
    EXPECT_EQ(caption(lbl_CurWindow), L"Window under target");
    EXPECT_EQ(Displays(), 1);
    EXPECT_EQ(Repaints(), 1);
    EXPECT_EQ(Frames(), 0);
    Tick();
    EXPECT_EQ(Frames(), 1);
    EXPECT_EQ(main->borderDrawn(), 1);
    Tick();
    Tick();
    EXPECT_EQ(Frames(), 1);
    EXPECT_EQ(Displays(), 1);
    EXPECT_EQ(log.Count("SetCaption(lbl_CurWindow, \"Window under target\")"), 4);
}

TEST_F(TrackingTest, NewTargetIsShownThenRepaintedThenRecorded) {
    win32.windowUnderCursor = kEditor;
    win32.cursor = {30, 40};
    Press();
    log.Clear();
    Tick();
    EXPECT_EQ(log.Matching({"GetCursorPos", "WindowFromPoint", "SetCaption(lbl_WindowHandleDec",
                            "SetCaption(lbl_WindowParent", "InvalidateRect"}),
              (std::vector<std::string>{"GetCursorPos()", "WindowFromPoint(30, 40)",
                                        "SetCaption(lbl_WindowHandleDecimal, \"Dec:  1280\")",
                                        "SetCaption(lbl_WindowParent, \"No parent window\")",
                                        "InvalidateRect(0, NULL, -1)"}));
    EXPECT_EQ(main->lastHwnd(), kEditor);
    EXPECT_EQ(main->borderDrawn(), 0);
}

TEST_F(TrackingTest, PointerOnANewWindowEveryTickNeverFrames) {
    Press();
    for (int i = 0; i < 6; ++i) {
        win32.windowUnderCursor = i % 2 == 0 ? kEditor : kBrowser;
        Tick();
    }
    EXPECT_EQ(Displays(), 6);
    EXPECT_EQ(Repaints(), 6);
    EXPECT_EQ(Frames(), 0);
}

TEST_F(TrackingTest, ReleaseWipesTheFrameAndKeepsTheData) {
    win32.windowUnderCursor = kEditor;
    Press();
    Tick();
    Tick();
    log.Clear();
    form().FireMouseUp(img_Target);
    EXPECT_EQ(log.Matching({"SetMousePointer", "InvalidateRect"}),
              (std::vector<std::string>{"SetMousePointer(img_Target, 0)",
                                        "InvalidateRect(0, NULL, -1)"}));
    EXPECT_EQ(main->dragging(), 0);
    Tick();  // own window still in front: nothing changes
    EXPECT_EQ(caption(lbl_CurWindow), L"Window under target");
    EXPECT_EQ(caption(lbl_WindowTitle), L"notes.txt");
    EXPECT_EQ(main->lastHwnd(), kEditor);
}

TEST_F(TrackingTest, DragOverTheWindowAlreadyFramedShowsNothingNew) {
    win32.windowUnderCursor = kEditor;
    Press();
    Tick();
    Tick();  // framed
    form().FireMouseUp(img_Target);
    log.Clear();
    Press();
    Tick();
    Tick();
    EXPECT_EQ(Displays(), 0);
    EXPECT_EQ(Frames(), 0);
}

TEST_F(TrackingTest, DragOverTheWindowShownButNotFramedFramesAtOnce) {
    win32.windowUnderCursor = kEditor;
    Press();
    Tick();  // shown, frame pending
    form().FireMouseUp(img_Target);
    log.Clear();
    Press();
    Tick();
    EXPECT_EQ(Displays(), 0);
    EXPECT_EQ(Frames(), 1);
}

TEST_F(TrackingTest, DraggedWindowThatComesToTheFrontOnlyChangesTheHeading) {
    win32.windowUnderCursor = kEditor;
    Press();
    Tick();
    form().FireMouseUp(img_Target);
    log.Clear();
    win32.foreground = kEditor;
    Tick();
    EXPECT_EQ(caption(lbl_CurWindow), L"Current foreground window");
    EXPECT_EQ(Displays(), 0);
}

TEST_F(TrackingTest, DragWhileAnotherWindowIsInFrontFollowsTheForeground) {
    win32.windowUnderCursor = kEditor;
    form().FireMouseDown(img_Target);
    win32.foreground = kBrowser;
    Tick();
    EXPECT_EQ(caption(lbl_CurWindow), L"Current foreground window");
    EXPECT_EQ(main->lastHwnd(), kBrowser);
    EXPECT_EQ(log.Count("GetCursorPos"), 0);
}

struct ToggleCase {
    bool foreground, target;
    ControlId clicked;
    bool foregroundAfter, targetAfter;
};

class ToggleTest : public MainWindowTest, public testing::WithParamInterface<ToggleCase> {};

TEST_P(ToggleTest, KeepsAtLeastOneModeAndTheTargetFollowsItsItem) {
    const ToggleCase c = GetParam();
    win32.ini[L"general/trackforeground"] = c.foreground ? L"1" : L"0";
    win32.ini[L"general/tracktarget"] = c.target ? L"1" : L"0";
    Start();
    form().FireClick(c.clicked);
    EXPECT_EQ(form().PeekChecked(mnu_TrackForeground), c.foregroundAfter);
    EXPECT_EQ(form().PeekChecked(mnu_TrackTarget), c.targetAfter);
    EXPECT_EQ(form().PeekVisible(img_Target), c.targetAfter);
    EXPECT_EQ(log.Matching({"SetCaption", "InvalidateRect"}).size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(BothItems, ToggleTest,
                         testing::Values(ToggleCase{true, true, mnu_TrackForeground, false, true},
                                         ToggleCase{true, false, mnu_TrackForeground, false, true},
                                         ToggleCase{false, true, mnu_TrackForeground, true, true},
                                         ToggleCase{false, false, mnu_TrackForeground, true, true},
                                         ToggleCase{true, true, mnu_TrackTarget, true, false},
                                         ToggleCase{true, false, mnu_TrackTarget, true, true},
                                         ToggleCase{false, true, mnu_TrackTarget, true, false},
                                         ToggleCase{false, false, mnu_TrackTarget, true, true}));

}  // namespace
}  // namespace tarnwick
