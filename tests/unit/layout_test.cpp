// The arrangement of the panel, the buttons and the window's size.

#include "tests/unit/main_window_fixture.h"

namespace tarnwick {
namespace {

using namespace frmMainControls;

class LayoutTest : public MainWindowTest {};

TEST_F(LayoutTest, FirstShowArrangesButtonsUnderThePanelAndFitsTheClientArea) {
    Start();
    fake::FakeForm& f = form();
    EXPECT_EQ(f.Peek(btn_Help, Dim::Width), 375);
    EXPECT_EQ(f.Peek(btn_Help, Dim::Height), 375);
    EXPECT_EQ(f.Peek(btn_Help, Dim::Left), 3761.25f);
    EXPECT_EQ(f.Peek(btn_Help, Dim::Top), 2358.75f);
    EXPECT_EQ(f.Peek(btn_Close, Dim::Left), 2557.5f);
    EXPECT_EQ(f.Peek(btn_Close, Dim::Top), 2358.75f);
    EXPECT_EQ(f.Peek(btn_Close, Dim::Width), 1110);
    EXPECT_EQ(f.ScaleWidth(), 4230);
    EXPECT_EQ(f.ScaleHeight(), 2827.5f);
    // Every gap is a quarter of the button height.
    const float gap = 93.75f;
    EXPECT_EQ(f.Peek(btn_Close, Dim::Top) - 2265, gap);
    EXPECT_EQ(f.Peek(btn_Help, Dim::Left) - (2557.5f + 1110), gap);
    EXPECT_EQ(4230 - (f.Peek(btn_Help, Dim::Left) + 375), gap);
    EXPECT_EQ(2827.5f - (2358.75f + 375), gap);
}

TEST_F(LayoutTest, ClientAreaIsTheSameWhateverTheFrameThickness) {
    app.onCreateForm = [](const std::string&, fake::FakeForm& f) {
        f.frameWidth = 16;
        f.frameHeight = 1400;  // a menu bar wrapped onto two lines
    };
    Start();
    EXPECT_EQ(form().ScaleWidth(), 4230);
    EXPECT_EQ(form().ScaleHeight(), 2827.5f);
    EXPECT_EQ(form().Peek(kThisForm, Dim::Height), 2827.5f + 1400);
}

TEST_F(LayoutTest, ResizesDuringAnArrangementChangeNothing) {
    Start();
    // Each size change below raises a nested resize; those must leave everything to the outer one.
    form().Set(kThisForm, Dim::Width, 9000);
    EXPECT_EQ(log.Count("Set(frame_Main, Top"), 1);
    EXPECT_EQ(log.Count("Set(btn_Help, Left"), 1);
    EXPECT_EQ(form().ScaleWidth(), 4230);
    EXPECT_EQ(form().ScaleHeight(), 2827.5f);
}

TEST_F(LayoutTest, PanelEndsAtTheOriginWhereverItWasBefore) {
    app.onCreateForm = [](const std::string&, fake::FakeForm& f) {
        f.Set(frame_Main, Dim::Left, 500);
        f.Set(frame_Main, Dim::Top, 300);
    };
    Start();
    EXPECT_EQ(form().Peek(frame_Main, Dim::Left), 0);
    EXPECT_EQ(form().Peek(frame_Main, Dim::Top), 0);
}

TEST_F(LayoutTest, MinimisedWindowIsLeftAlone) {
    Start();
    form().windowState = 1;
    form().FireResize();
    EXPECT_EQ(log.Matching({"Set("}).size(), 0u);
}

}  // namespace
}  // namespace tarnwick
