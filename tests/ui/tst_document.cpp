// The document button: contact details, the document written safely and
// opened, and what the user sees when something goes wrong.

#include "filesizelimit.h"
#include "formtestsupport.h"
#include "orderdocument.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QSettings>
#include <QTemporaryDir>
#include <optional>
#include <unistd.h>

namespace {

// Runs the program's document button in a folder of its own and answers the
// contact dialog with `answer` (Button1 or Esc).
class DocumentRun {
public:
    explicit DocumentRun(Forms &forms)
        : m_forms(forms)
    {
        QVERIFY(m_folder.isValid());
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_folder.path());
        m_forms.kontakt->setStore(ContactStore(m_settings.filePath(QStringLiteral("Formular.conf"))));
    }
    ~DocumentRun() { QDir::setCurrent(m_previous); }

    QString path(const QString &name = QStringLiteral("formular.rtf")) const { return m_folder.filePath(name); }
    QString folder() const { return m_folder.path(); }

    void press(bool confirm, const QStringList &texts = {})
    {
        ContactDialog *dialog = m_forms.kontakt.get();
        QTimer::singleShot(0, dialog, [dialog, confirm, texts] {
            for (int i = 0; i < texts.size(); ++i)
                ContactControls(*dialog).Edits[std::size_t(i)]->setText(texts.at(i));
            QTest::keyClick(ContactControls(*dialog).Edits[2], confirm ? Qt::Key_Return : Qt::Key_Escape);
        });
        ui::click(m_forms.f().BitBtn2);
    }

    QByteArray document() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    Forms &m_forms;
    QTemporaryDir m_folder;
    QTemporaryDir m_settings;
    QString m_previous;
};

void configure(MainControls &f)
{
    ui::click(f.RadioButton1);
    ui::choose(f, 3);
    f.order().setNote(1, QStringLiteral("sklep"));
    for (int tag : {2, 10, 18})
        f.checkBox(tag)->setChecked(true);
    ui::closeList(f, f.ComboBox3);
}

struct ScreenState {
    QList<bool> ticks;
    int adapter, cable;
    QString total;
    bool operator==(const ScreenState &o) const
    {
        return ticks == o.ticks && adapter == o.adapter && cable == o.cable && total == o.total;
    }
};

ScreenState screen(MainControls &f)
{
    ScreenState s{{}, f.ComboBox2->currentIndex(), f.ComboBox3->currentIndex(), f.Label13->text()};
    for (QCheckBox *box : f.CheckBoxes)
        s.ticks << box->isChecked();
    return s;
}

} // namespace

class TestDocument : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ui::setUp(); }
    void contactDialogTexts_data();
    void contactDialogTexts();
    void contactDetailsAreRemembered();
    void contactDialogReportsItsStore();
    void documentIsWrittenAndOpened();
    void generationLeavesTheScreenAlone();
    void cancelWritesNothing();
    void dialogsAreBuiltWhenFirstNeeded();
    void documentCommandWaitsForTheOpener();
    void openerFailureTellsWhereTheFileIs_data();
    void openerFailureTellsWhereTheFileIs();
    void writeFailuresKeepThePreviousDocument_data();
    void writeFailuresKeepThePreviousDocument();
};

void TestDocument::contactDialogTexts_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("Czech") << "Czech"
                           << QStringList{"Kontaktní informace", "Název firmy: ", "Adresa: ", "Kontaktní osoba: ",
                                  "Telefon: ", "Email: ", "pokračovat >>>"};
    QTest::newRow("English") << "English"
                             << QStringList{"Contact information", "Company name: ", "Address: ", "Contact person: ",
                                    "Telephone: ", "Email: ", "continue >>>"};
}

void TestDocument::contactDialogTexts()
{
    QFETCH(QString, language);
    QFETCH(QStringList, texts);
    Forms forms(language, true);
    ContactDialog &dialog = *forms.kontakt;
    const ContactControls contact(dialog);
    QTemporaryDir folder;
    dialog.setStore(ContactStore(folder.filePath(QStringLiteral("Formular.conf"))));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QStringList shown{dialog.windowTitle()};
    for (QGroupBox *group : contact.GroupBoxes)
        shown << group->title();
    shown << contact.Button1->text();
    QCOMPARE(shown, texts);
    QCOMPARE(dialog.size(), QSize(374, 312));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(contact.Button1));
    QVERIFY(contact.Button1->isDefault() && contact.Button1->font().bold());
    QCOMPARE(contact.Edits[4]->geometry(), QRect(8, 16, 341, 21));
    QCOMPARE(contact.GroupBoxes[3]->geometry(), QRect(8, 169, 357, 45));
    dialog.reject();
}

void TestDocument::contactDetailsAreRemembered()
{
    Forms forms(QStringLiteral("Czech"), true);
    ContactDialog &dialog = *forms.kontakt;
    const ContactControls contact(dialog);
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("Formular.conf"));
    dialog.setStore(ContactStore(file));

    // First run: empty boxes. Enter in an edit box stores and confirms.
    QTimer::singleShot(0, &dialog, [&] {
        for (QLineEdit *edit : contact.Edits)
            QVERIFY(edit->text().isEmpty());
        contact.Edits[0]->setText(QStringLiteral("Měřicí technika s.r.o."));
        contact.Edits[4]->setText(QStringLiteral("info@example.cz"));
        QTest::keyClick(contact.Edits[2], Qt::Key_Return);
    });
    QCOMPARE(dialog.exec(), int(ContactDialog::ModalOk));
    QCOMPARE(QSettings(file, QSettings::NativeFormat).value(QStringLiteral("CompanyName")).toString(),
        QStringLiteral("Měřicí technika s.r.o."));

    // A change cancelled with Esc is not stored and is gone at the next showing.
    QTimer::singleShot(0, &dialog, [&] {
        QCOMPARE(contact.Edits[0]->text(), QStringLiteral("Měřicí technika s.r.o."));
        contact.Edits[0]->setText(QStringLiteral("Other"));
        QTest::keyClick(contact.Edits[0], Qt::Key_Escape);
    });
    QCOMPARE(dialog.exec(), int(ContactDialog::ModalCancel));
    QTimer::singleShot(0, &dialog, [&] {
        QCOMPARE(contact.Edits[0]->text(), QStringLiteral("Měřicí technika s.r.o."));
        QCOMPARE(contact.Edits[4]->text(), QStringLiteral("info@example.cz"));
        dialog.close();
    });
    QCOMPARE(dialog.exec(), int(ContactDialog::ModalCancel));
}

void TestDocument::contactDialogReportsItsStore()
{
    Forms forms(QStringLiteral("English"), true);
    ContactDialog &dialog = *forms.kontakt;
    const ContactControls contact(dialog);
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("Formular.conf"));
    QFile conf(file);
    QVERIFY(conf.open(QIODevice::WriteOnly));
    conf.write("[General]\nCompanyName=ACME\nAdress=Praha, Brno\nTelephone=123\n");
    conf.close();
    dialog.setStore(ContactStore(file));

    BoxAnswers boxes;
    contact.Edits[1]->setText(QStringLiteral("typed before"));
    contact.Edits[2]->setText(QStringLiteral("typed before"));
    dialog.show();
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Invalid data type for 'Adress'")});
    QCOMPARE(boxes.asked.first().icon, QMessageBox::Critical);
    QCOMPARE(contact.Edits[0]->text(), QStringLiteral("ACME"));
    QCOMPARE(contact.Edits[1]->text(), QStringLiteral("typed before")); // the unreadable value's box
    QCOMPARE(contact.Edits[2]->text(), QString());                      // read all the same
    QCOMPARE(contact.Edits[3]->text(), QStringLiteral("123"));
    QVERIFY(dialog.isVisible());
    dialog.reject();

    // A store that cannot be written: reported, and the dialog stays open.
    QTemporaryDir blocked;
    const QString inTheWay = blocked.filePath(QStringLiteral("Formular.conf"));
    QVERIFY(QDir().mkpath(inTheWay + QStringLiteral("/x")));
    dialog.setStore(ContactStore(inTheWay));
    dialog.show();
    QCOMPARE(boxes.asked.size(), 1); // nothing to read, nothing reported
    dialog.setResult(0);
    QTest::mouseClick(contact.Button1, Qt::LeftButton);
    QVERIFY(boxes.texts().last().startsWith(QStringLiteral("Failed to set data for 'CompanyName'\n")));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), 0);
    dialog.reject();
    QCOMPARE(dialog.result(), int(ContactDialog::ModalCancel));

    // A store that cannot even be created: nothing reported, and continue
    // still leads to the document.
    QFile plain(blocked.filePath(QStringLiteral("plain")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    dialog.setStore(ContactStore(plain.fileName() + QStringLiteral("/Formular.conf")));
    dialog.show();
    QTest::mouseClick(contact.Button1, Qt::LeftButton);
    QCOMPARE(boxes.asked.size(), 2);
    QCOMPARE(dialog.result(), int(ContactDialog::ModalOk));
}

void TestDocument::documentIsWrittenAndOpened()
{
    for (const QString &language : {QStringLiteral("Czech"), QStringLiteral("English")}) {
        Forms forms(language, true);
        MainControls &f = forms.f();
        configure(f);
        DocumentRun run(forms);
        BoxAnswers boxes;
        run.press(true, {QStringLiteral("Firma {a} \\b"), QStringLiteral("Ulice 1")});
        QVERIFY2(boxes.asked.isEmpty(), qPrintable(boxes.texts().join('|')));
        QCOMPARE(forms.desktop->opened, QStringList{run.path()});
        const QByteArray rtf = run.document();
        QVERIFY(rtf.startsWith("{\\rtf1"));
        QVERIFY(!rtf.contains("$_"));
        QVERIFY(rtf.contains("Firma \\{a\\} \\\\b"));
        QVERIFY(rtf.contains("H1I"));
        QVERIFY(rtf.contains("sklep"));
        QCOMPARE(rtf.contains(f.Label13->text().toLatin1()), language == QStringLiteral("Czech"));
        QCOMPARE(f.Label13->text(), QStringLiteral("19535,-"));
        QCOMPARE(rtf.contains("Celkem bez DPH"), language == QStringLiteral("Czech"));
        QVERIFY(rtf.contains("N2201 - "));
        // No copy of the template is left, nor was one written beside it.
        QCOMPARE(QDir(run.folder()).entryList(QDir::Files), QStringList{QStringLiteral("formular.rtf")});
        QVERIFY(f.window.cursor().shape() != Qt::WaitCursor);
    }
}

void TestDocument::generationLeavesTheScreenAlone()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    configure(f);
    ui::click(f.RadioButton3); // the assembly ticks and disables its parts
    ui::choose(f, 5);
    DocumentRun run(forms);
    const ScreenState before = screen(f);
    QList<QSignalSpy *> spies;
    for (QCheckBox *box : f.CheckBoxes)
        spies << new QSignalSpy(box, &QCheckBox::toggled);
    run.press(true);
    const QByteArray first = run.document();
    run.press(true);
    QCOMPARE(run.document(), first);
    QVERIFY(first.contains("ZK222 - (ZK201, ZK23, ZK214, ZK211, ZD300)"));
    QVERIFY(screen(f) == before);
    for (QSignalSpy *spy : spies)
        QCOMPARE(spy->size(), 0);
    qDeleteAll(spies);
    QVERIFY(!f.ComboBox2->view()->isVisible());
}

// As the program starts: no dialog until the document button asks for one,
// and the same one each time after.
void TestDocument::dialogsAreBuiltWhenFirstNeeded()
{
    MainWindow window;
    QVERIFY(!window.findChild<ContactDialog *>());
    QList<ContactDialog *> shown;
    const auto answer = [&] {
        if (auto *dialog = window.findChild<ContactDialog *>(); dialog && dialog->isVisible()) {
            shown << dialog;
            dialog->reject();
        }
    };
    for (int i = 0; i < 2; ++i) {
        QTimer::singleShot(0, &window, answer);
        window.findChild<QPushButton *>(QStringLiteral("BitBtn2"))->click();
    }
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.first(), shown.last());
    QCOMPARE(shown.first()->parentWidget(), &window);
}

void TestDocument::cancelWritesNothing()
{
    Forms forms(QStringLiteral("Czech"), true);
    DocumentRun run(forms);
    run.press(false);
    QVERIFY(!QFile::exists(run.path()));
    QVERIFY(forms.desktop->opened.isEmpty());
}

// The opener comes up while the window goes on; until it has, the document
// command is not taken again and the hourglass shows.
void TestDocument::documentCommandWaitsForTheOpener()
{
    Forms forms(QStringLiteral("English"), true);
    MainControls &f = forms.f();
    DocumentRun run(forms);
    forms.desktop->answerLater = true;
    BoxAnswers boxes;
    run.press(true);
    QCOMPARE(f.window.cursor().shape(), Qt::WaitCursor);
    bool askedAgain = false;
    QTimer answerIfAsked;
    answerIfAsked.setSingleShot(true);
    connect(&answerIfAsked, &QTimer::timeout, forms.kontakt.get(), [&] {
        askedAgain = forms.kontakt->isVisible();
        forms.kontakt->reject();
    });
    answerIfAsked.start(0);
    ui::click(f.BitBtn2);
    answerIfAsked.stop();
    QVERIFY(!askedAgain);
    QCOMPARE(forms.desktop->opened.size(), 1);

    forms.desktop->answer(false);
    QCOMPARE(boxes.asked.size(), 1);
    QCOMPARE(boxes.asked.first().icon, QMessageBox::Warning);
    QVERIFY(f.window.cursor().shape() != Qt::WaitCursor);
    forms.desktop->answerLater = false;
    run.press(true);
    QCOMPARE(forms.desktop->opened.size(), 2);
}

void TestDocument::openerFailureTellsWhereTheFileIs_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("warning");
    QTest::newRow("Czech") << "Czech"
                           << QString(15, ' ')
                                  + "Nepodařilo se spustit aplikaci \"WordPad.exe\".\r"
                                    "Vytvořený formulář najdete ve složce odkud je spuštěna tato aplikace.";
    QTest::newRow("English") << "English"
                             << QString(20, ' ')
                                    + "Can`t run \"WordPad.exe\".\r"
                                      "Please find your Form at folder with this application.";
}

void TestDocument::openerFailureTellsWhereTheFileIs()
{
    QFETCH(QString, language);
    QFETCH(QString, warning);
    Forms forms(language, true);
    forms.desktop->openResult = false;
    DocumentRun run(forms);
    BoxAnswers boxes;
    run.press(true);
    QCOMPARE(boxes.texts(), QStringList{warning});
    QCOMPARE(boxes.asked.first().icon, QMessageBox::Warning);
    QVERIFY(QFile::exists(run.path()));
    QVERIFY(forms.f().window.cursor().shape() != Qt::WaitCursor);
}

void TestDocument::writeFailuresKeepThePreviousDocument_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("read-only document") << "read-only document";
    QTest::newRow("folder in the document's place") << "folder";
    QTest::newRow("folder gone") << "folder gone";
    QTest::newRow("read-only folder") << "read-only folder";
    QTest::newRow("disk full") << "disk full";
    QTest::newRow("link to another file") << "link";
}

void TestDocument::writeFailuresKeepThePreviousDocument()
{
    QFETCH(QString, fault);
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    configure(f);
    const ScreenState before = screen(f);
    DocumentRun run(forms);
    const QByteArray old("{\\rtf1 the customer's previous order}");
    if (fault == QStringLiteral("folder")) {
        QVERIFY(QDir(run.folder()).mkdir(QStringLiteral("formular.rtf")));
    } else {
        QFile previous(run.path());
        QVERIFY(previous.open(QIODevice::WriteOnly));
        previous.write(old);
        previous.close();
    }
    if (fault == QStringLiteral("read-only document"))
        QFile::setPermissions(run.path(), QFileDevice::ReadOwner | QFileDevice::ReadUser);
    if (fault == QStringLiteral("read-only folder")) {
        if (geteuid() == 0)
            QSKIP("folder permissions do not bind this user");
        QFile::setPermissions(run.folder(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    if (fault == QStringLiteral("link")) {
        QVERIFY(QFile::rename(run.path(), run.path(QStringLiteral("someone-elses.txt"))));
        QVERIFY(QFile::link(QStringLiteral("someone-elses.txt"), run.path()));
    }
    if (fault == QStringLiteral("folder gone")) {
        QFile::remove(run.path());
        QVERIFY(QDir(run.folder()).removeRecursively());
    }

    BoxAnswers boxes;
    {
        // The document is a few kilobytes: it cannot fit.
        std::optional<FileSizeLimit> full;
        if (fault == QStringLiteral("disk full"))
            QVERIFY(full.emplace(1024).active());
        run.press(true);
    }
    QFile::setPermissions(run.folder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(boxes.asked.size(), 1);
    QCOMPARE(boxes.asked.first().icon, QMessageBox::Critical);
    QVERIFY2(boxes.asked.first().text.contains(QStringLiteral("formular.rtf")), qPrintable(boxes.asked.first().text));
    if (fault != QStringLiteral("folder") && fault != QStringLiteral("folder gone"))
        QCOMPARE(run.document(), old);
    if (fault == QStringLiteral("link"))
        QVERIFY(QFileInfo(run.path()).isSymLink());
    QVERIFY(forms.desktop->opened.isEmpty());
    QVERIFY(screen(f) == before);
    QVERIFY(f.window.cursor().shape() != Qt::WaitCursor);
}

QTEST_MAIN(TestDocument)
#include "tst_document.moc"
