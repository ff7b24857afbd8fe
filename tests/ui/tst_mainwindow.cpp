// The main window as built: its controls at their places, the start
// language, the scrolling of the left half and the wheel.

#include "accessorylayout.h"
#include "accessorypanel.h"
#include "formtestsupport.h"
#include "glyphbutton.h"
#include "picturebox.h"

#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QScrollBar>

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ui::setUp(); }
    void startLoadsNoImagePlugin(); // first: no other test has loaded one yet
    void controlsAtTheirPlaces_data();
    void controlsAtTheirPlaces();
    void accessoryLayout();
    void extraAccessoryTakesItsPlace_data();
    void extraAccessoryTakesItsPlace();
    void thirdVariantListComesFromItsRow();
    void windowAndFonts();
    void groupBoxLines_data();
    void groupBoxLines();
    void startLanguage_data();
    void startLanguage();
    void scrollBarMovesTheLeftHalf();
    void wheelScrollsByNotches();
    void wheelFocusesTheControlUnderThePointer();
    void wheelLeavesListsAlone();
    void wheelDoesNothingWhileThePickerListIsOpen();
    void escapeAndEnterReachTheButtons();
};

void TestMainWindow::startLoadsNoImagePlugin()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        QSKIP("no /proc here");
    Forms forms(QStringLiteral("Czech"), true);
    QVERIFY(!forms.f().logo->picture().isNull());
    QVERIFY(!forms.f().documentButton->icon().isNull());
    QVERIFY(!forms.f().window.windowIcon().isNull());
    const QByteArray mapped = maps.readAll();
    QVERIFY2(!mapped.contains("/imageformats/"), "an image plugin was loaded at start");
}

void TestMainWindow::controlsAtTheirPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");
    const struct {
        const char *name, *parent;
        QRect geometry;
    } inventory[] = {
        {controlnames::LeftPanel, controlnames::MainWindow, {5, 5, 573, 500}},
        {controlnames::ModelGroup, controlnames::LeftPanel, {12, 6, 549, 56}},
        {controlnames::Tq8Button, controlnames::ModelGroup, {38, 16, 85, 29}},
        {controlnames::Tq8rButton, controlnames::ModelGroup, {214, 16, 105, 29}},
        {controlnames::AssemblyButton, controlnames::ModelGroup, {391, 16, 128, 29}},
        {controlnames::ChannelGrid, controlnames::LeftPanel, {12, 76, 549, 412}},
        {controlnames::PicturePanel, controlnames::MainWindow, {611, 5, 214, 164}},
        {controlnames::Picture, controlnames::PicturePanel, {2, 2, 210, 160}},
        {controlnames::LanguageGroup, controlnames::MainWindow, {612, 171, 214, 57}},
        {controlnames::LanguageButton, controlnames::LanguageGroup, {87, 20, 40, 28}},
        {controlnames::PriceGroup, controlnames::MainWindow, {612, 228, 214, 89}},
        {controlnames::ButtonPanel, controlnames::MainWindow, {612, 323, 214, 122}},
        {controlnames::DiagramButton, controlnames::ButtonPanel, {27, 10, 160, 27}},
        {controlnames::ResetButton, controlnames::ButtonPanel, {27, 44, 160, 27}},
        {controlnames::DocumentButton, controlnames::ButtonPanel, {27, 86, 160, 27}},
        {controlnames::Logo, controlnames::MainWindow, {643, 507, 157, 89}},
        {controlnames::ScrollBar, controlnames::MainWindow, {585, 0, 20, 603}},
        {controlnames::AccessoryGroup, controlnames::MainWindow, {5, 510, 574, 600}},
    };
    for (const auto &c : inventory)
        QTest::newRow(c.name) << c.name << c.parent << c.geometry;
}

void TestMainWindow::controlsAtTheirPlaces()
{
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, geometry);
    Forms forms(QStringLiteral("Czech"));
    auto *control = forms.main->findChild<QWidget *>(name);
    QVERIFY2(control, qPrintable(name));
    QCOMPARE(control->parentWidget()->objectName(), parent);
    QCOMPARE(control->geometry(), geometry);
}

void TestMainWindow::accessoryLayout()
{
    Forms forms(QStringLiteral("Czech"));
    MainControls &f = forms.f();
    const int tops[] = {13, 30, 59, 75, 103, 119, 147, 163, 179, 207, 223, 251, 267, 283, 299, 315, 343, 359, 375, 403,
        419, 435, 451, 479, 495, 511, 527, 555, 579};
    for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag) {
        QCheckBox *box = f.window.findChild<QCheckBox *>(controlnames::accessoryBox(tag));
        QVERIFY(box);
        QCOMPARE(box, f.accessoryBox(tag));
        QCOMPARE(box->parentWidget(), f.accessoryGroup);
        QCOMPARE(box->property("Tag").toInt(), tag);
        QCOMPARE(box->pos(), QPoint(12, tops[tag - 1]));
        QCOMPARE(box->height(), 17);
    }
    const int headingTops[] = {46, 90, 134, 194, 238, 330, 390, 466, 542};
    for (int i = 0; i < 9; ++i) {
        QLabel *heading = f.window.findChild<QLabel *>(controlnames::sectionHeading(i + 1));
        QVERIFY(heading);
        QCOMPARE(heading->parentWidget(), f.accessoryGroup);
        QCOMPARE(heading->y(), headingTops[i]);
    }
    QCOMPARE(f.adapterList->geometry().topLeft(), QPoint(424, 28));
    QCOMPARE(f.adapterList->width(), 145);
    QCOMPARE(f.cableList->geometry().topLeft(), QPoint(492, 357));
    QCOMPARE(f.cableList->width(), 77);
    QVERIFY(!f.adapterList->isEnabled() && !f.cableList->isEnabled());
    QCOMPARE(f.adapterList->currentIndex(), 0);
    QCOMPARE(f.cableList->currentIndex(), 0);
    QCOMPARE(f.textMeasure->pos(), QPoint(445, 64));
    QVERIFY(f.textMeasure->isHidden());
    QVERIFY(f.textMeasure->font().bold());
    const QPoint labels[] = {{8, 36}, {8, 20}, {8, 64}, {59, 64}, {112, 20}, {112, 36}};
    int i = 0;
    for (QLabel *label :
        {f.itemPriceCaption, f.orderCodeCaption, f.totalCaption, f.totalLabel, f.orderCodeLabel, f.itemPriceLabel}) {
        QCOMPARE(label->parentWidget(), f.priceGroup);
        QCOMPARE(label->pos(), labels[i++]);
    }
    QCOMPARE(f.versionLabel->pos(), QPoint(719, 565));
    QCOMPARE(f.versionLabel->text(), QStringLiteral("Version: ") + application::version()); // the project's version
}

// A new accessory is one more descriptor row. Appended after the
// certificate, the row set apart, it continues below it at the pitch of
// its section; its own columns set it apart or make room for a taller list.
void TestMainWindow::extraAccessoryTakesItsPlace_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("listMargin");
    QTest::addColumn<int>("belowCertificate"); // from the certificate's box to the new one
    QTest::addColumn<int>("lineAbove");        // from the certificate's box to a new line; 0: none
    QTest::addColumn<int>("growth");
    QTest::newRow("plain") << 0 << 0 << 16 << 0 << 16;
    QTest::newRow("set apart") << int(catalogue::SetApart) << 0 << 24 << 19 << 24;
    QTest::newRow("taller list") << 0 << 1 << 17 << 0 << 17;
}

void TestMainWindow::extraAccessoryTakesItsPlace()
{
    QFETCH(int, flags);
    QFETCH(int, listMargin);
    QFETCH(int, belowCertificate);
    QFETCH(int, lineAbove);
    QFETCH(int, growth);
    std::vector<catalogue::Accessory> rows(catalogue::Accessories.begin(), catalogue::Accessories.end());
    const accessorylayout::Places real = accessorylayout::walk(rows.data(), rows.size());
    catalogue::Accessory extra = catalogue::accessory(28); // the same section as the certificate
    extra.flags = flags;
    extra.list.margin = listMargin;
    rows.push_back(extra);
    const accessorylayout::Places more = accessorylayout::walk(rows.data(), rows.size());

    const std::size_t n = real.boxTops.size();
    QCOMPARE(more.boxTops.size(), n + 1);
    QVERIFY(more.headingTops == real.headingTops);
    QVERIFY(std::equal(real.boxTops.begin(), real.boxTops.end(), more.boxTops.begin()));
    QCOMPARE(more.boxTops[n] - more.boxTops[n - 1], belowCertificate);
    QVERIFY(std::equal(real.lineTops.begin(), real.lineTops.end(), more.lineTops.begin()));
    QCOMPARE(more.lineTops.size(), real.lineTops.size() + (lineAbove ? 1 : 0));
    if (lineAbove)
        QCOMPARE(more.lineTops.back() - more.boxTops[n - 1], lineAbove);
    QCOMPARE(more.groupHeight, real.groupHeight + growth);
}

// The panel knows a variant list, its place, its items and its pictures by
// its row alone: a third one, after the certificate, stands beside its box
// as the other two do beside theirs, and the hover reports its row.
void TestMainWindow::thirdVariantListComesFromItsRow()
{
    AccessoryPanel::Rows rows = AccessoryPanel::catalogueRows();
    catalogue::Accessory third = catalogue::accessory(28);
    third.captionCz = u"ZK230 - držák kabelu ------ >>>";
    third.captionEn = u"ZK230 - cable holder ------ >>>";
    third.orderCodes = {u"ZK230", u"ZK230-2", u"ZK230-3"};
    third.prices = {u"100", u"200", u"300"};
    third.variants = catalogue::Variants::FromList;
    third.list = {4, {u"1 ks", u"2 ks", u"3 ks"}, {5, 6, 7}, true, 300, 90, 0, u"Počet držáků", u"Holders"};
    rows.push_back(third);

    QWidget window;
    window.setFont(application::formFont());
    OrderModel order;
    AccessoryPanel panel(order, &window, rows);
    panel.showLanguage(catalogue::Language::English);

    auto *certificate = panel.findChild<QCheckBox *>(controlnames::accessoryBox(29));
    auto *box = panel.findChild<QCheckBox *>(controlnames::accessoryBox(30));
    QVERIFY(certificate && box);
    QCOMPARE(certificate->y(), 579); // still set apart below its line
    QCOMPARE(panel.findChild<QFrame *>(controlnames::sectionLine(10))->y(), 574);
    QCOMPARE(box->y(), 579 + 16);
    QCOMPARE(box->text(), QStringLiteral("ZK230 - cable holder ------ >>>"));
    QCOMPARE(panel.height(), box->y() + 17 + 4);

    const struct {
        int control, tag;
        QPoint place;
        QString lastItem;
    } lists[] = {{2, 2, {424, 28}, QStringLiteral("N2203   (24V / 2.5A)")}, {3, 18, {492, 357}, QStringLiteral("10 m")},
        {4, 30, {300, 579 + 16 - 2}, QStringLiteral("3 ks")}};
    for (const auto &l : lists) {
        auto *list = panel.findChild<QComboBox *>(controlnames::variantList(l.control));
        QVERIFY2(list, qPrintable(QString::number(l.control)));
        QCOMPARE(list->geometry().topLeft(), l.place);
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->itemText(2), l.lastItem);
        QVERIFY(!list->isEnabled());
    }
    QCOMPARE(panel.findChildren<QComboBox *>().size(), 3);
    QCOMPARE(panel.findChild<QComboBox *>(controlnames::variantList(4))->accessibleName(), QStringLiteral("Holders"));

    // The pointer on a box: the panel makes it bold and reports its row.
    int reportedTag = 0;
    const catalogue::Accessory *reported = nullptr;
    connect(&panel, &AccessoryPanel::pointerOn, this, [&](int tag, const catalogue::Accessory &row) {
        reportedTag = tag;
        reported = &row;
    });
    for (const int tag : {30, 29}) {
        QWidget *on = panel.findChild<QCheckBox *>(controlnames::accessoryBox(tag));
        ui::moveOver(on);
        QCOMPARE(reportedTag, tag);
        QVERIFY(on->font().bold());
    }
    QVERIFY(reported->flags & catalogue::SetApart);
    QVERIFY(!box->font().bold());
    ui::moveOver(box);
    QCOMPARE(reported->list.control, 4);
    QCOMPARE(catalogue::pictureOf(*reported, 2), 7);
}

void TestMainWindow::windowAndFonts()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    QCOMPARE(f.window.size(), QSize(830, 605));
    QCOMPARE(f.window.minimumSize(), f.window.maximumSize());
    QVERIFY(!(f.window.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(f.window.windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(QApplication::focusWidget(), f.channelGrid);

    QCOMPARE(QFontInfo(f.window.font()).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(f.window.font().pixelSize(), 11);
    QCOMPARE(QFontInfo(f.tq8Button->font()).family(), QStringLiteral("Liberation Serif"));
    QCOMPARE(f.tq8rButton->font().pixelSize(), 29);
    QCOMPARE(f.versionLabel->font().pixelSize(), 13);
    QVERIFY(f.versionLabel->font().bold() && f.totalCaption->font().bold() && f.totalLabel->font().bold());
    QVERIFY(f.documentButton->font().bold() && !f.resetButton->font().bold());
    QVERIFY(f.documentButton->isDefault());
    for (QPushButton *button : {f.resetButton, f.documentButton, f.diagramButton})
        QVERIFY2(!button->icon().pixmap(16).isNull(), qPrintable(button->objectName()));
    QCOMPARE(f.languageButton->glyph().size(), QSize(120, 25));
    QVERIFY(!f.logo->picture().isNull());
    QCOMPARE(f.logo->toolTip(), QString::fromLatin1(MainWindow::MakerWebAddress));
    QCOMPARE(f.scrollBar->minimum(), 0);
    QCOMPARE(f.scrollBar->maximum(), 510);
    QCOMPARE(f.scrollBar->singleStep(), 1);
    QCOMPARE(f.scrollBar->pageStep(), 1);
    QVERIFY(forms.kontakt->isHidden() && forms.image->isHidden());

    // The headings and rows 1..16 fill the grid exactly inside its border.
    QCOMPARE(f.channelGrid->model()->columnCount(), 3);
    const int widths[] = {64, 253, 228};
    for (int column = 0; column < 3; ++column) {
        QCOMPARE(ui::cellRect(f.channelGrid, column, 0).size(), QSize(widths[column], 42));
        for (int row = 1; row <= Order::ChannelCount; ++row)
            QCOMPARE(ui::cellRect(f.channelGrid, column, row).size(), QSize(widths[column], 22));
    }
    for (int row = 1; row <= Order::ChannelCount; ++row)
        QCOMPARE(ui::cell(f.channelGrid, 0, row), QString::number(row));
    QCOMPARE(ui::cellRect(f.channelGrid, 2, 16).bottomRight(),
        QPoint(f.channelGrid->width() - 2, f.channelGrid->height() - 2));
}

// The group boxes are thin grey lines, the caption set into the top one;
// the model's group has the top line alone.
void TestMainWindow::groupBoxLines_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("flat");
    QTest::newRow("model, flat") << QString::fromLatin1(controlnames::ModelGroup) << true;
    QTest::newRow("language, framed") << QString::fromLatin1(controlnames::LanguageGroup) << false;
    QTest::newRow("price, framed") << QString::fromLatin1(controlnames::PriceGroup) << false;
}

void TestMainWindow::groupBoxLines()
{
    QFETCH(QString, name);
    QFETCH(bool, flat);
    Forms forms(QStringLiteral("Czech"), true);
    auto *group = forms.main->findChild<QGroupBox *>(name);
    QVERIFY(group);
    const QImage image = group->grab().toImage();
    const QRgb line = qRgb(0xa0, 0xa0, 0xa0);
    auto isLine = [&](int x, int y) { return (image.pixel(x, y) & 0xffffff) == (line & 0xffffff); };
    const int w = image.width(), h = image.height();
    QVERIFY(isLine(2, 6) && isLine(w - 3, 6));
    // The caption interrupts the top line and is written there.
    int gap = 0;
    for (int x = 7; x < w / 2; ++x)
        gap += isLine(x, 6) ? 0 : 1;
    QVERIFY2(gap > 40, qPrintable(QString::number(gap)));
    QCOMPARE(isLine(0, h / 2), !flat);
    QCOMPARE(isLine(w - 1, h / 2), !flat);
    QCOMPARE(isLine(w / 2, h - 1), !flat);
    QVERIFY(isLine(w - 10, 6) && !isLine(w - 10, 5) && !isLine(w - 10, 7));
}

void TestMainWindow::startLanguage_data()
{
    QTest::addColumn<QString>("system");
    QTest::addColumn<bool>("czech");
    QTest::newRow("Czech") << "Czech" << true;
    QTest::newRow("Slovak") << "Slovak" << false;
    QTest::newRow("English") << "English" << false;
    QTest::newRow("case matters") << "czech" << false;
}

void TestMainWindow::startLanguage()
{
    QFETCH(QString, system);
    QFETCH(bool, czech);
    Forms forms(system);
    MainControls &f = forms.f();
    QCOMPARE(f.currentLanguage() == catalogue::Language::Czech, czech);
    QCOMPARE(f.languageButton->numGlyphs(), czech ? 1 : 3);
    // The button shows the flag that a click selects: British in Czech.
    const QImage shown = f.languageButton->shownImage();
    QCOMPARE(shown.width(), czech ? 120 : 40);
    QCOMPARE(f.window.windowTitle(), czech ? QStringLiteral("Objednací formulář pro ústředny TQ8, TQ8R")
                                           : QStringLiteral("Ordering form for TQ8, TQ8R data loggers"));
}

void TestMainWindow::scrollBarMovesTheLeftHalf()
{
    Forms forms;
    MainControls &f = forms.f();
    f.scrollBar->setValue(200);
    QCOMPARE(f.leftPanel->y(), -195);
    QCOMPARE(f.accessoryGroup->y(), 310);
    QCOMPARE(f.picturePanel->y(), 5); // the right half stays
    f.scrollBar->setValue(510);
    QCOMPARE(f.accessoryGroup->y(), 0);
    f.scrollBar->setValue(0);
    QCOMPARE(f.leftPanel->y(), 5);
    QCOMPARE(f.accessoryGroup->y(), 510);
}

void TestMainWindow::wheelScrollsByNotches()
{
    Forms forms;
    MainControls &f = forms.f();
    QSignalSpy changes(f.scrollBar, &QScrollBar::valueChanged);
    for (int notch = 0; notch < 26; ++notch)
        ui::wheel(f.accessoryGroup, -120);
    QCOMPARE(f.scrollBar->value(), 510);
    QCOMPARE(changes.size(), 26);
    ui::wheel(f.channelGrid, -120); // clamped: no change, nothing moves
    QCOMPARE(changes.size(), 26);
    QCOMPARE(f.accessoryGroup->y(), 0);

    // A wheel that reports in small steps scrolls once per 120 units.
    for (int i = 0; i < 4; ++i)
        ui::wheel(f.channelGrid, 30);
    QCOMPARE(f.scrollBar->value(), 490);
    ui::wheel(f.channelGrid, 60);
    QCOMPARE(f.scrollBar->value(), 490);
    ui::wheel(f.channelGrid, 60);
    QCOMPARE(f.scrollBar->value(), 470);
    // The scroll bar itself moves by the same step, not by its own.
    ui::wheel(f.scrollBar, 120);
    QCOMPARE(f.scrollBar->value(), 450);
    ui::wheel(f.versionLabel, 240); // over the right half too
    QCOMPARE(f.scrollBar->value(), 410);
}

void TestMainWindow::wheelFocusesTheControlUnderThePointer()
{
    Forms forms(QStringLiteral("English"), true);
    MainControls &f = forms.f();
    QCheckBox *box = f.accessoryBox(7);
    ui::wheel(box, -120);
    QCOMPARE(QApplication::focusWidget(), box);
    QCOMPARE(f.scrollBar->value(), 20);
    // A disabled control is not found; its parent has no focus to take.
    f.accessoryBox(8)->setEnabled(false);
    ui::wheel(f.accessoryBox(8), -120);
    QCOMPARE(QApplication::focusWidget(), box);
    QCOMPARE(f.scrollBar->value(), 40);
}

void TestMainWindow::wheelLeavesListsAlone()
{
    Forms forms(QStringLiteral("English"), true);
    MainControls &f = forms.f();
    f.adapterList->setEnabled(true);
    f.adapterList->setCurrentIndex(1);
    ui::wheel(f.adapterList, -120);
    ui::wheel(f.adapterList, 120);
    ui::wheel(f.adapterList, 120);
    QCOMPARE(f.adapterList->currentIndex(), 1);
    QCOMPARE(f.scrollBar->value(), 0);
}

void TestMainWindow::wheelDoesNothingWhileThePickerListIsOpen()
{
    Forms forms(QStringLiteral("English"), true);
    MainControls &f = forms.f();
    BoxAnswers boxes;
    f.tq8Button->setChecked(true);
    QVERIFY(ui::pickerOpen(f));
    ui::wheel(f.accessoryGroup, -120);
    QCOMPARE(f.scrollBar->value(), 0);
}

void TestMainWindow::escapeAndEnterReachTheButtons()
{
    Forms forms(QStringLiteral("English"), true);
    MainControls &f = forms.f();
    QSignalSpy reset(f.resetButton, &QPushButton::clicked);
    QSignalSpy document(f.documentButton, &QPushButton::clicked);
    BoxAnswers boxes;
    boxes.answer = QMessageBox::No;
    // Enter opens the contact dialog; close it again at once.
    f.accessoryBox(5)->setFocus();
    QTest::keyClick(f.accessoryBox(5), Qt::Key_Escape);
    QTest::keyClick(f.accessoryBox(5), Qt::Key_Return);
    QVERIFY(forms.kontakt->isVisible());
    forms.kontakt->reject();
    QCOMPARE(reset.size(), 1);
    QCOMPARE(document.size(), 1);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
