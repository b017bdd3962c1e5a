#include "details/frmDetails_controls.h"

#include <array>

namespace tarnwick {

namespace {

using namespace frmDetailsControls;

constexpr const wchar_t* kColumns[] = {L"Property", L"Value", nullptr};
constexpr FontDesign kListFont{L"MS Sans Serif", 8.25f, false};

const std::array kControls{
    ControlDesign{.id = lst_Properties,
                  .name = "lst_Properties",
                  .font = &kListFont,
                  .columns = kColumns,
                  .width = 6000,
                  .height = 6600,
                  .kind = ControlKind::List,
                  .tabIndex = 0},
};

constexpr std::array kKeys{
    KeyCommandDesign{key_Activate, "key_Activate", L"Enter"},
    KeyCommandDesign{key_Close, "key_Close", L"Esc"},
    KeyCommandDesign{key_Parent, "key_Parent", L"Alt+Up"},
    KeyCommandDesign{key_FirstChild, "key_FirstChild", L"Alt+Down"},
    KeyCommandDesign{key_PreviousSibling, "key_PreviousSibling", L"Alt+Left"},
    KeyCommandDesign{key_NextSibling, "key_NextSibling", L"Alt+Right"},
    KeyCommandDesign{key_SelectAll, "key_SelectAll", L"Ctrl+A"},
    KeyCommandDesign{key_Copy, "key_Copy", L"Ctrl+C"},
};

const FormDesign kDesign{
    .name = "Details",
    .caption = L"Window details",
    .clientWidth = 6000,
    .clientHeight = 6600,
    .sizable = true,
    .controls = kControls,
    .menu = {},
    .keys = kKeys,
    .ownedByMainForm = true,
};

}  // namespace

const FormDesign& DetailsFormDesign() {
    return kDesign;
}

}  // namespace tarnwick
