#pragma once
// What every case gets from the command line and the machine.

#include <string>

#include "tests/e2e/screen.h"

namespace tarnwick::e2e {

struct Environment {
    std::wstring exePath;    // Tarnwick.exe under test
    std::wstring helpPath;   // Tarnwick.hlp beside it; empty when there is none
    std::wstring probePath;  // tarnwick_e2e_probe.dll beside the driver
    std::wstring workRoot;   // this run's own folder; each case makes its folder inside
    // A folder that no one can write, holding a copy of Tarnwick.exe and its help file; empty
    // when scripts/e2e could not make one.
    std::wstring readOnlyFolder;
    ScreenInfo screen;
};

}  // namespace tarnwick::e2e
