#pragma once
// Tarnwick.exe as a running process seen from outside: started from its case folder, its main
// window and controls found by their control ids, closed like a user closes it, killed if it
// does not end. The destructor always leaves the process ended, so a failing case does not
// disturb the next one.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/check.h"
#include "tests/e2e/environment.h"
#include "tests/e2e/menu_probe.h"

namespace tarnwick::e2e {

inline constexpr wchar_t kMainWindowClass[] = L"Tarnwick.frmMain";
inline constexpr wchar_t kAboutWindowClass[] = L"Tarnwick.frmAbout";
inline constexpr wchar_t kHelpWindowClass[] = L"TarnwickHelp";
inline constexpr wchar_t kDetailsWindowClass[] = L"Tarnwick.Details";

class TarnwickApp {
  public:
    TarnwickApp(Check& check, const Environment& env, std::wstring exePath);
    ~TarnwickApp();
    TarnwickApp(const TarnwickApp&) = delete;
    TarnwickApp& operator=(const TarnwickApp&) = delete;

    // Starts the program with the run's folder as the current directory (not its own, so that
    // it must find its settings file through its own path) and waits until its main window is
    // visible and its start-up has filled the data labels. Ends the case on failure.
    void Start();
    // Starts the program as a Unix shell does under Wine, through Wine's loader from its Unix
    // path: the way to run it from a folder whose path is too long for CreateProcess. Then as
    // Start.
    void StartThroughWineLoader();

    HWND MainWindow() const { return main_; }
    DWORD ProcessId() const { return processId_; }
    bool Running() const;

    // A control of the main window by its id: the fifteen labels and img_Target inside
    // frame_Main, the rest directly on the window. Ends the case when it is missing.
    HWND Control(int id) const;
    // The text of a control of the main window.
    std::wstring Text(int id) const;

    // Chooses a menu item or clicks a button of the main window, as the WM_COMMAND that the
    // system would post.
    void Command(int id) const;

    // The main window's (or another window's) menu bar, class icons and fonts, read inside the
    // process. Ends the case when they cannot be read.
    ProbedWindow Probe(HWND window = nullptr) const;
    // The main window's menu bar, read inside the process. Ends the case when it cannot be read.
    std::vector<MenuItem> Menu() const;
    // Whether a menu item is checked. Ends the case when it cannot be read.
    bool MenuChecked(int id) const;

    // A visible top-level window of the program's process with the class, waiting up to
    // timeoutMs for it; nothing when none appears.
    std::optional<HWND> WaitForWindow(const wchar_t* className, DWORD timeoutMs) const;

    // WM_CLOSE to the main window; true when the process ends within timeoutMs. A process that
    // does not end is killed.
    bool Close(DWORD timeoutMs = 5000);
    // Waits for the process to end by itself; kills it after timeoutMs.
    bool WaitForExit(DWORD timeoutMs);

  private:
    // Waits until the started program's main window is visible and start-up has filled the
    // data labels. Ends the case on failure.
    void AwaitMainWindow();
    void Kill();

    Check& check_;
    const Environment& env_;
    std::wstring exePath_;
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND main_ = nullptr;
};

// Points at the drag target with the main window in the foreground, as a user does before the
// press; the caller holds the button.
void PointAtTarget(Check& check, const TarnwickApp& app);

}  // namespace tarnwick::e2e
