#pragma once
// The accessible element inside a window: what UI Automation (or, where it is missing or fails,
// Active Accessibility) tells of the button, field or link under the pointer. Every text comes
// from another program and is shown or copied as it stands; a value the element does not have is
// left empty, never guessed. The reading itself runs away from the user-interface thread: the
// program asks, goes on, and is told the answer later.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/types.h"

namespace tarnwick {

// The texts of an element: UI Automation's first, then Active Accessibility's, which are read
// when UI Automation gave nothing (its name goes to Name).
enum class ElementText : std::uint8_t {
    Name,
    ControlType,  // the programmatic name: "Button", "Edit", "Document"
    LocalizedControlType,
    AutomationId,
    ClassName,
    FrameworkId,  // "Win32", "WPF", "XAML", "Chrome"
    Role,         // as GetRoleText gives it
    State,
    Value,
    DefaultAction,
};
inline constexpr std::size_t kElementTexts = 10;

struct AccessibleElement {
    // Held as one array: copying an element is then one loop, not ten copies written out at
    // every place an element is copied.
    std::wstring texts[kElementTexts];
    std::optional<Rect> boundingRect;  // screen pixels; Active Accessibility's location too
    std::optional<bool> enabled;
    std::optional<bool> offscreen;
    std::optional<std::uint32_t> processId;

    std::wstring& operator[](ElementText text) { return texts[static_cast<std::size_t>(text)]; }
    const std::wstring& operator[](ElementText text) const {
        return texts[static_cast<std::size_t>(text)];
    }
};

// Whether the window's element can be read from a point inside it or only as the window itself.
struct ElementRequest {
    std::uint64_t id = 0;  // rises with every request
    Hwnd window = 0;
    std::optional<Point> point;  // screen pixels; none: the window's own element
};

enum class ElementOutcome {
    Read,           // element holds what the provider told
    None,           // the provider told nothing: no element there, or both interfaces failed
    NotResponding,  // no answer within the time a provider is given
};

struct ElementAnswer {
    std::uint64_t request = 0;
    ElementOutcome outcome = ElementOutcome::None;
    AccessibleElement element;
};

// Told each answer on the user-interface thread, one at a time, in the order they arrive.
class ElementAnswers {
  public:
    virtual void ElementAnswered(const ElementAnswer& answer) = 0;

  protected:
    ~ElementAnswers() = default;
};

// Reads elements on a thread of its own. Request returns at once; a request made while another
// is still waiting to be read replaces it, so that at most one is read and one waits. Each
// request is answered once, unless a newer one replaced it before it was read. A provider that
// does not answer within kElementAnswerMilliseconds is answered NotResponding, and the thread it
// hangs on is left behind: the next request is read on a new one.
inline constexpr std::uint32_t kElementAnswerMilliseconds = 500;

class ElementReader {
  public:
    // Answers go to answers, which must outlive the reader's use.
    virtual void Request(const ElementRequest& request, ElementAnswers& answers) = 0;

  protected:
    ~ElementReader() = default;
};

// The two interfaces an element is read through, called on the reading thread. Each fills what
// the provider tells and returns false when the interface is missing or failed for the request.
class ElementSources {
  public:
    virtual bool ReadWithUiAutomation(const ElementRequest& request,
                                      AccessibleElement& element) = 0;
    virtual bool ReadWithActiveAccessibility(const ElementRequest& request,
                                             AccessibleElement& element) = 0;

  protected:
    ~ElementSources() = default;
};

}  // namespace tarnwick
