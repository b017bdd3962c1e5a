// Placement of forms: keeping them on the screen, centring, saving and restoring, topmost.

#include <gtest/gtest.h>

#include "app/settings.h"
#include "main_window/frmMain_controls.h"
#include "placement/modPosition.h"
#include "tests/fake/fake_toolkit.h"
#include "tests/fake/fake_win32.h"
#include "tests/fake/fake_window_queries.h"

namespace tarnwick {
namespace {

struct NoEvents final : FormEvents {
    void Load() override {}
};

class PlacementTest : public testing::Test {
  protected:
    fake::CallLog log;
    fake::FakeWin32 win32{log};
    fake::FakeApplication app{log};
    fake::FakeWindowQueries queries{log, win32};
    Platform platform{app, win32, queries};
    NoEvents events;
    std::unique_ptr<Form> created = app.CreateForm(MainFormDesign(), events);
    fake::FakeForm& form = app.form("frmMain");

    void SetUp() override { g_IniFile = L"C:\\Tools\\Tarnwick.ini"; }

    void Place(float left, float top, float width, float height) {
        form.Set(kThisForm, Dim::Left, left);
        form.Set(kThisForm, Dim::Top, top);
        form.Set(kThisForm, Dim::Width, width);
        form.Set(kThisForm, Dim::Height, height);
    }
    float Left() const { return form.Peek(kThisForm, Dim::Left); }
    float Top() const { return form.Peek(kThisForm, Dim::Top); }
    void Keep() { modPosition::KeepFormOnScreen(form, platform); }
};

TEST_F(PlacementTest, FarEdgesArePulledIntoTheWorkArea) {
    Place(15000, 10500, 900, 1200);  // band 15360 x 11070 at 15 twips per pixel
    Keep();
    EXPECT_EQ(Left(), 14460);
    EXPECT_EQ(Top(), 9870);
}

TEST_F(PlacementTest, EdgeExactlyOnTheLimitStays) {
    Place(14460, 9870, 900, 1200);
    Keep();
    EXPECT_EQ(Left(), 14460);
    EXPECT_EQ(Top(), 9870);
}

TEST_F(PlacementTest, NegativePositionsGoToZero) {
    Place(-15, -300, 900, 1200);
    Keep();
    EXPECT_EQ(Left(), 0);
    EXPECT_EQ(Top(), 0);
}

TEST_F(PlacementTest, TaskbarAtTheTopPullsInOnlyTheBottomLimit) {
    win32.workArea = {0, 28, 1024, 768};
    Place(100, 0, 900, 1200);
    Keep();
    EXPECT_EQ(Top(), 0);
    Place(100, 10500, 900, 1200);
    Keep();
    EXPECT_EQ(Top(), 11100 - 1200);
}

TEST_F(PlacementTest, FormWiderThanTheWorkAreaEndsWithANegativeLeft) {
    Place(100, 0, 16000, 1200);
    Keep();
    EXPECT_EQ(Left(), 15360 - 16000);
}

TEST_F(PlacementTest, TwipsPerPixelFollowTheScreenOnEachAxis) {
    app.screenWidth = 12288;  // 12 twips per pixel across, 15 down
    Place(12000, 10500, 900, 1200);
    Keep();
    EXPECT_EQ(Left(), 12288 - 900);
    EXPECT_EQ(Top(), 9870);
}

TEST_F(PlacementTest, HalfwayTwipsPerPixelRoundToEven) {
    win32.screenPixelsX = 1000;
    win32.workArea = {0, 0, 1000, 738};
    app.screenWidth = 12500;  // 12.5 -> 12
    Place(12000, 0, 900, 1200);
    Keep();
    EXPECT_EQ(Left(), 12000 - 900);
    app.screenWidth = 13500;  // 13.5 -> 14
    Place(14000, 0, 900, 1200);
    Keep();
    EXPECT_EQ(Left(), 14000 - 900);
}

TEST_F(PlacementTest, ScreenMetricOfZeroLeavesTheFarEdgesUnclamped) {
    win32.screenPixelsX = 0;
    Place(-15, 99999, 900, 1200);
    Keep();
    EXPECT_EQ(Left(), 0);
    EXPECT_EQ(Top(), 99999);
}

TEST_F(PlacementTest, WorkAreaBeyondThirtyTwoBitsLeavesTheFarEdgesUnclamped) {
    win32.workArea = {0, 0, 200000000, 738};
    Place(99999, -5, 900, 1200);
    Keep();
    EXPECT_EQ(Left(), 99999);
    EXPECT_EQ(Top(), 0);
}

TEST_F(PlacementTest, CentresOnTheWholeScreen) {
    Place(0, 0, 3600, 2400);
    modPosition::CenterForm(form, platform);
    EXPECT_EQ(Top(), 4560);
    EXPECT_EQ(Left(), 5880);
    Place(0, 0, 3601, 20000);
    modPosition::CenterForm(form, platform);
    EXPECT_EQ(Left(), 5879.5f);
    EXPECT_EQ(Top(), -4240);
}

TEST_F(PlacementTest, SavesFiveKeysInOrderWithBlankBeforeNonNegativeNumbers) {
    Place(900, 450, 3600, 2400);
    log.Clear();
    modPosition::SaveFormPosition(form, platform, L"Position");
    EXPECT_EQ(log.Matching({"WritePrivateProfileString"}),
              (std::vector<std::string>{
                  "WritePrivateProfileString(Position, left, \" 900\", C:\\Tools\\Tarnwick.ini)",
                  "WritePrivateProfileString(Position, top, \" 450\", C:\\Tools\\Tarnwick.ini)",
                  "WritePrivateProfileString(Position, width, \" 3600\", C:\\Tools\\Tarnwick.ini)",
                  "WritePrivateProfileString(Position, height, \" 2400\", C:\\Tools\\Tarnwick.ini)",
                  "WritePrivateProfileString(Position, windowstate, \" 0\", "
                  "C:\\Tools\\Tarnwick.ini)",
              }));
}

TEST_F(PlacementTest, SavedNumbersKeepSignAndFractionWithAFullStop) {
    Place(-60, 3761.25f, 3600, 2400);
    form.windowState = 2;
    modPosition::SaveFormPosition(form, platform, L"Position");
    EXPECT_EQ(win32.IniValue(L"Position", L"left"), L"-60");
    EXPECT_EQ(win32.IniValue(L"Position", L"top"), L" 3761.25");
    EXPECT_EQ(win32.IniValue(L"Position", L"windowstate"), L" 2");
}

TEST_F(PlacementTest, RestoreUsesTheSavedPlaceButNeverTheSavedSize) {
    win32.ini[L"position/left"] = L" 900";
    win32.ini[L"position/top"] = L" 450";
    win32.ini[L"position/width"] = L" 1";
    win32.ini[L"position/height"] = L" 9999";
    Place(0, 0, 3600, 2400);
    modPosition::RestoreFormPosition(form, platform, L"Position");
    EXPECT_EQ(Left(), 900);
    EXPECT_EQ(Top(), 450);
    EXPECT_EQ(form.Peek(kThisForm, Dim::Width), 3600);
    EXPECT_TRUE(form.shown());
}

TEST_F(PlacementTest, RestoreWithAWidthButNoLeftOrTopStartsAtZero) {
    win32.ini[L"position/width"] = L" 3600";
    Place(500, 500, 3600, 2400);
    modPosition::RestoreFormPosition(form, platform, L"Position");
    EXPECT_EQ(Left(), 0);
    EXPECT_EQ(Top(), 0);
}

TEST_F(PlacementTest, RestoreBeyondTheWorkAreaPullsTheRightEdgeOntoIt) {
    win32.ini[L"position/left"] = L" 20000";
    win32.ini[L"position/top"] = L" 450";
    win32.ini[L"position/width"] = L" 3600";
    Place(0, 0, 3600, 2400);
    modPosition::RestoreFormPosition(form, platform, L"Position");
    EXPECT_EQ(Left() + 3600, 15360);
}

TEST_F(PlacementTest, KeepOnTopMakesTopmostAndBringsToFront) {
    modPosition::SetKeepOnTop(form, platform, 1);
    EXPECT_EQ(
        log.Matching({"SetWindowPos", "frmMain.ZOrder"}),
        (std::vector<std::string>{"SetWindowPos(65552, -1, 0, 0, 0, 0, 19)", "frmMain.ZOrder()"}));
    log.Clear();
    modPosition::SetKeepOnTop(form, platform, 0);
    EXPECT_EQ(
        log.Matching({"SetWindowPos", "frmMain.ZOrder"}),
        (std::vector<std::string>{"SetWindowPos(65552, -2, 0, 0, 0, 0, 19)", "frmMain.ZOrder()"}));
}

TEST_F(PlacementTest, DisabledKeepOnTopIsReadEachTimeAndWins) {
    win32.ini[L"general/disablekeepontop"] = L"1";
    modPosition::SetKeepOnTop(form, platform, 1);
    EXPECT_EQ(log.Matching({"SetWindowPos", "frmMain.ZOrder"}),
              (std::vector<std::string>{"SetWindowPos(65552, -2, 0, 0, 0, 0, 19)"}));
    win32.ini[L"general/disablekeepontop"] = L"0";
    log.Clear();
    modPosition::SetKeepOnTop(form, platform, 1);
    EXPECT_EQ(log.Count("SetWindowPos(65552, -1"), 1);
}

}  // namespace
}  // namespace tarnwick
