#pragma once
#include "editing/SyntaxTokenizer.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTextCharFormat>
#include <QTimer>

#include <array>
#include <functional>

class EditControl;
class QTextBlock;

// Colours the text of an editing control. QSyntaxHighlighter rescans the whole
// document at once, which freezes a 10 MB page; this one keeps each block's
// tokenizer state in its userState and works in small steps instead:
// - the blocks on screen are coloured first (the states of the blocks above them
//   come from a scan that only follows states, with no colours);
// - an edit rescans from its block, on while the end states change, within a small
//   budget; the rest is left to background slices of a few milliseconds, and a
//   block gets its colours when it comes into view.
// Only formats of the widget's layout change: no text, no change report, nothing in
// the undo history.
class SyntaxHighlighter : public QObject {
    Q_OBJECT
public:
    explicit SyntaxHighlighter(EditControl *editor);
    ~SyntaxHighlighter() override;

    // The language is read from languageOf before every pass: a document that
    // becomes a script is coloured as one from its next repaint on.
    void setLanguageSource(std::function<SyntaxLanguage()> languageOf);
    // Off clears every colour.
    void setEnabled(bool on);
    bool isEnabled() const { return m_on; }

    // Colours the blocks on screen now (normally done on scrolling and repaints).
    void highlightVisible();
    // The states of all blocks are known (the background work is done).
    bool finished() const;
    // Runs the background work to its end at once (tests and benchmarks).
    void finishNow();

    // The tokenizer state at the start of a block when it is known (the block
    // before it was scanned from a known state), -1 otherwise: rules that need the
    // context of the caret start there instead of at the top of the text.
    int knownStartState(const QTextBlock &block) const;

    // Format of a kind, for the current palette.
    QTextCharFormat formatOf(SyntaxKind kind) const { return m_formats[size_t(kind)]; }

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void onContentsChange(int pos, int removed, int added);
    void onContentsChanged();
    // Makes the states of blocks up to target (inclusive) known, colouring those in
    // [colourFrom, colourTo]; false when the deadline came first.
    bool advance(int target, int colourFrom, int colourTo, const QElapsedTimer &clock, qint64 budgetNs);
    bool processBlock(QTextBlock &block, bool colour);
    // Whether the real line holding block is too long to colour.
    bool longLine(const QTextBlock &block) const;
    void backgroundSlice();
    void scheduleVisible();
    // Lets the layout take the new colours; repaint: their area too.
    void flushDirty(bool repaint = true);
    void clearAll(bool removeColours);
    void pickColours();
    void visibleRange(int &first, int &last) const;
    int startState(const QTextBlock &block) const;

    EditControl *m_editor;
    std::function<SyntaxLanguage()> m_languageOf;
    SyntaxLanguage m_language = SyntaxLanguage::Page;
    bool m_on = false;
    bool m_busy = false;        // our own layout changes run: ignore their reports
    bool m_inChange = false;    // between a change's report and its end
    int m_valid = 0;            // the states of blocks before this one are known
    int m_blockCount = 1;       // block count when last seen
    int m_dirtyFrom = -1;       // document range whose formats changed, not yet relaid
    int m_dirtyTo = -1;
    // An edit seen in its report, rescanned once the document is laid out again:
    // colours set inside the report would make the layout repaint the whole view.
    struct Edit {
        bool pending = false;
        int first = 0, last = 0;  // changed blocks
        int knownEnd = -1;        // states known up to here before the edit (-1: none)
    } m_edit;
    QTimer m_background;
    QTimer m_visibleTimer;
    std::array<QTextCharFormat, 11> m_formats;
    std::vector<SyntaxToken> m_tokens;
};
