#include "platform/win32/list_control.h"

#include <algorithm>
#include <string>

#include "platform/win32/win32_form.h"

namespace tarnwick::win32 {

namespace {

// Heading rows, where the list has no groups, carry this in place of a row's number.
constexpr LPARAM kHeadingRow = -1;
constexpr int kNarrowestLastColumn = 60;

bool HasGroups(HWND list) {
    return ::SendMessageW(list, LVM_ISGROUPVIEWENABLED, 0, 0) != FALSE;
}

// The second column of the item.
void SetValueText(HWND list, int item, const wchar_t* value) {
    LVITEMW text{};
    text.iSubItem = 1;
    text.pszText = const_cast<wchar_t*>(value);
    ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(item),
                   reinterpret_cast<LPARAM>(&text));
}

void InsertItem(HWND list, int at, LPARAM row, int group, const wchar_t* name,
                const wchar_t* value) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM | (group > 0 ? LVIF_GROUPID : 0);
    item.iItem = at;
    item.pszText = const_cast<wchar_t*>(name);
    item.lParam = row;
    item.iGroupId = group;
    const auto index =
        static_cast<int>(::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (index >= 0) {
        SetValueText(list, index, value);
    }
}

// The list's item that shows the row, or -1.
int ItemOfRow(HWND list, std::size_t row) {
    LVFINDINFOW find{};
    find.flags = LVFI_PARAM;
    find.lParam = static_cast<LPARAM>(row);
    return static_cast<int>(::SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(&find)));
}

void Rebuild(HWND list, std::span<const ListRow> rows) {
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    ::SendMessageW(list, LVM_REMOVEALLGROUPS, 0, 0);
    const bool groups = HasGroups(list);
    int group = 0;
    int at = 0;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const std::wstring& heading = rows[row].heading;
        if (row == 0 || heading != rows[row - 1].heading) {
            ++group;
            if (groups) {
                LVGROUP header{};
                header.cbSize = sizeof header;
                header.mask = LVGF_HEADER | LVGF_GROUPID;
                header.pszHeader = const_cast<wchar_t*>(heading.c_str());
                header.iGroupId = group;
                ::SendMessageW(list, LVM_INSERTGROUP, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(&header));
            } else {
                std::wstring headingRow = L"[";
                headingRow.append(heading).append(L"]");
                InsertItem(list, at++, kHeadingRow, 0, headingRow.c_str(), L"");
            }
        }
        InsertItem(list, at++, static_cast<LPARAM>(row), groups ? group : 0, rows[row].name.c_str(),
                   rows[row].value.c_str());
    }
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
}

// Selects or clears the item; -1 for every item.
void SetSelected(HWND list, int item, bool selected) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = selected ? LVIS_SELECTED : 0;
    ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item),
                   reinterpret_cast<LPARAM>(&state));
}

bool SameRow(const ListRow& a, const ListRow& b) {
    return a.heading == b.heading && a.name == b.name;
}

bool SameShape(std::span<const ListRow> a, std::span<const ListRow> b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameRow);
}

}  // namespace

HWND CreateListControl(HWND parent, HMENU id, const wchar_t* const* columns) {
    const HWND list =
        ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, nullptr,
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0,
                          0, 0, parent, id, ::GetModuleHandleW(nullptr), nullptr);
    if (list == nullptr) {
        return nullptr;
    }
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                   LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP | LVS_EX_DOUBLEBUFFER);
    for (std::size_t i = 0; columns != nullptr && columns[i] != nullptr; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<wchar_t*>(columns[i]);  // only read when inserting
        column.cx = 100;
        column.iSubItem = static_cast<int>(i);
        ::SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    // Without the common controls' groups the headings are rows of their own.
    ::SendMessageW(list, LVM_ENABLEGROUPVIEW, TRUE, 0);
    return list;
}

void FitListColumns(HWND list) {
    const HWND header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int columns =
        header != nullptr ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    if (columns < 2) {
        return;
    }
    ::SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE_USEHEADER);
    RECT client{};
    ::GetClientRect(list, &client);
    const auto first = static_cast<int>(::SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
    const int rest = std::max<int>(kNarrowestLastColumn, client.right - first);
    ::SendMessageW(list, LVM_SETCOLUMNWIDTH, 1, rest);
}

void Win32Form::SetListRows(ControlId list, std::span<const ListRow> rows) {
    Control& control = At(list);
    if (!SameShape(rows, control.rows)) {
        // Rows come and go (an answer that arrives late adds a group): the rows selected stay
        // selected where the new rows have them, by heading and name.
        std::vector<ListRow> selected;
        for (const int row : SelectedListRows(list)) {
            selected.push_back(control.rows[static_cast<std::size_t>(row)]);
        }
        Rebuild(control.hwnd, rows);
        for (std::size_t row = 0; row < rows.size(); ++row) {
            for (const ListRow& each : selected) {
                const int item = SameRow(each, rows[row]) ? ItemOfRow(control.hwnd, row) : -1;
                if (item >= 0) {
                    SetSelected(control.hwnd, item, true);
                }
            }
        }
        control.rows.clear();
        for (const ListRow& row : rows) {
            control.rows.push_back(row);
        }
        FitListColumns(control.hwnd);
        return;
    }
    // Only the values that changed are written: the selection and the scroll position stay.
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (rows[row].value == control.rows[row].value) {
            continue;
        }
        control.rows[row].value = rows[row].value;
        const int item = ItemOfRow(control.hwnd, row);
        if (item >= 0) {
            SetValueText(control.hwnd, item, rows[row].value.c_str());
        }
    }
}

std::vector<int> Win32Form::SelectedListRows(ControlId list) {
    const HWND hwnd = At(list).hwnd;
    std::vector<int> rows;
    int item = -1;
    while ((item = static_cast<int>(::SendMessageW(hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(item),
                                                   LVNI_SELECTED))) >= 0) {
        LVITEMW each{};
        each.mask = LVIF_PARAM;
        each.iItem = item;
        if (::SendMessageW(hwnd, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&each)) &&
            each.lParam != kHeadingRow) {
            rows.push_back(static_cast<int>(each.lParam));
        }
    }
    // Items are in the order of the rows, so the rows come out in order.
    return rows;
}

void Win32Form::SelectAllListRows(ControlId list) {
    SetSelected(At(list).hwnd, -1, true);
}

}  // namespace tarnwick::win32
