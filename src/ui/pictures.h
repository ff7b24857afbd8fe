#pragma once

// The compiled-in product pictures, by number (1..35).

#include <QImage>

namespace pictures {

// Decodes picture `number`; throws std::runtime_error when it is missing
// or damaged.
QImage load(int number);

// How many pictures have been decoded since start (hover code must decode
// only when the hovered item changes).
int decodeCount();

} // namespace pictures
