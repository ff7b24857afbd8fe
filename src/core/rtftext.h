#pragma once

// Encoding of one piece of inserted text (a caption, a contact line, a note)
// for an RTF document declared in the Windows-1250 code page.

#include <QByteArray>
#include <QStringView>

// Returns `text` as RTF body text:
//  - '\', '{' and '}' are escaped as control symbols, so typed text can
//    never open or close a group or start a control word;
//  - characters that Windows-1250 has are written as their single byte;
//  - every other character is written as \uN? (N the signed 16-bit UTF-16
//    unit, two of them for a character beyond the BMP; '?' is the fallback
//    that \uc1 readers skip);
//  - a tab becomes "\tab ", a line break (LF, CR or CR LF) "\line ";
//  - every other control character (C0, DEL, C1) and unpaired surrogates
//    are dropped.
// The result never contains a byte below 0x20, so it cannot split a line.
QByteArray rtfText(QStringView text);

// The character that `byte` stands for in Windows-1250; U+FFFD for the five
// bytes the code page leaves undefined.
char16_t cp1250Character(uchar byte);
