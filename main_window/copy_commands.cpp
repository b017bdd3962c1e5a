// Copying what the labels show: Ctrl+C puts the whole record on the clipboard, the context menu
// of the data panel one field or the whole record. Copying asks the window nothing again and
// changes nothing on show.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "element/element_rows.h"
#include "main_window/clipboard.h"
#include "main_window/frmMain.h"
#include "main_window/frmMain_controls.h"
#include "main_window/owner_process.h"

namespace tarnwick {

using namespace frmMainControls;

namespace {

constexpr std::int32_t kMenuCopyAll = 1;
// Then one id for each field, in the record's order.
constexpr std::int32_t kMenuFirstField = 2;
constexpr std::int32_t kMenuSeparator = 99;
constexpr std::int32_t kMenuDetails = 100;
// Then the entries of "Copy as".
constexpr std::int32_t kMenuCopyAsFirst = 200;

constexpr wchar_t kCopyAllCaption[] = L"Copy &all\tCtrl+C";

// The field of a row of the panel: its caption label or one of its data labels.
std::optional<WindowField> FieldOf(ControlId control) {
    switch (control) {
        case lbl_hWnd:
        case lbl_WindowHandleDecimal:
        case lbl_WindowHandleHex:
            return WindowField::hWnd;
        case lbl_Class:
        case lbl_WindowClass:
            return WindowField::Class;
        case lbl_Title:
        case lbl_WindowTitle:
            return WindowField::Title;
        case lbl_Rect:
        case lbl_WindowRect:
            return WindowField::Rect;
        case lbl_Style:
        case lbl_WindowStyle:
            return WindowField::Style;
        case lbl_Parent:
        case lbl_WindowParent:
            return WindowField::Parent;
        default:
            return std::nullopt;
    }
}

std::int32_t MenuIdOf(WindowField field) {
    return kMenuFirstField + static_cast<std::int32_t>(field);
}

}  // namespace

std::wstring frmMain::RecordOnDisplay() {
    const std::wstring heading = form_->Caption(lbl_CurWindow);
    std::wstring record =
        RecordText(heading, shown_, OwnerProcessText(platform_.win32, shown_.handle));
    if (const std::optional<ElementAnswer>& element = element_.AnswerAbout(shown_.handle)) {
        record.append(ElementRecordLine(*element));
    }
    return record;
}

void frmMain::key_CopyAll_Click() {
    PutOnClipboard(platform_.win32, form_->hWnd(), RecordOnDisplay());
}

void frmMain::ContextMenu(ControlId control, const ContextMenuArgs& args) {
    frame_Main_ContextMenu(control, args);
}

void frmMain::frame_Main_ContextMenu(ControlId control, const ContextMenuArgs& args) {
    // The menu would take the mouse from a drag that is going on.
    if (m_Dragging == 1) {
        return;
    }
    const std::optional<WindowField> field = args.fromKeyboard ? std::nullopt : FieldOf(control);
    const bool onPanel = field || control == frame_Main || control == lbl_CurWindow;
    if (!args.fromKeyboard && !onPanel) {
        return;
    }
    // Over a row: that row's field and the whole record. Elsewhere, and from the keyboard,
    // where no row is pointed at: the whole record and then every field.
    std::array<std::wstring, kWindowFields.size()> fieldCaptions;
    std::vector<PopupMenuItem> items{{kMenuDetails, L"&Details...\tCtrl+D"},
                                     {kMenuSeparator, L"-"}};
    if (!field) {
        items.push_back({kMenuCopyAll, kCopyAllCaption});
        items.push_back({kMenuSeparator, L"-"});
    }
    for (std::size_t i = 0; i < kWindowFields.size(); ++i) {
        const WindowField each = kWindowFields[i];
        if (field && each != *field) {
            continue;
        }
        fieldCaptions[i] = field ? L"&Copy " : L"Copy &";
        fieldCaptions[i].append(FieldName(each));
        items.push_back({MenuIdOf(each), fieldCaptions[i]});
    }
    if (field) {
        items.push_back({kMenuCopyAll, kCopyAllCaption});
    }
    const CopyAsMenu copyAs(platform_.win32, g_IniFile);
    copyAs.AppendTo(items, kMenuCopyAsFirst);
    const std::int32_t chosen = platform_.win32.TrackPopupMenu(form_->hWnd(), items, args.screen);
    if (CopyAsChosen(copyAs, chosen, kMenuCopyAsFirst)) {
        return;
    }
    if (chosen == kMenuDetails) {
        key_Details_Click();
        return;
    }
    if (chosen == kMenuCopyAll) {
        PutOnClipboard(platform_.win32, form_->hWnd(), RecordOnDisplay());
        return;
    }
    for (const WindowField each : kWindowFields) {
        if (chosen == MenuIdOf(each)) {
            PutOnClipboard(platform_.win32, form_->hWnd(), FieldValue(shown_, each));
            return;
        }
    }
}

}  // namespace tarnwick
