#pragma once

// The compiled-in product pictures, by number (1..35).

#include "outcome.h"

#include <QIcon>
#include <QImage>

namespace pictures {

// Every picture, glyph, flag and the logo is compiled in at its size and at
// twice it (name@2x). On a screen whose device pixel ratio (`screenRatio`)
// is above 1 the loaders give the one at twice the size, with a device
// pixel ratio of 2, so that it is painted at the same size but sharp; at 1
// the one at its size, as it has always been. Only the size asked for is
// decoded.

// Decodes picture `number` into `picture`; a missing or damaged picture
// is a failure that names it.
Outcome load(int number, QImage *picture, qreal screenRatio = 1);

// Reads a compiled-in PNG or BMP (logo, glyphs, icon) by its name's suffix
// with Qt's own reader. No image plugin is asked: guessing a format loads
// every installed plugin, which would cost each start a few libraries.
// A null image when the file is missing or damaged.
QImage loadBuiltIn(const QString &path, qreal screenRatio = 1);

// Both sizes of a compiled-in glyph as one icon: Qt paints the one that
// fits the screen.
QIcon loadIcon(const QString &path);

// How many pictures have been decoded since start (hover code must decode
// only when the hovered item changes).
int decodeCount();

} // namespace pictures
