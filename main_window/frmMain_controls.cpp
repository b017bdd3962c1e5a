#include "main_window/frmMain_controls.h"

#include <array>

namespace tarnwick {

namespace {

using namespace frmMainControls;

constexpr FontDesign kLabelFont{L"MS Sans Serif", 9.6f, false};
constexpr FontDesign kHeadingFont{L"MS Sans Serif", 9.6f, true};
constexpr FontDesign kHelpButtonFont{L"MS Sans Serif", 12.0f, true};

constexpr ControlDesign Label(ControlId id, const char* name, const wchar_t* caption,
                              std::int16_t left, std::int16_t top, std::int16_t width,
                              std::int16_t height) {
    return {.id = id,
            .container = frame_Main,
            .name = name,
            .caption = caption,
            .font = &kLabelFont,
            .left = left,
            .top = top,
            .width = width,
            .height = height,
            .kind = ControlKind::Label};
}

const std::array kControls{
    ControlDesign{.id = frame_Main,
                  .name = "frame_Main",
                  .width = 4230,
                  .height = 2265,
                  .kind = ControlKind::Panel,
                  .tabIndex = 2},
    ControlDesign{.id = lbl_CurWindow,
                  .container = frame_Main,
                  .name = "lbl_CurWindow",
                  .caption = L"Current foreground window:",
                  .font = &kHeadingFont,
                  .left = 120,
                  .top = 60,
                  .width = 3270,
                  .height = 285,
                  .kind = ControlKind::Label},
    ControlDesign{.id = img_Target,
                  .container = frame_Main,
                  .name = "img_Target",
                  .left = 3672,
                  .top = 12,
                  .width = 384,
                  .height = 384,
                  .kind = ControlKind::Image,
                  .picture = Artwork::TargetPicture,
                  .pointer = Artwork::TargetPointer},
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
    ControlDesign{.id = btn_Close,
                  .name = "btn_Close",
                  .caption = L"Close",
                  .left = 2010,
                  .top = 2430,
                  .width = 1110,
                  .height = 375,
                  .kind = ControlKind::Button,
                  .tabIndex = 0},
    ControlDesign{.id = btn_Help,
                  .name = "btn_Help",
                  .caption = L"?",
                  .font = &kHelpButtonFont,
                  .left = 3285,
                  .top = 2430,
                  .width = 390,
                  .height = 375,
                  .kind = ControlKind::Button,
                  .tabIndex = 1},
    ControlDesign{.id = Timer1, .name = "Timer1", .intervalMs = 50, .kind = ControlKind::Timer},
    ControlDesign{.id = CommonDialog1, .name = "CommonDialog1", .kind = ControlKind::ColorDialog},
};

const std::array kMenu{
    MenuItemDesign{mnu_Tracking, kThisForm, "mnu_Tracking", L"&Tracking"},
    MenuItemDesign{mnu_TrackForeground, mnu_Tracking, "mnu_TrackForeground", L"&Foreground window"},
    MenuItemDesign{mnu_TrackTarget, mnu_Tracking, "mnu_TrackTarget", L"&Target window"},
    MenuItemDesign{mnu_bar_11, mnu_Tracking, "mnu_bar_11", L"-"},
    MenuItemDesign{mnu_SetBorderColor, mnu_Tracking, "mnu_SetBorderColor", L"&Set border color..."},
    MenuItemDesign{mnu_Help, kThisForm, "mnu_Help", L"&Help"},
    MenuItemDesign{mnu_CurrentWindowHelp, mnu_Help, "mnu_CurrentWindowHelp", L"&CurrentWindow",
                   L"F1"},
    MenuItemDesign{mnu_bar_41, mnu_Help, "mnu_bar_41", L"-"},
    MenuItemDesign{mnu_About, mnu_Help, "mnu_About", L"&About"},
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
