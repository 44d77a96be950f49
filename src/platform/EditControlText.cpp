// The text side of the editor: reading it, selecting in it, replacing it, and
// holding a text loaded while the window is hidden until its first paint.
#include "platform/EditControl.h"
#include "platform/FreeMemory.h"
#include "common/CrLf.h"

#include <QTextDocument>

#include <algorithm>

int EditControl::textLength() const
{
    return m_deferred ? m_held.size() : m_pieces.textLength();
}

QString EditControl::textAt(int pos, int len) const
{
    if (m_deferred)
        return m_held.mid(pos, len);
    return m_pieces.textAt(pos, len);
}

int EditControl::lineCount() const
{
    return m_deferred ? int(m_held.lineStarts().size()) : m_pieces.lineCount();
}

int EditControl::lineAt(int pos) const
{
    if (!m_deferred)
        return m_pieces.lineAt(pos);
    const std::vector<int> &starts = m_held.lineStarts();
    return int(std::upper_bound(starts.begin(), starts.end(), pos) - starts.begin()) - 1;
}

int EditControl::lineStart(int line) const
{
    if (!m_deferred)
        return m_pieces.lineStart(line);
    const std::vector<int> &starts = m_held.lineStarts();
    return starts[std::clamp(line, 0, int(starts.size()) - 1)];
}

QString EditControl::text() const
{
    // Reading a big document is the costly part of find next and of a save: the
    // text is kept until the next change, so repeated reads cost nothing.
    if (m_deferred)
        return m_held.text();
    if (!m_textValid) {
        m_text = m_pieces.text();
        m_textValid = true;
    }
    return m_text;
}

int EditControl::selStart() const
{
    if (m_deferred)
        return m_heldSelStart;
    return fromDocPos(textCursor().selectionStart());
}

int EditControl::selLength() const
{
    if (m_deferred)
        return m_heldSelLength;
    const QTextCursor c = textCursor();
    if (!c.hasSelection())
        return 0;
    return fromDocPos(c.selectionEnd()) - fromDocPos(c.selectionStart());
}

void EditControl::setSelStart(int pos)
{
    // Kept with the held text: the widget gets it, and scrolls to it, when the
    // text goes in.
    if (m_deferred) {
        m_heldSelStart = heldPos(pos);
        m_heldSelLength = 0;
        return;
    }
    realize();
    QTextCursor c = textCursor();
    c.setPosition(toDocPos(std::clamp(pos, 0, textLength())));
    setTextCursor(c);
}

void EditControl::setSelLength(int len)
{
    if (m_deferred) {
        m_heldSelLength = heldPos(m_heldSelStart + std::max(0, len)) - m_heldSelStart;
        return;
    }
    realize();
    QTextCursor c = textCursor();
    const int start = fromDocPos(c.selectionStart());
    c.setPosition(c.selectionStart());
    c.setPosition(toDocPos(std::clamp(start + std::max(0, len), 0, textLength())), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

int EditControl::heldPos(int pos) const
{
    // As the widget has it: a line break is never cut in half.
    pos = std::clamp(pos, 0, m_held.size());
    if (pos > 0 && pos < m_held.size() && m_held.mid(pos - 1, 2) == QLatin1String("\r\n"))
        --pos;
    return pos;
}

int EditControl::caretPos() const
{
    if (m_deferred)
        return m_heldSelStart + m_heldSelLength;
    return fromDocPos(textCursor().position());
}

QString EditControl::selText() const
{
    if (m_deferred)
        return m_held.mid(m_heldSelStart, m_heldSelLength);
    const QTextCursor c = textCursor();
    return m_pieces.docRangeText(c.selectionStart(), c.selectionEnd());
}

void EditControl::setSelText(const QString &text)
{
    // Widget positions, not text positions: typing at the end of a piece stays there.
    realize();
    const QTextCursor c = textCursor();
    replaceDocRange(c.selectionStart(), c.selectionEnd(), text);
}

void EditControl::replaceRange(int pos, int len, const QString &text)
{
    const int total = textLength();
    pos = std::clamp(pos, 0, total);
    len = std::clamp(len, 0, total - pos);
    replaceDocRange(toDocPos(pos), toDocPos(pos + len), text);
}

void EditControl::replaceDocRange(int docFrom, int docTo, const QString &text)
{
    realize();
    TextChange change;
    int caret = 0;
    m_outside.begin();
    // A big change after a whole-text read (replace all) takes what it removes from
    // that copy: reading it out of the widget again costs more than the copy.
    const bool useCopy = m_textValid && std::abs(docTo - docFrom) > 4096;
    const bool done = m_pieces.replace(docFrom, docTo, text, change, caret, useCopy ? &m_text : nullptr);
    m_outside.end();
    QTextCursor c = textCursor();
    c.setPosition(done ? caret : std::min(docFrom, docTo));
    setTextCursor(c);
    if (done)
        emit changed(change);
}

void EditControl::setText(const QString &crlfText)
{
    TextChange change;
    if (m_deferred)
        change.removed = std::exchange(m_held, HeldText()).text();
    m_deferred = false;
    if (m_holdWhileHidden && !isVisible() && !crlfText.isEmpty()) {
        if (change.removed.isEmpty())
            change.removed = m_pieces.text();
        if (m_pieces.textLength() > 0) {
            m_outside.begin();
            m_pieces.setText(QString());
            m_outside.end();
        }
        // Held as the widget would give it back: every line break a CR LF.
        bool crlfOnly = false;
        const QString lf = CrLf::toDocText(crlfText, &crlfOnly);
        change.inserted = crlfOnly ? crlfText : CrLf::fromDocText(lf);
        m_held = HeldText(change.inserted);
        m_text.clear();
        m_textValid = false;
        m_deferred = true;
        m_heldSelStart = m_heldSelLength = 0;
        moveCursor(QTextCursor::Start);
        emit changed(change);
        return;
    }
    m_outside.begin();
    TextChange put = m_pieces.setText(crlfText, [this](int lines) { prepareWidth(lines); });
    m_outside.end();
    if (change.removed.isEmpty())
        change.removed = std::move(put.removed);
    change.inserted = std::move(put.inserted);
    moveCursor(QTextCursor::Start);
    emit changed(change);
}

void EditControl::realize() const
{
    if (m_deferred)
        const_cast<EditControl *>(this)->putHeldText();
}

void EditControl::putHeldText()
{
    m_deferred = false;
    const QString text = std::exchange(m_held, HeldText()).text();
    m_outside.begin();
    m_pieces.setText(text, [this](int lines) { prepareWidth(lines); });
    m_outside.end();
    m_textValid = false;
    // The copies made on the way in go back to the system.
    if (text.size() > 1 << 20)
        FreeMemory::releaseLater();
    QTextCursor c = textCursor();
    c.setPosition(m_pieces.toDocPos(m_heldSelStart));
    if (m_heldSelLength > 0)
        c.setPosition(m_pieces.toDocPos(m_heldSelStart + m_heldSelLength), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

bool EditControl::viewportEvent(QEvent *e)
{
    // The first paint of an editor that holds its text puts the text in: a
    // window that is never seen never lays it out.
    if (e->type() == QEvent::Paint)
        realize();
    return QPlainTextEdit::viewportEvent(e);
}
