#pragma once

#include <QDir>
#include <QString>

// A folder whose path is exactly `length` characters long, made below
// `base` one name (of at most 200 characters) at a time, each made in the
// one before. Empty on failure.
inline QString deepFolder(const QString &base, qsizetype length)
{
    QDir folder(base);
    if (!folder.mkpath(QStringLiteral(".")))
        return {};
    while (folder.path().size() < length) {
        // Room is left for a last name of at least one character.
        const qsizetype left = length - folder.path().size() - 1;
        const QString name(left <= 200 ? left : qMin<qsizetype>(200, left - 2), QLatin1Char('d'));
        if (!folder.mkdir(name) || !folder.cd(name))
            return {};
    }
    return folder.path().size() == length ? folder.path() : QString();
}
