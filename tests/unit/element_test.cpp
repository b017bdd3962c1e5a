// The accessible element under the pointer: how it is read, requested, shown and copied.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "details/frmDetails_controls.h"
#include "element/read_element.h"
#include "tests/fake/fake_element_reader.h"
#include "tests/unit/main_window_fixture.h"

namespace tarnwick {
namespace {

TEST(ReadElementTest, TakesUiAutomationFirstAndActiveAccessibilityOnlyWhereItFails) {
    fake::FakeElementSources sources;
    AccessibleElement button;
    button[ElementText::Name] = L"OK";
    button[ElementText::ControlType] = L"Button";
    AccessibleElement legacy;
    legacy[ElementText::Name] = L"OK";
    legacy[ElementText::Role] = L"push button";
    sources.uiAutomation = button;
    sources.activeAccessibility = legacy;
    sources.leftByFailure[ElementText::Name] = L"half-read";

    ElementAnswer answer = ReadElement(sources, {7, 0x500, Point{10, 20}});
    EXPECT_EQ(answer.request, 7u);
    EXPECT_EQ(answer.outcome, ElementOutcome::Read);
    EXPECT_EQ(answer.element[ElementText::ControlType], L"Button");
    EXPECT_EQ(answer.element[ElementText::Role], L"");

    sources.uiAutomation.reset();
    answer = ReadElement(sources, {8, 0x500, std::nullopt});
    EXPECT_EQ(answer.outcome, ElementOutcome::Read);
    EXPECT_EQ(answer.element[ElementText::Role], L"push button");
    EXPECT_EQ(answer.element[ElementText::ControlType], L"");

    sources.activeAccessibility.reset();
    answer = ReadElement(sources, {9, 0x500, std::nullopt});
    EXPECT_EQ(answer.request, 9u);
    EXPECT_EQ(answer.outcome, ElementOutcome::None);
    EXPECT_EQ(answer.element[ElementText::Name], L"");
}

using namespace frmMainControls;
using frmDetailsControls::lst_Properties;

constexpr Hwnd kBrowser = 0x600;
constexpr Hwnd kEditor = 0x700;

class ElementTest : public MainWindowTest {
  protected:
    void SetUp() override {
        win32.windows[kBrowser] = fake::Window(L"Chrome_WidgetWin_1", L"Inbox", {0, 0, 800, 600});
        win32.windows[kEditor] = fake::Window(L"Notepad", L"notes", {0, 0, 400, 300});
        Start();
    }
    void Tick() { form().FireTimer(Timer1); }
    // Drags the crosshair (pressing it first) to the point over the window.
    void DragTo(Hwnd window, Point at) {
        if (main->dragging() == 0) {
            form().FireMouseDown(img_Target);
            win32.foreground = own();
        }
        win32.cursor = at;
        win32.windowUnderCursor = window;
        Tick();
    }
    void Release() { form().FireMouseUp(img_Target); }
    void Follow(Hwnd window) {
        win32.foreground = window;
        Tick();
    }
    void OpenDetails() { static_cast<FormEvents&>(*main).Click(key_Details); }
    std::wstring Record() {
        static_cast<FormEvents&>(*main).Click(key_CopyAll);
        return win32.clipboard.value_or(L"");
    }
    fake::FakeElementReader& reader() { return queries.elements; }
    // The Element group's rows on show, as "name: value".
    std::vector<std::wstring> ElementRowsShown() {
        std::vector<std::wstring> shown;
        for (const ListRow& row : app.form("Details").PeekListRows(lst_Properties)) {
            if (row.heading == L"Element") {
                shown.push_back(row.name + L": " + row.value);
            }
        }
        return shown;
    }
    static AccessibleElement SendButton() {
        AccessibleElement button;
        button[ElementText::Name] = L"Send";
        button[ElementText::ControlType] = L"Button";
        button[ElementText::AutomationId] = L"send";
        button[ElementText::FrameworkId] = L"Chrome";
        button.boundingRect = Rect{700, 10, 780, 40};
        button.enabled = true;
        button.offscreen = false;
        button.processId = 4242;
        return button;
    }
};

TEST_F(ElementTest, DragAsksAtEachNewPointAndShowsTheAnswerWhenItComes) {
    DragTo(kBrowser, {100, 200});
    DragTo(kBrowser, {100, 200});
    DragTo(kBrowser, {150, 200});
    ASSERT_EQ(reader().requests.size(), 2u);
    EXPECT_EQ(reader().requests[0].window, kBrowser);
    EXPECT_EQ(reader().requests[1].point->x, 150);
    EXPECT_GT(reader().requests[1].id, reader().requests[0].id);

    OpenDetails();
    EXPECT_EQ(reader().requests.size(), 2u);
    EXPECT_TRUE(ElementRowsShown().empty());
    EXPECT_FALSE(Record().ends_with(L"\"\r\n"));

    reader().AnswerLatest(SendButton());
    EXPECT_EQ(
        ElementRowsShown(),
        (std::vector<std::wstring>{
            L"Name: Send", L"Control type: Button", L"Automation ID: send", L"Framework: Chrome",
            L"Bounding rect: (700, 10)-(780, 40), 80 x 30", L"Enabled: yes", L"Offscreen: no"}));
    Release();
    EXPECT_TRUE(
        Record().ends_with(L"Process: none (the window no longer exists)\r\n"
                           L"Element: Button \"Send\"\r\n"));
}

TEST_F(ElementTest, AnswersToOlderQuestionsOrOfWindowsNoLongerShownAreDropped) {
    OpenDetails();
    DragTo(kBrowser, {100, 200});
    DragTo(kEditor, {50, 60});
    const std::uint64_t browserRequest = reader().requests[reader().requests.size() - 2].id;
    reader().Answer(browserRequest, ElementOutcome::Read, SendButton());
    EXPECT_TRUE(ElementRowsShown().empty());

    AccessibleElement text;
    text[ElementText::Name] = L"Text editor";
    text[ElementText::ControlType] = L"Document";
    reader().AnswerLatest(text);
    EXPECT_EQ(ElementRowsShown(),
              (std::vector<std::wstring>{L"Name: Text editor", L"Control type: Document"}));
    // The same answer again, or one after the window has gone from display, changes nothing.
    reader().AnswerLatest(SendButton());
    EXPECT_EQ(ElementRowsShown().front(), L"Name: Text editor");

    Release();
    static_cast<FormEvents&>(*main->details()).Click(frmDetailsControls::key_Close);
    DragTo(kBrowser, {10, 10});
    Release();
    Follow(kEditor);
    reader().AnswerLatest(SendButton());
    EXPECT_FALSE(Record().ends_with(L"\"\r\n"));
}

TEST_F(ElementTest, AProviderThatDoesNotAnswerShowsSoAndOneThatNeverDoesShowsNothing) {
    OpenDetails();
    DragTo(kBrowser, {100, 200});
    EXPECT_TRUE(ElementRowsShown().empty());
    DragTo(kEditor, {50, 60});
    reader().Answer(reader().requests.back().id, ElementOutcome::NotResponding, {});
    EXPECT_EQ(ElementRowsShown(), std::vector<std::wstring>{L"Name: (not responding)"});
    EXPECT_FALSE(Record().ends_with(L"\"\r\n"));
    DragTo(kBrowser, {100, 200});
    reader().Answer(reader().requests.back().id, ElementOutcome::None, {});
    EXPECT_TRUE(ElementRowsShown().empty());
}

TEST_F(ElementTest, TheForegroundWindowsOwnElementIsReadOnlyForTheDetailsWindow) {
    Follow(kBrowser);
    Follow(kEditor);
    EXPECT_TRUE(reader().requests.empty());
    OpenDetails();
    ASSERT_EQ(reader().requests.size(), 1u);
    EXPECT_EQ(reader().requests[0].window, kEditor);
    EXPECT_FALSE(reader().requests[0].point.has_value());
    Follow(kBrowser);
    ASSERT_EQ(reader().requests.size(), 2u);
    EXPECT_EQ(reader().requests[1].window, kBrowser);

    // Read through Active Accessibility: role, state, value and action; a value from another
    // program stays on one line.
    AccessibleElement legacy;
    legacy[ElementText::Name] = L"OK";
    legacy[ElementText::Role] = L"push button";
    legacy[ElementText::State] = L"focusable, default";
    legacy[ElementText::Value] = L"line one\nline two";
    legacy[ElementText::DefaultAction] = L"Press";
    reader().AnswerLatest(legacy);
    EXPECT_EQ(
        ElementRowsShown(),
        (std::vector<std::wstring>{L"Name: OK", L"Role: push button", L"State: focusable, default",
                                   L"Value: line one\uFFFDline two", L"Default action: Press"}));
    EXPECT_TRUE(Record().ends_with(L"Element: push button \"OK\"\r\n"));
}

}  // namespace
}  // namespace tarnwick
