// A window on the desktop whose thread has stopped answering messages: Tarnwick must go on
// following the foreground, go on dragging, and close at once with its settings written.

#include <windows.h>

#include <optional>

#include "main_window/frmMain_controls.h"
#include "tests/e2e/app.h"
#include "tests/e2e/case_folder.h"
#include "tests/e2e/cases.h"
#include "tests/e2e/ini_checks.h"
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
constexpr DWORD kHangMs = 20000;
constexpr DWORD kFollowTimeoutMs = 1000;
constexpr DWORD kCloseTimeoutMs = 2000;

TestWindowOptions HungOptions() {
    TestWindowOptions options;
    options.title = L"Hung test window";
    options.rect = {420, 40, 720, 260};
    options.background = RGB(255, 192, 192);
    return options;
}

TestWindowOptions OtherOptions() {
    TestWindowOptions options;
    options.title = L"Answering test window";
    options.rect = {40, 300, 340, 520};
    options.background = RGB(255, 255, 192);
    return options;
}

// Waits until the labels show the window's data as it was read while the window still
// answered (a hung window's own text cannot be asked for).
void ExpectShown(Check& check, const TarnwickApp& app, std::wstring_view subject,
                 const WindowData& expected, std::wstring_view heading) {
    const ULONGLONG start = GetTickCount64();
    const bool inTime = WaitUntil(kFollowTimeoutMs, [&] {
        return app.Text(ids::lbl_CurWindow) == heading && Shows(expected, ShownWindowData(app));
    });
    const ULONGLONG took = GetTickCount64() - start;
    check.That(std::wstring(subject) + L": shown within " + Decimal(kFollowTimeoutMs) + L" ms",
               inTime, L"heading and data", inTime ? L"after " + Decimal(took) + L" ms" : L"not");
    check.Equal(std::wstring(subject) + L": lbl_CurWindow", heading, app.Text(ids::lbl_CurWindow));
    CheckWindowData(check, subject, expected, ShownWindowData(app));
}

// A window that will hang and one that answers, made before Tarnwick starts so that they lie
// below it (see the drag cases), and Tarnwick started.
struct HungScene {
    HungScene(Check& check, const Environment& env)
        : folder(check, env, check.CaseName()), app(check, env, folder.ExePath()) {
        windows.CreateBackdrop();
        other = windows.Create(OtherOptions());
        hung.emplace(HungOptions());
        hungData = ExpectedWindowData(hung->Handle());
        otherData = ExpectedWindowData(other);
        app.Start();
    }
    CaseFolder folder;
    TestWindows windows;
    HWND other = nullptr;
    std::optional<HungWindow> hung;
    WindowData hungData;
    WindowData otherData;
    TarnwickApp app;
};

void CheckClosesInTime(Check& check, TarnwickApp& app) {
    const ULONGLONG start = GetTickCount64();
    const bool closed = app.Close(kCloseTimeoutMs);
    const ULONGLONG took = GetTickCount64() - start;
    check.That(L"WM_CLOSE ends the program within " + Decimal(kCloseTimeoutMs) + L" ms", closed,
               L"ended", closed ? L"after " + Decimal(took) + L" ms" : L"still running (killed)");
}

void HungWindowStallsNothing(Check& check, const Environment& env) {
    HungScene scene(check, env);
    const HWND other = scene.other;
    HungWindow& hung = *scene.hung;
    const WindowData& hungData = scene.hungData;
    const WindowData& otherData = scene.otherData;
    TarnwickApp& app = scene.app;

    // The foreground window itself stops answering (a hung window cannot be brought to the
    // front: its thread would have to take the activation).
    check.That(L"the test window becomes the foreground window", BringToForeground(hung.Handle()),
               L"foreground", L"another window");
    hung.Hang(kHangMs);
    Pause();
    DWORD_PTR answer = 0;
    check.That(L"the hung window does not answer",
               SendMessageTimeoutW(hung.Handle(), WM_NULL, 0, 0, SMTO_NORMAL, 200, &answer) == 0,
               L"no answer within 200 ms", L"an answer");
    ExpectShown(check, app, L"hung window in the foreground", hungData, kForegroundHeading);
    check.That(L"the answering window becomes the foreground window", BringToForeground(other),
               L"foreground", L"another window");
    ExpectShown(check, app, L"answering window in the foreground", otherData, kForegroundHeading);

    // A drag over the hung window and on to the answering one.
    PointAtTarget(check, app);
    {
        HeldLeftButton button;
        Pause();
        DragTo(Centre(WindowRect(hung.Handle())), 4);
        ExpectShown(check, app, L"dragging over the hung window", hungData, kTargetHeading);
        DragTo(Centre(WindowRect(other)), 4);
        ExpectShown(check, app, L"dragged on to the answering window", otherData, kTargetHeading);
        button.Release();
    }
    Pause();
    check.That(L"still answering after the drag",
               TryWindowText(app.Control(ids::lbl_CurWindow), 500).has_value(),
               L"an answer within 500 ms", L"none");

    CheckClosesInTime(check, app);
    const std::wstring ini = scene.folder.IniPath();
    CheckIniText(check, ini, L"General", L"TrackForeground", L"1");
    CheckIniText(check, ini, L"General", L"TrackTarget", L"1");
    check.Equal(L"keys of Position", L"left, top, width, height, windowstate",
                JoinedKeys(IniKeys(ini, L"Position")));
}

// The window under the crosshair stops answering while the pointer is on it: the accessible
// element Tarnwick reads of it never comes. Dragging away and back again asks it again (and
// again, past the two reading threads there may be); following the pointer, the drag and
// WM_CLOSE go on as if it answered.
void HungElementStallsNothing(Check& check, const Environment& env) {
    HungScene scene(check, env);
    const HWND other = scene.other;
    HungWindow& hung = *scene.hung;
    const WindowData& hungData = scene.hungData;
    const WindowData& otherData = scene.otherData;
    TarnwickApp& app = scene.app;

    PointAtTarget(check, app);
    {
        HeldLeftButton button;
        Pause();
        DragTo(Centre(WindowRect(hung.Handle())), 4);
        ExpectShown(check, app, L"dragged on to the window", hungData, kTargetHeading);
        hung.Hang(kHangMs);
        Pause();
        for (const wchar_t* pass : {L"first", L"second", L"third"}) {
            DragTo(Centre(WindowRect(other)), 2);
            ExpectShown(check, app, std::wstring(L"away from the hung window, ") + pass, otherData,
                        kTargetHeading);
            DragTo(Centre(WindowRect(hung.Handle())), 2);
            ExpectShown(check, app, std::wstring(L"back on the hung window, ") + pass, hungData,
                        kTargetHeading);
            check.That(std::wstring(L"answering on the hung window, ") + pass,
                       Answers(app.MainWindow(), 300), L"an answer within 300 ms", L"none");
        }
        button.Release();
    }
    CheckClosesInTime(check, app);
}

}  // namespace

std::vector<TestCase> HungWindowCases() {
    return {
        {L"hung_window_stalls_nothing", HungWindowStallsNothing},
        {L"hung_window_element_stalls_nothing", HungElementStallsNothing},
    };
}

}  // namespace tarnwick::e2e
