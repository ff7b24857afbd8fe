#pragma once

// What every start of the program sets up before the first window: the
// command line the program answers itself, the stand-ins for the faces the
// windows are laid out for, and the names under which the settings are kept.

#include <optional>

class QFont;
class QString;

namespace application {
// Answers -h / --help and -v / --version on standard output, before any
// application object exists, so they need no display; the result is then the
// exit status. Any other command line (Qt's own -platform, -style, -reverse,
// ..., anything unknown) gives no result and is left untouched for
// QApplication. With no arguments at all this costs next to nothing.
std::optional<int> handleCommandLine(int argc, char **argv);
// The program's version, from the CMake project: "1.2".
QString version();
void setUpFonts();
void setUpNames();
// A face the windows are designed with, as this desktop has it.
QFont designedFont(const QString &face, int pixelSize, bool bold);
// The windows' own face: "MS Sans Serif" at 11 pixels.
QFont formFont(bool bold = false);
} // namespace application
