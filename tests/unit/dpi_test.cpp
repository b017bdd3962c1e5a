// The program's windows at any monitor scale: the same twips give each DPI's pixels, a change of
// monitor lays the window out again in the rectangle the system suggests, and a place saved at one
// scale comes back at another.

#include "details/frmDetails_controls.h"
#include "tests/unit/main_window_fixture.h"

namespace tarnwick {
namespace {

using namespace frmMainControls;

struct ScaledLayout {
    int dpi;
    Rect help, close, title;
    int clientWidth, clientHeight;
};

// 3761.25, 2358.75, 375 (btn_Help), 2557.5, 1110 (btn_Close), lbl_WindowTitle's 900, 975, 3225,
// 255 and the client's 4230 by 2827.5 twips, each to the nearest pixel.
constexpr ScaledLayout kLayouts[] = {
    {96, {251, 157, 276, 182}, {171, 157, 245, 182}, {60, 65, 275, 82}, 282, 189},
    {120, {313, 197, 344, 228}, {213, 197, 306, 228}, {75, 81, 344, 102}, 353, 236},
    {144, {376, 236, 414, 274}, {256, 236, 367, 274}, {90, 98, 413, 124}, 423, 283},
    {192, {502, 315, 552, 365}, {341, 315, 489, 365}, {120, 130, 550, 164}, 564, 377},
};

class DpiTest : public MainWindowTest {
  protected:
    void ExpectLayout(fake::FakeForm& f, const ScaledLayout& at) {
        SCOPED_TRACE(at.dpi);
        EXPECT_EQ(f.PeekPixels(btn_Help), at.help);
        EXPECT_EQ(f.PeekPixels(btn_Close), at.close);
        EXPECT_EQ(f.PeekPixels(lbl_WindowTitle), at.title);
        EXPECT_EQ(TwipsToPixels(f.ScaleWidth(), at.dpi), at.clientWidth);
        EXPECT_EQ(TwipsToPixels(f.ScaleHeight(), at.dpi), at.clientHeight);
    }
    void OpenDetails() { static_cast<FormEvents&>(*main).Click(key_Details); }
};

TEST_F(DpiTest, TheSameTwipsGiveEachScalesPixels) {
    for (const ScaledLayout& at : kLayouts) {
        app.onCreateForm = [&](const std::string&, fake::FakeForm& f) { f.dpi = at.dpi; };
        Start();
        EXPECT_EQ(form().Peek(btn_Help, Dim::Left), 3761.25f);
        EXPECT_EQ(form().ScaleHeight(), 2827.5f);
        ExpectLayout(form(), at);
    }
}

TEST_F(DpiTest, AChangeOfMonitorTakesTheSuggestedPlaceAndLaysOutAgain) {
    Start();
    // What the system suggests for 144 DPI: the window at 1.5 times its pixels.
    form().FireDpiChanged(144, {200, 100, 632, 452});
    EXPECT_EQ(log.Count("Set(btn_Help, Left, 3761.25)"), 1);
    EXPECT_EQ(form().PeekPixels(kThisForm), (Rect{200, 100, 632, 452}));
    ExpectLayout(form(), kLayouts[2]);

    // A suggestion of another size: the place is taken, the size is the layout's.
    form().FireDpiChanged(192, {40, 30, 900, 800});
    EXPECT_EQ(form().PeekPixels(kThisForm), (Rect{40, 30, 616, 499}));
    ExpectLayout(form(), kLayouts[3]);

    form().FireDpiChanged(96, {10, 20, 298, 255});
    EXPECT_EQ(form().PeekPixels(kThisForm), (Rect{10, 20, 298, 255}));
    ExpectLayout(form(), kLayouts[0]);
}

TEST_F(DpiTest, TheDetailsWindowTakesTheSuggestedRectangleAndFillsIt) {
    Start();
    OpenDetails();
    fake::FakeForm& details = app.form("Details");
    details.FireDpiChanged(144, {100, 50, 800, 950});
    EXPECT_EQ(details.PeekPixels(kThisForm), (Rect{100, 50, 800, 950}));
    // The frame's 90 by 690 twips are 9 by 69 pixels at 144 DPI.
    EXPECT_EQ(details.PeekPixels(frmDetailsControls::lst_Properties), (Rect{0, 0, 691, 831}));
}

TEST_F(DpiTest, PlacesAreSavedInScreenPixelsAndSizesAtTheWindowsScale) {
    Start();
    OpenDetails();
    form().FireDpiChanged(144, {200, 100, 632, 452});
    app.form("Details").FireDpiChanged(144, {500, 120, 1100, 820});
    form().FireClose();
    // Places at the system DPI (15 twips a pixel), sizes at the window's own (10 at 144 DPI).
    EXPECT_EQ(win32.IniValue(L"Position", L"left"), L" 3000");
    EXPECT_EQ(win32.IniValue(L"Details", L"left"), L" 7500");
    EXPECT_EQ(win32.IniValue(L"Details", L"top"), L" 1800");
    EXPECT_EQ(win32.IniValue(L"Details", L"width"), L" 6000");
    EXPECT_EQ(win32.IniValue(L"Details", L"height"), L" 7000");

    // Back on a monitor at 96 DPI: the same place on the screen, the same size in inches.
    Start();
    EXPECT_EQ(form().PeekPixels(kThisForm).left, 200);
    EXPECT_EQ(form().PeekPixels(kThisForm).top, 100);
    EXPECT_EQ(app.form("Details").PeekPixels(kThisForm), (Rect{500, 120, 900, 587}));
}

}  // namespace
}  // namespace tarnwick
