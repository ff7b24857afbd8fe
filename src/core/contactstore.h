#pragma once

// The customer's contact details, remembered between runs: five texts in
// the per-user store. On Windows that is the registry key
// HKEY_CURRENT_USER\Software\VireoLoggers\Formular; elsewhere the file
// VireoLoggers/Formular.conf in the user's configuration folder
// ($XDG_CONFIG_HOME, or ~/.config), in the INI layout earlier versions wrote.
//
// The file is read by this class alone, from its bytes:
//  - Only a regular file of at most a megabyte is opened, without waiting on
//    a writer, so nothing can hang on it. No other file (such as an
//    organisation-wide one) is ever read.
//  - A link at the store's path is followed, as dotfile managers keep the
//    file in the user's own dotfiles, when every link on the way, every
//    folder a link leads into and the file at the end belong to the user and
//    that file is a regular file. The file at the end is read, and replaced
//    in its own folder, so the link stays a link. Any other link (another
//    user's, into another user's folder, dangling, to anything but a regular
//    file, or more than eight in a row) is refused.
//  - A value of another type than a text is reported ("Invalid data type
//    for 'Adress'", in English in both languages, as earlier versions said
//    it) and left out; the other values are read all the same.
//  - Whatever the file holds beyond the five texts as this program writes
//    them (damage, comments, other entries, text that is not UTF-8, a value
//    longer than its box, a value of another type) is never overwritten
//    unseen: the whole file is first kept beside the store's path, as
//    Formular.conf.damaged, .damaged.2, ..., and the user is told once,
//    naming both files. Bytes already kept there (in this run or an earlier
//    one) are not copied, nor told, again. Where no copy can be made (the
//    file system cannot tell whether a name is free, or a hundred copies
//    are there), the file is not written.
//  - What cannot be read is never overwritten. The file is replaced whole or
//    not at all.
// Storing may fail; the caller reports it and goes on: remembering the
// details must never stand in the way of the order document. Where there is
// no store to be had at all (no configuration folder, or one that cannot be
// made), nothing is read or written and nothing is reported.

#include "outcome.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

class ContactStore {
    // Its messages are in the language of the interface.
    Q_DECLARE_TR_FUNCTIONS(ContactStore)

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

    // The tests' stand-in for the one answer of the file system that no
    // test machine can be made to give (an I/O error, say): for a path, the
    // error lstat is to report there, or 0 for the file system's own answer.
    // The program never sets it.
    static void setStatFault(std::function<int(const QString &path)> fault);
};
