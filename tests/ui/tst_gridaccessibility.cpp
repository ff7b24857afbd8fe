// The channel grid as a screen reader sees it: Qt's own table of the
// sixteen channels under their three headings, the channel numbers also as
// row headers, and its cells' text and action.
//
// The change notifications are not checked here: they go out only while a
// screen reader listens, and the offscreen platform has none.

#include "formtestsupport.h"

#include <QAccessible>

namespace {

QString nameAt(QAccessibleTableInterface *table, int row, int column)
{
    QAccessibleInterface *cell = table->cellAt(row, column);
    return cell ? cell->text(QAccessible::Name) : QStringLiteral("<none>");
}

} // namespace

class TestGridAccessibility : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ui::setUp(); }
    void readsAsATableUnderItsHeadings_data();
    void readsAsATableUnderItsHeadings();
    void cellsActAndFollowTheOrder();
};

void TestGridAccessibility::readsAsATableUnderItsHeadings_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("read");
    QTest::newRow("Czech") << "Czech"
                           << "Vstupní kanály"
                           << QStringList{"Číslo vstupního kanálu", "Typ vstupního modulu", "Poznámka"};
    QTest::newRow("English") << "English"
                             << "Input channels" << QStringList{"Input channel number", "Input module type", "Note"};
}

void TestGridAccessibility::readsAsATableUnderItsHeadings()
{
    QFETCH(QString, language);
    QFETCH(QString, name);
    QFETCH(QStringList, read);
    Forms forms(language, true);
    MainControls &f = forms.f();
    f.order().chooseModel(catalogue::Model::TQ8);
    f.order().fitModule(5, 3);
    f.order().setNote(5, QStringLiteral("boiler\rroom"));

    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(f.channelGrid);
    QCOMPARE(iface->role(), QAccessible::Table);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QAccessibleTableInterface *table = iface->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->rowCount(), 16);
    QCOMPARE(table->columnCount(), 3);
    const QStringList row5{nameAt(table, 4, 0), nameAt(table, 4, 1), nameAt(table, 4, 2)};
    QCOMPARE(row5, (QStringList{"5", "H1I", "boiler room"}));

    // Every cell stands under its heading, read as one line.
    for (int column = 0; column < 3; ++column) {
        QAccessibleTableCellInterface *cell = table->cellAt(4, column)->tableCellInterface();
        QVERIFY(cell);
        QCOMPARE(QPoint(cell->columnIndex(), cell->rowIndex()), QPoint(column, 4));
        const auto headers = cell->columnHeaderCells() + cell->rowHeaderCells();
        QCOMPARE(headers.size(), 2);
        QCOMPARE(headers[0]->role(), QAccessible::ColumnHeader);
        QCOMPARE(headers[0]->text(QAccessible::Name), read[column]);
        QCOMPARE(headers[1]->text(QAccessible::Name), QStringLiteral("5"));
        // The header cells are handed over to the caller.
        for (QAccessibleInterface *header : headers)
            QAccessible::deleteAccessibleInterface(QAccessible::registerAccessibleInterface(header));
    }
    // The headings first, then row by row, each behind its row header.
    QCOMPARE(iface->childCount(), 17 * 4);
    QCOMPARE(iface->child(2)->role(), QAccessible::ColumnHeader);
    QCOMPARE(iface->child(5 * 4)->role(), QAccessible::RowHeader);
    QCOMPARE(iface->child(5 * 4 + 2), table->cellAt(4, 1));
}

void TestGridAccessibility::cellsActAndFollowTheOrder()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    QAccessibleTableInterface *table = QAccessible::queryAccessibleInterface(f.channelGrid)->tableInterface();
    QVERIFY(table);

    // A cell's action selects it.
    QAccessibleInterface *note7 = table->cellAt(6, 2);
    QAccessibleActionInterface *action = note7->actionInterface();
    QVERIFY(action);
    QVERIFY(action->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    action->doAction(QAccessibleActionInterface::toggleAction());
    QCOMPARE(table->selectedCells(), QList<QAccessibleInterface *>{note7});
    QVERIFY(note7->state().selected);

    // A changed note reads its new text.
    f.order().setNote(7, QStringLiteral("kotel"));
    QCOMPARE(note7->text(QAccessible::Name), QStringLiteral("kotel"));

    // The note editor is named after its column and channel.
    f.order().chooseModel(catalogue::Model::TQ8);
    ui::hoverCell(f, 2, 7);
    QTest::keyClick(f.channelGrid, Qt::Key_K);
    QVERIFY(ui::noteEditor(f.channelGrid));
    QCOMPARE(ui::noteEditor(f.channelGrid)->accessibleName(), QStringLiteral("Poznámka 7"));
}

QTEST_MAIN(TestGridAccessibility)
#include "tst_gridaccessibility.moc"
