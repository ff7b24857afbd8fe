#pragma once

// The customer's contact details, remembered between runs: five string
// values in the per-user settings store (on Windows the registry key
// HKEY_CURRENT_USER\Software\VireoLoggers\Formular, elsewhere
// ~/.config/VireoLoggers/Formular.conf).
//
// Every call opens the store, does its work and releases it again.
// Errors are returned, never thrown:
//  - read() stops at the first stored value that is not a string and names
//    it in `error` ("Invalid data type for 'Adress'"); the values read before
//    it are in `values`. When the store cannot be opened at all, read()
//    returns no values and no error, and the caller keeps what it shows.
//  - write() returns "Failed to set data for '<name>'" when the store could
//    not be written, an empty text on success.
// Reading does not create the store; the first write does.

#include <QSettings>
#include <QString>
#include <QStringList>
#include <array>

class ContactStore
{
public:
    static constexpr int ValueCount = 5;
    // Company, address, contact person, telephone, e-mail: the names stay
    // spelled as earlier versions stored them.
    static constexpr std::array<const char *, ValueCount> ValueNames{
        "CompanyName", "Adress", "ContaktPerson", "Telephone", "Email"};

    struct ReadResult {
        QStringList values; // in the order of ValueNames; fewer than five after an error
        QString error;      // empty when nothing went wrong
    };

    // The user's own store: organisation "VireoLoggers", application "Formular".
    ContactStore();
    // A store in the given file (tests use a temporary one).
    explicit ContactStore(const QString &fileName,
                          QSettings::Format format = QSettings::NativeFormat);

    ReadResult read() const;
    QString write(const std::array<QString, ValueCount> &values) const;

private:
    QString fileName; // empty: the user's own store
    QSettings::Format format = QSettings::NativeFormat;
};
