#include "details/frmDetails.h"

#include <string>

#include "app/settings.h"
#include "copy_as/copy_as_menu.h"
#include "details/frmDetails_controls.h"
#include "element/element_rows.h"
#include "main_window/clipboard.h"
#include "placement/modPosition.h"
#include "platform/physical_pixels.h"

namespace tarnwick {

using namespace frmDetailsControls;

namespace {

constexpr std::int32_t kMenuCopyValue = 1;
constexpr std::int32_t kMenuCopyAll = 2;
constexpr std::int32_t kMenuCopyAsFirst = 10;

}  // namespace

frmDetails::frmDetails(Platform platform, DetailsHost& host)
    : platform_(platform),
      host_(host),
      form_(platform.app.CreateForm(DetailsFormDesign(), *this)) {}

void frmDetails::Click(ControlId control) {
    switch (control) {
        case key_Activate:
            return key_Activate_Click();
        case key_Close:
            return form_->Unload();
        case key_Parent:
            return Navigate(facts_->parent.handle);
        case key_FirstChild:
            return Navigate(facts_->firstChild.handle);
        case key_PreviousSibling:
            return Navigate(facts_->previousSibling.handle);
        case key_NextSibling:
            return Navigate(facts_->nextSibling.handle);
        case key_SelectAll:
            return form_->SelectAllListRows(lst_Properties);
        case key_Copy:
            return key_Copy_Click();
        default:
            return;
    }
}

void frmDetails::DblClick(ControlId control) {
    if (control == lst_Properties) {
        key_Activate_Click();
    }
}

void frmDetails::ContextMenu(ControlId control, const ContextMenuArgs& args) {
    if (control == lst_Properties || args.fromKeyboard) {
        lst_Properties_ContextMenu(args);
    }
}

void frmDetails::Form_Load() {
    // The size the user gave the window, then the place, as the main window's is restored.
    const auto read = [&](const wchar_t* key) {
        return platform_.win32.GetPrivateProfileInt(kSectionDetails, key, -1, g_IniFile);
    };
    const std::int32_t width = read(kKeyWidth);
    const std::int32_t height = read(kKeyHeight);
    if (width > 0 && height > 0) {
        form_->Set(kThisForm, Dim::Width, static_cast<float>(width));
        form_->Set(kThisForm, Dim::Height, static_cast<float>(height));
    }
    modPosition::RestoreFormPosition(*form_, platform_, kSectionDetails);
    if (width < 0) {
        // Never placed by the user: beside the main window rather than over it, on its right
        // where the screen has room, else on its left.
        Form& main = host_.MainForm();
        const float mainLeft = main.Get(kThisForm, Dim::Left);
        const float right = mainLeft + main.Get(kThisForm, Dim::Width);
        const float own = form_->Get(kThisForm, Dim::Width);
        const bool roomOnRight = right + own <= platform_.app.ScreenWidth();
        form_->Set(kThisForm, Dim::Left,
                   roomOnRight || mainLeft - own < 0 ? right : mainLeft - own);
        form_->Set(kThisForm, Dim::Top, main.Get(kThisForm, Dim::Top));
        modPosition::KeepFormOnScreen(*form_, platform_);
    }
}

void frmDetails::Form_Resize() {
    Form& f = *form_;
    if (f.WindowState() == 1) {
        return;  // minimised: nothing to lay out
    }
    f.Set(lst_Properties, Dim::Left, 0);
    f.Set(lst_Properties, Dim::Top, 0);
    f.Set(lst_Properties, Dim::Width, f.ScaleWidth());
    f.Set(lst_Properties, Dim::Height, f.ScaleHeight());
}

void frmDetails::Form_Unload() {
    closed_ = true;
    SavePlacement();
}

void frmDetails::SavePlacement() {
    modPosition::SaveFormPosition(*form_, platform_, kSectionDetails);
}

void frmDetails::ShowWindowFacts(Hwnd window) {
    // Made in place from the facts returned: make_unique would move every one of them.
    facts_.reset(new WindowFacts(QueryWindowFacts(platform_, window)));
    ShowRows();
}

void frmDetails::FollowPointer() {
    // Reading the pointer itself can cost more than the rest of the tick: it is read only once
    // it has moved.
    const Point moved = platform_.queries.PointerAtLastMessage();
    if (pointer_ && lastMessagePointer_.x == moved.x && lastMessagePointer_.y == moved.y) {
        return;
    }
    lastMessagePointer_ = moved;
    Win32Api& win32 = platform_.win32;
    PointerReading reading;
    {
        const PhysicalPixels physical(win32);
        if (win32.GetCursorPos(reading.screen) == 0) {
            return;
        }
        reading.colour = platform_.queries.GetScreenPixel(reading.screen);
    }
    pointer_ = reading;
    ShowRows();
}

std::vector<StackEntry> DescribeStack(Win32Api& win32, const std::vector<StackedWindow>& stack) {
    std::vector<StackEntry> entries;
    for (const StackedWindow& each : stack) {
        entries.push_back({DescribeWindow(win32, each.handle), each.cloaked});
    }
    return entries;
}

void frmDetails::SetStack(const std::vector<StackedWindow>& stack) {
    stack_ = DescribeStack(platform_.win32, stack);
}

void frmDetails::ShowElement(const std::optional<ElementAnswer>& answer) {
    element_ = answer;
    ShowRows();
}

void frmDetails::ShowRows() {
    rows_ = DetailsWindowRows(*facts_, pointer_, element_, stack_);
    form_->SetListRows(lst_Properties, rows_);
}

void frmDetails::Navigate(Hwnd window) {
    if (window != 0) {
        host_.ShowNavigatedWindow(window);
    }
}

void frmDetails::key_Activate_Click() {
    const std::vector<ListRow> selected = SelectedRows();
    if (!selected.empty()) {
        Navigate(RowTarget(*facts_, stack_, selected.front()));
    }
}

std::vector<ListRow> frmDetails::SelectedRows() {
    std::vector<ListRow> selected;
    for (const int row : form_->SelectedListRows(lst_Properties)) {
        if (row >= 0 && static_cast<std::size_t>(row) < rows_.size()) {
            // Copied, then moved in: the vector's growth for a moved row is in the program
            // already, one for a copied row would be another.
            selected.push_back(ListRow(rows_[static_cast<std::size_t>(row)]));
        }
    }
    return selected;
}

void frmDetails::Copy(std::wstring_view text) {
    if (!text.empty()) {
        PutOnClipboard(platform_.win32, form_->hWnd(), text);
    }
}

void frmDetails::key_Copy_Click() {
    Copy(RowsText(SelectedRows()));
}

void frmDetails::lst_Properties_ContextMenu(const ContextMenuArgs& args) {
    std::vector<PopupMenuItem> items{{kMenuCopyValue, L"&Copy value"},
                                     {kMenuCopyAll, L"Copy &all"}};
    const CopyAsMenu copyAs(platform_.win32, g_IniFile);
    copyAs.AppendTo(items, kMenuCopyAsFirst);
    const std::int32_t chosen = platform_.win32.TrackPopupMenu(form_->hWnd(), items, args.screen);
    if (copyAs.Holds(chosen, kMenuCopyAsFirst)) {
        Copy(copyAs.TextFor(chosen, kMenuCopyAsFirst, {*facts_, rows_, element_}));
    } else if (chosen == kMenuCopyAll) {
        Copy(RowsText(rows_));
    } else if (chosen == kMenuCopyValue) {
        std::wstring values;
        for (const ListRow& row : SelectedRows()) {
            values.append(values.empty() ? L"" : L"\r\n").append(row.value);
        }
        Copy(values);
    }
}

}  // namespace tarnwick
