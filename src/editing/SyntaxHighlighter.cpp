#include "editing/SyntaxHighlighter.h"
#include "platform/EditControl.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <limits>

namespace {

// A block's userState: -1 unknown, else the tokenizer state at its end and these marks.
constexpr int StateMask = (1 << 21) - 1;
constexpr int HasColours = 1 << 28;   // the layout holds colours (maybe stale)
constexpr int Coloured = 1 << 29;     // ... and they are those of the current text and start
constexpr int Consistent = 1 << 30;   // the state follows from the text and the previous block's state

// The work done inside one report of an edit, and in one background slice.
constexpr qint64 EditBudgetNs = 1'000'000;
constexpr qint64 SliceNs = 4'000'000;
// A line longer than this (a minified script or style sheet) keeps its states,
// so the lines after it are right, but gets no colours: laying out pieces full of
// colour runs would cost several milliseconds a keystroke.
constexpr int MaxColouredLine = 100'000;

void dropMarks(QTextBlock b, int marks)
{
    const int s = b.userState();
    if (b.isValid() && s >= 0 && (s & marks))
        b.setUserState(s & ~marks);
}

} // namespace

SyntaxHighlighter::SyntaxHighlighter(EditControl *editor) : QObject(editor), m_editor(editor)
{
    m_background.setInterval(0);
    connect(&m_background, &QTimer::timeout, this, &SyntaxHighlighter::backgroundSlice);
    m_visibleTimer.setSingleShot(true);
    m_visibleTimer.setInterval(0);
    // A timer never fires inside a change of the document.
    connect(&m_visibleTimer, &QTimer::timeout, this, [this] {
        m_inChange = false;
        highlightVisible();
    });
    connect(editor->document(), &QTextDocument::contentsChange, this, &SyntaxHighlighter::onContentsChange);
    connect(editor->document(), &QTextDocument::contentsChanged, this, &SyntaxHighlighter::onContentsChanged);
    // Scrolling colours the blocks that come into view before they are painted.
    connect(editor->verticalScrollBar(), &QScrollBar::valueChanged, this, &SyntaxHighlighter::highlightVisible);
    // The editor scrolls itself to the caret with the scroll bar's signals blocked:
    // its update request is the sign, sent before the new view is painted.
    connect(editor, &QPlainTextEdit::updateRequest, this, [this](const QRect &, int dy) {
        if (dy != 0)
            highlightVisible();
        else
            scheduleVisible();
    });
    editor->installEventFilter(this);
    pickColours();
}

SyntaxHighlighter::~SyntaxHighlighter() = default;

void SyntaxHighlighter::setLanguageSource(std::function<SyntaxLanguage()> languageOf)
{
    m_languageOf = std::move(languageOf);
    if (m_on)
        highlightVisible();
}

void SyntaxHighlighter::setEnabled(bool on)
{
    if (on == m_on)
        return;
    if (!on) {
        m_background.stop();
        m_visibleTimer.stop();
        clearAll(true);
        m_on = false;
        return;
    }
    m_on = true;
    pickColours();
    m_language = m_languageOf ? m_languageOf() : SyntaxLanguage::Page;
    m_blockCount = m_editor->document()->blockCount();
    clearAll(false);
    highlightVisible();
}

bool SyntaxHighlighter::eventFilter(QObject *watched, QEvent *e)
{
    if (m_on && (e->type() == QEvent::PaletteChange || e->type() == QEvent::StyleChange)) {
        // Another theme: every block is coloured again as it comes into view.
        pickColours();
        clearAll(false);
        scheduleVisible();
    } else if (m_on && e->type() == QEvent::Resize) {
        scheduleVisible();
    }
    return QObject::eventFilter(watched, e);
}

void SyntaxHighlighter::pickColours()
{
    // Two sets, chosen by the lightness of the editor's background. Every
    // window shares the same formats: a copy of a format shares its data.
    static const char *const light[] = {nullptr, "#1f4fa8", "#a0522d", "#1a7f37", "#8250df", "#6e7781",
                                        "#9a6700", "#cf222e", "#0a6a5a", "#953800", "#b3186e"};
    static const char *const night[] = {nullptr, "#79c0ff", "#ffa657", "#a5d6ff", "#d2a8ff", "#8b949e",
                                        "#d29922", "#ff7b72", "#7ee7c7", "#f0b070", "#f778ba"};
    static const auto sets = [] {
        std::array<decltype(m_formats), 2> made;
        for (size_t k = 1; k < made[0].size(); ++k) {
            made[0][k].setForeground(QColor(QLatin1String(light[k])));
            made[1][k].setForeground(QColor(QLatin1String(night[k])));
        }
        return made;
    }();
    const bool dark = m_editor->palette().color(QPalette::Base).lightness() < 128;
    m_formats = sets[dark ? 1 : 0];
}

int SyntaxHighlighter::startState(const QTextBlock &block) const
{
    const QTextBlock prev = block.previous();
    const int s = prev.isValid() ? prev.userState() : -1;
    return s >= 0 ? (s & StateMask) : SyntaxTokenizer::initialState(m_language);
}

int SyntaxHighlighter::knownStartState(const QTextBlock &block) const
{
    if (!m_on || m_inChange || !block.isValid() || block.blockNumber() > m_valid)
        return -1;
    const QTextBlock prev = block.previous();
    if (!prev.isValid())
        return SyntaxTokenizer::initialState(m_language);
    const int s = prev.userState();
    return s >= 0 && (s & Consistent) ? (s & StateMask) : -1;
}

bool SyntaxHighlighter::processBlock(QTextBlock &block, bool colour)
{
    const int stored = block.userState();
    const int marks = stored < 0 ? 0 : stored & ~StateMask;
    const int old = stored < 0 ? -1 : stored & StateMask;
    if ((marks & Consistent) && (!colour || (marks & Coloured)))
        return false;
    const int n = block.blockNumber();
    bool skipColours = false;
    const bool endsLine = m_editor->blockEndsLine(n);
    const QString text = block.text();
    const QString following = endsLine ? QString() : block.next().text().left(SyntaxTokenizer::LookAhead);
    if (colour && (!endsLine || (n > 0 && !m_editor->blockEndsLine(n - 1))) && longLine(block))
        colour = false, skipColours = true;
    m_tokens.clear();
    // Lines held together in one block are scanned a line at a time.
    int end = startState(block);
    const QChar separator = m_editor->groupsLines() ? QChar(QChar::LineSeparator) : QChar(u'\n');
    for (qsizetype from = 0;;) {
        const qsizetype sep = text.indexOf(separator, from);
        const qsizetype to = sep < 0 ? text.size() : sep;
        const size_t first = m_tokens.size();
        end = SyntaxTokenizer::scan(QStringView(text).sliced(from, to - from), end, colour ? &m_tokens : nullptr,
                                    sep < 0 ? endsLine : true, sep < 0 ? QStringView(following) : QStringView());
        for (size_t i = first; i < m_tokens.size(); ++i)
            m_tokens[i].start += int(from);
        if (sep < 0)
            break;
        from = sep + 1;
    }
    int newMarks = Consistent | (marks & HasColours);
    if (colour || skipColours) {
        QList<QTextLayout::FormatRange> ranges;
        ranges.reserve(qsizetype(m_tokens.size()));
        for (const SyntaxToken &t : m_tokens)
            ranges.append({t.start, t.length, m_formats[size_t(t.kind)]});
        if (!ranges.isEmpty() || (marks & HasColours)) {
            block.layout()->setFormats(ranges);
            const int from = block.position(), to = from + block.length();
            m_dirtyFrom = m_dirtyFrom < 0 ? from : std::min(m_dirtyFrom, from);
            m_dirtyTo = std::max(m_dirtyTo, to);
        }
        newMarks = Consistent | Coloured | (ranges.isEmpty() ? 0 : HasColours);
    } else if ((marks & Consistent) && (marks & Coloured)) {
        newMarks |= Coloured;
    }
    block.setUserState(end | newMarks);
    // The next block starts in another state: its state and colours are in doubt.
    if (end != old)
        dropMarks(block.next(), Consistent | Coloured);
    return end != old;
}

bool SyntaxHighlighter::longLine(const QTextBlock &block) const
{
    const int line = m_editor->lineAt(m_editor->fromDocPos(block.position()));
    const int end = line + 1 < m_editor->lineCount() ? m_editor->lineStart(line + 1) : m_editor->textLength();
    return end - m_editor->lineStart(line) > MaxColouredLine;
}

bool SyntaxHighlighter::advance(int target, int colourFrom, int colourTo, const QElapsedTimer &clock, qint64 budgetNs)
{
    QTextBlock b = m_editor->document()->findBlockByNumber(m_valid);
    while (b.isValid() && m_valid <= target) {
        processBlock(b, m_valid >= colourFrom && m_valid <= colourTo);
        ++m_valid;
        b = b.next();
        if ((m_valid & 15) == 0 && clock.nsecsElapsed() > budgetNs)
            return m_valid > target || !b.isValid();
    }
    return true;
}

void SyntaxHighlighter::flushDirty(bool repaint)
{
    if (m_dirtyFrom < 0)
        return;
    QTextDocument *doc = m_editor->document();
    const int from = m_dirtyFrom, to = m_dirtyTo;
    m_dirtyFrom = m_dirtyTo = -1;
    // Only blocks on screen get colours, so their area is near: repaint just that.
    // The layout would repaint the whole view for a change of formats, which costs
    // a whole screen of long lines on every keystroke.
    QRect area;
    if (repaint) {
        QTextCursor c(doc);
        c.setPosition(from);
        area = m_editor->cursorRect(c);
        c.setPosition(std::min(to, doc->characterCount()) - 1);
        area |= m_editor->cursorRect(c);
    }
    QAbstractTextDocumentLayout *layout = doc->documentLayout();
    const bool quiet = layout->blockSignals(true);
    m_busy = true;
    doc->markContentsDirty(from, to - from);
    m_busy = false;
    layout->blockSignals(quiet);
    if (repaint)
        m_editor->viewport()->update(QRect(0, area.top(), m_editor->viewport()->width(), area.height()));
}

void SyntaxHighlighter::visibleRange(int &first, int &last) const
{
    // The editor's scroll value counts rows: the first row on screen. Read without a
    // hit test, so it is safe in the middle of a change.
    QTextDocument *doc = m_editor->document();
    const int top = m_editor->verticalScrollBar()->value();
    QTextBlock b = doc->findBlockByLineNumber(top);
    if (!b.isValid())
        b = doc->lastBlock();
    first = last = b.blockNumber();
    // Each block is at least one row; a wrapped one, or one of several lines, says
    // how many rows it took; the first may start above the screen.
    int rows = m_editor->viewport()->height() / std::max(1, m_editor->fontMetrics().lineSpacing()) + 2
        + std::max(0, top - b.firstLineNumber());
    for (; b.isValid() && rows > 0; b = b.next()) {
        rows -= std::max(1, b.lineCount());
        last = b.blockNumber();
    }
}

void SyntaxHighlighter::highlightVisible()
{
    if (!m_on || m_busy)
        return;
    if (m_inChange)
        return scheduleVisible();
    if (m_languageOf && m_languageOf() != m_language) {
        m_language = m_languageOf();
        clearAll(false);
    }
    int first, last;
    visibleRange(first, last);
    QElapsedTimer clock;
    clock.start();
    // Blocks on screen whose states are known already; then the states down to them.
    QTextBlock b = m_editor->document()->findBlockByNumber(first);
    for (int n = first; b.isValid() && n <= last && n < m_valid; ++n, b = b.next())
        processBlock(b, true);
    advance(last, first, last, clock, std::numeric_limits<qint64>::max());
    flushDirty();
    if (!finished() && !m_background.isActive())
        m_background.start();
}

void SyntaxHighlighter::scheduleVisible()
{
    if (m_on && !m_busy && !m_visibleTimer.isActive())
        m_visibleTimer.start();
}

bool SyntaxHighlighter::finished() const
{
    return !m_on || m_valid >= m_editor->document()->blockCount();
}

void SyntaxHighlighter::backgroundSlice()
{
    if (finished()) {
        m_background.stop();
        return;
    }
    int first, last;
    visibleRange(first, last);
    QElapsedTimer clock;
    clock.start();
    advance(m_editor->document()->blockCount() - 1, first, last, clock, SliceNs);
    flushDirty();
    if (finished())
        m_background.stop();
}

void SyntaxHighlighter::finishNow()
{
    while (!finished())
        backgroundSlice();
}

void SyntaxHighlighter::onContentsChange(int pos, int removed, int added)
{
    Q_UNUSED(removed);
    if (m_busy)
        return;
    // Until the document has laid itself out again, scrolling only schedules a pass.
    m_inChange = true;
    if (!m_on)
        return;
    QTextDocument *doc = m_editor->document();
    const int count = doc->blockCount();
    const int delta = count - m_blockCount;
    m_blockCount = count;
    QTextBlock first = doc->findBlock(pos);
    QTextBlock last = doc->findBlock(pos + added);
    if (!first.isValid())
        first = doc->lastBlock();
    if (!last.isValid())
        last = doc->lastBlock();
    // A piece of a long line looks ahead into the next piece: a change near a
    // piece's start may change how the piece before it ends.
    if (first.blockNumber() > 0 && pos - first.position() < SyntaxTokenizer::LookAhead
        && !m_editor->blockEndsLine(first.blockNumber() - 1))
        first = first.previous();
    const int b = first.blockNumber(), e = last.blockNumber();
    // The changed blocks are rescanned. When blocks came or went, the block after
    // the change may follow another block than before: rescan it too.
    const bool reshaped = delta != 0 || b != e;
    for (QTextBlock k = first; k.isValid(); k = k.next()) {
        dropMarks(k, Consistent | Coloured);
        if (k == last) {
            if (reshaped)
                dropMarks(k.next(), Consistent | Coloured);
            break;
        }
    }
    if (m_valid < b)
        return;
    // Where the known states ended, in the new numbering (-1: inside the change).
    const int knownEnd = m_valid > e - delta ? m_valid + delta : -1;
    m_edit = m_edit.pending ? Edit{true, std::min(m_edit.first, b), std::max(m_edit.last, e), -1}
                            : Edit{true, b, e, knownEnd};
    m_valid = b;
}

void SyntaxHighlighter::onContentsChanged()
{
    m_inChange = false;
    if (!m_on || !m_edit.pending)
        return;
    const Edit edit = m_edit;
    m_edit = Edit{};
    if (m_valid != edit.first)
        return highlightVisible();
    // The document is laid out again. Rescan from the change while end states
    // differ, colouring the blocks on screen; once the next block is still sound,
    // everything known before is known again.
    int vFirst, vLast;
    visibleRange(vFirst, vLast);
    QElapsedTimer clock;
    clock.start();
    QTextBlock k = m_editor->document()->findBlockByNumber(m_valid);
    while (k.isValid()) {
        const int n = m_valid;
        processBlock(k, n >= vFirst && n <= vLast);
        ++m_valid;
        k = k.next();
        if (n >= edit.last) {
            const int s = k.isValid() ? k.userState() : -1;
            if (!k.isValid() || (s >= 0 && (s & Consistent))) {
                m_valid = std::max(m_valid, edit.knownEnd);
                break;
            }
        }
        if (clock.nsecsElapsed() > EditBudgetNs)
            break;
    }
    // The document repaints the changed blocks itself; others need their area.
    const QTextDocument *doc = m_editor->document();
    const bool inside = m_dirtyFrom >= doc->findBlockByNumber(edit.first).position()
        && m_dirtyTo <= doc->findBlockByNumber(edit.last).position() + doc->findBlockByNumber(edit.last).length();
    flushDirty(!inside);
    // The caret may have brought other blocks on screen.
    scheduleVisible();
    if (!finished() && !m_background.isActive())
        m_background.start();
}

void SyntaxHighlighter::clearAll(bool removeColours)
{
    QTextDocument *doc = m_editor->document();
    bool any = false;
    for (QTextBlock b = doc->firstBlock(); b.isValid(); b = b.next()) {
        const int s = b.userState();
        if (removeColours && s >= 0 && (s & HasColours)) {
            b.layout()->clearFormats();
            any = true;
        }
        if (s != -1)
            b.setUserState(removeColours ? -1 : (s < 0 ? -1 : (s & (StateMask | HasColours))));
    }
    m_valid = 0;
    m_dirtyFrom = m_dirtyTo = -1;
    if (any) {
        m_busy = true;
        doc->markContentsDirty(0, doc->characterCount());
        m_busy = false;
    }
}
