#pragma once
#include "common/TextChange.h"
#include "common/TextTarget.h"
#include "common/HeldText.h"
#include "platform/OutsideEdits.h"
#include "platform/TextPieces.h"

#include <QPlainTextEdit>
#include <memory>
#include <vector>

class EditorBehaviour;
class LineNumberArea;

// The editing control of a document: a plain-text editor whose positions count a
// line break as two characters (CR LF), like the text the program saves. Every
// change of the text, by the user or by the program, goes through replaceRange and
// is reported once through changed() as (position, removed, inserted).
// A very long line is shown as several wrapped parts ("pieces", see TextPieces);
// everything here sees it as one line.
// Its own undo stack, rich clipboard and context menu are off: the program's
// commands do those.
class EditControl : public QPlainTextEdit, public TextTarget {
    Q_OBJECT
public:
    explicit EditControl(QWidget *parent = nullptr);
    ~EditControl() override;

    // TextTarget
    QString text() const override;
    // The text for a reader on another thread: the cheap copy taken here, the
    // line breaks made there (the text itself when it is at hand already).
    DocTextCopy textCopy() const
    {
        if (m_deferred)
            return DocTextCopy{m_held.text(), {}, true, {}, 0};
        if (m_textValid)
            return DocTextCopy{m_text, {}, true, {}, 0};
        DocTextCopy copy = m_pieces.copy();
        if (filling()) {
            copy.tail = m_tail;
            copy.tailFrom = m_tailPos;
        }
        return copy;
    }
    int selStart() const override;
    void setSelStart(int pos) override;
    int selLength() const override;
    void setSelLength(int len) override;
    QString selText() const override;
    // Where the caret is (the moving end of the selection), in CR LF counting.
    int caretPos() const;
    void setSelText(const QString &text) override;

    // Replaces the whole text (loading, new documents). An editor that is not
    // shown yet holds a new text as given and puts it into the widget when it is
    // first painted or asked what only the widget knows (see realize): a window
    // behind others costs its text and no layout. The text, its length, ranges,
    // lines and the caret are answered from the held text meanwhile.
    // A big held text goes in a screenful first, painted at once; the rest follows
    // from the event loop in slices (see fillSome), or at once when something asks
    // for more than the widget has yet, or edits or keys reach the widget's end.
    void setText(const QString &crlfText);
    // Off by default: a bare editor puts every text in at once.
    void setHoldWhileHidden(bool hold) { m_holdWhileHidden = hold; }
    bool textDeferred() const { return m_deferred; }
    // The held text is packed (see HeldText::pack).
    bool textPacked() const { return m_deferred && m_held.packed(); }
    // Part of a big text is still to come into the widget.
    bool filling() const { return m_tailPos < m_tail.size(); }
    // Puts a held text, and all of a text still coming, into the widget now.
    void realize() const;
    // Replaces len characters at pos by text; the caret ends after the text, or at
    // caretAfter (a position in the new text) when that is given. A change of a
    // megabyte or more to a shown text is put in as a new text, a screenful round
    // the caret first (see setText).
    void replaceRange(int pos, int len, const QString &text, int caretAfter = -1);
    // The same for a change the caller made from text(): change.removed is the text
    // at change.pos, and a big change keeps that copy instead of making its own.
    void applyChange(const TextChange &change, int caretAfter = -1);
    int textLength() const;
    // len characters from pos without reading the whole text.
    QString textAt(int pos, int len) const;

    // Real lines, 0-based, counting line breaks only (a line held in pieces is one
    // line), in logarithmic time: for go to line and line numbers.
    int lineCount() const;
    // The line holding pos (clamped to the text; a CR LF pair belongs to its line).
    int lineAt(int pos) const;
    // Position of the first character of a line (line clamped to 0..lineCount()-1).
    int lineStart(int line) const;
    // False when the widget's block ends where a long line was cut into pieces.
    bool blockEndsLine(int blockNumber) const { return !m_pieces.softBreaks().endsSoft(blockNumber); }
    // Short lines are held several to a block, a line separator between them, each a
    // line break of the text (see TextPieces).
    bool groupsLines() const { return m_pieces.grouped(); }

    void setEditorFont(const QString &family, int pointSize, bool bold, bool italic);
    // Points added to the editor font's size (zoom); the font set above stays the
    // base, and the gutter follows the shown one.
    void setZoom(int points);
    int zoom() const { return m_zoom; }
    static constexpr int MinPointSize = 4;
    void setWordWrap(bool wrap);
    // The line-number gutter and the mark of the caret's line, shown together (off
    // until asked for).
    void setLineNumbersVisible(bool on);
    bool lineNumbersVisible() const;
    LineNumberArea *lineNumberArea() const { return m_gutter; }

    // Behaviours are owned by the control and run in installation order.
    void installBehaviour(std::unique_ptr<EditorBehaviour> behaviour);

    // Position conversions between CR LF counting and the widget's document.
    int toDocPos(int pos) const { ensureUpTo(pos); return m_pieces.toDocPos(pos); }
    int fromDocPos(int docPos) const { ensureUpTo(0); return m_pieces.fromDocPos(docPos); }

signals:
    void changed(const TextChange &change);
    void rightButtonReleased(const QPoint &globalPos);
    // The control's own shortcuts for the clipboard and history when no menu took them.
    void copyRequested();
    void cutRequested();
    void pasteRequested();
    // Someone changed the widget's text past the control (a key path it does not
    // know): the history can no longer follow it.
    void externalChange();
    // Files were dropped on the editor: they are to be opened, not their names inserted.
    void filesDropped(const QStringList &paths);
    // Ctrl+wheel: the user asks for a larger (steps > 0) or smaller font.
    void zoomRequested(int steps);

protected:
    bool event(QEvent *e) override;
    bool viewportEvent(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;
    void dropEvent(QDropEvent *e) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;

private:
    friend class LineNumberArea;   // paints from the widget's layout and the pieces

    void handleEditingKey(QKeyEvent *e);
    // Before a key: a held text goes in; the rest of a big text still coming goes
    // in too when the caret or selection is on the widget's last line or the key
    // goes a page or to the end of the text.
    void readyForKey(QKeyEvent *e);
    void moveKey(QKeyEvent *e);
    void replaceDocRange(int docFrom, int docTo, const QString &text);
    // The big-change and held-text side of replaceRange; false when the range is
    // better replaced in the widget.
    bool replaceWhole(int pos, int len, const QString &text, int caretAfter, const QString *removed);
    void replaceIn(int pos, int len, const QString &text, int caretAfter, const QString *removed);
    // Sets what decides the viewport's width for a text of lines lines.
    void prepareWidth(int lines);
    // firstScreen: a big text goes in a screenful first (see fillSome).
    void putHeldText(bool firstScreen);
    // The widget takes text up to cut (where a line break starts); the rest
    // follows from the event loop (see fillSome).
    void startFill(QString text, qsizetype cut);
    void takeHeldText() const
    {
        if (m_deferred)
            const_cast<EditControl *>(this)->putHeldText(false);
    }
    // The widget holds the text up to pos (a held text goes in first).
    void ensureUpTo(int pos) const;
    // Puts the next slices of a text still coming, within a time budget; again
    // from the event loop until all is in.
    void fillSome();
    void finishFill() const;
    void appendTail(qsizetype length);
    // The blocks at the caret and the anchor, when they hold several lines, become a
    // block a line (see TextPieces::separate), from the event loop after a move.
    void separateAtCaret();
    bool separateAt(int docPos);
    // Sets the selection (widget positions), the lines at both ends made a block each first.
    void placeCaret(int anchorDoc, int positionDoc);
    // pos clamped to the held text, moved off the middle of a CR LF.
    int heldPos(int pos) const;
    // Holds text until the editor is first painted; it is packed a while later
    // if nobody has shown it by then.
    void hold(const QString &crlfText);

    TextPieces m_pieces;
    std::vector<std::unique_ptr<EditorBehaviour>> m_behaviours;
    OutsideEdits m_outside;     // changes of the text made past the control
    mutable QString m_text;     // the whole text as last read, while m_textValid
    mutable bool m_textValid = false;
    // A text held until the editor is first painted, and the selection asked
    // for meanwhile.
    HeldText m_held;
    bool m_deferred = false;
    bool m_holdWhileHidden = false;
    int m_heldSelStart = 0;
    int m_heldSelLength = 0;
    // The end of a big text still to come into the widget (from m_tailPos; it
    // starts with the line break that ends the widget's text).
    QString m_tail;
    qsizetype m_tailPos = 0;
    int m_tailLines = 0;        // line breaks in it
    LineNumberArea *m_gutter = nullptr;
    QFont m_baseFont;           // the font as set, before the zoom
    bool m_baseSet = false;
    int m_zoom = 0;
    int m_wheelRest = 0;        // wheel turn not yet a whole step (fine-grained wheels)
    bool m_separating = false;  // a separateAtCaret is on its way
};
