#include "tests/e2e/app.h"

#include <vector>

#include "main_window/frmMain_controls.h"
#include "tests/e2e/input.h"
#include "tests/e2e/text.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_query.h"

namespace tarnwick::e2e {

namespace {

namespace ids = frmMainControls;

constexpr DWORD kStartTimeoutMs = 10000;
constexpr DWORD kStartUpDataTimeoutMs = 3000;

bool InsideFrame(int id) {
    return id > ids::frame_Main && id <= ids::lbl_WindowParent;
}

}  // namespace

TarnwickApp::TarnwickApp(Check& check, const Environment& env, std::wstring exePath)
    : check_(check), env_(env), exePath_(std::move(exePath)) {}

TarnwickApp::~TarnwickApp() {
    if (process_ == nullptr) {
        return;
    }
    if (Running()) {
        Close(2000);
    }
    CloseHandle(process_);
}

void TarnwickApp::Start() {
    std::wstring commandLine = L"\"" + exePath_ + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exePath_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        env_.workRoot.c_str(), &startup, &info)) {
        check_.Abort(L"start " + exePath_, L"a new process",
                     L"error " + std::to_wstring(GetLastError()));
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    AwaitMainWindow();
}

void TarnwickApp::StartThroughWineLoader() {
    using UnixFileName = char*(CDECL*)(LPCWSTR);
    using DosFileName = WCHAR*(CDECL*)(LPCSTR);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const auto unixName = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_unix_file_name")));
    const auto dosName = reinterpret_cast<DosFileName>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_dos_file_name")));
    char loader[1024] = {};
    if (!unixName || !dosName || !GetEnvironmentVariableA("WINELOADER", loader, sizeof loader)) {
        check_.Abort(L"start through Wine's loader", L"Wine, with WINELOADER set", L"neither");
    }
    char* exe = unixName((L"\\\\?\\" + exePath_).c_str());
    WCHAR* loaderPath = dosName(loader);
    std::wstring commandLine = FromUtf8(loader) + L" \"" + (exe ? FromUtf8(exe) : L"") + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    const BOOL started = exe && loaderPath &&
                         CreateProcessW(loaderPath, commandLine.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, env_.workRoot.c_str(), &startup, &info);
    HeapFree(GetProcessHeap(), 0, exe);
    HeapFree(GetProcessHeap(), 0, loaderPath);
    if (!started) {
        check_.Abort(L"start " + exePath_ + L" through Wine's loader", L"a new process",
                     L"error " + std::to_wstring(GetLastError()));
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    // The loader's process is a Unix one; the program is the process of its main window.
    HWND main = nullptr;
    WaitUntil(kStartTimeoutMs, [&] { return (main = FindWindowW(kMainWindowClass, nullptr)); });
    GetWindowThreadProcessId(main, &processId_);
    process_ = main ? OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId_) : nullptr;
    if (process_ == nullptr) {
        check_.Abort(L"main window appears", L"a window of the program's process", L"none");
    }
    AwaitMainWindow();
}

void TarnwickApp::AwaitMainWindow() {
    std::optional<HWND> main = WaitForWindow(kMainWindowClass, kStartTimeoutMs);
    if (!main) {
        check_.Abort(L"main window appears",
                     L"a visible top-level window of class \"" + std::wstring(kMainWindowClass) +
                         L"\" within " + std::to_wstring(kStartTimeoutMs) + L" ms",
                     Running() ? L"none" : L"the process ended");
    }
    main_ = *main;
    // The window shows before the end of start-up, which fills the data labels last.
    const HWND frame = GetDlgItem(main_, ids::frame_Main);
    const HWND decimal = frame ? GetDlgItem(frame, ids::lbl_WindowHandleDecimal) : nullptr;
    if (decimal == nullptr || !WaitUntil(kStartUpDataTimeoutMs, [&] {
            return StartsWith(WindowText(decimal), L"Dec: ");
        })) {
        check_.That(L"start-up fills the data labels", false,
                    L"lbl_WindowHandleDecimal starting with \"Dec: \" within " +
                        std::to_wstring(kStartUpDataTimeoutMs) + L" ms",
                    decimal ? Quote(WindowText(decimal)) : L"no such label");
    }
    WaitForInputIdle(process_, 2000);
}

bool TarnwickApp::Running() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

HWND TarnwickApp::Control(int id) const {
    HWND parent = main_;
    if (InsideFrame(id)) {
        parent = GetDlgItem(main_, ids::frame_Main);
    }
    const HWND control = parent ? GetDlgItem(parent, id) : nullptr;
    if (control == nullptr) {
        check_.Abort(L"find control " + std::to_wstring(id) + L" of the main window",
                     InsideFrame(id) ? L"a child of frame_Main with this id"
                                     : L"a child of the main window with this id",
                     L"none");
    }
    return control;
}

std::wstring TarnwickApp::Text(int id) const {
    const std::optional<std::wstring> text = TryWindowText(Control(id));
    if (!text) {
        check_.Abort(L"read control " + std::to_wstring(id), L"an answer to WM_GETTEXT",
                     L"no answer within 2000 ms");
    }
    return *text;
}

void TarnwickApp::Command(int id) const {
    // As the system sends it: a button names itself and BN_CLICKED, a menu item only its id.
    if (id == ids::btn_Close || id == ids::btn_Help) {
        PostMessageW(main_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Control(id)));
    } else {
        PostMessageW(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }
}

ProbedWindow TarnwickApp::Probe(HWND window) const {
    std::optional<ProbedWindow> probed =
        ProbeWindow(process_, processId_, window ? window : main_, env_.probePath);
    if (!probed) {
        check_.Abort(L"read the main window's menu bar", L"the menu, read by the probe",
                     L"no menu or no answer");
    }
    return *probed;
}

std::vector<MenuItem> TarnwickApp::Menu() const {
    return Probe().menu;
}

bool TarnwickApp::MenuChecked(int id) const {
    for (const MenuItem& item : Menu()) {
        if (item.id == static_cast<UINT>(id) && !item.hasSubmenu) {
            return item.Checked();
        }
    }
    check_.Abort(L"find menu item " + std::to_wstring(id), L"an item with this command id",
                 L"none");
}

std::optional<HWND> TarnwickApp::WaitForWindow(const wchar_t* className, DWORD timeoutMs) const {
    std::optional<HWND> found;
    WaitUntil(timeoutMs, [&] {
        const std::vector<HWND> windows = TopLevelWindows(processId_, className);
        if (!windows.empty()) {
            found = windows.front();
        }
        return found.has_value() || !Running();
    });
    return found;
}

bool TarnwickApp::Close(DWORD timeoutMs) {
    if (main_ != nullptr) {
        PostMessageW(main_, WM_CLOSE, 0, 0);
    }
    return WaitForExit(timeoutMs);
}

bool TarnwickApp::WaitForExit(DWORD timeoutMs) {
    if (process_ == nullptr) {
        return true;
    }
    if (WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0) {
        return true;
    }
    Kill();
    return false;
}

void TarnwickApp::Kill() {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
}

void PointAtTarget(Check& check, const TarnwickApp& app) {
    check.That(L"the main window becomes the foreground window",
               BringToForeground(app.MainWindow()), L"foreground", L"another window");
    MoveMouse(Centre(WindowRect(app.Control(frmMainControls::img_Target))));
    Pause();
}

}  // namespace tarnwick::e2e
