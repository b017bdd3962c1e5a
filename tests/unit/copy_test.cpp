// Copying the window on display: the record that Ctrl+C puts on the clipboard, the context menu
// of the data panel, the owning process, and a clipboard that another program holds.

#include <string>
#include <vector>

#include "tests/unit/main_window_fixture.h"

namespace tarnwick {
namespace {

// The submenu at the end of the data panel's menu, without templates in the settings file.
constexpr char kCopyAsSubmenu[] =
    "Cop&y as > [&AutoHotkey WinTitle | AutoHotkey ahk_&id | &pywinauto (uia) | &XPath "
    "(WinAppDriver, FlaUI) | C++ &FindWindowEx | &JSON]";

using namespace frmMainControls;

constexpr Hwnd kNotepad = 0x2A0;
constexpr std::uint32_t kNotepadPid = 4242;

class CopyTest : public MainWindowTest {
  protected:
    void SetUp() override {
        win32.windows[kNotepad] =
            fake::Window(L"Notepad", L"Untitled - Notepad", {10, 20, 410, 320}, 0x14CF0000, 0);
        win32.windowProcess[kNotepad] = kNotepadPid;
        win32.processes[kNotepadPid] = {L"C:\\Windows\\System32\\notepad.exe", false};
        Start();
    }
    void Tick() { form().FireTimer(Timer1); }
    // Shows the window as the foreground window, then switches to Tarnwick, as a user who is
    // about to press Ctrl+C does.
    void ShowForeground(Hwnd window) {
        win32.foreground = window;
        Tick();
        win32.foreground = own();
        Tick();
        log.Clear();
    }
    // Ctrl+C, raised straight into the window so that a failure would reach the test.
    void CtrlC() { static_cast<FormEvents&>(*main).Click(key_CopyAll); }
    void RightClick(ControlId control, std::wstring choice) {
        win32.popupChoice = std::move(choice);
        form().FireContextMenu(control, {{300, 200}, false});
    }
    std::wstring Clipboard() const { return win32.clipboard.value_or(L"(nothing)"); }

    static std::wstring Record(std::vector<std::wstring> lines) {
        std::wstring text;
        for (const auto& line : lines) {
            text += line + L"\r\n";
        }
        return text;
    }
    static std::wstring NotepadRecord(std::wstring process) {
        return Record({L"Current foreground window", L"hWnd: Dec:  672, Hex: 2A0",
                       L"Class: Notepad", L"Title: Untitled - Notepad",
                       L"Rect: (10, 20)-(410, 320)", L"Style: 14CF0000",
                       L"Parent: No parent window", L"Process: " + process});
    }
};

TEST(CopyKeyTest, CtrlCIsAKeyCommandBesideTheMenusNotAMenuItem) {
    const FormDesign& design = MainFormDesign();
    ASSERT_EQ(design.keys.size(), 3u);
    EXPECT_EQ(design.keys[0].id, key_CopyAll);
    EXPECT_EQ(design.keys[0].key, L"Ctrl+C");
    EXPECT_EQ(design.keys[1].id, key_Details);
    EXPECT_EQ(design.keys[1].key, L"Ctrl+D");
    EXPECT_EQ(design.keys[2].id, key_EndHold);
    EXPECT_EQ(design.keys[2].key, L"Esc");
    std::vector<std::wstring> captions;
    for (const MenuItemDesign& item : design.menu) {
        captions.emplace_back(item.caption);
        EXPECT_NE(item.id, key_CopyAll);
    }
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"&Tracking", L"&Foreground window",
                                                   L"&Target window", L"-", L"&Set border color...",
                                                   L"&Help", L"&CurrentWindow", L"-", L"&About"}));
}

TEST_F(CopyTest, CtrlCPutsTheRecordOfANormalWindowOnTheClipboard) {
    ShowForeground(kNotepad);
    CtrlC();
    EXPECT_EQ(Clipboard(), NotepadRecord(L"notepad.exe (PID 4242)"));
    EXPECT_EQ(log.All(), (std::vector<std::string>{
                             "Caption(lbl_CurWindow)",
                             "GetWindowThreadProcessId(672)",
                             "OpenProcess(4096, false, 4242)",
                             "QueryFullProcessImageName(0, 32768)",
                             "CloseHandle()",
                             "OpenClipboard(" + std::to_string(own()) + ")",
                             "EmptyClipboard()",
                             "SetClipboardData(13, \"" + fake::Utf8(Clipboard()) + "\")",
                             "CloseClipboard()",
                         }));
    EXPECT_EQ(win32.liveKernelHandles(), 0);
    EXPECT_FALSE(win32.clipboardOpen());
}

TEST_F(CopyTest, RecordAtStartUpDescribesTarnwickItselfWithoutTheHeadingsColon) {
    win32.windowProcess[own()] = 77;
    win32.processes[77] = {L"D:\\Tools\\Tarnwick.exe", false};
    CtrlC();
    const std::wstring record = Clipboard();
    EXPECT_TRUE(record.starts_with(L"Current foreground window\r\nhWnd: Dec:  " +
                                   std::to_wstring(own()) + L", Hex: "))
        << fake::Utf8(record);
    EXPECT_TRUE(record.ends_with(L"\r\nProcess: Tarnwick.exe (PID 77)\r\n")) << fake::Utf8(record);
}

TEST_F(CopyTest, HandleZeroSaysThereIsNoWindowAndAsksForNoProcess) {
    ShowForeground(kNotepad);
    main->DisplayData(0);  // as a drag over a point where no window is found shows it
    log.Clear();
    CtrlC();
    EXPECT_EQ(Clipboard(), Record({L"Current foreground window", L"hWnd: Dec:  0, Hex: 0",
                                   L"Class: ", L"Title: ", L"Rect: (0, 0)-(0, 0)", L"Style: 0",
                                   L"Parent: No parent window", L"Process: none (no window)"}));
    EXPECT_EQ(log.Count("GetWindowThreadProcessId"), 0);
    EXPECT_EQ(log.Count("OpenProcess"), 0);
}

TEST_F(CopyTest, NegativeHandleKeepsItsSignAndEightHexDigits) {
    main->DisplayData(-2147483000);
    CtrlC();
    EXPECT_EQ(Clipboard(), Record({L"Current foreground window",
                                   L"hWnd: Dec: -2147483000, Hex: 80000288", L"Class: ", L"Title: ",
                                   L"Rect: (0, 0)-(0, 0)", L"Style: 0", L"Parent: No parent window",
                                   L"Process: none (the window no longer exists)"}));
}

TEST_F(CopyTest, AmpersandsAndOtherScriptsAreCopiedAsTheQueriesReturnedThem) {
    win32.windows[0x310] = fake::Window(L"Tom&Jerry_\u7A97", L"Tom & Jerry && \u7A97\u53E3 \u00E9",
                                        {0, 0, 100, 100}, 0x14CF0000, 0);
    ShowForeground(0x310);
    CtrlC();
    const std::wstring record = Clipboard();
    EXPECT_NE(record.find(L"\r\nClass: Tom&Jerry_\u7A97\r\n"), std::wstring::npos);
    EXPECT_NE(record.find(L"\r\nTitle: Tom & Jerry && \u7A97\u53E3 \u00E9\r\n"),
              std::wstring::npos);
    RightClick(lbl_WindowTitle, L"&Copy Title");
    EXPECT_EQ(Clipboard(), L"Tom & Jerry && \u7A97\u53E3 \u00E9");
    RightClick(lbl_WindowClass, L"&Copy Class");
    EXPECT_EQ(Clipboard(), L"Tom&Jerry_\u7A97");
}

TEST_F(CopyTest, LongTitleIsCutAsTheDisplayCutsIt) {
    std::wstring title;
    for (int i = 0; i < 600; ++i) {
        title += static_cast<wchar_t>(L'A' + i % 26);
    }
    win32.windows[0x320] = fake::Window(L"Edit", title, {}, 0, 0);
    ShowForeground(0x320);
    CtrlC();
    EXPECT_NE(Clipboard().find(L"\r\nTitle: " + title.substr(0, 511) + L"\r\nRect: "),
              std::wstring::npos);
    RightClick(lbl_WindowTitle, L"&Copy Title");
    EXPECT_EQ(Clipboard(), title.substr(0, 511));
}

TEST_F(CopyTest, LineBreaksAndNulsCannotBreakTheRecordsLines) {
    const std::wstring title(L"one\0two\r\nthree\u2028four\tfive", 24);
    win32.windows[0x330] = fake::Window(L"Odd\nClass", title, {}, 0, 0);
    ShowForeground(0x330);
    CtrlC();
    const std::wstring record = Clipboard();
    EXPECT_NE(record.find(L"\r\nClass: Odd\uFFFDClass\r\n"), std::wstring::npos);
    EXPECT_NE(record.find(L"\r\nTitle: one\uFFFDtwo\uFFFD\uFFFDthree\uFFFDfour\tfive\r\n"),
              std::wstring::npos);
    EXPECT_TRUE(record.ends_with(L"\r\nProcess: none (the window no longer exists)\r\n"));
    // The title alone keeps its line breaks; only the NUL, which would end the text, goes.
    RightClick(lbl_WindowTitle, L"&Copy Title");
    EXPECT_EQ(Clipboard(), L"one\uFFFDtwo\r\nthree\u2028four\tfive");
}

TEST_F(CopyTest, WindowThatDiedSinceKeepsWhatWasShownAndSaysItIsGone) {
    ShowForeground(kNotepad);
    win32.windows.erase(kNotepad);
    win32.windowProcess.erase(kNotepad);
    win32.processes.erase(kNotepadPid);
    CtrlC();
    EXPECT_EQ(Clipboard(), NotepadRecord(L"none (the window no longer exists)"));
    EXPECT_EQ(log.Matching({"GetClassName", "GetWindowText", "GetWindowRect", "GetWindowLong",
                            "GetParent", "OpenProcess"})
                  .size(),
              0u);
}

TEST_F(CopyTest, ProcessThatCannotBeOpenedGivesItsIdAndAccessDenied) {
    win32.processes[kNotepadPid].accessDenied = true;
    ShowForeground(kNotepad);
    CtrlC();
    EXPECT_EQ(Clipboard(), NotepadRecord(L"PID 4242 (access denied)"));
    EXPECT_EQ(log.Count("CloseHandle"), 0);
}

TEST_F(CopyTest, ProcessThatEndedOrHasNoNameGivesItsId) {
    ShowForeground(kNotepad);
    win32.processes.erase(kNotepadPid);
    CtrlC();
    EXPECT_EQ(Clipboard(), NotepadRecord(L"PID 4242 (name unavailable)"));

    win32.processes[kNotepadPid] = {L"C:\\Windows\\", false};
    CtrlC();
    EXPECT_EQ(Clipboard(), NotepadRecord(L"PID 4242 (name unavailable)"));
    EXPECT_EQ(win32.liveKernelHandles(), 0);
}

TEST_F(CopyTest, ContextMenuOfEachRowCopiesThatFieldAlone) {
    win32.windows[kNotepad].parent = 0xBEEF;
    ShowForeground(kNotepad);
    struct Row {
        ControlId label;
        std::wstring choice;
        std::wstring value;
    };
    const std::vector<Row> rows{
        {lbl_hWnd, L"&Copy hWnd", L"2A0"},
        {lbl_WindowHandleDecimal, L"&Copy hWnd", L"2A0"},
        {lbl_WindowHandleHex, L"&Copy hWnd", L"2A0"},
        {lbl_Class, L"&Copy Class", L"Notepad"},
        {lbl_WindowClass, L"&Copy Class", L"Notepad"},
        {lbl_Title, L"&Copy Title", L"Untitled - Notepad"},
        {lbl_WindowTitle, L"&Copy Title", L"Untitled - Notepad"},
        {lbl_Rect, L"&Copy Rect", L"(10, 20)-(410, 320)"},
        {lbl_WindowRect, L"&Copy Rect", L"(10, 20)-(410, 320)"},
        {lbl_Style, L"&Copy Style", L"14CF0000"},
        {lbl_WindowStyle, L"&Copy Style", L"14CF0000"},
        {lbl_Parent, L"&Copy Parent", L"BEEF"},
        {lbl_WindowParent, L"&Copy Parent", L"BEEF"},
    };
    for (const Row& row : rows) {
        log.Clear();
        win32.clipboard.reset();
        RightClick(row.label, row.choice);
        EXPECT_EQ(Clipboard(), row.value) << fake::Utf8(row.choice);
        const auto menus = log.Matching({"TrackPopupMenu"});
        ASSERT_EQ(menus.size(), 1u);
        EXPECT_EQ(menus[0], "TrackPopupMenu(" + std::to_string(own()) +
                                ", [&Details...\tCtrl+D | - | " + fake::Utf8(row.choice) +
                                " | Copy &all\tCtrl+C | " + kCopyAsSubmenu + "], 300, 200)");
        // A single field needs no process.
        EXPECT_EQ(log.Count("GetWindowThreadProcessId"), 0);
    }
}

TEST_F(CopyTest, CopyAsOffersAtMost32TemplatesAfterTheBuiltInFormats) {
    for (int i = 10; i < 50; ++i) {
        win32.ini[L"copyas/t" + std::to_wstring(i)] = L"{class} #" + std::to_wstring(i);
    }
    ShowForeground(kNotepad);
    RightClick(lbl_WindowClass, L"t41");
    EXPECT_EQ(Clipboard(), L"Notepad #41");
    const auto menus = log.Matching({"TrackPopupMenu"});
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_NE(menus[0].find("&JSON | - | t10 | t11 | "), std::string::npos) << menus[0];
    EXPECT_NE(menus[0].find(" | t41]]"), std::string::npos) << menus[0];
    EXPECT_EQ(menus[0].find("t42"), std::string::npos) << menus[0];

    win32.clipboard.reset();
    RightClick(lbl_WindowClass, L"t42");
    EXPECT_EQ(Clipboard(), L"(nothing)");
    RightClick(lbl_WindowClass, L"AutoHotkey ahk_&id");
    EXPECT_EQ(Clipboard(), L"ahk_id 0x2A0");
    // The section is only read.
    EXPECT_EQ(log.Count("WritePrivateProfileString"), 0);
}

TEST_F(CopyTest, ContextMenuCopyAllIsTheRecordOfCtrlC) {
    ShowForeground(kNotepad);
    RightClick(lbl_WindowStyle, L"Copy &all\tCtrl+C");
    EXPECT_EQ(Clipboard(), NotepadRecord(L"notepad.exe (PID 4242)"));
}

TEST_F(CopyTest, ContextMenuLeftWithoutChoiceCopiesNothing) {
    ShowForeground(kNotepad);
    win32.clipboard = L"before";
    RightClick(lbl_WindowClass, L"");
    EXPECT_EQ(Clipboard(), L"before");
    EXPECT_EQ(log.Count("OpenClipboard"), 0);
}

TEST_F(CopyTest, MenuKeyAndThePanelOfferEveryField) {
    ShowForeground(kNotepad);
    const std::string everyField =
        "[&Details...\tCtrl+D | - | Copy &all\tCtrl+C | - | Copy &hWnd | Copy &Class | Copy &Title "
        "| Copy &Rect | "
        "Copy &Style | Copy &Parent | " +
        std::string(kCopyAsSubmenu) + "]";
    win32.popupChoice = L"Copy &Title";
    form().FireContextMenu(btn_Close, {{12, 34}, true});
    EXPECT_EQ(Clipboard(), L"Untitled - Notepad");
    win32.popupChoice = L"Copy &hWnd";
    form().FireContextMenu(frame_Main, {{50, 60}, false});
    EXPECT_EQ(Clipboard(), L"2A0");
    win32.popupChoice = L"Copy &all\tCtrl+C";
    form().FireContextMenu(lbl_CurWindow, {{70, 80}, false});
    EXPECT_EQ(Clipboard(), NotepadRecord(L"notepad.exe (PID 4242)"));
    EXPECT_EQ(log.Matching({"TrackPopupMenu"}),
              (std::vector<std::string>{
                  "TrackPopupMenu(" + std::to_string(own()) + ", " + everyField + ", 12, 34)",
                  "TrackPopupMenu(" + std::to_string(own()) + ", " + everyField + ", 50, 60)",
                  "TrackPopupMenu(" + std::to_string(own()) + ", " + everyField + ", 70, 80)",
              }));
}

TEST_F(CopyTest, RightClickOutsideThePanelOrDuringADragShowsNoMenu) {
    ShowForeground(kNotepad);
    form().FireContextMenu(btn_Close, {{1, 1}, false});
    form().FireContextMenu(btn_Help, {{1, 1}, false});
    form().FireContextMenu(kThisForm, {{1, 1}, false});
    form().FireMouseDown(img_Target);
    form().FireContextMenu(lbl_WindowClass, {{1, 1}, false});
    form().FireContextMenu(kThisForm, {{1, 1}, true});
    EXPECT_EQ(log.Count("TrackPopupMenu"), 0);
    EXPECT_EQ(main->dragging(), 1);
}

TEST_F(CopyTest, TicksWhileTheMenuIsOpenGoOnAndTheChoiceCopiesWhatIsThenOnShow) {
    win32.windows[0x600] = fake::Window(L"Browser", L"Home", {0, 0, 800, 600});
    ShowForeground(kNotepad);
    win32.whilePopupMenu = [&] {
        win32.foreground = 0x600;
        Tick();
        Tick();
    };
    RightClick(lbl_WindowClass, L"&Copy Class");
    EXPECT_EQ(main->lastHwnd(), 0x600);
    EXPECT_EQ(Clipboard(), L"Browser");
}

TEST_F(CopyTest, BusyClipboardIsRetriedBrieflyThenBeeps) {
    ShowForeground(kNotepad);
    win32.clipboard = L"held by another program";
    win32.clipboardBusyFor = 1000;
    EXPECT_NO_THROW(CtrlC());
    const auto calls = log.Matching({"OpenClipboard", "Sleep", "MessageBeep", "EmptyClipboard",
                                     "SetClipboardData", "CloseClipboard"});
    const std::string open = "OpenClipboard(" + std::to_string(own()) + ")";
    EXPECT_EQ(calls,
              (std::vector<std::string>{open, "Sleep(10)", open, "Sleep(10)", open, "Sleep(10)",
                                        open, "Sleep(10)", open, "MessageBeep(0)"}));
    EXPECT_EQ(log.All().back(), "MessageBeep(0)");
    EXPECT_EQ(Clipboard(), L"held by another program");

    // Once the other program lets go, the next copy goes through.
    win32.clipboardBusyFor = 2;
    log.Clear();
    CtrlC();
    EXPECT_EQ(Clipboard(), NotepadRecord(L"notepad.exe (PID 4242)"));
    EXPECT_EQ(log.Count("Sleep(10)"), 2);
    EXPECT_EQ(log.Count("MessageBeep"), 0);
}

TEST_F(CopyTest, ClipboardThatTakesNoTextBeepsAndIsClosedAgain) {
    ShowForeground(kNotepad);
    win32.clipboardRefusesText = true;
    EXPECT_NO_THROW(CtrlC());
    EXPECT_FALSE(win32.clipboardOpen());
    EXPECT_EQ(log.Matching({"OpenClipboard", "EmptyClipboard", "SetClipboardData", "CloseClipboard",
                            "MessageBeep"})
                  .size(),
              5u);
    EXPECT_EQ(log.All().back(), "MessageBeep(0)");
}

TEST_F(CopyTest, CopyingChangesNothingOfTheWindowOrItsDisplay) {
    ShowForeground(kNotepad);
    form().FireMouseDown(img_Target);
    win32.windowUnderCursor = kNotepad;
    Tick();
    Tick();
    struct State {
        Hwnd lastHwnd;
        std::int16_t dragging, borderDrawn;
        ColorRef borderColor;
        std::vector<std::wstring> captions, tips;
        std::int16_t pointer;
    };
    const auto state = [&] {
        State s{main->lastHwnd(),
                main->dragging(),
                main->borderDrawn(),
                main->borderColor(),
                {},
                {},
                form().PeekMousePointer(img_Target)};
        for (ControlId id = frame_Main; id <= lbl_WindowParent; ++id) {
            s.captions.push_back(form().PeekCaption(id));
            s.tips.push_back(form().PeekToolTip(id));
        }
        return s;
    };
    const State before = state();
    log.Clear();
    CtrlC();
    RightClick(lbl_WindowTitle, L"&Copy Title");
    const State after = state();
    EXPECT_EQ(after.lastHwnd, before.lastHwnd);
    EXPECT_EQ(after.dragging, 1);
    EXPECT_EQ(after.borderDrawn, before.borderDrawn);
    EXPECT_EQ(after.borderColor, before.borderColor);
    EXPECT_EQ(after.captions, before.captions);
    EXPECT_EQ(after.tips, before.tips);
    EXPECT_EQ(after.pointer, before.pointer);
    EXPECT_EQ(log.Matching({"SetCaption", "SetToolTipText", "SetVisible", "SetMousePointer",
                            "InvalidateRect", "GetWindowDC", "GetClassName", "GetWindowText",
                            "GetWindowRect", "GetWindowLong", "GetParent", "WritePrivate"})
                  .size(),
              0u);
    EXPECT_NE(Clipboard().find(L"Window under target\r\n"), std::wstring::npos);
}

}  // namespace
}  // namespace tarnwick
