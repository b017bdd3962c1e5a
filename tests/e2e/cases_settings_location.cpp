// The settings file of a Tarnwick in a folder whose path is 300 characters long and of one in a
// folder that no one can write: the mode and the placement changed in one run come back in the
// next, and the help's page on the settings file names the file that holds them.

#include <windows.h>

#include <string>
#include <vector>

#include "main_window/frmMain_controls.h"
#include "tests/e2e/app.h"
#include "tests/e2e/case_folder.h"
#include "tests/e2e/cases.h"
#include "tests/e2e/help_file.h"
#include "tests/e2e/input.h"
#include "tests/e2e/text.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_query.h"

namespace tarnwick::e2e {
namespace {

namespace ids = frmMainControls;

constexpr int kHelpTopicListId = 1;
constexpr int kHelpTextId = 2;
constexpr POINT kMovedTo{210, 160};
constexpr std::size_t kLongFolderLength = 300;
constexpr wchar_t kExtendedPrefix[] = L"\\\\?\\";

// The help's page that names the settings file, as the viewer shows it.
std::wstring SettingsHelpPage(Check& check, const Environment& env, const TarnwickApp& app) {
    const std::optional<HelpTopicSample> topic =
        HelpTopicContaining(env.helpPath, L"{{SettingsFile}}");
    if (!topic) {
        check.Abort(L"the help's page on the settings file", L"a topic naming {{SettingsFile}}",
                    L"none");
    }
    app.Command(ids::btn_Help);
    const std::optional<HWND> viewer = app.WaitForWindow(kHelpWindowClass, 3000);
    if (!viewer) {
        check.Abort(L"the help viewer opens", L"a help window within 3000 ms", L"none");
    }
    const HWND list = GetDlgItem(*viewer, kHelpTopicListId);
    const HWND text = GetDlgItem(*viewer, kHelpTextId);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(list, LB_SETCURSEL, topic->index, 0, SMTO_ABORTIFHUNG, 2000, &result);
    PostMessageW(*viewer, WM_COMMAND, MAKEWPARAM(kHelpTopicListId, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    WaitUntil(2000, [&] { return StartsWith(WindowText(text), topic->title); });
    return WindowText(text);
}

// One run moves the main window and switches target tracking off; the next must come back with
// both and name, on the help's page, the settings file (one of the candidates) that holds them.
void RoundTrip(Check& check, const Environment& env, const std::wstring& exePath,
               const std::vector<std::wstring>& candidates) {
    // CreateProcess takes no program path of 260 characters or more; a shell starts it.
    const auto start = [&](TarnwickApp& app) {
        exePath.size() < MAX_PATH ? app.Start() : app.StartThroughWineLoader();
    };
    {
        TarnwickApp app(check, env, exePath);
        start(app);
        SetWindowPos(app.MainWindow(), nullptr, kMovedTo.x, kMovedTo.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        WaitUntil(1000, [&] { return WindowRect(app.MainWindow()).left == kMovedTo.x; });
        app.Command(ids::mnu_TrackTarget);
        Pause(200);
        check.That(L"the first run closes", app.Close(), L"ended within 5000 ms", L"killed");
    }
    TarnwickApp again(check, env, exePath);
    start(again);
    const RECT placed = WindowRect(again.MainWindow());
    check.Near(L"next run: left (px)", kMovedTo.x, placed.left, 1);
    check.Near(L"next run: top (px)", kMovedTo.y, placed.top, 1);
    check.EqualFlag(L"next run: \"&Target window\" checked", false,
                    again.MenuChecked(ids::mnu_TrackTarget));
    const std::wstring page = SettingsHelpPage(check, env, again);
    std::wstring named;
    std::wstring expected;
    for (const std::wstring& candidate : candidates) {
        named = Contains(page, candidate) ? candidate : named;
        expected += (expected.empty() ? L"" : L" or ") + Quote(candidate);
    }
    check.That(L"the help names the settings file", !named.empty(), expected, Quote(page));
    check.Equal(L"the named file holds General/TrackTarget", L"0",
                ReadIniValue(named, L"General", L"TrackTarget").value_or(L"(missing)"));
}

std::wstring LocalSettingsFile() {
    return LocalSettingsFolder() + L"\\Tarnwick.ini";
}

void LongFolderPath(Check& check, const Environment& env) {
    CaseFolder base(check, env, check.CaseName());
    // Folder by folder, each made through the extended-length prefix that takes any length.
    std::wstring folder = base.Path();
    while (folder.size() < kLongFolderLength) {
        folder +=
            L"\\" +
            std::wstring(std::min<std::size_t>(
                             60, std::max<std::size_t>(1, kLongFolderLength - folder.size() - 1)),
                         L'x');
        CreateDirectoryW((kExtendedPrefix + folder).c_str(), nullptr);
    }
    for (const wchar_t* file : {L"\\Tarnwick.exe", L"\\Tarnwick.hlp"}) {
        if (!CopyFileW((kExtendedPrefix + base.Path() + file).c_str(),
                       (kExtendedPrefix + folder + file).c_str(), FALSE)) {
            check.Abort(L"copy into the long folder", folder + file,
                        L"error " + std::to_wstring(GetLastError()));
        }
    }
    check.Equal(L"the folder's path length", kLongFolderLength, folder.size());
    // Beside the program by its short path where the volume has short names, else local.
    wchar_t shortFolder[MAX_PATH] = {};
    const DWORD length =
        GetShortPathNameW((kExtendedPrefix + folder).c_str(), shortFolder, MAX_PATH);
    const std::wstring shortIni =
        length > 0 && length < MAX_PATH
            ? std::wstring(shortFolder + (StartsWith(shortFolder, kExtendedPrefix) ? 4 : 0)) +
                  L"\\Tarnwick.ini"
            : L"(no short path)";
    RoundTrip(check, env, folder + L"\\Tarnwick.exe", {shortIni, LocalSettingsFile()});
}

void ReadOnlyFolder(Check& check, const Environment& env) {
    if (env.readOnlyFolder.empty()) {
        check.Abort(L"a folder that no one can write", L"--read-only-folder from scripts/e2e",
                    L"none (a read-only bind mount needs root or sudo)");
    }
    CaseFolder clean(check, env, check.CaseName());  // and no local settings file
    check.That(L"the folder cannot be written",
               !WriteWholeFile(env.readOnlyFolder + L"\\Tarnwick.ini", "[General]\r\n"),
               L"no file made", L"a file made");
    RoundTrip(check, env, env.readOnlyFolder + L"\\Tarnwick.exe", {LocalSettingsFile()});
}

}  // namespace

std::vector<TestCase> SettingsLocationCases() {
    return {
        {L"settings_location_long_folder_path", LongFolderPath},
        {L"settings_location_read_only_folder", ReadOnlyFolder},
    };
}

}  // namespace tarnwick::e2e
