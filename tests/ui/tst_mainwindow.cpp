// The main window as built: its controls at their places, the start
// language, the scrolling of the left half and the wheel.

#include "accessorylayout.h"
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
    void extraAccessoryTakesItsPlace();
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
    QVERIFY(!forms.f().Image2->picture().isNull());
    QVERIFY(!forms.f().BitBtn2->icon().isNull());
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
        {"Panel1", "MainForm", {5, 5, 573, 500}},
        {"GroupBox1", "Panel1", {12, 6, 549, 56}},
        {"RadioButton1", "GroupBox1", {38, 16, 85, 29}},
        {"RadioButton2", "GroupBox1", {214, 16, 105, 29}},
        {"RadioButton3", "GroupBox1", {391, 16, 128, 29}},
        {"StringGrid1", "Panel1", {12, 76, 549, 412}},
        {"Panel2", "MainForm", {611, 5, 214, 164}},
        {"Image1", "Panel2", {2, 2, 210, 160}},
        {"GroupBox3", "MainForm", {612, 171, 214, 57}},
        {"SpeedButton1", "GroupBox3", {87, 20, 40, 28}},
        {"GroupBox4", "MainForm", {612, 228, 214, 89}},
        {"Panel4", "MainForm", {612, 323, 214, 122}},
        {"BitBtn3", "Panel4", {27, 10, 160, 27}},
        {"BitBtn1", "Panel4", {27, 44, 160, 27}},
        {"BitBtn2", "Panel4", {27, 86, 160, 27}},
        {"Image2", "MainForm", {643, 507, 157, 89}},
        {"ScrollBar1", "MainForm", {585, 0, 20, 603}},
        {"GroupBox2", "MainForm", {5, 510, 574, 600}},
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
    for (int tag = 1; tag <= 29; ++tag) {
        QCheckBox *box = f.window.findChild<QCheckBox *>(QStringLiteral("CheckBox%1").arg(tag));
        QVERIFY(box);
        QCOMPARE(box, f.checkBox(tag));
        QCOMPARE(box->parentWidget(), f.GroupBox2);
        QCOMPARE(box->property("Tag").toInt(), tag);
        QCOMPARE(box->pos(), QPoint(12, tops[tag - 1]));
        QCOMPARE(box->height(), 17);
    }
    const int headingTops[] = {46, 90, 134, 194, 238, 330, 390, 466, 542};
    for (int i = 0; i < 9; ++i) {
        QLabel *heading = f.window.findChild<QLabel *>(QStringLiteral("Label%1").arg(i + 1));
        QVERIFY(heading);
        QCOMPARE(heading->parentWidget(), f.GroupBox2);
        QCOMPARE(heading->y(), headingTops[i]);
    }
    QCOMPARE(f.ComboBox2->geometry().topLeft(), QPoint(424, 28));
    QCOMPARE(f.ComboBox2->width(), 145);
    QCOMPARE(f.ComboBox3->geometry().topLeft(), QPoint(492, 357));
    QCOMPARE(f.ComboBox3->width(), 77);
    QVERIFY(!f.ComboBox2->isEnabled() && !f.ComboBox3->isEnabled());
    QCOMPARE(f.ComboBox2->currentIndex(), 0);
    QCOMPARE(f.ComboBox3->currentIndex(), 0);
    QCOMPARE(f.TextWidthLabel->pos(), QPoint(445, 64));
    QVERIFY(f.TextWidthLabel->isHidden());
    QVERIFY(f.TextWidthLabel->font().bold());
    const QPoint labels[] = {{8, 36}, {8, 20}, {8, 64}, {59, 64}, {112, 20}, {112, 36}};
    int i = 0;
    for (QLabel *label : {f.Label10, f.Label11, f.Label12, f.Label13, f.Label14, f.Label15}) {
        QCOMPARE(label->parentWidget(), f.GroupBox4);
        QCOMPARE(label->pos(), labels[i++]);
    }
    QCOMPARE(f.Label16->pos(), QPoint(719, 565));
    QCOMPARE(f.Label16->text(), QStringLiteral("Version: 1.2"));
}

// A new accessory is one more descriptor row: the panel's walk places it
// below the others, set apart as the last row was, and the group grows.
void TestMainWindow::extraAccessoryTakesItsPlace()
{
    std::vector<catalogue::Accessory> rows(catalogue::Accessories.begin(), catalogue::Accessories.end());
    const accessorylayout::Places real = accessorylayout::walk(rows.data(), rows.size());
    rows.push_back(rows.back());
    const accessorylayout::Places more = accessorylayout::walk(rows.data(), rows.size());

    const std::size_t n = real.boxTops.size();
    QCOMPARE(more.boxTops.size(), n + 1);
    QVERIFY(more.headingTops == real.headingTops);
    QVERIFY(std::equal(real.boxTops.begin(), real.boxTops.end() - 1, more.boxTops.begin()));
    const int pitch = 16;
    QCOMPARE(more.boxTops[n - 1], real.boxTops[n - 2] + pitch);
    QCOMPARE(more.boxTops[n] - more.boxTops[n - 1], real.boxTops[n - 1] - real.boxTops[n - 2]);
    QCOMPARE(more.lineTops.back() - more.boxTops[n - 1], real.lineTops.back() - real.boxTops[n - 2]);
    QCOMPARE(more.groupHeight, real.groupHeight + pitch);
}

void TestMainWindow::windowAndFonts()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    QCOMPARE(f.window.size(), QSize(830, 605));
    QCOMPARE(f.window.minimumSize(), f.window.maximumSize());
    QVERIFY(!(f.window.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(f.window.windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(QApplication::focusWidget(), f.StringGrid1);

    QCOMPARE(QFontInfo(f.window.font()).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(f.window.font().pixelSize(), 11);
    QCOMPARE(QFontInfo(f.RadioButton1->font()).family(), QStringLiteral("Liberation Serif"));
    QCOMPARE(f.RadioButton2->font().pixelSize(), 29);
    QCOMPARE(f.Label16->font().pixelSize(), 13);
    QVERIFY(f.Label16->font().bold() && f.Label12->font().bold() && f.Label13->font().bold());
    QVERIFY(f.BitBtn2->font().bold() && !f.BitBtn1->font().bold());
    QVERIFY(f.BitBtn2->isDefault());
    for (QPushButton *button : {f.BitBtn1, f.BitBtn2, f.BitBtn3})
        QVERIFY2(!button->icon().pixmap(16).isNull(), qPrintable(button->objectName()));
    QCOMPARE(f.SpeedButton1->glyph().size(), QSize(120, 25));
    QVERIFY(!f.Image2->picture().isNull());
    QCOMPARE(f.Image2->toolTip(), QString::fromLatin1(MainWindow::MakerWebAddress));
    QCOMPARE(f.ScrollBar1->minimum(), 0);
    QCOMPARE(f.ScrollBar1->maximum(), 510);
    QCOMPARE(f.ScrollBar1->singleStep(), 1);
    QCOMPARE(f.ScrollBar1->pageStep(), 1);
    QVERIFY(forms.kontakt->isHidden() && forms.image->isHidden());

    // The headings and rows 1..16 fill the grid exactly inside its border.
    QCOMPARE(f.StringGrid1->model()->columnCount(), 3);
    const int widths[] = {64, 253, 228};
    for (int column = 0; column < 3; ++column) {
        QCOMPARE(ui::cellRect(f.StringGrid1, column, 0).size(), QSize(widths[column], 42));
        for (int row = 1; row <= 16; ++row)
            QCOMPARE(ui::cellRect(f.StringGrid1, column, row).size(), QSize(widths[column], 22));
    }
    for (int row = 1; row <= 16; ++row)
        QCOMPARE(ui::cell(f.StringGrid1, 0, row), QString::number(row));
    QCOMPARE(ui::cellRect(f.StringGrid1, 2, 16).bottomRight(),
        QPoint(f.StringGrid1->width() - 2, f.StringGrid1->height() - 2));
}

// The group boxes are thin grey lines, the caption set into the top one;
// the model's group has the top line alone.
void TestMainWindow::groupBoxLines_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("flat");
    QTest::newRow("model, flat") << QStringLiteral("GroupBox1") << true;
    QTest::newRow("language, framed") << QStringLiteral("GroupBox3") << false;
    QTest::newRow("price, framed") << QStringLiteral("GroupBox4") << false;
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
    QCOMPARE(f.SpeedButton1->numGlyphs(), czech ? 1 : 3);
    // The button shows the flag that a click selects: British in Czech.
    const QImage shown = f.SpeedButton1->shownImage();
    QCOMPARE(shown.width(), czech ? 120 : 40);
    QCOMPARE(f.window.windowTitle(), czech ? QStringLiteral("Objednací formulář pro ústředny TQ8, TQ8R")
                                           : QStringLiteral("Ordering form for TQ8, TQ8R data loggers"));
    QCOMPARE(f.ComboBox1->count(), 55);
    QCOMPARE(f.ComboBox1->currentIndex(), 0);
}

void TestMainWindow::scrollBarMovesTheLeftHalf()
{
    Forms forms;
    MainControls &f = forms.f();
    f.ScrollBar1->setValue(200);
    QCOMPARE(f.Panel1->y(), -195);
    QCOMPARE(f.GroupBox2->y(), 310);
    QCOMPARE(f.Panel2->y(), 5); // the right half stays
    f.ScrollBar1->setValue(510);
    QCOMPARE(f.GroupBox2->y(), 0);
    f.ScrollBar1->setValue(0);
    QCOMPARE(f.Panel1->y(), 5);
    QCOMPARE(f.GroupBox2->y(), 510);
}

void TestMainWindow::wheelScrollsByNotches()
{
    Forms forms;
    MainControls &f = forms.f();
    QSignalSpy changes(f.ScrollBar1, &QScrollBar::valueChanged);
    for (int notch = 0; notch < 26; ++notch)
        ui::wheel(f.GroupBox2, -120);
    QCOMPARE(f.ScrollBar1->value(), 510);
    QCOMPARE(changes.size(), 26);
    ui::wheel(f.StringGrid1, -120); // clamped: no change, nothing moves
    QCOMPARE(changes.size(), 26);
    QCOMPARE(f.GroupBox2->y(), 0);

    // A wheel that reports in small steps scrolls once per 120 units.
    for (int i = 0; i < 4; ++i)
        ui::wheel(f.StringGrid1, 30);
    QCOMPARE(f.ScrollBar1->value(), 490);
    ui::wheel(f.StringGrid1, 60);
    QCOMPARE(f.ScrollBar1->value(), 490);
    ui::wheel(f.StringGrid1, 60);
    QCOMPARE(f.ScrollBar1->value(), 470);
    // The scroll bar itself moves by the same step, not by its own.
    ui::wheel(f.ScrollBar1, 120);
    QCOMPARE(f.ScrollBar1->value(), 450);
    ui::wheel(f.Label16, 240); // over the right half too
    QCOMPARE(f.ScrollBar1->value(), 410);
}

void TestMainWindow::wheelFocusesTheControlUnderThePointer()
{
    Forms forms(QStringLiteral("English"), true);
    MainControls &f = forms.f();
    QCheckBox *box = f.checkBox(7);
    ui::wheel(box, -120);
    QCOMPARE(QApplication::focusWidget(), box);
    QCOMPARE(f.ScrollBar1->value(), 20);
    // A disabled control is not found; its parent has no focus to take.
    f.checkBox(8)->setEnabled(false);
    ui::wheel(f.checkBox(8), -120);
    QCOMPARE(QApplication::focusWidget(), box);
    QCOMPARE(f.ScrollBar1->value(), 40);
}

void TestMainWindow::wheelLeavesListsAlone()
{
    Forms forms(QStringLiteral("English"), true);
    MainControls &f = forms.f();
    f.ComboBox2->setEnabled(true);
    f.ComboBox2->setCurrentIndex(1);
    ui::wheel(f.ComboBox2, -120);
    ui::wheel(f.ComboBox2, 120);
    ui::wheel(f.ComboBox2, 120);
    QCOMPARE(f.ComboBox2->currentIndex(), 1);
    QCOMPARE(f.ScrollBar1->value(), 0);
}

void TestMainWindow::wheelDoesNothingWhileThePickerListIsOpen()
{
    Forms forms(QStringLiteral("English"), true);
    MainControls &f = forms.f();
    BoxAnswers boxes;
    f.RadioButton1->setChecked(true);
    QVERIFY(ui::pickerOpen(f));
    ui::wheel(f.GroupBox2, -120);
    QCOMPARE(f.ScrollBar1->value(), 0);
}

void TestMainWindow::escapeAndEnterReachTheButtons()
{
    Forms forms(QStringLiteral("English"), true);
    MainControls &f = forms.f();
    QSignalSpy reset(f.BitBtn1, &QPushButton::clicked);
    QSignalSpy document(f.BitBtn2, &QPushButton::clicked);
    BoxAnswers boxes;
    boxes.answer = QMessageBox::No;
    // Enter opens the contact dialog; close it again at once.
    QTimer::singleShot(0, forms.kontakt.get(), [&] { forms.kontakt->reject(); });
    f.checkBox(5)->setFocus();
    QTest::keyClick(f.checkBox(5), Qt::Key_Escape);
    QTest::keyClick(f.checkBox(5), Qt::Key_Return);
    QCOMPARE(reset.size(), 1);
    QCOMPARE(document.size(), 1);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
