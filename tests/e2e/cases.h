#pragma once
// The end-to-end cases, grouped by what they exercise. Each case starts its own Tarnwick from its
// own folder and leaves nothing running behind it.

#include <vector>

#include "tests/e2e/check.h"
#include "tests/e2e/environment.h"

namespace tarnwick::e2e {

struct TestCase {
    const wchar_t* name;
    void (*run)(Check& check, const Environment& env);
};

// The main window's face and its own data; WM_CLOSE.
std::vector<TestCase> MainWindowCases();
// Start-up from a prepared settings file: placement, on-top, modes, hostile files.
std::vector<TestCase> StartupCases();
// Foreground tracking, the drag target, the frame and its colour, the mode menu.
std::vector<TestCase> TrackingCases();
// Saving at shutdown, help, and the About box.
std::vector<TestCase> HelpAndAboutCases();
// Copying the window on display: Ctrl+C, the context menu, a busy clipboard.
std::vector<TestCase> CopyCases();
// The end of the Windows session: settings saved before the answer, nothing on a cancelled end.
std::vector<TestCase> SessionEndCases();
// A window whose thread does not answer: tracking, dragging and closing go on.
std::vector<TestCase> HungWindowCases();
// The About box's place in the z-order under "DisableKeepOnTop", read as the box opens.
std::vector<TestCase> AboutOnTopCases();
// Closing while minimised and starting again.
std::vector<TestCase> MinimisedCases();
// No DLL from the program's folder: planted stand-ins, the import table.
std::vector<TestCase> DllSearchCases();
// The release: one version everywhere, the icon's sizes, the picture on the face colour.
std::vector<TestCase> ReleaseCases();
// The settings file of a program in a folder with a very long path and in a read-only folder.
std::vector<TestCase> SettingsLocationCases();
// The frame as the program's overlay window, and what each frame style repaints; last, since a
// frame left on the bare desktop would stay there for every later case.
std::vector<TestCase> FrameOverlayCases();
// The Details window: its rows, the walk through the window tree, its place, a hung window.
std::vector<TestCase> DetailsCases();
// The main and the Details window moved to a monitor of another scale and back.
std::vector<TestCase> DpiCases();
// The capture hotkey: the window under the pointer without the foreground, a menu, the stack.
std::vector<TestCase> CaptureCases();

}  // namespace tarnwick::e2e
