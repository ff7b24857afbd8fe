#include "application.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFont>
#include <QStringList>

#include <cstdio>

#ifndef FORMULAR_VERSION
#error "FORMULAR_VERSION is the CMake project version, set in the top-level CMakeLists.txt"
#endif

namespace application {

namespace {

// Writes text to standard output; false when it could not be written whole
// (a full disk, a closed pipe).
bool printOut(const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    const auto size = static_cast<std::size_t>(bytes.size());
    const bool written = std::fwrite(bytes.constData(), 1, size, stdout) == size;
    return std::fflush(stdout) == 0 && written;
}

} // namespace

QString version()
{
    return QStringLiteral(FORMULAR_VERSION);
}

std::optional<int> handleCommandLine(int argc, char **argv)
{
    if (argc < 2)
        return std::nullopt;

    QStringList arguments;
    arguments.reserve(argc);
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    QCommandLineParser parser;
    // A word after one dash is one name: Qt's -reverse or -stylesheet must
    // not read as the letters -r -e -v ... or -s -t -y -l -e -s -h ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Order form for TQ8 / TQ8R data loggers and the ZK222 cabinet assembly."));
    const QCommandLineOption helpOption(
        {QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Display this help and exit."));
    const QCommandLineOption versionOption(
        {QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Display the version and exit."));
    parser.addOption(helpOption);
    parser.addOption(versionOption);
    // Unknown options make parse() false; they are QApplication's to judge.
    parser.parse(arguments);

    QString text;
    if (parser.isSet(helpOption)) {
        // The usage line names the program as started; the parser takes
        // that name from an application object, so a core one (no display,
        // no window system) is made for this path alone.
        int coreArgc = 1;
        QCoreApplication core(coreArgc, argv);
        text = parser.helpText();
    } else if (parser.isSet(versionOption)) {
        text = QStringLiteral("formular ") + version() + QLatin1Char('\n');
    } else {
        return std::nullopt;
    }

    if (!printOut(text)) {
        std::fputs("formular: cannot write to standard output\n", stderr);
        return 1;
    }
    return 0;
}

void setUpFonts()
{
#ifdef Q_OS_WIN
    // Windows has the faces the form is designed with. Its MS Sans Serif is
    // a bitmap face that is not drawn at every size, so it is asked for as
    // Windows' own dialogs ask for it, by its outline successor. Where a face
    // is missing (Wine has few of them), the nearest one at hand stands in.
    QFont::insertSubstitutions(QStringLiteral("Microsoft Sans Serif"),
        {QStringLiteral("Tahoma"), QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"), {QStringLiteral("Liberation Serif")});
#else
    // Elsewhere their metric-compatible twins stand in.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
#endif
}

QFont designedFont(const QString &face, int pixelSize, bool bold)
{
#ifdef Q_OS_WIN
    QFont font(face == QLatin1String("MS Sans Serif") ? QStringLiteral("Microsoft Sans Serif") : face);
#else
    // Asked for by the stand-in's name, so that matching never searches for
    // the Windows face and its fallbacks first.
    QFont font(QFont::substitute(face));
#endif
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QFont formFont(bool bold)
{
    return designedFont(QStringLiteral("MS Sans Serif"), 11, bold);
}

void setUpNames()
{
    QCoreApplication::setOrganizationName(QStringLiteral("VireoLoggers"));
    QCoreApplication::setApplicationName(QStringLiteral("Formular"));
    QCoreApplication::setApplicationVersion(version());
}

} // namespace application
