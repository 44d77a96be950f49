#pragma once
#include "common/TextTarget.h"
#include <QtGlobal>

// A plain-string editor for core tests; CR LF counts as two positions, as in
// the editing control.
class FakeTextTarget : public TextTarget {
public:
    FakeTextTarget(const QString &text, int start, int length) : m_text(text), m_start(start), m_length(length) {}
    QString text() const override { return m_text; }
    int selStart() const override { return m_start; }
    void setSelStart(int pos) override { m_start = qBound(0, pos, int(m_text.size())), m_length = 0; }
    int selLength() const override { return m_length; }
    void setSelLength(int len) override { m_length = qBound(0, len, int(m_text.size()) - m_start); }
    QString selText() const override { return m_text.mid(m_start, m_length); }
    void setSelText(const QString &text) override { m_text.replace(m_start, m_length, text), m_start += int(text.size()), m_length = 0; }

private:
    QString m_text;
    int m_start, m_length;
};

// Any editor's text with "|" at the caret or "[...]" around the selection.
inline QString marked(const TextTarget &t)
{
    QString s = t.text();
    return t.selLength() ? s.insert(t.selStart() + t.selLength(), u']').insert(t.selStart(), u'[') : s.insert(t.selStart(), u'|');
}
