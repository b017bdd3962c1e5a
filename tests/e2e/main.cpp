// tarnwick_e2e.exe --exe <path to Tarnwick.exe> [--only <part of a case name>]
//                  [--read-only-folder <a folder no one can write, with Tarnwick.exe in it>]
//
// Runs the end-to-end cases one after another against the real program, prints one line per
// check and a closing "N passed, N failed", and exits with 1 when any check failed.

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/case_folder.h"
#include "tests/e2e/cases.h"
#include "tests/e2e/check.h"
#include "tests/e2e/console.h"
#include "tests/e2e/text.h"

namespace tarnwick::e2e {
namespace {

struct Options {
    std::wstring exePath;
    std::wstring only;
    std::wstring readOnlyFolder;
};

bool ParseOptions(int argc, wchar_t** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::wstring_view argument = argv[i];
        if (argument == L"--exe" && i + 1 < argc) {
            options.exePath = argv[++i];
        } else if (argument == L"--only" && i + 1 < argc) {
            options.only = argv[++i];
        } else if (argument == L"--read-only-folder" && i + 1 < argc) {
            options.readOnlyFolder = argv[++i];
        } else {
            return false;
        }
    }
    return !options.exePath.empty();
}

std::wstring FullPath(const std::wstring& path) {
    wchar_t buffer[MAX_PATH * 2] = {};
    const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH * 2, buffer, nullptr);
    return length > 0 ? std::wstring(buffer, length) : path;
}

std::wstring FolderOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

std::wstring OwnFolder() {
    wchar_t buffer[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, buffer, MAX_PATH * 2);
    return FolderOf(buffer);
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring MakeWorkRoot() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring root =
        std::wstring(temp) + L"tarnwick-e2e-" + std::to_wstring(GetCurrentProcessId());
    RemoveTree(root);
    CreateDirectoryW(root.c_str(), nullptr);
    return root;
}

std::vector<TestCase> AllCases() {
    std::vector<TestCase> cases;
    for (auto group :
         {MainWindowCases, StartupCases, TrackingCases, HelpAndAboutCases, SessionEndCases,
          HungWindowCases, AboutOnTopCases, MinimisedCases, DllSearchCases, CopyCases, ReleaseCases,
          SettingsLocationCases, DetailsCases, CaptureCases, DpiCases, FrameOverlayCases}) {
        for (const TestCase& c : group()) {
            cases.push_back(c);
        }
    }
    return cases;
}

void RunCase(Report& report, const TestCase& testCase, const Environment& env) {
    Check check(report, testCase.name);
    try {
        testCase.run(check, env);
    } catch (const CaseAborted&) {
        // Already reported; the case's clean-up ran while the stack unwound.
    } catch (const std::exception& error) {
        check.That(L"runs to its end", false, L"no exception", FromUtf8(error.what()));
    }
}

int Run(int argc, wchar_t** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        WriteLine(
            L"usage: tarnwick_e2e.exe --exe <path to Tarnwick.exe> [--only <substring>] "
            L"[--read-only-folder <folder>]");
        return 2;
    }
    Environment env;
    env.exePath = FullPath(options.exePath);
    if (!FileExists(env.exePath)) {
        WriteLine(L"tarnwick_e2e: no such file: " + env.exePath);
        return 2;
    }
    const std::wstring help = FolderOf(env.exePath) + L"\\Tarnwick.hlp";
    env.helpPath = FileExists(help) ? help : L"";
    env.probePath = OwnFolder() + L"\\tarnwick_e2e_probe.dll";
    env.workRoot = MakeWorkRoot();
    env.readOnlyFolder = options.readOnlyFolder;
    env.screen = QueryScreen();

    Report report;
    int run = 0;
    for (const TestCase& testCase : AllCases()) {
        if (Contains(testCase.name, options.only)) {
            RunCase(report, testCase, env);
            ++run;
        }
    }
    RemoveTree(env.workRoot);
    if (run == 0) {
        WriteLine(L"tarnwick_e2e: no case name contains " + Quote(options.only));
        return 2;
    }
    WriteLine(std::to_wstring(report.Passed()) + L" passed, " + std::to_wstring(report.Failed()) +
              L" failed");
    return report.Failed() == 0 ? 0 : 1;
}

}  // namespace
}  // namespace tarnwick::e2e

int wmain(int argc, wchar_t** argv) {
    // Coordinates in physical pixels, as Tarnwick (DPI-aware) sees them.
    SetProcessDPIAware();
    return tarnwick::e2e::Run(argc, argv);
}
