// The Details window: its rows for each kind of window, the walk through the window tree, what
// it asks of the system and when, copying, and its settings.

#include <map>
#include <string>
#include <vector>

#include "details/frmDetails_controls.h"
#include "tests/unit/main_window_fixture.h"

namespace tarnwick {
namespace {

using namespace frmMainControls;
using frmDetailsControls::key_Activate;
using frmDetailsControls::key_Close;
using frmDetailsControls::key_Copy;
using frmDetailsControls::key_FirstChild;
using frmDetailsControls::key_NextSibling;
using frmDetailsControls::key_Parent;
using frmDetailsControls::key_PreviousSibling;
using frmDetailsControls::key_SelectAll;
using frmDetailsControls::lst_Properties;

// A dialog with three buttons and an edit; the second and third buttons are children of a group
// box, so that ClassNN counts across the tree.
constexpr Hwnd kDialog = 0x500;
constexpr Hwnd kOk = 0x501;
constexpr Hwnd kGroup = 0x502;
constexpr Hwnd kYes = 0x503;
constexpr Hwnd kNo = 0x504;
constexpr Hwnd kEdit = 0x505;
constexpr std::int32_t kChild = 0x40000000;
constexpr std::uint32_t kDialogPid = 77;

class DetailsTest : public MainWindowTest {
  protected:
    void SetUp() override {
        win32.windows[kDialog] =
            fake::Window(L"#32770", L"Save \"a\"", {100, 100, 500, 400}, 0x94C800C4);
        win32.windows[kDialog].exStyle = 0x00010109;
        win32.windows[kOk] = Child(L"Button", L"&OK", {110, 350, 190, 380}, 0x50010001, kDialog, 1);
        win32.windows[kGroup] =
            Child(L"Button", L"Pick", {110, 150, 490, 300}, 0x50000007, kDialog, 1040);
        win32.windows[kYes] =
            Child(L"Button", L"Yes", {120, 170, 200, 190}, 0x50010009, kGroup, 1041);
        win32.windows[kNo] =
            Child(L"Button", L"No", {120, 200, 200, 220}, 0x58010009, kGroup, 1042);
        win32.windows[kEdit] = Child(L"Edit", L"", {210, 350, 490, 380}, 0x58010080, kDialog, 1001);
        queries.details[kDialog].clientRect = Rect{103, 126, 497, 397};
        queries.details[kDialog].classStyle = 0x8;
        queries.details[kGroup].clientRect = Rect{110, 150, 490, 300};
        queries.details[kNo].state.enabled = false;
        win32.windowProcess[kDialog] = kDialogPid;
        win32.windowProcess[kNo] = kDialogPid;
        win32.processes[kDialogPid] = {L"C:\\Apps\\saver.exe", false};
        Start();
    }
    static fake::FakeWindow Child(std::wstring className, std::wstring title, Rect rect,
                                  std::int32_t style, Hwnd parent, std::int32_t id) {
        fake::FakeWindow window =
            fake::Window(std::move(className), std::move(title), rect, style | kChild, parent);
        window.controlId = id;
        return window;
    }
    void Tick() { form().FireTimer(Timer1); }
    void Follow(Hwnd window) {
        win32.foreground = window;
        Tick();
    }
    void OpenDetails() { static_cast<FormEvents&>(*main).Click(key_Details); }
    fake::FakeForm& details() { return app.form("Details"); }
    void Key(ControlId key) { static_cast<FormEvents&>(*main->details()).Click(key); }
    // The rows on show, by name.
    std::map<std::wstring, std::wstring> Rows() {
        std::map<std::wstring, std::wstring> rows;
        for (const ListRow& row : details().PeekListRows(lst_Properties)) {
            rows[row.name] = row.value;
        }
        return rows;
    }
    std::wstring Clipboard() const { return win32.clipboard.value_or(L"(nothing)"); }
};

TEST_F(DetailsTest, TopLevelWindowRowsInTheirGroupsAndOrder) {
    Follow(kDialog);
    OpenDetails();
    const std::vector<ListRow>& rows = details().PeekListRows(lst_Properties);
    ASSERT_EQ(rows.size(), 34u);
    std::vector<std::wstring> headings;
    for (const ListRow& row : rows) {
        if (headings.empty() || headings.back() != row.heading) {
            headings.push_back(row.heading);
        }
    }
    EXPECT_EQ(headings, (std::vector<std::wstring>{L"Window", L"Geometry", L"Process", L"Relations",
                                                   L"Pointer"}));
    auto r = Rows();
    EXPECT_EQ(r[L"Handle"], L"0x500 (1280)");
    EXPECT_EQ(r[L"Title"], L"Save \"a\"");
    EXPECT_EQ(r[L"Control ID"], L"none (top-level window)");
    EXPECT_EQ(r[L"ClassNN"], L"");
    EXPECT_EQ(r[L"Style"],
              L"0x94C800C4 WS_POPUPWINDOW | WS_CAPTION | WS_VISIBLE | WS_CLIPSIBLINGS | 0xC4");
    EXPECT_EQ(
        r[L"Extended style"],
        L"0x00010109 WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE | WS_EX_TOPMOST | WS_EX_DLGMODALFRAME");
    EXPECT_EQ(r[L"Class style"], L"0x00000008 CS_DBLCLKS");
    EXPECT_EQ(r[L"State"], L"visible, enabled, topmost");
    EXPECT_EQ(r[L"Window rect"], L"(100, 100)-(500, 400), 400 x 300");
    EXPECT_EQ(r[L"Client rect"], L"(103, 126)-(497, 397), 394 x 271");
    EXPECT_EQ(r[L"Rect in parent"], L"");
    EXPECT_EQ(r[L"Monitor"], L"\\\\.\\DISPLAY1 (0, 0)-(1024, 768), 1024 x 768, 96 DPI");
    EXPECT_EQ(r[L"DPI"], L"96 (100%)");
    EXPECT_EQ(r[L"DPI awareness"], L"per-monitor v2");
    EXPECT_EQ(r[L"Process"], L"saver.exe (PID 77)");
    EXPECT_EQ(r[L"Path"], L"C:\\Apps\\saver.exe");
    EXPECT_EQ(r[L"Architecture"], L"x64");
    EXPECT_EQ(r[L"Integrity"], L"Medium");
    EXPECT_EQ(r[L"Parent"], L"none");
    EXPECT_EQ(r[L"First child"], L"0x501 (1281) Button \"&OK\"");
    EXPECT_EQ(r[L"Root"], L"0x500 (1280) #32770 \"Save \"a\"\"");
    EXPECT_EQ(r[L"Children"], L"3");
    EXPECT_EQ(win32.liveKernelHandles(), 0);
}

TEST_F(DetailsTest, ChildWindowRowsDisabledAndCountedAcrossTheTree) {
    Follow(kNo);
    OpenDetails();
    auto r = Rows();
    EXPECT_EQ(r[L"Control ID"], L"1042 (0x412)");
    // OK, the group box and Yes come before it in the tree.
    EXPECT_EQ(r[L"ClassNN"], L"Button4");
    EXPECT_EQ(r[L"Style"],
              L"0x58010009 WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_TABSTOP | BS_AUTORADIOBUTTON");
    EXPECT_EQ(r[L"State"], L"visible, disabled");
    EXPECT_EQ(r[L"Rect in parent"], L"(10, 50)-(90, 70), 80 x 20");
    EXPECT_EQ(r[L"Parent"], L"0x502 (1282) Button \"Pick\"");
    EXPECT_EQ(r[L"Previous sibling"], L"0x503 (1283) Button \"Yes\"");
    EXPECT_EQ(r[L"Next sibling"], L"none");
    EXPECT_EQ(r[L"Root"], L"0x500 (1280) #32770 \"Save \"a\"\"");
    EXPECT_EQ(r[L"Children"], L"0");

    Follow(kEdit);
    EXPECT_EQ(Rows()[L"ClassNN"], L"Edit1");
    EXPECT_EQ(Rows()[L"Style"],
              L"0x58010080 WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_TABSTOP | "
              L"ES_LEFT | ES_AUTOHSCROLL");
}

TEST_F(DetailsTest, NoWindowAndAWindowThatIsGone) {
    Follow(0x999);  // no such window
    OpenDetails();
    auto r = Rows();
    EXPECT_EQ(r[L"Handle"], L"0x999 (2457)");
    EXPECT_EQ(r[L"Process"], L"none (the window no longer exists)");
    for (const wchar_t* empty : {L"Class", L"Control ID", L"Style", L"State", L"Window rect",
                                 L"Parent", L"Children", L"Path"}) {
        EXPECT_EQ(r[empty], L"") << fake::Utf8(empty);
    }

    // A window that dies after it was shown keeps its rows: nothing is asked again.
    Follow(kDialog);
    win32.windows.erase(kDialog);
    log.Clear();
    Tick();
    Tick();
    EXPECT_EQ(Rows()[L"Title"], L"Save \"a\"");
    EXPECT_EQ(log.Count("IsWindow"), 0);
    EXPECT_EQ(log.Count("GetWindowText"), 0);
}

TEST_F(DetailsTest, QueriesOncePerWindowAndOnlyThePointerAtTheTick) {
    Follow(kDialog);
    log.Clear();
    Tick();
    Tick();
    EXPECT_EQ(log.Count("GetCursorPos"), 0);  // closed: nothing at all
    OpenDetails();
    const int asked = log.Count("GetRelative");
    EXPECT_GT(asked, 0);
    Tick();
    log.Clear();
    Tick();
    Tick();
    // The pointer has not moved: only whether it has is asked, nothing else.
    EXPECT_EQ(log.Count("PointerAtLastMessage"), 2);
    EXPECT_EQ(log.Count("GetCursorPos"), 0);
    EXPECT_EQ(log.Count("GetScreenPixel"), 0);
    EXPECT_EQ(log.Count("SetListRows"), 0);
    EXPECT_EQ(log.Count("GetRelative"), 0);
    win32.cursor = {150, 130};
    Tick();
    EXPECT_EQ(log.Count("GetScreenPixel(150, 130)"), 1);
    auto r = Rows();
    EXPECT_EQ(r[L"Screen"], L"(150, 130)");
    EXPECT_EQ(r[L"In window"], L"(50, 30)");
    EXPECT_EQ(r[L"In client"], L"(47, 4)");
    EXPECT_EQ(r[L"Colour"], L"RGB(51, 102, 153) #336699");
    EXPECT_EQ(log.Count("GetRelative"), 0);
}

TEST_F(DetailsTest, WalkingTheTreeShowsFramesAndHoldsWhileTheProgramIsInFront) {
    Follow(kYes);
    OpenDetails();
    const Hwnd detailsWindow = details().hWnd();
    win32.foreground = detailsWindow;
    const auto shown = [&] { return main->lastHwnd(); };
    Key(key_Parent);
    EXPECT_EQ(shown(), kGroup);
    EXPECT_EQ(caption(lbl_WindowClass), L"Button");
    EXPECT_EQ(Rows()[L"Handle"], L"0x502 (1282)");
    Key(key_FirstChild);
    EXPECT_EQ(shown(), kYes);
    Key(key_NextSibling);
    EXPECT_EQ(shown(), kNo);
    Key(key_NextSibling);  // none: stays
    EXPECT_EQ(shown(), kNo);
    Key(key_PreviousSibling);
    EXPECT_EQ(shown(), kYes);

    // Enter on a row of the relations goes there; on any other row it does nothing.
    details().selectedRows = {0};
    Key(key_Activate);
    EXPECT_EQ(shown(), kYes);
    const std::vector<ListRow>& rows = details().PeekListRows(lst_Properties);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].name == L"Root") {
            details().selectedRows = {static_cast<int>(i)};
        }
    }
    log.Clear();
    details().FireDblClick(lst_Properties);
    EXPECT_EQ(shown(), kDialog);

    // Framed from the next tick for a second, then wiped; the ticks leave it on display while
    // the Details window or the main window is in front.
    Tick();
    EXPECT_EQ(log.Count("GetWindowDC(1280)"), 1);
    for (int tick = 0; tick < 19; ++tick) {
        Tick();
    }
    const int wipes = log.Count("InvalidateRect(0");
    Tick();
    EXPECT_EQ(log.Count("InvalidateRect(0"), wipes + 1);
    win32.foreground = own();
    Tick();
    EXPECT_EQ(shown(), kDialog);
    win32.windows[0x700] = fake::Window(L"Notepad", L"x");
    Follow(0x700);
    EXPECT_EQ(shown(), 0x700);
    EXPECT_EQ(Rows()[L"Class"], L"Notepad");
}

TEST_F(DetailsTest, OpenedByKeyMenuAndDoubleClickOnlyOnce) {
    Follow(kDialog);
    win32.popupChoice = L"&Details...\tCtrl+D";
    form().FireContextMenu(lbl_WindowTitle, {{5, 5}, false});
    ASSERT_NE(main->details(), nullptr);
    fake::FakeForm* first = &details();
    form().FireDblClick(lbl_WindowClass);
    OpenDetails();
    EXPECT_EQ(&details(), first);
    EXPECT_EQ(log.Count("Details.Load()"), 1);
    EXPECT_EQ(log.Count("Details.ZOrder()"), 3);  // placed on top once, then twice brought there

    form().FireDblClick(img_Target);
    static_cast<FormEvents&>(*main->details()).Click(key_Close);
    EXPECT_EQ(main->details(), nullptr);
    form().FireDblClick(frame_Main);
    ASSERT_NE(main->details(), nullptr);
    EXPECT_NE(&details(), first);
}

TEST_F(DetailsTest, CopiesSelectedRowsAllRowsAndOneValueWithoutAsking) {
    Follow(kOk);
    OpenDetails();
    log.Clear();
    Key(key_SelectAll);
    Key(key_Copy);
    const std::wstring all = Clipboard();
    EXPECT_TRUE(all.starts_with(L"Handle: 0x501 (1281)\r\nClass: Button\r\nTitle: &OK\r\n"))
        << fake::Utf8(all);
    EXPECT_TRUE(all.ends_with(L"Colour: \r\n"));
    EXPECT_EQ(log.Count("GetWindow"), 0);
    EXPECT_EQ(log.Count("GetRelative"), 0);

    details().selectedRows = {3};
    Key(key_Copy);
    EXPECT_EQ(Clipboard(), L"Control ID: 1 (0x1)\r\n");
    win32.popupChoice = L"&Copy value";
    details().FireContextMenu(lst_Properties, {{1, 1}, false});
    EXPECT_EQ(Clipboard(), L"1 (0x1)");
    win32.popupChoice = L"Copy &all";
    details().FireContextMenu(lst_Properties, {{1, 1}, true});
    EXPECT_EQ(Clipboard(), all);
}

TEST_F(DetailsTest, OpenIsWrittenOnlyOnceTheWindowWasUsedAndReopensIt) {
    // Never opened, no key: the settings file is written as it always was.
    form().FireClose();
    EXPECT_EQ(log.Count("WritePrivateProfileString(Details"), 0);

    win32.ini[L"details/open"] = L"1";
    win32.ini[L"details/width"] = L"5000";
    win32.ini[L"details/height"] = L"4000";
    Start();
    ASSERT_NE(main->details(), nullptr);
    EXPECT_EQ(details().Peek(kThisForm, Dim::Width), 5000);
    EXPECT_EQ(details().Peek(kThisForm, Dim::Height), 4000);
    form().FireClose();
    EXPECT_EQ(win32.IniValue(L"Details", L"Open"), L"1");
    EXPECT_EQ(win32.IniValue(L"Details", L"width"), L" 5000");

    // The end of the session saves it as open too.
    Start();
    EXPECT_TRUE(form().FireQueryEndSession());
    form().FireEndSession(true);
    EXPECT_EQ(win32.IniValue(L"Details", L"Open"), L"1");

    Start();
    static_cast<FormEvents&>(*main->details()).Click(key_Close);
    form().FireClose();
    EXPECT_EQ(win32.IniValue(L"Details", L"Open"), L"0");
    Start();
    EXPECT_EQ(main->details(), nullptr);
}

}  // namespace
}  // namespace tarnwick
