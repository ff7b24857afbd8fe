#include "pictures.h"

#include "jpegdecoder.h"

#include <QFile>
#include <stdexcept>

namespace pictures {

static int s_decodeCount = 0;

QImage load(int number)
{
    QFile file(QStringLiteral(":/pictures/%1.jpg").arg(number));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("Picture " + std::to_string(number) + " is missing");
    ++s_decodeCount;
    const jpeg::Image decoded = jpeg::decode(file.readAll());
    QImage image(decoded.width, decoded.height, QImage::Format_RGB888);
    const int stride = decoded.width * 3;
    for (int y = 0; y < decoded.height; ++y)
        std::copy_n(decoded.rgb.data() + std::size_t(y) * std::size_t(stride), stride, image.scanLine(y));
    return image;
}

int decodeCount()
{
    return s_decodeCount;
}

} // namespace pictures
