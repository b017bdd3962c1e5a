// Start-up from a prepared settings file: placement on the screen, keeping on top, the two
// tracking modes, a folder name outside the ANSI code page, and settings files that are broken
// in every way a user or a disk can break them.

#include <windows.h>

#include <cmath>
#include <string>

#include "main_window/frmMain_controls.h"
#include "tests/e2e/app.h"
#include "tests/e2e/case_folder.h"
#include "tests/e2e/cases.h"
#include "tests/e2e/test_windows.h"
#include "tests/e2e/text.h"
#include "tests/e2e/window_query.h"

namespace tarnwick::e2e {
namespace {

namespace ids = frmMainControls;

// The main window is placed while its client area still has its first size; the arrangement
// shrinks it afterwards, keeping its top-left corner.
constexpr double kFirstClientWidthTwips = 4272;
constexpr double kFirstClientHeightTwips = 2916;
// Two roundings from twips to pixels lie between the placement and the window on the screen.
constexpr double kPlacementTolerance = 1.5;

struct OuterSize {
    double width;   // pixels
    double height;  // pixels
};

// The window's outer size in pixels at the moment it was placed: today's frame around the
// first client area.
OuterSize SizeWhenPlaced(HWND main, const ScreenInfo& screen) {
    const RECT outer = WindowRect(main);
    const SIZE client = ClientSize(main);
    return {outer.right - outer.left - client.cx + kFirstClientWidthTwips / screen.twipsPerPixelX,
            outer.bottom - outer.top - client.cy + kFirstClientHeightTwips / screen.twipsPerPixelY};
}

// The work area's far edges in pixels, as the placement works them out: its width and height
// (not its offset) times whole twips per pixel.
double WorkLimit(LONG from, LONG to, double twipsPerPixel) {
    return (to - from) * std::nearbyint(twipsPerPixel) / twipsPerPixel;
}

void CheckModes(Check& check, TarnwickApp& app, bool foreground, bool target) {
    const auto state = [](bool on) { return on ? L" checked" : L" unchecked"; };
    check.EqualFlag(std::wstring(L"\"&Foreground window\"") + state(foreground), foreground,
                    app.MenuChecked(ids::mnu_TrackForeground));
    check.EqualFlag(std::wstring(L"\"&Target window\"") + state(target), target,
                    app.MenuChecked(ids::mnu_TrackTarget));
    check.EqualFlag(target ? L"img_Target visible" : L"img_Target hidden", target,
                    IsWindowVisible(app.Control(ids::img_Target)) != FALSE);
}

void CheckCentred(Check& check, const Environment& env, HWND main) {
    const OuterSize placed = SizeWhenPlaced(main, env.screen);
    const RECT r = WindowRect(main);
    check.Near(L"left (px): centred on the whole screen", (env.screen.width - placed.width) / 2,
               r.left, kPlacementTolerance);
    check.Near(L"top (px): centred on the whole screen", (env.screen.height - placed.height) / 2,
               r.top, kPlacementTolerance);
}

void CheckPlacedAt(Check& check, const Environment& env, HWND main, double leftTwips,
                   double topTwips) {
    const RECT r = WindowRect(main);
    check.Near(L"left (px) from the saved twips", leftTwips / env.screen.twipsPerPixelX, r.left,
               kPlacementTolerance);
    check.Near(L"top (px) from the saved twips", topTwips / env.screen.twipsPerPixelY, r.top,
               kPlacementTolerance);
}

void FirstRun(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    CheckCentred(check, env, app.MainWindow());
    check.EqualFlag(L"topmost (WS_EX_TOPMOST)", true, IsTopmost(app.MainWindow()));
    CheckModes(check, app, true, true);
}

void SavedPosition(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    folder.WriteIni("[Position]\r\nleft=1500\r\ntop=900\r\nwidth=4230\r\n");
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    CheckPlacedAt(check, env, app.MainWindow(), 1500, 900);
}

void SavedPositionWithoutWidth(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    folder.WriteIni("[Position]\r\nleft=1500\r\ntop=900\r\n");
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    CheckCentred(check, env, app.MainWindow());
}

void SavedLeftBeyondWorkArea(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    folder.WriteIni("[Position]\r\nleft=30000\r\ntop=900\r\nwidth=4230\r\n");
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    const OuterSize placed = SizeWhenPlaced(app.MainWindow(), env.screen);
    const RECT& work = env.screen.workArea;
    check.Near(L"left (px): right edge pulled back onto the work area's width",
               WorkLimit(work.left, work.right, env.screen.twipsPerPixelX) - placed.width,
               WindowRect(app.MainWindow()).left, kPlacementTolerance);
    check.Near(L"top (px) as saved", 900 / env.screen.twipsPerPixelY,
               WindowRect(app.MainWindow()).top, kPlacementTolerance);
}

void SavedTopBeyondWorkArea(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    folder.WriteIni("[Position]\r\nleft=1500\r\ntop=30000\r\nwidth=4230\r\n");
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    const OuterSize placed = SizeWhenPlaced(app.MainWindow(), env.screen);
    const RECT& work = env.screen.workArea;
    check.Near(L"top (px): bottom edge pulled back onto the work area's height",
               WorkLimit(work.top, work.bottom, env.screen.twipsPerPixelY) - placed.height,
               WindowRect(app.MainWindow()).top, kPlacementTolerance);
    check.Near(L"left (px) as saved", 1500 / env.screen.twipsPerPixelX,
               WindowRect(app.MainWindow()).left, kPlacementTolerance);
}

void SavedNegativePosition(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    folder.WriteIni("[Position]\r\nleft=-15\r\ntop=-300\r\nwidth=4230\r\n");
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    CheckPlacedAt(check, env, app.MainWindow(), 0, 0);
}

void DisableKeepOnTop(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    folder.WriteIni("[General]\r\nDisableKeepOnTop=1\r\n");
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    check.EqualFlag(L"topmost (WS_EX_TOPMOST)", false, IsTopmost(app.MainWindow()));
}

void TrackTargetOff(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    folder.WriteIni("[General]\r\nTrackTarget=0\r\n");
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    CheckModes(check, app, true, false);
}

void TrackForegroundOff(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    folder.WriteIni("[General]\r\nTrackForeground=0\r\n");
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    CheckModes(check, app, false, true);
}

void TrackForegroundTwo(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    folder.WriteIni("[General]\r\nTrackForeground=2\r\nTrackTarget=2\r\n");
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    CheckModes(check, app, true, true);
}

void UnicodeFolder(Check& check, const Environment& env) {
    CaseFolder folder(check, env, kUnicodeTitle);
    folder.WriteIni(
        "[General]\r\nTrackTarget=0\r\n[Position]\r\nleft=1500\r\ntop=900\r\n"
        "width=4230\r\n");
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    CheckModes(check, app, true, false);
    CheckPlacedAt(check, env, app.MainWindow(), 1500, 900);
    check.That(L"closes on WM_CLOSE", app.Close(), L"ended within 5000 ms", L"killed");
    const std::optional<std::wstring> target =
        ReadIniValue(folder.IniPath(), L"General", L"TrackTarget");
    check.Equal(L"TrackTarget written back into the folder's Tarnwick.ini", L"0",
                target.value_or(L"(missing)"));
    const std::optional<std::wstring> left = ReadIniValue(folder.IniPath(), L"Position", L"left");
    check.Equal(L"left written back into the folder's Tarnwick.ini", L"1500",
                Trim(left.value_or(L"(missing)")));
}

// A settings file that is no help: the program still starts, its window lies inside the work
// area, it answers, and it closes on WM_CLOSE.
void ExpectNormalLife(Check& check, const Environment& env, TarnwickApp& app) {
    app.Start();
    const HWND main = app.MainWindow();
    check.That(L"main window visible", IsWindowVisible(main) != FALSE, L"visible", L"hidden");
    const RECT r = WindowRect(main);
    const RECT& work = env.screen.workArea;
    const bool inside = r.left >= work.left - 1 && r.top >= work.top - 1 &&
                        r.right <= work.right + 1 && r.bottom <= work.bottom + 1;
    check.That(L"main window inside the work area", inside, L"inside " + RectText(work),
               RectText(r));
    check.That(L"answers messages", TryWindowText(app.Control(ids::lbl_CurWindow)).has_value(),
               L"an answer to WM_GETTEXT", L"none");
    check.That(L"closes on WM_CLOSE", app.Close(), L"ended within 5000 ms", L"killed");
}

std::string AllKeys(const std::string& value) {
    std::string text = "[General]\r\n";
    for (const char* key : {"TrackForeground", "TrackTarget", "BorderColor", "DisableKeepOnTop"}) {
        text += std::string(key) + "=" + value + "\r\n";
    }
    text += "[Position]\r\n";
    for (const char* key : {"left", "top", "width", "height", "windowstate"}) {
        text += std::string(key) + "=" + value + "\r\n";
    }
    return text;
}

void HostileValues(Check& check, const Environment& env, const std::string& value) {
    CaseFolder folder(check, env, check.CaseName());
    folder.WriteIni(AllKeys(value));
    TarnwickApp app(check, env, folder.ExePath());
    ExpectNormalLife(check, env, app);
}

void HostileHugeNumbers(Check& check, const Environment& env) {
    HostileValues(check, env, "99999999999");
}

void HostileMinusZero(Check& check, const Environment& env) {
    HostileValues(check, env, "-0");
}

void HostileWords(Check& check, const Environment& env) {
    HostileValues(check, env, "abc");
}

void HostileEmptyValues(Check& check, const Environment& env) {
    HostileValues(check, env, "");
}

void HostileBinaryGarbage(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    std::string bytes(64 * 1024, '\0');
    std::uint32_t state = 12345;
    for (char& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>(state >> 24);
    }
    folder.WriteIni(bytes);
    TarnwickApp app(check, env, folder.ExePath());
    ExpectNormalLife(check, env, app);
}

void HostileMegabyteLines(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    const std::string megabyte(1 << 20, '7');
    folder.WriteIni("[General]\r\nTrackForeground=" + megabyte + "\r\n" + megabyte +
                    "\r\n[Position]\r\nleft=" + megabyte + "\r\nwidth=1\r\n[" + megabyte + "]\r\n");
    TarnwickApp app(check, env, folder.ExePath());
    ExpectNormalLife(check, env, app);
}

void MissingSections(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    folder.WriteIni("[Other]\r\nTrackForeground=0\r\nleft=1500\r\n");
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    CheckCentred(check, env, app.MainWindow());
    check.EqualFlag(L"topmost (WS_EX_TOPMOST)", true, IsTopmost(app.MainWindow()));
    CheckModes(check, app, true, true);
    check.That(L"closes on WM_CLOSE", app.Close(), L"ended within 5000 ms", L"killed");
}

void ReadOnlyFile(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    folder.WriteIni("[General]\r\nTrackTarget=0\r\n");
    SetFileAttributesW(folder.IniPath().c_str(), FILE_ATTRIBUTE_READONLY);
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    CheckModes(check, app, true, false);
    check.That(L"closes on WM_CLOSE", app.Close(), L"ended within 5000 ms", L"killed");
}

void FileCannotBeCreated(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    // A folder in the settings file's place: it can be neither read nor created.
    CreateDirectoryW(folder.IniPath().c_str(), nullptr);
    TarnwickApp app(check, env, folder.ExePath());
    ExpectNormalLife(check, env, app);
}

}  // namespace

std::vector<TestCase> StartupCases() {
    return {
        {L"startup_first_run_centred_topmost", FirstRun},
        {L"startup_saved_position", SavedPosition},
        {L"startup_saved_position_without_width_centres", SavedPositionWithoutWidth},
        {L"startup_saved_left_beyond_work_area", SavedLeftBeyondWorkArea},
        {L"startup_saved_top_beyond_work_area", SavedTopBeyondWorkArea},
        {L"startup_saved_negative_position", SavedNegativePosition},
        {L"startup_disable_keep_on_top", DisableKeepOnTop},
        {L"startup_track_target_off", TrackTargetOff},
        {L"startup_track_foreground_off", TrackForegroundOff},
        {L"startup_track_modes_two", TrackForegroundTwo},
        {L"startup_unicode_folder", UnicodeFolder},
        {L"startup_missing_sections", MissingSections},
        {L"startup_hostile_huge_numbers", HostileHugeNumbers},
        {L"startup_hostile_minus_zero", HostileMinusZero},
        {L"startup_hostile_words", HostileWords},
        {L"startup_hostile_empty_values", HostileEmptyValues},
        {L"startup_hostile_binary_garbage", HostileBinaryGarbage},
        {L"startup_hostile_megabyte_lines", HostileMegabyteLines},
        {L"startup_hostile_read_only_file", ReadOnlyFile},
        {L"startup_hostile_file_cannot_be_created", FileCannotBeCreated},
    };
}

}  // namespace tarnwick::e2e
