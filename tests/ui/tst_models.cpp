// Model choice and the rules it imposes, the variant lists and the reset.

#include "formtestsupport.h"
#include "picturebox.h"

namespace {

struct BoxState {
    bool ticked;
    bool enabled;
};

BoxState state(MainControls &f, int tag)
{
    return {f.accessoryBox(tag)->isChecked(), f.accessoryBox(tag)->isEnabled()};
}

bool listOpen(QComboBox *list)
{
    return list->view()->isVisible();
}

// Chooses item `index` of an open variant list with the keyboard.
void chooseIn(QComboBox *list, int index)
{
    list->view()->setCurrentIndex(list->view()->model()->index(index, 0));
    QTest::keyClick(list->view(), Qt::Key_Return);
}

} // namespace

class TestModels : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ui::setUp(); }
    void modelRules_data();
    void modelRules();
    void choosingTheSelectedModelAgainDoesNothing();
    void pickerOpensOnChannelOneOrTheCurrentRow();
    void adapterListFollowsItsBox();
    void cableListFollowsItsBox();
    void listOpensOnTheUsersTickOnly_data();
    void listOpensOnTheUsersTickOnly();
    void resetAnsweredNoChangesNothing();
    void resetRestoresTheStartState();
    void escapeAsksForTheReset();
};

void TestModels::modelRules_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("before"); // model chosen first, or empty
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("total");

    QTest::newRow("TQ8 from the start") << "Czech"
                                        << "" << QList<int>{} << "TQ8" << 15990;
    QTest::newRow("ZK222 from the start") << "Czech"
                                          << "" << QList<int>{} << "ZK222" << 23050;
    QTest::newRow("ZK222 then TQ8") << "Czech"
                                    << "ZK222" << QList<int>{} << "TQ8" << 15990;
    QTest::newRow("TQ8 to TQ8R unticks the bound boxes") << "Czech"
                                                         << "TQ8" << QList<int>{3, 28, 11} << "TQ8R" << 18980 + 3490;
    QTest::newRow("ZK222 keeps other accessories") << "Czech"
                                                   << "TQ8" << QList<int>{10, 28} << "ZK222" << 23050 + 450;
    QTest::newRow("ZK222 after the cable was offered") << "Czech"
                                                       << "TQ8" << QList<int>{18, 10} << "ZK222" << 23050 + 450;
    QTest::newRow("ZK222 in English enables the certificate") << "English"
                                                              << "TQ8R" << QList<int>{} << "ZK222" << 23050;
}

void TestModels::modelRules()
{
    QFETCH(QString, language);
    QFETCH(QString, before);
    QFETCH(QList<int>, ticked);
    QFETCH(QString, model);
    QFETCH(int, total);
    Forms forms(language, true);
    MainControls &f = forms.f();
    const auto radio = [&f](const QString &name) {
        return name == "TQ8" ? f.tq8Button : name == "TQ8R" ? f.tq8rButton : f.assemblyButton;
    };
    if (!before.isEmpty())
        ui::click(radio(before));
    f.cableList->setCurrentIndex(1);
    for (int tag : ticked)
        f.accessoryBox(tag)->setChecked(true);
    ui::closeList(f, f.cableList);
    const bool certificateEnabled = f.accessoryBox(29)->isEnabled();

    ui::click(radio(model));
    QVERIFY(radio(model)->isChecked());
    QVERIFY(ui::pickerOpen(f));
    const bool assembly = model == "ZK222";
    for (int tag : {3, 17, 18})
        QCOMPARE(state(f, tag).ticked, assembly);
    for (int tag : {3, 17, 18, 28})
        QCOMPARE(state(f, tag).enabled, !assembly);
    QVERIFY(!f.accessoryBox(28)->isChecked());
    QVERIFY(!f.cableList->isEnabled());
    QVERIFY(!listOpen(f.cableList));
    QCOMPARE(f.cableList->font().bold(), assembly);
    QCOMPARE(f.cableList->currentIndex(), 1); // the chosen length survives
    for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag) {
        if (tag == 3 || tag == 17 || tag == 18 || tag == 28)
            continue;
        QCOMPARE(state(f, tag).ticked, ticked.contains(tag));
        if (assembly)
            QVERIFY(state(f, tag).enabled);
    }
    if (!assembly)
        QCOMPARE(f.accessoryBox(29)->isEnabled(), certificateEnabled);
    QCOMPARE(f.order().total(), total);
    QCOMPARE(f.totalLabel->text(), catalogue::priceText(total));
}

void TestModels::choosingTheSelectedModelAgainDoesNothing()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    ui::click(f.assemblyButton);
    ui::choose(f, 5);
    f.accessoryBox(3)->setEnabled(true); // a state the handler would change
    ui::click(f.assemblyButton);
    QVERIFY(!ui::pickerShown(f));
    QVERIFY(f.accessoryBox(3)->isEnabled());
    QCOMPARE(f.order().total(), 23050 + 2227);
}

void TestModels::pickerOpensOnChannelOneOrTheCurrentRow()
{
    Forms forms(QStringLiteral("English"), true);
    MainControls &f = forms.f();
    ui::hoverCell(f, 1, 6);
    ui::click(f.tq8Button);
    QVERIFY(ui::pickerOpen(f));
    QCOMPARE(ui::currentRow(f.channelGrid), 1); // channel 1 is still empty
    ui::choose(f, 8);

    ui::hoverCell(f, 1, 6);
    // The keyboard selects the next model; the picker follows the current row.
    f.tq8Button->setFocus();
    QTest::keyClick(f.tq8Button, Qt::Key_Right);
    QVERIFY(f.tq8rButton->isChecked());
    QVERIFY(ui::pickerOpen(f));
    QCOMPARE(ui::currentRow(f.channelGrid), 6);
    QCOMPARE(f.modulePicker()->mapTo(f.channelGrid, QPoint()), ui::cellRect(f.channelGrid, 1, 6).topLeft());
    // The picker has the focus, not the radio button: leaving it commits it,
    // and no stray picker stays behind over another row.
    ui::closeList(f, f.modulePicker());
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f.modulePicker()));
    ui::hoverCell(f, 1, 9);
    QVERIFY(!ui::pickerShown(f));
    QCOMPARE(ui::cell(f.channelGrid, 1, 6), QStringLiteral("---"));
    QCOMPARE(ui::cell(f.channelGrid, 1, 9), QString());
}

void TestModels::adapterListFollowsItsBox()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    ui::click(f.tq8Button);
    ui::choose(f, 0);
    QCheckBox *adapter = f.accessoryBox(2);
    ui::click(adapter);
    QVERIFY(adapter->isChecked());
    QVERIFY(f.adapterList->isEnabled() && f.adapterList->font().bold() && listOpen(f.adapterList));
    QCOMPARE(f.order().total(), 15990 + 680);

    chooseIn(f.adapterList, 1);
    QCOMPARE(f.orderCodeLabel->text(), QStringLiteral("N2202"));
    QCOMPARE(f.itemPriceLabel->text(), QStringLiteral("300,-"));
    QCOMPARE(f.picture->picture().size(), QSize(113, 138)); // picture 2
    QCOMPARE(f.hover().lastAccessory, -1);
    QCOMPARE(f.order().total(), 15990 + 300);
    f.adapterList->showPopup();
    chooseIn(f.adapterList, 2);
    QCOMPARE(f.picture->picture().size(), QSize(100, 114)); // picture 3
    QCOMPARE(f.order().total(), 15990 + 1960);

    ui::click(adapter);
    QVERIFY(!f.adapterList->isEnabled() && !f.adapterList->font().bold() && !listOpen(f.adapterList));
    QCOMPARE(f.adapterList->currentIndex(), 2);
    QCOMPARE(f.order().total(), 15990);
    ui::click(adapter);
    QCOMPARE(f.adapterList->currentIndex(), 2);
    QCOMPARE(f.order().total(), 15990 + 1960);
}

void TestModels::cableListFollowsItsBox()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    ui::click(f.tq8rButton);
    ui::choose(f, 0);
    ui::hoverCell(f, 1, 1); // picture 4 in the picture area
    ui::click(f.accessoryBox(18));
    QVERIFY(f.cableList->isEnabled() && f.cableList->font().bold() && listOpen(f.cableList));
    chooseIn(f.cableList, 2);
    QCOMPARE(f.orderCodeLabel->text(), QStringLiteral("ZK211-10"));
    QCOMPARE(f.itemPriceLabel->text(), QStringLiteral("980,-"));
    QCOMPARE(f.picture->picture().size(), QSize(150, 102)); // unchanged
    QCOMPARE(f.hover().lastAccessory, -1);
    QCOMPARE(f.order().total(), 18980 + 980);
    f.cableList->showPopup();
    chooseIn(f.cableList, 1);
    QCOMPARE(f.order().total(), 18980 + 690);
    // The fixed cable of tag 13 is unaffected by the list.
    f.accessoryBox(13)->setChecked(true);
    QCOMPARE(f.order().total(), 18980 + 690 + 440);
}

void TestModels::listOpensOnTheUsersTickOnly_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<bool>("assembly"); // what takes the list away: the assembly, else an untick
    QTest::newRow("adapter, unticked") << catalogue::AdapterTag << false;
    QTest::newRow("cable, unticked") << catalogue::CableTag << false;
    QTest::newRow("cable, under the assembly") << catalogue::CableTag << true;
}

// The order's own changes show in the list however often they come; only
// the user's tick drops it down, and whatever takes the box away closes it.
void TestModels::listOpensOnTheUsersTickOnly()
{
    QFETCH(int, tag);
    QFETCH(bool, assembly);
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    QComboBox *list = tag == catalogue::AdapterTag ? f.adapterList : f.cableList;
    f.order().setTicked(tag, true);
    f.order().setTicked(tag, true);
    QVERIFY(f.accessoryBox(tag)->isChecked() && list->isEnabled() && list->font().bold() && !listOpen(list));
    ui::click(f.accessoryBox(tag));
    QVERIFY(!list->isEnabled() && !listOpen(list));
    ui::click(f.accessoryBox(tag));
    QVERIFY(list->isEnabled() && listOpen(list));

    if (assembly)
        f.order().chooseModel(catalogue::Model::ZK222);
    else
        f.order().setTicked(tag, false);
    QCOMPARE(f.accessoryBox(tag)->isChecked(), assembly);
    QCOMPARE(list->font().bold(), assembly);
    QVERIFY(!list->isEnabled() && !listOpen(list));
}

void TestModels::resetAnsweredNoChangesNothing()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    ui::click(f.tq8Button);
    ui::choose(f, 3);
    f.accessoryBox(5)->setChecked(true);
    BoxAnswers boxes;
    boxes.answer = QMessageBox::No;
    ui::click(f.resetButton);
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Opravdu si přejete vynulovat veškeré provedené volby ?")});
    const dialogs::Request &question = boxes.asked.first();
    QCOMPARE(question.icon, QMessageBox::Question);
    QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(question.defaultButton, QMessageBox::Yes);
    QCOMPARE(question.escapeButton, QMessageBox::No);
    QVERIFY(f.tq8Button->isChecked());
    QCOMPARE(ui::cell(f.channelGrid, 1, 1), QStringLiteral("H1I"));
    QVERIFY(f.accessoryBox(5)->isChecked());
    QCOMPARE(f.order().total(), 15990 + 1975 + 790);
}

void TestModels::resetRestoresTheStartState()
{
    for (const QString &language : {QStringLiteral("Czech"), QStringLiteral("English")}) {
        Forms forms(language, true);
        MainControls &f = forms.f();
        ui::click(f.assemblyButton);
        ui::choose(f, 54);
        f.order().setNote(4, QStringLiteral("note"));
        for (int tag : {2, 9, 29})
            f.accessoryBox(tag)->setChecked(true);
        ui::closeList(f, f.adapterList);
        f.adapterList->setCurrentIndex(2);
        f.cableList->setCurrentIndex(2);
        f.scrollBar->setValue(120);
        ui::moveOver(f.tq8Button);
        const bool certificate = f.accessoryBox(29)->isEnabled();

        BoxAnswers boxes;
        boxes.answer = QMessageBox::Yes;
        ui::click(f.resetButton);
        QCOMPARE(boxes.asked.size(), 1);
        QVERIFY(!ui::pickerShown(f));
        QVERIFY(!f.tq8Button->isChecked() && !f.tq8rButton->isChecked() && !f.assemblyButton->isChecked());
        QVERIFY(!f.tq8Button->font().bold());
        QCOMPARE(f.hover().modelPicture, 0);
        for (int column = 1; column <= 2; ++column)
            for (int row = 1; row <= Order::ChannelCount; ++row)
                QVERIFY(ui::cell(f.channelGrid, column, row).isEmpty());
        QCOMPARE(ui::cell(f.channelGrid, 0, 7), QStringLiteral("7"));
        QCOMPARE(ui::currentRow(f.channelGrid), 1);
        QCOMPARE(ui::currentColumn(f.channelGrid), 1);
        QCOMPARE(QApplication::focusWidget(), f.channelGrid);
        for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag) {
            QVERIFY(!f.accessoryBox(tag)->isChecked());
            if (tag != 29)
                QVERIFY(f.accessoryBox(tag)->isEnabled());
        }
        QCOMPARE(f.accessoryBox(29)->isEnabled(), certificate);
        for (QComboBox *list : {f.adapterList, f.cableList}) {
            QCOMPARE(list->currentIndex(), 0);
            QVERIFY(!list->isEnabled() && !list->font().bold());
        }
        QCOMPARE(f.orderCodeLabel->text(), QStringLiteral("---"));
        QCOMPARE(f.itemPriceLabel->text(), QStringLiteral("0,-"));
        QCOMPARE(f.totalLabel->text(), QStringLiteral("0,-"));
        QCOMPARE(f.scrollBar->value(), 120);
        QCOMPARE(f.currentLanguage() == catalogue::Language::Czech, language == QStringLiteral("Czech"));
        // The grid is locked again.
        ui::clickCell(f, 1, 3);
        QCOMPARE(boxes.asked.size(), 2);
        QVERIFY(!ui::pickerShown(f));
    }
}

void TestModels::escapeAsksForTheReset()
{
    Forms forms(QStringLiteral("English"), true);
    MainControls &f = forms.f();
    BoxAnswers boxes;
    boxes.answer = QMessageBox::No;
    f.channelGrid->setFocus();
    QTest::keyClick(f.channelGrid, Qt::Key_Escape);
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Do you wish to delete all items ?")});
    f.accessoryBox(12)->setFocus();
    QTest::keyClick(f.accessoryBox(12), Qt::Key_Escape);
    QCOMPARE(boxes.asked.size(), 2);

    // Esc in an open list closes the list only.
    ui::click(f.accessoryBox(2));
    QVERIFY(listOpen(f.adapterList));
    QTest::keyClick(f.adapterList->view(), Qt::Key_Escape);
    QVERIFY(!listOpen(f.adapterList));
    QCOMPARE(boxes.asked.size(), 2);
    // And in the note editor, it ends the typing only.
    ui::click(f.tq8Button);
    ui::choose(f, 1);
    ui::hoverCell(f, 2, 2);
    ui::clickCell(f, 2, 2);
    QVERIFY(ui::noteEditor(f.channelGrid));
    QTest::keyClick(ui::noteEditor(f.channelGrid), Qt::Key_Escape);
    QVERIFY(!ui::noteEditor(f.channelGrid));
    QCOMPARE(boxes.asked.size(), 2);
}

QTEST_MAIN(TestModels)
#include "tst_models.moc"
