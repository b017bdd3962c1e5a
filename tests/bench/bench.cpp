// Measures what Tarnwick costs while it runs: GDI objects left after many frames, start-up time,
// and CPU time per tick against a bare program making the same queries.
//
//   tarnwick_bench --exe Tarnwick.exe --ticker tarnwick_bare_ticker.exe [--seconds 60]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "main_window/frmMain.h"
#include "platform/win32/win32_application.h"
#include "platform/win32/win32_services.h"
#include "tests/bench/drag_bench.h"

#include <psapi.h>

namespace {

using namespace tarnwick;
using Clock = std::chrono::steady_clock;

struct Options {
    std::wstring exe;
    std::wstring ticker;
    int seconds = 60;
};

void Pump(std::chrono::milliseconds duration) {
    const auto end = Clock::now() + duration;
    while (Clock::now() < end) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageW(&message);
        }
        ::Sleep(10);
    }
}

HWND TestWindow(const wchar_t* title, int x) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"TarnwickBenchWindow";
    ::RegisterClassW(&wc);
    const HWND window =
        ::CreateWindowW(L"TarnwickBenchWindow", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, 400,
                        300, 200, nullptr, nullptr, wc.hInstance, nullptr);
    Pump(std::chrono::milliseconds(200));
    return window;
}

int GdiObjectsAfterFrames(int frames) {
    win32::Win32Application app;
    win32::Win32Services services;
    frmMain main(Platform{app, services});
    const HWND target = TestWindow(L"Frame target", 600);
    for (int i = 0; i < frames; ++i) {
        main.DrawBorder(win32::FromHwnd(target));
    }
    ::DestroyWindow(target);
    return services.liveGdiObjects();
}

struct Started {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    double milliseconds = 0;
};

HWND FindProcessWindow(DWORD processId, const wchar_t* title) {
    struct Search {
        DWORD processId;
        const wchar_t* title;
        HWND found;
    } search{processId, title, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            wchar_t text[64] = {};
            ::GetWindowTextW(window, text, 64);
            if (owner == s->processId && ::IsWindowVisible(window) &&
                std::wstring(text) == s->title) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

Started Start(const std::wstring& exe, const wchar_t* title) {
    Started started;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + exe + L"\"";
    const auto begin = Clock::now();
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &started.process)) {
        std::fwprintf(stderr, L"cannot start %ls\n", exe.c_str());
        return started;
    }
    while (started.window == nullptr && Clock::now() - begin < std::chrono::seconds(10)) {
        started.window = FindProcessWindow(started.process.dwProcessId, title);
        if (started.window == nullptr) {
            ::Sleep(2);
        }
    }
    started.milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
    return started;
}

void Stop(Started& started) {
    if (started.window != nullptr) {
        ::PostMessageW(started.window, WM_CLOSE, 0, 0);
    }
    if (::WaitForSingleObject(started.process.hProcess, 5000) != WAIT_OBJECT_0) {
        ::TerminateProcess(started.process.hProcess, 1);
    }
    ::CloseHandle(started.process.hThread);
    ::CloseHandle(started.process.hProcess);
}

double CpuMilliseconds(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) {
        return 0;
    }
    const auto ticks = [](FILETIME t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

// Runs Tarnwick in a copy of its own, so that the settings it writes on closing stay there.
std::wstring PrivateCopy(const std::wstring& exe) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / L"tarnwick-bench";
    fs::create_directories(folder);
    fs::remove(folder / L"Tarnwick.ini");
    const fs::path copy = folder / L"Tarnwick.exe";
    fs::copy_file(exe, copy, fs::copy_options::overwrite_existing);
    return copy.wstring();
}

Options ParseOptions(int argc, wchar_t** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring name = argv[i];
        if (name == L"--exe") {
            options.exe = argv[i + 1];
        } else if (name == L"--ticker") {
            options.ticker = argv[i + 1];
        } else if (name == L"--seconds") {
            options.seconds = std::max(1, _wtoi(argv[i + 1]));
        }
    }
    return options;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const Options options = ParseOptions(argc, argv);
    if (options.exe.empty() || options.ticker.empty()) {
        std::fwprintf(stderr,
                      L"usage: tarnwick_bench --exe Tarnwick.exe --ticker "
                      L"tarnwick_bare_ticker.exe [--seconds 60]\n");
        return 2;
    }
    constexpr int kFrames = 10000;
    const int leftOver = GdiObjectsAfterFrames(kFrames);
    std::printf("GDI objects alive after %d frames: %d\n", kFrames, leftOver);

    const std::wstring exe = PrivateCopy(options.exe);
    std::vector<double> startUps;
    for (int run = 0; run < 5; ++run) {
        Started started = Start(exe, L"Tarnwick");
        startUps.push_back(started.milliseconds);
        Stop(started);
    }
    std::sort(startUps.begin(), startUps.end());
    std::printf("start-up until the window shows: median %.0f ms (min %.0f, max %.0f)\n",
                startUps[2], startUps.front(), startUps.back());

    // A window of our own stays in front, so each tick of Tarnwick finds the same foreground
    // window: the steady state of foreground mode.
    const HWND front = TestWindow(L"Bench foreground", 100);
    Started tarnwick = Start(exe, L"Tarnwick");
    Started ticker = Start(options.ticker, L"Bare ticker");
    ::SetForegroundWindow(front);
    Pump(std::chrono::seconds(2));
    const double tarnwickBefore = CpuMilliseconds(tarnwick.process.hProcess);
    const double tickerBefore = CpuMilliseconds(ticker.process.hProcess);
    Pump(std::chrono::seconds(options.seconds));
    const double tarnwickCpu = CpuMilliseconds(tarnwick.process.hProcess) - tarnwickBefore;
    const double tickerCpu = CpuMilliseconds(ticker.process.hProcess) - tickerBefore;
    PROCESS_MEMORY_COUNTERS memory{};
    ::GetProcessMemoryInfo(tarnwick.process.hProcess, &memory, sizeof memory);
    Stop(tarnwick);
    Stop(ticker);

    const double ticks = options.seconds * 20.0;
    std::printf("over %d s (%.0f ticks of 50 ms):\n", options.seconds, ticks);
    std::printf("  Tarnwick:    %.1f ms CPU, %.4f ms per tick\n", tarnwickCpu, tarnwickCpu / ticks);
    std::printf("  bare ticker: %.1f ms CPU, %.4f ms per tick\n", tickerCpu, tickerCpu / ticks);
    std::printf("  ratio Tarnwick / bare: %.2f\n", tickerCpu > 0 ? tarnwickCpu / tickerCpu : 0.0);
    std::printf("  Tarnwick working set: %.1f MB\n",
                static_cast<double>(memory.WorkingSetSize) / (1024.0 * 1024.0));
    const bool dragged = bench::BenchDragAcrossWindows(exe, std::max(5, options.seconds / 4));
    return leftOver == 0 && dragged ? 0 : 1;
}
