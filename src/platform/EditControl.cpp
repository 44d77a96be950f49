#include "platform/EditControl.h"
#include "platform/EditorBehaviour.h"

#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>

namespace {

// Any line break (CR LF, LF, CR, paragraph separator) becomes '\n' for the widget.
// crlfOnly tells whether every break was a CR LF pair already.
QString toDocText(const QString &text, bool *crlfOnly = nullptr)
{
    QString out;
    out.reserve(text.size());
    bool pairs = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            out += u'\n';
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            else
                pairs = false;
        } else if (c == QChar::ParagraphSeparator || c == u'\n') {
            out += u'\n';
            pairs = false;
        } else if (c.isNull()) {
            // A NUL character would make the saved file unreadable as text.
            pairs = false;
        } else {
            out += c;
        }
    }
    if (crlfOnly)
        *crlfOnly = pairs;
    return out;
}

// The widget's paragraph separators become CR LF.
QString fromDocText(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 32);
    for (QChar c : text) {
        if (c == QChar::ParagraphSeparator || c == u'\n')
            out += QLatin1String("\r\n");
        else
            out += c;
    }
    return out;
}

bool isStandard(QKeyEvent *e, std::initializer_list<QKeySequence::StandardKey> keys)
{
    for (auto k : keys)
        if (e->matches(k))
            return true;
    return false;
}

} // namespace

EditControl::EditControl(QWidget *parent) : QPlainTextEdit(parent)
{
    document()->setUndoRedoEnabled(false);
    setTabChangesFocus(false);
    setAcceptDrops(true);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    connect(document(), &QTextDocument::contentsChange, this, &EditControl::onContentsChange);
}

EditControl::~EditControl() = default;

void EditControl::installBehaviour(std::unique_ptr<EditorBehaviour> behaviour)
{
    m_behaviours.push_back(std::move(behaviour));
}

int EditControl::toDocPos(int pos) const
{
    if (pos <= 0)
        return 0;
    const QTextDocument *doc = document();
    // The block whose start (counting CR LF) is the last one not after pos.
    int lo = 0, hi = doc->blockCount() - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        const QTextBlock b = doc->findBlockByNumber(mid);
        if (b.position() + mid <= pos)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock b = doc->findBlockByNumber(lo);
    const int offset = std::min(pos - (b.position() + lo), b.length() - 1);
    return b.position() + offset;
}

int EditControl::fromDocPos(int docPos) const
{
    const QTextBlock b = document()->findBlock(docPos);
    return docPos + (b.isValid() ? b.blockNumber() : document()->blockCount() - 1);
}

int EditControl::textLength() const
{
    const QTextDocument *doc = document();
    return doc->characterCount() - 1 + (doc->blockCount() - 1);
}

QString EditControl::docRangeText(int docFrom, int docTo) const
{
    if (docTo <= docFrom)
        return {};
    QTextCursor c(document());
    c.setPosition(docFrom);
    c.setPosition(docTo, QTextCursor::KeepAnchor);
    return fromDocText(c.selectedText());
}

QString EditControl::textAt(int pos, int len) const
{
    if (len <= 0)
        return {};
    const int from = std::max(0, pos);
    const int to = std::min(pos + len, textLength());
    if (to <= from)
        return {};
    // A range may start or end between CR and LF: take the whole break, then cut
    // the text to the exact characters.
    const int docFrom = toDocPos(from);
    int docTo = toDocPos(to);
    if (fromDocPos(docTo) < to)
        ++docTo;
    QString s = docRangeText(docFrom, docTo);
    if (fromDocPos(docFrom) < from)
        s = s.mid(1);
    return s.left(to - from);
}

QString EditControl::text() const
{
    return fromDocText(document()->toRawText());
}

int EditControl::selStart() const
{
    return fromDocPos(textCursor().selectionStart());
}

int EditControl::selLength() const
{
    const QTextCursor c = textCursor();
    if (!c.hasSelection())
        return 0;
    return fromDocPos(c.selectionEnd()) - fromDocPos(c.selectionStart());
}

void EditControl::setSelStart(int pos)
{
    QTextCursor c = textCursor();
    c.setPosition(toDocPos(std::clamp(pos, 0, textLength())));
    setTextCursor(c);
}

void EditControl::setSelLength(int len)
{
    QTextCursor c = textCursor();
    const int start = fromDocPos(c.selectionStart());
    c.setPosition(c.selectionStart());
    c.setPosition(toDocPos(std::clamp(start + std::max(0, len), 0, textLength())), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

QString EditControl::selText() const
{
    return fromDocText(textCursor().selectedText());
}

void EditControl::setSelText(const QString &text)
{
    const QTextCursor c = textCursor();
    const int from = fromDocPos(c.selectionStart());
    const int to = fromDocPos(c.selectionEnd());
    replaceRange(from, to - from, text);
}

void EditControl::replaceRange(int pos, int len, const QString &text)
{
    const int total = textLength();
    pos = std::clamp(pos, 0, total);
    len = std::clamp(len, 0, total - pos);
    const int docFrom = toDocPos(pos);
    const int docTo = toDocPos(pos + len);
    TextChange change;
    change.pos = fromDocPos(docFrom);
    change.removed = docRangeText(docFrom, docTo);
    const QString docText = toDocText(text);
    change.inserted = fromDocText(docText);
    if (change.removed.isEmpty() && change.inserted.isEmpty()) {
        setSelStart(change.pos);
        return;
    }
    QTextCursor c(document());
    c.setPosition(docFrom);
    c.setPosition(docTo, QTextCursor::KeepAnchor);
    ++m_ownEdit;
    c.insertText(docText);
    --m_ownEdit;
    setTextCursor(c);
    emit changed(change);
}

void EditControl::setText(const QString &crlfText)
{
    TextChange change;
    change.removed = text();
    bool crlfOnly = false;
    const QString docText = toDocText(crlfText, &crlfOnly);
    // A loaded file is already in CR LF form: share it instead of converting back.
    change.inserted = crlfOnly ? crlfText : fromDocText(docText);
    ++m_ownEdit;
    document()->setPlainText(docText);
    --m_ownEdit;
    moveCursor(QTextCursor::Start);
    emit changed(change);
}

void EditControl::setEditorFont(const QString &family, int pointSize, bool bold, bool italic)
{
    QFont f(family);
    if (pointSize > 0)
        f.setPointSize(pointSize);
    f.setBold(bold);
    f.setItalic(italic);
    setFont(f);
}

void EditControl::setWordWrap(bool wrap)
{
    setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void EditControl::onContentsChange(int, int removed, int added)
{
    if (m_ownEdit == 0 && m_inBase > 0 && (removed > 0 || added > 0))
        emit externalChange();
}

void EditControl::deleteRange(int docFrom, int docTo)
{
    if (docTo < docFrom)
        std::swap(docFrom, docTo);
    const int from = fromDocPos(docFrom);
    replaceRange(from, fromDocPos(docTo) - from, QString());
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
    QTextCursor c = textCursor();
    if (c.hasSelection() && (e->matches(QKeySequence::Delete) || e->key() == Qt::Key_Backspace
                             || e->matches(QKeySequence::DeleteStartOfWord)
                             || e->matches(QKeySequence::DeleteEndOfWord))) {
        deleteRange(c.selectionStart(), c.selectionEnd());
        return;
    }
    QTextCursor r = c;
    if (e->matches(QKeySequence::DeleteStartOfWord))
        r.movePosition(QTextCursor::PreviousWord, QTextCursor::KeepAnchor);
    else if (e->matches(QKeySequence::DeleteEndOfWord))
        r.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
    else if (e->matches(QKeySequence::DeleteEndOfLine))
        r.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    else if (e->matches(QKeySequence::DeleteCompleteLine)) {
        r.movePosition(QTextCursor::StartOfBlock);
        r.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
        if (r.position() == r.anchor())
            r.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    } else if (e->key() == Qt::Key_Backspace)
        r.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
    else
        r.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    deleteRange(r.anchor(), r.position());
}

void EditControl::keyPressEvent(QKeyEvent *e)
{
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
    ++m_inBase;
    QPlainTextEdit::keyPressEvent(e);
    --m_inBase;
}

void EditControl::inputMethodEvent(QInputMethodEvent *e)
{
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
            const int f = fromDocPos(from);
            replaceRange(f, fromDocPos(to) - f, commit);
        }
        QInputMethodEvent rest(e->preeditString(), e->attributes());
        ++m_inBase;
        QPlainTextEdit::inputMethodEvent(&rest);
        --m_inBase;
        e->accept();
        return;
    }
    ++m_inBase;
    QPlainTextEdit::inputMethodEvent(e);
    --m_inBase;
}

void EditControl::mouseReleaseEvent(QMouseEvent *e)
{
    ++m_inBase;
    QPlainTextEdit::mouseReleaseEvent(e);
    --m_inBase;
    if (e->button() == Qt::RightButton)
        emit rightButtonReleased(e->globalPosition().toPoint());
}

void EditControl::contextMenuEvent(QContextMenuEvent *e)
{
    // The document window shows the Edit menu when the right button is released.
    e->accept();
}

void EditControl::dragEnterEvent(QDragEnterEvent *e)
{
    ++m_inBase;
    QPlainTextEdit::dragEnterEvent(e);
    --m_inBase;
}

void EditControl::dragMoveEvent(QDragMoveEvent *e)
{
    ++m_inBase;
    QPlainTextEdit::dragMoveEvent(e);
    --m_inBase;
}

void EditControl::dropEvent(QDropEvent *e)
{
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
    replaceRange(fromDocPos(docPos), 0, e->mimeData()->text());
    // A drag from this editor copies: the source text stays where it was.
    e->setDropAction(Qt::CopyAction);
    e->accept();
    setFocus();
}

bool EditControl::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasText();
}

void EditControl::insertFromMimeData(const QMimeData *source)
{
    setSelText(source->text());
}

QMimeData *EditControl::createMimeDataFromSelection() const
{
    auto *m = new QMimeData;
    m->setText(selText());
    return m;
}
