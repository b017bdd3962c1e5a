#include "about/frmAbout_controls.h"

#include <array>

namespace tarnwick {

namespace {

using namespace frmAboutControls;

const std::array kControls{
    ControlDesign{Image1,
                  "Image1",
                  ControlKind::Image,
                  kThisForm,
                  {},
                  228,
                  216,
                  384,
                  384,
                  {},
                  -1,
                  Artwork::AppIcon},
    ControlDesign{lbl_ProgramName,
                  "lbl_ProgramName",
                  ControlKind::Label,
                  kThisForm,
                  L"Tarnwick",
                  1065,
                  210,
                  3345,
                  270,
                  {L"MS Sans Serif", 7.8f, true}},
    ControlDesign{lbl_Copyright, "lbl_Copyright", ControlKind::Label, kThisForm,
                  L"Copyright \u00A9 2026 The Tarnwick developers", 1065, 555, 3300, 285},
    ControlDesign{lbl_AllRights, "lbl_AllRights", ControlKind::Label, kThisForm,
                  L"All rights reserved.", 1080, 810, 3195, 315},
    ControlDesign{lbl_Version, "lbl_Version", ControlKind::Label, kThisForm, L"Version:", 1170,
                  1455, 885, 255},
    ControlDesign{data_Version, "data_Version", ControlKind::Label, kThisForm, L"Label5", 2220,
                  1470, 1965, 300},
    ControlDesign{
        btn_OK, "btn_OK", ControlKind::Button, kThisForm, L"OK", 1680, 2490, 1350, 390, {}, 0},
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
