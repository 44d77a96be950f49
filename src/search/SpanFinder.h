#pragma once
#include <QStringView>
#include <vector>

// A found span of the text: 0-based start and length; start is -1 when there is none.
struct Span {
    qsizetype start = -1;
    qsizetype length = 0;
    bool found() const { return start >= 0; }
};

// Finds spans that run from a start text to the next end text inclusive, or the
// start text alone when the end text is empty. The end text is sought from the
// first character of the start text, so one lying inside the start text ends the
// span there. An empty start text matches nothing.
//
// With matchCase false the text is compared lower-cased unit by unit (CaseFold)
// against the start and end texts exactly as given: the caller holds them
// lower-cased already. The text is folded a window at a time and the window is
// kept between calls, so neither one search nor a whole replace copies the document.
// The finder refers to the text: it must outlive the finder, unchanged.
class SpanFinder {
public:
    SpanFinder(QStringView text, QStringView startText, QStringView endText, bool matchCase);

    // The first span whose start text begins at or after from.
    Span find(qsizetype from);
    // First position >= from of needle in the (folded) text, or -1.
    qsizetype indexOf(QStringView needle, qsizetype from);

private:
    void foldWindow(qsizetype from, qsizetype size);

    QStringView m_text, m_start, m_end;
    bool m_matchCase;
    std::vector<char16_t> m_window; // folded copy of m_text[m_windowStart, m_windowStart + m_windowSize)
    qsizetype m_windowStart = 0;
    qsizetype m_windowSize = 0;
};
