// The channel grid and its picker, driven through real mouse and key events.

#include "formtestsupport.h"
#include "picturebox.h"
#include "pictures.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QRegularExpression>

class TestGrid : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ui::setUp(); }
    void tableFollowsTheOrder();
    void lockedUntilAModelIsChosen_data();
    void lockedUntilAModelIsChosen();
    void pickerOpensOverTheRowAndCommits();
    void interfaceModuleTakesTheLaterRows();
    void releaseOfTheOpeningClickChoosesNothing();
    void separatorItemCountsAsNoModule();
    void enterCommitsAndEscapeHides();
    void focusLossCommits();
    void hoverShowsTheModuleUnderThePointer();
    void hoverAreasEndAtTheirLines_data();
    void hoverAreasEndAtTheirLines();
    void notesAreTypedOnlyInTheNoteColumn();
    void keysMoveTheCurrentCell_data();
    void keysMoveTheCurrentCell();
    void f2EditsTheWholeNote();
    void cellsAreDrawnWithTheirColours();
    void pickerScrollBarShowsWhereTheListIs();
    void noteIsDrawnInsideItsCell_data();
    void noteIsDrawnInsideItsCell();
};

// The grid's table as Qt's model tester sees it while the order changes, and
// what it passes on to the order.
void TestGrid::tableFollowsTheOrder()
{
    Forms forms(QStringLiteral("Czech"));
    MainControls &f = forms.f();
    QAbstractItemModel *table = f.channelGrid->model();
    QAbstractItemModelTester tester(table, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy changed(table, &QAbstractItemModel::dataChanged);
    f.order().chooseModel(catalogue::Model::TQ8R);
    f.order().fitModule(14, 54); // TB: channels 15 and 16 become "---"
    QCOMPARE(changed.size(), 3);
    QCOMPARE(ui::cell(f.channelGrid, 1, 16), QStringLiteral("---"));

    QVERIFY(!(table->flags(table->index(0, 0)) & Qt::ItemIsEditable));
    QVERIFY(table->setData(table->index(3, 2), QStringLiteral("sklep")));
    QCOMPARE(f.order().note(4), QStringLiteral("sklep"));
    QVERIFY(table->setData(table->index(3, 1), 3));
    QCOMPARE(f.order().moduleCode(4), QStringLiteral("H1I"));
    QVERIFY(!table->setData(table->index(3, 0), QStringLiteral("9")));

    f.languageButton->click();
    QCOMPARE(ui::cell(f.channelGrid, 2, 0), QStringLiteral("\rNote"));
    f.order().reset();
    QCOMPARE(ui::cell(f.channelGrid, 1, 14), QString());
}

void TestGrid::lockedUntilAModelIsChosen_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QPoint>("at"); // in the grid; (0, 0) for the module cell of channel 5
    QTest::addColumn<int>("current");
    const QString czech = QStringLiteral("Vyberte nejdříve typ požadované ústředny.");
    QTest::newRow("module, Czech") << "Czech" << czech << QPoint() << 5;
    QTest::newRow("module, English") << "English" << QStringLiteral("Choose first data logger model please.")
                                     << QPoint() << 5;
    QTest::newRow("heading") << "Czech" << czech << QPoint(200, 20) << 1;
    QTest::newRow("border") << "Czech" << czech << QPoint(200, 0) << 1;
}

void TestGrid::lockedUntilAModelIsChosen()
{
    QFETCH(QString, language);
    QFETCH(QString, warning);
    QFETCH(QPoint, at);
    QFETCH(int, current);
    Forms forms(language, true);
    MainControls &f = forms.f();
    BoxAnswers boxes;
    const auto [under, pos] = ui::underGrid(f.channelGrid, at.isNull() ? ui::cellCentre(f.channelGrid, 1, 5) : at);
    QTest::mouseClick(under, Qt::LeftButton, {}, pos);
    QCOMPARE(boxes.texts(), QStringList{warning});
    QCOMPARE(boxes.asked.first().icon, QMessageBox::Warning);
    QVERIFY(!ui::pickerShown(f));
    QCOMPARE(ui::currentRow(f.channelGrid), current);
    QVERIFY(ui::cell(f.channelGrid, 1, 5).isEmpty());
}

void TestGrid::pickerOpensOverTheRowAndCommits()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    BoxAnswers boxes;
    f.order().chooseModel(catalogue::Model::TQ8); // the picker stays closed

    ui::clickCell(f, 1, 5);
    QVERIFY(ui::pickerOpen(f));
    const QRect cell = ui::cellRect(f.channelGrid, 1, 5);
    QCOMPARE(f.modulePicker()->mapTo(f.channelGrid, QPoint()), cell.topLeft());
    QCOMPARE(f.modulePicker()->width(), 253);
    QCOMPARE(f.modulePicker()->currentIndex(), 0);
    QCOMPARE(f.modulePicker()->maxVisibleItems(), 18);
    // The list drops below the box, not over it as the style would have it.
    QVERIFY(f.modulePicker()->view()->window()->geometry().top()
            >= f.modulePicker()->mapToGlobal(f.modulePicker()->rect().bottomLeft()).y());

    ui::choose(f, 3);
    QVERIFY(!ui::pickerShown(f));
    QCOMPARE(ui::cell(f.channelGrid, 1, 5), QStringLiteral("H1I"));
    QCOMPARE(f.order().module(5), 3);
    QCOMPARE(f.orderCodeLabel->text(), QStringLiteral("V4103"));
    QCOMPARE(f.itemPriceLabel->text(), QStringLiteral("1975,-"));
    QCOMPARE(f.totalLabel->text(), QStringLiteral("17965,-"));
    QCOMPARE(QApplication::focusWidget(), f.channelGrid);

    // Reopened, the picker preselects the row's module.
    ui::clickCell(f, 1, 5);
    QVERIFY(ui::pickerOpen(f));
    QCOMPARE(f.modulePicker()->currentIndex(), 3);
    ui::choose(f, 2); // H1: the code is compared whole, not as a prefix
    QCOMPARE(ui::cell(f.channelGrid, 1, 5), QStringLiteral("H1 "));
    ui::clickCell(f, 1, 5);
    QCOMPARE(f.modulePicker()->currentIndex(), 2);
    QVERIFY(boxes.asked.isEmpty());
}

void TestGrid::interfaceModuleTakesTheLaterRows()
{
    Forms forms(QStringLiteral("English"), true);
    MainControls &f = forms.f();
    f.tq8rButton->setChecked(true);
    ui::choose(f, 3); // channel 1: H1I
    ui::assign(f, 2, 1);
    ui::assign(f, 5, 40);
    f.order().setNote(7, QStringLiteral("boiler room"));

    ui::assign(f, 3, 54);
    QCOMPARE(ui::cell(f.channelGrid, 1, 3), QStringLiteral("TB "));
    QCOMPARE(f.order().module(3), 54);
    for (int row = 4; row <= Order::ChannelCount; ++row) {
        QCOMPARE(ui::cell(f.channelGrid, 1, row), QStringLiteral("---"));
        QCOMPARE(f.order().module(row), 0);
    }
    QCOMPARE(ui::cell(f.channelGrid, 1, 1), QStringLiteral("H1I"));
    QCOMPARE(ui::cell(f.channelGrid, 1, 2), QStringLiteral("H0 "));
    QCOMPARE(ui::cell(f.channelGrid, 2, 7), QStringLiteral("boiler room"));
    QCOMPARE(f.order().total(), 18980 + 1975 + 298 + 1980);

    // Cleared rows can be assigned again; TB in the last row touches nothing else.
    ui::assign(f, 16, 54);
    QCOMPARE(ui::cell(f.channelGrid, 1, 15), QStringLiteral("---"));
    ui::assign(f, 15, 1);
    QCOMPARE(ui::cell(f.channelGrid, 1, 15), QStringLiteral("H0 "));
    QCOMPARE(ui::cell(f.channelGrid, 1, 16), QStringLiteral("TB "));
}

void TestGrid::releaseOfTheOpeningClickChoosesNothing()
{
    // Through the window system: the list opens under a pointer that is
    // still pressed, wherever the screen leaves room for it.
    Forms forms(QStringLiteral("English"), true);
    MainControls &f = forms.f();
    ui::click(f.tq8Button);
    ui::choose(f, 1);
    for (int row : {16, 11, 4}) {
        // The closed picker goes, and as a window manager does, the window is
        // active again once the list has gone.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        f.window.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(&f.window));
        const QPoint at = f.channelGrid->mapTo(&f.window, ui::cellCentre(f.channelGrid, 1, row));
        QTest::mousePress(f.window.windowHandle(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(f.window.windowHandle(), Qt::LeftButton, {}, at, 600);
        QVERIFY2(ui::pickerOpen(f), qPrintable(QString::number(row)));
        QCOMPARE(ui::cell(f.channelGrid, 1, row), QString());
        ui::choose(f, 5);
        QCOMPARE(ui::cell(f.channelGrid, 1, row), QStringLiteral("L0I"));
    }
}

void TestGrid::separatorItemCountsAsNoModule()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    f.tq8Button->setChecked(true);
    ui::choose(f, 46);
    QCOMPARE(ui::cell(f.channelGrid, 1, 1), QStringLiteral("---"));
    QCOMPARE(f.order().module(1), 46);
    QCOMPARE(f.orderCodeLabel->text(), QStringLiteral("---"));
    QCOMPARE(f.itemPriceLabel->text(), QStringLiteral("0,-"));
    QCOMPARE(f.totalLabel->text(), QStringLiteral("15990,-"));
}

void TestGrid::enterCommitsAndEscapeHides()
{
    Forms forms(QStringLiteral("English"), true);
    MainControls &f = forms.f();
    f.tq8Button->setChecked(true);
    ui::closeList(f, f.modulePicker());
    QVERIFY(ui::pickerShown(f));
    f.modulePicker()->setCurrentIndex(10);
    QTest::keyClick(f.modulePicker(), Qt::Key_Return);
    QVERIFY(!ui::pickerShown(f));
    QCOMPARE(ui::cell(f.channelGrid, 1, 1), QStringLiteral("V0 "));

    BoxAnswers boxes; // Esc must not reach the reset button
    ui::clickCell(f, 1, 2);
    ui::closeList(f, f.modulePicker());
    QTest::keyClick(f.modulePicker(), Qt::Key_Escape);
    QVERIFY(!ui::pickerShown(f));
    QVERIFY(boxes.asked.isEmpty());
    QCOMPARE(ui::cell(f.channelGrid, 1, 1), QStringLiteral("V0 "));
}

void TestGrid::focusLossCommits()
{
    Forms forms(QStringLiteral("English"), true);
    MainControls &f = forms.f();
    f.tq8Button->setChecked(true);
    ui::closeList(f, f.modulePicker());
    f.modulePicker()->setCurrentIndex(13);
    // Leaving the closed picker for the grid commits the shown item.
    ui::hoverCell(f, 1, 9);
    QVERIFY(!ui::pickerShown(f));
    QCOMPARE(ui::cell(f.channelGrid, 1, 1), QStringLiteral("W0 "));
    QCOMPARE(f.order().module(1), 13);
    QCOMPARE(f.order().total(), 15990 + 550);
}

void TestGrid::hoverShowsTheModuleUnderThePointer()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    f.tq8Button->setChecked(true);
    ui::choose(f, 1);
    ui::assign(f, 2, 3);

    const int decoded = pictures::decodeCount();
    ui::hoverCell(f, 1, 2);
    QCOMPARE(f.orderCodeLabel->text(), QStringLiteral("V4103"));
    QCOMPARE(f.itemPriceLabel->text(), QStringLiteral("1975,-"));
    QCOMPARE(ui::currentRow(f.channelGrid), 2);
    QCOMPARE(f.hover().lastAccessory, -1);
    QCOMPARE(f.picture->picture().size(), QSize(150, 102));
    QCOMPARE(f.channelGrid->cursor().shape(), Qt::PointingHandCursor);

    ui::hoverCell(f, 1, 7); // an empty row
    QCOMPARE(f.orderCodeLabel->text(), QStringLiteral("---"));
    QCOMPARE(f.itemPriceLabel->text(), QStringLiteral("0,-"));
    ui::hoverCell(f, 1, 0); // the heading
    QCOMPARE(f.orderCodeLabel->text(), QStringLiteral("---"));
    ui::hoverCell(f, 2, 2); // the note of a fitted row
    QCOMPARE(f.orderCodeLabel->text(), QStringLiteral("---"));
    QCOMPARE(ui::currentColumn(f.channelGrid), 2);
    QCOMPARE(f.channelGrid->cursor().shape(), Qt::IBeamCursor);
    // Moving within the grid decodes the module picture once per visit.
    QCOMPARE(pictures::decodeCount(), decoded + 1);
    ui::moveOver(f.leftPanel);
    ui::hoverCell(f, 1, 1);
    QCOMPARE(pictures::decodeCount(), decoded + 2);
    QCOMPARE(f.itemPriceLabel->text(), QStringLiteral("298,-"));
}

void TestGrid::hoverAreasEndAtTheirLines_data()
{
    QTest::addColumn<QPoint>("at"); // in the grid's client area, inside its border
    QTest::addColumn<QString>("code");
    QTest::addColumn<QPoint>("current"); // column, channel; (1, 5) where it stays
    // H0 on channel 1, H1I on channel 2.
    QTest::newRow("heading, above its line") << QPoint(150, 41) << "---" << QPoint(1, 5);
    QTest::newRow("the heading's line: channel 1") << QPoint(150, 42) << "V4101" << QPoint(1, 1);
    QTest::newRow("last line of channel 1") << QPoint(150, 64) << "V4101" << QPoint(1, 1);
    QTest::newRow("channel 1's line: channel 2") << QPoint(150, 65) << "V4103" << QPoint(1, 2);
    QTest::newRow("channel numbers") << QPoint(63, 50) << "---" << QPoint(1, 5);
    QTest::newRow("their line: modules") << QPoint(64, 50) << "V4101" << QPoint(1, 1);
    QTest::newRow("last module pixel") << QPoint(317, 50) << "V4101" << QPoint(1, 1);
    QTest::newRow("the modules' line: notes") << QPoint(318, 50) << "---" << QPoint(2, 1);
    QTest::newRow("last note pixel") << QPoint(546, 50) << "---" << QPoint(2, 1);
    QTest::newRow("the notes' line") << QPoint(547, 50) << "---" << QPoint(1, 5);
    QTest::newRow("channel 16") << QPoint(150, 409) << "---" << QPoint(1, 16);
}

void TestGrid::hoverAreasEndAtTheirLines()
{
    QFETCH(QPoint, at);
    QFETCH(QString, code);
    QFETCH(QPoint, current);
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    f.order().fitModule(1, 1);
    f.order().fitModule(2, 3);
    f.channelGrid->setCurrentIndex(f.channelGrid->model()->index(4, 1));
    const auto [under, pos] = ui::underGrid(f.channelGrid, at + f.channelGrid->contentsRect().topLeft());
    ui::moveOver(under, pos);
    QCOMPARE(f.orderCodeLabel->text(), code);
    QCOMPARE(QPoint(ui::currentColumn(f.channelGrid), ui::currentRow(f.channelGrid)), current);
    QCOMPARE(f.hover().gridPictureShown, true);
}

void TestGrid::notesAreTypedOnlyInTheNoteColumn()
{
    Forms forms(QStringLiteral("English"), true);
    MainControls &f = forms.f();
    f.tq8Button->setChecked(true);
    ui::choose(f, 1);

    ui::hoverCell(f, 2, 4);
    QVERIFY(f.channelGrid->noteTypingEnabled());
    ui::clickCell(f, 2, 4);
    QVERIFY(!ui::pickerShown(f));
    QVERIFY(ui::noteEditor(f.channelGrid));
    QTest::keyClicks(ui::noteEditor(f.channelGrid), QStringLiteral("probe in the cellar"));
    QTest::keyClick(ui::noteEditor(f.channelGrid), Qt::Key_Return);
    QCOMPARE(ui::cell(f.channelGrid, 2, 4), QStringLiteral("probe in the cellar"));

    // Typing on a note cell starts its editor; a long note is no problem.
    const QString longNote(1000, QLatin1Char('x'));
    ui::hoverCell(f, 2, 6);
    QTest::keyClicks(f.channelGrid, QStringLiteral("a"));
    QVERIFY(ui::noteEditor(f.channelGrid));
    ui::noteEditor(f.channelGrid)->setText(longNote);
    ui::hoverCell(f, 1, 6); // leaving the notes ends the typing and keeps the text
    QVERIFY(!ui::noteEditor(f.channelGrid));
    QCOMPARE(ui::cell(f.channelGrid, 2, 6), longNote);
    f.channelGrid->grab();

    // Over the module column, keys type nothing.
    QTest::keyClicks(f.channelGrid, QStringLiteral("zz"));
    QVERIFY(!ui::noteEditor(f.channelGrid));
    QCOMPARE(ui::cell(f.channelGrid, 1, 6), QString());
}

void TestGrid::keysMoveTheCurrentCell_data()
{
    QTest::addColumn<QPoint>("from"); // column, channel
    QTest::addColumn<int>("key");
    QTest::addColumn<QPoint>("to");
    QTest::newRow("down") << QPoint(1, 1) << int(Qt::Key_Down) << QPoint(1, 2);
    QTest::newRow("up at the top") << QPoint(1, 1) << int(Qt::Key_Up) << QPoint(1, 1);
    QTest::newRow("down at the bottom") << QPoint(2, 16) << int(Qt::Key_Down) << QPoint(2, 16);
    QTest::newRow("left, never onto the number") << QPoint(1, 5) << int(Qt::Key_Left) << QPoint(1, 5);
    QTest::newRow("left to the module") << QPoint(2, 5) << int(Qt::Key_Left) << QPoint(1, 5);
    QTest::newRow("right at the note") << QPoint(2, 5) << int(Qt::Key_Right) << QPoint(2, 5);
    QTest::newRow("home") << QPoint(2, 7) << int(Qt::Key_Home) << QPoint(1, 7);
    QTest::newRow("end") << QPoint(1, 7) << int(Qt::Key_End) << QPoint(2, 7);
    QTest::newRow("page up") << QPoint(2, 9) << int(Qt::Key_PageUp) << QPoint(2, 1);
    QTest::newRow("page down") << QPoint(1, 9) << int(Qt::Key_PageDown) << QPoint(1, 16);
}

// Without a model the picker stays closed and the keys only move.
void TestGrid::keysMoveTheCurrentCell()
{
    QFETCH(QPoint, from);
    QFETCH(int, key);
    QFETCH(QPoint, to);
    Forms forms(QStringLiteral("English"), true);
    MainControls &f = forms.f();
    ui::hoverCell(f, from.x(), from.y());
    QTest::keyClick(f.channelGrid, Qt::Key(key));
    QCOMPARE(QPoint(ui::currentColumn(f.channelGrid), ui::currentRow(f.channelGrid)), to);
    QVERIFY(!ui::pickerShown(f));
}

void TestGrid::f2EditsTheWholeNote()
{
    Forms forms(QStringLiteral("English"), true);
    MainControls &f = forms.f();
    f.order().setNote(3, QStringLiteral("attic"));
    ui::hoverCell(f, 2, 3);
    QTest::keyClick(f.channelGrid, Qt::Key_F2);
    QLineEdit *editor = ui::noteEditor(f.channelGrid);
    QVERIFY(editor);
    QCOMPARE(editor->selectedText(), QStringLiteral("attic"));
    QTest::keyClicks(editor, QStringLiteral("cellar"));
    QTest::failOnWarning(QRegularExpression(QStringLiteral("editing failed")));
    QTest::keyClick(editor, Qt::Key_F2); // again, in the editor: the typing stays
    QCOMPARE(editor->text(), QStringLiteral("cellar"));
    QTest::keyClick(editor, Qt::Key_Escape); // drops the typing
    QCOMPARE(f.order().note(3), QStringLiteral("attic"));
    QCOMPARE(QApplication::focusWidget(), f.channelGrid);
}

void TestGrid::cellsAreDrawnWithTheirColours()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    const QImage image = f.channelGrid->grab().toImage();
    const QColor yellow(255, 255, 0);
    QCOMPARE(image.pixelColor(ui::cellRect(f.channelGrid, 0, 5).topLeft()), yellow);
    QCOMPARE(image.pixelColor(ui::cellRect(f.channelGrid, 2, 0).bottomRight()), yellow);
    QCOMPARE(image.pixelColor(ui::cellRect(f.channelGrid, 2, 5).topLeft()), QColor(Qt::white));
    // The heading's three lines are drawn from the top of the cell.
    const QRect heading = ui::cellRect(f.channelGrid, 1, 0);
    int inkRows = 0;
    for (int y = heading.top(); y <= heading.bottom(); ++y) {
        bool ink = false;
        for (int x = heading.left(); x <= heading.right() && !ink; ++x)
            ink = image.pixelColor(x, y).lightness() < 100;
        inkRows += ink;
    }
    QVERIFY2(inkRows > 20, qPrintable(QString::number(inkRows)));
}

// The list's scroll bar, as the window shows it, after keys and the pointer
// have moved the list: each time what the style draws for a bar at rest of
// that size, range and place, on the list's background.
void TestGrid::pickerScrollBarShowsWhereTheListIs()
{
    Forms forms(QStringLiteral("English"), true);
    MainControls &f = forms.f();
    f.order().chooseModel(catalogue::Model::TQ8);
    ui::clickCell(f, 1, 3);
    QVERIFY(ui::pickerOpen(f));
    QAbstractItemView *view = f.modulePicker()->view();
    QWidget *list = view->window();
    QScrollBar *bar = view->verticalScrollBar();
    const auto key = [&](Qt::Key k) { QTest::keyClick(view, k); };
    const auto pointerAt = [&](QWidget *w) {
        QTest::mouseMove(list->windowHandle(), w->mapTo(list, w->rect().center()));
    };
    const struct {
        const char *step;
        std::function<void()> move;
    } steps[] = {
        {"opened", [] {}},
        {"page down", [&] { key(Qt::Key_PageDown); }},
        {"one down", [&] { key(Qt::Key_Down); }},
        {"end", [&] { key(Qt::Key_End); }},
        {"one up from the end", [&] { key(Qt::Key_Up); }},
        {"pointer on the bar and off it",
            [&] {
                pointerAt(bar);
                pointerAt(view->viewport());
            }},
        {"home", [&] { key(Qt::Key_Home); }},
    };
    QWidget backdrop(nullptr, Qt::Window);
    backdrop.setPalette(list->palette());
    QScrollBar still(Qt::Vertical, &backdrop);
    still.resize(bar->size());
    int positions = 0;
    for (const auto &step : steps) {
        step.move();
        QCoreApplication::processEvents();
        still.setRange(bar->minimum(), bar->maximum());
        still.setPageStep(bar->pageStep());
        still.setValue(bar->value());
        const QPoint at = bar->mapTo(list, QPoint());
        const QImage shown = list->grab(QRect(at, bar->size())).toImage();
        const QImage drawn = still.grab().toImage();
        QVERIFY2(shown.convertToFormat(QImage::Format_RGB32) == drawn.convertToFormat(QImage::Format_RGB32), step.step);
        positions += bar->value() != 0;
    }
    QVERIFY(positions >= 4);
}

void TestGrid::noteIsDrawnInsideItsCell_data()
{
    QTest::addColumn<QString>("note");
    QTest::newRow("wider than the cell") << QString(300, QLatin1Char('W'));
    QTest::newRow("words wider than the cell") << QStringLiteral("čidlo ve sklepě u kotle ").repeated(12);
    QTest::newRow("more lines than fit") << QStringLiteral("kotel\rsklep\rpůda\rgaráž\rdílna");
}

// However long or tall a note is, drawing it changes no pixel outside its cell.
void TestGrid::noteIsDrawnInsideItsCell()
{
    QFETCH(QString, note);
    Forms forms(QStringLiteral("Czech"), true);
    QTableView *grid = forms.f().channelGrid;
    const QImage without = grid->grab().toImage();
    forms.f().order().setNote(6, note);
    const QImage with = grid->grab().toImage();

    const QRect cell = ui::cellRect(grid, 2, 6);
    int inside = 0, outside = 0;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y))
                ++(cell.contains(x, y) ? inside : outside);
    QVERIFY(inside > 0);
    QCOMPARE(outside, 0);
}

QTEST_MAIN(TestGrid)
#include "tst_grid.moc"
