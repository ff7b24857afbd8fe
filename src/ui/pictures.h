#pragma once

// The compiled-in product pictures, by number (1..35).

#include "outcome.h"

#include <QImage>

namespace pictures {

// Decodes picture `number` into `picture`; a missing or damaged picture
// is a failure that names it.
Outcome load(int number, QImage *picture);

// Reads a compiled-in PNG or BMP (logo, glyphs, icon) by its name's suffix
// with Qt's own reader. No image plugin is asked: guessing a format loads
// every installed plugin, which would cost each start a few libraries.
// A null image when the file is missing or damaged.
QImage loadBuiltIn(const QString &path);

// How many pictures have been decoded since start (hover code must decode
// only when the hovered item changes).
int decodeCount();

} // namespace pictures
