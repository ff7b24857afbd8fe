#pragma once

// Qt's own texts (the buttons of message boxes and the like) in the language
// of the interface, from the catalogues the system keeps for Qt (Debian:
// qt6-translations-l10n), on Windows from the folder "translations" beside
// the program.

#include "catalogue.h"

#include <QString>

namespace translations {

// Where Qt's catalogues (qtbase_cs.qm) are looked for.
QString qtCatalogueFolder();

// Czech installs Qt's Czech catalogue, English takes it out again (Qt's own
// texts are English). Without the catalogue Qt's texts stay English.
void useLanguage(catalogue::Language language);

} // namespace translations
