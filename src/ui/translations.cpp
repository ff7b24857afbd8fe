#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace translations {

namespace {

// One catalogue, loaded once and owned by the application; installed only
// while Czech is in use, so that a switch to the same language sends no
// change event.
struct Catalogue {
    QPointer<QTranslator> translator;
    bool installed = false;

    void use(bool wanted)
    {
        if (!translator || wanted == installed)
            return;
        if (wanted)
            QCoreApplication::installTranslator(translator);
        else
            QCoreApplication::removeTranslator(translator);
        installed = wanted;
    }
};

QTranslator *loaded(const QString &name, const QString &folder)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(name, folder))
        return translator;
    delete translator;
    return nullptr;
}

} // namespace

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
    static Catalogue qt, own;
    static bool tried = false;

    const bool wanted = language == catalogue::Language::Czech;
    if (wanted && !tried) {
        tried = true;
        qt.translator = loaded(QStringLiteral("qtbase_cs"), qtCatalogueFolder());
        own.translator = loaded(QStringLiteral("formular_cs"), QStringLiteral(":/i18n"));
        Q_ASSERT(own.translator); // compiled in
    }
    qt.use(wanted);
    own.use(wanted);
}

} // namespace translations
