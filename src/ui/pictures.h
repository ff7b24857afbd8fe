#pragma once

// The compiled-in product pictures, by number (1..35).

#include "outcome.h"

#include <QImage>

namespace pictures {

// Decodes picture `number` into `picture`; a missing or damaged picture
// is a failure that names it.
Outcome load(int number, QImage *picture);

// How many pictures have been decoded since start (hover code must decode
// only when the hovered item changes).
int decodeCount();

} // namespace pictures
