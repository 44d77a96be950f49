#pragma once
// Small helpers the benchmarks share: milliseconds, medians, and the 10 MB page
// the search benchmarks run on.
#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <algorithm>
#include <vector>

namespace bench {

// Benchmarks draw off screen unless the environment names a platform.
inline void drawOffscreenByDefault()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// A memory figure of this process in MB: the "key:" line (in kB) of a file under
// /proc/self ("status" VmRSS, "smaps_rollup" Pss); -1 when it cannot be read.
inline double procMemoryMb(const QString &file, const QByteArray &key)
{
    QFile f(QStringLiteral("/proc/self/") + file);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

inline double ms(const QElapsedTimer &t) { return double(t.nsecsElapsed()) / 1e6; }

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The 10 MB page of the editor benchmarks: short lines of mark-up, CR LF.
inline QByteArray bigPage(int targetBytes, int *lineCount)
{
    QByteArray page = "<html><head><title>Big</title></head><body>\r\n";
    int n = 0;
    while (page.size() < targetBytes) {
        page += "<p class=\"row\">Line " + QByteArray::number(n)
            + " of text with <b>bold</b> and <i>italic</i> words.</p>\r\n";
        ++n;
    }
    page += "</body></html>\r\n";
    *lineCount = n + 2;
    return page;
}

// 120,000 lines with 1,000,000 "~" in all: eight on each line, nine on every third.
// A minified page: tags and words with blanks, no line break, length characters.
inline QString minifiedLine(int length)
{
    const QString unit = QStringLiteral("<div class=\"row\"><a href=\"page.htm\">Some words</a> and more text.</div>");
    QString s;
    s.reserve(length + unit.size());
    while (s.size() < length)
        s += unit;
    s.truncate(length);
    return s;
}

inline QString searchPage()
{
    const QString line = QStringLiteral(
        "<p class=\"row\">~Text ~with ~<b>Bold~</b> ~and ~<I>italic~</I> ~Words %1.</p>");
    QString page;
    page.reserve(10 * 1000 * 1000 + 1000);
    for (int i = 0; i < 120000; ++i) {
        page += line.arg(i, 6, 10, QLatin1Char('0'));
        if (i % 3 == 0)
            page += u'~';
        page += QStringLiteral("\r\n");
    }
    page += QStringLiteral("<!-- End of page -->\r\n");
    return page;
}

} // namespace bench
