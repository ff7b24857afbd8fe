// The program's own Czech texts (translations/formular_cs.ts, compiled in):
// every text of the code has its finished translation, the catalogue that
// the language switch installs gives it, and the texts earlier versions
// showed in Czech are given word for word.

#include "formtestsupport.h"
#include "translations.h"

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {

struct Message {
    QString context, source, translation, type;
};

// An element's text; Linguist writes a control character as <byte value="xd"/>.
QString elementText(QXmlStreamReader &xml)
{
    QString text;
    for (;;) {
        switch (xml.readNext()) {
        case QXmlStreamReader::Characters: text += xml.text(); break;
        case QXmlStreamReader::StartElement:
            if (xml.name() == QLatin1String("byte"))
                text += QChar(xml.attributes().value(QLatin1String("value")).mid(1).toUInt(nullptr, 16));
            break;
        case QXmlStreamReader::EndElement:
            if (xml.name() != QLatin1String("byte"))
                return text;
            break;
        default:
            if (xml.atEnd())
                return text;
        }
    }
}

// The messages of the .ts file as written in it.
QList<Message> catalogueMessages()
{
    QFile file(QStringLiteral(":/test/formular_cs.ts"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("the catalogue formular_cs.ts is not built into the test");
    QList<Message> messages;
    QString context;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name"))
            context = elementText(xml);
        else if (xml.name() == QLatin1String("message"))
            messages.append({context, {}, {}, {}});
        else if (xml.name() == QLatin1String("source"))
            messages.last().source = elementText(xml);
        else if (xml.name() == QLatin1String("translation")) {
            messages.last().type = xml.attributes().value(QLatin1String("type")).toString();
            messages.last().translation = elementText(xml);
        }
    }
    if (xml.hasError())
        qFatal("formular_cs.ts: %s", qPrintable(xml.errorString()));
    return messages;
}

// The place markers (%1, %2, ...) of a text, in order.
QStringList markers(const QString &text)
{
    QStringList found;
    QRegularExpressionMatchIterator it = QRegularExpression(QStringLiteral("%\\d")).globalMatch(text);
    while (it.hasNext())
        found << it.next().captured();
    found.sort();
    return found;
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ui::setUp(); }
    void everyTextHasItsCzechText();
    void czechTextsOfEarlierVersions_data();
    void czechTextsOfEarlierVersions();
    void contactDialogFollowsTheSwitch();
    void windowFollowsTheCatalogue();
};

// Finished, with the same place markers as its English text, and given by
// the catalogue the switch installs; in English the code's own text again.
void TestTranslations::everyTextHasItsCzechText()
{
    const QList<Message> messages = catalogueMessages();
    QVERIFY(messages.size() >= 20);
    Forms forms(QStringLiteral("Czech"));
    for (const Message &m : messages) {
        const QByteArray where = (m.context + QStringLiteral(": ") + m.source).toUtf8();
        QVERIFY2(m.type.isEmpty(), where + " is " + m.type.toUtf8());
        QVERIFY2(!m.translation.isEmpty() && m.translation != m.source, where);
        QCOMPARE(markers(m.translation), markers(m.source));
        QCOMPARE(QCoreApplication::translate(qUtf8Printable(m.context), qUtf8Printable(m.source)), m.translation);
    }
    forms.f().languageButton->click();
    for (const Message &m : messages)
        QCOMPARE(QCoreApplication::translate(qUtf8Printable(m.context), qUtf8Printable(m.source)), m.source);
}

void TestTranslations::czechTextsOfEarlierVersions_data()
{
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("czech");
    QTest::newRow("contact title") << "ContactDialog"
                                   << "Contact information"
                                   << "Kontaktní informace";
    QTest::newRow("continue") << "ContactDialog"
                              << "continue >>>"
                              << "pokračovat >>>";
    QTest::newRow("details not remembered")
        << "ContactDialog"
        << "The document is made all the same; the contact details are not remembered."
        << "Dokument se přesto vytvoří; kontaktní údaje si program nezapamatuje.";
    QTest::newRow("file not written") << "wholefile"
                                      << "Cannot write %1: %2"
                                      << "Soubor %1 se nepodařilo zapsat: %2";
    // The main window's own texts; "\r" breaks a grid heading into lines.
    // Kept on purpose: the blanks after the titles' colons.
    const struct {
        const char *row, *context, *english, *czech;
    } window[] = {
        {"window title", "MainWindow", "Ordering form for TQ8, TQ8R data loggers",
            "Objednací formulář pro ústředny TQ8, TQ8R"},
        {"channel heading", "MainWindow", "Input\rchannel\rnumber", "Číslo\rvstupního\rkanálu"},
        {"module heading", "MainWindow", "Input\rmodule\rtype", "Typ\rvstupního\rmodulu"},
        {"note heading", "MainWindow", "\rNote", "\rPoznámka"},
        {"reset title", "MainWindow", "Confirm", "Potvrzení"},
        {"reset question", "MainWindow", "Do you wish to delete all items ?",
            "Opravdu si přejete vynulovat veškeré provedené volby ?"},
        {"model first", "MainWindow", "Choose first data logger model please.",
            "Vyberte nejdříve typ požadované ústředny."},
        {"picker name", "MainWindow", "Input module type", "Typ vstupního modulu"},
        {"reset", "MainWindow", "Delete form", "Vynulovat formulář"},
        {"document", "MainWindow", "Create document", "Vygenerovat dokument"},
        {"diagram", "MainWindow", "Show system architecture", "Zobrazit blokové schéma"},
        {"grid name", "MainWindow", "Input channels", "Vstupní kanály"},
        {"language button name", "MainWindow", "Přepnout do češtiny", "Switch to English"},
        {"scroll bar name", "MainWindow", "Scroll the form", "Posunout formulář"},
        {"logo name", "MainWindow", "The maker's web site", "Webové stránky výrobce"},
        {"model title", "ModelChooser", "Choose data logger model please: ", "Typ požadované ústředny: "},
        {"assembly hint", "ModelChooser", "TQ8 data logger in IP54 case with connected terminal with LCD.",
            "Ústředna TQ8 ve skříni IP54 s připojeným terminálem."},
        {"accessory title", "AccessoryPanel", "Accessories: ", "Příslušenství za příplatek: "},
    };
    for (const auto &text : window)
        QTest::newRow(text.row) << text.context << QString::fromUtf8(text.english) << QString::fromUtf8(text.czech);
    // Kept on purpose: the blanks that centre the first line, the grave
    // accent, the carriage return.
    QTest::newRow("WordPad")
        << "MainWindow"
        << QString(20, ' ') + "Can`t run \"WordPad.exe\".\rPlease find your Form at folder with this application."
        << QString(15, ' ')
               + "Nepodařilo se spustit aplikaci \"WordPad.exe\".\rVytvořený formulář najdete ve složce odkud je "
                 "spuštěna tato aplikace.";
}

void TestTranslations::czechTextsOfEarlierVersions()
{
    QFETCH(QString, context);
    QFETCH(QString, english);
    QFETCH(QString, czech);
    Forms forms(QStringLiteral("Czech"));
    QCOMPARE(QCoreApplication::translate(qUtf8Printable(context), english.toUtf8().constData()), czech);
}

// A dialog that is open when the language changes takes the new texts.
void TestTranslations::contactDialogFollowsTheSwitch()
{
    const PrivateConfig config;
    Forms forms(QStringLiteral("Czech"), true);
    ContactDialog &dialog = *forms.kontakt;
    const ContactControls contact(dialog);
    forms.f().documentButton->click();
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Kontaktní informace"));
    forms.f().languageButton->click(); // as the window's own path, while the dialog is open
    QTRY_COMPARE(dialog.windowTitle(), QStringLiteral("Contact information")); // the change event is posted
    QCOMPARE(contact.groups[0]->title(), QStringLiteral("Company name: "));
    QCOMPARE(contact.continueButton->text(), QStringLiteral("continue >>>"));
    QCOMPARE(contact.edits[0]->accessibleName(), QStringLiteral("Company name:"));
    dialog.reject();
}

// The window and its panes take their texts again from whatever catalogue
// is installed, on the change event alone; the order's language, and with
// it what the catalogue data decides, stays as it is.
void TestTranslations::windowFollowsTheCatalogue()
{
    Forms forms;
    MainControls &f = forms.f();
    const auto shown = [&f] {
        return QStringList{f.window.windowTitle(), f.modelGroup->title(), f.assemblyButton->toolTip(),
            f.accessoryGroup->title(), ui::cell(f.channelGrid, 2, 0), f.resetButton->text(),
            f.languageButton->accessibleName(), f.channelGrid->accessibleName()};
    };
    const QStringList english = shown();
    translations::useLanguage(catalogue::Language::Czech);
    const QStringList czech{QStringLiteral("Objednací formulář pro ústředny TQ8, TQ8R"),
        QStringLiteral("Typ požadované ústředny: "),
        QStringLiteral("Ústředna TQ8 ve skříni IP54 s připojeným terminálem."),
        QStringLiteral("Příslušenství za příplatek: "), QStringLiteral("\rPoznámka"),
        QStringLiteral("Vynulovat formulář"), QStringLiteral("Switch to English"), QStringLiteral("Vstupní kanály")};
    QTRY_COMPARE(shown(), czech); // the change event is posted
    QCOMPARE(f.currentLanguage(), catalogue::Language::English);
    QCOMPARE(f.accessoryBox(2)->text(), QStringLiteral("power supply - choose type please  ------- >>>"));
    translations::useLanguage(catalogue::Language::English);
    QTRY_COMPARE(shown(), english);
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
