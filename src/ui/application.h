#pragma once

// What every start of the program sets up before the first window: the
// stand-ins for the faces the windows are laid out for, and the names under
// which the settings are kept.

class QFont;

namespace application {
void setUpFonts();
void setUpNames();
// The windows' own face: "MS Sans Serif" at 11 pixels.
QFont formFont(bool bold = false);
} // namespace application
