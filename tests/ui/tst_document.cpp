// The document button: contact details, the document written safely and
// opened, and what the user sees when something goes wrong.

#include "deepfolder.h"
#include "filesizelimit.h"
#include "formtestsupport.h"
#include "orderdocument.h"
#include "standing.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QSettings>
#include <QTemporaryDir>
#include <optional>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

namespace {

// Runs the program's document button in a folder of its own and answers the contact dialog: Enter
// (after typing `texts`) or Esc. `shown` receives what the boxes showed,
// and `beforeAnswer` runs just before the key.
class DocumentRun {
public:
    explicit DocumentRun(Forms &forms)
        : m_forms(forms)
    {
        QVERIFY(m_folder.isValid());
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_folder.path());
    }
    ~DocumentRun() { QDir::setCurrent(m_previous); }

    QString path(const QString &name = QStringLiteral("formular.rtf")) const { return m_folder.filePath(name); }
    QString folder() const { return m_folder.path(); }
    bool awaitDocument = true; // press() returns once the opener was asked

    void press(bool confirm, const QStringList &texts = {}, QStringList *shown = nullptr,
        const std::function<void()> &beforeAnswer = {})
    {
        ContactDialog *dialog = m_forms.kontakt.get();
        ui::click(m_forms.f().documentButton);
        QVERIFY(dialog->isVisible() && dialog->isModal());
        const ContactControls contact(*dialog);
        if (shown) {
            shown->clear();
            for (QLineEdit *edit : contact.edits)
                *shown << edit->text();
        }
        for (int i = 0; i < texts.size(); ++i)
            contact.edits[std::size_t(i)]->setText(texts.at(i));
        if (beforeAnswer)
            beforeAnswer();
        QTest::keyClick(contact.edits[2], confirm ? Qt::Key_Return : Qt::Key_Escape);
        QVERIFY(dialog->isHidden());
        if (awaitDocument)
            ui::waitForDocument(m_forms);
    }

    QByteArray document() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    Forms &m_forms;
    QTemporaryDir m_folder;
    QString m_previous;
};

void configure(MainControls &f)
{
    ui::click(f.tq8Button);
    ui::choose(f, 3);
    f.order().setNote(1, QStringLiteral("sklep"));
    for (int tag : {2, 10, 18})
        f.accessoryBox(tag)->setChecked(true);
    ui::closeList(f, f.cableList);
}

// The words that tell the user a copy of the store was kept aside.
const QString KeptAside = QStringLiteral("se nepodařilo přečíst přesně"); // in Czech, as the tests that look for it run

#ifdef Q_OS_UNIX
// The files kept aside beside the store, whatever their number.
QStringList keptCopies(const QString &store)
{
    QStringList kept;
    const QFileInfo info(store);
    for (const QString &name :
        QDir(info.path()).entryList({info.fileName() + QStringLiteral(".damaged*")}, QDir::Files))
        kept << standing(info.dir().filePath(name));
    return kept;
}
#endif

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
    ScreenState s{{}, f.adapterList->currentIndex(), f.cableList->currentIndex(), f.totalLabel->text()};
    for (QCheckBox *box : f.accessoryBoxes)
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
    void storeNeverBlocksTheDocument_data();
    void storeNeverBlocksTheDocument();
    void noStoreToBeHadIsNotTold();
    void documentIsWrittenAndOpened();
    void documentIsWrittenInADeepFolder_data();
    void documentIsWrittenInADeepFolder();
    void generationLeavesTheScreenAlone();
    void cancelWritesNothing();
    void windowGoingWhileThePdfIsDrawnStillWritesIt();
    void dialogsAreBuiltWhenFirstNeeded();
    void documentCommandWaitsForTheOpener();
    void openerFailureTellsWhereTheFileIs_data();
    void openerFailureTellsWhereTheFileIs();
    void writeFailuresKeepThePreviousDocument_data();
    void writeFailuresKeepThePreviousDocument();
    void pdfFailuresNeverStopTheDocument_data();
    void pdfFailuresNeverStopTheDocument();
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
    const PrivateConfig config;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QStringList shown{dialog.windowTitle()};
    for (QGroupBox *group : contact.groups)
        shown << group->title();
    shown << contact.continueButton->text();
    QCOMPARE(shown, texts);
    QCOMPARE(dialog.size(), QSize(374, 312));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(contact.continueButton));
    QVERIFY(contact.continueButton->isDefault() && contact.continueButton->font().bold());
    QCOMPARE(contact.edits[4]->geometry(), QRect(8, 16, 341, 21));
    QCOMPARE(contact.groups[3]->geometry(), QRect(8, 169, 357, 45));
    dialog.reject();
}

void TestDocument::contactDetailsAreRemembered()
{
    Forms forms(QStringLiteral("Czech"), true);
    ContactDialog &dialog = *forms.kontakt;
    const ContactControls contact(dialog);
    const PrivateConfig config;

    // First run: empty boxes. Enter in an edit box stores and confirms.
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.open();
    for (QLineEdit *edit : contact.edits)
        QVERIFY(edit->text().isEmpty());
    contact.edits[0]->setText(QStringLiteral("Měřicí technika s.r.o."));
    contact.edits[4]->setText(QStringLiteral("info@example.cz"));
    QTest::keyClick(contact.edits[2], Qt::Key_Return);
    QCOMPARE(finished.takeFirst().value(0).toInt(), int(QDialog::Accepted));
    QCOMPARE(ContactStore().read().values[0], QStringLiteral("Měřicí technika s.r.o."));

    // A change cancelled with Esc is not stored and is gone at the next
    // showing; the close box cancels as well.
    dialog.open();
    QCOMPARE(contact.edits[0]->text(), QStringLiteral("Měřicí technika s.r.o."));
    contact.edits[0]->setText(QStringLiteral("Other"));
    QTest::keyClick(contact.edits[0], Qt::Key_Escape);
    QCOMPARE(finished.takeFirst().value(0).toInt(), int(QDialog::Rejected));
    dialog.open();
    QCOMPARE(contact.edits[0]->text(), QStringLiteral("Měřicí technika s.r.o."));
    QCOMPARE(contact.edits[4]->text(), QStringLiteral("info@example.cz"));
    QTest::keyClick(contact.continueButton, Qt::Key_Escape); // on the button too
    QCOMPARE(finished.takeFirst().value(0).toInt(), int(QDialog::Rejected));
    dialog.open();
    dialog.close();
    QCOMPARE(finished.takeFirst().value(0).toInt(), int(QDialog::Rejected));
}

// A value of another type leaves its box as it was; the others are read.
void TestDocument::contactDialogReportsItsStore()
{
    Forms forms(QStringLiteral("English"), true);
    ContactDialog &dialog = *forms.kontakt;
    const ContactControls contact(dialog);
    const PrivateConfig config;
    // Stored as the settings class stores them: the file, or the registry.
    QSettings stored(QSettings::NativeFormat, QSettings::UserScope, "VireoLoggers", "Formular");
    stored.setValue("CompanyName", "ACME");
    stored.setValue("Adress", QStringList{"Praha", "Brno"});
    stored.setValue("Telephone", "123");
    stored.sync();

    BoxAnswers boxes;
    contact.edits[1]->setText(QStringLiteral("typed before"));
    contact.edits[2]->setText(QStringLiteral("typed before"));
    dialog.show();
    QCOMPARE(boxes.asked.size(), 1);
    QCOMPARE(boxes.asked.first().icon, QMessageBox::Critical);
    // The program's own message, kept as earlier versions worded it.
    QVERIFY2(boxes.texts().first().split('\n').first() == QStringLiteral("Invalid data type for 'Adress'"),
        qPrintable(boxes.texts().first()));
    QCOMPARE(contact.edits[0]->text(), QStringLiteral("ACME"));
    QCOMPARE(contact.edits[1]->text(), QStringLiteral("typed before")); // the unreadable value's box
    QCOMPARE(contact.edits[2]->text(), QString());                      // read all the same
    QCOMPARE(contact.edits[3]->text(), QStringLiteral("123"));
    QVERIFY(dialog.isVisible());
    dialog.reject();
    stored.clear(); // the next tests of this run find no store
}

// Whatever stands where the contact details are kept, the document is made,
// nothing stored is lost (it is still in the store or in a copy beside it)
// and the user is told what happened, once.
void TestDocument::storeNeverBlocksTheDocument_data()
{
    QTest::addColumn<QString>("setup");     // what is put in place, and where
    QTest::addColumn<QByteArray>("stored"); // the store's bytes, for a file
    QTest::addColumn<QStringList>("shown"); // the boxes when the dialog opens
    QTest::addColumn<QStringList>("told");  // what the messages say, in order, in Czech
    QTest::addColumn<bool>("remembered");   // whether the details are stored

    const QByteArray sound(
        "[General]\nAdress=Brno\nCompanyName=ACME\nContaktPerson=Jan\nEmail=a@b.cz\nTelephone=123\n");
    const QStringList all{"ACME", "Brno", "Jan", "123", "a@b.cz"};
    const QStringList none(5, QString());
    const QString kept = KeptAside;
    const QString refused("Failed to set data for 'CompanyName'"); // the program's own text, kept on purpose
    const QString invalid("Invalid data type for '%1'");           // likewise
    const auto row = [](const char *name, const char *setup, const QByteArray &bytes, const QStringList &shown,
                         const QStringList &told, bool remembered) {
        QTest::newRow(name) << QString(setup) << bytes << shown << told << remembered;
    };

    row("sound file", "file", sound, all, {}, true);
    row("first run", "nothing", {}, none, {}, true);
    row("edited by hand", "file",
        "CompanyName = Nový Dvůr s.r.o.\r\n\r\n[General]\r\nEmail=a@b.cz \r\nAdress=\"Míru 12, Jihlava\"\r\n",
        {"Nový Dvůr s.r.o.", "Míru 12, Jihlava", "", "", "a@b.cz"}, {}, true);
    for (const char *kind : {"FIFO", "folder", "device", "dangling link", "link loop"}) {
        for (const bool atStore : {true, false}) {
            const QString name = QStringLiteral("%1 at the %2").arg(kind, atStore ? "store" : "fallback");
            row(qPrintable(name), qPrintable(name), {}, none, atStore ? QStringList{refused} : QStringList{}, !atStore);
        }
    }
    row("header without ]", "file", "[General\nCompanyName=ACME\nAdress=Brno\n", {"ACME", "Brno", "", "", ""}, {kept},
        true);
    row("byte-order mark", "file", "\xEF\xBB\xBF" + sound, all, {kept}, true);
    // U+FEFF where a value begins, and after an escape, is part of the value.
    const QByteArray feff("\xEF\xBB\xBF");
    row("U+FEFF in values", "file", "[General]\nAdress=A\\\\" + feff + "B\nCompanyName=" + feff + "ACME\n",
        {QChar(0xFEFF) + QStringLiteral("ACME"), "A\\" + QString(QChar(0xFEFF)) + "B", "", "", ""}, {}, true);
    row("comment", "file", "[General]\n# mine\nCompanyName=ACME\n", {"ACME", "", "", "", ""}, {kept}, true);
    row("line without =", "file", "[General]\nCompanyName=ACME\nnonsense\n", {"ACME", "", "", "", ""}, {kept}, true);
    row("NUL bytes", "file", "[General]\nCompanyName=ACME\n" + QByteArray(16, '\0') + "\n", {"ACME", "", "", "", ""},
        {kept}, true);
    row("random tail", "file", sound + QByteArray::fromHex("93fe01c4ff0a5b3d00e2"), all, {kept}, true);
    row("unquoted list", "file", "[General]\nAdress=Brno\nCompanyName=ACME, Inc.\n", {"", "Brno", "", "", ""},
        {invalid.arg("CompanyName"), kept}, true);
    row("@Variant", "file", "[General]\nCompanyName=ACME\nTelephone=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n",
        {"ACME", "", "", "", ""}, {invalid.arg("Telephone"), kept}, true);
    row("@ByteArray", "file", "[General]\nCompanyName=@ByteArray(ACME)\n", none, {invalid.arg("CompanyName"), kept},
        true);
    row("two e-mail addresses", "file", "[General]\nEmail=a@b.cz, c@d.cz\n", none, {invalid.arg("Email"), kept}, true);
    row("Latin-2 bytes", "file", "[General]\nAdress=Hlavn\xed 1\n", {"", "Hlavn\uFFFD 1", "", "", ""}, {kept}, true);
    row("over the box's limit", "file", "[General]\nCompanyName=" + QByteArray(40000, 'x') + "\n",
        {QString(ContactStore::MaxValueLength, 'x'), "", "", "", ""}, {kept}, true);
    row("larger than a megabyte", "file", sound + QByteArray(1 << 20, '#'), none, {refused, "je větší než"}, false);
    row("read-only file", "read-only file", sound, all, {refused}, false);
    row("read-only folder", "read-only folder", sound, all, {refused}, false);
    row("another user's file", "foreign", {}, all, {refused}, false);
    row("full disk", "full disk", sound, all, {refused}, false);
    row("damaged file in a read-only folder", "read-only folder", "[General]\n# mine\n" + sound, all,
        {refused, "Kopii souboru se nepodařilo vytvořit"}, false);
    row("damaged between two documents", "damaged later", sound, all, {kept}, true);
    // Damage kept aside and told of at an earlier start is neither copied
    // nor told again; a different damage is (the copy of an earlier one is
    // beside every store here).
    row("damaged read-only file, kept at an earlier start", "read-only file, earlier start",
        "[General]\n# mine\n" + sound, all, {refused}, false);
    row("damaged file, cancelled at an earlier start", "file, earlier start", "[General]\n# mine\n" + sound, all, {},
        true);
    row("store path of 4,087 characters, .damaged taken", "long path", "[General]\n# mine\n" + sound, all,
        {refused, "Kopii souboru se nepodařilo vytvořit", "File name too long"}, false);
    // A link at the store, as dotfile managers make one, to a file in the
    // user's dotfiles, or somewhere it is not to be followed.
    const QByteArray byHand("[General]\r\nCompanyName=ACME\r\nAdress=Brno\r\n");
    const QStringList byHandShown{"ACME", "Brno", "", "", ""};
    row("link to the user's file", "dotfile link", byHand, byHandShown, {}, true);
    row("link to a link to the user's file", "dotfile link to a link", byHand, byHandShown, {}, true);
    row("link into another user's folder", "dotfile link into a foreign folder", sound, none,
        {refused, "složky jiného uživatele"}, false);
    row("link of another user", "dotfile link of another user", sound, none, {refused, "jiného uživatele"}, false);
    row("link through a file", "dotfile link through a file", sound, none, {refused, "Not a directory"}, false);
    row("store's folder a link to the user's own (GNU Stow)", "stowed folder", sound, all, {}, true);
    row("link into a folder without search permission", "dotfile link without search permission", sound, none,
        {refused, "Permission denied"}, false);
}

void TestDocument::storeNeverBlocksTheDocument()
{
#ifndef Q_OS_UNIX
    QSKIP("the details are kept in a file on Unix only; Windows keeps them in the registry");
#else
    QFETCH(QString, setup);
    QFETCH(QByteArray, stored);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, told);
    QFETCH(bool, remembered);
    const bool asRoot = geteuid() == 0;
    if (((setup == "read-only folder" || setup.endsWith("without search permission")) && asRoot)
        || ((setup == "foreign" || (setup.endsWith("foreign folder") && !asRoot))
            && qEnvironmentVariableIsEmpty("FORMULAR_TEST_FOREIGN_CONFIG")))
        QSKIP("needs a user whom file permissions bind, and a store another user made (tests/run-as-user.sh)");
    if (setup.endsWith("of another user") && !asRoot)
        QSKIP("only an administrator can give a link to another user");

    const PrivateConfig config; // before the windows, as for the program
    Forms forms(QStringLiteral("Czech"), true);
    DocumentRun run(forms);
    QString store = config.store();
    if (setup == "long path") { // ".damaged" fits beside it, ".damaged.2" does not
        const QString deep = deepFolder(config.path("deep"), 4087 - 27);
        QVERIFY(!deep.isEmpty());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(deep));
        store = ContactStore::location();
    }
    const QString fallback = config.path(QStringLiteral("VireoLoggers.conf"));
    QString target = setup.endsWith("at the fallback") ? fallback : store;
    QVERIFY(QDir().mkpath(QFileInfo(store).path()));
    QFile earlier(store + ".damaged"); // taken: a new copy goes to .damaged.2
    QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("an earlier copy") == 15);
    earlier.close();
    if (setup == "stowed folder") {
        const QString folder = QFileInfo(store).path();
        QVERIFY(QDir().rename(folder, config.path("stowed")));
        QVERIFY(QFile::link(config.path("stowed"), folder));
    }
    const QByteArray path = QFile::encodeName(target);
    if (setup.startsWith("FIFO"))
        QCOMPARE(mkfifo(path.constData(), 0600), 0);
    else if (setup.startsWith("folder"))
        QVERIFY(QDir().mkpath(target + "/x"));
    else if (setup.startsWith("device") && mknod(path.constData(), S_IFCHR | 0600, makedev(1, 3)) != 0)
        QSKIP("this user may not make a device");
    else if (setup.startsWith("dangling link"))
        QVERIFY(QFile::link(target + ".gone", target));
    else if (setup.startsWith("link loop"))
        QCOMPARE(::symlink(path.constData(), path.constData()), 0);
    // A link at the store to the file `linked`, directly or through a second
    // link, in the user's dotfiles or in another user's folder.
    QString linked, linkedBefore;
    if (setup.startsWith("dotfile")) {
        const bool othersFolder = setup.endsWith("foreign folder");
        const QString dotfiles = othersFolder && !asRoot
                                     ? qEnvironmentVariable("FORMULAR_TEST_FOREIGN_CONFIG") + "/VireoLoggers"
                                     : config.path("dotfiles");
        const bool throughFile = setup.endsWith("through a file");
        linked = dotfiles + (throughFile ? "/plain/Formular.conf" : "/Formular.conf");
        if (dotfiles == config.path("dotfiles")) {
            QVERIFY(QDir().mkpath(dotfiles));
            QFile file(throughFile ? dotfiles + "/plain" : linked);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(stored) == stored.size());
        }
        const QString first = setup.endsWith("to a link") ? dotfiles + "/link" : linked;
        QVERIFY(first == linked || QFile::link("Formular.conf", first));
        QVERIFY(QFile::link(first, store));
        linkedBefore = standing(linked);
        if (othersFolder && asRoot)
            QCOMPARE(::chown(QFile::encodeName(dotfiles).constData(), 65534, 65534), 0);
        if (setup.endsWith("of another user"))
            QCOMPARE(::lchown(QFile::encodeName(store).constData(), 65534, 65534), 0);
        if (setup.endsWith("without search permission"))
            QVERIFY(QFile::setPermissions(dotfiles, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    }
    if (setup == "foreign") {
        qputenv("XDG_CONFIG_HOME", qgetenv("FORMULAR_TEST_FOREIGN_CONFIG"));
        target = ContactStore::location();
    } else if (!stored.isEmpty() && !setup.startsWith("dotfile")) {
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(stored) == stored.size());
        file.close();
        if (setup.startsWith("read-only file"))
            QVERIFY(file.setPermissions(QFileDevice::ReadOwner));
        if (setup == "read-only folder")
            QVERIFY(QFile::setPermissions(QFileInfo(store).path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }
    if (setup.endsWith("earlier start"))
        QCOMPARE(ContactStore().read().errors.size(), 1); // as a start before read it, and told
    const QString before = standing(target);

    BoxAnswers boxes;
    QStringList seen;
    std::optional<FileSizeLimit> full;
    boxes.onAsk = [&] { full.reset(); }; // the disk has room again for the document
    run.press(true, {}, &seen, [&] {
        if (setup == "full disk")
            QVERIFY(full.emplace(32).active());
        if (setup == "damaged later") { // by another program, while the dialog is open
            stored = "[General]\nCompanyName=ACME\n[General\n";
            QFile file(target);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(stored) == stored.size());
        }
    });
    for (const QString &folder : {QFileInfo(store).path(), config.path("dotfiles")})
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    // The document is made, whatever became of the details.
    QVERIFY(QFile::exists(run.path()));
    QCOMPARE(forms.desktop->opened.size(), 1);
    QCOMPARE(seen, shown);
    // Told once, in one message, what happened.
    QCOMPARE(boxes.asked.size(), told.isEmpty() ? 0 : 1);
    for (const QString &part : told) // a system reason in the window's language
        QVERIFY2(boxes.texts().value(0).contains(QCoreApplication::translate("QIODevice", qPrintable(part))),
            qPrintable(boxes.texts().value(0)));
    // Nothing stored is lost: it is still in place, or in a copy, or what
    // the store was understood to hold is stored again.
    const QString last =
        setup == "damaged later" ? QStringLiteral("file ") + QString::fromLatin1(stored.toHex()) : before;
    const QString earlierCopy = standing(earlier.fileName());
    if (told.contains(KeptAside) || setup.endsWith("earlier start"))
        QCOMPARE(keptCopies(store), (QStringList{earlierCopy, last}));
    else
        QCOMPARE(keptCopies(store), QStringList{earlierCopy});
    // A copy is told of when it is made, and then only.
    QCOMPARE(boxes.texts().value(0).contains(store + ".damaged.2."), told.contains(KeptAside));
    if (!remembered || target == fallback)
        QCOMPARE(standing(target), last);
    // A link stays a link; the file it leads to is replaced, or left alone.
    if (setup == "stowed folder")
        QVERIFY(QFileInfo(QFileInfo(store).path()).isSymLink());
    if (!linked.isEmpty()) {
        QVERIFY(QFileInfo(store).isSymLink());
        QCOMPARE(standing(linked) == linkedBefore, !remembered);
    }
    // What the boxes showed is what the store holds now, if it could be stored.
    if (remembered) {
        ContactStore::ReadResult read = ContactStore().read();
        QStringList holds;
        for (const auto &value : read.values)
            holds << value.value_or("<unread>");
        QCOMPARE(holds, shown);
    }
#endif
}

// Where there is no store to be had (a file stands where its folder is to
// be made), the dialog works without one, and nothing is told.
void TestDocument::noStoreToBeHadIsNotTold()
{
    const PrivateConfig config;
    const QString blocker = QFileInfo(config.store()).path();
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("mine") == 4);
    file.close();
    Forms forms(QStringLiteral("Czech"), true);
    DocumentRun run(forms);
    BoxAnswers boxes;
    run.press(true, {QStringLiteral("ACME")});
    QVERIFY2(boxes.asked.isEmpty(), qPrintable(boxes.texts().join('|')));
    QVERIFY(run.document().contains("ACME"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("mine"));
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
        // The RTF where the desktop has a program for it, else the PDF.
        QCOMPARE(forms.desktop->offered, (QList<QStringList>{{run.path(), run.path("formular.pdf")}}));
        const QByteArray rtf = run.document();
        QVERIFY(rtf.startsWith("{\\rtf1"));
        QVERIFY(!rtf.contains("$_"));
        QVERIFY(rtf.contains("Firma \\{a\\} \\\\b"));
        QVERIFY(rtf.contains("H1I"));
        QVERIFY(rtf.contains("sklep"));
        QCOMPARE(rtf.contains(f.totalLabel->text().toLatin1()), language == QStringLiteral("Czech"));
        QCOMPARE(f.totalLabel->text(), QStringLiteral("19535,-"));
        QCOMPARE(rtf.contains("Celkem bez DPH"), language == QStringLiteral("Czech"));
        QVERIFY(rtf.contains("N2201 - "));
        // The same document as a PDF beside it; no copy of the template is
        // left, nor was one written beside them.
        QCOMPARE(QDir(run.folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
            (QStringList{"formular.pdf", "formular.rtf"}));
        QFile pdf(run.path("formular.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray pdfBytes = pdf.readAll();
        QVERIFY(pdfBytes.startsWith("%PDF-1.4"));
        QVERIFY(pdfBytes.contains(QByteArray("Formular ") + application::version().toLatin1()));
        QVERIFY(f.window.cursor().shape() != Qt::WaitCursor);
    }
}

// The working folder may be as deep as the system lets a program work in,
// the document's path up to the longest path there is.
void TestDocument::documentIsWrittenInADeepFolder_data()
{
    QTest::addColumn<int>("length"); // of formular.rtf's path
    QTest::newRow("formular.rtf at 4,088 characters") << 4088;
    QTest::newRow("formular.rtf at 4,095 characters") << 4095;
}

void TestDocument::documentIsWrittenInADeepFolder()
{
#ifndef Q_OS_LINUX
    QSKIP("the longest path there is is Linux's here");
#else
    QFETCH(int, length);
    Forms forms(QStringLiteral("English"), true);
    configure(forms.f());
    DocumentRun run(forms);
    // Names of at most 200 characters, down to the depth asked for.
    QString deep = run.folder();
    const int folderLength = length - int(sizeof "/formular.rtf" - 1);
    while (deep.size() < folderLength) {
        const int left = folderLength - deep.size() - 1;
        deep += QLatin1Char('/') + QString(left <= 200 ? left : qMin(200, left - 2), QLatin1Char('d'));
    }
    QVERIFY(QDir().mkpath(deep));
    QVERIFY(QDir::setCurrent(deep));
    const QString rtf = QDir(deep).filePath(QStringLiteral("formular.rtf"));
    QCOMPARE(rtf.size(), length);

    BoxAnswers boxes;
    run.press(true);
    QVERIFY2(boxes.asked.isEmpty(), qPrintable(boxes.texts().join('|')));
    QCOMPARE(forms.desktop->offered, (QList<QStringList>{{rtf, QDir(deep).filePath(QStringLiteral("formular.pdf"))}}));
    QFile written(rtf);
    QVERIFY(written.open(QIODevice::ReadOnly) && written.readAll().startsWith("{\\rtf1"));
    QCOMPARE(QDir(deep).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
        (QStringList{"formular.pdf", "formular.rtf"}));
#endif
}

void TestDocument::generationLeavesTheScreenAlone()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    configure(f);
    ui::click(f.assemblyButton); // the assembly ticks and disables its parts
    ui::choose(f, 5);
    DocumentRun run(forms);
    const ScreenState before = screen(f);
    QList<QSignalSpy *> spies;
    for (QCheckBox *box : f.accessoryBoxes)
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
    QVERIFY(!f.adapterList->view()->isVisible());
}

// As the program starts: no dialog until the document button asks for one,
// and the same one each time after. A FIFO where the details are kept holds
// nothing up.
void TestDocument::dialogsAreBuiltWhenFirstNeeded()
{
    const PrivateConfig config;
#ifdef Q_OS_UNIX
    QVERIFY(QDir().mkpath(QFileInfo(config.store()).path()));
    QCOMPARE(mkfifo(QFile::encodeName(config.store()).constData(), 0600), 0);
#endif
    MainWindow window;
    QVERIFY(!window.findChild<ContactDialog *>());
    QList<ContactDialog *> shown;
    for (int i = 0; i < 2; ++i) {
        window.findChild<QPushButton *>(QString::fromLatin1(controlnames::DocumentButton))->click();
        if (auto *dialog = window.findChild<ContactDialog *>(); dialog && dialog->isVisible()) {
            shown << dialog;
            dialog->reject();
        }
    }
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.first(), shown.last());
    QCOMPARE(shown.first()->parentWidget(), &window);
}

// A logout or SIGTERM ends the program from its event loop, maybe while
// the PDF of a document just written is drawn: the PDF is written all the
// same, so that it never stays behind the RTF beside it.
void TestDocument::windowGoingWhileThePdfIsDrawnStillWritesIt()
{
    Forms forms(QStringLiteral("English"), true);
    configure(forms.f());
    DocumentRun run(forms);
    run.awaitDocument = false;
    run.press(true);
    QVERIFY(run.document().startsWith("{\\rtf1"));
    forms.controls.reset();
    forms.main.reset();
    QFile pdf(run.path("formular.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.readAll().startsWith("%PDF-1.4"));
    QVERIFY(forms.desktop->offered.isEmpty());
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
    ui::click(f.documentButton);
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

// The warning's texts are the program's own and kept on purpose: its
// leading blanks, the backquote and the name "WordPad.exe" whatever the
// desktop's word processor is.
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
    QTest::addColumn<QString>("reason"); // what the message says of the cause, in the user's language (Czech)
    QTest::newRow("read-only document") << "read-only document"
                                        << "stávající soubor je jen pro čtení";
    QTest::newRow("folder in the document's place") << "folder"
                                                    << "v cestě je složka téhož jména";
#ifdef Q_OS_UNIX
    QTest::newRow("folder gone") << "folder gone"
                                 << "už neexistuje";
    QTest::newRow("read-only folder") << "read-only folder"
                                      << "Permission denied";
    QTest::newRow("disk full") << "disk full"
                               << "File too large";
    QTest::newRow("link to another file") << "link"
                                          << "je to odkaz na jiný soubor";
#endif
}

void TestDocument::writeFailuresKeepThePreviousDocument()
{
    QFETCH(QString, fault);
    QFETCH(QString, reason);
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
#ifdef Q_OS_UNIX
    if (fault == QStringLiteral("read-only folder")) {
        if (geteuid() == 0)
            QSKIP("folder permissions do not bind this user");
        QFile::setPermissions(run.folder(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
#endif
    if (fault == QStringLiteral("link")) {
        QVERIFY(QFile::rename(run.path(), run.path(QStringLiteral("someone-elses.txt"))));
        QVERIFY(QFile::link(QStringLiteral("someone-elses.txt"), run.path()));
    }
    // The folder by its full path, as the message is to name it.
    QString fullFolder;
    if (fault == QStringLiteral("folder gone")) {
        fullFolder = QDir::toNativeSeparators(QFileInfo(run.folder()).canonicalFilePath());
        QFile::remove(run.path());
        QVERIFY(QDir(run.folder()).removeRecursively());
    }

    BoxAnswers boxes;
    {
#ifdef Q_OS_UNIX
        // The document is a few kilobytes: it cannot fit.
        std::optional<FileSizeLimit> full;
        if (fault == QStringLiteral("disk full"))
            QVERIFY(full.emplace(1024).active());
#endif
        run.press(true);
    }
    QFile::setPermissions(run.folder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(boxes.asked.size(), 1);
    QCOMPARE(boxes.asked.first().icon, QMessageBox::Critical);
    QVERIFY2(boxes.asked.first().text.startsWith(QStringLiteral("Soubor formular.rtf se nepodařilo zapsat: "))
                 && boxes.asked.first().text.contains(QCoreApplication::translate("QIODevice", qPrintable(reason))),
        qPrintable(boxes.asked.first().text));
    if (fault == QStringLiteral("folder gone"))
        QVERIFY2(boxes.asked.first().text.contains(QStringLiteral("složka %1 už neexistuje").arg(fullFolder)),
            qPrintable(boxes.asked.first().text));
    if (fault != QStringLiteral("folder") && fault != QStringLiteral("folder gone"))
        QCOMPARE(run.document(), old);
    if (fault == QStringLiteral("link"))
        QVERIFY(QFileInfo(run.path()).isSymLink());
    QVERIFY(forms.desktop->opened.isEmpty());
    QVERIFY(!QFile::exists(run.path("formular.pdf")));
    QVERIFY(screen(f) == before);
    QVERIFY(f.window.cursor().shape() != Qt::WaitCursor);
}

// Whatever stands where the PDF goes, the RTF is written and opened, the
// previous PDF stays as it was, no scratch file is left and the user is told
// once, in the window's language, with the system's reason.
void TestDocument::pdfFailuresNeverStopTheDocument_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("told"); // empty: the RTF's own failure is all that is told
    const QString czech("Soubor formular.pdf se nepodařilo zapsat: ");
    const QString english("Cannot write formular.pdf: ");
    QTest::newRow("read-only PDF") << "read-only"
                                   << "Czech" << czech + "stávající soubor je jen pro čtení";
    QTest::newRow("folder in its place") << "folder"
                                         << "English" << english + "a folder of that name is in the way";
#ifdef Q_OS_UNIX
    QTest::newRow("link to another file") << "link"
                                          << "Czech" << czech + "je to odkaz na jiný soubor";
    QTest::newRow("FIFO") << "FIFO"
                          << "English" << english + "it is not a regular file";
    QTest::newRow("disk full after the RTF") << "disk full"
                                             << "Czech" << czech + "File too large";
    QTest::newRow("folder gone") << "folder gone"
                                 << "English" << QString();
#endif
}

void TestDocument::pdfFailuresNeverStopTheDocument()
{
    QFETCH(QString, fault);
    QFETCH(QString, language);
    QFETCH(QString, told);
    Forms forms(language, true);
    configure(forms.f());
    DocumentRun run(forms);
    const QString pdf = run.path("formular.pdf");
    QFile previous(pdf);
    if (fault == "folder") {
        QVERIFY(QDir(run.folder()).mkpath("formular.pdf/inside"));
    } else if (fault == "link") {
        QVERIFY(QFile::link("someone-elses.pdf", pdf));
        previous.setFileName(run.path("someone-elses.pdf"));
    }
#ifdef Q_OS_UNIX
    if (fault == "FIFO")
        QCOMPARE(mkfifo(QFile::encodeName(pdf).constData(), 0600), 0);
#endif
    if (fault != "folder" && fault != "FIFO") {
        QVERIFY(previous.open(QIODevice::WriteOnly) && previous.write("%PDF-1.4 the previous order") == 27);
        previous.close();
    }
    if (fault == "read-only")
        QVERIFY(previous.setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadUser));
    const QStringList entries =
        QDir(run.folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    const QString before = standing(pdf) + standing(previous.fileName());
    if (fault == "folder gone")
        QVERIFY(QDir(run.folder()).removeRecursively());

    BoxAnswers boxes;
    {
#ifdef Q_OS_UNIX
        // Room for the RTF, a few kilobytes, but not for the PDF.
        std::optional<FileSizeLimit> full;
        if (fault == "disk full")
            QVERIFY(full.emplace(12 * 1024).active());
#endif
        run.press(true);
    }
    QCOMPARE(boxes.asked.size(), 1);
    if (fault == "folder gone") {
        QVERIFY(boxes.texts().first().startsWith("Cannot write formular.rtf: "));
        QVERIFY(forms.desktop->offered.isEmpty());
        return;
    }
    QVERIFY2(boxes.texts().first().startsWith(told), qPrintable(boxes.texts().first()));
    QCOMPARE(boxes.asked.first().icon, QMessageBox::Critical);
    QCOMPARE(forms.desktop->offered, QList<QStringList>{{run.path()}});
    QVERIFY(run.document().startsWith("{\\rtf1"));
    QCOMPARE(standing(pdf) + standing(previous.fileName()), before);
    QStringList after = entries + QStringList{"formular.rtf"};
    after.sort();
    QCOMPARE(
        QDir(run.folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot), after);
}

QTEST_MAIN(TestDocument)
#include "tst_document.moc"
