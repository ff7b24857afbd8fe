#pragma once

// A figure of this process from /proc/self/status, in kB: "VmRSS" (resident
// now) or "VmHWM" (the most it has held). -1 where there is no /proc.

#include <QByteArray>
#include <QFile>

inline long procStatusKb(const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').first().toLong();
    return -1;
}
