#include "platform/LineNumberArea.h"
#include "platform/EditControl.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>

namespace {

// Colours made from the editor's own palette, so they read on light and dark themes.
QColor mix(const QColor &base, const QColor &ink, qreal part)
{
    return QColor::fromRgbF(float(base.redF() + (ink.redF() - base.redF()) * part),
                            float(base.greenF() + (ink.greenF() - base.greenF()) * part),
                            float(base.blueF() + (ink.blueF() - base.blueF()) * part));
}

int digitsOf(int n)
{
    int d = 1;
    for (; n >= 10; n /= 10)
        ++d;
    return d;
}

} // namespace

LineNumberArea::LineNumberArea(EditControl *editor)
    : QWidget(editor), m_editor(editor), m_viewport(editor->viewport())
{
    setObjectName(QStringLiteral("LineNumbers"));
    hide();
    // The edit reports come after the pieces are settled: the line count is right then.
    connect(editor, &EditControl::changed, this, [this] { updateWidth(false); });
    connect(editor, &EditControl::externalChange, this, [this] { updateWidth(false); });
    connect(editor, &QPlainTextEdit::updateRequest, this, &LineNumberArea::onUpdateRequest);
    connect(editor, &QPlainTextEdit::cursorPositionChanged, this, &LineNumberArea::onCaretMoved);
    editor->installEventFilter(this);
    m_viewport->installEventFilter(this);
}

void LineNumberArea::setShown(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    m_caretLine = on ? caretLine() : -1;
    updateWidth(true);
    setVisible(on);
    m_editor->viewport()->update();
}

void LineNumberArea::updateWidth(bool force, int lines)
{
    const int digits = digitsOf(lines >= 0 ? lines : m_editor->lineCount());
    if (!force && digits == m_digits)
        return;
    m_digits = digits;
    const QFontMetrics fm(font());
    const int pad = std::max(2, fm.horizontalAdvance(u'9') / 2);
    m_width = fm.horizontalAdvance(QString(digits, u'9')) + 3 * pad;
    m_editor->setViewportMargins(areaWidth(), 0, 0, 0);
    placeArea();
    update();
}

void LineNumberArea::prepareFor(int lines)
{
    if (m_on && digitsOf(lines) > m_digits)
        updateWidth(true, lines);
}

void LineNumberArea::placeArea()
{
    const QRect cr = m_editor->contentsRect();
    setGeometry(cr.left(), cr.top(), areaWidth(), cr.height());
}

int LineNumberArea::caretLine() const
{
    return m_editor->m_pieces.softBreaks().lineOfBlock(m_editor->textCursor().blockNumber());
}

int LineNumberArea::numberOfBlock(int block) const
{
    const SoftBreaks &soft = m_editor->m_pieces.softBreaks();
    if (block < 0 || block >= m_editor->blockCount() || (block > 0 && soft.endsSoft(block - 1)))
        return 0;
    return soft.lineOfBlock(block) + 1;
}

std::pair<int, int> LineNumberArea::caretLineBlocks() const
{
    const SoftBreaks &soft = m_editor->m_pieces.softBreaks();
    const int line = caretLine();
    const int first = soft.firstBlockOfLine(line);
    const int last = line + 1 < m_editor->lineCount() ? soft.firstBlockOfLine(line + 1) - 1
                                                      : m_editor->blockCount() - 1;
    return {first, last};
}

void LineNumberArea::onUpdateRequest(const QRect &rect, int dy)
{
    if (!m_on)
        return;
    if (dy)
        scroll(0, dy);
    else
        update(0, rect.y(), width(), rect.height());
}

void LineNumberArea::onCaretMoved()
{
    if (!m_on)
        return;
    // Only a move to another line repaints: typing within a line costs nothing here.
    const int line = caretLine();
    if (line == m_caretLine)
        return;
    m_caretLine = line;
    m_editor->viewport()->update();
    update();
}

bool LineNumberArea::eventFilter(QObject *watched, QEvent *e)
{
    // Pointers compared only: the editor may be half destroyed when its last events come.
    if (watched == m_editor && e->type() == QEvent::Resize)
        placeArea();
    else if (m_on && watched == m_viewport && e->type() == QEvent::Paint)
        paintCaretLine(static_cast<QPaintEvent *>(e)->rect());   // under the text, which paints next
    return false;
}

void LineNumberArea::changeEvent(QEvent *e)
{
    QWidget::changeEvent(e);
    // The gutter shares the editor's font: a new font may need another width.
    if (e->type() == QEvent::FontChange)
        updateWidth(true);
}

int LineNumberArea::lineAtY(int y) const
{
    // The gutter and the viewport share their top edge.
    const QTextCursor c = m_editor->cursorForPosition(QPoint(0, y));
    return m_editor->m_pieces.softBreaks().lineOfBlock(c.blockNumber());
}

void LineNumberArea::selectLines(int from, int to)
{
    if (from > to)
        std::swap(from, to);
    const int start = m_editor->lineStart(from);
    const int end = to + 1 < m_editor->lineCount() ? m_editor->lineStart(to + 1) : m_editor->textLength();
    m_editor->setSelStart(start);
    m_editor->setSelLength(end - start);
}

void LineNumberArea::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(e);
    m_anchorLine = lineAtY(int(e->position().y()));
    selectLines(m_anchorLine, m_anchorLine);
    m_editor->setFocus(Qt::MouseFocusReason);
}

void LineNumberArea::mouseMoveEvent(QMouseEvent *e)
{
    if (!(e->buttons() & Qt::LeftButton) || m_anchorLine < 0)
        return QWidget::mouseMoveEvent(e);
    selectLines(m_anchorLine, lineAtY(int(e->position().y())));
}

void LineNumberArea::paintCaretLine(const QRect &clip)
{
    const auto [first, last] = caretLineBlocks();
    QTextBlock b = m_editor->firstVisibleBlock();
    if (!b.isValid() || b.blockNumber() > last)
        return;
    const QPalette pal = m_editor->palette();
    const QColor mark = mix(pal.color(QPalette::Base), pal.color(QPalette::Text), 0.07);
    QPainter p(m_editor->viewport());
    p.setClipRect(clip);
    const int right = m_editor->viewport()->width();
    qreal top = m_editor->blockBoundingGeometry(b).translated(m_editor->contentOffset()).top();
    // The visible blocks only: the caret's line may be far off screen.
    for (; b.isValid() && top <= clip.bottom() && b.blockNumber() <= last; b = b.next()) {
        const qreal h = m_editor->blockBoundingRect(b).height();
        if (b.isVisible() && b.blockNumber() >= first && top + h >= clip.top())
            p.fillRect(QRectF(0, top, right, h), mark);
        top += h;
    }
}

void LineNumberArea::paintEvent(QPaintEvent *e)
{
    const QPalette pal = m_editor->palette();
    const QColor base = pal.color(QPalette::Base);
    const QColor ink = pal.color(QPalette::Text);
    QPainter p(this);
    p.fillRect(e->rect(), mix(base, ink, 0.04));
    QTextBlock b = m_editor->firstVisibleBlock();
    if (!b.isValid())
        return;
    const SoftBreaks &soft = m_editor->m_pieces.softBreaks();
    int n = b.blockNumber();
    int line = soft.lineOfBlock(n);
    bool startsLine = n == 0 || !soft.endsSoft(n - 1);
    const int caret = caretLine();
    const QColor dim = mix(base, ink, 0.45);
    const int pad = std::max(2, fontMetrics().horizontalAdvance(u'9') / 2);
    const int rowHeight = fontMetrics().height();
    qreal top = m_editor->blockBoundingGeometry(b).translated(m_editor->contentOffset()).top();
    for (; b.isValid() && top <= e->rect().bottom(); b = b.next(), ++n) {
        const qreal h = m_editor->blockBoundingRect(b).height();
        if (startsLine && b.isVisible() && top + h >= e->rect().top()) {
            p.setPen(line == caret ? ink : dim);
            p.drawText(QRectF(0, top, width() - 2 * pad, rowHeight), Qt::AlignRight | Qt::AlignVCenter,
                       QString::number(line + 1));
        }
        // The next block starts a real line unless this one ends at a piece cut.
        startsLine = !soft.endsSoft(n);
        if (startsLine)
            ++line;
        top += h;
    }
}
