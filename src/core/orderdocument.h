#pragma once

// The order document: the RTF template of the current language with every
// "$_" placeholder replaced by a value of the order.
//
// Filling is a pure function of the template bytes, the order, the
// language and the contact details; captions, codes and prices come from
// the catalogue and the texts below.

#include "order.h"

#include <QByteArray>
#include <QString>
#include <array>

namespace document {

// The contact details in the document's order: company, address, contact
// person, telephone, e-mail.
constexpr int ContactLines = 5;
using Contact = std::array<QString, ContactLines>;

// The caption each contact detail is asked and written under, e.g.
// "Název firmy: ".
QString contactCaption(int line, catalogue::Language language);

// Fills `templateBytes` (RTF, lines ended by CR LF or LF) and returns the
// document: every template line with its placeholders replaced, followed by
// CR LF (the last line too).
//
// Placeholders are "$_" and the next three characters. In each line the
// leftmost "$_" is replaced first and the search goes on behind the inserted
// text, so typed text is never searched again. A code that no rule knows is
// kept as it stands. Every inserted text is encoded by rtfText().
//
// Accessory lines are handed out from a private copy of the ticks in
// `order`; the order itself is never changed.
//
// An order that holds what OrderModel never lets it hold (a module index
// outside the catalogue, a variant without an item) is a programming error:
// asserted, and filled as "---" or left empty.
QByteArray fill(
    const QByteArray &templateBytes, const Order &order, catalogue::Language language, const Contact &contact);

// The compiled-in template of `language`; its absence (a broken build) is
// asserted.
QByteArray templateFor(catalogue::Language language);

} // namespace document
