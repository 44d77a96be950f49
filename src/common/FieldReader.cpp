#include "common/FieldReader.h"

namespace {
bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
}

FieldReader::FieldReader(const QString &text) : m_text(text) {}

bool FieldReader::atEnd() const { return m_pos >= m_text.size(); }

bool FieldReader::atLineEnd(qsizetype i) const
{
    return i >= m_text.size() || m_text[i] == u'\r' || m_text[i] == u'\n';
}

void FieldReader::skipLineEnd()
{
    if (m_pos < m_text.size() && m_text[m_pos] == u'\r')
        ++m_pos;
    if (m_pos < m_text.size() && m_text[m_pos] == u'\n')
        ++m_pos;
}

bool FieldReader::next(QString &field)
{
    field.clear();
    m_endedAtComma = false;
    if (atEnd())
        return false;
    qsizetype i = m_pos;
    while (i < m_text.size() && isBlank(m_text[i]))
        ++i;
    if (i < m_text.size() && m_text[i] == u'"') {
        const qsizetype close = m_text.indexOf(u'"', i + 1);
        const qsizetype end = close < 0 ? m_text.size() : close;
        field = m_text.mid(i + 1, end - i - 1);
        i = close < 0 ? m_text.size() : close + 1;
        // Whatever stands between the closing quote and the delimiter is dropped.
        while (!atLineEnd(i) && m_text[i] != u',')
            ++i;
    } else {
        const qsizetype start = i;
        while (!atLineEnd(i) && m_text[i] != u',')
            ++i;
        field = m_text.mid(start, i - start);
        while (!field.isEmpty() && isBlank(field.back()))
            field.chop(1);
    }
    m_pos = i;
    if (m_pos < m_text.size() && m_text[m_pos] == u',') {
        // A comma right before a line end leaves one empty field on that line.
        ++m_pos;
        m_endedAtComma = true;
    } else {
        skipLineEnd();
    }
    return true;
}

bool FieldReader::nextLine(QString &line)
{
    line.clear();
    if (atEnd())
        return false;
    qsizetype i = m_pos;
    while (!atLineEnd(i))
        ++i;
    line = m_text.mid(m_pos, i - m_pos);
    m_pos = i;
    skipLineEnd();
    return true;
}
