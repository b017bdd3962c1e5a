// Live tracking: the display following the foreground window, the drag target with its frame on
// the window under the pointer, the end of a drag when the capture is lost, the frame colour
// chosen in the colour dialog, and the two mode items of the "&Tracking" menu.

#include <windows.h>

#include <algorithm>

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
#include "tests/e2e/window_query.h"

namespace tarnwick::e2e {
namespace {

namespace ids = frmMainControls;

constexpr wchar_t kForegroundHeading[] = L"Current foreground window";
constexpr wchar_t kTargetHeading[] = L"Window under target";
constexpr DWORD kFollowTimeoutMs = 200;
constexpr COLORREF kDefaultFrameColor = RGB(0, 0, 255);  // 16711680
constexpr COLORREF kGreen = RGB(0, 255, 0);              // 65280
constexpr COLORREF kRed = RGB(255, 0, 0);                // 255
constexpr wchar_t kDialogClass[] = L"#32770";
// The colour dialog's edit boxes for red, green and blue.
constexpr int kRedEdit = 706;
constexpr int kGreenEdit = 707;
constexpr int kBlueEdit = 708;

TestWindowOptions SecondWindow() {
    TestWindowOptions options;
    options.title = L"Second test window";
    options.rect = {40, 300, 340, 520};
    options.background = RGB(255, 255, 192);
    return options;
}

// The driver's windows for a drag: the backdrop and a target window. They are made before
// Tarnwick starts: without a window manager, a window shown later lies above Tarnwick's in the
// X server's stacking even though Tarnwick keeps on top, and would take the press meant for
// the drag target.
struct DragScene {
    TestWindows windows;
    HWND backdrop = windows.CreateBackdrop();
    HWND target = windows.Create({});
};

// A whole drag from the target onto the window: data and frame while held, frame gone and data
// kept after the release.
void DragOnto(Check& check, TarnwickApp& app, HWND target, COLORREF frameColor) {
    const auto samples = FrameSamples(WindowRect(target));
    const auto before = ReadFrameSamples(samples);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        check.That(std::wstring(L"before the drag, the ") + samples[i].edge +
                       L" edge differs from the frame colour",
                   before[i] != frameColor, L"not " + ColorText(frameColor), ColorText(before[i]));
    }
    PointAtTarget(check, app);
    HeldLeftButton button;
    Pause();
    DragTo(Centre(WindowRect(target)), 5);
    Pause();
    ExpectTracked(check, app, L"while held over the test window", target, kTargetHeading, 1000);
    CheckFrameColor(check, L"frame while held", samples, frameColor);

    button.Release();
    WaitUntil(
        2000, [&] { return ReadFrameSamples(samples) == before; }, 50);
    const auto after = ReadFrameSamples(samples);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        check.That(std::wstring(L"frame gone after the release, ") + samples[i].edge + L" edge",
                   after[i] == before[i], ColorText(before[i]), ColorText(after[i]));
    }
    check.Equal(L"after the release: lbl_CurWindow", kTargetHeading, app.Text(ids::lbl_CurWindow));
    CheckWindowData(check, L"after the release", ExpectedWindowData(target), ShownWindowData(app));
}

void FollowsForeground(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    TestWindows windows;
    const HWND first = windows.Create({});
    const HWND second = windows.Create(SecondWindow());
    Foreground(check, first, L"the test window");
    ExpectTracked(check, app, L"first test window", first, kForegroundHeading, kFollowTimeoutMs);
    Foreground(check, second, L"the second test window");
    ExpectTracked(check, app, L"second test window", second, kForegroundHeading, kFollowTimeoutMs);
}

void ForegroundModeOff(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    folder.WriteIni("[General]\r\nTrackForeground=0\r\n");
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    const std::wstring heading = app.Text(ids::lbl_CurWindow);
    const WindowData shown = ShownWindowData(app);
    TestWindows windows;
    Foreground(check, windows.Create({}), L"the test window");
    Pause(500);
    check.Equal(L"lbl_CurWindow unchanged", heading, app.Text(ids::lbl_CurWindow));
    CheckWindowData(check, L"data unchanged", shown, ShownWindowData(app));
}

void DragFramesWindowUnderTarget(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    DragScene scene;
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    DragOnto(check, app, scene.target, kDefaultFrameColor);
}

void CaptureLossEndsDrag(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    DragScene scene;
    const HWND first = scene.target;
    const HWND second = scene.windows.Create(SecondWindow());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    const auto samples = FrameSamples(WindowRect(first));
    const auto before = ReadFrameSamples(samples);

    PointAtTarget(check, app);
    HeldLeftButton button;
    Pause();
    DragTo(Centre(WindowRect(first)), 4);
    Pause();
    ExpectTracked(check, app, L"dragging over the first window", first, kTargetHeading, 1000);

    // Another window takes the foreground while the button is still held: the drag is over.
    Foreground(check, second, L"the second test window");
    ExpectTracked(check, app, L"after the capture loss", second, kForegroundHeading, 1000);
    WaitUntil(
        2000, [&] { return ReadFrameSamples(samples) == before; }, 50);
    const auto after = ReadFrameSamples(samples);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        check.That(
            std::wstring(L"frame gone after the capture loss, ") + samples[i].edge + L" edge",
            after[i] == before[i], ColorText(before[i]), ColorText(after[i]));
    }

    // Back in the main window with the button still down, moving over the first window: a
    // drag that had not ended would show it under "Window under target".
    Foreground(check, app.MainWindow(), L"the main window");
    MoveMouse(Centre(WindowRect(first)));
    Pause(500);
    check.Equal(L"no drag after the capture loss: lbl_CurWindow", kForegroundHeading,
                app.Text(ids::lbl_CurWindow));
    CheckWindowData(check, L"no drag after the capture loss", ExpectedWindowData(second),
                    ShownWindowData(app));
    button.Release();
}

// A second drag pressed 200 ms after the first at the same spot (a double-click for the
// system) is a drag like the first: the labels follow it to the second window.
void QuickSecondDrag(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    DragScene scene;
    const HWND second = scene.windows.Create(SecondWindow());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    PointAtTarget(check, app);
    POINT spot{};
    GetCursorPos(&spot);
    const ULONGLONG firstPress = GetTickCount64();
    PressLeftButton();
    MoveMouse(Centre(WindowRect(scene.target)));
    Sleep(120);
    ReleaseLeftButton();
    MoveMouse(spot);
    Sleep(static_cast<DWORD>(firstPress + 200 - std::min(GetTickCount64(), firstPress + 200)));
    const ULONGLONG apart = GetTickCount64() - firstPress;
    HeldLeftButton button;
    check.That(L"the presses lie within the double-click time", apart < GetDoubleClickTime(),
               L"under " + std::to_wstring(GetDoubleClickTime()) + L" ms",
               std::to_wstring(apart) + L" ms");
    DragTo(Centre(WindowRect(second)), 3);
    ExpectTracked(check, app, L"the second drag", second, kTargetHeading, 1000);
}

// Activation storms: a foreground of none while the activation changes hands is no window to
// show, so the record on show is never blank.
void ForegroundSwitchesNeverBlank(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    TestWindows windows;
    const HWND test = windows.Create({});
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    const std::wstring testHandle = ExpectedWindowData(test).decimal;
    int blank = 0;
    for (int i = 0; i < 200; ++i) {
        BringToForeground(test);
        WaitUntil(500, [&] { return app.Text(ids::lbl_WindowHandleDecimal) == testHandle; });
        BringToForeground(app.MainWindow());
        Sleep(60);
        blank += app.Text(ids::lbl_WindowHandleDecimal) == L"Dec:  0" ? 1 : 0;
    }
    check.Equal(L"blank records in 200 switches", 0, blank);
}

HWND OpenColorDialog(Check& check, TarnwickApp& app) {
    app.Command(ids::mnu_SetBorderColor);
    const std::optional<HWND> dialog = app.WaitForWindow(kDialogClass, 3000);
    if (!dialog) {
        check.Abort(L"\"&Set border color...\" opens the colour dialog",
                    L"a dialog window of Tarnwick's process within 3000 ms", L"none");
    }
    return *dialog;
}

void PressDialogButton(Check& check, HWND dialog, int button, std::wstring_view name) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    const bool closed = WaitUntil(3000, [&] { return !IsWindowVisible(dialog); });
    check.That(std::wstring(name) + L" closes the colour dialog", closed, L"closed", L"still open");
}

void SetDialogEdit(HWND dialog, int id, const wchar_t* text) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, &result);
}

void ColorDialogCancel(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    folder.WriteIni("[General]\r\nBorderColor=65280\r\n");
    DragScene scene;
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    const std::optional<std::string> before = folder.ReadIni();
    const HWND dialog = OpenColorDialog(check, app);
    // The dialog is a window like any other for the tracking loop.
    ExpectTracked(check, app, L"colour dialog in the foreground", dialog, kForegroundHeading, 1000);
    SetDialogEdit(dialog, kRedEdit, L"255");
    SetDialogEdit(dialog, kGreenEdit, L"0");
    SetDialogEdit(dialog, kBlueEdit, L"0");
    PressDialogButton(check, dialog, IDCANCEL, L"Cancel");
    Pause();
    check.That(L"Tarnwick.ini untouched by the cancel", folder.ReadIni() == before,
               L"the same bytes", L"changed");
    DragOnto(check, app, scene.target, kGreen);
}

void ColorDialogChooseRed(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    DragScene scene;
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    const HWND dialog = OpenColorDialog(check, app);
    SetDialogEdit(dialog, kRedEdit, L"255");
    SetDialogEdit(dialog, kGreenEdit, L"0");
    SetDialogEdit(dialog, kBlueEdit, L"0");
    PressDialogButton(check, dialog, IDOK, L"OK");
    std::optional<std::wstring> color;
    WaitUntil(1000, [&] {
        color = ReadIniValue(folder.IniPath(), L"General", L"BorderColor");
        return color.has_value();
    });
    check.Equal(L"BorderColor written at once", L"255", color.value_or(L"(missing)"));
    DragOnto(check, app, scene.target, kRed);
}

void ColorDialogOkUnchanged(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    folder.WriteIni("[General]\r\nBorderColor=65280\r\n");
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    const HWND dialog = OpenColorDialog(check, app);
    PressDialogButton(check, dialog, IDOK, L"OK");
    Pause();
    check.Equal(L"BorderColor written again", L"65280",
                ReadIniValue(folder.IniPath(), L"General", L"BorderColor").value_or(L"(missing)"));
}

struct Modes {
    bool foreground;
    bool target;
};

void ClickAndExpect(Check& check, TarnwickApp& app, int item, Modes expected) {
    const std::wstring name =
        item == ids::mnu_TrackForeground ? L"\"&Foreground window\"" : L"\"&Target window\"";
    app.Command(item);
    Pause(200);
    const std::wstring after = L"after " + name + L": ";
    check.EqualFlag(after + L"foreground item checked", expected.foreground,
                    app.MenuChecked(ids::mnu_TrackForeground));
    check.EqualFlag(after + L"target item checked", expected.target,
                    app.MenuChecked(ids::mnu_TrackTarget));
    check.EqualFlag(after + L"img_Target visible", expected.target,
                    IsWindowVisible(app.Control(ids::img_Target)) != FALSE);
}

void ModeMenuToggles(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    ClickAndExpect(check, app, ids::mnu_TrackForeground, {false, true});  // from on, on
    ClickAndExpect(check, app, ids::mnu_TrackTarget, {true, false});      // from off, on
    ClickAndExpect(check, app, ids::mnu_TrackForeground, {false, true});  // from on, off
    ClickAndExpect(check, app, ids::mnu_TrackForeground, {true, true});   // from off, on
    ClickAndExpect(check, app, ids::mnu_TrackTarget, {true, false});      // from on, on
    ClickAndExpect(check, app, ids::mnu_TrackTarget, {true, true});       // from on, off
}

void ModeMenuFromBothOff(Check& check, const Environment& env, int item) {
    CaseFolder folder(check, env, check.CaseName());
    folder.WriteIni("[General]\r\nTrackForeground=0\r\nTrackTarget=0\r\n");
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    ClickAndExpect(check, app, item, {true, true});
}

void ForegroundItemFromBothOff(Check& check, const Environment& env) {
    ModeMenuFromBothOff(check, env, ids::mnu_TrackForeground);
}

void TargetItemFromBothOff(Check& check, const Environment& env) {
    ModeMenuFromBothOff(check, env, ids::mnu_TrackTarget);
}

}  // namespace

std::vector<TestCase> TrackingCases() {
    return {
        {L"tracking_follows_foreground", FollowsForeground},
        {L"tracking_foreground_mode_off", ForegroundModeOff},
        {L"tracking_drag_frames_window_under_target", DragFramesWindowUnderTarget},
        {L"tracking_capture_loss_ends_drag", CaptureLossEndsDrag},
        {L"tracking_quick_second_drag", QuickSecondDrag},
        {L"tracking_foreground_switches_never_blank", ForegroundSwitchesNeverBlank},
        {L"tracking_color_dialog_cancel", ColorDialogCancel},
        {L"tracking_color_dialog_choose_red", ColorDialogChooseRed},
        {L"tracking_color_dialog_ok_unchanged", ColorDialogOkUnchanged},
        {L"tracking_mode_menu_toggles", ModeMenuToggles},
        {L"tracking_foreground_item_from_both_off", ForegroundItemFromBothOff},
        {L"tracking_target_item_from_both_off", TargetItemFromBothOff},
    };
}

}  // namespace tarnwick::e2e
