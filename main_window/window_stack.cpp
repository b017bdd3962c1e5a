#include "main_window/window_stack.h"

namespace tarnwick {

namespace {

bool Holds(const Rect& r, Point p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

class StackBuilder {
  public:
    StackBuilder(const Platform& platform, Point point, std::uint32_t ownProcess)
        : platform_(platform), point_(point), ownProcess_(ownProcess) {}

    std::vector<StackedWindow> Build() {
        const Hwnd desktop = platform_.win32.GetDesktopWindow();
        for (Hwnd top = Next(desktop, Relation::FirstChild); top != 0 && !Full();
             top = Next(top, Relation::NextSibling)) {
            if (Under(top) && !Own(top)) {
                Visit(top);
            }
        }
        return std::move(stack_);
    }

  private:
    // A window's children that hold the point, deepest first and each before its parent.
    void Visit(Hwnd window) {
        for (Hwnd child = Next(window, Relation::FirstChild); child != 0 && !Full();
             child = Next(child, Relation::NextSibling)) {
            if (Under(child)) {
                Visit(child);
            }
        }
        if (!Full()) {
            stack_.push_back({window, platform_.queries.IsCloaked(window).value_or(false)});
        }
    }

    // The next window of the walk; 0 once enough windows have been looked at.
    Hwnd Next(Hwnd window, Relation relation) {
        return ++looked_ > kWindowsLookedAt ? 0 : platform_.queries.GetRelative(window, relation);
    }

    bool Under(Hwnd window) {
        if (!platform_.queries.GetStateFlags(window).visible) {
            return false;
        }
        Rect rect{};
        return platform_.win32.GetWindowRect(window, rect) != 0 && Holds(rect, point_);
    }

    bool Own(Hwnd window) {
        std::uint32_t process = 0;
        platform_.win32.GetWindowThreadProcessId(window, process);
        return process == ownProcess_;
    }

    bool Full() const { return stack_.size() >= kStackLimit; }

    const Platform& platform_;
    Point point_;
    std::uint32_t ownProcess_;
    std::size_t looked_ = 0;
    std::vector<StackedWindow> stack_;
};

}  // namespace

std::vector<StackedWindow> WindowsAtPoint(const Platform& platform, Point point,
                                          std::uint32_t ownProcess) {
    return StackBuilder(platform, point, ownProcess).Build();
}

Hwnd NextInStack(const std::vector<StackedWindow>& stack, Hwnd shown) {
    if (stack.empty()) {
        return 0;
    }
    // A plain loop: the library's find_if is unrolled four times over, at four times the code.
    for (std::size_t at = 0; at + 1 < stack.size(); ++at) {
        if (stack[at].handle == shown) {
            return stack[at + 1].handle;
        }
    }
    return stack.front().handle;
}

}  // namespace tarnwick
