#pragma once
// Placement of the program's forms: restore and save the main window's place, centre a form,
// keep it inside the work area, and keep it above other windows.

#include <cstdint>
#include <string_view>

#include "platform/platform.h"

namespace tarnwick::modPosition {

// Pulls the form into the band from the screen's top-left corner to the work area's width and
// height.
void KeepFormOnScreen(Form& form, const Platform& platform);
// Centres the form on the whole screen.
void CenterForm(Form& form, const Platform& platform);
// Hides the form, places it where the section says (or centres it), keeps it on the screen,
// shows it and puts it on top.
void RestoreFormPosition(Form& form, const Platform& platform, std::wstring_view section);
// Writes the form's left, top, width, height and window state into the section.
void SaveFormPosition(Form& form, const Platform& platform, std::wstring_view section);
// Makes the form topmost when onTop is not 0, unless the settings file disables it.
void SetKeepOnTop(Form& form, const Platform& platform, std::int16_t onTop);
// Makes a window that is not a form (the help viewer) topmost exactly when SetKeepOnTop would
// make a form topmost, reading the settings file now; it does not bring the window forward.
void KeepWindowOnTop(Hwnd window, const Platform& platform);

}  // namespace tarnwick::modPosition
