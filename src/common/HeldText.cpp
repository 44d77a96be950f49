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

const std::vector<int> &HeldText::lineStarts() const
{
    if (m_lines.empty()) {
        m_lines.push_back(0);
        auto scan = [this](const auto *p, int n) {
            for (int i = 1; i < n; ++i)
                if (p[i] == '\n' && p[i - 1] == '\r')
                    m_lines.push_back(i + 1);
        };
        if (m_compact)
            scan(m_latin1.constData(), int(m_latin1.size()));
        else
            scan(m_text.utf16(), int(m_text.size()));
    }
    return m_lines;
}

int HeldText::lineCount() const
{
    if (!m_lines.empty())
        return int(m_lines.size());
    if (m_lineCount == 0) {
        auto count = [](const auto *p, int n) {
            int lines = 1;
            for (int i = 1; i < n; ++i)
                lines += p[i] == '\n' && p[i - 1] == '\r';
            return lines;
        };
        m_lineCount = m_compact ? count(m_latin1.constData(), int(m_latin1.size()))
                                : count(m_text.utf16(), int(m_text.size()));
    }
    return m_lineCount;
}
