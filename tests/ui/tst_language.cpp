// The Czech / English switch of the main window.

#include "formtestsupport.h"
#include "glyphbutton.h"
#include "translations.h"

#include <QFile>
#include <QGroupBox>
#include <QPushButton>

namespace {

// Every text the switch sets, in one list, to compare whole states.
QStringList texts(MainControls &f)
{
    QStringList all{f.window.windowTitle(), f.modelGroup->title(), f.assemblyButton->toolTip(),
        ui::cell(f.channelGrid, 0, 0), ui::cell(f.channelGrid, 1, 0), ui::cell(f.channelGrid, 2, 0),
        f.resetButton->text(), f.documentButton->text(), f.diagramButton->text(), f.accessoryGroup->title()};
    for (QLabel *heading : f.sectionHeadings)
        all << heading->text();
    for (QCheckBox *box : f.accessoryBoxes)
        all << box->text() << QString::number(box->width());
    all << QString::number(f.buttonPanel->y()) << QString::number(f.priceGroup->isVisible());
    return all;
}

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ui::setUp(); }
    void textsOfBothLanguages();
    void captionsFitTheirBoldWidth();
    void priceBoxOnlyInCzech();
    void calibrationIsWithdrawnInEnglish();
    void configurationSurvivesSwitches();
    void twoSwitchesRestoreEverything();
    void messageBoxButtonsFollowTheLanguage_data();
    void messageBoxButtonsFollowTheLanguage();
};

// The texts the picker opens with over channel 3 (a model chosen), and the
// picker closed again with Esc.
static QStringList pickerTexts(MainControls &f)
{
    ui::clickCell(f, 1, 3);
    QStringList texts;
    if (QComboBox *picker = f.modulePicker())
        for (int i = 0; i < picker->count(); ++i)
            texts << picker->itemText(i);
    ui::closeList(f, f.modulePicker());
    QTest::keyClick(f.modulePicker(), Qt::Key_Escape);
    return texts;
}

void TestLanguage::textsOfBothLanguages()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    f.order().chooseModel(catalogue::Model::TQ8);
    QCOMPARE(f.modelGroup->title(), QStringLiteral("Typ požadované ústředny: "));
    QCOMPARE(ui::cell(f.channelGrid, 0, 0), QStringLiteral("Číslo\rvstupního\rkanálu"));
    QCOMPARE(ui::cell(f.channelGrid, 2, 0), QStringLiteral("\rPoznámka"));
    QCOMPARE(f.resetButton->text(), QStringLiteral("Vynulovat formulář"));
    QCOMPARE(
        f.sectionHeadings[3]->text(), QStringLiteral("Příslušenství pro zpracování alarmového signálu ALARM OUT: "));
    QCOMPARE(f.accessoryBox(2)->text(), QStringLiteral("napájecí adaptér - zvolte si prosím typ    ------- >>>"));
    QCOMPARE(f.accessoryBox(17)->text(), QStringLiteral("ZK214 - externí displej pro TQ8"));
    QCOMPARE(f.assemblyButton->toolTip(), QStringLiteral("Ústředna TQ8 ve skříni IP54 s připojeným terminálem."));
    QStringList picker = pickerTexts(f);
    QCOMPARE(picker.size(), 55);
    QCOMPARE(picker.at(27), QStringLiteral("Z      [měření R , galvanicky neoddělený]"));

    f.languageButton->click();
    QCOMPARE(f.currentLanguage(), catalogue::Language::English);
    QCOMPARE(f.window.windowTitle(), QStringLiteral("Ordering form for TQ8, TQ8R data loggers"));
    QCOMPARE(f.modelGroup->title(), QStringLiteral("Choose data logger model please: "));
    QCOMPARE(ui::cell(f.channelGrid, 1, 0), QStringLiteral("Input\rmodule\rtype"));
    QCOMPARE(ui::cell(f.channelGrid, 2, 0), QStringLiteral("\rNote"));
    QCOMPARE(f.documentButton->text(), QStringLiteral("Create document"));
    QCOMPARE(f.diagramButton->text(), QStringLiteral("Show system architecture"));
    QCOMPARE(f.accessoryGroup->title(), QStringLiteral("Accessories: "));
    QCOMPARE(f.sectionHeadings[8]->text(), QStringLiteral("Assemblies in case with higher IP protection: "));
    QCOMPARE(f.accessoryBox(2)->text(), QStringLiteral("power supply - choose type please  ------- >>>"));
    QCOMPARE(f.accessoryBox(18)->text(),
        QStringLiteral("ZK211 - connection cable for terminal with display and output relays module -- >"));
    picker = pickerTexts(f);
    QCOMPARE(picker.size(), 55);
    QCOMPARE(picker.at(27), QStringLiteral("Z      [měření R , not galvanic isolated]"));
    // Texts the switch leaves alone.
    QCOMPARE(f.languageGroup->title(), QStringLiteral("Choose language: "));
    QCOMPARE(f.priceGroup->title(), QStringLiteral("Cenová kalkulace bez DPH: "));
    QCOMPARE(f.assemblyButton->text(), QStringLiteral("ZK222"));
    QCOMPARE(f.adapterList->itemText(2), QStringLiteral("N2203   (24V / 2.5A)"));
}

void TestLanguage::captionsFitTheirBoldWidth()
{
    for (const QString &language : {QStringLiteral("Czech"), QStringLiteral("English")}) {
        Forms forms(language);
        MainControls &f = forms.f();
        const QFontMetrics metrics(application::formFont(true));
        for (QCheckBox *box : f.accessoryBoxes)
            QCOMPARE(box->width(), metrics.horizontalAdvance(box->text()) + 20);
    }
}

void TestLanguage::priceBoxOnlyInCzech()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    QVERIFY(f.priceGroup->isVisible());
    QCOMPARE(f.buttonPanel->y(), 323);
    f.languageButton->click();
    QVERIFY(!f.priceGroup->isVisible());
    QCOMPARE(f.buttonPanel->y(), 233);
    QCOMPARE(f.languageButton->numGlyphs(), 3);
    QCOMPARE(f.languageButton->shownImage().size(), QSize(40, 25));
    // The window ends up shown and where it was.
    QVERIFY(f.window.isVisible());
    QVERIFY(!f.window.isMinimized());
    f.languageButton->click();
    QVERIFY(f.priceGroup->isVisible());
    QCOMPARE(f.buttonPanel->y(), 323);
    QCOMPARE(f.languageButton->shownImage().size(), QSize(120, 25));
}

void TestLanguage::calibrationIsWithdrawnInEnglish()
{
    Forms forms(QStringLiteral("Czech"));
    MainControls &f = forms.f();
    f.tq8Button->setChecked(true);
    f.accessoryBox(29)->setChecked(true);
    QCOMPARE(f.order().total(), 15990 + 1900);
    f.languageButton->click();
    QVERIFY(!f.accessoryBox(29)->isChecked());
    QVERIFY(!f.accessoryBox(29)->isEnabled());
    QCOMPARE(f.order().total(), 15990);
    f.languageButton->click();
    QVERIFY(f.accessoryBox(29)->isEnabled());
    QVERIFY(!f.accessoryBox(29)->isChecked());
}

void TestLanguage::configurationSurvivesSwitches()
{
    Forms forms(QStringLiteral("English"), true);
    MainControls &f = forms.f();
    f.tq8rButton->setChecked(true);
    ui::choose(f, 50); // QNU
    f.order().setNote(1, QStringLiteral("counter"));
    f.accessoryBox(7)->setChecked(true);
    f.accessoryBox(2)->setChecked(true);
    ui::closeList(f, f.adapterList);
    f.adapterList->setCurrentIndex(2);
    f.cableList->setCurrentIndex(1);
    const qint32 total = f.order().total();
    for (int i = 0; i < 3; ++i)
        f.languageButton->click();
    QCOMPARE(ui::cell(f.channelGrid, 1, 1), QStringLiteral("QNU"));
    QCOMPARE(f.order().module(1), 50);
    QCOMPARE(ui::cell(f.channelGrid, 2, 1), QStringLiteral("counter"));
    QVERIFY(f.accessoryBox(7)->isChecked() && f.accessoryBox(2)->isChecked());
    QCOMPARE(f.adapterList->currentIndex(), 2);
    QCOMPARE(f.cableList->currentIndex(), 1);
    QVERIFY(f.tq8rButton->isChecked());
    QCOMPARE(f.order().total(), total);
    // Reopened in Czech, the picker shows channel 1's module in Czech.
    ui::clickCell(f, 1, 1);
    QVERIFY(ui::pickerOpen(f));
    QCOMPARE(f.modulePicker()->currentIndex(), 50);
    QCOMPARE(f.modulePicker()->currentText(), QStringLiteral("QNU [čítačový napěť. , galvanicky oddělený]"));
}

void TestLanguage::twoSwitchesRestoreEverything()
{
    for (const QString &language : {QStringLiteral("Czech"), QStringLiteral("English")}) {
        Forms forms(language, true);
        MainControls &f = forms.f();
        const QStringList before = texts(f);
        f.languageButton->click();
        QVERIFY(texts(f) != before);
        f.languageButton->click();
        QCOMPARE(texts(f), before);
    }
}

void TestLanguage::messageBoxButtonsFollowTheLanguage_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("button");
    QTest::addColumn<QString>("czech");
    QTest::addColumn<QString>("english");
    QTest::newRow("Yes") << QMessageBox::Yes << QStringLiteral("&Ano") << QStringLiteral("&Yes");
    QTest::newRow("No") << QMessageBox::No << QStringLiteral("&Ne") << QStringLiteral("&No");
    QTest::newRow("Cancel") << QMessageBox::Cancel << QStringLiteral("Zrušit") << QStringLiteral("Cancel");
}

void TestLanguage::messageBoxButtonsFollowTheLanguage()
{
    if (!QFile::exists(translations::qtCatalogueFolder() + QStringLiteral("/qtbase_cs.qm")))
        QSKIP("Qt's Czech catalogue qtbase_cs.qm is not installed (Debian package qt6-translations-l10n)");
    QFETCH(QMessageBox::StandardButton, button);
    QFETCH(QString, czech);
    QFETCH(QString, english);
    const auto caption = [button] {
        QMessageBox box;
        box.setStandardButtons(button);
        return box.button(button)->text();
    };

    Forms forms(QStringLiteral("Czech")); // the start goes through the switch too
    QCOMPARE(caption(), czech);
    forms.f().languageButton->click();
    QCOMPARE(caption(), english);
    forms.f().languageButton->click();
    QCOMPARE(caption(), czech);
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
