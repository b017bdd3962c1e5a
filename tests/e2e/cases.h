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
// The frame as the program's overlay window, and what each frame style repaints.
std::vector<TestCase> FrameOverlayCases();

}  // namespace tarnwick::e2e
