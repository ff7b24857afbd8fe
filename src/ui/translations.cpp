#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace translations {

QString qtCatalogueFolder()
{
#ifdef Q_OS_WIN
    // The installer puts Qt's catalogues beside the program.
    return QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
#else
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#endif
}

void useLanguage(catalogue::Language language)
{
    // Loaded once, owned by the application; installed only while Czech is
    // in use, so that a switch to the same language sends no change event.
    static QPointer<QTranslator> czech;
    static bool installed = false;

    const bool wanted = language == catalogue::Language::Czech;
    if (wanted && !czech) {
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (!translator->load(QStringLiteral("qtbase_cs"), qtCatalogueFolder())) {
            delete translator;
            return;
        }
        czech = translator;
        installed = false;
    }
    if (!czech || wanted == installed)
        return;
    if (wanted)
        QCoreApplication::installTranslator(czech);
    else
        QCoreApplication::removeTranslator(czech);
    installed = wanted;
}

} // namespace translations
