#pragma once

// Just enough of an RTF reader for the document tests: group balance, the
// control words in use, the font in force at every "$_" and the text a
// reader sees.

#include <QByteArray>
#include <QByteArrayList>
#include <QList>
#include <QSet>
#include <utility>

struct RtfScan {
    bool balanced = false;                      // no stray '}', and the outer group closes only at the very end
    QSet<QByteArray> words;                     // control words met
    QList<QPair<QByteArray, int>> placeholders; // code and the font in force there
    // The visible text of each paragraph in the document's code page: \tab
    // as '\t', \'hh as its byte, tables and other destinations left out.
    QByteArrayList paragraphs;
};

inline RtfScan scanRtf(const QByteArray &rtf)
{
    auto isAlpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    static const QSet<QByteArray> destinations{"fonttbl", "colortbl", "stylesheet", "info"};
    RtfScan scan;
    QList<int> fonts{0};       // one entry per open group, plus the outside
    QList<bool> hidden{false}; // the same, for text that is not shown
    QByteArray paragraph;
    bool closed = false, stray = false;
    const qsizetype size = rtf.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = rtf[i];
        if (closed) {
            stray |= !(c == ' ' || c == '\r' || c == '\n');
        } else if (c == '{') {
            fonts.append(fonts.last());
            hidden.append(hidden.last());
        } else if (c == '}') {
            if (fonts.size() > 1) {
                fonts.removeLast();
                hidden.removeLast();
            } else {
                stray = true;
            }
            closed = fonts.size() == 1;
        } else if (c == '\\' && i + 1 < size && isAlpha(rtf[i + 1])) {
            qsizetype j = i + 1;
            while (j < size && isAlpha(rtf[j]))
                ++j;
            const QByteArray word = rtf.mid(i + 1, j - i - 1);
            qsizetype k = j < size && rtf[j] == '-' ? j + 1 : j;
            while (k < size && isDigit(rtf[k]))
                ++k;
            scan.words.insert(word);
            if (word == "f")
                fonts.last() = rtf.mid(j, k - j).toInt();
            else if (word == "plain")
                fonts.last() = 0;
            else if (destinations.contains(word))
                hidden.last() = true;
            else if (word == "tab" && !hidden.last())
                paragraph += '\t';
            else if (word == "par" && !hidden.last())
                scan.paragraphs.append(std::exchange(paragraph, {}));
            i = (k < size && rtf[k] == ' ') ? k : k - 1;
        } else if (c == '\\') {
            const char symbol = i + 1 < size ? rtf[i + 1] : '\0';
            if (symbol == '\'') {
                if (!hidden.last())
                    paragraph += char(rtf.mid(i + 2, 2).toInt(nullptr, 16));
                i += 3;
            } else {
                if (symbol == '*')
                    hidden.last() = true;
                else if (!hidden.last() && (symbol == '\\' || symbol == '{' || symbol == '}'))
                    paragraph += symbol;
                i += 1;
            }
        } else {
            if (c == '$' && i + 1 < size && rtf[i + 1] == '_')
                scan.placeholders.append({rtf.mid(i, 5), fonts.last()});
            if (!hidden.last() && c != '\r' && c != '\n')
                paragraph += c;
        }
    }
    if (!paragraph.isEmpty())
        scan.paragraphs.append(paragraph);
    scan.balanced = closed && !stray;
    return scan;
}
