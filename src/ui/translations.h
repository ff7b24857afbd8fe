#pragma once

// The texts of the interface in its language. Two catalogues stand behind
// Czech: the program's own (translations/formular_cs.ts, compiled in by
// lrelease), which turns the English texts given to tr() into the Czech
// ones, and Qt's (the buttons of message boxes and the like), from the
// catalogues the system keeps for Qt (Debian: qt6-translations-l10n), on
// Windows from the folder "translations" beside the program.

#include "catalogue.h"

#include <QString>

namespace translations {

// Where Qt's catalogues (qtbase_cs.qm) are looked for.
QString qtCatalogueFolder();

// Czech installs both catalogues, English takes them out again (the texts
// in the code are English). Without Qt's catalogue Qt's texts stay English;
// the program's own is always there. Each catalogue installed or removed
// sends every widget a QEvent::LanguageChange.
void useLanguage(catalogue::Language language);

} // namespace translations
