#include "tests/bench/drag_bench.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "main_window/frmMain_controls.h"
#include "platform/win32/windows_api.h"
#include "tests/bench/process_figures.h"

namespace tarnwick::bench {

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kWindows = 5;

unsigned long long Ticks(FILETIME t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

double ThreadCpuMs(HANDLE thread) {
    FILETIME created, exited, kernel, user;
    return ::GetThreadTimes(thread, &created, &exited, &kernel, &user)
               ? static_cast<double>(Ticks(kernel) + Ticks(user)) / 10000.0
               : 0;
}

std::string Variable(const wchar_t* name) {
    wchar_t value[512] = {};
    const DWORD length = ::GetEnvironmentVariableW(name, value, 512);
    return length > 0 && length < 512 ? std::filesystem::path(value).string() : std::string();
}

// Under Wine much of a repaint is done by the wineserver and the X server, outside every Windows
// process: the CPU time of this run's two (the X server of $DISPLAY, the wineserver of
// $WINEPREFIX), read from the host's /proc through Wine's Z: drive. Negative elsewhere.
double HostServersCpuMs() {
    namespace fs = std::filesystem;
    const std::string display = Variable(L"DISPLAY");
    const std::string prefix = Variable(L"WINEPREFIX");
    const fs::path proc = L"Z:\\proc";
    std::error_code error;
    if (display.empty() || prefix.empty() || !fs::is_directory(proc, error)) {
        return -1;
    }
    double total = 0;
    int found = 0;
    for (const auto& entry : fs::directory_iterator(proc, error)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        const std::string comm = ReadWholeFile((entry.path() / L"comm").wstring());
        std::string args = ReadWholeFile((entry.path() / L"cmdline").wstring());
        std::replace(args.begin(), args.end(), '\0', ' ');
        const std::string environment = ReadWholeFile((entry.path() / L"environ").wstring());
        const bool ours =
            (comm.starts_with("Xvfb") &&
             (args + " ").find(" " + display + " ") != std::string::npos) ||
            (comm.starts_with("wineserver") &&
             environment.find("WINEPREFIX=" + prefix + std::string(1, '\0')) != std::string::npos);
        if (!ours) {
            continue;
        }
        // Fields 14 and 15 of stat, after the command name in parentheses: user and system
        // time in clock ticks of 10 ms.
        const std::string stat = ReadWholeFile((entry.path() / L"stat").wstring());
        const std::size_t close = stat.rfind(')');
        if (close == std::string::npos) {
            continue;
        }
        std::istringstream fields(stat.substr(close + 2));
        std::string field;
        double ticks = 0;
        for (int index = 3; index <= 15 && fields >> field; ++index) {
            if (index >= 14) {
                ticks += std::atof(field.c_str());
            }
        }
        total += ticks * 10.0;
        ++found;
    }
    return found > 0 ? total : -1;
}

// Five ordinary windows in a row along the top of the screen, on a thread of their own that
// does nothing but pump their messages: their repaints are that thread's CPU time.
class FiveWindows {
  public:
    FiveWindows() {
        ready_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this] { Run(); });
        ::WaitForSingleObject(ready_, INFINITE);
    }
    ~FiveWindows() {
        ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
        ::CloseHandle(ready_);
    }
    const std::vector<HWND>& windows() const { return windows_; }
    double CpuMs() const { return ThreadCpuMs(threadHandle_); }

  private:
    void Run() {
        threadId_ = ::GetCurrentThreadId();
        ::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentThread(), ::GetCurrentProcess(),
                          &threadHandle_, 0, FALSE, DUPLICATE_SAME_ACCESS);
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = L"TarnwickBenchDragWindow";
        ::RegisterClassW(&wc);
        for (int i = 0; i < kWindows; ++i) {
            windows_.push_back(::CreateWindowW(wc.lpszClassName, L"Drag bench window",
                                               WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20 + i * 200, 40,
                                               180, 200, nullptr, nullptr, wc.hInstance, nullptr));
        }
        ::SetEvent(ready_);
        MSG message;
        while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
            ::DispatchMessageW(&message);
        }
        for (const HWND window : windows_) {
            ::DestroyWindow(window);
        }
        ::CloseHandle(threadHandle_);
    }

    HANDLE ready_ = nullptr;
    std::thread thread_;
    DWORD threadId_ = 0;
    HANDLE threadHandle_ = nullptr;
    std::vector<HWND> windows_;
};

void MouseInput(DWORD flags, POINT point) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = ::MulDiv(point.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = ::MulDiv(point.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
}

void MoveTo(POINT point) {
    ::SetCursorPos(point.x, point.y);
    MouseInput(MOUSEEVENTF_MOVE, point);
}

POINT Centre(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

struct StyleCost {
    double tarnwickMs = -1;
    double windowsMs = -1;
    double serversMs = 0;  // the host's X server and wineserver, where they can be read
    double Total() const { return tarnwickMs + windowsMs + serversMs; }
};

// One drag in one style, from a folder of its own whose settings file names the style.
StyleCost DragInStyle(const std::wstring& exe, int style, int seconds, const FiveWindows& five) {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / (L"tarnwick-bench-drag-" + std::to_wstring(style));
    fs::create_directories(folder);
    fs::copy_file(exe, folder / L"Tarnwick.exe", fs::copy_options::overwrite_existing);
    std::ofstream(folder / L"Tarnwick.ini", std::ios::binary)
        << "[General]\r\nFrameStyle=" << style << "\r\n";

    StyleCost cost;
    const std::wstring program = (folder / L"Tarnwick.exe").wstring();
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.wstring().c_str(), &startup, &process)) {
        return cost;
    }
    HWND main = nullptr;
    for (int i = 0; i < 500 && main == nullptr; ++i) {
        ::Sleep(20);
        main = FindProcessWindow(process.dwProcessId, L"Tarnwick");
    }
    const HWND frame = main ? ::GetDlgItem(main, frmMainControls::frame_Main) : nullptr;
    const HWND target = frame ? ::GetDlgItem(frame, frmMainControls::img_Target) : nullptr;
    if (target != nullptr) {
        ::Sleep(500);
        ::SetForegroundWindow(main);
        MoveTo(Centre(target));
        ::Sleep(300);
        MouseInput(MOUSEEVENTF_LEFTDOWN, Centre(target));
        ::Sleep(300);
        // Under Wine the Linux figure of the process, elsewhere the system's.
        const std::wstring linuxFolder =
            LinuxProcessFolder("\\tarnwick-bench-drag-" + std::to_string(style) + "\\tarnwick.exe");
        const auto tarnwickCpu = [&] {
            return linuxFolder.empty() ? CpuMilliseconds(process.hProcess)
                                       : LinuxCpuMilliseconds(linuxFolder);
        };
        const double tarnwickBefore = tarnwickCpu();
        const double windowsBefore = five.CpuMs();
        const double serversBefore = HostServersCpuMs();
        // The pointer on the next window every 50 ms: the tick sees a new target nearly
        // every time.
        const auto end = Clock::now() + std::chrono::seconds(seconds);
        for (std::size_t i = 0; Clock::now() < end; ++i) {
            MoveTo(Centre(five.windows()[i % five.windows().size()]));
            ::Sleep(50);
        }
        cost.tarnwickMs = tarnwickCpu() - tarnwickBefore;
        cost.windowsMs = five.CpuMs() - windowsBefore;
        const double serversAfter = HostServersCpuMs();
        cost.serversMs = serversBefore >= 0 && serversAfter >= 0 ? serversAfter - serversBefore : 0;
        MouseInput(MOUSEEVENTF_LEFTUP, Centre(target));
        ::Sleep(300);
        ::PostMessageW(main, WM_CLOSE, 0, 0);
    }
    if (::WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.hProcess, 1);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return cost;
}

}  // namespace

bool BenchDragAcrossWindows(const std::wstring& exe, int seconds) {
    const FiveWindows five;
    const StyleCost painted = DragInStyle(exe, 0, seconds, five);
    const StyleCost overlay = DragInStyle(exe, 1, seconds, five);
    if (painted.tarnwickMs < 0 || overlay.tarnwickMs < 0) {
        std::printf("drag across five windows: could not be run\n");
        return false;
    }
    const double changes = seconds * 20.0;
    std::printf("drag across five windows, target changing every tick, %d s per style:\n", seconds);
    for (const auto& [name, cost] : {std::pair{"painted (FrameStyle=0)", painted},
                                     std::pair{"overlay (FrameStyle=1)", overlay}}) {
        std::printf(
            "  %-23s Tarnwick %.0f ms + the five windows %.0f ms + X server and "
            "wineserver %.0f ms CPU = %.2f ms per tick\n",
            name, cost.tarnwickMs, cost.windowsMs, cost.serversMs, cost.Total() / changes);
    }
    std::printf("  ratio painted / overlay: %.2f\n",
                overlay.Total() > 0 ? painted.Total() / overlay.Total() : 0.0);
    return true;
}

}  // namespace tarnwick::bench
