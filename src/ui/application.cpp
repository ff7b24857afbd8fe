#include "application.h"

#include <QCoreApplication>
#include <QFont>

namespace application {

void setUpFonts()
{
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
}

QFont formFont(bool bold)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

void setUpNames()
{
    QCoreApplication::setOrganizationName(QStringLiteral("VireoLoggers"));
    QCoreApplication::setApplicationName(QStringLiteral("Formular"));
}

} // namespace application
