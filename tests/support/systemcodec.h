#pragma once

// Windows-1250 as the system converts it, to check the program's own table
// against: the code page of Windows itself there, ICU's converter (through
// QStringConverter) elsewhere.

#include <QByteArray>
#include <QString>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <QStringDecoder>
#include <QStringEncoder>
#endif

namespace systemcodec {

inline QString fromCp1250(const QByteArray &bytes)
{
#ifdef Q_OS_WIN
    // One UTF-16 unit per byte at most in a single-byte code page; an
    // undefined byte makes the whole result empty.
    QString text(bytes.size(), Qt::Uninitialized);
    const int units = MultiByteToWideChar(1250, MB_ERR_INVALID_CHARS, bytes.constData(), int(bytes.size()),
        reinterpret_cast<wchar_t *>(text.data()), int(text.size()));
    text.resize(units);
    return text;
#else
    return QStringDecoder("windows-1250").decode(bytes);
#endif
}

inline QByteArray toCp1250(const QString &text)
{
#ifdef Q_OS_WIN
    const auto *units = reinterpret_cast<const wchar_t *>(text.utf16());
    const int size =
        WideCharToMultiByte(1250, WC_NO_BEST_FIT_CHARS, units, int(text.size()), nullptr, 0, nullptr, nullptr);
    QByteArray bytes(size, Qt::Uninitialized);
    WideCharToMultiByte(1250, WC_NO_BEST_FIT_CHARS, units, int(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
#else
    return QStringEncoder("windows-1250").encode(text);
#endif
}

} // namespace systemcodec
