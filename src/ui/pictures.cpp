#include "pictures.h"

#include "jpegdecoder.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace pictures {

static int s_decodeCount = 0;

Outcome load(int number, QImage *picture)
{
    QFile file(QStringLiteral(":/pictures/%1.jpg").arg(number));
    if (!file.open(QIODevice::ReadOnly))
        return Outcome::failure(QStringLiteral("Picture %1 is missing").arg(number));
    ++s_decodeCount;
    jpeg::Image decoded;
    const Outcome outcome = jpeg::decode(file.readAll(), &decoded);
    if (!outcome.ok())
        return Outcome::failure(QStringLiteral("Picture %1: %2").arg(number).arg(outcome.message()));
    QImage image(decoded.width, decoded.height, QImage::Format_RGB888);
    const int stride = decoded.width * 3;
    for (int y = 0; y < decoded.height; ++y)
        std::copy_n(decoded.rgb.data() + std::size_t(y) * std::size_t(stride), stride, image.scanLine(y));
    *picture = std::move(image);
    return Outcome::success();
}

QImage loadBuiltIn(const QString &path)
{
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

int decodeCount()
{
    return s_decodeCount;
}

} // namespace pictures
