#include "tests/fake/fake_window_queries.h"

#include <algorithm>

namespace tarnwick::fake {

void FakeWindowQueries::Record(const char* call, std::int64_t argument) {
    log_.Record(std::string(call) + "(" + Num(static_cast<double>(argument)) + ")");
}

FakeWindowDetails FakeWindowQueries::DetailsOf(Hwnd window) const {
    const auto found = details.find(window);
    return found != details.end() ? found->second : FakeWindowDetails{};
}

std::vector<Hwnd> FakeWindowQueries::ChildrenOf(Hwnd window) const {
    std::vector<Hwnd> children;
    for (const auto& [handle, each] : win32_.windows) {
        if (each.parent == window && (each.style & 0x40000000) != 0) {
            children.push_back(handle);
        }
    }
    return children;
}

bool FakeWindowQueries::IsWindow(Hwnd window) {
    Record("IsWindow", window);
    return win32_.windows.contains(window);
}

std::uint32_t FakeWindowQueries::GetClassStyle(Hwnd window) {
    Record("GetClassStyle", window);
    return DetailsOf(window).classStyle;
}

WindowStateFlags FakeWindowQueries::GetStateFlags(Hwnd window) {
    Record("GetStateFlags", window);
    return DetailsOf(window).state;
}

std::optional<bool> FakeWindowQueries::IsCloaked(Hwnd window) {
    Record("IsCloaked", window);
    return DetailsOf(window).cloaked;
}

bool FakeWindowQueries::GetClientRectOnScreen(Hwnd window, Rect& rect) {
    Record("GetClientRectOnScreen", window);
    const std::optional<Rect> client = DetailsOf(window).clientRect;
    if (!win32_.windows.contains(window) || !client) {
        return false;
    }
    rect = *client;
    return true;
}

Hwnd FakeWindowQueries::GetRelative(Hwnd window, Relation relation) {
    Record("GetRelative", window);
    if (window == win32_.desktopWindow) {
        return relation == Relation::FirstChild && !zOrder.empty() ? zOrder.front() : 0;
    }
    const auto found = win32_.windows.find(window);
    if (found == win32_.windows.end()) {
        return 0;
    }
    const bool child = (found->second.style & 0x40000000) != 0;
    const Hwnd parent = child ? found->second.parent : 0;
    switch (relation) {
        case Relation::Owner:
            return child ? 0 : DetailsOf(window).owner;
        case Relation::FirstChild: {
            const std::vector<Hwnd> children = ChildrenOf(window);
            return children.empty() ? 0 : children.front();
        }
        case Relation::PreviousSibling:
        case Relation::NextSibling: {
            const std::vector<Hwnd> siblings = child ? ChildrenOf(parent) : zOrder;
            const auto at = std::find(siblings.begin(), siblings.end(), window);
            if (at == siblings.end()) {
                return 0;
            }
            if (relation == Relation::PreviousSibling) {
                return at == siblings.begin() ? 0 : *(at - 1);
            }
            return at + 1 == siblings.end() ? 0 : *(at + 1);
        }
        case Relation::Root:
        case Relation::RootOwner: {
            Hwnd root = window;
            while (win32_.windows.contains(root) &&
                   (win32_.windows.at(root).style & 0x40000000) != 0 &&
                   win32_.windows.at(root).parent != 0) {
                root = win32_.windows.at(root).parent;
            }
            if (relation == Relation::RootOwner) {
                while (DetailsOf(root).owner != 0) {
                    root = DetailsOf(root).owner;
                }
            }
            return root;
        }
    }
    return 0;
}

std::vector<Hwnd> FakeWindowQueries::EnumDescendants(Hwnd window, std::size_t limit) {
    Record("EnumDescendants", window);
    std::vector<Hwnd> found;
    // Depth first, each window before its own children, as EnumChildWindows visits them.
    const auto visit = [&](const auto& self, Hwnd parent) -> void {
        for (const Hwnd child : ChildrenOf(parent)) {
            if (found.size() == limit) {
                return;
            }
            found.push_back(child);
            self(self, child);
        }
    };
    visit(visit, window);
    return found;
}

bool FakeWindowQueries::GetMonitor(Hwnd window, MonitorDescription& description) {
    Record("GetMonitor", window);
    if (!monitor) {
        return false;
    }
    description = *monitor;
    return true;
}

std::uint32_t FakeWindowQueries::GetDpiForWindow(Hwnd window) {
    Record("GetDpiForWindow", window);
    return DetailsOf(window).dpi;
}

DpiAwareness FakeWindowQueries::GetDpiAwareness(Hwnd window) {
    Record("GetDpiAwareness", window);
    return DetailsOf(window).awareness;
}

bool FakeWindowQueries::GetLogicalWindowRect(Hwnd window, Rect& rect) {
    Record("GetLogicalWindowRect", window);
    const auto found = win32_.windows.find(window);
    if (found == win32_.windows.end()) {
        return false;
    }
    rect = DetailsOf(window).logicalRect.value_or(found->second.rect);
    return true;
}

ProcessArchitecture FakeWindowQueries::GetProcessArchitecture(KernelHandle process) {
    Record("GetProcessArchitecture", process);
    return architecture;
}

IntegrityLevel FakeWindowQueries::GetProcessIntegrity(KernelHandle process) {
    Record("GetProcessIntegrity", process);
    return integrity;
}

std::optional<ColorRef> FakeWindowQueries::GetScreenPixel(Point point) {
    log_.Record("GetScreenPixel(" + Num(point.x) + ", " + Num(point.y) + ")");
    return screenColour;
}

Point FakeWindowQueries::PointerAtLastMessage() {
    log_.Record("PointerAtLastMessage()");
    return win32_.cursor;
}

}  // namespace tarnwick::fake
