// What the pointer is over: pictures, order codes, prices, emphasis; the
// logo link and the block-diagram window.

#include "formtestsupport.h"
#include "glyphbutton.h"
#include "picturebox.h"
#include "pictures.h"
#include "procstatus.h"

#include <QFile>
#include <QGroupBox>

namespace {

bool isWhite(const QImage &image)
{
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            if (image.pixelColor(x, y) != QColor(Qt::white))
                return false;
    return true;
}

void fitModules(MainControls &f, int count, int separators = 0)
{
    // W1 on the first `count` channels, the "---" entry on the next ones.
    for (int row = 1; row <= count + separators; ++row)
        f.order().fitModule(row, row <= count ? 15 : 46);
}

} // namespace

class TestHover : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ui::setUp(); }
    void radioButtonsShowTheirModel();
    void checkBoxesShowTheirAccessory();
    void variantsDecideWhatIsShown();
    void calibrationFollowsTheFittedChannels_data();
    void calibrationFollowsTheFittedChannels();
    void leavingItems();
    void hoverTakesTheFocus();
    void missingPictureKeepsThePreviousOne();
    void logoOpensTheMakersSite();
    void diagramInTheCurrentLanguage();
    void diagramKeepsMemoryFlat();
};

void TestHover::radioButtonsShowTheirModel()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    const int start = pictures::decodeCount();
    ui::moveOver(f.tq8Button);
    QCOMPARE(f.picture->picture().size(), QSize(200, 113));
    QCOMPARE(f.orderCodeLabel->text(), QStringLiteral("TQ8"));
    QCOMPARE(f.itemPriceLabel->text(), QStringLiteral("15990,-"));
    QVERIFY(f.tq8Button->font().bold());

    // Across the group box to the next button: cleared on the way, then loaded.
    ui::moveOver(f.modelGroup);
    QVERIFY(isWhite(f.picture->picture()));
    QCOMPARE(f.orderCodeLabel->text(), QStringLiteral("---"));
    QVERIFY(!f.tq8Button->font().bold());
    ui::moveOver(f.tq8rButton, QPoint(5, 5));
    for (int x = 6; x < 60; x += 9)
        ui::moveOver(f.tq8rButton, QPoint(x, 12));
    QCOMPARE(pictures::decodeCount(), start + 2);
    QCOMPARE(f.orderCodeLabel->text(), QStringLiteral("TQ8R"));

    ui::moveOver(f.assemblyButton);
    QCOMPARE(f.picture->picture().size(), QSize(182, 150));
    QVERIFY(f.assemblyButton->font().bold() && !f.tq8rButton->font().bold());
    ui::moveOver(f.tq8rButton);
    QCOMPARE(f.picture->picture().size(), QSize(200, 113));
    QCOMPARE(f.itemPriceLabel->text(), QStringLiteral("18980,-"));
    QCOMPARE(pictures::decodeCount(), start + 4);
}

// The pointer onto accessory `tag`: the price group shows its order code
// and price, the picture area its picture.
static void pointAtAccessory(MainControls &f, int tag, const char *code, const char *price, QSize picture)
{
    ui::moveOver(f.accessoryBox(tag));
    QCOMPARE(f.orderCodeLabel->text(), QLatin1String(code));
    QCOMPARE(f.itemPriceLabel->text(), QLatin1String(price));
    QCOMPARE(f.picture->picture().size(), picture);
}

void TestHover::checkBoxesShowTheirAccessory()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    const int start = pictures::decodeCount();
    pointAtAccessory(f, 4, "ZK202", "195,-", QSize(150, 94));
    ui::moveOver(f.accessoryBox(14));
    QCOMPARE(f.orderCodeLabel->text(), QStringLiteral("ZK202"));
    QCOMPARE(pictures::decodeCount(), start + 2); // the tags differ

    // Within the box nothing is decoded again; it stays bold and fitted.
    for (int x = 5; x < 100; x += 10)
        ui::moveOver(f.accessoryBox(14), QPoint(x, 8));
    QCOMPARE(pictures::decodeCount(), start + 2);
    QCOMPARE(f.hover().lastAccessory, 14);
    QVERIFY(f.accessoryBox(14)->font().bold() && !f.accessoryBox(4)->font().bold());
    QFont bold = f.accessoryBox(14)->font();
    QCOMPARE(f.accessoryBox(14)->width(), QFontMetrics(bold).horizontalAdvance(f.accessoryBox(14)->text()) + 20);

    // Onto the group box and back: emphasis goes and comes, no decoding.
    ui::moveOver(f.accessoryGroup, QPoint(400, 290));
    QVERIFY(!f.accessoryBox(14)->font().bold());
    QCOMPARE(f.orderCodeLabel->text(), QStringLiteral("ZK202"));
    QVERIFY(!isWhite(f.picture->picture()));
    ui::moveOver(f.accessoryBox(14));
    QVERIFY(f.accessoryBox(14)->font().bold());
    QCOMPARE(pictures::decodeCount(), start + 2);

    // Every accessory has a picture of its own size.
    const QSize sizes[] = {{145, 115}, {200, 88}, {125, 63}, {150, 94}, {190, 57}, {190, 86}, {150, 121}, {150, 131},
        {138, 150}, {75, 127}, {100, 142}, {150, 98}, {100, 124}, {150, 94}, {150, 75}, {150, 36}, {150, 96},
        {100, 124}, {150, 119}, {150, 113}, {71, 150}, {150, 121}, {190, 150}, {200, 127}, {150, 114}, {100, 98},
        {190, 30}, {164, 150}, {190, 137}};
    for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag) {
        ui::moveOver(f.accessoryBox(tag));
        QCOMPARE(f.picture->picture().size(), sizes[tag - 1]);
        QCOMPARE(f.orderCodeLabel->text(), catalogue::accessoryOrderCode(tag, 0));
    }
}

void TestHover::variantsDecideWhatIsShown()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    f.adapterList->setCurrentIndex(2);
    pointAtAccessory(f, 2, "N2203", "1960,-", QSize(100, 114));

    // A choice in the list shows its adapter and re-arms the hover.
    f.accessoryBox(2)->setChecked(true);
    f.adapterList->view()->setCurrentIndex(f.adapterList->model()->index(0, 0));
    QTest::keyClick(f.adapterList->view(), Qt::Key_Return);
    QCOMPARE(f.picture->picture().size(), QSize(200, 88));
    QCOMPARE(f.hover().lastAccessory, -1);
    const int before = pictures::decodeCount();
    ui::moveOver(f.accessoryBox(2));
    QCOMPARE(pictures::decodeCount(), before + 1);
    QCOMPARE(f.orderCodeLabel->text(), QStringLiteral("N2201"));

    f.cableList->setCurrentIndex(2);
    pointAtAccessory(f, 18, "ZK211-10", "980,-", QSize(100, 124));
    ui::moveOver(f.accessoryBox(13));
    QCOMPARE(f.orderCodeLabel->text(), QStringLiteral("ZK211"));
    QCOMPARE(f.picture->picture().size(), QSize(100, 124));
}

void TestHover::calibrationFollowsTheFittedChannels_data()
{
    QTest::addColumn<int>("fitted");
    QTest::addColumn<int>("separators");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("price");
    QTest::newRow("none") << 0 << 0 << "SVC810"
                          << "1900,-";
    QTest::newRow("8") << 8 << 0 << "SVC810"
                       << "1900,-";
    QTest::newRow("9") << 9 << 0 << "SVC811"
                       << "2700,-";
    QTest::newRow("8 and separators") << 8 << 5 << "SVC810"
                                      << "1900,-";
}

void TestHover::calibrationFollowsTheFittedChannels()
{
    QFETCH(int, fitted);
    QFETCH(int, separators);
    QFETCH(QString, code);
    QFETCH(QString, price);
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    fitModules(f, fitted, separators);
    ui::moveOver(f.accessoryBox(29));
    QCOMPARE(f.order().fittedChannels(), fitted);
    QCOMPARE(f.orderCodeLabel->text(), code);
    QCOMPARE(f.itemPriceLabel->text(), price);
    QCOMPARE(f.picture->picture().size(), QSize(190, 137));
}

void TestHover::leavingItems()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    ui::moveOver(f.accessoryBox(6));
    ui::moveOver(&f.window, QPoint(590, 560)); // bare window ground
    QVERIFY(isWhite(f.picture->picture()));
    QCOMPARE(f.orderCodeLabel->text(), QStringLiteral("---"));
    QCOMPARE(f.itemPriceLabel->text(), QStringLiteral("0,-"));
    QCOMPARE(f.hover().lastAccessory, -1);
    // Controls without a handler change nothing.
    ui::moveOver(f.accessoryBox(6));
    ui::moveOver(f.picturePanel);
    ui::moveOver(f.priceGroup);
    ui::moveOver(f.versionLabel);
    QCOMPARE(f.orderCodeLabel->text(), QStringLiteral("ZK204"));
    // A disabled box gives the pointer to its group box.
    ui::click(f.assemblyButton);
    ui::choose(f, 0);
    ui::moveOver(f.accessoryBox(5));
    ui::moveOver(f.accessoryBox(17));
    QVERIFY(!f.accessoryBox(17)->font().bold() && !f.accessoryBox(5)->font().bold());
    QCOMPARE(f.orderCodeLabel->text(), QStringLiteral("ZK203"));
}

void TestHover::hoverTakesTheFocus()
{
    Forms forms(QStringLiteral("English"), true);
    MainControls &f = forms.f();
    ui::click(f.tq8Button);
    ui::closeList(f, f.modulePicker());
    f.modulePicker()->setCurrentIndex(29);
    ui::moveOver(f.accessoryBox(11));

    QCOMPARE(QApplication::focusWidget(), f.accessoryBox(11));
    // The picker lost the focus, which commits it.
    QVERIFY(!ui::pickerShown(f));
    QCOMPARE(ui::cell(f.channelGrid, 1, 1), QStringLiteral("X  "));
}

void TestHover::missingPictureKeepsThePreviousOne()
{
    Forms forms(QStringLiteral("Czech"));
    MainControls &f = forms.f();
    ItemPane *pane = f.window.findChild<ItemPane *>();
    pane->showPicture(5);
    const qint64 shown = f.picture->picture().cacheKey();
    // A picture the program does not hold is reported in the error box.
    BoxAnswers boxes;
    for (int number : {99, 0}) {
        pane->showPicture(number);
        QCOMPARE(boxes.asked.last().icon, QMessageBox::Critical);
        QCOMPARE(boxes.asked.last().text, QStringLiteral("Picture %1 is missing").arg(number));
        QCOMPARE(f.picture->picture().cacheKey(), shown);
    }
    QCOMPARE(boxes.asked.size(), 2);
}

void TestHover::logoOpensTheMakersSite()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    BoxAnswers boxes;
    QTest::mouseClick(f.logo, Qt::LeftButton);
    QCOMPARE(forms.desktop->urls, QList<QUrl>{QUrl(QString::fromLatin1(MainWindow::MakerWebAddress))});
    forms.desktop->browserMissing = true; // no browser: nothing is shown
    QTest::mouseClick(f.logo, Qt::LeftButton);
    QCOMPARE(forms.desktop->urls.size(), 2);
    QCOMPARE(forms.desktop->failedUrls.size(), 1);
    QVERIFY(boxes.asked.isEmpty());
}

void TestHover::diagramInTheCurrentLanguage()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    DiagramWindow &diagram = *forms.image;
    QImage czech, english;
    QVERIFY(pictures::load(34, &czech).ok() && pictures::load(35, &english).ok());
    QVERIFY(czech != english);

    const auto shownPicture = [&] {
        return diagram.findChild<PictureBox *>(QString::fromLatin1(controlnames::Diagram))->picture();
    };
    ui::click(f.diagramButton);
    // Modal for the user: the main window takes no input meanwhile.
    QVERIFY(diagram.isVisible() && diagram.isModal());
    QVERIFY(QApplication::activeModalWidget() == &diagram);
    QCOMPARE(shownPicture(), czech);
    QTest::keyClick(&diagram, Qt::Key_A); // other keys do nothing
    QTest::keyClick(&diagram, Qt::Key_Return);
    QTest::mouseClick(diagram.findChild<PictureBox *>(QString::fromLatin1(controlnames::Diagram)), Qt::LeftButton);
    QVERIFY(diagram.isVisible());
    QTest::keyClick(&diagram, Qt::Key_Escape);
    QVERIFY(diagram.isHidden());
    QCOMPARE(diagram.size(), QSize(525, 700));
    QVERIFY(diagram.windowTitle().isEmpty());
    QVERIFY(diagram.windowFlags() & Qt::Tool);

    f.languageButton->click();
    ui::click(f.diagramButton);
    QCOMPARE(shownPicture(), english);
    diagram.close();
    QVERIFY(diagram.isHidden());
}

void TestHover::diagramKeepsMemoryFlat()
{
    // Checked by a loop: each opening decodes one picture and releases the
    // one before, so resident memory stays where the first openings left it.
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("freed memory stays in the address sanitizer's quarantine; its leak check covers this build");
#endif
    Forms forms(QStringLiteral("English"), true);
    MainControls &f = forms.f();
    const auto openAndClose = [&] {
        f.diagramButton->click();
        forms.image->reject();
    };
    for (int i = 0; i < 10; ++i)
        openAndClose();
    const long before = procStatusKb("VmRSS");
    if (before < 0)
        QSKIP("no /proc here");
    for (int i = 0; i < 150; ++i)
        openAndClose();
    const long grown = procStatusKb("VmRSS") - before;
    // A kept picture would be 1.1 MB per opening, 160 MB over the loop.
    QVERIFY2(grown < 8 * 1024, qPrintable(QStringLiteral("grew by %1 kB").arg(grown)));
    QCOMPARE(forms.image->findChild<PictureBox *>(QString::fromLatin1(controlnames::Diagram))->picture().size(),
        QSize(525, 700));
}

QTEST_MAIN(TestHover)
#include "tst_hover.moc"
