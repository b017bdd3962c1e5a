// Measures what Tarnwick costs while it runs: GDI objects left after many frames, and, side by
// side with the bare ticker (a window with the same fifteen labels that makes only the tick's
// queries), start-up time, CPU per tick, private memory and working set, and the size of the
// exe, each as a ratio Tarnwick / bare. A new comparison is one more Figure line. Then the CPU
// of a drag across five windows in the painted and in the overlay frame style.
//
//   tarnwick_bench --exe Tarnwick.exe --ticker tarnwick_bare_ticker.exe [--seconds 60]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "main_window/frmMain.h"
#include "platform/win32/win32_application.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/window_queries_win32.h"
#include "tests/bench/drag_bench.h"
#include "tests/bench/process_figures.h"

#include <psapi.h>

namespace {

using namespace tarnwick;
using namespace tarnwick::bench;
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
    win32::Win32WindowQueries queries;
    frmMain main(Platform{app, services, queries});
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

// One line of the comparison: a figure of Tarnwick, the same of the bare ticker, and their ratio.
struct Figure {
    const char* what;
    const char* unit;
    double tarnwick;
    double bare;
};

void PrintFigures(const std::vector<Figure>& figures) {
    std::printf("%-34s %14s %14s %10s\n", "", "Tarnwick", "bare ticker", "ratio");
    for (const Figure& figure : figures) {
        char tarnwick[32];
        char bare[32];
        char ratio[32] = "n/a";
        std::snprintf(tarnwick, sizeof tarnwick, "%.2f %s", figure.tarnwick, figure.unit);
        std::snprintf(bare, sizeof bare, "%.2f %s", figure.bare, figure.unit);
        if (figure.tarnwick >= 0 && figure.bare > 0) {
            std::snprintf(ratio, sizeof ratio, "%.2f", figure.tarnwick / figure.bare);
        }
        std::printf("%-34s %14s %14s %10s\n", figure.what, figure.tarnwick >= 0 ? tarnwick : "n/a",
                    figure.bare >= 0 ? bare : "n/a", ratio);
    }
}

double MedianStartUp(const std::wstring& exe, const wchar_t* title) {
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        Started started = Start(exe, title);
        times.push_back(started.window ? started.milliseconds : -1);
        Stop(started);
    }
    std::sort(times.begin(), times.end());
    return times[2];
}

struct Steady {
    double cpuMilliseconds = 0;
    double linuxCpuMilliseconds = -1;
    double workingSetKib = 0;
    double privateBytesKib = 0;
    double linuxPrivateKib = -1;
};

Steady Memory(HANDLE process, const std::wstring& linuxFolder) {
    Steady steady;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    ::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof memory);
    steady.workingSetKib = static_cast<double>(memory.WorkingSetSize) / 1024.0;
    steady.privateBytesKib = static_cast<double>(memory.PrivateUsage) / 1024.0;
    steady.linuxPrivateKib = LinuxPrivateKib(linuxFolder);
    return steady;
}

double FileKib(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return -1;
    }
    return static_cast<double>(data.nFileSizeLow) / 1024.0;
}

struct IdleRun {
    Steady tarnwick;
    Steady ticker;
    bool fromLinux = false;
    double tarnwickCpuPerTick = -1;
    double tickerCpuPerTick = -1;
};

// Tarnwick and the bare ticker side by side for the seconds, so that whatever else the machine
// does falls on both. A window of our own stays in front, so each tick of Tarnwick finds the same
// foreground window: the steady state of foreground mode.
IdleRun MeasureIdle(const std::wstring& exe, const std::wstring& tickerExe, int seconds,
                    bool detailsOpen) {
    namespace fs = std::filesystem;
    const fs::path ini = fs::path(exe).parent_path() / L"Tarnwick.ini";
    fs::remove(ini);
    if (detailsOpen) {
        ::WritePrivateProfileStringW(L"Details", L"Open", L"1", ini.c_str());
    }
    const HWND front = TestWindow(L"Bench foreground", 100);
    Started tarnwick = Start(exe, L"Tarnwick");
    Started ticker = Start(tickerExe, L"Bare ticker");
    ::SetForegroundWindow(front);
    Pump(std::chrono::seconds(2));
    const std::wstring tarnwickLinux = LinuxProcessFolder("\\tarnwick-bench\\tarnwick.exe");
    const std::wstring tickerLinux = LinuxProcessFolder("tarnwick_bare_ticker.exe");
    const double tarnwickBefore = CpuMilliseconds(tarnwick.process.hProcess);
    const double tickerBefore = CpuMilliseconds(ticker.process.hProcess);
    const double tarnwickLinuxBefore = LinuxCpuMilliseconds(tarnwickLinux);
    const double tickerLinuxBefore = LinuxCpuMilliseconds(tickerLinux);
    Pump(std::chrono::seconds(seconds));
    IdleRun run;
    run.tarnwick = Memory(tarnwick.process.hProcess, tarnwickLinux);
    run.ticker = Memory(ticker.process.hProcess, tickerLinux);
    run.tarnwick.cpuMilliseconds = CpuMilliseconds(tarnwick.process.hProcess) - tarnwickBefore;
    run.ticker.cpuMilliseconds = CpuMilliseconds(ticker.process.hProcess) - tickerBefore;
    if (tarnwickLinuxBefore >= 0 && tickerLinuxBefore >= 0) {
        run.tarnwick.linuxCpuMilliseconds =
            LinuxCpuMilliseconds(tarnwickLinux) - tarnwickLinuxBefore;
        run.ticker.linuxCpuMilliseconds = LinuxCpuMilliseconds(tickerLinux) - tickerLinuxBefore;
    }
    Stop(tarnwick);
    Stop(ticker);
    ::DestroyWindow(front);

    // Under Wine the Linux figure, elsewhere the system's (in 10 ms steps: run long enough).
    run.fromLinux = run.tarnwick.linuxCpuMilliseconds >= 0 && run.ticker.linuxCpuMilliseconds >= 0;
    const double ticks = seconds * 20.0;
    const auto perTick = [&](double total) { return total < 0 ? -1 : total / ticks; };
    run.tarnwickCpuPerTick =
        perTick(run.fromLinux ? run.tarnwick.linuxCpuMilliseconds : run.tarnwick.cpuMilliseconds);
    run.tickerCpuPerTick =
        perTick(run.fromLinux ? run.ticker.linuxCpuMilliseconds : run.ticker.cpuMilliseconds);
    return run;
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
    std::vector<Figure> figures;
    figures.push_back({"start-up until the window shows", "ms", MedianStartUp(exe, L"Tarnwick"),
                       MedianStartUp(options.ticker, L"Bare ticker")});

    const IdleRun closed = MeasureIdle(exe, options.ticker, options.seconds, false);
    figures.push_back(
        {closed.fromLinux ? "CPU per tick (Linux schedstat)" : "CPU per tick (GetProcessTimes)",
         "ms", closed.tarnwickCpuPerTick, closed.tickerCpuPerTick});
    figures.push_back({"private memory (Linux RssAnon)", "KiB", closed.tarnwick.linuxPrivateKib,
                       closed.ticker.linuxPrivateKib});
    figures.push_back({"private bytes (Windows)", "KiB", closed.tarnwick.privateBytesKib,
                       closed.ticker.privateBytesKib});
    figures.push_back(
        {"working set", "KiB", closed.tarnwick.workingSetKib, closed.ticker.workingSetKib});
    figures.push_back({"size of the exe", "KiB", FileKib(options.exe), FileKib(options.ticker)});
    // The same with the Details window open and the pointer still: its pointer rows are the only
    // thing it reads at the tick.
    const IdleRun open = MeasureIdle(exe, options.ticker, options.seconds, true);
    figures.push_back({"CPU per tick, Details window open", "ms", open.tarnwickCpuPerTick,
                       open.tickerCpuPerTick});

    std::printf("over %d s (%d ticks of 50 ms) each\n", options.seconds, options.seconds * 20);
    PrintFigures(figures);
    if (closed.tarnwickCpuPerTick > 0 && closed.tickerCpuPerTick > 0 && open.tickerCpuPerTick > 0) {
        // Each against the bare ticker of its own run, so that the machine's load cancels out.
        std::printf("CPU per tick with the Details window open / closed: %.2f\n",
                    (open.tarnwickCpuPerTick / open.tickerCpuPerTick) /
                        (closed.tarnwickCpuPerTick / closed.tickerCpuPerTick));
    }
    const bool dragged = bench::BenchDragAcrossWindows(exe, std::max(5, options.seconds / 4));
    return leftOver == 0 && dragged ? 0 : 1;
}
