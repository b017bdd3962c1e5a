#pragma once
// "Copy as": the window on display (and the element under the pointer, when one is known) as the
// texts that automation tools and scripts take to find it again, and the user's own templates.
// Every text of another program goes into a built-in format as a correctly quoted literal of its
// language, whatever it holds (quotes of either kind, backslashes, line breaks, control
// characters, any script); templates insert the texts as they are.
//
// The literals: Python's and JSON's "..." keep every character but \" \\ \n \r \t and write the
// other control characters, the line and paragraph separators and a lone surrogate as \uXXXX.
// C++'s L"..." is plain ASCII, every other character a universal character name, so that it means
// the same whatever encoding a source file is read in; a lone surrogate, which has none, is \xXXXX
// (the literal closed and a new one opened where a hex digit follows), and "?" is \? so that no
// trigraph can start. XPath 1.0 has no escapes: 'text', "text" where it holds an apostrophe, and
// where it holds both kinds of quote, concat() of its runs in apostrophes and its apostrophes in
// quotation marks.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/accessible_element.h"
#include "platform/types.h"

namespace tarnwick {

struct CopyAsWindow {
    Hwnd handle = 0;
    std::wstring className;
    std::wstring title;
};

struct CopyAsSubject {
    // From the top-level window down to the window on display, each window the parent of the
    // next: back() is the window on display, a single entry when it is top-level itself.
    std::vector<CopyAsWindow> chain;
    std::wstring imageName;  // the process's file name, "notepad.exe"; empty when unknown
    std::uint32_t processId = 0;
    std::wstring classNN;  // "Button2"; empty when not a child
    std::int32_t controlId = 0;
    const AccessibleElement* element = nullptr;  // the element under the pointer, where known
};

// The built-in formats, in the order a menu offers them.
enum class CopyAsFormat {
    // "<title> ahk_class <class> ahk_exe <image name>" of the top-level window; a part without a
    // value is left out. AutoHotkey has no way to quote a title inside a WinTitle, so the title is
    // cut before its first control character or line break and before any "ahk_" in it: the text
    // stays on one line, no part of the title is read as a criterion, and AutoHotkey's matching
    // of the title as a leading part (its default) still finds the window.
    AutoHotkeyWinTitle,
    // "ahk_id 0x<hex>" of the window on display, the digits upper-case.
    AutoHotkeyId,
    // Desktop(backend="uia").window(title="...", class_name="...") of the top-level window, and
    // for a known element .child_window(auto_id="...", control_type="..."), or title="<name>"
    // where the element has no AutomationId; control_type is left out where it has none.
    Pywinauto,
    // /Window[@ClassName='...'][@Name='...'] of the top-level window, and for a known element
    // //<control type>[@AutomationId='...'], or [@Name='...'] where it has no AutomationId. The
    // element is any descendant of the window, hence "//"; an element without a control type
    // (read through Active Accessibility only) is matched as "*".
    XPath,
    // The FindWindowExW calls that walk from the top-level window down to the window on display,
    // one statement a line (CR LF between them), each by class and title, nullptr for an empty one.
    FindWindowEx,
};

// The text of the format; empty when the chain is.
std::wstring CopyAsText(CopyAsFormat format, const CopyAsSubject& subject);

// The template with each placeholder replaced by its text of the window on display:
// {hwnd} (decimal), {hwndhex} (upper-case hex digits, no prefix), {class}, {title}, {exe}, {pid},
// {classnn}, {controlid}, and the element's {name}, {automationid} and {controltype} (empty
// without an element). "{{" and "}}" are single braces; anything else, an unknown placeholder
// too, is copied as it stands. Placeholders are lower-case. Empty when the chain is.
std::wstring ExpandCopyTemplate(std::wstring_view pattern, const CopyAsSubject& subject);

// JSON written member by member into one text: objects (nested as deep as wanted), strings,
// numbers and nulls, without spaces or line breaks.
class JsonText {
  public:
    // The outermost object takes no key; every object inside it takes one.
    void BeginObject(std::wstring_view key = {});
    void EndObject();
    void String(std::wstring_view key, std::wstring_view value);
    void Number(std::wstring_view key, std::int64_t value);
    void Null(std::wstring_view key);
    // The same with a plain ASCII key, as the program's own keys are: one pointer to pass where a
    // view is copied to the stack at every call.
    void BeginObject(const char* key);
    void String(const char* key, const std::wstring& value);
    void Number(const char* key, std::int64_t value);
    // The text written so far; the writer starts anew.
    std::wstring Take();

  private:
    // A comma where a member comes before, the key (where one is given), the plain ASCII token,
    // and the string value, where one is given.
    void Member(std::wstring_view key, const char* token, const std::wstring_view* value = nullptr);
    // A comma where a member comes before, and the key.
    void AsciiKey(const char* key);

    std::wstring text_;
    bool afterMember_ = false;  // a member or an object's end comes next: a comma goes first
};

// A row's name as a JSON key: its words (runs of letters and digits) joined, the first word's
// first letter lower-case, every other word's upper-case; the rest of a word written all in
// capitals (an abbreviation) goes lower-case, the rest of any other word stays as it is:
// "Class style" -> "classStyle", "Automation ID" -> "automationId", "DPI awareness" ->
// "dpiAwareness", "ClassNN" -> "classNN", "hWnd" -> "hWnd".
std::wstring CamelCaseKey(std::wstring_view rowName);

}  // namespace tarnwick
