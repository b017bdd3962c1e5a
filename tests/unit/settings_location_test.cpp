// Where the settings file lives: beside the program, by its short path, or in the local
// application-data folder, decided once at start-up from what the file queries answer; every
// read and write of the run then names that file, and the help names it too.

#include "app/settings.h"
#include "tests/unit/main_window_fixture.h"

namespace tarnwick {
namespace {

constexpr wchar_t kLocalIni[] = L"C:\\Users\\Ann\\AppData\\Local\\Tarnwick\\Tarnwick.ini";

class SettingsLocationTest : public MainWindowTest {
  protected:
    // Starts and closes the program; returns the files that its settings calls named.
    std::set<std::string> FilesOfARun() {
        main = std::make_unique<frmMain>(platform);
        main->form().Load();
        form().FireClick(frmMainControls::btn_Close);
        std::set<std::string> files;
        for (const std::string& call :
             log.Matching({"GetPrivateProfile", "WritePrivateProfileString"})) {
            files.insert(call.substr(call.rfind(", ") + 2, call.size() - call.rfind(", ") - 3));
        }
        return files;
    }
    static std::wstring Folder(std::size_t length) {
        return L"C:\\" + std::wstring(length - 3, L'a');
    }
};

TEST_F(SettingsLocationTest, AWritableFolderKeepsTheFileBesideTheProgram) {
    EXPECT_EQ(FilesOfARun(), (std::set<std::string>{"C:\\Tools\\Tarnwick.ini"}));
    EXPECT_EQ(log.Count("CanReadAndWriteFile(C:\\Tools\\Tarnwick.ini)"), 1);
    EXPECT_EQ(log.Count("GetLocalAppDataFolder"), 0);
    EXPECT_EQ(log.Count("CopyFile"), 0);
    EXPECT_EQ(win32.helpFields[L"SettingsFile"], L"C:\\Tools\\Tarnwick.ini");
}

TEST_F(SettingsLocationTest, ATooLongPathIsTakenByItsShortForm) {
    app.path = Folder(246);  // the settings path 259 long
    EXPECT_EQ(FilesOfARun(), (std::set<std::string>{fake::Utf8(Folder(246)) + "\\Tarnwick.ini"}));
    EXPECT_EQ(log.Count("GetShortPathName"), 0);

    log.Clear();
    app.path += L"a";  // 260: too long for the settings functions
    win32.shortPaths[app.path] = L"C:\\AAAAAA~1";
    EXPECT_EQ(FilesOfARun(), (std::set<std::string>{"C:\\AAAAAA~1\\Tarnwick.ini"}));
    EXPECT_EQ(win32.helpFields[L"SettingsFile"], L"C:\\AAAAAA~1\\Tarnwick.ini");
    EXPECT_EQ(log.Count("GetLocalAppDataFolder"), 0);
}

TEST_F(SettingsLocationTest, ATooLongPathWithoutShortNamesMovesToLocalAppData) {
    app.path = Folder(300);
    EXPECT_EQ(FilesOfARun(), (std::set<std::string>{fake::Utf8(kLocalIni)}));
    EXPECT_EQ(log.Matching({"CreateDirectory", "CanReadAndWriteFile", "CopyFile"}),
              (std::vector<std::string>{
                  "CreateDirectory(C:\\Users\\Ann\\AppData\\Local\\Tarnwick)",
                  "CanReadAndWriteFile(" + fake::Utf8(kLocalIni) + ")",
                  // The settings made beside the program come along where there is no file yet.
                  "CopyFile(" + fake::Utf8(Folder(300)) + "\\Tarnwick.ini, " +
                      fake::Utf8(kLocalIni) + ")",
              }));
}

TEST_F(SettingsLocationTest, AFolderThatCannotBeWrittenMovesToLocalAppData) {
    win32.unusableFiles = {L"C:\\Tools\\Tarnwick.ini"};
    EXPECT_EQ(FilesOfARun(), (std::set<std::string>{fake::Utf8(kLocalIni)}));
    EXPECT_EQ(win32.helpFields[L"SettingsFile"], kLocalIni);
    EXPECT_EQ(log.Count("App.HelpFile = \"C:\\Tools\\Tarnwick.hlp>second\""), 1);
}

TEST_F(SettingsLocationTest, WithNowhereBetterTheFileStaysBesideTheProgram) {
    win32.unusableFiles = {L"C:\\Tools\\Tarnwick.ini"};
    win32.localAppData.clear();
    EXPECT_EQ(FilesOfARun(), (std::set<std::string>{"C:\\Tools\\Tarnwick.ini"}));

    log.Clear();
    win32.localAppData = L"C:\\Users\\Ann\\AppData\\Local";
    win32.unusableFiles.insert(kLocalIni);
    EXPECT_EQ(FilesOfARun(), (std::set<std::string>{"C:\\Tools\\Tarnwick.ini"}));
    EXPECT_EQ(log.Count("CopyFile"), 0);
}

}  // namespace
}  // namespace tarnwick
