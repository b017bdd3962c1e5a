#include "details/detail_rows.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "app/number_text.h"
#include "details/row_text.h"
#include "details/style_names.h"
#include "main_window/window_record.h"
#include "platform/ascii_text.h"

namespace tarnwick {

namespace {

constexpr std::uint32_t kWsExTopmost = 0x00000008;
constexpr std::uint32_t kDefaultDpi = 96;

// Names kept as plain ASCII: RowText widens them.
const char* AwarenessText(DpiAwareness awareness) {
    constexpr const char* kNames[] = {
        "", "unaware", "system", "per-monitor", "per-monitor v2", "unaware (GDI scaled)"};
    return kNames[static_cast<std::size_t>(awareness)];
}

const char* ArchitectureText(ProcessArchitecture architecture) {
    constexpr const char* kNames[] = {"", "x86", "x64", "ARM64"};
    return kNames[static_cast<std::size_t>(architecture)];
}

const char* IntegrityText(IntegrityLevel level) {
    constexpr const char* kNames[] = {"",       "access denied", "Untrusted", "Low",
                                      "Medium", "High",          "System",    "AppContainer"};
    return kNames[static_cast<std::size_t>(level)];
}

// What each row shows, in the order shown.
enum class Field {
    Handle,
    Class,
    Title,
    ControlId,
    ClassNN,
    Style,
    ExtendedStyle,
    ClassStyle,
    State,
    WindowRect,
    ClientRect,
    RectInParent,
    VisibleFrame,
    Monitor,
    Dpi,
    DpiAwareness,
    LogicalRect,
    Process,
    Path,
    ThreadId,
    Architecture,
    Integrity,
    Parent,
    Owner,
    Root,
    RootOwner,
    PreviousSibling,
    NextSibling,
    FirstChild,
    Children,
    Screen,
    InWindow,
    InClient,
    Colour,
};

struct RowName {
    const wchar_t* heading;
    const char* name;  // plain ASCII
    Field field;
};

// Every row, in the order of Field. Read at compile time only: the program keeps the table packed
// (kPackedRows).
constexpr RowName kRowNames[] = {
    {kHeadingWindow, "Handle", Field::Handle},
    {kHeadingWindow, "Class", Field::Class},
    {kHeadingWindow, "Title", Field::Title},
    {kHeadingWindow, "Control ID", Field::ControlId},
    {kHeadingWindow, "ClassNN", Field::ClassNN},
    {kHeadingWindow, "Style", Field::Style},
    {kHeadingWindow, "Extended style", Field::ExtendedStyle},
    {kHeadingWindow, "Class style", Field::ClassStyle},
    {kHeadingWindow, "State", Field::State},
    {kHeadingGeometry, "Window rect", Field::WindowRect},
    {kHeadingGeometry, "Client rect", Field::ClientRect},
    {kHeadingGeometry, "Rect in parent", Field::RectInParent},
    {kHeadingGeometry, "Visible frame", Field::VisibleFrame},
    {kHeadingGeometry, "Monitor", Field::Monitor},
    {kHeadingGeometry, "DPI", Field::Dpi},
    {kHeadingGeometry, "DPI awareness", Field::DpiAwareness},
    {kHeadingGeometry, "Logical rect", Field::LogicalRect},
    {kHeadingProcess, "Process", Field::Process},
    {kHeadingProcess, "Path", Field::Path},
    {kHeadingProcess, "Thread ID", Field::ThreadId},
    {kHeadingProcess, "Architecture", Field::Architecture},
    {kHeadingProcess, "Integrity", Field::Integrity},
    {kHeadingRelations, "Parent", Field::Parent},
    {kHeadingRelations, "Owner", Field::Owner},
    {kHeadingRelations, "Root", Field::Root},
    {kHeadingRelations, "Root owner", Field::RootOwner},
    {kHeadingRelations, "Previous sibling", Field::PreviousSibling},
    {kHeadingRelations, "Next sibling", Field::NextSibling},
    {kHeadingRelations, "First child", Field::FirstChild},
    {kHeadingRelations, "Children", Field::Children},
    {kHeadingPointer, "Screen", Field::Screen},
    {kHeadingPointer, "In window", Field::InWindow},
    {kHeadingPointer, "In client", Field::InClient},
    {kHeadingPointer, "Colour", Field::Colour},
};
constexpr std::size_t kRowCount = std::size(kRowNames);

constexpr const wchar_t* kHeadings[] = {kHeadingWindow, kHeadingGeometry, kHeadingProcess,
                                        kHeadingRelations, kHeadingPointer};

// The window each relation row names, from Field::Parent on.
constexpr const RelatedWindow WindowFacts::*kRelations[] = {
    &WindowFacts::parent,     &WindowFacts::owner,           &WindowFacts::root,
    &WindowFacts::rootOwner,  &WindowFacts::previousSibling, &WindowFacts::nextSibling,
    &WindowFacts::firstChild,
};
static_assert(std::size(kRelations) == static_cast<std::size_t>(Field::FirstChild) -
                                           static_cast<std::size_t>(Field::Parent) + 1);

constexpr std::size_t NameCharacters() {
    std::size_t characters = 0;
    for (const RowName& row : kRowNames) {
        characters += std::string_view(row.name).size() + 1;
    }
    return characters;
}

// The rows as the program keeps them: each row's heading as its place in kHeadings, and the names
// one after another, each ended by '\0'. Wide names with a pointer each would take four times
// the room.
struct PackedRows {
    std::uint8_t headings[kRowCount];
    char names[NameCharacters()];
};

// Stops the compilation where a row is out of the order of Field or has a heading not in
// kHeadings.
constexpr PackedRows Pack() {
    PackedRows packed{};
    std::size_t at = 0;
    for (std::size_t i = 0; i < kRowCount; ++i) {
        const RowName& row = kRowNames[i];
        const auto heading = std::find(std::begin(kHeadings), std::end(kHeadings), row.heading);
        if (row.field != static_cast<Field>(i) || heading == std::end(kHeadings)) {
            throw "a row out of order or without a heading";
        }
        packed.headings[i] = static_cast<std::uint8_t>(heading - std::begin(kHeadings));
        const std::string_view name = row.name;
        at += name.copy(packed.names + at, name.size());
        packed.names[at++] = '\0';
    }
    return packed;
}

constexpr PackedRows kPackedRows = Pack();

void WriteOptionalRect(RowText& text, const std::optional<Rect>& rect) {
    if (rect) {
        text.Rectangle(*rect);
    }
}

void WriteState(RowText& text, const WindowFacts& facts) {
    text << (facts.state.visible ? "visible" : "hidden")
         << (facts.state.enabled ? ", enabled" : ", disabled");
    if (facts.state.minimized) {
        text << ", minimized";
    }
    if (facts.state.maximized) {
        text << ", maximized";
    }
    if (facts.cloaked.value_or(false)) {
        text << ", cloaked";
    }
    if ((facts.exStyle & kWsExTopmost) != 0) {
        text << ", topmost";
    }
}

void WriteColour(RowText& text, ColorRef colour) {
    const auto c = static_cast<std::uint32_t>(colour);
    const std::uint32_t parts[] = {c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF};
    (text << "RGB(").Unsigned(parts[0]) << ", ";
    text.Unsigned(parts[1]) << ", ";
    text.Unsigned(parts[2]) << ") #";
    constexpr char kDigits[] = "0123456789ABCDEF";
    for (const std::uint32_t part : parts) {
        const char two[] = {kDigits[part >> 4], kDigits[part & 0xF], '\0'};
        text << two;
    }
}

// The row's value. Rows that describe the window itself stay empty for a window that is gone.
void WriteValue(RowText& text, Field field, const WindowFacts& facts,
                const std::optional<PointerReading>& pointer) {
    const bool exists = facts.exists;
    switch (field) {
        case Field::Handle:
            text.Handle(facts.handle);
            return;
        case Field::Class:
            text << facts.className;
            return;
        case Field::Title:
            text << facts.title;
            return;
        case Field::ControlId:
            if (exists && !facts.child) {
                text << "none (top-level window)";
            } else if (exists) {
                text.Number(facts.controlId) << " (0x";
                text.HexNumber(static_cast<std::uint32_t>(facts.controlId)) << ")";
            }
            return;
        case Field::ClassNN:
            text << facts.classNN;
            return;
        case Field::Style:
            if (exists) {
                text << StyleText(facts.style, facts.className);
            }
            return;
        case Field::ExtendedStyle:
            if (exists) {
                text << ExtendedStyleText(facts.exStyle);
            }
            return;
        case Field::ClassStyle:
            if (exists) {
                text << ClassStyleText(facts.classStyle);
            }
            return;
        case Field::State:
            if (exists) {
                WriteState(text, facts);
            }
            return;
        case Field::WindowRect:
            if (exists) {
                text.Rectangle(facts.windowRect);
            }
            return;
        case Field::ClientRect:
            return WriteOptionalRect(text, facts.clientRect);
        case Field::RectInParent:
            return WriteOptionalRect(text, facts.rectInParent);
        case Field::VisibleFrame:
            return WriteOptionalRect(text, facts.visibleFrame);
        case Field::Monitor:
            if (facts.monitor) {
                text << facts.monitor->deviceName << " ";
                text.Rectangle(facts.monitor->rect);
                if (facts.monitor->dpi != 0) {
                    (text << ", ").Unsigned(facts.monitor->dpi) << " DPI";
                }
            }
            return;
        case Field::Dpi:
            if (facts.dpi != 0) {
                text.Unsigned(facts.dpi) << " (";
                text.Unsigned((std::uint64_t{facts.dpi} * 100 + kDefaultDpi / 2) / kDefaultDpi)
                    << "%)";
            }
            return;
        case Field::DpiAwareness:
            text << AwarenessText(facts.awareness);
            return;
        case Field::LogicalRect:
            return WriteOptionalRect(text, facts.logicalRect);
        case Field::Process:
            text << facts.process;
            return;
        case Field::Path:
            text << facts.path;
            return;
        case Field::ThreadId:
            if (facts.threadId != 0) {
                text.Unsigned(facts.threadId);
            }
            return;
        case Field::Architecture:
            text << ArchitectureText(facts.architecture);
            return;
        case Field::Integrity:
            text << IntegrityText(facts.integrity);
            return;
        case Field::Parent:
        case Field::Owner:
        case Field::Root:
        case Field::RootOwner:
        case Field::PreviousSibling:
        case Field::NextSibling:
        case Field::FirstChild:
            if (exists) {
                text.Related(facts.*kRelations[static_cast<std::size_t>(field) -
                                               static_cast<std::size_t>(Field::Parent)]);
            }
            return;
        case Field::Children:
            if (exists) {
                text.Unsigned(facts.children) << (facts.childrenCounted ? "" : " or more");
            }
            return;
        case Field::Screen:
            if (pointer) {
                text.Point(pointer->screen.x, pointer->screen.y);
            }
            return;
        case Field::InWindow:
            if (pointer && exists) {
                text.Point(std::int64_t{pointer->screen.x} - facts.windowRect.left,
                           std::int64_t{pointer->screen.y} - facts.windowRect.top);
            }
            return;
        case Field::InClient:
            if (pointer && facts.clientRect) {
                text.Point(std::int64_t{pointer->screen.x} - facts.clientRect->left,
                           std::int64_t{pointer->screen.y} - facts.clientRect->top);
            }
            return;
        case Field::Colour:
            if (pointer && pointer->colour) {
                WriteColour(text, *pointer->colour);
            }
            return;
    }
}

}  // namespace

std::vector<ListRow> DetailRows(const WindowFacts& facts,
                                const std::optional<PointerReading>& pointer) {
    std::vector<ListRow> rows;
    rows.reserve(kRowCount);
    const char* name = kPackedRows.names;
    for (std::size_t i = 0; i < kRowCount; ++i, name += std::char_traits<char>::length(name) + 1) {
        RowText text;
        WriteValue(text, static_cast<Field>(i), facts, pointer);
        // Texts of other programs may hold anything; a row stays on one line.
        rows.push_back({kHeadings[kPackedRows.headings[i]], Widened(name), OnOneLine(text.Take())});
    }
    return rows;
}

namespace {

// "#1" for the topmost window of the stack.
std::wstring StackRowName(std::size_t at) {
    RowText name;
    (name << "#").Unsigned(at + 1);
    return name.Take();
}

}  // namespace

std::vector<ListRow> StackRows(const std::vector<StackEntry>& stack, Hwnd shown) {
    std::vector<ListRow> rows;
    for (std::size_t at = 0; at < stack.size(); ++at) {
        const StackEntry& entry = stack[at];
        RowText text;
        text.Related(entry.window) << (entry.cloaked ? " (cloaked)" : "")
                                   << (entry.window.handle == shown ? " (on display)" : "");
        rows.push_back({kHeadingStack, StackRowName(at), OnOneLine(text.Take())});
    }
    return rows;
}

Hwnd RowTarget(const WindowFacts& facts, const std::vector<StackEntry>& stack, const ListRow& row) {
    if (row.heading == kHeadingStack) {
        for (std::size_t at = 0; at < stack.size(); ++at) {
            if (row.name == StackRowName(at)) {
                return stack[at].window.handle;
            }
        }
        return 0;
    }
    if (row.heading != kHeadingRelations || !facts.exists) {
        return 0;
    }
    const char* name = kPackedRows.names;
    for (std::size_t i = 0; i < kRowCount; ++i, name += std::char_traits<char>::length(name) + 1) {
        const auto field = static_cast<Field>(i);
        if (field >= Field::Parent && field <= Field::FirstChild && row.name == Widened(name)) {
            return (facts.*kRelations[i - static_cast<std::size_t>(Field::Parent)]).handle;
        }
    }
    return 0;
}

std::wstring RowsText(std::span<const ListRow> rows) {
    std::wstring text;
    for (const ListRow& row : rows) {
        text.append(row.name).append(L": ").append(row.value).append(L"\r\n");
    }
    return text;
}

}  // namespace tarnwick
