#pragma once

// What every start of the program sets up before the first window: the
// stand-ins for the faces the windows are laid out for, and the names under
// which the settings are kept.

namespace application {
void setUpFonts();
void setUpNames();
} // namespace application
