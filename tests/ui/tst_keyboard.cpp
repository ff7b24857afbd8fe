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
    QTRY_COMPARE(focused(), static_cast<QWidget *>(f.StringGrid1));

    // The model: back to the model buttons, an arrow to TQ8R, Space selects it.
    QVERIFY(tabTo(f.RadioButton1, true) || tabTo(f.RadioButton3, true));
    QTest::keyClick(focused(), focused() == f.RadioButton1 ? Qt::Key_Right : Qt::Key_Left);
    QCOMPARE(focused(), static_cast<QWidget *>(f.RadioButton2));
    QTest::keyClick(focused(), Qt::Key_Space);
    QVERIFY(f.RadioButton2->isChecked());
    // The picker is open over channel 1: the third entry is H1I.
    QVERIFY(ui::pickerOpen(f));
    pressInList(f.ComboBox1, 3);
    QCOMPARE(ui::cell(f.StringGrid1, 1, 1), QStringLiteral("H1I"));
    QCOMPARE(focused(), static_cast<QWidget *>(f.StringGrid1));

    // Channel 2 by the arrow key: the picker follows.
    QTest::keyClick(f.StringGrid1, Qt::Key_Down);
    QVERIFY(ui::pickerOpen(f));
    pressInList(f.ComboBox1, 1);
    QCOMPARE(ui::cell(f.StringGrid1, 1, 2), QStringLiteral("H0 "));

    // Accessories: Tab to them, Space ticks; the adapter's list opens.
    QVERIFY(tabTo(f.checkBox(2)));
    QTest::keyClick(f.checkBox(2), Qt::Key_Space);
    QVERIFY(f.checkBox(2)->isChecked());
    QVERIFY(f.ComboBox2->view()->isVisible());
    pressInList(f.ComboBox2, 2);
    QCOMPARE(f.ComboBox2->currentIndex(), 2);
    QVERIFY(tabTo(f.checkBox(27)));
    // Reached by the keyboard far down, it has been scrolled into view.
    const int bottom = f.checkBox(27)->mapTo(&f.window, QPoint(0, f.checkBox(27)->height())).y();
    QVERIFY2(bottom <= f.window.height() && f.ScrollBar1->value() > 0, qPrintable(QString::number(bottom)));
    QTest::keyClick(f.checkBox(27), Qt::Key_Space);
    QCOMPARE(f.order().total(), 18980 + 1975 + 298 + 1960 + 155);

    // Enter is the document button; the contact dialog takes text and Enter.
    ContactDialog *dialog = forms.kontakt.get();
    QTimer::singleShot(0, dialog, [&] {
        const bool ready = QTest::qWaitFor([&] { return focused() == ContactControls(*dialog).Button1; }, 3000);
        if (!ready) {
            dialog->reject(); // the checks below then fail instead of waiting
            return;
        }
        QTest::keyClick(ContactControls(*dialog).Button1, Qt::Key_Tab); // round to the first box
        QTest::keyClicks(focused(), QStringLiteral("Keyboard Ltd"));
        QTest::keyClick(focused(), Qt::Key_Return);
    });
    QTest::keyClick(f.checkBox(27), Qt::Key_Return);
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
    Forms forms(QStringLiteral("Czech"));
    MainControls &f = forms.f();
    QList<QAbstractButton *> captioned{f.RadioButton1, f.RadioButton2, f.RadioButton3, f.BitBtn1, f.BitBtn2, f.BitBtn3};
    for (QCheckBox *box : f.CheckBoxes)
        captioned << box;
    // Without a caption, the name is the widget's own (a list's accessible
    // Name on Linux is its current item; the name reaches it as a relation).
    QWidget *const uncaptioned[] = {
        f.StringGrid1, f.ComboBox1, f.ComboBox2, f.ComboBox3, f.SpeedButton1, f.ScrollBar1, f.Image2};
    QStringList czech;
    for (QWidget *widget : uncaptioned) {
        QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
        czech << widget->accessibleName();
    }
    for (int round = 0; round < 2; ++round) {
        for (QAbstractButton *button : captioned)
            QCOMPARE(accessibleName(button), button->text());
        f.SpeedButton1->click();
    }
    f.SpeedButton1->click();
    for (std::size_t i = 0; i < std::size(uncaptioned); ++i)
        QVERIFY2(uncaptioned[i]->accessibleName() != czech.at(int(i)), qPrintable(czech.at(int(i))));

    forms.kontakt->show();
    for (int i = 0; i < 5; ++i)
        QCOMPARE(accessibleName(ContactControls(*forms.kontakt).Edits[std::size_t(i)]) + QLatin1Char(' '),
            ContactControls(*forms.kontakt).GroupBoxes[std::size_t(i)]->title());
    forms.kontakt->reject();
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
