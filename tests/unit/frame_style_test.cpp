// The two frame styles behind one tick: painted into the target, or the program's overlay over
// it; which one the settings file and the desktop choose; and the physical-pixel DPI context
// around the window queries.

#include "app/settings.h"
#include "tests/unit/main_window_fixture.h"

namespace tarnwick {
namespace {

using namespace frmMainControls;

constexpr Hwnd kEditor = 0x500;
constexpr Hwnd kBrowser = 0x600;
constexpr Hwnd kButton = 0x700;  // a child control of another program

class FrameStyleTest : public MainWindowTest {
  protected:
    void SetUp() override {
        win32.windows[kEditor] = fake::Window(L"Editor", L"notes.txt", {10, 20, 410, 320});
        fake::FakeWindow browser = fake::Window(L"Browser", L"Home", {93, 50, 907, 657});
        browser.visibleBounds = Rect{100, 50, 900, 650};  // invisible borders left, right, bottom
        win32.windows[kBrowser] = browser;
        win32.windows[kButton] =
            fake::Window(L"Button", L"OK", {-20, 700, 80, 730}, 0x50010000, kEditor);
    }
    void StartWithStyle(const wchar_t* value) {
        win32.ini[L"general/framestyle"] = value;
        Start();
    }
    void Tick() { form().FireTimer(Timer1); }
    void Press() {
        form().FireMouseDown(img_Target);
        win32.foreground = own();
    }
    // Two ticks over the window: the first takes it as the target, the second frames it.
    void HoverOver(Hwnd window) {
        win32.windowUnderCursor = window;
        Tick();
        Tick();
    }
    std::vector<std::string> FrameCalls() const {
        return log.Matching({"ShowFrameOverlay", "HideFrameOverlay", "DestroyFrameOverlay",
                             "InvalidateRect", "GetWindowDC"});
    }
    std::vector<std::string> DpiCalls() const {
        return log.Matching({"SetThreadDpiAwarenessContext"});
    }
    int StyleReads() const {
        return log.Count("GetPrivateProfileInt(General, FrameStyle, 2, C:\\Tools\\Tarnwick.ini)");
    }
    bool Overlaid() {
        HoverOver(kEditor);
        return log.Count("ShowFrameOverlay") == 1 && log.Count("GetWindowDC") == 0;
    }
    bool Painted() {
        HoverOver(kEditor);
        return log.Count("ShowFrameOverlay") == 0 && log.Count("GetWindowDC") == 1;
    }
};

TEST_F(FrameStyleTest, OverlayFollowsADragOverThreeWindowsWithoutRepaintingAnyOther) {
    StartWithStyle(L"1");
    Press();
    HoverOver(kEditor);
    HoverOver(kBrowser);
    HoverOver(kButton);
    form().FireMouseUp(img_Target);
    EXPECT_EQ(FrameCalls(),
              (std::vector<std::string>{
                  "HideFrameOverlay()",
                  "ShowFrameOverlay(10, 20, 410, 320, [0, 0, 4, 300], [0, 0, 400, 4], "
                  "[396, 0, 400, 300], [0, 296, 400, 300], 16711680)",
                  "HideFrameOverlay()",
                  // On what the window manager draws, not on the invisible borders.
                  "ShowFrameOverlay(100, 50, 900, 650, [0, 0, 4, 600], [0, 0, 800, 4], "
                  "[796, 0, 800, 600], [0, 596, 800, 600], 16711680)",
                  "HideFrameOverlay()",
                  // A child control partly off the screen: placed where it is, seen where seen.
                  "ShowFrameOverlay(-20, 700, 80, 730, [0, 0, 4, 30], [0, 0, 100, 4], "
                  "[96, 0, 100, 30], [0, 26, 100, 30], 16711680)",
                  "HideFrameOverlay()",  // the release
              }));
    EXPECT_FALSE(win32.overlayVisible);
    EXPECT_EQ(win32.overlaysCreated, 1);
    EXPECT_EQ(caption(lbl_WindowTitle), L"OK");
}

TEST_F(FrameStyleTest, ADragEndingOverTheOwnWindowOrTheDesktopLeavesNoFrame) {
    constexpr Hwnd kDesktop = 0x10010 + 0x100;
    win32.windows[kDesktop] = fake::Window(L"#32769", L"", {0, 0, 1024, 768});
    StartWithStyle(L"1");
    win32.windows[own()] = fake::Window(L"Tarnwick.frmMain", L"Tarnwick", {368, 267, 656, 501});
    for (const Hwnd last : {own(), kDesktop}) {
        Press();
        HoverOver(kEditor);
        HoverOver(last);
        EXPECT_TRUE(win32.overlayVisible);
        EXPECT_EQ(win32.overlayPlacement, win32.windows[last].rect);
        form().FireMouseUp(img_Target);
        EXPECT_FALSE(win32.overlayVisible);
        EXPECT_EQ(main->lastHwnd(), last);
    }
    EXPECT_EQ(win32.overlaysCreated, 1);
    EXPECT_EQ(log.Count("InvalidateRect"), 0);
}

TEST_F(FrameStyleTest, TheBareDesktopIsShownButNeverFramedInEitherStyle) {
    win32.windows[win32.desktopWindow] = fake::Window(L"#32769", L"", {0, 0, 1024, 768});
    for (const wchar_t* style : {L"0", L"1"}) {
        StartWithStyle(style);
        Press();
        HoverOver(kEditor);
        log.Clear();
        HoverOver(win32.desktopWindow);
        HoverOver(win32.desktopWindow);
        EXPECT_EQ(caption(lbl_WindowClass), L"#32769");
        // The frame on the window before is wiped; nothing is shown on the desktop.
        EXPECT_EQ(log.Matching({"ShowFrameOverlay", "GetWindowDC", "FillRect"}).size(), 0u);
        EXPECT_EQ(log.Count("InvalidateRect") + log.Count("HideFrameOverlay"), 1);
        EXPECT_FALSE(win32.overlayVisible);
    }
}

TEST_F(FrameStyleTest, TheOverlayOfAMaximisedWindowCoversItWithTheStripsOnTheMonitor) {
    win32.monitor = Rect{0, 0, 1024, 768};
    win32.windows[kEditor].rect = {-8, -8, 1032, 776};
    StartWithStyle(L"1");
    Press();
    HoverOver(kEditor);
    EXPECT_EQ(log.Matching({"ShowFrameOverlay"}),
              (std::vector<std::string>{"ShowFrameOverlay(-8, -8, 1032, 776, [8, 8, 12, 776], "
                                        "[8, 8, 1032, 12], [1028, 8, 1032, 776], "
                                        "[8, 772, 1032, 776], 16711680)"}));
}

TEST_F(FrameStyleTest, OverlayKeepsTheTicksOfThePaintedFrame) {
    StartWithStyle(L"1");
    Press();
    win32.windowUnderCursor = kEditor;
    Tick();
    EXPECT_EQ(log.Count("HideFrameOverlay"), 1);
    EXPECT_EQ(log.Count("ShowFrameOverlay"), 0);
    EXPECT_EQ(main->borderDrawn(), 0);
    Tick();
    Tick();
    Tick();
    EXPECT_EQ(log.Count("ShowFrameOverlay"), 1);
    EXPECT_EQ(main->borderDrawn(), 1);
    EXPECT_EQ(log.Count("SetCaption(lbl_WindowHandleDecimal"), 1);

    // A pointer on a new window every tick shows no frame at all, and wipes on every change.
    log.Clear();
    for (int i = 0; i < 6; ++i) {
        win32.windowUnderCursor = i % 2 == 0 ? kBrowser : kEditor;
        Tick();
    }
    EXPECT_EQ(log.Count("HideFrameOverlay"), 6);
    EXPECT_EQ(log.Count("ShowFrameOverlay"), 0);
    EXPECT_EQ(log.Count("InvalidateRect"), 0);
}

TEST_F(FrameStyleTest, OverlayUsesTheColourOfTheMomentAndSkipsAWindowThatIsGone) {
    StartWithStyle(L"1");
    form().colorDialogChoice = 255;
    form().FireClick(mnu_SetBorderColor);
    Press();
    HoverOver(kEditor);
    EXPECT_EQ(log.Count("ShowFrameOverlay(10, 20, 410, 320"), 1);
    EXPECT_TRUE(log.Matching({"ShowFrameOverlay"}).front().ends_with(", 255)"));
    log.Clear();
    HoverOver(0x999);  // no such window
    EXPECT_EQ(FrameCalls(), (std::vector<std::string>{"HideFrameOverlay()"}));
    EXPECT_FALSE(win32.overlayVisible);
}

TEST_F(FrameStyleTest, OverlayEndsWithTheProgramAndNothingRepaints) {
    StartWithStyle(L"1");
    Press();
    HoverOver(kEditor);
    log.Clear();
    form().FireClick(btn_Close);
    EXPECT_EQ(log.Matching({"WritePrivateProfileString(General", "DestroyFrameOverlay",
                            "InvalidateRect", "End"}),
              (std::vector<std::string>{
                  "WritePrivateProfileString(General, TrackForeground, \"1\", "
                  "C:\\Tools\\Tarnwick.ini)",
                  "WritePrivateProfileString(General, TrackTarget, \"1\", "
                  "C:\\Tools\\Tarnwick.ini)",
                  "DestroyFrameOverlay()",
                  "End()",
              }));
    EXPECT_FALSE(win32.overlayExists);
    // The style is never written.
    EXPECT_EQ(log.Count("WritePrivateProfileString(General, FrameStyle"), 0);
}

TEST_F(FrameStyleTest, PaintedStyleKeepsEveryCallEvenOnAComposedDesktop) {
    win32.compositionEnabled = true;
    StartWithStyle(L"0");
    Press();
    win32.windowUnderCursor = kEditor;
    win32.cursor = {30, 40};
    Tick();
    Tick();
    form().FireMouseUp(img_Target);
    EXPECT_EQ(log.Matching({"GetCursorPos", "WindowFromPoint", "InvalidateRect", "GetWindowRect",
                            "GetVisibleFrameBounds", "GetWindowDC", "CreateSolidBrush", "Rectangle",
                            "FillRect", "DeleteObject", "ReleaseDC", "Show", "Hide"}),
              (std::vector<std::string>{
                  "GetCursorPos()",
                  "WindowFromPoint(30, 40)",
                  "GetWindowRect(1280)",  // the display's
                  "InvalidateRect(0, NULL, -1)",
                  "GetCursorPos()",
                  "WindowFromPoint(30, 40)",
                  "GetWindowRect(1280)",
                  "GetVisibleFrameBounds(1280)",
                  "GetWindowDC(1280)",
                  "CreateSolidBrush(16711680)",
                  "Rectangle(0, 0, 4, 300)",
                  "FillRect(0, 0, 4, 300)",
                  "Rectangle(0, 0, 400, 4)",
                  "FillRect(0, 0, 400, 4)",
                  "Rectangle(396, 0, 400, 300)",
                  "FillRect(396, 0, 400, 300)",
                  "Rectangle(0, 296, 400, 300)",
                  "FillRect(0, 296, 400, 300)",
                  "DeleteObject()",
                  "ReleaseDC(1280)",
                  "InvalidateRect(0, NULL, -1)",
              }));
    EXPECT_EQ(log.Count("DwmIsCompositionEnabled"), 0);
    EXPECT_EQ(win32.overlaysCreated, 0);
}

TEST_F(FrameStyleTest, AutomaticStyleFollowsTheComposition) {
    win32.compositionEnabled = true;
    Start();  // no key: automatic
    Press();
    EXPECT_TRUE(Overlaid());
    EXPECT_EQ(log.Count("DwmIsCompositionEnabled()"), 1);

    win32.compositionEnabled = false;
    StartWithStyle(L"2");
    Press();
    EXPECT_TRUE(Painted());
    EXPECT_EQ(log.Count("DwmIsCompositionEnabled()"), 1);
}

TEST_F(FrameStyleTest, ExplicitStylesDoNotAskForTheComposition) {
    StartWithStyle(L"1");
    Press();
    EXPECT_TRUE(Overlaid());
    win32.compositionEnabled = true;
    StartWithStyle(L"0");
    Press();
    EXPECT_TRUE(Painted());
    EXPECT_EQ(log.Count("DwmIsCompositionEnabled"), 0);
}

class BadFrameStyleTest : public FrameStyleTest,
                          public testing::WithParamInterface<const wchar_t*> {};

TEST_P(BadFrameStyleTest, FallsBackToAutomatic) {
    win32.compositionEnabled = true;
    StartWithStyle(GetParam());
    Press();
    EXPECT_TRUE(Overlaid());
    EXPECT_EQ(log.Count("DwmIsCompositionEnabled()"), 1);
    win32.compositionEnabled = false;
    StartWithStyle(GetParam());
    Press();
    EXPECT_TRUE(Painted());
}

INSTANTIATE_TEST_SUITE_P(OutOfRange, BadFrameStyleTest,
                         testing::Values(L"-1", L"3", L"-2147483648", L"99999999999", L"",
                                         L"2 overlay"));

TEST_F(FrameStyleTest, AWordIsAutomaticAndANumberIsWhatItStartsWith) {
    // The integer read gives 0 for a word as for "0": the text tells them apart.
    win32.compositionEnabled = true;
    for (const wchar_t* word : {L"overlay", L"painted", L" none", L"-x"}) {
        StartWithStyle(word);
        Press();
        EXPECT_TRUE(Overlaid()) << "FrameStyle=" << fake::Utf8(word);
        EXPECT_EQ(log.Count("GetPrivateProfileString(General, FrameStyle, \"\", 32, "
                            "C:\\Tools\\Tarnwick.ini)"),
                  1);
    }
    for (const wchar_t* zero : {L"0", L" 0", L"-0", L"0 (painted)", L"00"}) {
        StartWithStyle(zero);
        Press();
        EXPECT_TRUE(Painted()) << "FrameStyle=" << fake::Utf8(zero);
        EXPECT_EQ(log.Count("DwmIsCompositionEnabled"), 0);
    }
    StartWithStyle(L"1 (overlay)");
    Press();
    EXPECT_TRUE(Overlaid());
    EXPECT_EQ(log.Count("GetPrivateProfileString"), 0);
}

TEST_F(FrameStyleTest, StyleIsReadOnceAndNotDuringTheStartUpSequence) {
    win32.ini[L"general/framestyle"] = L"1";
    main = std::make_unique<frmMain>(platform);
    main->form().Load();
    EXPECT_EQ(StyleReads(), 0);
    Press();
    for (Hwnd window : {kEditor, kBrowser, kEditor}) {
        HoverOver(window);
    }
    form().FireMouseUp(img_Target);
    win32.ini[L"general/framestyle"] = L"0";  // edited while running: read at the next start
    Press();
    HoverOver(kBrowser);
    EXPECT_EQ(StyleReads(), 1);
    EXPECT_EQ(log.Count("InvalidateRect"), 0);
}

TEST_F(FrameStyleTest, ShutdownWithoutAFrameSettlesTheStyleToWipe) {
    StartWithStyle(L"0");
    form().Unload();
    EXPECT_EQ(StyleReads(), 1);
    EXPECT_EQ(log.Count("InvalidateRect(0, NULL, -1)"), 1);
}

class DpiContextTest : public FrameStyleTest {};

TEST_F(DpiContextTest, TickQueriesRunPerMonitorAwareAndTheContextComesBack) {
    StartWithStyle(L"1");
    Press();
    win32.windowUnderCursor = kBrowser;
    Tick();
    Tick();
    EXPECT_EQ(
        log.Matching({"SetThreadDpiAwarenessContext", "GetCursorPos", "WindowFromPoint",
                      "GetWindowRect", "GetVisibleFrameBounds", "ShowFrameOverlay", "SetCaption"}),
        (std::vector<std::string>{
            "SetCaption(lbl_CurWindow, \"Window under target\")",
            "SetThreadDpiAwarenessContext(-4)",
            "GetCursorPos()",
            "WindowFromPoint(0, 0)",
            "SetThreadDpiAwarenessContext(-2)",
            "SetCaption(lbl_WindowHandleDecimal, \"Dec:  1536\")",
            "SetCaption(lbl_WindowHandleHex, \"Hex: 600\")",
            "SetCaption(lbl_WindowClass, \"Browser\")",
            "SetCaption(lbl_WindowTitle, \"Home\")",
            "SetThreadDpiAwarenessContext(-4)",
            "GetWindowRect(1536)",
            "SetThreadDpiAwarenessContext(-2)",
            "SetCaption(lbl_WindowRect, \"(93, 50)-(907, 657)\")",
            "SetCaption(lbl_WindowStyle, \"0\")",
            "SetCaption(lbl_WindowParent, \"No parent window\")",
            "SetCaption(lbl_CurWindow, \"Window under target\")",
            "SetThreadDpiAwarenessContext(-4)",
            "GetCursorPos()",
            "WindowFromPoint(0, 0)",
            "SetThreadDpiAwarenessContext(-2)",
            "SetThreadDpiAwarenessContext(-4)",
            "GetWindowRect(1536)",
            "GetVisibleFrameBounds(1536)",
            "ShowFrameOverlay(100, 50, 900, 650, [0, 0, 4, 600], [0, 0, 800, 4], "
            "[796, 0, 800, 600], [0, 596, 800, 600], 16711680)",
            "SetThreadDpiAwarenessContext(-2)",
        }));
    EXPECT_EQ(win32.dpiContext, fake::kDpiAwarenessContextSystemAware);
}

TEST_F(DpiContextTest, PaintedFrameMeasuresPerMonitorAwareAndPaintsOutside) {
    StartWithStyle(L"0");
    main->DrawBorder(kEditor);
    EXPECT_EQ(log.Matching({"SetThreadDpiAwarenessContext", "GetWindowRect",
                            "GetVisibleFrameBounds", "GetWindowDC", "ReleaseDC"}),
              (std::vector<std::string>{
                  "SetThreadDpiAwarenessContext(-4)",
                  "GetWindowRect(1280)",
                  "GetVisibleFrameBounds(1280)",
                  "SetThreadDpiAwarenessContext(-2)",
                  "GetWindowDC(1280)",
                  "ReleaseDC(1280)",
              }));
}

TEST_F(DpiContextTest, AThrowingQueryStillRestoresTheContext) {
    StartWithStyle(L"1");
    Press();
    win32.windowUnderCursor = kEditor;
    for (const char* failing : {"WindowFromPoint", "GetWindowRect", "GetVisibleFrameBounds"}) {
        log.Clear();
        log.failingCall = failing;
        Tick();  // the handler fails at the query, the program goes on
        Tick();
        EXPECT_EQ(win32.dpiContext, fake::kDpiAwarenessContextSystemAware) << failing;
        EXPECT_EQ(DpiCalls().back(), "SetThreadDpiAwarenessContext(-2)") << failing;
        EXPECT_EQ(log.Count("SetThreadDpiAwarenessContext(-4)"),
                  log.Count("SetThreadDpiAwarenessContext(-2)"))
            << failing;
    }
    log.failingCall.clear();
    log.Clear();
    HoverOver(kBrowser);
    EXPECT_EQ(log.Count("ShowFrameOverlay(100, 50, 900, 650"), 1);
}

TEST_F(DpiContextTest, WithoutContextsTheQueriesRunAsTheyAre) {
    win32.dpiContext = 0;  // a system from before per-monitor DPI
    StartWithStyle(L"1");
    Press();
    HoverOver(kEditor);
    // One try per scope and nothing to give back: pointer and display, then pointer and overlay.
    EXPECT_EQ(DpiCalls(), std::vector<std::string>(4, "SetThreadDpiAwarenessContext(-4)"));
    EXPECT_EQ(log.Count("ShowFrameOverlay(10, 20, 410, 320"), 1);
}

TEST_F(DpiContextTest, ForegroundTicksWithoutChangeSetNoContext) {
    Start();
    win32.foreground = kEditor;
    Tick();
    log.Clear();
    Tick();
    Tick();
    EXPECT_EQ(DpiCalls().size(), 0u);
}

}  // namespace
}  // namespace tarnwick
