#include "copy_as/copy_as_menu.h"

#include <algorithm>
#include <iterator>

#include "copy_as/copy_as.h"

namespace tarnwick {

namespace {

constexpr const wchar_t* kBuiltInCaptions[] = {
    L"&AutoHotkey WinTitle",         L"AutoHotkey ahk_&id", L"&pywinauto (uia)",
    L"&XPath (WinAppDriver, FlaUI)", L"C++ &FindWindowEx",  L"&JSON",
};
constexpr std::int32_t kBuiltIns = static_cast<std::int32_t>(std::size(kBuiltInCaptions));
// The separator's id comes after the built-in entries' ids, the user's templates after it.
constexpr std::int32_t kFirstTemplate = kBuiltIns + 1;
constexpr std::int32_t kWsChild = 0x40000000;
// Ancestors followed up to the top-level window, at most: a loop in a broken window tree ends.
constexpr int kMostAncestors = 64;

CopyAsSubject SubjectOf(Win32Api& win32, const CopyAsSource& source) {
    const WindowFacts& facts = source.facts;
    CopyAsSubject subject;
    // From the window up to its top-level window, then turned round.
    subject.chain.push_back({facts.handle, facts.className, facts.title});
    Hwnd at = facts.handle;
    bool child = facts.child;
    for (int depth = 0; child && depth < kMostAncestors; ++depth) {
        at = win32.GetParent(at);
        if (at == 0) {
            break;
        }
        RelatedWindow parent = DescribeWindow(win32, at);
        subject.chain.push_back({at, std::move(parent.className), std::move(parent.title)});
        child = (win32.GetWindowLong(at, kGwlStyle) & kWsChild) != 0;
    }
    std::reverse(subject.chain.begin(), subject.chain.end());
    // The path names the image, or says in brackets why there is none.
    const std::size_t separator = facts.path.find_last_of(L"\\/");
    if (separator != std::wstring::npos) {
        subject.imageName = facts.path.substr(separator + 1);
    }
    subject.processId = facts.processId;
    subject.classNN = facts.classNN;
    subject.controlId = facts.child ? facts.controlId : 0;
    if (source.element && source.element->outcome == ElementOutcome::Read) {
        subject.element = &source.element->element;
    }
    return subject;
}

// One object: the main display's fields, then every row of the Details window under its heading
// ("details": {"window": {"handle": ..., ...}, ...}); a row without a value is null.
std::wstring JsonOf(const CopyAsSource& source) {
    const WindowFacts& facts = source.facts;
    JsonText json;
    json.BeginObject();
    json.Number("handle", facts.handle);
    json.String("class", facts.className);
    json.String("title", facts.title);
    json.BeginObject("rect");
    json.Number("left", facts.windowRect.left);
    json.Number("top", facts.windowRect.top);
    json.Number("right", facts.windowRect.right);
    json.Number("bottom", facts.windowRect.bottom);
    json.EndObject();
    json.Number("style", facts.style);
    json.Number("parent", facts.parent.handle);
    json.String("process", facts.process);
    json.Number("processId", facts.processId);
    json.BeginObject("details");
    const std::wstring* heading = nullptr;
    for (const ListRow& row : source.rows) {
        if (heading == nullptr || *heading != row.heading) {
            if (heading != nullptr) {
                json.EndObject();
            }
            heading = &row.heading;
            json.BeginObject(CamelCaseKey(row.heading));
        }
        const std::wstring key = CamelCaseKey(row.name);
        if (row.value.empty()) {
            json.Null(key);
        } else {
            json.String(key, row.value);
        }
    }
    if (heading != nullptr) {
        json.EndObject();
    }
    json.EndObject();
    json.EndObject();
    return json.Take();
}

}  // namespace

CopyAsMenu::CopyAsMenu(Win32Api& win32, std::wstring_view settingsFile)
    : win32_(win32), templates_(win32.GetPrivateProfileSection(kSectionCopyAs, settingsFile)) {
    while (templates_.size() > kMostCopyTemplates) {
        templates_.pop_back();
    }
}

void CopyAsMenu::AppendTo(std::vector<PopupMenuItem>& items, std::int32_t firstId) const {
    items.push_back({kPopupSubmenu, L"Cop&y as"});
    for (std::int32_t at = 0; at < kBuiltIns; ++at) {
        items.push_back({firstId + at, kBuiltInCaptions[at]});
    }
    if (!templates_.empty()) {
        items.push_back({firstId + kBuiltIns, L"-"});
    }
    std::int32_t id = firstId + kFirstTemplate;
    for (const ProfileEntry& entry : templates_) {
        items.push_back({id++, entry.key});
    }
    items.push_back({kPopupSubmenuEnd, L""});
}

bool CopyAsMenu::Holds(std::int32_t chosen, std::int32_t firstId) const {
    const std::int32_t entry = chosen - firstId;
    return (entry >= 0 && entry < kBuiltIns) ||
           (entry >= kFirstTemplate &&
            static_cast<std::size_t>(entry - kFirstTemplate) < templates_.size());
}

std::wstring CopyAsMenu::TextFor(std::int32_t chosen, std::int32_t firstId,
                                 const CopyAsSource& source) const {
    const std::int32_t entry = chosen - firstId;
    if (entry == kBuiltIns - 1) {
        return JsonOf(source);
    }
    const CopyAsSubject subject = SubjectOf(win32_, source);
    if (entry < kBuiltIns) {
        return CopyAsText(static_cast<CopyAsFormat>(entry), subject);
    }
    return ExpandCopyTemplate(templates_[static_cast<std::size_t>(entry - kFirstTemplate)].value,
                              subject);
}

}  // namespace tarnwick
