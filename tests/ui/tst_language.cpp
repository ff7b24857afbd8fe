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
    QStringList all{f.window.windowTitle(), f.GroupBox1->title(), f.RadioButton3->toolTip(),
        ui::cell(f.StringGrid1, 0, 0), ui::cell(f.StringGrid1, 1, 0), ui::cell(f.StringGrid1, 2, 0), f.BitBtn1->text(),
        f.BitBtn2->text(), f.BitBtn3->text(), f.GroupBox2->title()};
    for (QLabel *heading : f.SectionLabels)
        all << heading->text();
    for (QCheckBox *box : f.CheckBoxes)
        all << box->text() << QString::number(box->width());
    all << QString::number(f.Panel4->y()) << QString::number(f.GroupBox4->isVisible());
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

void TestLanguage::textsOfBothLanguages()
{
    Forms forms(QStringLiteral("Czech"));
    MainControls &f = forms.f();
    QCOMPARE(f.GroupBox1->title(), QStringLiteral("Typ požadované ústředny: "));
    QCOMPARE(ui::cell(f.StringGrid1, 0, 0), QStringLiteral("Číslo\rvstupního\rkanálu"));
    QCOMPARE(ui::cell(f.StringGrid1, 2, 0), QStringLiteral("\rPoznámka"));
    QCOMPARE(f.BitBtn1->text(), QStringLiteral("Vynulovat formulář"));
    QCOMPARE(f.SectionLabels[3]->text(), QStringLiteral("Příslušenství pro zpracování alarmového signálu ALARM OUT: "));
    QCOMPARE(f.checkBox(2)->text(), QStringLiteral("napájecí adaptér - zvolte si prosím typ    ------- >>>"));
    QCOMPARE(f.checkBox(17)->text(), QStringLiteral("ZK214 - externí displej pro TQ8"));
    QCOMPARE(f.RadioButton3->toolTip(), QStringLiteral("Ústředna TQ8 ve skříni IP54 s připojeným terminálem."));
    QCOMPARE(f.ComboBox1->itemText(27), QStringLiteral("Z      [měření R , galvanicky neoddělený]"));

    f.SpeedButton1->click();
    QCOMPARE(f.currentLanguage(), catalogue::Language::English);
    QCOMPARE(f.window.windowTitle(), QStringLiteral("Ordering form for TQ8, TQ8R data loggers"));
    QCOMPARE(f.GroupBox1->title(), QStringLiteral("Choose data logger model please: "));
    QCOMPARE(ui::cell(f.StringGrid1, 1, 0), QStringLiteral("Input\rmodule\rtype"));
    QCOMPARE(ui::cell(f.StringGrid1, 2, 0), QStringLiteral("\rNote"));
    QCOMPARE(f.BitBtn2->text(), QStringLiteral("Create document"));
    QCOMPARE(f.BitBtn3->text(), QStringLiteral("Show system architecture"));
    QCOMPARE(f.GroupBox2->title(), QStringLiteral("Accessories: "));
    QCOMPARE(f.SectionLabels[8]->text(), QStringLiteral("Assemblies in case with higher IP protection: "));
    QCOMPARE(f.checkBox(2)->text(), QStringLiteral("power supply - choose type please  ------- >>>"));
    QCOMPARE(f.checkBox(18)->text(),
        QStringLiteral("ZK211 - connection cable for terminal with display and output relays module -- >"));
    QCOMPARE(f.ComboBox1->itemText(27), QStringLiteral("Z      [měření R , not galvanic isolated]"));
    QCOMPARE(f.ComboBox1->count(), 55);
    // Texts the switch leaves alone.
    QCOMPARE(f.GroupBox3->title(), QStringLiteral("Choose language: "));
    QCOMPARE(f.GroupBox4->title(), QStringLiteral("Cenová kalkulace bez DPH: "));
    QCOMPARE(f.RadioButton3->text(), QStringLiteral("ZK222"));
    QCOMPARE(f.ComboBox2->itemText(2), QStringLiteral("N2203   (24V / 2.5A)"));
}

void TestLanguage::captionsFitTheirBoldWidth()
{
    for (const QString &language : {QStringLiteral("Czech"), QStringLiteral("English")}) {
        Forms forms(language);
        MainControls &f = forms.f();
        const QFontMetrics metrics(application::formFont(true));
        for (QCheckBox *box : f.CheckBoxes)
            QCOMPARE(box->width(), metrics.horizontalAdvance(box->text()) + 20);
    }
}

void TestLanguage::priceBoxOnlyInCzech()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    QVERIFY(f.GroupBox4->isVisible());
    QCOMPARE(f.Panel4->y(), 323);
    f.SpeedButton1->click();
    QVERIFY(!f.GroupBox4->isVisible());
    QCOMPARE(f.Panel4->y(), 233);
    QCOMPARE(f.SpeedButton1->numGlyphs(), 3);
    QCOMPARE(f.SpeedButton1->shownImage().size(), QSize(40, 25));
    // The window ends up shown and where it was.
    QVERIFY(f.window.isVisible());
    QVERIFY(!f.window.isMinimized());
    f.SpeedButton1->click();
    QVERIFY(f.GroupBox4->isVisible());
    QCOMPARE(f.Panel4->y(), 323);
    QCOMPARE(f.SpeedButton1->shownImage().size(), QSize(120, 25));
}

void TestLanguage::calibrationIsWithdrawnInEnglish()
{
    Forms forms(QStringLiteral("Czech"));
    MainControls &f = forms.f();
    f.RadioButton1->setChecked(true);
    f.checkBox(29)->setChecked(true);
    QCOMPARE(f.order().total(), 15990 + 1900);
    f.SpeedButton1->click();
    QVERIFY(!f.checkBox(29)->isChecked());
    QVERIFY(!f.checkBox(29)->isEnabled());
    QCOMPARE(f.order().total(), 15990);
    f.SpeedButton1->click();
    QVERIFY(f.checkBox(29)->isEnabled());
    QVERIFY(!f.checkBox(29)->isChecked());
}

void TestLanguage::configurationSurvivesSwitches()
{
    Forms forms(QStringLiteral("English"), true);
    MainControls &f = forms.f();
    f.RadioButton2->setChecked(true);
    ui::choose(f, 50); // QNU
    f.order().setNote(1, QStringLiteral("counter"));
    f.checkBox(7)->setChecked(true);
    f.checkBox(2)->setChecked(true);
    ui::closeList(f, f.ComboBox2);
    f.ComboBox2->setCurrentIndex(2);
    f.ComboBox3->setCurrentIndex(1);
    const qint32 total = f.order().total();
    for (int i = 0; i < 3; ++i)
        f.SpeedButton1->click();
    QCOMPARE(ui::cell(f.StringGrid1, 1, 1), QStringLiteral("QNU"));
    QCOMPARE(f.order().module(1), 50);
    QCOMPARE(ui::cell(f.StringGrid1, 2, 1), QStringLiteral("counter"));
    QVERIFY(f.checkBox(7)->isChecked() && f.checkBox(2)->isChecked());
    QCOMPARE(f.ComboBox2->currentIndex(), 2);
    QCOMPARE(f.ComboBox3->currentIndex(), 1);
    QVERIFY(f.RadioButton2->isChecked());
    QCOMPARE(f.order().total(), total);
    QCOMPARE(f.ComboBox1->currentIndex(), 0);
    QCOMPARE(f.ComboBox1->itemText(50), QStringLiteral("QNU [čítačový napěť. , galvanicky oddělený]"));
}

void TestLanguage::twoSwitchesRestoreEverything()
{
    for (const QString &language : {QStringLiteral("Czech"), QStringLiteral("English")}) {
        Forms forms(language, true);
        MainControls &f = forms.f();
        const QStringList before = texts(f);
        f.SpeedButton1->click();
        QVERIFY(texts(f) != before);
        f.SpeedButton1->click();
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
    forms.f().SpeedButton1->click();
    QCOMPARE(caption(), english);
    forms.f().SpeedButton1->click();
    QCOMPARE(caption(), czech);
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
