#include "rtfreader.h"

#include "rtftext.h"

namespace rtf {

QString Paragraph::text() const
{
    QString text;
    for (const Run &run : runs)
        text += run.text;
    return text;
}

namespace {

enum class Destination { Body, FontTable };

// What a group saves and its closing brace restores.
struct GroupState {
    Destination destination = Destination::Body;
    CharFormat format;
    int unicodeSkip = 1; // \uc: fallback characters after each \u
};

class Reader {
public:
    explicit Reader(const QByteArray &bytes)
        : m_bytes(bytes)
    {
    }

    Document read()
    {
        while (m_at < m_bytes.size()) {
            const char c = m_bytes.at(m_at++);
            switch (c) {
            case '{': m_groups.append(m_state); break;
            case '}':
                if (m_groups.isEmpty()) {
                    m_document.unknown << QStringLiteral("}");
                    break;
                }
                m_state = m_groups.takeLast();
                if (m_groups.isEmpty())
                    finish(); // the document's own group is closed; what follows is not RTF
                break;
            case '\\': control(); break;
            case '\r':
            case '\n': break; // line ends in RTF source carry no meaning
            default: character(cp1250Character(uchar(c))); break;
            }
        }
        finish();
        return m_document;
    }

private:
    void finish()
    {
        if (!m_paragraph.runs.isEmpty())
            endParagraph();
        m_at = m_bytes.size();
    }

    void control()
    {
        if (m_at >= m_bytes.size()) {
            m_document.unknown << QStringLiteral("\\");
            return;
        }
        const char c = m_bytes.at(m_at);
        if (!isLetter(c)) {
            ++m_at;
            switch (c) {
            case '\\':
            case '{':
            case '}': character(char16_t(c)); return;
            case '\'': {
                bool ok = false;
                const uchar byte = uchar(m_bytes.mid(m_at, 2).toUInt(&ok, 16));
                m_at += 2;
                if (!ok)
                    m_document.unknown << QStringLiteral("\\'");
                character(cp1250Character(byte));
                return;
            }
            default: m_document.unknown << QStringLiteral("\\") + QLatin1Char(c); return;
            }
        }
        const qsizetype start = m_at;
        while (m_at < m_bytes.size() && isLetter(m_bytes.at(m_at)))
            ++m_at;
        const QByteArray word = m_bytes.mid(start, m_at - start);
        const qsizetype digits = m_at;
        if (m_at < m_bytes.size() && m_bytes.at(m_at) == '-')
            ++m_at;
        while (m_at < m_bytes.size() && m_bytes.at(m_at) >= '0' && m_bytes.at(m_at) <= '9')
            ++m_at;
        const bool hasParameter = m_at > digits;
        const int parameter = hasParameter ? m_bytes.mid(digits, m_at - digits).toInt() : 0;
        if (m_at < m_bytes.size() && m_bytes.at(m_at) == ' ')
            ++m_at; // the blank that ends a control word belongs to it
        if (!controlWord(word, hasParameter, parameter))
            m_document.unknown << QStringLiteral("\\") + QString::fromLatin1(word);
    }

    // Applies one control word; false when it is not one of ours.
    bool controlWord(const QByteArray &word, bool hasParameter, int parameter)
    {
        CharFormat &format = m_state.format;
        Page &page = m_document.page;
        const bool on = !hasParameter || parameter != 0;
        if (m_state.destination == Destination::FontTable) {
            if (word == "f")
                m_font = &m_document.fonts[parameter];
            else if (word == "fmodern" && m_font)
                m_font->fixedPitch = true;
            else if (word == "fswiss" && m_font)
                m_font->sansSerif = true;
            else if (word == "fprq" && m_font)
                m_font->fixedPitch = m_font->fixedPitch || parameter == 1;
            else if (word != "fcharset")
                return false;
            return true;
        }
        // Text.
        if (word == "par")
            endParagraph();
        else if (word == "tab")
            character(u'\t');
        else if (word == "line")
            character(QChar::LineSeparator);
        else if (word == "u") {
            character(char16_t(parameter < 0 ? parameter + 0x10000 : parameter));
            m_skip = m_state.unicodeSkip;
        }
        // Character formatting.
        else if (word == "plain")
            format = CharFormat{m_defaultFont};
        else if (word == "f")
            format.font = parameter;
        else if (word == "fs")
            format.halfPoints = hasParameter ? parameter : 24;
        else if (word == "b")
            format.bold = on;
        else if (word == "ul")
            format.underline = on;
        else if (word == "ulnone")
            format.underline = false;
        // Paragraph formatting.
        else if (word == "pard")
            m_spaceBefore = 0;
        else if (word == "sb")
            m_spaceBefore = parameter;
        // The document.
        else if (word == "fonttbl")
            m_state.destination = Destination::FontTable;
        else if (word == "deff") {
            m_defaultFont = parameter;
            format.font = parameter;
        } else if (word == "paperw")
            page.width = parameter;
        else if (word == "paperh")
            page.height = parameter;
        else if (word == "margl")
            page.marginLeft = parameter;
        else if (word == "margr")
            page.marginRight = parameter;
        else if (word == "margt")
            page.marginTop = parameter;
        else if (word == "margb")
            page.marginBottom = parameter;
        else if (word == "deftab")
            page.defaultTab = parameter;
        else if (word == "uc")
            m_state.unicodeSkip = parameter;
        // Declarations that change nothing on the page: the code page is
        // Windows-1250 throughout, languages and views are the editor's.
        else if (word != "rtf" && word != "ansi" && word != "ansicpg" && word != "deflang" && word != "lang"
                 && word != "viewkind")
            return false;
        return true;
    }

    void character(char16_t unit)
    {
        if (m_skip > 0) { // the fallback of a \u character
            --m_skip;
            return;
        }
        if (m_groups.isEmpty())
            return; // outside the document
        if (m_state.destination == Destination::FontTable) {
            if (!m_font)
                return;
            if (unit == u';')
                m_font = nullptr;
            else
                m_font->name += QChar(unit);
            return;
        }
        QList<Run> &runs = m_paragraph.runs;
        if (runs.isEmpty() || runs.last().format != m_state.format)
            runs.append(Run{QString(), m_state.format});
        runs.last().text += QChar(unit);
    }

    void endParagraph()
    {
        m_paragraph.spaceBefore = m_spaceBefore;
        m_paragraph.mark = m_state.format;
        m_document.paragraphs.append(std::move(m_paragraph));
        m_paragraph = Paragraph();
    }

    static bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

    const QByteArray &m_bytes;
    qsizetype m_at = 0;
    Document m_document;
    GroupState m_state;
    QList<GroupState> m_groups;
    Paragraph m_paragraph;
    int m_spaceBefore = 0;
    int m_defaultFont = 0;
    int m_skip = 0;
    Font *m_font = nullptr; // the font table entry being read
};

} // namespace

Document read(const QByteArray &bytes)
{
    return Reader(bytes).read();
}

} // namespace rtf
