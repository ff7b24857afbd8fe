// Every compiled-in picture decodes, at its size and at twice it (N@2x.jpg),
// as a baseline colour JPEG; damaged data is reported, never fatal.

#include "jpegdecoder.h"

#include <QFile>
#include <QTest>

class TestPictures : public QObject {
    Q_OBJECT
private slots:
    void everyPictureDecodesAtItsSize_data();
    void everyPictureDecodesAtItsSize();
    void damagedDataIsReported_data();
    void damagedDataIsReported();
};

void TestPictures::everyPictureDecodesAtItsSize_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    const QSize sizes[] = {{200, 88}, {113, 138}, {100, 114}, {150, 102}, {100, 142}, {150, 114}, {150, 113}, {71, 150},
        {150, 121}, {125, 63}, {150, 94}, {150, 96}, {100, 124}, {150, 98}, {150, 75}, {150, 36}, {150, 121},
        {150, 131}, {190, 57}, {190, 86}, {75, 127}, {200, 127}, {100, 98}, {190, 30}, {150, 119}, {164, 150},
        {182, 150}, {200, 113}, {200, 113}, {145, 115}, {138, 150}, {190, 150}, {190, 137}, {525, 700}, {525, 700}};
    for (int n = 1; n <= 35; ++n) {
        QTest::addRow("picture %d", n) << n << QString::number(n) << sizes[n - 1];
        QTest::addRow("picture %d at twice its size", n) << n << QStringLiteral("%1@2x").arg(n) << sizes[n - 1] * 2;
    }
}

void TestPictures::everyPictureDecodesAtItsSize()
{
    QFETCH(int, number);
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFile file(QStringLiteral(":/pictures/%1.jpg").arg(name));
    QVERIFY2(file.open(QIODevice::ReadOnly), "picture resource missing");
    const QByteArray data = file.readAll();
    jpeg::Image image;
    QVERIFY(jpeg::decode(data, &image).ok());
    QCOMPARE(QSize(image.width, image.height), size);
    QCOMPARE(image.components, 3);
    QVERIFY(!image.progressive);
    QCOMPARE(image.rgb.size(), std::size_t(size.width() * size.height() * 3));
    // Not a blank page: a picture has both light and dark pixels.
    const auto [lo, hi] = std::minmax_element(image.rgb.begin(), image.rgb.end());
    QVERIFY(*hi - *lo > 100);
    // The block diagrams are detailed drawings; at twice the size, four
    // times the pixels take about three times the bytes.
    const int most = size.width() > 525 ? 300000 : 120000;
    if (number >= 34)
        QVERIFY2(data.size() > 30000 && data.size() < most, qPrintable(QString::number(data.size())));
}

void TestPictures::damagedDataIsReported_data()
{
    QFile file(QStringLiteral(":/pictures/4.jpg"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();

    QTest::addColumn<QByteArray>("data");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not a JPEG") << QByteArray("GIF89a this is something else entirely");
    QTest::newRow("header only") << good.left(2);
    QTest::newRow("cut inside the header") << good.left(20);
}

void TestPictures::damagedDataIsReported()
{
    QFETCH(QByteArray, data);
    jpeg::Image image;
    image.width = -1;
    const Outcome decoded = jpeg::decode(data, &image);
    QVERIFY(!decoded.ok());
    QVERIFY2(decoded.message().startsWith(QStringLiteral("JPEG ")), qPrintable(decoded.message()));
    QCOMPARE(image.width, -1); // nothing is handed out
}

QTEST_GUILESS_MAIN(TestPictures)
#include "tst_pictures.moc"
