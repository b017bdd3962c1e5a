#pragma once
// What a form is made of, described as data: the toolkit builds the window and its controls from
// these tables, and the recording fake names the controls in its call log with them.

#include <cstdint>
#include <span>
#include <string_view>

namespace tarnwick {

using ControlId = int;
// The form itself, wherever an operation takes a control.
inline constexpr ControlId kThisForm = 0;

enum class ControlKind {
    Panel,        // picture box used as a container, sunken edge
    Label,        // STATIC text
    Image,        // picture with an optional custom mouse pointer; raises MouseDown/MouseUp
    Button,       // push button; raises Click
    Timer,        // raises Timer every intervalMs from creation on
    ColorDialog,  // the system colour dialog, invisible until shown
    List,         // report-view list: a column per caption in `columns`, rows under headings;
                  // raises DblClick for a double-click on a row
};

// Pictures and pointers that the toolkit draws from the program's resources.
enum class Artwork { None, AppIcon, TargetPicture, TargetPointer };

struct FontDesign {
    std::wstring_view face = L"MS Sans Serif";
    float points = 8.25f;
    bool bold = false;
};

struct ControlDesign {
    ControlId id;
    std::string_view name;
    ControlKind kind;
    ControlId container = kThisForm;
    std::wstring_view caption = {};
    float left = 0, top = 0, width = 0, height = 0;  // twips, inside the container's client area
    FontDesign font = {};
    int tabIndex = -1;  // -1: takes no focus
    Artwork picture = Artwork::None;
    Artwork pointer = Artwork::None;
    std::uint32_t intervalMs = 0;                     // timers
    std::span<const std::wstring_view> columns = {};  // lists
};

struct MenuItemDesign {
    ControlId id;
    std::string_view name;
    ControlId parent;                 // kThisForm for a top-level menu
    std::wstring_view caption;        // "-" is a separator line
    std::wstring_view shortcut = {};  // shown beside the caption and bound as an accelerator
};

// A key that gives a command of the form without being a menu item: pressing it raises Click
// with the id, as a menu item does.
struct KeyCommandDesign {
    ControlId id;
    std::string_view name;
    // "F1" to "F12"; "Ctrl+" and a letter or digit; "Alt+" and "Up", "Down", "Left" or "Right";
    // "Enter" or "Esc"
    std::wstring_view key;
};

struct FormDesign {
    std::string_view name;
    std::wstring_view caption;
    float clientWidth = 0, clientHeight = 0;  // twips, before any code resizes the form
    FontDesign font = {};
    Artwork icon = Artwork::AppIcon;
    bool sizable = false;
    std::span<const ControlDesign> controls;
    std::span<const MenuItemDesign> menu;
    ControlId defaultButton = kThisForm;  // pressed by Enter
    ControlId cancelButton = kThisForm;   // pressed by Esc
    std::span<const KeyCommandDesign> keys = {};
    // Owned by the start-up form: minimised and restored with it, always in front of it.
    bool ownedByMainForm = false;
};

}  // namespace tarnwick
