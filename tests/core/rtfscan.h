#pragma once

// Just enough of an RTF reader for the document tests: group balance, the
// control words in use, and the font in force at every "$_".

#include <QByteArray>
#include <QList>
#include <QSet>

struct RtfScan {
    bool balanced = false;  // no stray '}', and the outer group closes only at the very end
    QSet<QByteArray> words; // control words met
    QList<QPair<QByteArray, int>> placeholders; // code and the font in force there
};

inline RtfScan scanRtf(const QByteArray &rtf)
{
    auto isAlpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    RtfScan scan;
    QList<int> fonts{0}; // one entry per open group, plus the outside
    bool closed = false, stray = false;
    const qsizetype size = rtf.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = rtf[i];
        if (closed) {
            stray |= !(c == ' ' || c == '\r' || c == '\n');
        } else if (c == '{') {
            fonts.append(fonts.last());
        } else if (c == '}') {
            if (fonts.size() > 1)
                fonts.removeLast();
            else
                stray = true;
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
            i = (k < size && rtf[k] == ' ') ? k : k - 1;
        } else if (c == '\\') {
            i += (i + 1 < size && rtf[i + 1] == '\'') ? 3 : 1; // \'hh or a control symbol
        } else if (c == '$' && i + 1 < size && rtf[i + 1] == '_') {
            scan.placeholders.append({rtf.mid(i, 5), fonts.last()});
        }
    }
    scan.balanced = closed && !stray;
    return scan;
}
