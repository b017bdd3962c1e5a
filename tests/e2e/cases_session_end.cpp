// The end of the Windows session while Tarnwick runs: the system asks every top-level window
// whether the session may end, tells each that it ends, and may end the process as soon as the
// last answer is back. The driver does the same, then ends the process at once.

#include <windows.h>

#include <vector>

#include "main_window/frmMain_controls.h"
#include "tests/e2e/app.h"
#include "tests/e2e/case_folder.h"
#include "tests/e2e/cases.h"
#include "tests/e2e/ini_checks.h"
#include "tests/e2e/input.h"
#include "tests/e2e/text.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_query.h"

namespace tarnwick::e2e {
namespace {

namespace ids = frmMainControls;

constexpr DWORD kAnswerTimeoutMs = 5000;

// Every top-level window of the process, shown or not, as the system addresses them.
std::vector<HWND> AllTopLevelWindows(DWORD processId) {
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s.processId) {
                s.found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// WM_QUERYENDSESSION to every window, then WM_ENDSESSION with `ending`; true when every window
// that answered the query agreed.
bool EndSession(Check& check, const TarnwickApp& app, bool ending) {
    const std::vector<HWND> windows = AllTopLevelWindows(app.ProcessId());
    bool agreed = true;
    for (const HWND window : windows) {
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs,
                                &answer) != 0 &&
            answer == FALSE) {
            agreed = false;
        }
    }
    check.That(L"every window agrees that the session may end", agreed, L"TRUE from all",
               L"FALSE from one");
    const ULONGLONG start = GetTickCount64();
    for (const HWND window : windows) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(window, WM_ENDSESSION, ending ? TRUE : FALSE, ENDSESSION_LOGOFF,
                            SMTO_NORMAL, kAnswerTimeoutMs, &answer);
    }
    const ULONGLONG took = GetTickCount64() - start;
    check.That(L"WM_ENDSESSION answered in time", took < kAnswerTimeoutMs,
               L"under " + Decimal(kAnswerTimeoutMs) + L" ms", Decimal(took) + L" ms");
    return agreed;
}

// Ends the process the moment the last answer is back, as the system may.
void EndProcessAtOnce(const TarnwickApp& app) {
    const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, app.ProcessId());
    if (process != nullptr) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

// Moves the main window and switches target tracking off, so that what the end of the session
// saves differs from the defaults.
RECT ChangePlacementAndMode(Check& check, TarnwickApp& app) {
    const HWND main = app.MainWindow();
    SetWindowPos(main, nullptr, 220, 170, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const bool moved = WaitUntil(1000, [&] {
        const RECT r = WindowRect(main);
        return r.left == 220 && r.top == 170;
    });
    check.That(L"main window moved to (220, 170)", moved, L"(220, 170)",
               RectText(WindowRect(main)));
    app.Command(ids::mnu_TrackTarget);
    Pause(200);
    check.EqualFlag(L"\"&Target window\" switched off", false,
                    app.MenuChecked(ids::mnu_TrackTarget));
    return WindowRect(main);
}

void CheckSaved(Check& check, const Environment& env, const CaseFolder& folder,
                const RECT& placed) {
    const std::wstring ini = folder.IniPath();
    const double tx = env.screen.twipsPerPixelX;
    const double ty = env.screen.twipsPerPixelY;
    CheckIniText(check, ini, L"General", L"TrackForeground", L"1");
    CheckIniText(check, ini, L"General", L"TrackTarget", L"0");
    CheckIniNumber(check, ini, L"Position", L"left", placed.left * tx, tx);
    CheckIniNumber(check, ini, L"Position", L"top", placed.top * ty, ty);
    CheckIniNumber(check, ini, L"Position", L"width", (placed.right - placed.left) * tx, tx);
    CheckIniNumber(check, ini, L"Position", L"height", (placed.bottom - placed.top) * ty, ty);
    CheckIniNumber(check, ini, L"Position", L"windowstate", 0, 0);
    check.Equal(L"keys of Position", L"left, top, width, height, windowstate",
                JoinedKeys(IniKeys(ini, L"Position")));
}

using Opener = void (*)(Check& check, TarnwickApp& app);

void OpenNothing(Check&, TarnwickApp&) {}

void OpenWindow(Check& check, TarnwickApp& app, int command, const wchar_t* className,
                std::wstring_view name) {
    app.Command(command);
    check.That(std::wstring(name) + L" open", app.WaitForWindow(className, 3000).has_value(),
               L"a window of class " + Quote(className), L"none within 3000 ms");
}

void OpenAboutBox(Check& check, TarnwickApp& app) {
    OpenWindow(check, app, ids::mnu_About, kAboutWindowClass, L"the About box");
}

void OpenColorDialog(Check& check, TarnwickApp& app) {
    OpenWindow(check, app, ids::mnu_SetBorderColor, L"#32770", L"the colour dialog");
}

void OpenHelpViewer(Check& check, TarnwickApp& app) {
    OpenWindow(check, app, ids::btn_Help, kHelpWindowClass, L"the help viewer");
}

void SessionEndSaves(Check& check, const Environment& env, Opener open) {
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    const RECT placed = ChangePlacementAndMode(check, app);
    open(check, app);
    EndSession(check, app, true);
    EndProcessAtOnce(app);
    app.WaitForExit(1000);
    CheckSaved(check, env, folder, placed);
}

void SessionEnd(Check& check, const Environment& env) {
    SessionEndSaves(check, env, OpenNothing);
}
void SessionEndWithAboutBox(Check& check, const Environment& env) {
    SessionEndSaves(check, env, OpenAboutBox);
}
void SessionEndWithColorDialog(Check& check, const Environment& env) {
    SessionEndSaves(check, env, OpenColorDialog);
}
void SessionEndWithHelpViewer(Check& check, const Environment& env) {
    SessionEndSaves(check, env, OpenHelpViewer);
}

void SessionEndCancelled(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    ChangePlacementAndMode(check, app);
    EndSession(check, app, false);
    Pause();
    check.That(L"still running after a cancelled end", app.Running(), L"running", L"ended");
    check.That(L"still answering after a cancelled end",
               TryWindowText(app.Control(ids::lbl_CurWindow)).has_value(), L"an answer", L"none");
    check.That(L"Tarnwick.ini not written", !folder.ReadIni().has_value(), L"no file", L"a file");
    EndProcessAtOnce(app);
    app.WaitForExit(1000);
    check.That(L"Tarnwick.ini not written when the process is ended", !folder.ReadIni().has_value(),
               L"no file", L"a file");
}

}  // namespace

std::vector<TestCase> SessionEndCases() {
    return {
        {L"session_end_saves_settings", SessionEnd},
        {L"session_end_with_about_box_open", SessionEndWithAboutBox},
        {L"session_end_with_color_dialog_open", SessionEndWithColorDialog},
        {L"session_end_with_help_viewer_open", SessionEndWithHelpViewer},
        {L"session_end_cancelled_writes_nothing", SessionEndCancelled},
    };
}

}  // namespace tarnwick::e2e
