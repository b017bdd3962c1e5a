#pragma once
// The Details window's face: one list of properties filling the window, and its keys.

#include "platform/form_design.h"

namespace tarnwick::frmDetailsControls {

enum : ControlId {
    lst_Properties = 1,
    key_Activate,
    key_Close,
    key_Parent,
    key_FirstChild,
    key_PreviousSibling,
    key_NextSibling,
    key_SelectAll,
    key_Copy,
};

}  // namespace tarnwick::frmDetailsControls

namespace tarnwick {

const FormDesign& DetailsFormDesign();

}  // namespace tarnwick
