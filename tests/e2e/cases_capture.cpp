// The capture hotkey (Ctrl+Shift+F8 by default): the window under the pointer shown while
// another program keeps the foreground, an open menu caught and left open, the windows that the
// window under the pointer hides reached by pressing again, and a hotkey that is switched off or
// already taken.

#include <windows.h>

#include <string>

#include "main_window/frmMain_controls.h"
#include "tests/e2e/app.h"
#include "tests/e2e/case_folder.h"
#include "tests/e2e/cases.h"
#include "tests/e2e/frame_pixels.h"
#include "tests/e2e/input.h"
#include "tests/e2e/test_windows.h"
#include "tests/e2e/text.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_data.h"

namespace tarnwick::e2e {
namespace {

namespace ids = frmMainControls;

constexpr wchar_t kCaptureHeading[] = L"Window under pointer";
constexpr wchar_t kForegroundHeading[] = L"Current foreground window";
constexpr char kOverlayIni[] = "[General]\r\nFrameStyle=1\r\n";
constexpr COLORREF kFrameBlue = RGB(0, 0, 255);
constexpr int kHotkeyId = 0x7A11;

void PressCaptureHotkey() {
    PressKeyWith(VK_CONTROL, VK_SHIFT, VK_F8);
}

RECT RectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// A test window with a button inside, the test window in front, the pointer on the button.
struct WindowWithButton {
    explicit WindowWithButton(TestWindows& windows, DWORD buttonStyle = 0) {
        TestWindowOptions options;
        options.title = L"Capture test window";
        options.rect = {420, 60, 820, 360};
        top = windows.Create(options);
        button = windows.CreateControl(top, L"Button", L"Press", {40, 40, 240, 120},
                                       BS_PUSHBUTTON | buttonStyle, 1001);
    }
    HWND top = nullptr;
    HWND button = nullptr;
};

void CaptureShowsTheControlAndLeavesTheForeground(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    folder.WriteIni(kOverlayIni);
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    TestWindows windows;
    const WindowWithButton test(windows);
    Foreground(check, test.top, L"the test window");
    ExpectTracked(check, app, L"the test window", test.top, kForegroundHeading, 1000);
    MoveMouse(Centre(RectOf(test.button)));
    Pause();
    PressCaptureHotkey();
    ExpectTracked(check, app, L"the button under the pointer", test.button, kCaptureHeading, 1000);
    check.That(L"the test window is still the foreground window", GetForegroundWindow() == test.top,
               L"the test window", L"another window");
    // Framed from the next tick on, for a second.
    const auto samples = FrameSamples(RectOf(test.button));
    WaitUntil(800, [&] {
        for (const COLORREF color : ReadFrameSamples(samples)) {
            if (color != kFrameBlue) {
                return false;
            }
        }
        return true;
    });
    CheckFrameColor(check, L"the button's frame", samples, kFrameBlue);
    // The display holds while the test window stays in front.
    Pause(600);
    check.Equal(L"the capture holds", kCaptureHeading, app.Text(ids::lbl_CurWindow));
}

void CaptureCatchesAnOpenMenu(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    TestWindows windows;
    const WindowWithButton test(windows);
    Foreground(check, test.top, L"the test window");
    // The menu's loop takes no pointer moves under Wine: the pointer waits where the menu opens.
    MoveMouse({585, 290});
    Pause();
    OpenPopupMenu(test.top, {560, 260});
    HWND menu = nullptr;
    WaitUntil(1000, [&] {
        menu = FindWindowW(L"#32768", nullptr);
        return menu != nullptr && IsWindowVisible(menu) && RectOf(menu).bottom > 260;
    });
    if (menu == nullptr || !IsWindowVisible(menu)) {
        check.Abort(L"the test window's menu opens", L"a menu window", L"none");
    }
    Pause();
    PressCaptureHotkey();
    const bool caught = WaitUntil(1000, [&] {
        return app.Text(ids::lbl_WindowClass) == L"#32768" &&
               app.Text(ids::lbl_CurWindow) == kCaptureHeading;
    });
    check.That(L"the menu window is shown", caught, L"class #32768",
               Quote(app.Text(ids::lbl_WindowClass)));
    check.That(L"the menu is still open", IsWindowVisible(menu) != FALSE, L"open", L"closed");
    PressKey(VK_ESCAPE);
    WaitUntil(1000, [&] { return !IsWindowVisible(menu); });
}

void CaptureReachesADisabledButtonUnderATransparentWindow(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    TestWindows windows;
    const WindowWithButton test(windows, WS_DISABLED);
    TestWindowOptions shade;
    shade.className = L"TarnwickE2EShade";
    shade.title = L"Shade";
    shade.rect = {400, 40, 840, 380};
    shade.style = WS_POPUP | WS_VISIBLE;
    const HWND layered = windows.Create(shade);
    SetWindowLongW(layered, GWL_EXSTYLE,
                   GetWindowLongW(layered, GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_TRANSPARENT);
    SetLayeredWindowAttributes(layered, 0, 128, LWA_ALPHA);
    Foreground(check, test.top, L"the test window");
    const POINT onButton = Centre(RectOf(test.button));
    MoveMouse(onButton);
    Pause();
    const HWND fromPoint = WindowFromPoint(onButton);
    PressCaptureHotkey();
    ExpectTracked(check, app, L"the first capture: what WindowFromPoint gives", fromPoint,
                  kCaptureHeading, 1000);
    bool reached = false;
    for (int press = 0; press < 4 && !reached; ++press) {
        PressCaptureHotkey();
        Pause();
        reached = Shows(ExpectedWindowData(test.button), ShownWindowData(app));
    }
    check.That(L"further presses reach the disabled button", reached, L"the button",
               Quote(app.Text(ids::lbl_WindowClass) + L" " + app.Text(ids::lbl_WindowTitle)));
}

// With only the target mode on, while the About box holds the main window off, and while the main
// window is minimised: each capture shows the button under the pointer.
void CaptureInEveryStateOfTheProgram(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    folder.WriteIni("[General]\r\nTrackForeground=0\r\n");
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    TestWindows windows;
    const WindowWithButton test(windows);
    const HWND other = windows.CreateControl(test.top, L"Button", L"Other", {260, 40, 380, 120},
                                             BS_PUSHBUTTON, 1002);
    const auto captureOver = [&](HWND control, std::wstring_view state) {
        MoveMouse(Centre(RectOf(control)));
        Pause();
        PressCaptureHotkey();
        ExpectTracked(check, app, std::wstring(L"captured ") + std::wstring(state), control,
                      kCaptureHeading, 1000);
    };
    captureOver(test.button, L"with only the target mode on");

    app.Command(ids::mnu_About);
    const std::optional<HWND> box = app.WaitForWindow(kAboutWindowClass, 3000);
    check.That(L"the About box opens", box.has_value(), L"open", L"none");
    captureOver(other, L"while the About box is open");
    if (box) {
        PostMessageW(*box, WM_CLOSE, 0, 0);
        WaitUntil(2000, [&] { return IsWindowEnabled(app.MainWindow()) != FALSE; });
    }

    ShowWindow(app.MainWindow(), SW_MINIMIZE);
    WaitUntil(1000, [&] { return IsIconic(app.MainWindow()) != FALSE; });
    captureOver(test.button, L"while the main window is minimised");
    check.That(L"the main window stays minimised", IsIconic(app.MainWindow()) != FALSE,
               L"minimised", L"restored");
    ShowWindow(app.MainWindow(), SW_RESTORE);
}

// Whether the driver can take the hotkey itself: it can when no program holds it.
bool HotkeyFree() {
    if (!RegisterHotKey(nullptr, kHotkeyId, MOD_CONTROL | MOD_SHIFT, VK_F8)) {
        return false;
    }
    UnregisterHotKey(nullptr, kHotkeyId);
    return true;
}

void HotkeySwitchedOffOrTaken(Check& check, const Environment& env) {
    {
        CaseFolder folder(check, env, L"capture_hotkey_none");
        folder.WriteIni("[General]\r\nCaptureHotkey=none\r\n");
        TarnwickApp app(check, env, folder.ExePath());
        app.Start();
        check.That(L"with CaptureHotkey=none nothing is registered", HotkeyFree(), L"free",
                   L"taken");
    }
    {
        CaseFolder folder(check, env, L"capture_hotkey_default");
        TarnwickApp app(check, env, folder.ExePath());
        app.Start();
        check.That(L"by default Ctrl+Shift+F8 is Tarnwick's", !HotkeyFree(), L"taken", L"free");
        check.That(L"closes", app.Close(), L"ended", L"still running");
        check.That(L"let go at the end", HotkeyFree(), L"free", L"taken");
    }
    const bool held = RegisterHotKey(nullptr, kHotkeyId, MOD_CONTROL | MOD_SHIFT, VK_F8) != FALSE;
    check.That(L"the driver holds Ctrl+Shift+F8", held, L"held", L"not");
    CaseFolder folder(check, env, L"capture_hotkey_taken");
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    TestWindows windows;
    const HWND other = windows.Create({});
    Foreground(check, other, L"a test window");
    ExpectTracked(check, app, L"with the hotkey taken, tracking", other, kForegroundHeading, 1000);
    check.That(L"no box at start-up", !app.WaitForWindow(L"#32770", 300).has_value(), L"none",
               L"a dialog");
    if (held) {
        UnregisterHotKey(nullptr, kHotkeyId);
    }
}

}  // namespace

std::vector<TestCase> CaptureCases() {
    return {
        {L"capture_hotkey_shows_the_control_and_leaves_the_foreground",
         CaptureShowsTheControlAndLeavesTheForeground},
        {L"capture_hotkey_catches_an_open_menu", CaptureCatchesAnOpenMenu},
        {L"capture_hotkey_reaches_a_disabled_button_under_a_transparent_window",
         CaptureReachesADisabledButtonUnderATransparentWindow},
        {L"capture_hotkey_in_every_state_of_the_program", CaptureInEveryStateOfTheProgram},
        {L"capture_hotkey_switched_off_or_taken", HotkeySwitchedOffOrTaken},
    };
}

}  // namespace tarnwick::e2e
