// The channel grid as a screen reader sees it: a table of the sixteen
// channels under their headings, without the hidden column, whose current
// cell reads as selected and, while the grid has the focus, focused, and
// whose note editor is named after the cell it edits.
//
// The change notifications are not checked here: they go out only while a
// screen reader listens, and the offscreen platform has none.

#include "stringgrid.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <memory>

namespace {

const QStringList CzechHeadings{"Číslo\rvstupního\rkanálu", "Typ\rvstupního\rmodulu", "\rPoznámka"};

// The grid as the main window sets it up, with a marker in the hidden column.
std::unique_ptr<StringGrid> channelGrid(const QStringList &headings = CzechHeadings)
{
    auto grid = std::make_unique<StringGrid>(4, 17);
    const int widths[] = {64, 253, -1, 228};
    const QStringList top{headings[0], headings[1], QStringLiteral("hidden"), headings[2]};
    for (int c = 0; c < 4; ++c) {
        grid->setColumnWidth(c, widths[c]);
        grid->setCell(c, 0, top[c]);
    }
    for (int row = 1; row <= 16; ++row) {
        grid->setCell(0, row, QString::number(row));
        grid->setCell(2, row, QStringLiteral("hidden"));
    }
    grid->setRowHeight(0, 42);
    grid->setEditableColumn(3);
    grid->setAccessibleName(QStringLiteral("Vstupní kanály"));
    grid->resize(549, 412);
    return grid;
}

QString nameAt(QAccessibleTableInterface *table, int row, int column)
{
    QAccessibleInterface *cell = table->cellAt(row, column);
    return cell ? cell->text(QAccessible::Name) : QStringLiteral("<none>");
}

} // namespace

class TestGridAccessibility : public QObject {
    Q_OBJECT
private slots:
    void readsAsATableUnderItsHeadings_data();
    void readsAsATableUnderItsHeadings();
    void currentCellIsSelectedAndFocused();
};

void TestGridAccessibility::readsAsATableUnderItsHeadings_data()
{
    QTest::addColumn<QStringList>("headings");
    QTest::addColumn<QStringList>("read");
    QTest::newRow("Czech") << CzechHeadings
                           << QStringList{"Číslo vstupního kanálu", "Typ vstupního modulu", "Poznámka"};
    QTest::newRow("English") << QStringList{"Input\rchannel\rnumber", "Input\rmodule\rtype", "\rNote"}
                             << QStringList{"Input channel number", "Input module type", "Note"};
}

void TestGridAccessibility::readsAsATableUnderItsHeadings()
{
    QFETCH(QStringList, headings);
    QFETCH(QStringList, read);
    auto grid = channelGrid(headings);
    grid->setCell(1, 5, QStringLiteral("H1I"));
    grid->setCell(3, 5, QStringLiteral("boiler\rroom"));

    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(grid.get());
    QCOMPARE(iface->role(), QAccessible::Table);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Vstupní kanály"));
    QAccessibleTableInterface *table = iface->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->rowCount(), 16);
    QCOMPARE(table->columnCount(), 3);
    const QStringList row5{nameAt(table, 4, 0), nameAt(table, 4, 1), nameAt(table, 4, 2)};
    QCOMPARE(row5, (QStringList{"5", "H1I", "boiler room"}));

    for (int column = 0; column < 3; ++column) {
        QAccessibleTableCellInterface *cell = table->cellAt(4, column)->tableCellInterface();
        QVERIFY(cell);
        QCOMPARE(QPoint(cell->columnIndex(), cell->rowIndex()), QPoint(column, 4));
        const auto headers = cell->columnHeaderCells();
        QCOMPARE(headers.size(), 1);
        QCOMPARE(headers.first()->role(), QAccessible::ColumnHeader);
        QCOMPARE(headers.first()->text(QAccessible::Name), read[column]);
        QCOMPARE(table->columnDescription(column), read[column]);
        QCOMPARE(cell->rowHeaderCells().value(0), table->cellAt(4, 0));
    }

    // Headings first, then row by row; every child knows where it stands,
    // and the hidden column is nowhere.
    QVERIFY(!table->cellAt(4, 3));
    QCOMPARE(iface->childCount(), 17 * 3);
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface *child = iface->child(i);
        QCOMPARE(child->parent(), iface);
        QCOMPARE(iface->indexOfChild(child), i);
        QVERIFY(child->text(QAccessible::Name) != QStringLiteral("hidden"));
    }
    QCOMPARE(iface->child(5 * 3 + 1), table->cellAt(4, 1));

    // A changed cell reads its new text; the cells go with the grid.
    QAccessibleInterface *module = table->cellAt(6, 1);
    grid->setCell(1, 7, QStringLiteral("TB "));
    QCOMPARE(table->cellAt(6, 1), module);
    QCOMPARE(module->text(QAccessible::Name), QStringLiteral("TB"));
    const QAccessible::Id id = QAccessible::uniqueId(module);
    grid.reset();
    QVERIFY(!QAccessible::accessibleInterface(id));
}

void TestGridAccessibility::currentCellIsSelectedAndFocused()
{
    const auto grid = channelGrid();
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(grid.get());
    QAccessibleTableInterface *table = iface->tableInterface();
    QVERIFY(table);
    grid->show();
    grid->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(grid.get()));
    QAccessibleInterface *note7 = table->cellAt(6, 2);
    const QPoint centre = note7->rect().center();
    QCOMPARE(iface->childAt(centre.x(), centre.y()), note7);

    // Unfocused, the current cell is the one selected cell; focused, the
    // grid hands the focus on to it.
    grid->clearFocus();
    grid->setCurrentCell(3, 7);
    QCOMPARE(table->selectedCells(), QList<QAccessibleInterface *>{note7});
    QVERIFY(note7->state().selected && !note7->state().focused);
    QVERIFY(!iface->focusChild());
    grid->setFocus();
    QCOMPARE(iface->focusChild(), note7);
    QVERIFY(note7->state().focused);
    grid->setCurrentCell(1, 2);
    QCOMPARE(table->selectedCells(), QList<QAccessibleInterface *>{table->cellAt(1, 1)});
    QCOMPARE(iface->focusChild(), table->cellAt(1, 1));
    QVERIFY(!note7->state().selected);

    // Typing a note: the editor joins the table as its last child, named
    // after the column and the channel, and has the focus until Enter.
    grid->setEditingEnabled(true);
    grid->setCurrentCell(3, 7);
    QTest::keyClick(grid.get(), Qt::Key_K);
    QCOMPARE(iface->childCount(), 17 * 3 + 1);
    QAccessibleInterface *editor = iface->child(17 * 3);
    QVERIFY(editor);
    QCOMPARE(editor->object(), grid->editor());
    QCOMPARE(editor->text(QAccessible::Name), QStringLiteral("Poznámka 7"));
    QCOMPARE(iface->indexOfChild(editor), 17 * 3);
    QCOMPARE(iface->focusChild(), editor);
    QTest::keyClick(grid->editor(), Qt::Key_Return);
    QCOMPARE(iface->childCount(), 17 * 3);
    QCOMPARE(iface->focusChild(), note7);
    QCOMPARE(note7->text(QAccessible::Name), QStringLiteral("k"));
}

QTEST_MAIN(TestGridAccessibility)
#include "tst_gridaccessibility.moc"
