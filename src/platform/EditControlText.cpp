// The text side of the editor: reading it, selecting in it, replacing it, and
// holding a text loaded while the window is hidden until its first paint.
#include "platform/EditControl.h"
#include "platform/FreeMemory.h"
#include "common/CrLf.h"

#include <QElapsedTimer>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>

namespace {
// A text longer than this goes in a screenful first when it is painted; the first
// part reaches at least this far (and over the selection), to a line's end.
constexpr qsizetype FillFrom = 1 << 20;
constexpr qsizetype FirstPart = 64 * 1024;
// Then slices of about this many characters, for at most this long a turn.
constexpr qsizetype FillSlice = 256 * 1024;
constexpr qint64 FillBudgetNs = 20'000'000;
// A held text not shown for this long is packed.
constexpr int PackAfterMs = 1500;
} // namespace

int EditControl::textLength() const
{
    if (m_deferred)
        return m_held.size();
    return m_pieces.textLength() + int(m_tail.size() - m_tailPos);
}

QString EditControl::textAt(int pos, int len) const
{
    if (m_deferred)
        return m_held.mid(pos, len);
    if (filling() && qint64(pos) + len > m_pieces.textLength())
        finishFill();
    return m_pieces.textAt(pos, len);
}

int EditControl::lineCount() const
{
    return m_deferred ? m_held.lineCount() : m_pieces.lineCount() + m_tailLines;
}

int EditControl::lineAt(int pos) const
{
    if (!m_deferred) {
        // The widget's last line is whole: the text still coming starts with a break.
        if (filling() && pos > m_pieces.textLength())
            finishFill();
        return m_pieces.lineAt(pos);
    }
    return m_held.lineAt(pos);
}

int EditControl::lineStart(int line) const
{
    if (!m_deferred) {
        if (filling() && line >= m_pieces.lineCount())
            finishFill();
        return m_pieces.lineStart(line);
    }
    return m_held.lineStart(line);
}

QString EditControl::text() const
{
    // Reading a big document is the costly part of find next and of a save: the
    // text is kept until the next change, so repeated reads cost nothing.
    // While a big text is still coming, what the widget has and what is to come
    // make the text: nothing waits for the rest to go in.
    if (m_deferred)
        return m_held.text();
    if (!m_textValid) {
        m_text = m_pieces.text();
        if (filling())
            m_text.append(QStringView(m_tail).sliced(m_tailPos));
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
    // (A position past what the widget has of a big text puts the rest in.)
    const int docPos = toDocPos(std::clamp(pos, 0, textLength()));
    placeCaret(docPos, docPos);
}

void EditControl::setSelLength(int len)
{
    if (m_deferred) {
        m_heldSelLength = heldPos(m_heldSelStart + std::max(0, len)) - m_heldSelStart;
        return;
    }
    const int startDoc = textCursor().selectionStart();
    const int start = fromDocPos(startDoc);
    const int endDoc = toDocPos(std::clamp(start + std::max(0, len), 0, textLength()));
    placeCaret(startDoc, endDoc);
}

void EditControl::placeCaret(int anchorDoc, int positionDoc)
{
    // Before the widget lays out the blocks of the caret: their lines become a block each.
    separateAt(positionDoc);
    separateAt(anchorDoc);
    QTextCursor c = textCursor();
    c.setPosition(anchorDoc);
    c.setPosition(positionDoc, QTextCursor::KeepAnchor);
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
    // (The rest of a big text still coming goes on after the widget's end.)
    takeHeldText();
    const QTextCursor c = textCursor();
    replaceDocRange(c.selectionStart(), c.selectionEnd(), text);
}

void EditControl::replaceRange(int pos, int len, const QString &text, int caretAfter)
{
    replaceIn(pos, len, text, caretAfter, nullptr);
}

void EditControl::applyChange(const TextChange &change, int caretAfter)
{
    replaceIn(change.pos, int(change.removed.size()), change.inserted, caretAfter, &change.removed);
}

void EditControl::replaceIn(int pos, int len, const QString &text, int caretAfter, const QString *removed)
{
    const int total = textLength();
    pos = std::clamp(pos, 0, total);
    len = std::clamp(len, 0, total - pos);
    if (m_deferred || qsizetype(len) + text.size() >= FillFrom) {
        if (replaceWhole(pos, len, text, caretAfter, removed))
            return;
    }
    replaceDocRange(toDocPos(pos), toDocPos(pos + len), text);
    if (caretAfter >= 0)
        setSelStart(caretAfter);
}

namespace {
// pos moved off the middle of a CR LF, as the widget counts it.
int offBreak(QStringView text, int pos)
{
    if (pos > 0 && pos < text.size() && text[pos - 1] == u'\r' && text[pos] == u'\n')
        --pos;
    return pos;
}
} // namespace

bool EditControl::replaceWhole(int pos, int len, const QString &text, int caretAfter, const QString *removed)
{
    // A held text is changed where it is held; a big change to a shown text makes
    // the new text and puts it in as a new one, a screenful round the caret first
    // and the rest from the event loop: the widget would need far longer to take
    // out and put in the range itself. (A bare editor puts every text in at once.)
    if (!m_deferred && !m_holdWhileHidden)
        return false;
    const QString old = this->text();
    const int from = offBreak(old, pos);
    const int end = std::max(from, offBreak(old, pos + len));
    QString inserted = CrLf::inCrLf(text);
    const qsizetype size = old.size() - (end - from) + inserted.size();
    int caret = caretAfter >= 0 ? int(std::min<qsizetype>(caretAfter, size)) : from + int(inserted.size());
    // The head costs what it holds: worth it only when it is well short of the change.
    const qsizetype work = (end - from) + inserted.size();
    if (!m_deferred && std::max<qsizetype>(FirstPart, caret) > work / 2)
        return false;
    TextChange change;
    change.pos = from;
    const QStringView gone = QStringView(old).sliced(from, end - from);
    change.removed = removed && *removed == gone ? *removed : gone.toString();
    change.inserted = std::move(inserted);
    if (change.removed.isEmpty() && change.inserted.isEmpty())
        return true;
    QString now;
    now.reserve(size);
    now.append(QStringView(old).first(from));
    now.append(change.inserted);
    now.append(QStringView(old).sliced(end));
    caret = offBreak(now, caret);
    if (m_deferred) {
        hold(now);
        m_heldSelStart = caret;
        m_heldSelLength = 0;
        emit changed(change);
        return true;
    }
    const qsizetype cut = now.indexOf(QLatin1String("\r\n"), std::max<qsizetype>(FirstPart, caret));
    if (cut < 0)
        return false;
    m_outside.begin();
    startFill(now, cut);
    m_outside.end();
    // The whole new text is at hand: reads need not wait for the rest.
    m_text = std::move(now);
    m_textValid = true;
    const int caretDoc = m_pieces.toDocPos(caret);
    placeCaret(caretDoc, caretDoc);
    emit changed(change);
    return true;
}

void EditControl::replaceDocRange(int docFrom, int docTo, const QString &text)
{
    // Widget positions: the widget holds the text already (painted, or put in by the caller).
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

void EditControl::hold(const QString &crlfText)
{
    m_held = HeldText(crlfText);
    // Late enough that a batch of pages being opened is all in first; each
    // pack is its own short event.
    if (m_held.size() >= HeldText::PackFrom)
        QTimer::singleShot(PackAfterMs, this, [this] {
            if (m_deferred && !m_held.packed() && m_held.pack())
                FreeMemory::releaseLater();  // the unpacked text leaves a hole
        });
}

void EditControl::setText(const QString &crlfText)
{
    // What goes is the whole text.
    finishFill();
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
        change.inserted = CrLf::inCrLf(crlfText);
        hold(change.inserted);
        m_text.clear();
        m_textValid = false;
        m_deferred = true;
        m_heldSelStart = m_heldSelLength = 0;
        moveCursor(QTextCursor::Start);
        emit changed(change);
        return;
    }
    if (change.removed.isEmpty())
        change.removed = m_pieces.text();
    m_outside.begin();
    TextChange put = m_pieces.setText(crlfText, [this](int lines) { prepareWidth(lines); });
    m_outside.end();
    change.inserted = std::move(put.inserted);
    separateAt(0);
    moveCursor(QTextCursor::Start);
    emit changed(change);
}

void EditControl::realize() const
{
    takeHeldText();
    finishFill();
}

void EditControl::ensureUpTo(int pos) const
{
    takeHeldText();
    if (filling() && pos > m_pieces.textLength())
        finishFill();
}


void EditControl::putHeldText(bool firstScreen)
{
    m_deferred = false;
    QString text = std::exchange(m_held, HeldText()).text();
    const qsizetype size = text.size();
    qsizetype cut = -1;
    if (firstScreen && size > FillFrom)
        cut = text.indexOf(QLatin1String("\r\n"), std::max<qsizetype>(FirstPart, m_heldSelStart + m_heldSelLength));
    m_outside.begin();
    if (cut > 0) {
        startFill(std::move(text), cut);
    } else {
        m_pieces.setText(text, [this](int lines) { prepareWidth(lines); });
    }
    m_outside.end();
    m_textValid = false;
    // The copies made on the way in go back to the system.
    if (size > FillFrom && cut <= 0)
        FreeMemory::releaseLater();
    const int anchor = m_pieces.toDocPos(m_heldSelStart);
    const int position = m_heldSelLength > 0 ? m_pieces.toDocPos(m_heldSelStart + m_heldSelLength) : anchor;
    placeCaret(anchor, position);
}

void EditControl::startFill(QString text, qsizetype cut)
{
    // The rest stays as it is, from the line break on.
    const bool running = filling();
    m_tailLines = int(QStringView(text).sliced(cut).count(u'\n'));
    m_pieces.setText(text.left(cut), [this](int lines) { prepareWidth(lines + m_tailLines); });
    m_tail = std::move(text);
    m_tailPos = cut;
    if (!running)
        QTimer::singleShot(0, this, &EditControl::fillSome);
}

bool EditControl::viewportEvent(QEvent *e)
{
    // The first paint of an editor that holds its text puts the text in: a
    // window that is never seen never lays it out.
    if (e->type() == QEvent::Paint && m_deferred)
        putHeldText(true);
    return QPlainTextEdit::viewportEvent(e);
}

void EditControl::fillSome()
{
    QElapsedTimer clock;
    clock.start();
    while (filling() && clock.nsecsElapsed() < FillBudgetNs)
        appendTail(FillSlice);
    if (filling())
        QTimer::singleShot(0, this, &EditControl::fillSome);
}

void EditControl::finishFill() const
{
    if (filling())
        const_cast<EditControl *>(this)->appendTail(m_tail.size());
}

void EditControl::appendTail(qsizetype length)
{
    // To a line's end: every slice starts with the break that ends the one before.
    qsizetype end = m_tailPos + length < m_tail.size() ? m_tail.indexOf(QLatin1String("\r\n"), m_tailPos + length) : -1;
    if (end < 0)
        end = m_tail.size();
    const QString slice = m_tail.sliced(m_tailPos, end - m_tailPos);
    m_tailPos = end;
    m_tailLines -= int(slice.count(u'\n'));
    // Added past the caret: the caret and the selection stay where they are.
    // (Numbers: a cursor kept would move with the change.)
    const int anchor = textCursor().anchor(), position = textCursor().position();
    const int docEnd = document()->characterCount() - 1;
    TextChange known;   // reported already, with the whole text
    int caret = 0;
    const bool textKept = m_textValid;   // the text itself does not change
    m_outside.begin();
    m_pieces.replace(docEnd, docEnd, slice, known, caret);
    m_outside.end();
    m_textValid = textKept;
    const QTextCursor now = textCursor();
    if (now.anchor() != anchor || now.position() != position) {
        QTextCursor c = now;
        c.setPosition(anchor);
        c.setPosition(position, QTextCursor::KeepAnchor);
        setTextCursor(c);
    }
    if (!filling()) {
        const bool big = m_tail.size() > FillFrom;
        m_tail = QString();
        m_tailPos = 0;
        m_tailLines = 0;
        if (big)
            FreeMemory::releaseLater();
    }
}
