#pragma once
// The main window's face: its controls, their places and captions, and its menu tree.

#include "platform/form_design.h"

namespace tarnwick::frmMainControls {

enum : ControlId {
    frame_Main = 1,
    lbl_CurWindow,
    img_Target,
    lbl_Class,
    lbl_WindowClass,
    lbl_hWnd,
    lbl_WindowHandleDecimal,
    lbl_WindowHandleHex,
    lbl_Title,
    lbl_WindowTitle,
    lbl_Rect,
    lbl_WindowRect,
    lbl_Style,
    lbl_WindowStyle,
    lbl_Parent,
    lbl_WindowParent,
    btn_Close,
    btn_Help,
    Timer1,
    CommonDialog1,
    mnu_Tracking,
    mnu_TrackForeground,
    mnu_TrackTarget,
    mnu_bar_11,
    mnu_SetBorderColor,
    mnu_Help,
    mnu_CurrentWindowHelp,
    mnu_bar_41,
    mnu_About,
    key_CopyAll,
    key_Details,
    key_EndHold,
    hk_Capture,
};

}  // namespace tarnwick::frmMainControls

namespace tarnwick {

const FormDesign& MainFormDesign();

}  // namespace tarnwick
