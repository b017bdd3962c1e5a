// Help, the way out, and the About box.

#include "about/frmAbout.h"
#include "about/frmAbout_controls.h"
#include "tests/unit/main_window_fixture.h"

namespace tarnwick {
namespace {

using namespace frmMainControls;

class ShutdownTest : public MainWindowTest {
  protected:
    void SetUp() override { Start(); }
};

TEST_F(ShutdownTest, CloseSavesOptionsThenPlacementThenRepaintsThenEnds) {
    form().Set(kThisForm, Dim::Left, 900);
    form().Set(kThisForm, Dim::Top, 450);
    log.Clear();
    form().FireClick(btn_Close);
    const std::string ini = ", C:\\Tools\\Tarnwick.ini)";
    EXPECT_EQ(log.Matching({"WritePrivateProfileString", "InvalidateRect", "End"}),
              (std::vector<std::string>{
                  "WritePrivateProfileString(General, TrackForeground, \"1\"" + ini,
                  "WritePrivateProfileString(General, TrackTarget, \"1\"" + ini,
                  "WritePrivateProfileString(Position, left, \" 900\"" + ini,
                  "WritePrivateProfileString(Position, top, \" 450\"" + ini,
                  "WritePrivateProfileString(Position, width, \" 4320\"" + ini,
                  "WritePrivateProfileString(Position, height, \" 3517.5\"" + ini,
                  "WritePrivateProfileString(Position, windowstate, \" 0\"" + ini,
                  "InvalidateRect(0, NULL, -1)",
                  "End()",
              }));
}

TEST_F(ShutdownTest, UncheckedItemsAreSavedAsZero) {
    win32.ini[L"general/trackforeground"] = L"0";
    win32.ini[L"general/tracktarget"] = L"0";
    Start();
    form().Unload();
    EXPECT_EQ(win32.IniValue(L"General", L"TrackForeground"), L"0");
    EXPECT_EQ(win32.IniValue(L"General", L"TrackTarget"), L"0");
    EXPECT_TRUE(app.ended);
}

TEST_F(ShutdownTest, HelpButtonOpensTheContentsOfTheFileBesideTheProgram) {
    app.path = L"E:\\Apps";  // the button builds the reference anew
    form().FireClick(btn_Help);
    EXPECT_EQ(
        log.Matching({"WinHelp"}),
        (std::vector<std::string>{"WinHelp(65552, \"E:\\Apps\\Tarnwick.hlp>second\", 3, 0)"}));
}

TEST_F(ShutdownTest, CurrentWindowHelpOpensContextOneOfTheStartUpReference) {
    app.path = L"E:\\Apps";
    form().FireClick(mnu_CurrentWindowHelp);
    EXPECT_EQ(
        log.Matching({"WinHelp"}),
        (std::vector<std::string>{"WinHelp(65552, \"C:\\Tools\\Tarnwick.hlp>second\", 1, 1)"}));
}

TEST_F(ShutdownTest, HelpViewerIsTopmostAsTheSettingsFileSaysWhenItOpens) {
    const std::string viewer = "SetWindowPos(" + std::to_string(fake::kHelpViewer);
    form().FireClick(btn_Help);
    EXPECT_EQ(log.Matching({viewer}), (std::vector<std::string>{viewer + ", -1, 0, 0, 0, 0, 19)"}));
    log.Clear();
    win32.ini[L"general/disablekeepontop"] = L"1";
    form().FireClick(mnu_CurrentWindowHelp);
    EXPECT_EQ(log.Matching({viewer}), (std::vector<std::string>{viewer + ", -2, 0, 0, 0, 0, 19)"}));
}

TEST(VersionTextTest, MajorMinorZeroRevision) {
    EXPECT_EQ(VersionText({1, 0, 8}), L"1.0.0.8");
    EXPECT_EQ(VersionText({2, 15, 120}), L"2.15.0.120");
}

class AboutTest : public MainWindowTest {
  protected:
    void SetUp() override { Start(); }
};

TEST_F(AboutTest, LoadsWithVersionThenCentresThenGoesOnTop) {
    app.onCreateForm = [](const std::string&, fake::FakeForm& about) {
        about.whileModal = [&about] { about.FireClick(frmAboutControls::btn_OK); };
    };
    form().FireClick(mnu_About);
    EXPECT_EQ(log.Matching({"CreateForm", "frmAbout.", "SetCaption(data_Version", "Set(frmAbout",
                            "SetWindowPos"}),
              (std::vector<std::string>{
                  "CreateForm(frmAbout)",
                  "frmAbout.Load()",
                  "SetCaption(data_Version, \"1.0.0.8\")",
                  "Set(frmAbout, Top, 3819)",
                  "Set(frmAbout, Left, 5295)",
                  "SetWindowPos(65568, -1, 0, 0, 0, 0, 19)",
                  "frmAbout.ZOrder()",
                  "frmAbout.ShowModal()",
                  "frmAbout.Unload()",
                  "frmAbout.ShowModal() returns",
              }));
}

TEST_F(AboutTest, TrackingGoesOnWhileTheAboutBoxIsInFront) {
    win32.windows[0x10020] = fake::Window(L"Tarnwick.frmAbout", L"About Tarnwick");
    app.onCreateForm = [this](const std::string&, fake::FakeForm& about) {
        about.whileModal = [this, &about] {
            win32.foreground = about.hWnd();
            form().FireTimer(Timer1);
            about.FireClick(frmAboutControls::btn_OK);
        };
    };
    form().FireClick(mnu_About);
    EXPECT_EQ(caption(lbl_WindowTitle), L"About Tarnwick");
    EXPECT_EQ(main->lastHwnd(), 0x10020);
}

TEST_F(AboutTest, EachOpeningLoadsAndCentresAgain) {
    app.onCreateForm = [](const std::string&, fake::FakeForm& about) {
        about.whileModal = [&about] {
            about.Set(kThisForm, Dim::Left, 10);  // moved by the user
            about.FireClick(frmAboutControls::btn_OK);
        };
    };
    form().FireClick(mnu_About);
    form().FireClick(mnu_About);
    EXPECT_EQ(log.Count("frmAbout.Load()"), 2);
    EXPECT_EQ(log.Count("Set(frmAbout, Left, 5295)"), 2);
}

}  // namespace
}  // namespace tarnwick
