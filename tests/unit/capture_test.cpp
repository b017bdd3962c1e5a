// The capture hotkey: what it shows, that it never activates anything, the hold that follows,
// the stack of windows under the pointer and the way through it, and the hotkey's registration.

#include <string>
#include <vector>

#include "app/settings.h"
#include "details/frmDetails_controls.h"
#include "main_window/hotkey_text.h"
#include "tests/unit/main_window_fixture.h"

namespace tarnwick {
namespace {

using namespace frmMainControls;

constexpr std::int32_t kVisible = 0x10000000;
constexpr std::int32_t kChild = 0x40000000;
constexpr std::int32_t kDisabled = 0x08000000;

// A dialog with a group box holding a disabled button, under a transparent layered top-level
// window; a cloaked window and a hidden one behind; Notepad in front, elsewhere on the screen.
constexpr Hwnd kOverlay = 0x800;  // WS_EX_TRANSPARENT | WS_EX_LAYERED, over the dialog
constexpr Hwnd kDialog = 0x810;
constexpr Hwnd kGroup = 0x811;
constexpr Hwnd kButton = 0x812;
constexpr Hwnd kBeside = 0x813;  // a child of the dialog away from the point
constexpr Hwnd kCloaked = 0x820;
constexpr Hwnd kHidden = 0x830;
constexpr Hwnd kNotepad = 0x840;
constexpr Point kAtButton{150, 150};

class CaptureTest : public MainWindowTest {
  protected:
    void SetUp() override {
        win32.windows[kOverlay] = fake::Window(L"Shade", L"", {0, 0, 600, 600}, kVisible);
        win32.windows[kOverlay].exStyle = 0x00080020;
        win32.windows[kDialog] = fake::Window(L"#32770", L"Dialog", {100, 100, 400, 400}, kVisible);
        win32.windows[kGroup] =
            fake::Window(L"Button", L"Group", {120, 120, 300, 300}, kVisible | kChild, kDialog);
        win32.windows[kButton] = fake::Window(L"Button", L"Off", {140, 140, 200, 170},
                                              kVisible | kChild | kDisabled, kGroup);
        win32.windows[kBeside] =
            fake::Window(L"Edit", L"", {310, 310, 390, 330}, kVisible | kChild, kDialog);
        win32.windows[kCloaked] = fake::Window(L"Store", L"App", {0, 0, 800, 600}, kVisible);
        win32.windows[kHidden] = fake::Window(L"Tip", L"", {0, 0, 800, 600});
        win32.windows[kNotepad] = fake::Window(L"Notepad", L"Text", {500, 500, 900, 700}, kVisible);
        queries.details[kCloaked].cloaked = true;
        queries.details[kHidden].state.visible = false;
        for (const Hwnd process1 :
             {kOverlay, kDialog, kGroup, kButton, kBeside, kCloaked, kHidden, kNotepad}) {
            win32.windowProcess[process1] = 9;
        }
        win32.cursor = kAtButton;
        win32.windowUnderCursor = kGroup;  // what WindowFromPoint gives: not the disabled button
        win32.foreground = kNotepad;
        Start();
        win32.windows[own()] =
            fake::Window(L"Tarnwick.frmMain", L"Tarnwick", {0, 0, 300, 300}, kVisible);
        win32.windowProcess[own()] = 1;
        queries.zOrder = {own(), kOverlay, kNotepad, kDialog, kCloaked, kHidden};
        Tick();
        log.Clear();
    }
    void Tick() { form().FireTimer(Timer1); }
    void Capture() { form().FireHotkey(hk_Capture); }
    Hwnd shown() { return main->lastHwnd(); }
};

TEST_F(CaptureTest, ShowsTheWindowUnderThePointerFramesItAndActivatesNothing) {
    Capture();
    EXPECT_EQ(shown(), kGroup);
    EXPECT_EQ(caption(lbl_CurWindow), L"Window under pointer");
    EXPECT_EQ(caption(lbl_WindowTitle), L"Group");
    Tick();
    EXPECT_EQ(log.Count("GetWindowDC(" + std::to_string(kGroup)), 1);
    for (const char* activating :
         {"SetWindowPos", "frmMain.Show", "frmMain.ZOrder", "SetForegroundWindow", "Details."}) {
        EXPECT_EQ(log.Count(activating), 0) << activating;
    }
}

TEST_F(CaptureTest, TheDisplayHoldsUntilAnotherWindowComesToTheFront) {
    const auto holdsAfter = [&](Hwnd foreground) {
        win32.foreground = foreground;
        Tick();
        return shown() == kGroup;
    };
    Capture();
    EXPECT_TRUE(holdsAfter(kNotepad));  // the window in front at the capture
    EXPECT_TRUE(holdsAfter(own()));
    EXPECT_TRUE(holdsAfter(0));
    EXPECT_FALSE(holdsAfter(kDialog));
    EXPECT_EQ(caption(lbl_CurWindow), L"Current foreground window");

    // Esc in the main window, and a drag, end it too.
    Capture();
    static_cast<FormEvents&>(*main).Click(key_EndHold);
    EXPECT_FALSE(holdsAfter(kNotepad));
    Capture();
    form().FireMouseDown(img_Target);
    form().FireMouseUp(img_Target);
    EXPECT_FALSE(holdsAfter(kNotepad));
}

TEST_F(CaptureTest, StackFromTheTopDownDeepestFirstWithoutHiddenOrOwnWindows) {
    const std::vector<StackedWindow> stack = WindowsAtPoint(platform, kAtButton, 1);
    std::vector<Hwnd> handles;
    std::vector<bool> cloaked;
    for (const StackedWindow& each : stack) {
        handles.push_back(each.handle);
        cloaked.push_back(each.cloaked);
    }
    EXPECT_EQ(handles, (std::vector<Hwnd>{kOverlay, kButton, kGroup, kDialog, kCloaked}));
    EXPECT_EQ(cloaked, (std::vector<bool>{false, false, false, false, true}));
    EXPECT_TRUE(WindowsAtPoint(platform, {2000, 2000}, 1).empty());
}

TEST_F(CaptureTest, FurtherCapturesAtTheSameSpotGoDownTheStackAndWrap) {
    Capture();
    std::vector<Hwnd> seen{shown()};
    for (int press = 0; press < 5; ++press) {
        win32.cursor = {kAtButton.x + press % 3 - 1, kAtButton.y + 2};  // within two pixels
        Capture();
        seen.push_back(shown());
    }
    EXPECT_EQ(seen, (std::vector<Hwnd>{kGroup, kDialog, kCloaked, kOverlay, kButton, kGroup}));
    EXPECT_EQ(log.Count("GetDesktopWindow"), 1);  // the stack is listed once

    // Moved away: a new stack, and the window under the pointer first.
    win32.cursor = {550, 550};
    win32.windowUnderCursor = kNotepad;
    Capture();
    EXPECT_EQ(shown(), kNotepad);
    EXPECT_EQ(log.Count("GetDesktopWindow"), 2);
    Capture();
    EXPECT_EQ(shown(), kCloaked);  // the stack there: the shade, Notepad, the cloaked window
}

TEST_F(CaptureTest, TheDetailsWindowListsTheStackAndGoesToARow) {
    static_cast<FormEvents&>(*main).Click(key_Details);
    Capture();
    fake::FakeForm& details = app.form("Details");
    std::vector<std::wstring> stackRows;
    const std::vector<ListRow>& rows = details.PeekListRows(frmDetailsControls::lst_Properties);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].heading == L"At the pointer") {
            stackRows.push_back(rows[i].name + L" " + rows[i].value);
            if (rows[i].name == L"#5") {
                details.selectedRows = {static_cast<int>(i)};
            }
        }
    }
    EXPECT_EQ(stackRows, (std::vector<std::wstring>{
                             L"#1 0x800 (2048) Shade \"\"",
                             L"#2 0x812 (2066) Button \"Off\"",
                             L"#3 0x811 (2065) Button \"Group\" (on display)",
                             L"#4 0x810 (2064) #32770 \"Dialog\"",
                             L"#5 0x820 (2080) Store \"App\" (cloaked)",
                         }));
    static_cast<FormEvents&>(*main->details()).Click(frmDetailsControls::key_Activate);
    EXPECT_EQ(shown(), kCloaked);
}

TEST_F(CaptureTest, HotkeyFromTheSettingsRegisteredOnceAndLetGoAtTheEnd) {
    EXPECT_TRUE(form().HotkeyRegistered(hk_Capture));
    form().FireClose();
    EXPECT_FALSE(form().HotkeyRegistered(hk_Capture));

    win32.ini[L"general/capturehotkey"] = L" none ";
    Start();
    EXPECT_FALSE(form().HotkeyRegistered(hk_Capture));
    EXPECT_EQ(log.Count("RegisterHotKey"), 0);

    // Held by another program: Tarnwick starts as ever, and its tooltip says what to do.
    win32.ini[L"general/capturehotkey"] = L"Alt+F9";
    main = std::make_unique<frmMain>(platform);
    form().keysTakenElsewhere = {0x78};
    main->form().Load();
    EXPECT_FALSE(form().HotkeyRegistered(hk_Capture));
    EXPECT_EQ(log.Count("RegisterHotKey(" + std::to_string(hk_Capture) + ", 1, 120)"), 1);
    EXPECT_NE(form().PeekToolTip(img_Target).find(L"Alt+F9 is taken by another program"),
              std::wstring::npos);
    EXPECT_EQ(main->lastHwnd(), 0);
}

}  // namespace
}  // namespace tarnwick
