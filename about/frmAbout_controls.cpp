#include "about/frmAbout_controls.h"

#include <array>

namespace tarnwick {

namespace {

using namespace frmAboutControls;

constexpr FontDesign kProgramNameFont{L"MS Sans Serif", 7.8f, true};

const std::array kControls{
    ControlDesign{.id = Image1,
                  .name = "Image1",
                  .left = 228,
                  .top = 216,
                  .width = 384,
                  .height = 384,
                  .kind = ControlKind::Image,
                  .picture = Artwork::AppIcon},
    ControlDesign{.id = lbl_ProgramName,
                  .name = "lbl_ProgramName",
                  .caption = L"Tarnwick",
                  .font = &kProgramNameFont,
                  .left = 1065,
                  .top = 210,
                  .width = 3345,
                  .height = 270,
                  .kind = ControlKind::Label},
    ControlDesign{.id = lbl_Copyright,
                  .name = "lbl_Copyright",
                  .caption = L"Copyright \u00A9 2026 The Tarnwick developers",
                  .left = 1065,
                  .top = 555,
                  .width = 3300,
                  .height = 285,
                  .kind = ControlKind::Label},
    ControlDesign{.id = lbl_AllRights,
                  .name = "lbl_AllRights",
                  .caption = L"All rights reserved.",
                  .left = 1080,
                  .top = 810,
                  .width = 3195,
                  .height = 315,
                  .kind = ControlKind::Label},
    ControlDesign{.id = lbl_Version,
                  .name = "lbl_Version",
                  .caption = L"Version:",
                  .left = 1170,
                  .top = 1455,
                  .width = 885,
                  .height = 255,
                  .kind = ControlKind::Label},
    ControlDesign{.id = data_Version,
                  .name = "data_Version",
                  .caption = L"Label5",
                  .left = 2220,
                  .top = 1470,
                  .width = 1965,
                  .height = 300,
                  .kind = ControlKind::Label},
    ControlDesign{.id = btn_OK,
                  .name = "btn_OK",
                  .caption = L"OK",
                  .left = 1680,
                  .top = 2490,
                  .width = 1350,
                  .height = 390,
                  .kind = ControlKind::Button,
                  .tabIndex = 0},
};

const FormDesign kAboutForm{
    .name = "frmAbout",
    .caption = L"About Tarnwick",
    .clientWidth = 4680,
    .clientHeight = 3192,
    .font = {},
    .icon = Artwork::AppIcon,
    .sizable = true,
    .controls = kControls,
    .menu = {},
    .defaultButton = btn_OK,
    .cancelButton = btn_OK,
};

}  // namespace

const FormDesign& AboutFormDesign() {
    return kAboutForm;
}

}  // namespace tarnwick
