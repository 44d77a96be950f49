#include "common/HeldText.h"

#include <algorithm>

HeldText::HeldText(const QString &text)
{
    const QChar *p = text.constData();
    m_compact = std::all_of(p, p + text.size(), [](QChar c) { return c.unicode() < 0x100; });
    if (m_compact)
        m_latin1 = text.toLatin1();
    else
        m_text = text;
}

QString HeldText::mid(int pos, int len) const
{
    const int n = size();
    pos = std::clamp(pos, 0, n);
    len = std::clamp(len, 0, n - pos);
    return m_compact ? QString::fromLatin1(m_latin1.constData() + pos, len) : m_text.mid(pos, len);
}

template <class Found>
void HeldText::eachLineStart(Found found) const
{
    auto scan = [&found](const auto *p, int n) {
        for (int i = 1; i < n; ++i)
            if (p[i] == '\n' && p[i - 1] == '\r')
                found(i + 1);
    };
    if (m_compact)
        scan(m_latin1.constData(), int(m_latin1.size()));
    else
        scan(m_text.utf16(), int(m_text.size()));
}

const std::vector<int> &HeldText::lineStarts() const
{
    if (m_lines.empty()) {
        m_lines.push_back(0);
        eachLineStart([this](int start) { m_lines.push_back(start); });
    }
    return m_lines;
}

int HeldText::lineCount() const
{
    if (!m_lines.empty())
        return int(m_lines.size());
    if (m_lineCount == 0) {
        m_lineCount = 1;
        eachLineStart([this](int) { ++m_lineCount; });
    }
    return m_lineCount;
}

int HeldText::lineAt(int pos) const
{
    // (The caret of a page opened behind others is at its start: the status bar's
    // question costs no table of line starts.)
    if (pos <= 0)
        return 0;
    const std::vector<int> &starts = lineStarts();
    return int(std::upper_bound(starts.begin(), starts.end(), pos) - starts.begin()) - 1;
}

int HeldText::lineStart(int line) const
{
    if (line <= 0)
        return 0;
    const std::vector<int> &starts = lineStarts();
    return starts[std::clamp(line, 0, int(starts.size()) - 1)];
}
