#include "orderdocument.h"

#include "pricing.h"
#include "rtftext.h"

#include <QFile>

#include <string>

namespace document {

using catalogue::Language;
using catalogue::Model;

namespace {

constexpr char LineEnd[] = "\r\n";
constexpr int FirstAccessoryCode = 101; // "$_101" holds the first accessory line

int digit(char c)
{
    return c >= '0' && c <= '9' ? c - '0' : -1;
}

// One filling: the working copy of the ticks, the number of accessory lines
// still to come and the model price kept for the price placeholder.
class Filler {
public:
    Filler(const Order &order, Language language, const Contact &contact)
        : order(order)
        , language(language)
        , contact(contact)
        , czech(language == Language::Czech)
    {
        for (std::size_t i = 0; i < ticks.size(); ++i) {
            ticks[i] = order.accessories[i].ticked;
            if (ticks[i])
                ++accessoryLines;
        }
    }

    void fillLine(QByteArrayView line, QByteArray &out)
    {
        qsizetype from = 0;
        for (;;) {
            const qsizetype p = line.indexOf(QByteArrayView("$_"), from);
            if (p < 0)
                break;
            out.append(line.sliced(from, p - from));
            const QByteArrayView code = line.sliced(p, qMin<qsizetype>(5, line.size() - p));
            QString value;
            if (code.size() == 5 && valueFor(code, value))
                out.append(rtfText(value));
            else
                out.append(code); // no rule knows it: keep it as it stands
            from = p + code.size();
        }
        out.append(line.sliced(from));
        out.append(LineEnd);
    }

private:
    // The value of a five-character code; false when no rule knows it.
    // Rules are tried in a fixed order: contact lines, model, model price,
    // channel rows 01..16, accessory lines.
    bool valueFor(QByteArrayView code, QString &value)
    {
        const char a = code[2], b = code[3], c = code[4];

        if (a == '0' && b >= '1' && b <= '4' && c == 'A') {
            const int line = b - '1';
            value = contactLine(line);
            if (line == 3)
                value += QStringLiteral(" ; ") + contactLine(4);
            return true;
        }
        if (a == '0' && b == '0' && c == '0') {
            value = modelLine();
            return true;
        }
        if (a == '0' && b == '0' && c == 'C') {
            if (!modelPrice.isEmpty())
                value = catalogue::priceText(modelPrice);
            return true;
        }
        const int tens = digit(a), units = digit(b);
        if (tens >= 0 && units >= 0) {
            const int row = tens * 10 + units;
            if (row >= 1 && row <= Order::ChannelCount && (c == 'M' || c == 'K' || c == 'C' || c == 'P')) {
                value = channelValue(row, c);
                return true;
            }
            const int hundreds = digit(c);
            if (hundreds >= 0) {
                const int number = tens * 100 + units * 10 + hundreds;
                if (number > 100) {
                    value = accessoryLine(number);
                    return true;
                }
            }
        }
        return false;
    }

    // The model text; keeps the model's price for "$_00C". The cabinet
    // assembly reports three of its ticked parts as one line, so it takes
    // two lines off the count.
    QString modelLine()
    {
        if (order.model == Model::None) {
            modelPrice.clear();
            return {};
        }
        modelPrice = QString::number(catalogue::modelBasePrice(order.model));
        switch (order.model) {
        // "TQ8 " with its trailing blank, as earlier documents wrote it: kept on purpose.
        case Model::TQ8: return QStringLiteral("TQ8 ");
        case Model::TQ8R: return QStringLiteral("TQ8R");
        case Model::ZK222: accessoryLines -= 2; return QStringLiteral("TQ8 (ZK222)");
        case Model::None: break;
        }
        return {};
    }

    QString contactLine(int line) const { return contactCaption(line, language) + contact[std::size_t(line)]; }

    QString channelValue(int number, char column) const
    {
        const Order::Channel &channel = order.channel(number);
        if (column == 'P')
            return channel.note;
        if (channel.module == Order::NoModule)
            return {};
        const catalogue::TModulArray &module = catalogue::moduleAt(channel.module);
        switch (column) {
        case 'M': return order.moduleCell(number);
        case 'K': return catalogue::qs(module.OrderCode);
        default: return catalogue::priceText(module.Price);
        }
    }

    bool ticked(int tag) const { return ticks[std::size_t(tag - 1)]; }
    bool enabled(int tag) const { return order.accessory(tag).enabled; }
    void untick(int tag) { ticks[std::size_t(tag - 1)] = false; }

    // The state in which the ZK222 model holds its parts: each part ticked
    // and disabled, what it replaces unticked and disabled.
    bool assemblyFitted() const
    {
        if (order.model != Model::ZK222)
            return false;
        for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag) {
            const catalogue::AssemblyRole role = catalogue::accessory(tag).assembly;
            if (role != catalogue::AssemblyRole::None
                && (enabled(tag) || ticked(tag) != (role == catalogue::AssemblyRole::Part)))
                return false;
        }
        return true;
    }

    // Each accessory placeholder takes the next ticked box in tag order and
    // consumes it; once none is left, the Czech form gets the underline and
    // the total at the places that follow the last line.
    QString accessoryLine(int number)
    {
        int tag = 1;
        while (tag <= catalogue::AccessoryCount && !ticked(tag))
            ++tag;

        if (tag > catalogue::AccessoryCount) {
            if (czech && number == accessoryLines + FirstAccessoryCode)
                return QString(24, u'_');
            if (czech && number == accessoryLines + FirstAccessoryCode + 1)
                return QStringLiteral("Celkem bez DPH: ") + catalogue::priceText(pricing::total(order));
            return {};
        }

        if (assemblyFitted()) {
            for (int t = 1; t <= catalogue::AccessoryCount; ++t)
                if (catalogue::accessory(t).assembly != catalogue::AssemblyRole::None)
                    untick(t);
            return QStringLiteral("ZK222 - (ZK201, ZK23, ZK214, ZK211, ZD300)");
        }

        untick(tag);
        const QString caption = catalogue::accessoryCaption(tag, language);
        const int variant = order.orderedVariant(tag);
        QString value;
        switch (catalogue::accessory(tag).line) {
        case catalogue::DocumentLine::ItemCodeAndRating: {
            // "N2202   (24V / 1A)" -> "N2202 - <caption up to its dash> (24V / 1A)"
            const QString item = catalogue::variantItem(tag, variant);
            const qsizetype dash = caption.indexOf(QStringLiteral(" - "));
            value = item.left(5) + QStringLiteral(" - ") + (dash < 0 ? caption : caption.left(dash)) + item.mid(7);
            break;
        }
        case catalogue::DocumentLine::CaptionThenItem: {
            // The caption's arrow "------ >>>" goes, one dash stays.
            const qsizetype arrow = caption.indexOf(QStringLiteral("--"));
            value = (arrow < 0 ? caption : caption.left(arrow + 1)) + u' ' + catalogue::variantItem(tag, variant);
            break;
        }
        case catalogue::DocumentLine::CodeThenCaption:
            value = catalogue::accessoryOrderCode(tag, variant) + QStringLiteral(" - ") + caption;
            break;
        case catalogue::DocumentLine::Caption: value = caption; break;
        }
        if (czech)
            value += QStringLiteral(" _ ") + catalogue::priceText(catalogue::accessoryPriceText(tag, variant));
        return value;
    }

    const Order &order;
    const Language language;
    const Contact &contact;
    const bool czech;
    std::array<bool, catalogue::AccessoryCount> ticks{};
    int accessoryLines = 0;
    QString modelPrice;
};

} // namespace

QString contactCaption(int line, Language language)
{
    // Each caption ends in a colon and a blank, as the document writes the
    // value right after it; "Email: " is the same in both languages. Kept on
    // purpose.
    static const char16_t *const captions[2][ContactLines] = {
        {u"Název firmy: ", u"Adresa: ", u"Kontaktní osoba: ", u"Telefon: ", u"Email: "},
        {u"Company name: ", u"Address: ", u"Contact person: ", u"Telephone: ", u"Email: "}};
    Q_ASSERT(line >= 0 && line < ContactLines);
    return QString::fromUtf16(captions[language == Language::Czech ? 0 : 1][line]);
}

QByteArray fill(const QByteArray &templateBytes, const Order &order, Language language, const Contact &contact)
{
    Filler filler(order, language, contact);
    QByteArray out;
    out.reserve(templateBytes.size() + templateBytes.size() / 2 + 4096);

    const QByteArrayView bytes(templateBytes);
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        if (end > start && bytes[end - 1] == '\r')
            --end;
        filler.fillLine(bytes.sliced(start, end - start), out);
        start = next;
    }
    return out;
}

QByteArray templateFor(Language language)
{
    const QString name = language == Language::Czech ? QStringLiteral(":/templates/sablona_cz.rtf")
                                                     : QStringLiteral(":/templates/sablona_en.rtf");
    QFile file(name);
    const bool compiledIn = file.open(QIODevice::ReadOnly);
    Q_ASSERT_X(compiledIn, "templateFor", "a document template is missing from the program");
    return compiledIn ? file.readAll() : QByteArray();
}

} // namespace document
