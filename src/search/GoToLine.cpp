#include "search/GoToLine.h"

#include <QString>
#include <cmath>

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Start of the next CR LF pair at or after from, or -1. Searches for the LF:
// a single-character search is much faster than a two-character one.
qsizetype nextBreak(QStringView text, qsizetype from)
{
    for (qsizetype i = from + 1; i < text.size(); ++i) {
        i = text.indexOf(u'\n', i);
        if (i < 0)
            return -1;
        if (text[i - 1] == u'\r')
            return i - 1;
    }
    return -1;
}

} // namespace

namespace GoToLine {

double leadingNumber(QStringView field)
{
    qsizetype i = 0;
    const qsizetype n = field.size();
    while (i < n && (field[i] == u' ' || field[i] == u'\t'))
        ++i;
    const qsizetype begin = i;
    if (i < n && (field[i] == u'+' || field[i] == u'-'))
        ++i;
    bool digits = false;
    for (; i < n && isDigit(field[i]); ++i)
        digits = true;
    if (i < n && field[i] == u'.')
        for (++i; i < n && isDigit(field[i]); ++i)
            digits = true;
    if (!digits)
        return 0;
    bool ok = false;
    const double value = field.sliced(begin, i - begin).toString().toDouble(&ok);
    return ok ? value : 0;
}

bool accepts(QStringView field)
{
    return leadingNumber(field) > 0;
}

qint64 lineNumber(double value)
{
    // No text has this many lines; keeps the conversion below defined.
    constexpr double TooMany = 1e15;
    if (!(value < TooMany))
        return qint64(TooMany);
    const double below = std::floor(value);
    const double rest = value - below;
    double n = below;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(below, 2.0) != 0))
        n = below + 1;
    return qMax<qint64>(qint64(n), 1);
}

GoToLineResult find(QStringView text, qint64 line)
{
    GoToLineResult r;
    qsizetype start = 0;
    for (qint64 k = 1; k < line; ++k) {
        const qsizetype at = nextBreak(text, start);
        if (at < 0) {
            r.messageEntry = 105;
            return r;
        }
        start = at + 2;
    }
    const qsizetype next = nextBreak(text, start);
    const qsizetype length = (next < 0 ? text.size() : next) - start;
    r.found = true;
    r.selStart = int(start);
    r.selLength = length > 1 ? int(length) : 0;
    return r;
}

} // namespace GoToLine
