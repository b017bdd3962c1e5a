#include "details/detail_rows.h"

#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string_view>
#include <utility>

#include "app/number_text.h"
#include "details/style_names.h"
#include "main_window/window_record.h"
#include "platform/decimal_text.h"

namespace tarnwick {

namespace {

constexpr std::uint32_t kWsExTopmost = 0x00000008;
constexpr std::uint32_t kDefaultDpi = 96;

// One text of the parts in their order: built in one place rather than by a chain of
// concatenations at every row, which would cost the program far more code.
std::wstring Concat(std::initializer_list<std::wstring_view> parts) {
    std::wstring text;
    for (const std::wstring_view part : parts) {
        text.append(part);
    }
    return text;
}

std::wstring PointText(std::int64_t x, std::int64_t y) {
    return Concat({L"(", SignedDecimalText(x), L", ", SignedDecimalText(y), L")"});
}

std::wstring OptionalRect(const std::optional<Rect>& rect) {
    return rect ? RectWithSizeText(*rect) : std::wstring();
}

std::wstring RelatedText(const RelatedWindow& related) {
    if (related.handle == 0) {
        return L"none";
    }
    return Concat(
        {HandleText(related.handle), L" ", related.className, L" \"", related.title, L"\""});
}

std::wstring StateText(const WindowFacts& facts) {
    if (!facts.exists) {
        return {};
    }
    const auto word = [](bool set, const wchar_t* text) { return set ? text : L""; };
    return Concat({facts.state.visible ? L"visible" : L"hidden",
                   facts.state.enabled ? L", enabled" : L", disabled",
                   word(facts.state.minimized, L", minimized"),
                   word(facts.state.maximized, L", maximized"),
                   word(facts.cloaked.value_or(false), L", cloaked"),
                   word((facts.exStyle & kWsExTopmost) != 0, L", topmost")});
}

std::wstring MonitorText(const std::optional<MonitorDescription>& monitor) {
    if (!monitor) {
        return {};
    }
    const bool dpi = monitor->dpi != 0;
    return Concat({monitor->deviceName, L" ", RectWithSizeText(monitor->rect), dpi ? L", " : L"",
                   dpi ? DecimalText(monitor->dpi) : L"", dpi ? L" DPI" : L""});
}

std::wstring DpiText(std::uint32_t dpi) {
    if (dpi == 0) {
        return {};
    }
    const std::uint64_t percent = (std::uint64_t{dpi} * 100 + kDefaultDpi / 2) / kDefaultDpi;
    return Concat({DecimalText(dpi), L" (", DecimalText(percent), L"%)"});
}

std::wstring_view AwarenessText(DpiAwareness awareness) {
    switch (awareness) {
        case DpiAwareness::Unaware:
            return L"unaware";
        case DpiAwareness::System:
            return L"system";
        case DpiAwareness::PerMonitor:
            return L"per-monitor";
        case DpiAwareness::PerMonitorV2:
            return L"per-monitor v2";
        case DpiAwareness::UnawareGdiScaled:
            return L"unaware (GDI scaled)";
        case DpiAwareness::Unknown:
            break;
    }
    return {};
}

std::wstring_view ArchitectureText(ProcessArchitecture architecture) {
    switch (architecture) {
        case ProcessArchitecture::X86:
            return L"x86";
        case ProcessArchitecture::X64:
            return L"x64";
        case ProcessArchitecture::Arm64:
            return L"ARM64";
        case ProcessArchitecture::Unknown:
            break;
    }
    return {};
}

std::wstring_view IntegrityText(IntegrityLevel level) {
    switch (level) {
        case IntegrityLevel::AccessDenied:
            return L"access denied";
        case IntegrityLevel::Untrusted:
            return L"Untrusted";
        case IntegrityLevel::Low:
            return L"Low";
        case IntegrityLevel::Medium:
            return L"Medium";
        case IntegrityLevel::High:
            return L"High";
        case IntegrityLevel::System:
            return L"System";
        case IntegrityLevel::AppContainer:
            return L"AppContainer";
        case IntegrityLevel::Unknown:
            break;
    }
    return {};
}

std::wstring ControlIdText(const WindowFacts& facts) {
    if (!facts.exists) {
        return {};
    }
    if (!facts.child) {
        return L"none (top-level window)";
    }
    return Concat({SignedDecimalText(facts.controlId), L" (0x", Hex(facts.controlId), L")"});
}

std::wstring ChildrenText(const WindowFacts& facts) {
    if (!facts.exists) {
        return {};
    }
    return Concat({DecimalText(facts.children), facts.childrenCounted ? L"" : L" or more"});
}

// "RGB(51, 102, 153) #336699"; empty for no colour.
std::wstring ColourText(std::optional<ColorRef> colour) {
    if (!colour) {
        return {};
    }
    const auto c = static_cast<std::uint32_t>(*colour);
    const std::uint32_t r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    const auto two = [](std::uint32_t v) {
        const wchar_t digits[] = L"0123456789ABCDEF";
        return std::wstring{digits[v >> 4], digits[v & 0xF]};
    };
    return Concat({L"RGB(", DecimalText(r), L", ", DecimalText(g), L", ", DecimalText(b), L") #",
                   two(r), two(g), two(b)});
}

// The relation rows, by name, with the window each names.
struct RelationRow {
    const wchar_t* name;
    const RelatedWindow WindowFacts::*window;
};
constexpr RelationRow kRelationRows[] = {
    {L"Parent", &WindowFacts::parent},
    {L"Owner", &WindowFacts::owner},
    {L"Root", &WindowFacts::root},
    {L"Root owner", &WindowFacts::rootOwner},
    {L"Previous sibling", &WindowFacts::previousSibling},
    {L"Next sibling", &WindowFacts::nextSibling},
    {L"First child", &WindowFacts::firstChild},
};

struct RowName {
    const wchar_t* heading;
    const wchar_t* name;
};
// Every row in the order shown; the relation rows are those of kRelationRows.
constexpr RowName kRowNames[] = {
    {kHeadingWindow, L"Handle"},
    {kHeadingWindow, L"Class"},
    {kHeadingWindow, L"Title"},
    {kHeadingWindow, L"Control ID"},
    {kHeadingWindow, L"ClassNN"},
    {kHeadingWindow, L"Style"},
    {kHeadingWindow, L"Extended style"},
    {kHeadingWindow, L"Class style"},
    {kHeadingWindow, L"State"},
    {kHeadingGeometry, L"Window rect"},
    {kHeadingGeometry, L"Client rect"},
    {kHeadingGeometry, L"Rect in parent"},
    {kHeadingGeometry, L"Visible frame"},
    {kHeadingGeometry, L"Monitor"},
    {kHeadingGeometry, L"DPI"},
    {kHeadingGeometry, L"DPI awareness"},
    {kHeadingGeometry, L"Logical rect"},
    {kHeadingProcess, L"Process"},
    {kHeadingProcess, L"Path"},
    {kHeadingProcess, L"Thread ID"},
    {kHeadingProcess, L"Architecture"},
    {kHeadingProcess, L"Integrity"},
    {kHeadingRelations, L"Parent"},
    {kHeadingRelations, L"Owner"},
    {kHeadingRelations, L"Root"},
    {kHeadingRelations, L"Root owner"},
    {kHeadingRelations, L"Previous sibling"},
    {kHeadingRelations, L"Next sibling"},
    {kHeadingRelations, L"First child"},
    {kHeadingRelations, L"Children"},
    {kHeadingPointer, L"Screen"},
    {kHeadingPointer, L"In window"},
    {kHeadingPointer, L"In client"},
    {kHeadingPointer, L"Colour"},
};

}  // namespace

std::wstring HandleText(Hwnd window) {
    return Concat({L"0x", Hex(window), L" (", SignedDecimalText(window), L")"});
}

std::wstring RectWithSizeText(const Rect& r) {
    return Concat({PointText(r.left, r.top), L"-", PointText(r.right, r.bottom), L", ",
                   SignedDecimalText(std::int64_t{r.right} - r.left), L" x ",
                   SignedDecimalText(std::int64_t{r.bottom} - r.top)});
}

std::vector<ListRow> DetailRows(const WindowFacts& facts,
                                const std::optional<PointerReading>& pointer) {
    // The values in the order of kRowNames; the rows are made from both in one place.
    std::vector<std::wstring> values;
    values.reserve(std::size(kRowNames));
    const bool exists = facts.exists;
    const auto add = [&](std::wstring value, bool shown = true) {
        values.push_back(shown ? std::move(value) : std::wstring());
    };

    add(HandleText(facts.handle));
    add(facts.className);
    add(facts.title);
    add(ControlIdText(facts));
    add(facts.classNN);
    add(StyleText(facts.style, facts.className), exists);
    add(ExtendedStyleText(facts.exStyle), exists);
    add(ClassStyleText(facts.classStyle), exists);
    add(StateText(facts));

    add(RectWithSizeText(facts.windowRect), exists);
    add(OptionalRect(facts.clientRect));
    add(OptionalRect(facts.rectInParent));
    add(OptionalRect(facts.visibleFrame));
    add(MonitorText(facts.monitor));
    add(DpiText(facts.dpi));
    add(std::wstring(AwarenessText(facts.awareness)));
    add(OptionalRect(facts.logicalRect));

    add(facts.process);
    add(facts.path);
    add(DecimalText(facts.threadId), facts.threadId != 0);
    add(std::wstring(ArchitectureText(facts.architecture)));
    add(std::wstring(IntegrityText(facts.integrity)));

    for (const RelationRow& relation : kRelationRows) {
        add(RelatedText(facts.*relation.window), exists);
    }
    add(ChildrenText(facts));

    const Point p = pointer ? pointer->screen : Point{};
    add(PointText(p.x, p.y), pointer.has_value());
    add(PointText(std::int64_t{p.x} - facts.windowRect.left,
                  std::int64_t{p.y} - facts.windowRect.top),
        pointer && exists);
    const Rect client = facts.clientRect.value_or(Rect{});
    add(PointText(std::int64_t{p.x} - client.left, std::int64_t{p.y} - client.top),
        pointer && facts.clientRect);
    add(ColourText(pointer ? pointer->colour : std::nullopt));

    std::vector<ListRow> rows;
    rows.reserve(values.size());
    for (std::size_t row = 0; row < values.size(); ++row) {
        // Texts of other programs may hold anything; a row stays on one line.
        rows.push_back({kRowNames[row].heading, kRowNames[row].name, OnOneLine(values[row])});
    }
    return rows;
}

std::vector<ListRow> StackRows(const std::vector<StackEntry>& stack, Hwnd shown) {
    std::vector<ListRow> rows;
    for (std::size_t at = 0; at < stack.size(); ++at) {
        const StackEntry& entry = stack[at];
        rows.push_back(
            {kHeadingStack, L"#" + DecimalText(at + 1),
             OnOneLine(Concat({RelatedText(entry.window), entry.cloaked ? L" (cloaked)" : L"",
                               entry.window.handle == shown ? L" (on display)" : L""}))});
    }
    return rows;
}

Hwnd RowTarget(const WindowFacts& facts, const std::vector<StackEntry>& stack, const ListRow& row) {
    if (row.heading == kHeadingStack) {
        for (std::size_t at = 0; at < stack.size(); ++at) {
            if (row.name == L"#" + DecimalText(at + 1)) {
                return stack[at].window.handle;
            }
        }
        return 0;
    }
    if (row.heading != kHeadingRelations || !facts.exists) {
        return 0;
    }
    for (const RelationRow& relation : kRelationRows) {
        if (row.name == relation.name) {
            return (facts.*relation.window).handle;
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
