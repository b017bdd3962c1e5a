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

enum class ControlKind : std::uint8_t {
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
enum class Artwork : std::uint8_t { None, AppIcon, TargetPicture, TargetPointer };

struct FontDesign {
    const wchar_t* face = L"MS Sans Serif";
    float points = 8.25f;
    bool bold = false;
};

inline constexpr FontDesign kDefaultFont{};

// The records are laid out widest field first, so that the tables hold no padding.
struct ControlDesign {
    ControlId id;
    ControlId container = kThisForm;
    const char* name;
    const wchar_t* caption = L"";
    const FontDesign* font = &kDefaultFont;
    const wchar_t* const* columns = nullptr;  // lists: the captions, ended by a null
    std::uint32_t intervalMs = 0;             // timers
    // Twips, inside the container's client area.
    std::int16_t left = 0, top = 0, width = 0, height = 0;
    ControlKind kind;
    std::int8_t tabIndex = -1;  // -1: takes no focus
    Artwork picture = Artwork::None;
    Artwork pointer = Artwork::None;
};

struct MenuItemDesign {
    ControlId id;
    ControlId parent;  // kThisForm for a top-level menu
    const char* name;
    const wchar_t* caption;         // "-" is a separator line
    const wchar_t* shortcut = L"";  // shown beside the caption and bound as an accelerator
};

// A key that gives a command of the form without being a menu item: pressing it raises Click
// with the id, as a menu item does.
struct KeyCommandDesign {
    ControlId id;
    const char* name;
    // "F1" to "F12"; "Ctrl+" and a letter or digit; "Alt+" and "Up", "Down", "Left" or "Right";
    // "Enter" or "Esc"
    std::wstring_view key;
};

struct FormDesign {
    const char* name;
    const wchar_t* caption;
    std::int16_t clientWidth = 0, clientHeight = 0;  // twips, before any code resizes the form
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
