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

int LineNumberArea::lineOfDocPos(int docPos) const
{
    const QTextBlock b = m_editor->document()->findBlock(docPos);
    if (!b.isValid())
        return m_editor->m_pieces.lineCount() - 1;
    const int n = b.blockNumber();
    return m_editor->m_pieces.lineOfBlock(n) + m_editor->m_pieces.innerBreaksBefore(n, docPos - b.position());
}

int LineNumberArea::caretLine() const
{
    return lineOfDocPos(m_editor->textCursor().position());
}

QList<int> LineNumberArea::rowNumbers(int block) const
{
    const TextPieces &pieces = m_editor->m_pieces;
    const QTextBlock b = m_editor->document()->findBlockByNumber(block);
    QList<int> out;
    if (!b.isValid())
        return out;
    const QTextLayout *layout = b.layout();
    const int rows = layout ? std::max(1, layout->lineCount()) : 1;
    int line = pieces.lineOfBlock(block);
    out << ((block == 0 || !pieces.softBreaks().endsSoft(block - 1)) ? line + 1 : 0);
    if (rows == 1)
        return out;
    const QString text = pieces.innerBreaks(block) > 0 ? b.text() : QString();
    for (int r = 1; r < rows; ++r) {
        const int start = layout->lineAt(r).textStart();
        const bool starts = start > 0 && start <= text.size() && text[start - 1] == QChar::LineSeparator;
        out << (starts ? ++line + 1 : 0);
    }
    return out;
}

std::pair<int, int> LineNumberArea::caretLineSpan() const
{
    const TextPieces &pieces = m_editor->m_pieces;
    const int line = caretLine();
    const int from = pieces.toDocPos(pieces.lineStart(line));
    const int to = line + 1 < pieces.lineCount() ? pieces.toDocPos(pieces.lineStart(line + 1)) - 1
                                                 : m_editor->document()->characterCount() - 1;
    return {from, to};
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
    return lineOfDocPos(m_editor->cursorForPosition(QPoint(0, y)).position());
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
    const auto [from, to] = caretLineSpan();
    QTextBlock b = m_editor->firstVisibleBlock();
    if (!b.isValid() || b.position() > to)
        return;
    const QPalette pal = m_editor->palette();
    const QColor mark = mix(pal.color(QPalette::Base), pal.color(QPalette::Text), 0.07);
    QPainter p(m_editor->viewport());
    p.setClipRect(clip);
    const int right = m_editor->viewport()->width();
    qreal top = m_editor->blockBoundingGeometry(b).translated(m_editor->contentOffset()).top();
    // The visible blocks only: the caret's line may be far off screen. Of a block
    // that holds several lines, the rows of the caret's line.
    for (; b.isValid() && top <= clip.bottom() && b.position() <= to; b = b.next()) {
        const qreal h = m_editor->blockBoundingRect(b).height();
        const int end = b.position() + b.length() - 1;
        if (b.isVisible() && end >= from && top + h >= clip.top()) {
            const QTextLayout *layout = b.layout();
            if (!layout || layout->lineCount() == 0 || (b.position() >= from && end <= to)) {
                p.fillRect(QRectF(0, top, right, h), mark);
            } else {
                for (int r = 0; r < layout->lineCount(); ++r) {
                    const QTextLine l = layout->lineAt(r);
                    const int rowFrom = b.position() + l.textStart();
                    const int rowTo = rowFrom + std::max(1, l.textLength()) - 1;
                    if (rowFrom <= to && rowTo >= from)
                        p.fillRect(QRectF(0, top + l.y(), right, l.height()), mark);
                }
            }
        }
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
    const int caret = caretLine() + 1;
    const QColor dim = mix(base, ink, 0.45);
    const int pad = std::max(2, fontMetrics().horizontalAdvance(u'9') / 2);
    const int rowHeight = fontMetrics().height();
    qreal top = m_editor->blockBoundingGeometry(b).translated(m_editor->contentOffset()).top();
    for (; b.isValid() && top <= e->rect().bottom(); b = b.next()) {
        const qreal h = m_editor->blockBoundingRect(b).height();
        if (b.isVisible() && top + h >= e->rect().top()) {
            const QList<int> numbers = rowNumbers(b.blockNumber());
            const QTextLayout *layout = b.layout();
            for (int r = 0; r < numbers.size(); ++r) {
                if (numbers[r] == 0)
                    continue;
                const qreal y = top + (layout && r < layout->lineCount() ? layout->lineAt(r).y() : 0);
                p.setPen(numbers[r] == caret ? ink : dim);
                p.drawText(QRectF(0, y, width() - 2 * pad, rowHeight), Qt::AlignRight | Qt::AlignVCenter,
                           QString::number(numbers[r]));
            }
        }
        top += h;
    }
}
