#pragma once

// Files written in one piece and read without surprises.
//
// A write either leaves all the new bytes at the path or the previous file
// exactly as it was. The new bytes go into a file of our own, created
// exclusively beside the target, and are flushed and synced before a rename
// puts that file in the target's place. A rename replaces whatever stands at
// the path itself, so a link planted there at any moment is replaced, never
// written through; a link found at the path beforehand is refused.
//
// Every step is taken within the target's folder as it was opened at the
// start, by the file's own name: a folder (or a link to one) renamed into
// its place meanwhile is never written, and a path longer than the system
// takes whole is written as long as the folder's own path is not. The
// folder itself is not reached through a link in its own place.
//
// The file of our own is named ".<target's name>.<token>.partial". One that
// a save stopped on its way left behind (the program was killed, the power
// cut) is removed by a later save of the same target; a file of that name
// that is not plainly such a leftover (another user's, a link, a folder, a
// file linked elsewhere, one that changed in the last half minute or that a
// save under way holds) is never touched.

#include "outcome.h"

#include <QByteArray>
#include <QString>

namespace wholefile {

// On failure the message reads "Cannot write <file name>: <reason>".
// Only a regular file (or nothing) may stand at the path, and a file that
// nobody may write is refused even for an administrator. The new file keeps
// the permissions of the one it replaces.
Outcome write(const QString &path, const QByteArray &bytes);

// Writes a new file; fails, touching nothing, when anything stands at the path.
Outcome create(const QString &path, const QByteArray &bytes);

// Reads a regular file whole. A link, FIFO, device or folder at the path is
// never opened (nothing can hang on it), nor is a file above `limit` bytes.
Outcome read(const QString &path, QByteArray *bytes, qint64 limit);

// The messages of a failed write and a failed read of `path`, in the
// current language.
QString writeFailure(const QString &path, const QString &reason);
QString readFailure(const QString &path, const QString &reason);

// Whether anything at all, even a dangling link, stands at the path.
bool occupied(const QString &path);

} // namespace wholefile
