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

void setUpNames()
{
    QCoreApplication::setOrganizationName(QStringLiteral("VireoLoggers"));
    QCoreApplication::setApplicationName(QStringLiteral("Formular"));
}

} // namespace application
