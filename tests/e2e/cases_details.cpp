// The Details window: opened with Ctrl+D, read as a user copies it (Ctrl+A, Ctrl+C), walked
// through the window tree with Alt and the arrow keys, reopened where it was left, and never
// held up by a window that does not answer.

#include <windows.h>

#include <map>
#include <string>

#include "main_window/frmMain_controls.h"
#include "tests/e2e/app.h"
#include "tests/e2e/case_folder.h"
#include "tests/e2e/cases.h"
#include "tests/e2e/clipboard.h"
#include "tests/e2e/input.h"
#include "tests/e2e/json_reader.h"
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
constexpr wchar_t kPopupMenuClass[] = L"#32768";
constexpr DWORD kOpenTimeoutMs = 2000;
constexpr int kButtonId = 1001;
constexpr int kEditId = 1002;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_DISABLED | ES_LEFT | ES_AUTOHSCROLL;

std::wstring HandleText(HWND window) {
    const auto value = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window));
    return L"0x" + Hex(value) + L" (" + Decimal(value) + L")";
}

std::wstring RectText(const RECT& r) {
    return L"(" + Decimal(r.left) + L", " + Decimal(r.top) + L")-(" + Decimal(r.right) + L", " +
           Decimal(r.bottom) + L"), " + Decimal(r.right - r.left) + L" x " +
           Decimal(r.bottom - r.top);
}

RECT ClientOnScreen(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

// A top-level window with a push button and a disabled edit inside.
struct Dialog {
    explicit Dialog(TestWindows& windows) {
        TestWindowOptions options;
        options.title = L"Details test window";
        options.rect = {40, 40, 440, 300};
        top = windows.Create(options);
        button = windows.CreateControl(top, L"Button", L"Press", {10, 10, 110, 40}, kButtonStyle,
                                       kButtonId);
        edit = windows.CreateControl(top, L"Edit", L"read only", {10, 60, 210, 84}, kEditStyle,
                                     kEditId);
    }
    HWND top = nullptr;
    HWND button = nullptr;
    HWND edit = nullptr;
};

// The rows of the Details window as Ctrl+A and Ctrl+C copy them: property to value, the first
// row of a name where two groups have one ("State" of the window and of its element).
std::map<std::wstring, std::wstring> CopiedRows(Check& check, HWND details) {
    PutSentinel(check);
    Foreground(check, details, L"the Details window");
    PressKeyWith(VK_CONTROL, 'A');
    PressKeyWith(VK_CONTROL, 'C');
    std::map<std::wstring, std::wstring> rows;
    for (const std::wstring& line : LinesOf(WaitForCopy())) {
        const std::size_t colon = line.find(L": ");
        if (colon != std::wstring::npos) {
            rows.emplace(line.substr(0, colon), line.substr(colon + 2));
        }
    }
    check.That(L"the copy has the rows", rows.size() >= 30, L"30 rows or more",
               Decimal(static_cast<std::int64_t>(rows.size())));
    return rows;
}

void CheckRows(Check& check, std::wstring_view subject,
               const std::map<std::wstring, std::wstring>& expected,
               std::map<std::wstring, std::wstring> copied) {
    for (const auto& [name, value] : expected) {
        check.Equal(std::wstring(subject) + L": " + name, value, copied[name]);
    }
}

HWND OpenDetails(Check& check, const TarnwickApp& app) {
    Foreground(check, app.MainWindow(), L"the main window");
    PressKeyWith(VK_CONTROL, 'D');
    const std::optional<HWND> details = app.WaitForWindow(kDetailsWindowClass, kOpenTimeoutMs);
    if (!details) {
        check.Abort(L"Ctrl+D opens the Details window", L"a window", L"none");
    }
    check.Equal(L"the Details window's caption", L"Window details", [&] {
        wchar_t text[64] = {};
        GetWindowTextW(*details, text, 64);
        return std::wstring(text);
    }());
    check.That(L"owned by the main window", GetWindow(*details, GW_OWNER) == app.MainWindow(),
               L"the main window", L"another owner");
    return *details;
}

// Alt and an arrow in the Details window: the main window shows the window reached.
void Walk(Check& check, const TarnwickApp& app, HWND details, WORD arrow, HWND expected,
          std::wstring_view what) {
    Foreground(check, details, L"the Details window");
    PressKeyWith(VK_MENU, arrow);
    const bool shown = WaitUntil(1000, [&] {
        return app.Text(ids::lbl_WindowHandleHex) ==
               L"Hex: " +
                   Hex(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(expected)));
    });
    check.That(std::wstring(what) + L" is shown", shown, Quote(HandleText(expected)),
               Quote(app.Text(ids::lbl_WindowHandleHex)));
}

void DetailsShowsAndWalksTheTree(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    TestWindows windows;
    const Dialog dialog(windows);
    Foreground(check, dialog.top, L"the test window");
    ExpectTracked(check, app, L"the test window", dialog.top, kForegroundHeading, 1000);
    const HWND details = OpenDetails(check, app);

    RECT rect{};
    GetWindowRect(dialog.top, &rect);
    DWORD processId = 0;
    const DWORD threadId = GetWindowThreadProcessId(dialog.top, &processId);
    wchar_t path[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
    const std::wstring image =
        std::wstring(path).substr(std::wstring(path).find_last_of(L'\\') + 1);
    const auto style = static_cast<std::uint32_t>(GetWindowLongW(dialog.top, GWL_STYLE));
    const std::map<std::wstring, std::wstring> copied = CopiedRows(check, details);
    CheckRows(check, L"the test window",
              {{L"Handle", HandleText(dialog.top)},
               {L"Class", kTestWindowClass},
               {L"Title", L"Details test window"},
               {L"Control ID", L"none (top-level window)"},
               {L"ClassNN", L""},
               {L"State", L"visible, enabled"},
               {L"Window rect", RectText(rect)},
               {L"Client rect", RectText(ClientOnScreen(dialog.top))},
               {L"Process", image + L" (PID " + Decimal(processId) + L")"},
               {L"Path", path},
               {L"Thread ID", Decimal(threadId)},
               {L"Parent", L"none"},
               {L"Children", L"2"}},
              copied);
    const std::wstring styleText = copied.contains(L"Style") ? copied.at(L"Style") : L"";
    check.That(L"the test window: Style names its bits",
               styleText.starts_with(L"0x" + std::wstring(8 - Hex(style).size(), L'0') +
                                     Hex(style) + L" WS_OVERLAPPEDWINDOW | WS_VISIBLE"),
               L"0x" + Hex(style) + L" WS_OVERLAPPEDWINDOW | WS_VISIBLE ...", Quote(styleText));

    // Down to the first child, across to its sibling, and up again.
    const HWND first = GetWindow(dialog.top, GW_CHILD);
    const HWND second = GetWindow(first, GW_HWNDNEXT);
    Walk(check, app, details, VK_DOWN, first, L"Alt+Down: the first child");
    Walk(check, app, details, VK_RIGHT, second, L"Alt+Right: the next sibling");
    Walk(check, app, details, VK_LEFT, first, L"Alt+Left: the previous sibling");
    for (const HWND child : {first, second}) {
        if (child != first) {
            Walk(check, app, details, VK_RIGHT, child, L"Alt+Right: the next sibling");
        }
        const bool isButton = child == dialog.button;
        CheckRows(check, isButton ? L"the button" : L"the disabled edit",
                  {{L"Handle", HandleText(child)},
                   {L"Control ID", isButton ? L"1001 (0x3E9)" : L"1002 (0x3EA)"},
                   {L"ClassNN", isButton ? L"Button1" : L"Edit1"},
                   {L"Style", isButton ? L"0x50010000 WS_CHILD | WS_VISIBLE | WS_TABSTOP | "
                                         L"BS_PUSHBUTTON"
                                       : L"0x58000080 WS_CHILD | WS_VISIBLE | WS_DISABLED | "
                                         L"ES_LEFT | ES_AUTOHSCROLL"},
                   {L"State", isButton ? L"visible, enabled" : L"visible, disabled"},
                   {L"Parent", HandleText(dialog.top) + L" " + kTestWindowClass +
                                   L" \"Details test window\""}},
                  CopiedRows(check, details));
    }
    Walk(check, app, details, VK_UP, dialog.top, L"Alt+Up: the parent");
    check.That(L"the walked window stays while the Details window is in front",
               (Pause(), app.Text(ids::lbl_WindowHandleHex) ==
                             L"Hex: " + Hex(static_cast<std::uint32_t>(
                                            reinterpret_cast<std::uintptr_t>(dialog.top)))),
               L"the test window", Quote(app.Text(ids::lbl_WindowHandleHex)));

    // Left somewhere else, it comes back there after a restart.
    SetWindowPos(details, nullptr, 560, 100, 400, 450, SWP_NOZORDER | SWP_NOACTIVATE);
    Pause();
    check.That(L"closes", app.Close(), L"ended", L"still running");
    TarnwickApp again(check, env, folder.ExePath());
    again.Start();
    const std::optional<HWND> reopened = again.WaitForWindow(kDetailsWindowClass, kOpenTimeoutMs);
    check.That(L"the Details window opens again at start-up", reopened.has_value(), L"open",
               L"closed");
    if (reopened) {
        RECT placed{};
        GetWindowRect(*reopened, &placed);
        check.Equal(L"reopened where it was", RectText({560, 100, 960, 550}), RectText(placed));
    }
}

void HungWindowInDetailsStallsNothing(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    TestWindowOptions options;
    options.title = L"Hung test window";
    options.rect = {420, 40, 720, 260};
    HungWindow hung(options);
    Foreground(check, hung.Handle(), L"the test window");
    ExpectTracked(check, app, L"the test window", hung.Handle(), kForegroundHeading, 1000);
    hung.Hang(20000);
    const HWND details = OpenDetails(check, app);
    const ULONGLONG start = GetTickCount64();
    check.That(L"Tarnwick answers WM_NULL within 1 s", Answers(app.MainWindow(), 1000), L"answer",
               L"no answer after " + Decimal(static_cast<std::int64_t>(GetTickCount64() - start)) +
                   L" ms");
    CheckRows(check, L"the hung window",
              {{L"Handle", HandleText(hung.Handle())}, {L"Title", L"Hung test window"}},
              CopiedRows(check, details));
    check.That(L"closes within 2 s", app.Close(2000), L"ended", L"still running");
}

// Right-click on the data panel, then "Cop&y as" and the entry by its access key: what it copied.
std::wstring CopiedAs(Check& check, const TarnwickApp& app, WORD entryKey) {
    PutSentinel(check);
    RightClick(Centre(WindowRect(app.Control(ids::lbl_WindowClass))));
    check.That(
        L"the right-click opens a context menu",
        WaitUntil(2000, [&] { return !TopLevelWindows(app.ProcessId(), kPopupMenuClass).empty(); }),
        L"a visible #32768 window", L"none");
    PressKey('Y');
    Pause();
    PressKey(entryKey);
    return WaitForCopy();
}

// Dragged on to a button: the Details window shows the accessible element read of it, and "Copy
// as" gives JSON that parses and names the button as the labels do, the selectors, and the
// user's template from the settings file.
void ElementAndCopyAs(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    folder.WriteIni(
        "[CopyAs]\r\nT&emplate={class}|{title}|{hwndhex}|{pid}|{name}|{{x}}|{nope}\r\n");
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    TestWindows windows;
    const Dialog dialog(windows);
    PointAtTarget(check, app);
    {
        HeldLeftButton held;
        Pause();
        DragTo(Centre(WindowRect(dialog.button)), 4);
        Pause();
    }
    ExpectTracked(check, app, L"the button", dialog.button, kTargetHeading, 1000);
    const HWND details = OpenDetails(check, app);
    std::map<std::wstring, std::wstring> rows;
    WaitUntil(
        2000, [&] { return (rows = CopiedRows(check, details)).contains(L"Role"); }, 200);
    check.That(L"[Element] Name: the button's text", rows[L"Name"].starts_with(L"Press"),
               L"\"Press...\"", Quote(rows[L"Name"]));
    check.That(L"[Element] Role", !rows[L"Role"].empty(), L"a role", L"none");

    const auto handle = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(dialog.button));
    const std::wstring json = CopiedAs(check, app, 'J');
    const auto read = ReadJson(json);
    check.That(L"Copy as JSON parses: " + json, read.has_value(), L"valid JSON", L"invalid");
    std::map<std::wstring, std::wstring> members = read.value_or(decltype(members){});
    check.Equal(L"JSON class: as lbl_WindowClass", app.Text(ids::lbl_WindowClass),
                members[L"class"]);
    check.Equal(L"JSON title: as lbl_WindowTitle", app.Text(ids::lbl_WindowTitle),
                members[L"title"]);
    check.Equal(L"JSON process: as the Process row", rows[L"Process"], members[L"process"]);
    check.Equal(L"JSON handle", Decimal(handle), members[L"handle"]);
    check.Equal(L"JSON processId", Decimal(GetCurrentProcessId()), members[L"processId"]);
    check.Equal(L"JSON details.element.role", rows[L"Role"], members[L"details.element.role"]);
    check.Equal(L"JSON details.window.controlId", L"1001 (0x3E9)",
                members[L"details.window.controlId"]);

    check.Equal(L"Copy as AutoHotkey ahk_id", L"ahk_id 0x" + Hex(handle),
                CopiedAs(check, app, 'I'));
    for (const WORD entry : {'A', 'P', 'X', 'F'}) {
        const std::wstring text = CopiedAs(check, app, entry);
        check.That(L"Copy as: " + text, text.find(L"Details test window") != text.npos,
                   L"names the dialog", L"does not");
    }
    check.Equal(L"Copy as the user's template",
                L"Button|Press|" + Hex(handle) + L"|" + Decimal(GetCurrentProcessId()) + L"|" +
                    rows[L"Name"] + L"|{x}|{nope}",
                CopiedAs(check, app, 'E'));
}

}  // namespace

std::vector<TestCase> DetailsCases() {
    return {
        {L"details_shows_every_property_and_walks_the_tree", DetailsShowsAndWalksTheTree},
        {L"details_of_a_hung_window_stall_nothing", HungWindowInDetailsStallsNothing},
        {L"details_element_and_copy_as", ElementAndCopyAs},
    };
}

}  // namespace tarnwick::e2e
