#include "rtftext.h"

#include <vector>

namespace {

// The upper half of Windows-1250: byte 0x80 + i is Unicode kUpperHalf[i];
// 0x0000 marks the five bytes the code page leaves undefined (81, 83, 88, 90, 98).
constexpr char16_t kUpperHalf[128] = {
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x0000, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179, // 88
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0000, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7, // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9, // F8
};

// Reverse map of the upper half: Unicode BMP unit -> byte, 0 where the code
// page has no such character.
class Cp1250Table {
public:
    Cp1250Table()
    {
        for (int i = 0; i < 128; ++i) {
            const char16_t unit = kUpperHalf[i];
            if (unit == 0x0000)
                continue;
            if (unit >= bytes.size())
                bytes.resize(std::size_t(unit) + 1, 0);
            bytes[unit] = uchar(0x80 + i);
        }
    }

    // The byte for `unit`, or 0 when Windows-1250 lacks it.
    uchar lookup(char16_t unit) const { return unit < bytes.size() ? bytes[unit] : 0; }

private:
    std::vector<uchar> bytes;
};

const Cp1250Table &cp1250()
{
    static const Cp1250Table table;
    return table;
}

// Printable ASCII that goes into RTF as it is.
inline bool isPlain(char16_t unit)
{
    return unit >= 0x20 && unit < 0x7F && unit != u'\\' && unit != u'{' && unit != u'}';
}

void appendUnicode(QByteArray &out, char16_t unit)
{
    out.append("\\u");
    out.append(QByteArray::number(int(qint16(unit))));
    out.append('?');
}

} // namespace

char16_t cp1250Character(uchar byte)
{
    if (byte < 0x80)
        return char16_t(byte);
    const char16_t unit = kUpperHalf[byte - 0x80];
    return unit == 0x0000 ? char16_t(0xFFFD) : unit;
}

QByteArray rtfText(QStringView text)
{
    const qsizetype size = text.size();
    const char16_t *units = text.utf16();

    // Fast path: the usual caption or note is plain ASCII throughout.
    qsizetype plainRun = 0;
    while (plainRun < size && isPlain(units[plainRun]))
        ++plainRun;
    QByteArray out;
    if (plainRun == size) {
        out.resize(size);
        char *dst = out.data();
        for (qsizetype i = 0; i < size; ++i)
            dst[i] = char(units[i]);
        return out;
    }

    out.reserve(size + size / 4 + 16);
    out.resize(plainRun);
    for (qsizetype i = 0; i < plainRun; ++i)
        out[i] = char(units[i]);

    const Cp1250Table &table = cp1250();
    for (qsizetype i = plainRun; i < size; ++i) {
        const char16_t unit = units[i];
        if (isPlain(unit)) {
            out.append(char(unit));
            continue;
        }
        switch (unit) {
        case u'\\':
        case u'{':
        case u'}':
            out.append('\\');
            out.append(char(unit));
            continue;
        case u'\t': out.append("\\tab "); continue;
        case u'\r':
            if (i + 1 < size && units[i + 1] == u'\n')
                ++i;
            out.append("\\line ");
            continue;
        case u'\n': out.append("\\line "); continue;
        default: break;
        }
        if (unit < 0xA0) // remaining C0 controls, DEL and the C1 range
            continue;
        if (QChar::isHighSurrogate(unit)) {
            if (i + 1 < size && QChar::isLowSurrogate(units[i + 1])) {
                appendUnicode(out, unit);
                appendUnicode(out, units[i + 1]);
                ++i;
            }
            continue;
        }
        if (QChar::isLowSurrogate(unit)) // unpaired
            continue;
        if (const uchar byte = table.lookup(unit)) {
            out.append(char(byte));
            continue;
        }
        appendUnicode(out, unit);
    }
    return out;
}
