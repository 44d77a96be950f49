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
    m_size = int(text.size());
}

const QByteArray &HeldText::latin1() const
{
    if (!m_packed.isEmpty()) {
        QByteArray open = qUncompress(m_packed);
        // What was packed here comes back whole; should it not, positions still
        // stay inside what is read.
        Q_ASSERT(open.size() == m_size);
        open.resize(m_size, '?');
        m_latin1 = std::move(open);
        m_packed.clear();
    }
    return m_latin1;
}

bool HeldText::pack()
{
    if (!m_packed.isEmpty())
        return true;
    if (!m_compact || m_size < PackFrom || m_size > PackUpTo)
        return false;
    // The count of lines is asked for while the text waits (to size line numbers):
    // it is taken now, so that question never unpacks.
    lineCount();
    QByteArray packed = qCompress(m_latin1, 1);
    if (packed.isEmpty() || packed.size() > m_size - m_size / 4)
        return false;
    packed.squeeze();  // deflate's buffer was made for the worst case
    m_packed = std::move(packed);
    m_latin1 = QByteArray();
    return true;
}

QString HeldText::mid(int pos, int len) const
{
    const int n = size();
    pos = std::clamp(pos, 0, n);
    len = std::clamp(len, 0, n - pos);
    return m_compact ? QString::fromLatin1(latin1().constData() + pos, len) : m_text.mid(pos, len);
}

QByteArray HeldText::passingLatin1() const
{
    return m_packed.isEmpty() ? m_latin1 : qUncompress(m_packed);
}

QString HeldText::text() const
{
    return m_compact ? QString::fromLatin1(passingLatin1()) : m_text;
}

template <class Found>
void HeldText::eachLineStart(Found found) const
{
    auto scan = [&found](const auto *p, int n) {
        for (int i = 1; i < n; ++i)
            if (p[i] == '\n' && p[i - 1] == '\r')
                found(i + 1);
    };
    if (m_compact) {
        // Line starts are few beside the text: a packed text stays packed.
        const QByteArray bytes = passingLatin1();
        scan(bytes.constData(), int(bytes.size()));
    } else
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
