// On a screen at 200 % the pictures, glyphs, flag and logo are the ones at
// twice their size, painted at their places pixel for pixel; at 100 % the
// loaders give the ones at their size.

#include "formtestsupport.h"
#include "glyphbutton.h"
#include "picturebox.h"
#include "pictures.h"

#include <QApplication>
#include <QPushButton>

namespace {

QImage rgb(const QImage &image)
{
    return image.convertToFormat(QImage::Format_RGB888);
}

} // namespace

class TestHiDpi : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ui::setUp(); }
    void windowShowsTwiceTheSizeAtRatioTwo();
    void loadersGiveTheSizeAsked();
};

void TestHiDpi::windowShowsTwiceTheSizeAtRatioTwo()
{
    Forms forms(QStringLiteral("English"), true);
    MainControls &f = forms.f();
    QCOMPARE(f.window.devicePixelRatioF(), 2.0);

    QCOMPARE(f.logo->picture().size(), QSize(314, 178));
    QCOMPARE(f.logo->picture().devicePixelRatio(), 2.0);
    // The flag strip's British third, in English.
    QCOMPARE(f.languageButton->shownImage().size(), QSize(80, 50));
    QCOMPARE(f.languageButton->shownImage().devicePixelRatio(), 2.0);
    const QPixmap glyph = f.resetButton->icon().pixmap(f.resetButton->iconSize(), 2.0);
    QCOMPARE(glyph.size(), QSize(32, 32));
    QCOMPARE(rgb(glyph.toImage()), rgb(pictures::loadBuiltIn(QStringLiteral(":/glyphs/bitbtn1@2x.png"))));

    // The TQ8 picture (200x113 in a 210x160 box, centred) is painted from
    // the picture at twice its size, pixel for pixel.
    f.window.findChild<ItemPane *>()->showPicture(28);
    const QImage picture = f.picture->picture();
    QCOMPARE(picture.size(), QSize(400, 226));
    QCOMPARE(picture.devicePixelRatio(), 2.0);
    const QImage painted = f.picture->grab().toImage();
    QCOMPARE(painted.size(), QSize(420, 320));
    QCOMPARE(rgb(painted.copy(10, 46, 400, 226)), rgb(picture));

    // The block diagram too.
    f.diagramButton->click();
    const auto *diagram = forms.image->findChild<PictureBox *>();
    QVERIFY(diagram);
    QCOMPARE(diagram->picture().size(), QSize(1050, 1400));
    QCOMPARE(diagram->picture().devicePixelRatio(), 2.0);
    forms.image->reject();
}

void TestHiDpi::loadersGiveTheSizeAsked()
{
    QImage picture;
    QVERIFY(pictures::load(28, &picture, 1).ok());
    QCOMPARE(picture.size(), QSize(200, 113));
    QCOMPARE(picture.devicePixelRatio(), 1.0);
    const int decoded = pictures::decodeCount();
    QVERIFY(pictures::load(28, &picture, 1.25).ok());
    QCOMPARE(picture.size(), QSize(400, 226));
    QCOMPARE(picture.devicePixelRatio(), 2.0);
    QCOMPARE(pictures::decodeCount(), decoded + 1);

    const QString logo = QStringLiteral(":/logo/logo.png");
    QCOMPARE(pictures::loadBuiltIn(logo, 1).size(), QSize(157, 89));
    QCOMPARE(pictures::loadBuiltIn(logo, 1).devicePixelRatio(), 1.0);
    QCOMPARE(pictures::loadBuiltIn(logo, 1.5).size(), QSize(314, 178));
    QCOMPARE(pictures::loadBuiltIn(QStringLiteral(":/glyphs/flags.bmp"), 1.5).size(), QSize(240, 50));
    // At 100 % the button glyph is the one at its size, unscaled.
    const QString glyph = QStringLiteral(":/glyphs/bitbtn2.png");
    const QPixmap shown = pictures::loadIcon(glyph).pixmap(QSize(16, 16), 1.0);
    QCOMPARE(shown.devicePixelRatio(), 1.0);
    QCOMPARE(rgb(shown.toImage()), rgb(pictures::loadBuiltIn(glyph)));
}

int main(int argc, char **argv)
{
    // A screen at 200 %, as Qt scales one; set here rather than by the test's
    // environment, which Wine does not pass on.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestHiDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hidpi.moc"
