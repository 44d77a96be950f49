#include "search/SpanFinder.h"

#include "search/CaseFold.h"

#include <algorithm>

namespace {
constexpr qsizetype WindowSize = 1 << 16; // 128 kB: stays in the cache while searched
}

SpanFinder::SpanFinder(QStringView text, QStringView startText, QStringView endText, bool matchCase)
    : m_text(text), m_start(startText), m_end(endText), m_matchCase(matchCase)
{
}

Span SpanFinder::find(qsizetype from)
{
    const qsizetype p = indexOf(m_start, from);
    if (p < 0)
        return {};
    if (m_end.isEmpty())
        return {p, m_start.size()};
    const qsizetype e = indexOf(m_end, p);
    if (e < 0)
        return {};
    return {p, e - p + m_end.size()};
}

qsizetype SpanFinder::indexOf(QStringView needle, qsizetype from)
{
    const qsizetype n = m_text.size();
    const qsizetype m = needle.size();
    from = std::max<qsizetype>(from, 0);
    if (m == 0 || from > n - m)
        return -1;
    if (m_matchCase)
        return m_text.indexOf(needle, from);

    // Windows at least twice the needle, so the overlap refolded between
    // windows never costs more than the text itself.
    const qsizetype size = std::max(WindowSize, 2 * m);
    while (from <= n - m) {
        if (from < m_windowStart || from + m > m_windowStart + m_windowSize)
            foldWindow(from, size);
        const qsizetype i = QStringView(m_window.data(), m_windowSize).indexOf(needle, from - m_windowStart);
        if (i >= 0)
            return m_windowStart + i;
        if (m_windowStart + m_windowSize >= n)
            return -1;
        from = m_windowStart + m_windowSize - m + 1; // the first start not wholly inside the window
    }
    return -1;
}

void SpanFinder::foldWindow(qsizetype from, qsizetype size)
{
    m_windowStart = from;
    m_windowSize = std::min(size, m_text.size() - from);
    if (qsizetype(m_window.size()) < m_windowSize)
        m_window.resize(size_t(m_windowSize));
    CaseFold::foldInto(m_text.sliced(from, m_windowSize), m_window.data());
}
