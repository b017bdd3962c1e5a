// Copying what Tarnwick shows: Ctrl+C puts the record of the window on display on the
// clipboard, the context menu of the data panel one field, and a clipboard held open by another
// program neither hangs Tarnwick nor keeps the next copy from working.

#include <windows.h>

#include <string>
#include <vector>

#include "main_window/frmMain_controls.h"
#include "tests/e2e/app.h"
#include "tests/e2e/case_folder.h"
#include "tests/e2e/cases.h"
#include "tests/e2e/clipboard.h"
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
constexpr wchar_t kPopupMenuClass[] = L"#32768";

// A title with an "&" that the labels would take for an access key, and Chinese characters;
// a class name with "&" too.
TestWindowOptions AmpersandWindow() {
    TestWindowOptions options;
    options.className = L"Tarnwick&E2E&Target";
    options.title = L"Tom & Jerry \u7A97\u53E3";
    options.rect = {20, 20, 320, 240};
    return options;
}

std::wstring OwnExeName() {
    wchar_t path[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
    const std::wstring whole = path;
    return whole.substr(whole.find_last_of(L"\\/") + 1);
}

std::wstring ProcessLine(const std::wstring& exeName, DWORD processId) {
    return L"Process: " + exeName + L" (PID " + Decimal(processId) + L")";
}

// The lines the record must have, from the heading, the window's data and the process.
std::vector<std::wstring> ExpectedRecord(std::wstring heading, const WindowData& data,
                                         const std::wstring& processLine) {
    if (!heading.empty() && heading.back() == L':') {
        heading.pop_back();
    }
    return {heading,
            L"hWnd: " + data.decimal + L", " + data.hex,
            L"Class: " + data.className,
            L"Title: " + data.title,
            L"Rect: " + data.rect,
            L"Style: " + data.style,
            L"Parent: " + data.parent,
            processLine};
}

void CheckRecord(Check& check, const std::vector<std::wstring>& expected,
                 const std::wstring& copied) {
    const std::vector<std::wstring> lines = LinesOf(copied);
    check.Equal(L"the record has one line per field", static_cast<std::int64_t>(expected.size()),
                static_cast<std::int64_t>(lines.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        check.Equal(
            L"record line " + Decimal(static_cast<std::int64_t>(i + 1)) + L" " + Quote(expected[i]),
            expected[i], i < lines.size() ? lines[i] : L"(missing)");
    }
}

// Tarnwick tracks the "Tom & Jerry" window in the foreground; then, with a sentinel on the
// clipboard, the main window takes the foreground to be copied from.
HWND ShowAmpersandWindowThenReturn(Check& check, TarnwickApp& app, TestWindows& windows) {
    const HWND target = windows.Create(AmpersandWindow());
    Foreground(check, target, L"the \"Tom & Jerry\" window");
    ExpectTracked(check, app, L"the \"Tom & Jerry\" window", target, kForegroundHeading, 1000);
    PutSentinel(check);
    Foreground(check, app.MainWindow(), L"the main window");
    return target;
}

void CtrlCCopiesTheRecord(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    TestWindows windows;
    const HWND target = ShowAmpersandWindowThenReturn(check, app, windows);
    Pause();
    const std::wstring heading = app.Text(ids::lbl_CurWindow);
    const WindowData shown = ShownWindowData(app);
    PressKeyWith(VK_CONTROL, 'C');
    const std::wstring copied = WaitForCopy();

    CheckRecord(check,
                ExpectedRecord(kForegroundHeading, ExpectedWindowData(target),
                               ProcessLine(OwnExeName(), GetCurrentProcessId())),
                copied);
    check.Equal(L"the labels still show the \"&\": lbl_WindowTitle", AmpersandWindow().title,
                app.Text(ids::lbl_WindowTitle));
    check.Equal(L"after Ctrl+C: lbl_CurWindow", heading, app.Text(ids::lbl_CurWindow));
    CheckWindowData(check, L"after Ctrl+C", shown, ShownWindowData(app));
}

void ContextMenuCopiesTheClass(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    TestWindows windows;
    ShowAmpersandWindowThenReturn(check, app, windows);
    const WindowData shown = ShownWindowData(app);
    RightClick(Centre(WindowRect(app.Control(ids::lbl_WindowClass))));
    const bool menuOpen =
        WaitUntil(2000, [&] { return !TopLevelWindows(app.ProcessId(), kPopupMenuClass).empty(); });
    check.That(L"the right-click opens a context menu", menuOpen, L"a visible #32768 window",
               L"none");
    // "&Copy Class" by its access key.
    PressKey('C');
    const std::wstring copied = WaitForCopy();
    check.Equal(L"\"Copy Class\" puts the class name alone on the clipboard",
                AmpersandWindow().className, copied);
    check.That(
        L"the menu is closed after the choice",
        WaitUntil(1000, [&] { return TopLevelWindows(app.ProcessId(), kPopupMenuClass).empty(); }),
        L"closed", L"still open");
    check.Equal(L"no drag after the right-click: lbl_CurWindow", kForegroundHeading,
                app.Text(ids::lbl_CurWindow));
    CheckWindowData(check, L"after the context menu", shown, ShownWindowData(app));

    // From the keyboard, with no row pointed at, the menu offers every field.
    PutSentinel(check);
    PressKeyWith(VK_SHIFT, VK_F10);
    check.That(
        L"Shift+F10 opens the context menu",
        WaitUntil(2000, [&] { return !TopLevelWindows(app.ProcessId(), kPopupMenuClass).empty(); }),
        L"a visible #32768 window", L"none");
    // "Copy &Title".
    PressKey('T');
    check.Equal(L"\"Copy Title\" puts the title alone on the clipboard", AmpersandWindow().title,
                WaitForCopy());
}

void BusyClipboardKeepsTarnwickResponsive(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    PutSentinel(check);
    Foreground(check, app.MainWindow(), L"the main window");
    Pause();
    {
        HeldClipboard held;
        check.That(L"the driver holds the clipboard open", held.held(), L"open", L"busy");
        PressKeyWith(VK_CONTROL, 'C');
        Pause(100);
        const ULONGLONG start = GetTickCount64();
        const bool answered = Answers(app.MainWindow(), 1000);
        const ULONGLONG elapsed = GetTickCount64() - start;
        check.That(L"Tarnwick answers WM_NULL within 1 s while the clipboard is held", answered,
                   L"an answer", L"none within 1000 ms");
        check.That(L"WM_NULL answered in well under a second", elapsed < 500, L"under 500 ms",
                   Decimal(static_cast<std::int64_t>(elapsed)) + L" ms");
        Pause();
        check.That(L"Tarnwick still answers after giving up", Answers(app.MainWindow(), 1000),
                   L"an answer", L"none within 1000 ms");
    }
    check.Equal(L"nothing was copied while the clipboard was held", kSentinel,
                ReadClipboardText().value_or(L"(no text)"));

    // Released: the next Ctrl+C copies what the labels show.
    const std::wstring heading = app.Text(ids::lbl_CurWindow);
    const WindowData shown = ShownWindowData(app);
    PressKeyWith(VK_CONTROL, 'C');
    CheckRecord(check,
                ExpectedRecord(heading, shown, ProcessLine(L"Tarnwick.exe", app.ProcessId())),
                WaitForCopy());
}

// The previous owner of the clipboard stops answering: emptying the clipboard would wait on it.
// Tarnwick goes on answering and following the foreground while a copy waits; the copy fails (a
// beep) or lands, and once the owner answers again the next copy lands.
void HungClipboardOwnerStallsNoCopy(Check& check, const Environment& env) {
    constexpr DWORD kHangMs = 3000;
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    TestWindows windows;
    const HWND other = windows.Create(AmpersandWindow());
    {
        TestWindowOptions options;
        options.title = L"Hung clipboard owner";
        options.rect = {420, 300, 620, 420};
        HungWindow owner(options);
        check.That(
            L"the test window owns the clipboard",
            WriteClipboardText(kSentinel, owner.Handle()) && GetClipboardOwner() == owner.Handle(),
            L"owned by the test window", L"not");
        Foreground(check, app.MainWindow(), L"the main window");
        owner.Hang(kHangMs);
        Pause(100);
        for (const wchar_t* copy : {L"the first Ctrl+C", L"a second Ctrl+C"}) {
            PressKeyWith(VK_CONTROL, 'C');
            Pause(100);
            const ULONGLONG start = GetTickCount64();
            const bool answered = Answers(app.MainWindow(), 1000);
            const ULONGLONG elapsed = GetTickCount64() - start;
            check.That(std::wstring(L"WM_NULL answered in well under a second after ") + copy,
                       answered && elapsed < 500, L"under 500 ms",
                       answered ? Decimal(static_cast<std::int64_t>(elapsed)) + L" ms" : L"none");
        }
        Foreground(check, other, L"the \"Tom & Jerry\" window");
        ExpectTracked(check, app, L"the foreground window while the owner hangs", other,
                      kForegroundHeading, 1000);
    }
    // The owner answers again (and is gone): the next copy lands.
    Pause(1000);
    Foreground(check, app.MainWindow(), L"the main window");
    Pause();
    PressKeyWith(VK_CONTROL, 'C');
    CheckRecord(check,
                ExpectedRecord(kForegroundHeading, ExpectedWindowData(other),
                               ProcessLine(OwnExeName(), GetCurrentProcessId())),
                WaitForCopy());
    // Tarnwick's own window is the previous owner now, told of the next copy while it waits.
    PressKeyWith(VK_SHIFT, VK_F10);
    Pause();
    PressKey('C');
    check.That(L"the next copy (\"Copy Class\") lands too",
               WaitUntil(2000, [] { return ReadClipboardText() == AmpersandWindow().className; }),
               AmpersandWindow().className, ReadClipboardText().value_or(L"(no text)"));
}

}  // namespace

std::vector<TestCase> CopyCases() {
    return {
        {L"copy_ctrl_c_record_of_ampersand_window", CtrlCCopiesTheRecord},
        {L"copy_context_menu_class", ContextMenuCopiesTheClass},
        {L"copy_busy_clipboard_stays_responsive", BusyClipboardKeepsTarnwickResponsive},
        {L"copy_hung_clipboard_owner_stalls_nothing", HungClipboardOwnerStallsNoCopy},
    };
}

}  // namespace tarnwick::e2e
