// A whole order made with the keyboard alone, and names for assistive
// technology on every control a user operates.

#include "formtestsupport.h"
#include "glyphbutton.h"
#include "picturebox.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QTemporaryDir>

namespace {

QString accessibleName(QWidget *widget)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

QWidget *focused()
{
    return QApplication::focusWidget();
}

// Presses Tab (or Shift+Tab) until `target` has the focus; false after a lap.
bool tabTo(QWidget *target, bool backwards = false)
{
    for (int i = 0; i < 80 && focused() != target; ++i)
        QTest::keyClick(focused(), Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
    return focused() == target;
}

void pressInList(QComboBox *list, int downs)
{
    for (int i = 0; i < downs; ++i)
        QTest::keyClick(list->view(), Qt::Key_Down);
    QTest::keyClick(list->view(), Qt::Key_Return);
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ui::setUp(); }
    void wholeOrderByKeyboard();
    void controlsHaveNamesInTheCurrentLanguage();
};

void TestKeyboard::wholeOrderByKeyboard()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    const PrivateConfig config;
    QTRY_COMPARE(focused(), static_cast<QWidget *>(f.channelGrid));

    // The model: back to the model buttons, an arrow to TQ8R, Space selects it.
    QVERIFY(tabTo(f.tq8Button, true) || tabTo(f.assemblyButton, true));
    QTest::keyClick(focused(), focused() == f.tq8Button ? Qt::Key_Right : Qt::Key_Left);
    QCOMPARE(focused(), static_cast<QWidget *>(f.tq8rButton));
    QTest::keyClick(focused(), Qt::Key_Space);
    QVERIFY(f.tq8rButton->isChecked());
    // The picker is open over channel 1: the third entry is H1I.
    QVERIFY(ui::pickerOpen(f));
    pressInList(f.modulePicker(), 3);
    QCOMPARE(ui::cell(f.channelGrid, 1, 1), QStringLiteral("H1I"));
    QCOMPARE(focused(), static_cast<QWidget *>(f.channelGrid));

    // Channel 2 by the arrow key: the picker follows.
    QTest::keyClick(f.channelGrid, Qt::Key_Down);
    QVERIFY(ui::pickerOpen(f));
    pressInList(f.modulePicker(), 1);
    QCOMPARE(ui::cell(f.channelGrid, 1, 2), QStringLiteral("H0 "));

    // Accessories: Tab to them, Space ticks; the adapter's list opens.
    QVERIFY(tabTo(f.accessoryBox(2)));
    QTest::keyClick(f.accessoryBox(2), Qt::Key_Space);
    QVERIFY(f.accessoryBox(2)->isChecked());
    QVERIFY(f.adapterList->view()->isVisible());
    pressInList(f.adapterList, 2);
    QCOMPARE(f.adapterList->currentIndex(), 2);
    QVERIFY(tabTo(f.accessoryBox(27)));
    // Reached by the keyboard far down, it has been scrolled into view.
    const int bottom = f.accessoryBox(27)->mapTo(&f.window, QPoint(0, f.accessoryBox(27)->height())).y();
    QVERIFY2(bottom <= f.window.height() && f.scrollBar->value() > 0, qPrintable(QString::number(bottom)));
    QTest::keyClick(f.accessoryBox(27), Qt::Key_Space);
    QCOMPARE(f.order().total(), 18980 + 1975 + 298 + 1960 + 155);

    // Enter is the document button; the contact dialog takes text and Enter.
    ContactDialog *dialog = forms.kontakt.get();
    QTest::keyClick(f.accessoryBox(27), Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(focused(), static_cast<QWidget *>(ContactControls(*dialog).continueButton), 3000);
    QTest::keyClick(ContactControls(*dialog).continueButton, Qt::Key_Tab); // round to the first box
    QTest::keyClicks(focused(), QStringLiteral("Keyboard Ltd"));
    QTest::keyClick(focused(), Qt::Key_Return);
    ui::waitForDocument(forms);
    QCOMPARE(forms.desktop->opened.size(), 1);
    QFile document(folder.filePath(QStringLiteral("formular.rtf")));
    QVERIFY(document.open(QIODevice::ReadOnly));
    const QByteArray rtf = document.readAll();
    QVERIFY(rtf.contains("H1I"));
    QVERIFY(rtf.contains("N2203"));
    QVERIFY(rtf.contains("Keyboard Ltd"));
    QDir::setCurrent(previous);
}

void TestKeyboard::controlsHaveNamesInTheCurrentLanguage()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    QList<QAbstractButton *> captioned{
        f.tq8Button, f.tq8rButton, f.assemblyButton, f.resetButton, f.documentButton, f.diagramButton};
    for (QCheckBox *box : f.accessoryBoxes)
        captioned << box;
    // Without a caption, the name is the widget's own (a list's accessible
    // Name on Linux is its current item; the name reaches it as a relation).
    QWidget *const uncaptioned[] = {f.channelGrid, f.adapterList, f.cableList, f.languageButton, f.scrollBar, f.logo};
    QStringList czech;
    for (QWidget *widget : uncaptioned) {
        QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
        czech << widget->accessibleName();
    }
    for (int round = 0; round < 2; ++round) {
        for (QAbstractButton *button : captioned)
            QCOMPARE(accessibleName(button), button->text());
        f.languageButton->click();
    }
    f.languageButton->click();
    for (std::size_t i = 0; i < std::size(uncaptioned); ++i)
        QVERIFY2(uncaptioned[i]->accessibleName() != czech.at(int(i)), qPrintable(czech.at(int(i))));

    // The picker is named as it opens, in the language of the moment (English
    // after the three switches).
    f.order().chooseModel(catalogue::Model::TQ8);
    QStringList pickerNames;
    for (int round = 0; round < 2; ++round) {
        ui::clickCell(f, 1, 2);
        QVERIFY(ui::pickerOpen(f));
        pickerNames << f.modulePicker()->accessibleName();
        ui::closeList(f, f.modulePicker());
        QTest::keyClick(f.modulePicker(), Qt::Key_Escape);
        f.languageButton->click();
    }
    QCOMPARE(pickerNames, (QStringList{QStringLiteral("Input module type"), QStringLiteral("Typ vstupního modulu")}));

    forms.kontakt->show();
    for (int i = 0; i < 5; ++i)
        QCOMPARE(accessibleName(ContactControls(*forms.kontakt).edits[std::size_t(i)]) + QLatin1Char(' '),
            ContactControls(*forms.kontakt).groups[std::size_t(i)]->title());
    forms.kontakt->reject();
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
