#include "rtftext.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <vector>

namespace {

// Reverse map of the upper half of Windows-1250: Unicode BMP unit -> byte,
// 0 where the code page has no such character. Built once from the
// converter itself; every entry is confirmed by a fresh encoder, since an
// encoder's error flag stays set after the first missing character.
class Cp1250Table {
public:
    Cp1250Table()
    {
        QStringDecoder decoder("windows-1250");
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            const char raw = char(byte);
            const QString decoded = decoder.decode(QByteArrayView(&raw, 1));
            if (decoded.size() != 1)
                continue;
            const char16_t unit = decoded.at(0).unicode();
            if (unit < 0xA0 || unit == 0xFFFD) // C1 controls and undefined positions
                continue;
            QStringEncoder encoder("windows-1250");
            const QByteArray back = encoder.encode(decoded);
            if (encoder.hasError() || back.size() != 1 || uchar(back.at(0)) != byte)
                continue;
            if (unit >= bytes.size())
                bytes.resize(std::size_t(unit) + 1, 0);
            bytes[unit] = uchar(byte);
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
