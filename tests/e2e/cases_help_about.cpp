// The way out and the way to help: what the settings file holds after a close and what the
// next start makes of it, the help viewer opened by the "?" button, F1 and the menu, a missing
// help file, and the modal About box.

#include <windows.h>

#include <cwchar>

#include "about/frmAbout_controls.h"
#include "main_window/frmMain_controls.h"
#include "tests/e2e/app.h"
#include "tests/e2e/case_folder.h"
#include "tests/e2e/cases.h"
#include "tests/e2e/help_file.h"
#include "tests/e2e/input.h"
#include "tests/e2e/test_windows.h"
#include "tests/e2e/text.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_data.h"
#include "tests/e2e/window_query.h"

namespace tarnwick::e2e {
namespace {

namespace ids = frmMainControls;
namespace about = frmAboutControls;

constexpr int kHelpTextId = 2;
constexpr wchar_t kVersionText[] = L"1.0.0.8";
constexpr double kAboutClientWidthTwips = 4680;
constexpr double kAboutClientHeightTwips = 3192;

void CheckClosed(Check& check, TarnwickApp& app, std::wstring_view how) {
    const bool ended = app.WaitForExit(5000);
    check.That(std::wstring(how) + L" ends the program", ended, L"ended within 5000 ms",
               L"still running (killed)");
}

// A numeric settings value, read as text: Tarnwick writes a blank before a non-negative number,
// which the profile functions may drop.
void CheckIniNumber(Check& check, const std::wstring& ini, const wchar_t* section,
                    const wchar_t* key, double expected, double tolerance) {
    const std::optional<std::wstring> text = ReadIniValue(ini, section, key);
    const std::wstring what = std::wstring(section) + L"/" + key;
    if (!text) {
        check.That(what + L" written", false, L"a value", L"missing");
        return;
    }
    wchar_t* end = nullptr;
    const std::wstring trimmed = Trim(*text);
    const double value = std::wcstod(trimmed.c_str(), &end);
    if (trimmed.empty() || *end != L'\0') {
        check.That(what + L" is a number", false, L"a number", Quote(*text));
        return;
    }
    check.Near(what, expected, value, tolerance);
}

std::vector<std::wstring> KeysOf(const std::wstring& ini, const wchar_t* section) {
    std::vector<wchar_t> buffer(32768);
    const DWORD length = GetPrivateProfileSectionW(section, buffer.data(),
                                                   static_cast<DWORD>(buffer.size()), ini.c_str());
    std::vector<std::wstring> keys;
    for (DWORD i = 0; i < length;) {
        const std::wstring entry = buffer.data() + i;
        keys.push_back(entry.substr(0, entry.find(L'=')));
        i += static_cast<DWORD>(entry.size()) + 1;
    }
    return keys;
}

std::wstring Joined(const std::vector<std::wstring>& parts) {
    std::wstring text;
    for (const std::wstring& part : parts) {
        text += (text.empty() ? L"" : L", ") + part;
    }
    return text;
}

void SettingsRoundTrip(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    RECT placed{};
    {
        TarnwickApp app(check, env, folder.ExePath());
        app.Start();
        const HWND main = app.MainWindow();
        SetWindowPos(main, nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        const bool moved = WaitUntil(1000, [&] {
            const RECT r = WindowRect(main);
            return r.left == 200 && r.top == 150;
        });
        check.That(L"main window moved to (200, 150)", moved, L"(200, 150)",
                   RectText(WindowRect(main)));
        placed = WindowRect(main);
        app.Command(ids::mnu_TrackTarget);
        Pause(200);
        check.EqualFlag(L"\"&Target window\" switched off", false,
                        app.MenuChecked(ids::mnu_TrackTarget));
        check.That(L"WM_CLOSE ends the program", app.Close(), L"ended within 5000 ms", L"killed");
    }
    const std::wstring ini = folder.IniPath();
    const double tx = env.screen.twipsPerPixelX;
    const double ty = env.screen.twipsPerPixelY;
    check.Equal(L"General/TrackForeground", L"1",
                ReadIniValue(ini, L"General", L"TrackForeground").value_or(L"(missing)"));
    check.Equal(L"General/TrackTarget", L"0",
                ReadIniValue(ini, L"General", L"TrackTarget").value_or(L"(missing)"));
    CheckIniNumber(check, ini, L"Position", L"left", placed.left * tx, tx);
    CheckIniNumber(check, ini, L"Position", L"top", placed.top * ty, ty);
    CheckIniNumber(check, ini, L"Position", L"width", (placed.right - placed.left) * tx, tx);
    CheckIniNumber(check, ini, L"Position", L"height", (placed.bottom - placed.top) * ty, ty);
    CheckIniNumber(check, ini, L"Position", L"windowstate", 0, 0);
    check.Equal(L"order of the Position keys", L"left, top, width, height, windowstate",
                Joined(KeysOf(ini, L"Position")));

    TarnwickApp again(check, env, folder.ExePath());
    again.Start();
    const RECT r = WindowRect(again.MainWindow());
    check.Near(L"next start: left (px)", placed.left, r.left, 1);
    check.Near(L"next start: top (px)", placed.top, r.top, 1);
    check.EqualFlag(L"next start: \"&Foreground window\" checked", true,
                    again.MenuChecked(ids::mnu_TrackForeground));
    check.EqualFlag(L"next start: \"&Target window\" checked", false,
                    again.MenuChecked(ids::mnu_TrackTarget));
    check.EqualFlag(L"next start: img_Target visible", false,
                    IsWindowVisible(again.Control(ids::img_Target)) != FALSE);
}

void CloseButtonSaves(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    check.That(L"main window becomes the foreground window", BringToForeground(app.MainWindow()),
               L"foreground", L"another window");
    Click(Centre(WindowRect(app.Control(ids::btn_Close))));
    CheckClosed(check, app, L"a click on \"Close\"");
    const std::wstring ini = folder.IniPath();
    check.Equal(L"General/TrackForeground", L"1",
                ReadIniValue(ini, L"General", L"TrackForeground").value_or(L"(missing)"));
    check.Equal(L"General/TrackTarget", L"1",
                ReadIniValue(ini, L"General", L"TrackTarget").value_or(L"(missing)"));
    check.Equal(L"keys of Position", L"left, top, width, height, windowstate",
                Joined(KeysOf(ini, L"Position")));
}

void CloseWithBothModesOff(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    folder.WriteIni("[General]\r\nTrackForeground=0\r\nTrackTarget=0\r\n");
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    check.That(L"WM_CLOSE ends the program", app.Close(), L"ended within 5000 ms", L"killed");
    const std::wstring ini = folder.IniPath();
    check.Equal(L"General/TrackForeground", L"0",
                ReadIniValue(ini, L"General", L"TrackForeground").value_or(L"(missing)"));
    check.Equal(L"General/TrackTarget", L"0",
                ReadIniValue(ini, L"General", L"TrackTarget").value_or(L"(missing)"));
}

HelpTopicSample RequireTopic(Check& check, const std::optional<HelpTopicSample>& topic,
                             std::wstring_view which) {
    if (!topic || topic->firstLine.empty()) {
        check.Abort(L"find the " + std::wstring(which) + L" in Tarnwick.hlp",
                    L"a topic with a line of text", L"none");
    }
    return *topic;
}

const std::wstring& RequireHelpFile(Check& check, const Environment& env) {
    if (env.helpPath.empty()) {
        check.Abort(L"Tarnwick.hlp beside Tarnwick.exe", L"the help file", L"missing");
    }
    return env.helpPath;
}

HWND WaitForHelpViewer(Check& check, TarnwickApp& app) {
    const std::optional<HWND> viewer = app.WaitForWindow(kHelpWindowClass, 3000);
    if (!viewer) {
        check.Abort(L"help viewer opens",
                    L"a window of class \"" + std::wstring(kHelpWindowClass) + L"\" within 3000 ms",
                    L"none");
    }
    check.That(L"help viewer has no owner", GetWindow(*viewer, GW_OWNER) == nullptr, L"none",
               Hex(static_cast<std::uint32_t>(HandleValue(GetWindow(*viewer, GW_OWNER)))));
    return *viewer;
}

// Waits until the viewer's text shows the topic, then checks it.
void ExpectHelpTopic(Check& check, HWND viewer, const HelpTopicSample& topic,
                     std::wstring_view which) {
    const HWND text = GetDlgItem(viewer, kHelpTextId);
    if (text == nullptr) {
        check.Abort(L"help viewer's text control", L"a child with id 2", L"none");
    }
    check.That(L"help text is read-only", (Style(text) & ES_READONLY) != 0, L"ES_READONLY",
               L"style " + Hex(static_cast<std::uint32_t>(Style(text))));
    WaitUntil(2000, [&] { return Contains(WindowText(text), topic.firstLine); });
    const std::wstring shown = WindowText(text);
    check.That(L"help viewer shows the " + std::wstring(which), Contains(shown, topic.firstLine),
               L"a text containing " + Quote(topic.firstLine),
               Quote(shown.substr(0, 120)) + (shown.size() > 120 ? L"..." : L""));
}

void HelpButtonAndF1(Check& check, const Environment& env) {
    const std::wstring& help = RequireHelpFile(check, env);
    const HelpTopicSample contents = RequireTopic(check, HelpContentsTopic(help), L"contents");
    const HelpTopicSample context1 = RequireTopic(check, HelpContextTopic(help, 1), L"topic 1");
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    check.That(L"main window becomes the foreground window", BringToForeground(app.MainWindow()),
               L"foreground", L"another window");
    Click(Centre(WindowRect(app.Control(ids::btn_Help))));
    const HWND viewer = WaitForHelpViewer(check, app);
    ExpectHelpTopic(check, viewer, contents, L"contents after \"?\"");

    check.That(L"main window back to the foreground", BringToForeground(app.MainWindow()),
               L"foreground", L"another window");
    PressKey(VK_F1);
    ExpectHelpTopic(check, viewer, context1, L"topic with context 1 after F1");
    check.Equal(
        L"one help viewer for both requests", 1,
        static_cast<std::int64_t>(TopLevelWindows(app.ProcessId(), kHelpWindowClass).size()));
}

void HelpMenuItem(Check& check, const Environment& env) {
    const std::wstring& help = RequireHelpFile(check, env);
    const HelpTopicSample context1 = RequireTopic(check, HelpContextTopic(help, 1), L"topic 1");
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    app.Command(ids::mnu_CurrentWindowHelp);
    ExpectHelpTopic(check, WaitForHelpViewer(check, app), context1,
                    L"topic with context 1 after \"&CurrentWindow\"");
}

std::wstring AllTexts(HWND window) {
    std::wstring texts = WindowText(window);
    EnumChildWindows(
        window,
        [](HWND child, LPARAM parameter) -> BOOL {
            *reinterpret_cast<std::wstring*>(parameter) += L" " + WindowText(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

void HelpFileMissing(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName(), HelpCopy::No);
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    app.Command(ids::btn_Help);
    std::optional<HWND> message;
    WaitUntil(3000, [&] {
        for (const HWND window : TopLevelWindows(app.ProcessId())) {
            if (window != app.MainWindow()) {
                message = window;
            }
        }
        return message.has_value() || !app.Running();
    });
    check.That(L"still running after \"?\" without a help file", app.Running(), L"running",
               L"ended");
    if (!message) {
        check.Abort(L"a message about the missing help file", L"a window of Tarnwick's process",
                    L"none within 3000 ms");
    }
    check.That(L"the message (a window of class " + Quote(ClassName(*message)) + L") has a text",
               !Trim(AllTexts(*message)).empty(), L"some text", L"empty");
    TestWindows windows;
    const HWND window = windows.Create({});
    check.That(L"test window becomes the foreground window", BringToForeground(window),
               L"foreground", L"another window");
    ExpectTracked(check, app, L"still ticking", window, L"Current foreground window", 1000);
}

HWND OpenAbout(Check& check, TarnwickApp& app) {
    app.Command(ids::mnu_About);
    const std::optional<HWND> box = app.WaitForWindow(kAboutWindowClass, 3000);
    if (!box) {
        check.Abort(
            L"\"&About\" opens the About box",
            L"a window of class \"" + std::wstring(kAboutWindowClass) + L"\" within 3000 ms",
            L"none");
    }
    return *box;
}

void CheckAboutCentred(Check& check, const Environment& env, HWND box, std::wstring_view when) {
    const RECT r = WindowRect(box);
    const std::wstring prefix = std::wstring(when) + L": ";
    check.Near(prefix + L"left (px), centred on the screen",
               (env.screen.width - (r.right - r.left)) / 2.0, r.left, 1);
    check.Near(prefix + L"top (px), centred on the screen",
               (env.screen.height - (r.bottom - r.top)) / 2.0, r.top, 1);
}

bool WaitClosed(HWND box) {
    return WaitUntil(3000, [&] { return !IsWindow(box) || !IsWindowVisible(box); });
}

void AboutBox(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    const HWND box = OpenAbout(check, app);
    check.Equal(L"caption", L"About Tarnwick", WindowText(box));
    check.That(L"no owner window", GetWindow(box, GW_OWNER) == nullptr, L"none",
               Hex(static_cast<std::uint32_t>(HandleValue(GetWindow(box, GW_OWNER)))));
    CheckAboutCentred(check, env, box, L"first opening");
    check.EqualFlag(L"topmost (WS_EX_TOPMOST)", true, IsTopmost(box));
    const SIZE client = ClientSize(box);
    check.Near(L"client width (px) = 4680 twips",
               kAboutClientWidthTwips / env.screen.twipsPerPixelX, client.cx, 1);
    check.Near(L"client height (px) = 3192 twips",
               kAboutClientHeightTwips / env.screen.twipsPerPixelY, client.cy, 1);
    const HWND version = GetDlgItem(box, about::data_Version);
    check.Equal(L"data_Version", kVersionText, version ? WindowText(version) : L"(no control)");
    const HWND name = GetDlgItem(box, about::lbl_ProgramName);
    check.Equal(L"lbl_ProgramName", L"Tarnwick", name ? WindowText(name) : L"(no control)");
    ExpectTracked(check, app, L"About box in the foreground", box, L"Current foreground window",
                  1000);

    // Modal: a click on the main window's Close button does nothing while the box is open.
    SetWindowPos(box, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pause();
    Click(Centre(WindowRect(app.Control(ids::btn_Close))));
    Pause(500);
    check.That(L"\"Close\" does not respond while the About box is open", app.Running(),
               L"still running", L"ended");
    check.That(L"About box still open after the click", IsWindowVisible(box) != FALSE, L"open",
               L"closed");

    const HWND ok = GetDlgItem(box, about::btn_OK);
    if (ok == nullptr) {
        check.Abort(L"About box's OK button", L"a child with id btn_OK", L"none");
    }
    check.That(L"About box becomes the foreground window", BringToForeground(box), L"foreground",
               L"another window");
    Click(Centre(WindowRect(ok)));
    check.That(L"OK closes the About box", WaitClosed(box), L"closed", L"open");

    const HWND second = OpenAbout(check, app);
    CheckAboutCentred(check, env, second, L"second opening");
    check.Equal(L"second opening: data_Version", kVersionText,
                WindowText(GetDlgItem(second, about::data_Version)));
    check.That(L"About box becomes the foreground window", BringToForeground(second), L"foreground",
               L"another window");
    PressKey(VK_ESCAPE);
    check.That(L"Esc closes the About box", WaitClosed(second), L"closed", L"open");

    const HWND third = OpenAbout(check, app);
    check.That(L"About box becomes the foreground window", BringToForeground(third), L"foreground",
               L"another window");
    PressKey(VK_RETURN);
    check.That(L"Enter closes the About box", WaitClosed(third), L"closed", L"open");
    check.That(L"main window answers after the About box",
               app.Running() && TryWindowText(app.Control(ids::lbl_CurWindow)).has_value(),
               L"an answer", L"none");
}

void AboutNotTopmostWhenDisabled(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    folder.WriteIni("[General]\r\nDisableKeepOnTop=1\r\n");
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    const HWND box = OpenAbout(check, app);
    check.EqualFlag(L"About box topmost (WS_EX_TOPMOST)", false, IsTopmost(box));
    CheckAboutCentred(check, env, box, L"opening");
}

}  // namespace

std::vector<TestCase> HelpAndAboutCases() {
    return {
        {L"shutdown_settings_round_trip", SettingsRoundTrip},
        {L"shutdown_close_button_saves", CloseButtonSaves},
        {L"shutdown_both_modes_off_written", CloseWithBothModesOff},
        {L"help_button_contents_and_f1", HelpButtonAndF1},
        {L"help_menu_item_context_1", HelpMenuItem},
        {L"help_file_missing", HelpFileMissing},
        {L"about_box", AboutBox},
        {L"about_box_not_topmost_when_disabled", AboutNotTopmostWhenDisabled},
    };
}

}  // namespace tarnwick::e2e
