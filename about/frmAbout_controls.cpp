#include "about/frmAbout_controls.h"

#include <array>

namespace tarnwick {

namespace {

using namespace frmAboutControls;

constexpr FontDesign kProgramNameFont{L"MS Sans Serif", 7.8f, true};

constexpr ControlDesign Label(ControlId id, const char* name, const wchar_t* caption,
                              std::int16_t left, std::int16_t top, std::int16_t width,
                              std::int16_t height) {
    return {.id = id,
            .name = name,
            .caption = caption,
            .left = left,
            .top = top,
            .width = width,
            .height = height,
            .kind = ControlKind::Label};
}

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
    Label(lbl_Copyright, "lbl_Copyright", L"Copyright \u00A9 2026 The Tarnwick developers", 1065,
          555, 3300, 285),
    Label(lbl_AllRights, "lbl_AllRights", L"All rights reserved.", 1080, 810, 3195, 315),
    Label(lbl_Version, "lbl_Version", L"Version:", 1170, 1455, 885, 255),
    Label(data_Version, "data_Version", L"Label5", 2220, 1470, 1965, 300),
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
