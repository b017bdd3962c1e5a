// The main window as it opens: caption, client size, control layout, menu bar, its own data in
// the seven labels, a Unicode title read through the display, and WM_CLOSE.

#include <windows.h>

#include "main_window/frmMain_controls.h"
#include "tests/e2e/app.h"
#include "tests/e2e/case_folder.h"
#include "tests/e2e/cases.h"
#include "tests/e2e/input.h"
#include "tests/e2e/test_windows.h"
#include "tests/e2e/text.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_data.h"
#include "tests/e2e/window_query.h"

namespace tarnwick::e2e {
namespace {

namespace ids = frmMainControls;

// Client area after the arrangement: the panel's width, and a quarter of the close button's
// height below the button row.
constexpr double kClientWidthTwips = 4230;
constexpr double kClientHeightTwips = 2827.5;
constexpr double kPixelTolerance = 1;

struct Placement {
    int id;
    const wchar_t* name;
    const wchar_t* windowClass;       // nullptr: not checked
    const wchar_t* text;              // nullptr: not checked
    double left, top, width, height;  // twips in the container's client area; width 0: unchecked
};

// Where the arrangement leaves the buttons, and the panel's children as they are placed.
const Placement kOnWindow[] = {
    {ids::frame_Main, L"frame_Main", nullptr, nullptr, 0, 0, 4230, 2265},
    {ids::btn_Close, L"btn_Close", L"Button", L"Close", 2557.5, 2358.75, 1110, 375},
    {ids::btn_Help, L"btn_Help", L"Button", L"?", 3761.25, 2358.75, 375, 375},
};

const Placement kInFrame[] = {
    {ids::lbl_CurWindow, L"lbl_CurWindow", L"Static", nullptr, 120, 60, 3270, 285},
    {ids::img_Target, L"img_Target", nullptr, nullptr, 3672, 12, 0, 0},
    {ids::lbl_Class, L"lbl_Class", L"Static", L"Class:", 105, 345, 660, 270},
    {ids::lbl_WindowClass, L"lbl_WindowClass", L"Static", nullptr, 900, 345, 2760, 270},
    {ids::lbl_hWnd, L"lbl_hWnd", L"Static", L"hWnd:", 90, 660, 690, 270},
    {ids::lbl_WindowHandleDecimal, L"lbl_WindowHandleDecimal", L"Static", nullptr, 915, 675, 1155,
     300},
    {ids::lbl_WindowHandleHex, L"lbl_WindowHandleHex", L"Static", nullptr, 2115, 660, 1230, 300},
    {ids::lbl_Title, L"lbl_Title", L"Static", L"Title:", 120, 975, 645, 270},
    {ids::lbl_WindowTitle, L"lbl_WindowTitle", L"Static", nullptr, 900, 975, 3225, 255},
    {ids::lbl_Rect, L"lbl_Rect", L"Static", L"Rect:", 105, 1275, 645, 270},
    {ids::lbl_WindowRect, L"lbl_WindowRect", L"Static", nullptr, 885, 1275, 3240, 255},
    {ids::lbl_Style, L"lbl_Style", L"Static", L"Style:", 120, 1575, 645, 270},
    {ids::lbl_WindowStyle, L"lbl_WindowStyle", L"Static", nullptr, 900, 1575, 2790, 255},
    {ids::lbl_Parent, L"lbl_Parent", L"Static", L"Parent:", 120, 1875, 645, 270},
    {ids::lbl_WindowParent, L"lbl_WindowParent", L"Static", nullptr, 900, 1875, 2790, 255},
};

bool SameClass(std::wstring_view expected, std::wstring_view actual) {
    return CompareStringOrdinal(expected.data(), static_cast<int>(expected.size()), actual.data(),
                                static_cast<int>(actual.size()), TRUE) == CSTR_EQUAL;
}

void CheckPlacement(Check& check, const Environment& env, const Placement& p, HWND control,
                    HWND container) {
    const std::wstring name = p.name;
    check.That(name + L" is a child of its container", GetParent(control) == container,
               Hex(static_cast<std::uint32_t>(HandleValue(container))),
               Hex(static_cast<std::uint32_t>(HandleValue(GetParent(control)))));
    if (p.windowClass) {
        const std::wstring actual = ClassName(control);
        check.That(name + L" window class", SameClass(p.windowClass, actual), Quote(p.windowClass),
                   Quote(actual));
    }
    if (p.text) {
        check.Equal(name + L" text", p.text, WindowText(control));
    }
    const RECT r = RectInClientOf(control, container);
    const double tx = env.screen.twipsPerPixelX;
    const double ty = env.screen.twipsPerPixelY;
    check.Near(name + L" left (px)", p.left / tx, r.left, kPixelTolerance);
    check.Near(name + L" top (px)", p.top / ty, r.top, kPixelTolerance);
    if (p.width > 0) {
        check.Near(name + L" width (px)", p.width / tx, r.right - r.left, kPixelTolerance);
        check.Near(name + L" height (px)", p.height / ty, r.bottom - r.top, kPixelTolerance);
    }
}

void CaptionAndClass(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    const HWND main = app.MainWindow();
    check.Equal(L"caption", L"Tarnwick", WindowText(main));
    check.Equal(L"window class", kMainWindowClass, ClassName(main));
    check.That(
        L"top-level window without owner",
        GetAncestor(main, GA_PARENT) == GetDesktopWindow() && GetWindow(main, GW_OWNER) == nullptr,
        L"top-level, no owner", L"a child or an owned window");
}

void ClientSizeAfterArrangement(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    const SIZE client = ClientSize(app.MainWindow());
    check.Near(L"client width (px) = 4230 twips", kClientWidthTwips / env.screen.twipsPerPixelX,
               client.cx, kPixelTolerance);
    check.Near(L"client height (px) = 2827.5 twips", kClientHeightTwips / env.screen.twipsPerPixelY,
               client.cy, kPixelTolerance);
}

void ControlLayout(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    for (const Placement& p : kOnWindow) {
        CheckPlacement(check, env, p, app.Control(p.id), app.MainWindow());
    }
    const HWND frame = app.Control(ids::frame_Main);
    for (const Placement& p : kInFrame) {
        CheckPlacement(check, env, p, app.Control(p.id), frame);
    }
}

struct ExpectedItem {
    int depth;
    int id;               // 0: a submenu or a separator, whose id is not checked
    const wchar_t* text;  // nullptr: a separator
};

const ExpectedItem kMenu[] = {
    {0, 0, L"&Tracking"},
    {1, ids::mnu_TrackForeground, L"&Foreground window"},
    {1, ids::mnu_TrackTarget, L"&Target window"},
    {1, 0, nullptr},
    {1, ids::mnu_SetBorderColor, L"&Set border color..."},
    {0, 0, L"&Help"},
    {1, ids::mnu_CurrentWindowHelp, L"&CurrentWindow"},
    {1, 0, nullptr},
    {1, ids::mnu_About, L"&About"},
};

std::wstring DescribeItem(const MenuItem& item) {
    return L"depth " + Decimal(item.depth) + L", id " + Decimal(item.id) +
           (item.Separator() ? L", separator" : L", " + Quote(item.text));
}

// The F1 item may show its shortcut after a tab.
bool MenuTextMatches(const ExpectedItem& expected, const MenuItem& item) {
    if (expected.id == ids::mnu_CurrentWindowHelp) {
        return item.text == expected.text ||
               (StartsWith(item.text, std::wstring(expected.text) + L"\t") &&
                Contains(item.text, L"F1"));
    }
    return item.text == expected.text;
}

void MenuBar(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    const std::vector<MenuItem> menu = app.Menu();
    check.Equal(L"number of menu items, submenus included",
                static_cast<std::int64_t>(std::size(kMenu)),
                static_cast<std::int64_t>(menu.size()));
    for (std::size_t i = 0; i < std::size(kMenu) && i < menu.size(); ++i) {
        const ExpectedItem& expected = kMenu[i];
        const MenuItem& item = menu[i];
        const std::wstring what = L"menu item " + Decimal(static_cast<std::int64_t>(i));
        const std::wstring expectedText =
            expected.text ? (L"depth " + Decimal(expected.depth) +
                             (expected.id ? L", id " + Decimal(expected.id) : L"") + L", " +
                             Quote(expected.text) +
                             (expected.id == ids::mnu_CurrentWindowHelp ? L" (+ \\tF1)" : L""))
                          : L"depth " + Decimal(expected.depth) + L", separator";
        const bool ok =
            item.depth == expected.depth &&
            (expected.text ? !item.Separator() && MenuTextMatches(expected, item) &&
                                 (expected.id == 0 || item.id == static_cast<UINT>(expected.id))
                           : item.Separator()) &&
            item.hasSubmenu == (expected.depth == 0);
        check.That(what, ok, expectedText, DescribeItem(item));
        if (!item.Separator()) {
            check.That(what + L" enabled", (item.state & MFS_DISABLED) == 0, L"enabled",
                       L"state " + Hex(item.state));
        }
    }
}

void OwnDataAtStartUp(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    const WindowData expected = ExpectedWindowData(app.MainWindow());
    check.Equal(L"title of the main window, as expected for the title label", L"Tarnwick",
                expected.title);
    CheckWindowData(check, L"own data", expected, ShownWindowData(app));
}

void CloseMessageEndsProcess(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    const ULONGLONG start = GetTickCount64();
    const bool ended = app.Close(5000);
    check.That(L"WM_CLOSE ends the process", ended, L"the process ends within 5000 ms",
               ended ? L"ended after " +
                           Decimal(static_cast<std::int64_t>(GetTickCount64() - start)) + L" ms"
                     : L"still running (killed)");
}

void UnicodeTitleShownUnchanged(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    TestWindows windows;
    const HWND window = windows.Create({});
    check.Equal(L"test window's own title", kUnicodeTitle, WindowText(window));
    check.That(L"test window becomes the foreground window", BringToForeground(window),
               L"foreground", L"another window");
    WaitUntil(1000, [&] { return app.Text(ids::lbl_WindowTitle) == kUnicodeTitle; });
    check.Equal(L"lbl_WindowTitle shows the title unchanged", kUnicodeTitle,
                app.Text(ids::lbl_WindowTitle));
    check.Equal(L"lbl_WindowClass shows the test window's class", kTestWindowClass,
                app.Text(ids::lbl_WindowClass));
}

}  // namespace

std::vector<TestCase> MainWindowCases() {
    return {
        {L"main_window_caption_and_class", CaptionAndClass},
        {L"main_window_client_size", ClientSizeAfterArrangement},
        {L"main_window_control_layout", ControlLayout},
        {L"main_window_menu_bar", MenuBar},
        {L"main_window_own_data_at_start_up", OwnDataAtStartUp},
        {L"main_window_wm_close_ends_process", CloseMessageEndsProcess},
        {L"main_window_unicode_title_round_trip", UnicodeTitleShownUnchanged},
    };
}

}  // namespace tarnwick::e2e
