#pragma once

// The customer's contact details, remembered between runs: five texts in
// the per-user store. On Windows that is the registry key
// HKEY_CURRENT_USER\Software\VireoLoggers\Formular; elsewhere the file
// VireoLoggers/Formular.conf in the user's configuration folder
// ($XDG_CONFIG_HOME, or ~/.config), in the INI layout earlier versions wrote.
//
// The file is read by this class alone, from its bytes:
//  - Only a regular file of at most a megabyte is opened, without following
//    a link and without waiting on a writer, so nothing can hang on it. No
//    other file (such as an organisation-wide one) is ever read.
//  - A value of another type than a text is reported ("Invalid data type
//    for 'Adress'") and left out; the other values are read all the same.
//  - Whatever the file holds beyond the five texts as this program writes
//    them (damage, comments, other entries, text that is not UTF-8, a value
//    longer than its box, a value of another type) is never overwritten
//    unseen: the whole file is first copied to the first free
//    Formular.conf.damaged, .damaged.2, ..., and the user is told once,
//    naming both files.
//  - What cannot be read is never overwritten, and a link is never written
//    through. The file is replaced whole or not at all.
// Storing may fail; the caller reports it and goes on: remembering the
// details must never stand in the way of the order document.

#include "outcome.h"

#include <QByteArray>
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
    // The most characters a contact box holds; a longer stored value is
    // shown cut and its file kept aside.
    static constexpr int MaxValueLength = 32767;
    using Values = std::array<QString, ValueCount>;

    struct ReadResult {
        // In the order of ValueNames; empty where a value could not be read
        // (the caller keeps what it shows there). A value never stored reads
        // as the empty text.
        std::array<std::optional<QString>, ValueCount> values;
        QStringList errors; // one message per problem, empty when all went well
    };

    struct WriteResult {
        Outcome stored = Outcome::success(); // "Failed to set data for ..." with the reason
        QString notice;                      // the previous file was kept aside: the user is to be told
    };

    ReadResult read();
    WriteResult write(const Values &values);

    // Where the details are kept, as the user would look for them: the
    // file's path, or the registry key.
    static QString location();

private:
    // The file store only: the registry has no file to keep aside.
    Outcome keepAside(const QByteArray &bytes, bool *madeNow);

    // The bytes last copied aside in this run and the copy's name, so that
    // the same contents are copied and reported once.
    QByteArray m_keptBytes;
    QString m_keptAs;
};
