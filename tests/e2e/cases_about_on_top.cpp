// The About box and "DisableKeepOnTop": the box has no owner, so it is topmost exactly when the
// setting, as it is when the box opens, allows; it is in front of the main window, holds it off,
// and gives it back the activation when it closes. The help viewer likewise.

#include <windows.h>

#include "about/frmAbout_controls.h"
#include "main_window/frmMain_controls.h"
#include "tests/e2e/app.h"
#include "tests/e2e/case_folder.h"
#include "tests/e2e/cases.h"
#include "tests/e2e/input.h"
#include "tests/e2e/text.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_query.h"

namespace tarnwick::e2e {
namespace {

namespace ids = frmMainControls;

// Whether `upper` lies before `lower` in the z-order, from the top.
bool InFrontOf(HWND upper, HWND lower) {
    for (HWND window = GetTopWindow(nullptr); window != nullptr;
         window = GetWindow(window, GW_HWNDNEXT)) {
        if (window == upper) {
            return true;
        }
        if (window == lower) {
            return false;
        }
    }
    return false;
}

std::wstring Flag(bool on) {
    return on ? L"yes" : L"no";
}

HWND OpenAbout(Check& check, TarnwickApp& app) {
    app.Command(ids::mnu_About);
    const std::optional<HWND> box = app.WaitForWindow(kAboutWindowClass, 3000);
    if (!box) {
        check.Abort(L"\"&About\" opens the About box", L"a window of class Tarnwick.frmAbout",
                    L"none within 3000 ms");
    }
    Pause();
    return *box;
}

void CheckOpen(Check& check, TarnwickApp& app, HWND box, bool boxTopmost) {
    const HWND main = app.MainWindow();
    check.That(L"About box has no owner", GetWindow(box, GW_OWNER) == nullptr, L"none",
               Hex(static_cast<std::uint32_t>(HandleValue(GetWindow(box, GW_OWNER)))));
    check.EqualFlag(L"About box topmost (WS_EX_TOPMOST)", boxTopmost, IsTopmost(box));
    check.That(L"About box in front of the main window", InFrontOf(box, main), L"in front",
               L"behind");
    check.That(L"About box is the foreground window", GetForegroundWindow() == box, L"About box",
               Hex(static_cast<std::uint32_t>(HandleValue(GetForegroundWindow()))));
    check.EqualFlag(L"main window disabled while the box is open", false,
                    IsWindowEnabled(main) != FALSE);
}

// The main window brought forward while the box is open (from the taskbar, say) passes the
// activation back to the box, which comes in front of it again.
void CheckMainPassesActivation(Check& check, TarnwickApp& app, HWND box) {
    SetForegroundWindow(app.MainWindow());
    const bool back = WaitUntil(1000, [&] { return GetForegroundWindow() == box; });
    check.That(L"the main window, activated, passes the activation to the box", back, L"About box",
               Hex(static_cast<std::uint32_t>(HandleValue(GetForegroundWindow()))));
    check.That(L"About box in front of the main window again", InFrontOf(box, app.MainWindow()),
               L"in front", L"behind");
}

void CheckClosedAgain(Check& check, TarnwickApp& app, HWND box, bool mainTopmost) {
    const HWND main = app.MainWindow();
    // A click on OK, as the button reports it.
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(frmAboutControls::btn_OK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, frmAboutControls::btn_OK)));
    const bool closed = WaitUntil(3000, [&] { return !IsWindow(box) || !IsWindowVisible(box); });
    check.That(L"the About box closes", closed, L"closed", L"open");
    if (!closed) {
        PostMessageW(box, WM_CLOSE, 0, 0);
        WaitUntil(3000, [&] { return !IsWindow(box) || !IsWindowVisible(box); });
    }
    WaitUntil(1000, [&] { return GetForegroundWindow() == main; });
    check.That(L"the main window has the activation back", GetForegroundWindow() == main,
               L"main window", Hex(static_cast<std::uint32_t>(HandleValue(GetForegroundWindow()))));
    check.EqualFlag(L"main window enabled again", true, IsWindowEnabled(main) != FALSE);
    check.That(L"main window topmost as before the box", IsTopmost(main) == mainTopmost,
               Flag(mainTopmost), Flag(IsTopmost(main)));
}

// Starts with the settings file's text and opens and closes the box; topmost says where both
// windows must stand.
void AboutFromTheStart(Check& check, const Environment& env, const char* ini, bool topmost) {
    CaseFolder folder(check, env, check.CaseName());
    if (*ini != '\0') {
        folder.WriteIni(ini);
    }
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    check.EqualFlag(L"main window topmost", topmost, IsTopmost(app.MainWindow()));
    const HWND box = OpenAbout(check, app);
    CheckOpen(check, app, box, topmost);
    CheckMainPassesActivation(check, app, box);
    CheckClosedAgain(check, app, box, topmost);
}

void AboutOnTopByDefault(Check& check, const Environment& env) {
    AboutFromTheStart(check, env, "", true);
}

void AboutWithKeepOnTopDisabledAtStart(Check& check, const Environment& env) {
    AboutFromTheStart(check, env, "[General]\r\nDisableKeepOnTop=1\r\n", false);
}

void AboutWithKeepOnTopDisabledWhileRunning(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    const HWND main = app.MainWindow();
    check.EqualFlag(L"main window topmost after a start without the key", true, IsTopmost(main));
    check.That(L"DisableKeepOnTop=1 written while Tarnwick runs",
               WritePrivateProfileStringW(L"General", L"DisableKeepOnTop", L"1",
                                          folder.IniPath().c_str()) != FALSE,
               L"written", L"error " + Decimal(GetLastError()));
    const HWND box = OpenAbout(check, app);
    CheckOpen(check, app, box, false);
    // The box cannot be in front of a topmost window without being topmost itself.
    check.EqualFlag(L"main window out of the topmost band while the box is open", false,
                    IsTopmost(main));
    CheckClosedAgain(check, app, box, true);

    // Taken out again: the next box is topmost once more.
    WritePrivateProfileStringW(L"General", L"DisableKeepOnTop", L"0", folder.IniPath().c_str());
    const HWND next = OpenAbout(check, app);
    check.EqualFlag(L"next box after DisableKeepOnTop=0: topmost", true, IsTopmost(next));
    CheckClosedAgain(check, app, next, true);
}

// The help viewer has no owner and is topmost exactly when the settings file, as it is when the
// viewer opens, allows; a viewer that is not topmost still opens in front of the main window
// when that is not topmost either.
HWND OpenHelp(Check& check, TarnwickApp& app, bool topmost) {
    app.Command(ids::btn_Help);
    const std::optional<HWND> viewer = app.WaitForWindow(kHelpWindowClass, 3000);
    if (!viewer) {
        check.Abort(L"\"?\" opens the help viewer", L"a window of class TarnwickHelp", L"none");
    }
    Pause();
    check.That(L"help viewer has no owner", GetWindow(*viewer, GW_OWNER) == nullptr, L"none",
               Hex(static_cast<std::uint32_t>(HandleValue(GetWindow(*viewer, GW_OWNER)))));
    check.EqualFlag(L"help viewer topmost (WS_EX_TOPMOST)", topmost, IsTopmost(*viewer));
    if (topmost || !IsTopmost(app.MainWindow())) {
        check.That(L"help viewer in front of the main window", InFrontOf(*viewer, app.MainWindow()),
                   L"in front", L"behind");
    }
    return *viewer;
}

void HelpViewerOnTopAsTheSettingsSay(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    OpenHelp(check, app, true);
    WritePrivateProfileStringW(L"General", L"DisableKeepOnTop", L"1", folder.IniPath().c_str());
    OpenHelp(check, app, false);
    check.EqualFlag(L"main window still topmost", true, IsTopmost(app.MainWindow()));

    CaseFolder disabled(check, env, check.CaseName() + L" disabled");
    disabled.WriteIni("[General]\r\nDisableKeepOnTop=1\r\n");
    TarnwickApp second(check, env, disabled.ExePath());
    app.Close();
    second.Start();
    OpenHelp(check, second, false);
}

}  // namespace

std::vector<TestCase> AboutOnTopCases() {
    return {
        {L"about_on_top_by_default", AboutOnTopByDefault},
        {L"about_on_top_disabled_at_start", AboutWithKeepOnTopDisabledAtStart},
        {L"about_on_top_disabled_while_running", AboutWithKeepOnTopDisabledWhileRunning},
        {L"about_on_top_help_viewer_as_the_settings_say", HelpViewerOnTopAsTheSettingsSay},
    };
}

}  // namespace tarnwick::e2e
