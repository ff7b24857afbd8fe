#pragma once

// A small JPEG decoder on libjpeg: bytes in, 8-bit RGB pixels out.
// Decoding errors are returned, never thrown nor ending the process.

#include "outcome.h"
#include <QByteArray>

#include <vector>

namespace jpeg {

struct Image {
    int width = 0;
    int height = 0;
    int components = 0;             // components in the file (3 for colour)
    bool progressive = false;       // as stored in the file
    std::vector<unsigned char> rgb; // width * height * 3 bytes, rows top down
};

// Both give libjpeg's own reason when the data cannot be decoded; `image`
// is set only on success.
Outcome decode(const QByteArray &data, Image *image);

// Reads only the header: size, components and coding, without pixels.
Outcome readHeader(const QByteArray &data, Image *image);

} // namespace jpeg
