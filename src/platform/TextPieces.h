#pragma once
#include "common/DocTextCopy.h"
#include "common/InnerBreaks.h"
#include "common/SoftBreaks.h"
#include "common/TextChange.h"

#include <QString>
#include <QStringView>

#include <functional>

class QTextDocument;

// The editor widget's document seen as the program's text. A position counts a line
// break as two characters (CR LF). A line longer than LinePieces::MaxBlock is held as
// several blocks ("pieces"); a piece boundary is no character: the text, positions,
// ranges and change reports see one line. Short lines are held several to a block,
// joined by line separators (see LinePieces::split): each counts as a line break, two
// characters. A text that holds a line separator of its own is held a line a block.
// Conversions cost logarithmic time; an edit costs the length of the blocks it
// touches, never the length of the document.
class TextPieces {
public:
    explicit TextPieces(QTextDocument *doc) : m_doc(doc) {}

    // Widget position of pos: inside a CR LF pair it is the break, at a piece boundary
    // the start of the next piece.
    int toDocPos(int pos) const;
    int fromDocPos(int docPos) const;
    int textLength() const;
    // Text position of the first character of a block.
    int blockStart(int blockNumber) const;
    // At a piece boundary (the end of a piece going forward, the start of the next
    // piece going back), the widget position on its other side; else docPos.
    int acrossCut(int docPos, bool forward) const;

    QString text() const;
    // The text for later: a copy of the widget's raw text, made into the text elsewhere.
    DocTextCopy copy() const;
    // len characters from pos (clamped to the text), without reading the whole text.
    QString textAt(int pos, int len) const;
    // The text between two widget positions, CR LF breaks, piece boundaries dropped.
    QString docRangeText(int docFrom, int docTo) const { return rangeText(docFrom, docTo, true); }

    // Real lines (0-based), counting line breaks only, never piece boundaries.
    int lineCount() const;
    int lineAt(int pos) const;       // line holding pos (a CR LF pair belongs to its line)
    int lineStart(int line) const;   // position of the line's first character; line is clamped

    // The edits below change the widget's document; the caller keeps its own change
    // handlers quiet meanwhile.
    // Replaces the whole text; returns the change with the text as it went in
    // (removed is left empty: the caller knows it, or reads it first).
    // beforeInsert, when given, hears the new text's line count just before it goes in.
    TextChange setText(const QString &crlfText, const std::function<void(int lines)> &beforeInsert = {});
    // Replaces the widget range [docFrom, docTo) by text (any line breaks). Fills change
    // and the widget position just after the inserted text; false when nothing changed.
    // wholeText, when given, is the current text (a caller's copy): the removed part
    // is taken from it instead of being read out of the widget.
    bool replace(int docFrom, int docTo, const QString &text, TextChange &change, int &caretDoc,
                 const QString *wholeText = nullptr);
    // Someone else changed the document, at pos with added characters (pos < 0: range
    // unknown). The piece boundaries outside the change stay; the breaks inside it
    // count as line breaks. When the number of blocks did not change, all boundaries
    // stay where they are.
    void adoptOutsideChange(int pos, int added);

    const SoftBreaks &softBreaks() const { return m_soft; }
    // Line separators in the widget's text are line breaks (short lines grouped).
    bool grouped() const { return m_grouped; }
    // The real line (0-based) the block starts in.
    int lineOfBlock(int block) const { return m_soft.lineOfBlock(block) + m_inner.before(block); }
    // Line separators inside the block, all of them or those before offset.
    int innerBreaks(int block) const { return m_inner.at(block); }
    int innerBreaksBefore(int block, int offset) const;
    // The block holding docPos, when it holds several lines, becomes a block a line
    // (positions and text unchanged), so that typing in it lays out and paints its
    // own line only; false when there was nothing to do.
    bool separate(int docPos);

private:
    // Puts the widget's text (with '\n' breaks), grouping short lines when allowed.
    void putText(const QString &lf, bool grouped);
    // The whole text again a line a block: a line separator of the text's own is coming.
    void ungroup();
    // Counts the line separators of blocks [first, first + newCount) afresh: they
    // replaced oldCount blocks.
    void recount(int first, int oldCount, int newCount);
    // Blocks [first, first + oldCount) became counts.size() blocks holding these
    // many separators; those not laid out yet count their lines as their rows.
    void setInner(int first, int oldCount, const std::vector<int> &counts);
    QString rangeText(int docFrom, int docTo, bool crlf) const;
    QString joinBlocks(QStringView raw, int firstBlock, bool crlf) const;

    QTextDocument *m_doc;
    SoftBreaks m_soft;
    InnerBreaks m_inner;
    bool m_grouped = false;
    int m_blockCount = 1;   // block count after the last edit this class knows of
};
