// The end of the Windows session: the main window goes as if it were closed, once.

#include "about/frmAbout_controls.h"
#include "tests/unit/main_window_fixture.h"

namespace tarnwick {
namespace {

using namespace frmMainControls;

const std::string kIni = ", C:\\Tools\\Tarnwick.ini)";

class SessionEndTest : public MainWindowTest {
  protected:
    void SetUp() override { Start(); }

    std::vector<std::string> ShutdownCalls() const {
        return log.Matching({"WritePrivateProfileString", "InvalidateRect", "End"});
    }
};

TEST_F(SessionEndTest, QueryAgreesAndChangesNothing) {
    EXPECT_TRUE(form().FireQueryEndSession());
    EXPECT_TRUE(ShutdownCalls().empty());
    EXPECT_FALSE(app.ended);
}

TEST_F(SessionEndTest, EndRunsTheWholeUnloadSequenceBeforeItReturns) {
    form().Set(kThisForm, Dim::Left, 900);
    form().Set(kThisForm, Dim::Top, 450);
    form().FireClick(mnu_TrackTarget);  // a mode changed during the session
    log.Clear();
    ASSERT_TRUE(form().FireQueryEndSession());
    form().FireEndSession(true);
    EXPECT_EQ(ShutdownCalls(),
              (std::vector<std::string>{
                  "WritePrivateProfileString(General, TrackForeground, \"1\"" + kIni,
                  "WritePrivateProfileString(General, TrackTarget, \"0\"" + kIni,
                  "WritePrivateProfileString(Position, left, \" 900\"" + kIni,
                  "WritePrivateProfileString(Position, top, \" 450\"" + kIni,
                  "WritePrivateProfileString(Position, width, \" 4320\"" + kIni,
                  "WritePrivateProfileString(Position, height, \" 3517.5\"" + kIni,
                  "WritePrivateProfileString(Position, windowstate, \" 0\"" + kIni,
                  "InvalidateRect(0, NULL, -1)",
                  "End()",
              }));
    EXPECT_EQ(log.All().back(), "End()");
}

TEST_F(SessionEndTest, CloseAfterTheEndDoesNotRunTheSequenceAgain) {
    form().FireEndSession(true);
    form().FireClose();
    form().FireEndSession(true);
    EXPECT_EQ(log.Count("frmMain.Unload()"), 1);
    EXPECT_EQ(log.Count("WritePrivateProfileString(General, TrackForeground"), 1);
    EXPECT_EQ(log.Count("WritePrivateProfileString(Position, windowstate"), 1);
    EXPECT_EQ(log.Count("End()"), 1);
}

TEST_F(SessionEndTest, EndAfterACloseDoesNotRunTheSequenceAgain) {
    form().FireClose();
    form().FireEndSession(true);
    EXPECT_EQ(log.Count("WritePrivateProfileString"), 7);
    EXPECT_EQ(log.Count("End()"), 1);
}

TEST_F(SessionEndTest, CancelledEndChangesNothingAndALaterCloseStillSaves) {
    ASSERT_TRUE(form().FireQueryEndSession());
    form().FireEndSession(false);
    EXPECT_TRUE(ShutdownCalls().empty());
    EXPECT_FALSE(app.ended);
    EXPECT_FALSE(form().unloaded());

    form().FireClose();
    EXPECT_EQ(log.Count("WritePrivateProfileString"), 7);
    EXPECT_TRUE(app.ended);
}

TEST_F(SessionEndTest, EndWhileMinimisedSavesTheState) {
    form().windowState = 1;
    form().FireEndSession(true);
    EXPECT_EQ(win32.IniValue(L"Position", L"windowstate"), L" 1");
}

TEST_F(SessionEndTest, EndWhileTheAboutBoxIsOpenSavesTheMainWindow) {
    app.onCreateForm = [this](const std::string&, fake::FakeForm& about) {
        about.whileModal = [this, &about] {
            // The system asks every top-level window; the About box may hear it first.
            EXPECT_TRUE(about.FireQueryEndSession());
            EXPECT_TRUE(form().FireQueryEndSession());
            about.FireEndSession(true);
            form().FireEndSession(true);
        };
    };
    form().FireClick(mnu_TrackForeground);
    log.Clear();
    form().FireClick(mnu_About);
    EXPECT_EQ(win32.IniValue(L"General", L"TrackForeground"), L"0");
    EXPECT_EQ(win32.IniValue(L"General", L"TrackTarget"), L"1");
    for (const wchar_t* key : {L"left", L"top", L"width", L"height", L"windowstate"}) {
        EXPECT_TRUE(win32.IniValue(L"Position", key).has_value()) << fake::Utf8(key);
    }
    EXPECT_EQ(log.Count("frmMain.Unload()"), 1);
    EXPECT_EQ(log.Count("End()"), 1);
}

}  // namespace
}  // namespace tarnwick
