#pragma once

// Writes a file in one piece: either the new bytes are all there, or the
// previous file stays exactly as it was. Every step is checked: the write,
// the flush of the buffer, the sync to the disk and the final rename.

#include "outcome.h"

#include <QByteArray>
#include <QString>

namespace wholefile {

enum class Links {
    Refuse, // a link at the path is never written through
    Follow, // the file the link points to is replaced (a user's own config link)
};

// On failure the message reads "Cannot write <file name>: <reason>".
// Only a regular file (or nothing) may stand at the path, and a file that
// nobody may write is refused even for an administrator.
Outcome write(const QString &path, const QByteArray &bytes, Links links);

// Reads a regular file whole; a FIFO or device at the path is never opened.
Outcome read(const QString &path, QByteArray *bytes);

} // namespace wholefile
