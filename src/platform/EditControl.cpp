#include "platform/EditControl.h"
#include "platform/DroppedFiles.h"
#include "platform/EditorBehaviour.h"
#include "platform/LineNumberArea.h"

#include <QDropEvent>
#include <QFontInfo>
#include <QWheelEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTimer>
#include <QTextBlock>
#include <QTextDocument>

namespace {

bool isStandard(QKeyEvent *e, std::initializer_list<QKeySequence::StandardKey> keys)
{
    for (auto k : keys)
        if (e->matches(k))
            return true;
    return false;
}

} // namespace

EditControl::EditControl(QWidget *parent)
    : QPlainTextEdit(parent), m_pieces(document()), m_outside(document())
{
    document()->setUndoRedoEnabled(false);
    setTabChangesFocus(false);
    setAcceptDrops(true);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    // Any change of the document, even a format-only one, makes the kept text stale.
    connect(document(), &QTextDocument::contentsChange, this, [this] { m_textValid = false; });
    connect(&m_outside, &OutsideEdits::changed, this, [this](int pos, int added) {
        m_pieces.adoptOutsideChange(pos, added);
        emit externalChange();
    });
    m_gutter = new LineNumberArea(this);
    // Where the caret goes, typing follows: its lines are held a block each.
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (!m_separating && m_pieces.grouped()) {
            m_separating = true;
            QTimer::singleShot(0, this, &EditControl::separateAtCaret);
        }
    });
}

bool EditControl::separateAt(int docPos)
{
    if (m_deferred || !m_pieces.grouped())
        return false;
    const bool textKept = m_textValid;   // the text itself does not change
    m_outside.begin();
    const bool done = m_pieces.separate(docPos);
    m_outside.end();
    m_textValid = textKept;
    // The widget told of caret moves half way through, while the blocks were
    // changing and their line counts not yet: whoever follows the caret reads
    // the lines again now, even when the caret stays where it was.
    if (done)
        emit cursorPositionChanged();
    return done;
}

void EditControl::separateAtCaret()
{
    m_separating = false;
    if (m_deferred || !m_pieces.grouped())
        return;
    // (Numbers: a cursor kept would move with the change.)
    const int anchor = textCursor().anchor(), position = textCursor().position();
    bool done = separateAt(position);
    done |= separateAt(anchor);
    const QTextCursor now = textCursor();
    if (done && (now.anchor() != anchor || now.position() != position)) {
        // Back where it was, without scrolling to it.
        const int v = verticalScrollBar()->value(), h = horizontalScrollBar()->value();
        QTextCursor c = now;
        c.setPosition(anchor);
        c.setPosition(position, QTextCursor::KeepAnchor);
        setTextCursor(c);
        verticalScrollBar()->setValue(v);
        horizontalScrollBar()->setValue(h);
    }
}

EditControl::~EditControl() = default;

void EditControl::installBehaviour(std::unique_ptr<EditorBehaviour> behaviour)
{
    m_behaviours.push_back(std::move(behaviour));
}

void EditControl::prepareWidth(int lines)
{
    // Qt lays every block out again when the viewport's width changes, and keeps a
    // layout object for each one from then on (some 300 bytes a line). The gutter's
    // digits and the vertical scroll bar are what a new text would change: set them
    // for it before it goes in.
    m_gutter->prepareFor(lines);
    const int rows = viewport()->height() / std::max(1, fontMetrics().lineSpacing());
    if (lines > rows && !verticalScrollBar()->isVisible()
        && verticalScrollBarPolicy() == Qt::ScrollBarAsNeeded) {
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        // Back to as needed once the range is known: the bar stays, the width too.
        QTimer::singleShot(0, this, [this] { setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded); });
    }
}

void EditControl::setEditorFont(const QString &family, int pointSize, bool bold, bool italic)
{
    QFont f(family);
    if (pointSize > 0)
        f.setPointSize(pointSize);
    f.setBold(bold);
    f.setItalic(italic);
    m_baseFont = f;
    m_baseSet = true;
    setZoom(m_zoom);
}

void EditControl::setZoom(int points)
{
    m_zoom = points;
    QFont f = m_baseSet ? m_baseFont : font();
    if (!m_baseSet) {
        m_baseFont = f;
        m_baseSet = true;
    }
    const int base = f.pointSize() > 0 ? f.pointSize() : QFontInfo(f).pointSize();
    f.setPointSize(std::max(MinPointSize, base + points));
    if (f != font())
        setFont(f);
}

void EditControl::wheelEvent(QWheelEvent *e)
{
    if (!(e->modifiers() & Qt::ControlModifier)) {
        QPlainTextEdit::wheelEvent(e);
        return;
    }
    // One step a notch (120); finer wheels add up to notches.
    m_wheelRest += e->angleDelta().y();
    const int steps = m_wheelRest / 120;
    m_wheelRest -= steps * 120;
    if (steps != 0)
        emit zoomRequested(steps);
    e->accept();
}

void EditControl::setWordWrap(bool wrap)
{
    setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void EditControl::setLineNumbersVisible(bool on)
{
    m_gutter->setShown(on);
}

bool EditControl::lineNumbersVisible() const
{
    return m_gutter->isShown();
}

bool EditControl::event(QEvent *e)
{
    if (e->type() == QEvent::ShortcutOverride) {
        auto *ke = static_cast<QKeyEvent *>(e);
        // Leave the history and clipboard keys to the program's menu commands.
        if (isStandard(ke, {QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Copy, QKeySequence::Cut,
                            QKeySequence::Paste, QKeySequence::SelectAll})) {
            e->ignore();
            return true;
        }
    }
    return QPlainTextEdit::event(e);
}

void EditControl::handleEditingKey(QKeyEvent *e)
{
    const QTextCursor c = textCursor();
    const bool back = e->key() == Qt::Key_Backspace || e->matches(QKeySequence::DeleteStartOfWord);
    if (c.hasSelection() && (back || e->matches(QKeySequence::Delete) || e->matches(QKeySequence::DeleteEndOfWord))) {
        replaceDocRange(c.selectionStart(), c.selectionEnd(), QString());
        return;
    }
    // Whole lines are real lines, whatever pieces they are held in.
    const bool toLineEnd = e->matches(QKeySequence::DeleteEndOfLine);
    if (toLineEnd || e->matches(QKeySequence::DeleteCompleteLine)) {
        const int pos = fromDocPos(c.position());
        const int line = lineAt(pos);
        const int from = toLineEnd ? pos : lineStart(line);
        const int to = line + 1 < lineCount() ? lineStart(line + 1) - (toLineEnd ? 2 : 0) : textLength();
        replaceRange(from, to - from, QString());
        return;
    }
    QTextCursor r = c;
    // A piece boundary is no character: start from its far side.
    r.setPosition(m_pieces.acrossCut(c.position(), !back));
    r.movePosition(e->matches(QKeySequence::DeleteStartOfWord) ? QTextCursor::PreviousWord
                   : e->matches(QKeySequence::DeleteEndOfWord) ? QTextCursor::EndOfWord
                   : back                                      ? QTextCursor::PreviousCharacter
                                                               : QTextCursor::NextCharacter,
                   QTextCursor::KeepAnchor);
    replaceDocRange(r.anchor(), r.position(), QString());
}

void EditControl::moveKey(QKeyEvent *e)
{
    // One step left or right across a piece boundary moves a character, as in a line.
    const bool select = isStandard(e, {QKeySequence::SelectNextChar, QKeySequence::SelectPreviousChar});
    const bool forward = isStandard(e, {QKeySequence::MoveToNextChar, QKeySequence::SelectNextChar});
    QTextCursor c = textCursor();
    if ((select || forward || e->matches(QKeySequence::MoveToPreviousChar)) && (select || !c.hasSelection())) {
        const int over = m_pieces.acrossCut(c.position(), forward);
        if (over != c.position()) {
            c.setPosition(over, select ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
            setTextCursor(c);
        }
    }
    QPlainTextEdit::keyPressEvent(e);
}

void EditControl::readyForKey(QKeyEvent *e)
{
    // Keys act on what the widget holds; while the rest of a big text is still
    // coming, only a key at the widget's last line or one that goes a page or to
    // the end needs all of it first (see fillSome).
    takeHeldText();
    if (!filling())
        return;
    const QTextCursor c = textCursor();
    if (!document()->findBlock(std::max(c.anchor(), c.position())).next().isValid()
        || (e && isStandard(e, {QKeySequence::MoveToNextPage, QKeySequence::SelectNextPage,
                                QKeySequence::MoveToEndOfDocument, QKeySequence::SelectEndOfDocument})))
        finishFill();
}

void EditControl::keyPressEvent(QKeyEvent *e)
{
    readyForKey(e);
    for (auto &b : m_behaviours) {
        if (b->keyDown(*this, e)) {
            e->accept();
            return;
        }
    }
    if (e->matches(QKeySequence::Copy)) { emit copyRequested(); e->accept(); return; }
    if (e->matches(QKeySequence::Cut)) { emit cutRequested(); e->accept(); return; }
    if (e->matches(QKeySequence::Paste)) { emit pasteRequested(); e->accept(); return; }
    if (isStandard(e, {QKeySequence::Undo, QKeySequence::Redo})) { e->accept(); return; }

    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = (mods & Qt::ControlModifier) && !(mods & Qt::AltModifier);
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;

    // Alt and Meta chords are access keys and shortcuts, never text: a letter
    // that is no access key of this language must not land in the page.
    if ((mods & (Qt::AltModifier | Qt::MetaModifier))
        && (enter || e->key() == Qt::Key_Tab || !e->text().isEmpty())) {
        e->ignore();
        return;
    }

    // The character this key types, as the key-press rules see it.
    QChar ch;
    if (enter)
        ch = ctrl ? QChar(10) : QChar(13);
    else if (!e->text().isEmpty())
        ch = e->text().front();
    if (!ch.isNull()) {
        for (auto &b : m_behaviours) {
            if (b->keyPress(*this, ch)) {
                e->accept();
                return;
            }
        }
    }

    if (enter) {
        if (!ctrl)
            setSelText(QStringLiteral("\r\n"));
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Backspace || isStandard(e, {QKeySequence::Delete, QKeySequence::DeleteStartOfWord,
                                                       QKeySequence::DeleteEndOfWord, QKeySequence::DeleteEndOfLine,
                                                       QKeySequence::DeleteCompleteLine})) {
        handleEditingKey(e);
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Tab && !ctrl && !(mods & Qt::AltModifier)) {
        setSelText(QStringLiteral("\t"));
        e->accept();
        return;
    }
    const QString t = e->text();
    if (!ctrl && !t.isEmpty() && t.front() >= QChar(32) && t.front() != QChar(127)) {
        setSelText(t);
        e->accept();
        return;
    }
    // Moving and selecting: the widget's own handling, which never changes the text.
    moveKey(e);
}

void EditControl::inputMethodEvent(QInputMethodEvent *e)
{
    readyForKey(nullptr);
    const QString commit = e->commitString();
    if (!commit.isEmpty() || e->replacementLength() > 0) {
        bool dropped = false;
        if (commit.size() == 1) {
            for (auto &b : m_behaviours)
                if ((dropped = b->keyPress(*this, commit.front())))
                    break;
        }
        if (!dropped) {
            QTextCursor c = textCursor();
            int from = c.selectionStart(), to = c.selectionEnd();
            if (!c.hasSelection() && e->replacementLength() > 0) {
                from = std::max(0, c.position() + e->replacementStart());
                to = std::min(document()->characterCount() - 1, from + e->replacementLength());
            }
            replaceDocRange(from, to, commit);
        }
        QInputMethodEvent rest(e->preeditString(), e->attributes());
        QPlainTextEdit::inputMethodEvent(&rest);
        e->accept();
        return;
    }
    // The widget would drop the selection itself when a pre-edit starts, past the history.
    const QTextCursor c = textCursor();
    if (!e->preeditString().isEmpty() && c.hasSelection())
        replaceDocRange(c.selectionStart(), c.selectionEnd(), QString());
    QPlainTextEdit::inputMethodEvent(e);
}

void EditControl::mouseReleaseEvent(QMouseEvent *e)
{
    QPlainTextEdit::mouseReleaseEvent(e);
    if (e->button() == Qt::RightButton)
        emit rightButtonReleased(e->globalPosition().toPoint());
}

void EditControl::contextMenuEvent(QContextMenuEvent *e)
{
    // The document window shows the Edit menu when the right button is released.
    e->accept();
}

void EditControl::dropEvent(QDropEvent *e)
{
    const QStringList files = DroppedFiles::localFiles(e->mimeData());
    if (!files.isEmpty()) {
        e->acceptProposedAction();
        emit filesDropped(files);
        return;
    }
    if (isReadOnly() || !e->mimeData()->hasText()) {
        e->ignore();
        return;
    }
    const int docPos = cursorForPosition(e->position().toPoint()).position();
    const QTextCursor c = textCursor();
    if (e->source() == this && c.hasSelection() && docPos >= c.selectionStart() && docPos <= c.selectionEnd()) {
        e->ignore();
        return;
    }
    replaceDocRange(docPos, docPos, e->mimeData()->text());
    // A drag from this editor copies: the source text stays where it was.
    e->setDropAction(Qt::CopyAction);
    e->accept();
    setFocus();
}

bool EditControl::canInsertFromMimeData(const QMimeData *source) const
{
    // Files are taken too (to be opened), so that the drag is not refused on entry.
    return source->hasText() || !DroppedFiles::localFiles(source).isEmpty();
}

void EditControl::insertFromMimeData(const QMimeData *source)
{
    // Files alone carry no text: the selection must not be replaced by nothing.
    if (source->hasText())
        setSelText(source->text());
}

QMimeData *EditControl::createMimeDataFromSelection() const
{
    auto *m = new QMimeData;
    m->setText(selText());
    return m;
}
