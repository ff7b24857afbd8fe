#include "pictures.h"

#include "jpegdecoder.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>

namespace pictures {

static int s_decodeCount = 0;

static bool twice(qreal screenRatio)
{
    return screenRatio > 1;
}

Outcome load(int number, QImage *picture, qreal screenRatio)
{
    const bool large = twice(screenRatio);
    QFile file(QStringLiteral(":/pictures/%1%2.jpg").arg(number).arg(large ? QLatin1String("@2x") : QLatin1String()));
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
    if (large)
        image.setDevicePixelRatio(2);
    *picture = std::move(image);
    return Outcome::success();
}

static QImage read(const QString &path)
{
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// ":/logo/logo.png" -> ":/logo/logo@2x.png"
static QString twiceName(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix();
    return path.left(path.size() - suffix.size() - 1) + QLatin1String("@2x.") + suffix;
}

QImage loadBuiltIn(const QString &path, qreal screenRatio)
{
    if (!twice(screenRatio))
        return read(path);
    QImage image = read(twiceName(path));
    image.setDevicePixelRatio(2);
    return image;
}

QIcon loadIcon(const QString &path)
{
    QIcon icon(QPixmap::fromImage(loadBuiltIn(path)));
    icon.addPixmap(QPixmap::fromImage(loadBuiltIn(path, 2)));
    return icon;
}

int decodeCount()
{
    return s_decodeCount;
}

} // namespace pictures
