#pragma once
// A main window running against the recording fake.

#include <gtest/gtest.h>

#include <memory>

#include "main_window/frmMain.h"
#include "main_window/frmMain_controls.h"
#include "tests/fake/fake_toolkit.h"
#include "tests/fake/fake_win32.h"
#include "tests/fake/fake_window_queries.h"

namespace tarnwick {

class MainWindowTest : public testing::Test {
  protected:
    fake::CallLog log;
    fake::FakeWin32 win32{log};
    fake::FakeApplication app{log};
    fake::FakeWindowQueries queries{log, win32};
    Platform platform{app, win32, queries};
    std::unique_ptr<frmMain> main;

    // Creates and loads the main window, then forgets the start-up calls.
    void Start() {
        main = std::make_unique<frmMain>(platform);
        main->form().Load();
        log.Clear();
    }
    fake::FakeForm& form() { return app.form("frmMain"); }
    Hwnd own() { return main->form().hWnd(); }
    std::wstring caption(ControlId label) { return form().PeekCaption(label); }
};

}  // namespace tarnwick
