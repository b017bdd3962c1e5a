// Start-up: the settings path, the options read at start, and the order of it all.

#include "app/modFileDir.h"
#include "app/settings.h"
#include "tests/unit/main_window_fixture.h"

namespace tarnwick {
namespace {

using namespace frmMainControls;
using modFileDir::JoinPath;

TEST(JoinPathTest, JoinsWithExactlyOneBackslash) {
    EXPECT_EQ(JoinPath(L"C:\\Tools", L"Tarnwick.ini"), L"C:\\Tools\\Tarnwick.ini");
    EXPECT_EQ(JoinPath(L"C:\\", L"Tarnwick.ini"), L"C:\\Tarnwick.ini");
    EXPECT_EQ(JoinPath(L"C:\\Tools", L"\\sub\\a.ini"), L"C:\\Tools\\sub\\a.ini");
    EXPECT_EQ(JoinPath(L"C:\\Tools", L"\\\\a.ini"), L"C:\\Tools\\\\a.ini");
}

TEST(JoinPathTest, EmptyAndLoneBackslashParts) {
    EXPECT_EQ(JoinPath(L"C:\\Tools", L"\\"), L"C:\\Tools\\");
    EXPECT_EQ(JoinPath(L"", L"\\"), L"");
    EXPECT_EQ(JoinPath(L"", L"\\a.ini"), L"a.ini");
    EXPECT_EQ(JoinPath(L"", L"a.ini"), L"a.ini");
    EXPECT_EQ(JoinPath(L"C:\\Tools", L""), L"C:\\Tools\\");
}

TEST(JoinPathTest, NothingElseIsNormalised) {
    EXPECT_EQ(JoinPath(L"C:/Tools/", L"a.ini"), L"C:/Tools/\\a.ini");
    EXPECT_EQ(JoinPath(L" C:\\Tools ", L" a.ini"), L" C:\\Tools \\ a.ini");
    EXPECT_EQ(JoinPath(L"C:\\Fen\u00EAtre \u7A97\u53E3", L"Tarnwick.ini"),
              L"C:\\Fen\u00EAtre \u7A97\u53E3\\Tarnwick.ini");
}

class StartUpTest : public MainWindowTest {
  protected:
    void Load() {
        main = std::make_unique<frmMain>(platform);
        main->form().Load();
    }
};

TEST_F(StartUpTest, RunsTheSequenceInOrder) {
    win32.windows[0x10010] = fake::Window(L"Tarnwick.frmMain", L"Tarnwick");
    Load();
    const std::wstring ini = L"C:\\Tools\\Tarnwick.ini";
    EXPECT_EQ(g_IniFile, ini);
    EXPECT_EQ(log.Matching({"App.HelpFile =", "SetToolTipText(img", "SetToolTipText(btn",
                            "frmMain.", "GetPrivateProfileInt", "SetWindowPos", "SetChecked",
                            "SetVisible", "SetCaption(lbl_WindowHandleDecimal"}),
              (std::vector<std::string>{
                  "frmMain.Load()",
                  "App.HelpFile = \"C:\\Tools\\Tarnwick.hlp>second\"",
                  "SetToolTipText(img_Target, \"Click here and drag to get target crosshair\")",
                  "SetToolTipText(btn_Close, \"Close the Tarnwick\")",
                  "SetToolTipText(btn_Help, \"Learn about the Tarnwick\")",
                  "frmMain.Hide()",
                  "GetPrivateProfileInt(Position, left, -1, C:\\Tools\\Tarnwick.ini)",
                  "GetPrivateProfileInt(Position, top, -1, C:\\Tools\\Tarnwick.ini)",
                  "GetPrivateProfileInt(Position, width, -1, C:\\Tools\\Tarnwick.ini)",
                  "frmMain.Show()",
                  "GetPrivateProfileInt(General, DisableKeepOnTop, 0, C:\\Tools\\Tarnwick.ini)",
                  "SetWindowPos(65552, -1, 0, 0, 0, 0, 19)",
                  "frmMain.ZOrder()",
                  "GetPrivateProfileInt(General, TrackForeground, 1, C:\\Tools\\Tarnwick.ini)",
                  "SetChecked(mnu_TrackForeground, true)",
                  "GetPrivateProfileInt(General, TrackTarget, 1, C:\\Tools\\Tarnwick.ini)",
                  "SetChecked(mnu_TrackTarget, true)",
                  "SetVisible(img_Target, true)",
                  "GetPrivateProfileInt(General, BorderColor, 16711680, C:\\Tools\\Tarnwick.ini)",
                  "SetCaption(lbl_WindowHandleDecimal, \"Dec:  65552\")",
              }));
    // The labels describe the main window itself, yet no window is on record as shown.
    EXPECT_EQ(caption(lbl_WindowClass), L"Tarnwick.frmMain");
    EXPECT_EQ(caption(lbl_WindowTitle), L"Tarnwick");
    EXPECT_EQ(main->lastHwnd(), 0);
    EXPECT_EQ(main->borderColor(), 16711680);
}

TEST_F(StartUpTest, AnyNonZeroOptionChecksItsItemAndOnlyZeroClearsIt) {
    win32.ini[L"general/trackforeground"] = L"0";
    win32.ini[L"general/tracktarget"] = L"2";
    Load();
    EXPECT_FALSE(form().PeekChecked(mnu_TrackForeground));
    EXPECT_TRUE(form().PeekChecked(mnu_TrackTarget));
    EXPECT_TRUE(form().PeekVisible(img_Target));
}

TEST_F(StartUpTest, TargetTrackingOffHidesTheTarget) {
    win32.ini[L"general/tracktarget"] = L"0";
    Load();
    EXPECT_TRUE(form().PeekChecked(mnu_TrackForeground));
    EXPECT_FALSE(form().PeekChecked(mnu_TrackTarget));
    EXPECT_FALSE(form().PeekVisible(img_Target));
}

TEST_F(StartUpTest, BorderColourIsReadAsIs) {
    win32.ini[L"general/bordercolor"] = L"255";
    Load();
    EXPECT_EQ(main->borderColor(), 255);
}

TEST_F(StartUpTest, ProgramInADriveRootGetsNoDoubledBackslash) {
    app.path = L"D:\\";
    Load();
    EXPECT_EQ(g_IniFile, L"D:\\Tarnwick.ini");
    EXPECT_EQ(log.Count("App.HelpFile = \"D:\\Tarnwick.hlp>second\""), 1);
}

}  // namespace
}  // namespace tarnwick
