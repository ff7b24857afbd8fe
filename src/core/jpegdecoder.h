#pragma once

// A small JPEG decoder on libjpeg: bytes in, 8-bit RGB pixels out.
// Decoding errors are reported as exceptions, never by ending the process.

#include <QByteArray>
#include <stdexcept>
#include <vector>

namespace jpeg {

struct Image {
    int width = 0;
    int height = 0;
    int components = 0;      // components in the file (3 for colour)
    bool progressive = false; // as stored in the file
    std::vector<unsigned char> rgb; // width * height * 3 bytes, rows top down
};

class DecodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

Image decode(const QByteArray &data);

// Reads only the header: size, components and coding, without pixels.
Image readHeader(const QByteArray &data);

} // namespace jpeg
