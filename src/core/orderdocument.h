#pragma once

// The order document: the RTF template of the current language with every
// "$_" placeholder replaced by a value of the configuration.
//
// Filling is a pure function of the template bytes and a plain snapshot of
// what the form shows; the window code takes the snapshot and writes the
// result. Nothing on the screen changes while a document is being filled.

#include "catalogue.h"

#include <QByteArray>
#include <QString>
#include <array>

namespace document {

constexpr int ContactLines = 5;
constexpr int ChannelRows = 16;

struct ContactField {
    QString caption; // caption of the group box, e.g. "Název firmy: "
    QString text;    // what the user typed
};

struct ChannelRow {
    QString module; // module code with trailing blanks, "---" or empty
    QString index;  // the module's catalogue index as decimal text, or empty
    QString note;   // free text
};

struct AccessoryBox {
    QString caption; // check box text in the current language
    bool ticked = false;
    bool enabled = true;
};

struct OrderSnapshot {
    catalogue::Language language = catalogue::Language::Czech;
    std::array<ContactField, ContactLines> contact; // company, address, person, telephone, email
    catalogue::Model model = catalogue::Model::None;
    std::array<ChannelRow, ChannelRows> rows;
    std::array<AccessoryBox, catalogue::AccessoryCount> accessories; // tag 1 at [0]
    int adapterItem = 0;     // selected item of the adapter list (variant of tag 2)
    QString adapterText;     // its text, e.g. "N2202   (24V / 1A)"
    int cableItem = 0;       // selected item of the cable list (variant of tag 18)
    QString cableText;       // its text, e.g. "5 m"
    qint32 channelCount = 0; // fitted channels as last counted for the calibration certificate
    QString totalCaption;    // what the total label shows, e.g. "15990,-"
};

// Fills `templateBytes` (RTF, lines ended by CR LF or LF) for `order` and
// returns the document: every template line with its placeholders replaced,
// followed by CR LF (the last line too).
//
// Placeholders are "$_" and the next three characters. In each line the
// leftmost "$_" is replaced first and the search goes on behind the inserted
// text, so typed text is never searched again. A code that no rule knows is
// kept as it stands. Every inserted text is encoded by rtfText().
//
// Accessory lines are handed out from a private copy of the ticks in `order`;
// the caller's snapshot is never changed.
//
// A snapshot that holds what the order can never hold (a catalogue index
// outside 0..54 or not a number, a variant list item outside 0..2) is a
// programming error: asserted, and filled as "---" or left empty.
QByteArray fillOrderDocument(const QByteArray &templateBytes, const OrderSnapshot &order);

// The compiled-in template of `language`; its absence (a broken build) is
// asserted.
QByteArray templateFor(catalogue::Language language);

} // namespace document
