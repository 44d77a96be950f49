#include "platform/OutsideEdits.h"

#include <QTextDocument>

OutsideEdits::OutsideEdits(QTextDocument *doc, QObject *parent) : QObject(parent), m_doc(doc), m_probe(doc)
{
    m_probe.movePosition(QTextCursor::End);
    connect(doc, &QTextDocument::contentsChange, this, [this](int pos, int removed, int added) {
        // A formatting pass reports equal counts; keep the range of the text change.
        if (m_own == 0 && removed != added && !m_known) {
            m_known = true;
            m_pos = pos;
            m_added = added;
        }
    });
    // Emitted only for cursors an edit of the text moved.
    connect(doc, &QTextDocument::cursorPositionChanged, this, [this] {
        if (m_own == 0)
            m_touched = true;
    });
    connect(doc, &QTextDocument::contentsChanged, this, &OutsideEdits::onContentsChanged);
}

void OutsideEdits::onContentsChanged()
{
    if (m_own > 0 || !m_touched)
        return;
    m_touched = false;
    // A pass nested in the report of a change ends before it: the same revision then.
    const int revision = m_doc->revision();
    if (revision == m_revision)
        return;
    m_revision = revision;
    const int pos = m_known ? m_pos : -1;
    m_known = false;
    emit changed(pos, m_added);
}
