#include "main_window/frmMain_controls.h"

#include <array>

namespace tarnwick {

namespace {

using namespace frmMainControls;

constexpr FontDesign kLabelFont{L"MS Sans Serif", 9.6f, false};
constexpr FontDesign kHeadingFont{L"MS Sans Serif", 9.6f, true};
constexpr FontDesign kHelpButtonFont{L"MS Sans Serif", 12.0f, true};

constexpr ControlDesign Label(ControlId id, std::string_view name, std::wstring_view caption,
                              float left, float top, float width, float height) {
    return {id,    name,   ControlKind::Label, frame_Main, caption, left, top,
            width, height, kLabelFont};
}

const std::array kControls{
    ControlDesign{
        frame_Main, "frame_Main", ControlKind::Panel, kThisForm, {}, 0, 0, 4230, 2265, {}, 2},
    ControlDesign{lbl_CurWindow, "lbl_CurWindow", ControlKind::Label, frame_Main,
                  L"Current foreground window:", 120, 60, 3270, 285, kHeadingFont},
    ControlDesign{img_Target,
                  "img_Target",
                  ControlKind::Image,
                  frame_Main,
                  {},
                  3672,
                  12,
                  384,
                  384,
                  {},
                  -1,
                  Artwork::TargetPicture,
                  Artwork::TargetPointer},
    Label(lbl_Class, "lbl_Class", L"Class:", 105, 345, 660, 270),
    Label(lbl_WindowClass, "lbl_WindowClass", L"Class:", 900, 345, 2760, 270),
    Label(lbl_hWnd, "lbl_hWnd", L"hWnd:", 90, 660, 690, 270),
    Label(lbl_WindowHandleDecimal, "lbl_WindowHandleDecimal", L"Label1", 915, 675, 1155, 300),
    Label(lbl_WindowHandleHex, "lbl_WindowHandleHex", L"Label1", 2115, 660, 1230, 300),
    Label(lbl_Title, "lbl_Title", L"Title:", 120, 975, 645, 270),
    Label(lbl_WindowTitle, "lbl_WindowTitle", L"Title", 900, 975, 3225, 255),
    Label(lbl_Rect, "lbl_Rect", L"Rect:", 105, 1275, 645, 270),
    Label(lbl_WindowRect, "lbl_WindowRect", L"Window rectangle", 885, 1275, 3240, 255),
    Label(lbl_Style, "lbl_Style", L"Style:", 120, 1575, 645, 270),
    Label(lbl_WindowStyle, "lbl_WindowStyle", L"Window style", 900, 1575, 2790, 255),
    Label(lbl_Parent, "lbl_Parent", L"Parent:", 120, 1875, 645, 270),
    Label(lbl_WindowParent, "lbl_WindowParent", L"Parent", 900, 1875, 2790, 255),
    ControlDesign{btn_Close,
                  "btn_Close",
                  ControlKind::Button,
                  kThisForm,
                  L"Close",
                  2010,
                  2430,
                  1110,
                  375,
                  {},
                  0},
    ControlDesign{btn_Help, "btn_Help", ControlKind::Button, kThisForm, L"?", 3285, 2430, 390, 375,
                  kHelpButtonFont, 1},
    ControlDesign{Timer1,
                  "Timer1",
                  ControlKind::Timer,
                  kThisForm,
                  {},
                  0,
                  0,
                  0,
                  0,
                  {},
                  -1,
                  Artwork::None,
                  Artwork::None,
                  50},
    ControlDesign{CommonDialog1, "CommonDialog1", ControlKind::ColorDialog},
};

const std::array kMenu{
    MenuItemDesign{mnu_Tracking, "mnu_Tracking", kThisForm, L"&Tracking"},
    MenuItemDesign{mnu_TrackForeground, "mnu_TrackForeground", mnu_Tracking, L"&Foreground window"},
    MenuItemDesign{mnu_TrackTarget, "mnu_TrackTarget", mnu_Tracking, L"&Target window"},
    MenuItemDesign{mnu_bar_11, "mnu_bar_11", mnu_Tracking, L"-"},
    MenuItemDesign{mnu_SetBorderColor, "mnu_SetBorderColor", mnu_Tracking, L"&Set border color..."},
    MenuItemDesign{mnu_Help, "mnu_Help", kThisForm, L"&Help"},
    MenuItemDesign{mnu_CurrentWindowHelp, "mnu_CurrentWindowHelp", mnu_Help, L"&CurrentWindow",
                   L"F1"},
    MenuItemDesign{mnu_bar_41, "mnu_bar_41", mnu_Help, L"-"},
    MenuItemDesign{mnu_About, "mnu_About", mnu_Help, L"&About"},
};

// Commands of the window's keyboard that are not on its menus.
const std::array kKeys{
    KeyCommandDesign{key_CopyAll, "key_CopyAll", L"Ctrl+C"},
    KeyCommandDesign{key_Details, "key_Details", L"Ctrl+D"},
    KeyCommandDesign{key_EndHold, "key_EndHold", L"Esc"},
};

const FormDesign kMainForm{
    .name = "frmMain",
    .caption = L"Tarnwick",
    .clientWidth = 4272,
    .clientHeight = 2916,
    .font = {},
    .icon = Artwork::AppIcon,
    .sizable = false,
    .controls = kControls,
    .menu = kMenu,
    .defaultButton = kThisForm,
    .cancelButton = kThisForm,
    .keys = kKeys,
};

}  // namespace

const FormDesign& MainFormDesign() {
    return kMainForm;
}

}  // namespace tarnwick
