#pragma once

#include "platform/form_design.h"

namespace tarnwick::frmAboutControls {

enum : ControlId {
    Image1 = 1,
    lbl_ProgramName,
    lbl_Copyright,
    lbl_AllRights,
    lbl_Version,
    data_Version,
    btn_OK,
};

}  // namespace tarnwick::frmAboutControls

namespace tarnwick {

const FormDesign& AboutFormDesign();

}  // namespace tarnwick
