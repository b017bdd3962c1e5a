// The frame painted on the target, and the colour command.

#include <limits>

#include "app/settings.h"
#include "tests/unit/main_window_fixture.h"

namespace tarnwick {
namespace {

using namespace frmMainControls;

class FrameTest : public MainWindowTest {
  protected:
    void SetUp() override { Start(); }
    std::vector<std::string> Painting() const {
        return log.Matching({"GetWindowRect", "GetWindowDC", "CreateSolidBrush", "Rectangle",
                             "FillRect", "DeleteObject", "ReleaseDC"});
    }
};

TEST_F(FrameTest, PaintsFourStripsInWindowCoordinatesAndReleasesEverything) {
    win32.windows[0x700] = fake::Window(L"Editor", L"", {-4, 100, 796, 700});
    main->DrawBorder(0x700);
    EXPECT_EQ(Painting(), (std::vector<std::string>{
                              "GetWindowRect(1792)",
                              "GetWindowDC(1792)",
                              "CreateSolidBrush(16711680)",
                              "Rectangle(0, 0, 4, 600)",
                              "FillRect(0, 0, 4, 600)",
                              "Rectangle(0, 0, 800, 4)",
                              "FillRect(0, 0, 800, 4)",
                              "Rectangle(796, 0, 800, 600)",
                              "FillRect(796, 0, 800, 600)",
                              "Rectangle(0, 596, 800, 600)",
                              "FillRect(0, 596, 800, 600)",
                              "DeleteObject()",
                              "ReleaseDC(1792)",
                          }));
    EXPECT_EQ(win32.liveGdiObjects(), 0);
}

TEST_F(FrameTest, NarrowWindowIsCoveredByOverlappingStrips) {
    win32.windows[1] = fake::Window(L"Tiny", L"", {50, 50, 56, 250});
    main->DrawBorder(1);
    EXPECT_EQ(log.Matching({"FillRect"}),
              (std::vector<std::string>{"FillRect(0, 0, 4, 200)", "FillRect(0, 0, 6, 4)",
                                        "FillRect(2, 0, 6, 200)", "FillRect(0, 196, 6, 200)"}));
}

TEST_F(FrameTest, DeadWindowGetsEmptyStripsAndStillReleases) {
    main->DrawBorder(0x999);
    EXPECT_EQ(log.Matching({"FillRect"}),
              (std::vector<std::string>{"FillRect(0, 0, 4, 0)", "FillRect(0, 0, 0, 4)",
                                        "FillRect(-4, 0, 0, 0)", "FillRect(0, -4, 0, 0)"}));
    EXPECT_EQ(log.Count("ReleaseDC"), 1);
    EXPECT_EQ(win32.liveGdiObjects(), 0);
}

TEST_F(FrameTest, FrameGoesOnTheVisibleBoundsWhereTheWindowManagerKnowsThem) {
    fake::FakeWindow window = fake::Window(L"Modern", L"", {93, 50, 907, 657});
    window.visibleBounds = Rect{100, 50, 900, 650};  // invisible borders left, right, bottom
    win32.windows[2] = window;
    main->DrawBorder(2);
    EXPECT_EQ(
        log.Matching({"FillRect"}),
        (std::vector<std::string>{"FillRect(7, 0, 11, 600)", "FillRect(7, 0, 807, 4)",
                                  "FillRect(803, 0, 807, 600)", "FillRect(7, 596, 807, 600)"}));
}

TEST_F(FrameTest, RectangleAtThe32BitLimitsPaintsNothing) {
    constexpr std::int32_t lo = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t hi = std::numeric_limits<std::int32_t>::max();
    win32.windows[3] = fake::Window(L"Huge", L"", {lo, lo, hi, hi});
    win32.windows[4] = fake::Window(L"Edge", L"", {-10, 0, hi, 100});  // width beyond 32 bits
    main->DrawBorder(3);
    main->DrawBorder(4);
    EXPECT_EQ(log.Count("GetWindowDC"), 0);
    EXPECT_EQ(log.Count("FillRect"), 0);
    EXPECT_EQ(win32.liveGdiObjects(), 0);
}

TEST_F(FrameTest, ThousandsOfFramesLeaveNoGdiObjectBehind) {
    win32.windows[5] = fake::Window(L"Editor", L"", {0, 0, 300, 200});
    for (int i = 0; i < 10000; ++i) {
        main->DrawBorder(5);
    }
    EXPECT_EQ(win32.liveGdiObjects(), 0);
}

// A window reaching beyond its 1024 x 768 monitor: the strip of each edge off the monitor runs
// along the monitor's edge, inside the window (in window coordinates, where the DC has its
// origin); a window wholly on it is framed as ever.
struct MonitorCase {
    const char* what;
    Rect window;
    std::vector<std::string> fills;
};

class MonitorFrameTest : public FrameTest, public testing::WithParamInterface<MonitorCase> {};

TEST_P(MonitorFrameTest, StripsStayOnTheMonitor) {
    win32.monitor = Rect{0, 0, 1024, 768};
    win32.windows[7] = fake::Window(L"Editor", L"", GetParam().window);
    main->DrawBorder(7);
    EXPECT_EQ(log.Matching({"FillRect"}), GetParam().fills) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    EachEdge, MonitorFrameTest,
    testing::Values(MonitorCase{"on the monitor",
                                {10, 20, 410, 320},
                                {"FillRect(0, 0, 4, 300)", "FillRect(0, 0, 400, 4)",
                                 "FillRect(396, 0, 400, 300)", "FillRect(0, 296, 400, 300)"}},
                    MonitorCase{"off the left edge",
                                {-50, 100, 350, 400},
                                {"FillRect(50, 0, 54, 300)", "FillRect(50, 0, 400, 4)",
                                 "FillRect(396, 0, 400, 300)", "FillRect(50, 296, 400, 300)"}},
                    MonitorCase{"off the top edge",
                                {100, -30, 500, 270},
                                {"FillRect(0, 30, 4, 300)", "FillRect(0, 30, 400, 34)",
                                 "FillRect(396, 30, 400, 300)", "FillRect(0, 296, 400, 300)"}},
                    MonitorCase{"off the right edge",
                                {800, 100, 1100, 400},
                                {"FillRect(0, 0, 4, 300)", "FillRect(0, 0, 224, 4)",
                                 "FillRect(220, 0, 224, 300)", "FillRect(0, 296, 224, 300)"}},
                    MonitorCase{"off the bottom edge",
                                {100, 600, 500, 900},
                                {"FillRect(0, 0, 4, 168)", "FillRect(0, 0, 400, 4)",
                                 "FillRect(396, 0, 400, 168)", "FillRect(0, 164, 400, 168)"}},
                    MonitorCase{"maximised",
                                {-8, -8, 1032, 776},
                                {"FillRect(8, 8, 12, 776)", "FillRect(8, 8, 1032, 12)",
                                 "FillRect(1028, 8, 1032, 776)", "FillRect(8, 772, 1032, 776)"}},
                    MonitorCase{
                        "larger than the monitor",
                        {-100, -50, 1300, 900},
                        {"FillRect(100, 50, 104, 818)", "FillRect(100, 50, 1124, 54)",
                         "FillRect(1120, 50, 1124, 818)", "FillRect(100, 814, 1124, 818)"}}));

TEST_F(FrameTest, CancelledColourDialogChangesNothing) {
    form().colorDialogError = kErrorCancel;
    form().colorDialogChoice = 255;
    form().FireClick(mnu_SetBorderColor);
    EXPECT_EQ(log.Matching({"SetColor", "ShowColor", "Color(", "WritePrivate"}),
              (std::vector<std::string>{"SetColor(CommonDialog1, 16711680)",
                                        "ShowColor(CommonDialog1)"}));
    EXPECT_EQ(main->borderColor(), 16711680);
    EXPECT_FALSE(win32.IniValue(L"General", L"BorderColor"));
}

TEST_F(FrameTest, ChosenColourIsUsedAndSavedAtOnce) {
    form().colorDialogChoice = 255;
    form().FireClick(mnu_SetBorderColor);
    EXPECT_EQ(main->borderColor(), 255);
    EXPECT_EQ(log.Count("WritePrivateProfileString(General, BorderColor, \"255\", "
                        "C:\\Tools\\Tarnwick.ini)"),
              1);
    win32.windows[6] = fake::Window(L"Editor", L"", {0, 0, 300, 200});
    main->DrawBorder(6);
    EXPECT_EQ(log.Count("CreateSolidBrush(255)"), 1);
}

TEST_F(FrameTest, ConfirmingTheSameColourWritesItAgain) {
    form().colorDialogChoice = 16711680;
    form().FireClick(mnu_SetBorderColor);
    EXPECT_EQ(win32.IniValue(L"General", L"BorderColor"), L"16711680");
}

TEST_F(FrameTest, AFailingDialogAdoptsTheColourItHolds) {
    form().colorDialogThrows = true;
    form().FireClick(mnu_SetBorderColor);
    EXPECT_EQ(main->borderColor(), 16711680);
    EXPECT_EQ(win32.IniValue(L"General", L"BorderColor"), L"16711680");

    form().colorDialogThrows = false;
    form().colorDialogError = 32751;  // any error but the cancel
    form().FireClick(mnu_SetBorderColor);
    EXPECT_EQ(win32.IniValue(L"General", L"BorderColor"), L"16711680");
}

}  // namespace
}  // namespace tarnwick
