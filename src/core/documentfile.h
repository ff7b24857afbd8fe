#pragma once

// Writes a finished document in one piece: either the new document is
// there whole, or the previous one stays untouched.

#include <QByteArray>
#include <QString>

namespace document {

// Throws std::runtime_error with the file system's message on failure.
// A read-only existing file is refused, whoever runs the program.
void saveDocument(const QString &path, const QByteArray &bytes);

} // namespace document
