#pragma once

// The customer's contact details, remembered between runs: five string
// values in the per-user settings store (on Windows the registry key
// HKEY_CURRENT_USER\Software\VireoLoggers\Formular, on Linux the file
// ~/.config/VireoLoggers/Formular.conf).
//
// Nothing the user stored is ever lost:
//  - A value of another type than a string is reported ("Invalid data type
//    for 'Adress'") and left out; the other values are read all the same.
//  - A store file that cannot be parsed is copied aside (Formular.conf.damaged)
//    before anything is written, and reported once, naming both files.
//  - A store file is written whole or not at all: the new contents are
//    checked by reading them back before they replace the old file.
//  - Only a regular file is read; a FIFO or device at its path is left alone.
// A store that cannot be created at all (its folder cannot be made) is, as
// on Windows, neither read nor written and nothing is reported: the caller
// goes on with the texts it shows.

#include "outcome.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

class ContactStore {
public:
    static constexpr int ValueCount = 5;
    // Company, address, contact person, telephone, e-mail: the names stay
    // spelled as earlier versions stored them.
    static constexpr std::array<const char *, ValueCount> ValueNames{
        "CompanyName", "Adress", "ContaktPerson", "Telephone", "Email"};
    using Values = std::array<QString, ValueCount>;

    struct ReadResult {
        // In the order of ValueNames; empty where a value could not be read
        // (the caller keeps what it shows there). A value never stored reads
        // as the empty text.
        std::array<std::optional<QString>, ValueCount> values;
        QStringList errors; // one message per problem, empty when all went well
    };

    // The user's own store: organisation "VireoLoggers", application "Formular".
    ContactStore();
    // A store in the given INI file (tests use a temporary one).
    explicit ContactStore(const QString &fileName);

    ReadResult read();
    Outcome write(const Values &values);

    // The file that holds the store; empty where the platform keeps it
    // elsewhere (the registry).
    QString fileName() const { return m_fileName; }

private:
    ReadResult readNative() const;
    Outcome writeNative(const Values &values) const;
    Outcome keepDamagedCopy();
    Outcome renderWithValues(const QByteArray &previous, const Values &values, QByteArray *rendered) const;

    QString m_fileName;            // empty: the platform's native store
    bool m_damaged = false;        // the file could not be parsed when last read
    bool m_damageReported = false; // told the user once already
    QString m_damagedCopy;         // where its bytes were kept, once they are
};
