#include "details/window_facts.h"

#include <algorithm>
#include <array>

#include "main_window/owner_process.h"
#include "platform/decimal_text.h"
#include "platform/physical_pixels.h"

namespace tarnwick {

namespace {

constexpr std::uint32_t kWsChild = 0x40000000;
// Class names have at most 256 characters; titles are taken as far as the main display takes
// them.
constexpr std::size_t kTextCapacity = 512;

// Texts are written into the strings that keep them: a returned string moved into its place
// costs the program code at every call.
void QueryText(Win32Api& win32, Hwnd window, bool title, std::wstring& text) {
    std::array<wchar_t, kTextCapacity> buffer{};
    const std::int32_t count =
        title ? win32.GetWindowText(window, buffer) : win32.GetClassName(window, buffer);
    // A count the buffer cannot hold is held in.
    const auto length = std::clamp<std::int32_t>(count, 0, kTextCapacity - 1);
    text.assign(buffer.data(), static_cast<std::size_t>(length));
}

void Describe(Win32Api& win32, Hwnd window, RelatedWindow& related) {
    related.handle = window;
    if (window != 0) {
        QueryText(win32, window, false, related.className);
        QueryText(win32, window, true, related.title);
    }
}

// The class name and the window's place among the top-level window's descendants of that class,
// in the order EnumChildWindows visits them: "Button3". Left empty where it cannot be counted.
void QueryClassNN(const Platform& platform, WindowFacts& facts) {
    const Hwnd window = facts.handle;
    const Hwnd root = platform.queries.GetRelative(window, Relation::Root);
    if (root == 0 || root == window) {
        return;
    }
    std::size_t position = 0;
    std::wstring className;
    for (const Hwnd each : platform.queries.EnumDescendants(root, kDescendantLimit)) {
        QueryText(platform.win32, each, false, className);
        if (className == facts.className) {
            ++position;
        }
        if (each == window) {
            facts.classNN.append(facts.className).append(DecimalText(position));
            return;
        }
    }
}

void QueryProcess(const Platform& platform, WindowFacts& facts) {
    Win32Api& win32 = platform.win32;
    facts.process = OwnerProcessText(win32, facts.handle);
    std::uint32_t processId = 0;
    facts.threadId = win32.GetWindowThreadProcessId(facts.handle, processId);
    facts.processId = processId;
    if (processId == 0) {
        return;
    }
    const KernelHandle process =
        win32.OpenProcess(kProcessQueryLimitedInformation, false, processId);
    if (process == 0) {
        const bool denied = win32.GetLastError() == kErrorAccessDenied;
        facts.path = denied ? L"(access denied)" : L"";
        facts.integrity = denied ? IntegrityLevel::AccessDenied : IntegrityLevel::Unknown;
        return;
    }
    facts.path = ProcessImagePath(win32, process);
    facts.architecture = platform.queries.GetProcessArchitecture(process);
    facts.integrity = platform.queries.GetProcessIntegrity(process);
    win32.CloseHandle(process);
}

void QueryRelations(const Platform& platform, WindowFacts& facts) {
    Win32Api& win32 = platform.win32;
    WindowQueries& queries = platform.queries;
    const Hwnd window = facts.handle;
    // The relatives as GetWindow and GetAncestor name them, each with its class and title.
    struct Relative {
        RelatedWindow WindowFacts::*field;
        Relation relation;
    };
    constexpr Relative kRelatives[] = {
        {&WindowFacts::owner, Relation::Owner},
        {&WindowFacts::root, Relation::Root},
        {&WindowFacts::rootOwner, Relation::RootOwner},
        {&WindowFacts::previousSibling, Relation::PreviousSibling},
        {&WindowFacts::nextSibling, Relation::NextSibling},
        {&WindowFacts::firstChild, Relation::FirstChild},
    };
    Describe(win32, facts.child ? win32.GetParent(window) : 0, facts.parent);
    for (const Relative& relative : kRelatives) {
        Describe(win32, queries.GetRelative(window, relative.relation), facts.*relative.field);
    }
    facts.children = 0;
    for (Hwnd child = facts.firstChild.handle; child != 0;
         child = queries.GetRelative(child, Relation::NextSibling)) {
        if (facts.children == kDescendantLimit) {
            facts.childrenCounted = false;
            break;
        }
        ++facts.children;
    }
}

void QueryGeometry(const Platform& platform, WindowFacts& facts) {
    Win32Api& win32 = platform.win32;
    WindowQueries& queries = platform.queries;
    const Hwnd window = facts.handle;
    win32.GetWindowRect(window, facts.windowRect);
    Rect rect{};
    if (queries.GetClientRectOnScreen(window, rect)) {
        facts.clientRect = rect;
    }
    if (facts.child) {
        Rect parentClient{};
        const Hwnd parent = win32.GetParent(window);
        if (parent != 0 && queries.GetClientRectOnScreen(parent, parentClient)) {
            const Rect& w = facts.windowRect;
            facts.rectInParent = Rect{w.left - parentClient.left, w.top - parentClient.top,
                                      w.right - parentClient.left, w.bottom - parentClient.top};
        }
    }
    if (win32.GetVisibleFrameBounds(window, rect)) {
        facts.visibleFrame = rect;
    }
    if (!queries.GetMonitor(window, facts.monitor.emplace())) {
        facts.monitor.reset();
    }
    facts.dpi = queries.GetDpiForWindow(window);
    facts.awareness = queries.GetDpiAwareness(window);
    if (queries.GetLogicalWindowRect(window, rect)) {
        facts.logicalRect = rect;
    }
}

}  // namespace

RelatedWindow DescribeWindow(Win32Api& win32, Hwnd window) {
    RelatedWindow related;
    Describe(win32, window, related);
    return related;
}

WindowFacts QueryWindowFacts(const Platform& platform, Hwnd window) {
    Win32Api& win32 = platform.win32;
    WindowQueries& queries = platform.queries;
    WindowFacts facts;
    facts.handle = window;
    facts.exists = window != 0 && queries.IsWindow(window);
    if (!facts.exists) {
        facts.process = OwnerProcessText(win32, window);
        return facts;
    }
    // Every rectangle in the physical pixels of the window's monitor, as the main display has
    // them.
    const PhysicalPixels physical(win32);
    QueryText(win32, window, false, facts.className);
    QueryText(win32, window, true, facts.title);
    facts.style = static_cast<std::uint32_t>(win32.GetWindowLong(window, kGwlStyle));
    facts.exStyle = static_cast<std::uint32_t>(win32.GetWindowLong(window, kGwlExStyle));
    facts.child = (facts.style & kWsChild) != 0;
    if (facts.child) {
        facts.controlId = win32.GetWindowLong(window, kGwlId);
        QueryClassNN(platform, facts);
    }
    facts.classStyle = queries.GetClassStyle(window);
    facts.state = queries.GetStateFlags(window);
    facts.cloaked = queries.IsCloaked(window);
    QueryGeometry(platform, facts);
    QueryProcess(platform, facts);
    QueryRelations(platform, facts);
    return facts;
}

}  // namespace tarnwick
