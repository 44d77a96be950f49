#include "platform/TextPieces.h"
#include "common/CrLf.h"
#include "common/LinePieces.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace {
constexpr char16_t Separator = char16_t(QChar::LineSeparator);
constexpr qsizetype GroupFrom = 8 * LinePieces::GroupChars;
} // namespace

bool TextPieces::separate(int docPos)
{
    if (!m_grouped)
        return false;
    const QTextBlock block = m_doc->findBlock(docPos);
    const int b = block.isValid() ? block.blockNumber() : -1;
    const int n = m_inner.at(b);
    if (n == 0)
        return false;
    // Positions stay as they are: a separator becomes a block's end in its place.
    const QString t = block.text();
    const qsizetype first = t.indexOf(QChar(Separator)), last = t.lastIndexOf(QChar(Separator));
    QString lines = t.mid(first, last - first + 1);
    lines.replace(QChar(Separator), QChar(u'\n'));
    QTextCursor c(m_doc);
    c.setPosition(block.position() + int(first));
    c.setPosition(block.position() + int(last) + 1, QTextCursor::KeepAnchor);
    c.insertText(lines);
    m_soft.replace(b, 1, n + 1, {});
    m_inner.replace(b, 1, std::vector<int>(size_t(n) + 1, 0));
    m_blockCount = m_doc->blockCount();
    return true;
}

int TextPieces::blockStart(int blockNumber) const
{
    // Each break before the block counted once in the widget: twice for a line break,
    // not at all for a piece boundary; a line separator counts twice too.
    return m_doc->findBlockByNumber(blockNumber).position() + blockNumber - 2 * m_soft.countBefore(blockNumber)
        + m_inner.before(blockNumber);
}

int TextPieces::innerBreaksBefore(int block, int offset) const
{
    if (offset <= 0 || m_inner.at(block) == 0)
        return 0;
    const QString t = m_doc->findBlockByNumber(block).text();
    return int(QStringView(t).first(std::min<qsizetype>(offset, t.size())).count(QChar(Separator)));
}

int TextPieces::toDocPos(int pos) const
{
    if (pos <= 0)
        return 0;
    // The last block whose start is not after pos.
    int lo = 0, hi = m_doc->blockCount() - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (blockStart(mid) <= pos)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock b = m_doc->findBlockByNumber(lo);
    const int rel = pos - blockStart(lo);
    if (m_inner.at(lo) == 0)
        return b.position() + std::min(rel, b.length() - 1);
    // A line separator is two characters of the text: inside them is the break.
    const QString t = b.text();
    int at = 0;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const int width = t[i] == QChar(Separator) ? 2 : 1;
        if (at + width > rel)
            return b.position() + int(i);
        at += width;
    }
    return b.position() + int(t.size());
}

int TextPieces::fromDocPos(int docPos) const
{
    const QTextBlock b = m_doc->findBlock(docPos);
    const int n = b.isValid() ? b.blockNumber() : m_doc->blockCount() - 1;
    const int start = b.isValid() ? b.position() : docPos;
    return docPos + n - 2 * m_soft.countBefore(n) + m_inner.before(n) + innerBreaksBefore(n, docPos - start);
}

int TextPieces::acrossCut(int docPos, bool forward) const
{
    const QTextBlock b = m_doc->findBlock(docPos);
    if (!b.isValid())
        return docPos;
    const int n = b.blockNumber();
    if (forward && docPos == b.position() + b.length() - 1 && m_soft.endsSoft(n))
        return docPos + 1;
    if (!forward && docPos == b.position() && n > 0 && m_soft.endsSoft(n - 1))
        return docPos - 1;
    return docPos;
}

int TextPieces::textLength() const
{
    return m_doc->characterCount() - 1 + (m_doc->blockCount() - 1) - 2 * m_soft.size() + m_inner.total();
}

QString TextPieces::joinBlocks(QStringView raw, int firstBlock, bool crlf) const
{
    return CrLf::joinDocBlocks(raw, m_soft.blocks(), firstBlock, crlf, m_grouped);
}

QString TextPieces::rangeText(int docFrom, int docTo, bool crlf) const
{
    if (docTo <= docFrom)
        return {};
    QTextCursor c(m_doc);
    c.setPosition(docFrom);
    c.setPosition(docTo, QTextCursor::KeepAnchor);
    const QString raw = c.selectedText();
    return joinBlocks(raw, m_doc->findBlock(docFrom).blockNumber(), crlf);
}

QString TextPieces::text() const
{
    const QString raw = m_doc->toRawText();
    return joinBlocks(raw, 0, true);
}

DocTextCopy TextPieces::copy() const
{
    return {m_doc->toRawText(), m_soft.blocks(), false, {}, 0, m_grouped};
}

QString TextPieces::textAt(int pos, int len) const
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

int TextPieces::lineCount() const
{
    return m_doc->blockCount() - m_soft.size() + m_inner.total();
}

int TextPieces::lineAt(int pos) const
{
    const int docPos = toDocPos(std::clamp(pos, 0, textLength()));
    const QTextBlock b = m_doc->findBlock(docPos);
    const int n = b.isValid() ? b.blockNumber() : m_doc->blockCount() - 1;
    return lineOfBlock(n) + (b.isValid() ? innerBreaksBefore(n, docPos - b.position()) : 0);
}

int TextPieces::lineStart(int line) const
{
    if (m_inner.total() > 0) {
        line = std::clamp(line, 0, lineCount() - 1);
        if (line == 0)
            return 0;
        // The last block that starts before the line; the line starts inside it,
        // after one of its separators, or with the next block.
        int lo = 0, hi = m_doc->blockCount() - 1;
        while (lo < hi) {
            const int mid = lo + (hi - lo + 1) / 2;
            if (lineOfBlock(mid) < line)
                lo = mid;
            else
                hi = mid - 1;
        }
        const int k = line - lineOfBlock(lo);
        if (k > m_inner.at(lo))
            return blockStart(lo + 1);
        const QTextBlock b = m_doc->findBlockByNumber(lo);
        const QString t = b.text();
        qsizetype i = -1;
        for (int seen = 0; seen < k; ++seen)
            i = t.indexOf(QChar(Separator), i + 1);
        return fromDocPos(b.position() + int(i) + 1);
    }
    int cuts = 0;
    const int block = m_soft.firstBlockOfLine(std::clamp(line, 0, lineCount() - 1), &cuts);
    return m_doc->findBlockByNumber(block).position() + block - 2 * cuts;
}

TextChange TextPieces::setText(const QString &crlfText, const std::function<void(int lines)> &beforeInsert)
{
    TextChange change;
    bool crlfOnly = false;
    qsizetype lines = 1;
    const QString lf = CrLf::toDocText(crlfText, &crlfOnly, &lines);
    // A loaded file is already in CR LF form: share it instead of converting back.
    change.inserted = crlfOnly ? crlfText : CrLf::fromDocText(lf);
    if (beforeInsert)
        beforeInsert(int(lines));
    putText(lf, !lf.contains(QChar(Separator)));
    return change;
}

void TextPieces::putText(const QString &lf, bool grouped)
{
    std::vector<int> soft, inner;
    const QString docText = LinePieces::split(lf, soft, 0, grouped ? &inner : nullptr);
    m_grouped = grouped;
    m_inner.clear();
    m_doc->setPlainText(docText);
    m_soft.assign(std::move(soft));
    m_blockCount = m_doc->blockCount();
    if (grouped)
        setInner(0, 0, inner);
}

void TextPieces::ungroup()
{
    if (!m_grouped)
        return;
    putText(CrLf::toDocText(text()), false);
}

void TextPieces::recount(int first, int oldCount, int newCount)
{
    if (!m_grouped)
        return;
    std::vector<int> counts;
    counts.reserve(size_t(std::max(0, newCount)));
    QTextBlock b = m_doc->findBlockByNumber(first);
    for (int i = 0; i < newCount && b.isValid(); ++i, b = b.next())
        counts.push_back(int(b.text().count(QChar(Separator))));
    setInner(first, oldCount, counts);
}

void TextPieces::setInner(int first, int oldCount, const std::vector<int> &counts)
{
    // The scroll bar counts the rows of the blocks; one not laid out yet counts as
    // one row unless told better. (One laid out has a row for each of its lines at
    // least; asking for its layout would make one.)
    bool rows = false;
    QTextBlock b = m_doc->findBlockByNumber(first);
    for (size_t i = 0; i < counts.size() && b.isValid(); ++i, b = b.next()) {
        if (counts[i] > 0 && b.lineCount() == 1) {
            b.setLineCount(counts[i] + 1);
            rows = true;
        }
    }
    m_inner.replace(first, oldCount, counts);
    QAbstractTextDocumentLayout *layout = m_doc->documentLayout();
    if (rows && layout)
        emit layout->documentSizeChanged(layout->documentSize());
}

bool TextPieces::replace(int docFrom, int docTo, const QString &text, TextChange &change, int &caretDoc,
                         const QString *wholeText)
{
    if (docTo < docFrom)
        std::swap(docFrom, docTo);
    if (m_grouped && text.contains(QChar(Separator))) {
        // The text brings a line separator of its own: from now on one line a block,
        // so that it stays a character of the text.
        const int from = fromDocPos(docFrom), to = fromDocPos(docTo);
        ungroup();
        docFrom = toDocPos(from);
        docTo = toDocPos(to);
    }
    change.pos = fromDocPos(docFrom);
    change.removed = wholeText ? wholeText->mid(change.pos, fromDocPos(docTo) - change.pos)
                               : docRangeText(docFrom, docTo);
    bool crlfOnly = false;
    const QString lf = CrLf::toDocText(text, &crlfOnly);
    // Text already in CR LF form (a replace all, a paste from this program) is shared.
    change.inserted = crlfOnly ? text : CrLf::fromDocText(lf);
    if (change.removed.isEmpty() && change.inserted.isEmpty())
        return false;

    const QTextBlock first = m_doc->findBlock(docFrom);
    const QTextBlock last = m_doc->findBlock(docTo);
    const int bFrom = first.blockNumber(), bTo = last.blockNumber();
    QTextCursor c(m_doc);

    // Typing: one block stays within its bounds, nothing to cut or join.
    if (bFrom == bTo && !lf.contains(u'\n')) {
        const int newLength = first.length() - 1 - (docTo - docFrom) + int(lf.size());
        const bool piece = m_soft.endsSoft(bFrom) || (bFrom > 0 && m_soft.endsSoft(bFrom - 1));
        if (newLength <= LinePieces::MaxBlock && (!piece || newLength >= LinePieces::MinPiece)) {
            c.setPosition(docFrom);
            c.setPosition(docTo, QTextCursor::KeepAnchor);
            c.insertText(lf);
            caretDoc = c.position();
            // The breaks it removed were separators inside the block.
            if (m_grouped)
                m_inner.set(bFrom, m_inner.at(bFrom) - int(change.removed.count(u'\n')));
            return true;
        }
    }

    // Otherwise the touched blocks and their neighbouring pieces are written again, cut
    // afresh: the new text is never laid out as one huge block, pieces that grew are cut
    // and pieces that shrank join their neighbours.
    int firstBlock = bFrom, lastBlock = bTo;
    if (firstBlock > 0 && m_soft.endsSoft(firstBlock - 1))
        --firstBlock;
    if (m_soft.endsSoft(lastBlock))
        ++lastBlock;
    // Puts text over [from, to), the blocks firstBlock..lastBlock; soft: its piece boundaries.
    const auto put = [&](int from, int to, const QString &text, const std::vector<int> &soft) {
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        if (text.isEmpty())
            c.removeSelectedText();
        else
            c.insertText(text);
        const int newCount = int(text.count(u'\n')) + 1;
        m_soft.replace(firstBlock, lastBlock - firstBlock + 1, newCount, soft);
        recount(firstBlock, lastBlock - firstBlock + 1, newCount);
        m_blockCount = m_doc->blockCount();
    };
    // What is typed or pasted goes in a line a block; a big text is grouped.
    std::vector<int> innerUnused;
    std::vector<int> *const inner = m_grouped && lf.size() > GroupFrom ? &innerUnused : nullptr;
    // No piece at either end, and the lines joined at the ends stay short: the new
    // text goes in as it is, without a copy of it with the text around it.
    if (firstBlock == bFrom && lastBlock == bTo) {
        const qsizetype firstBreak = lf.indexOf(u'\n');
        const qsizetype lastBreak = lf.lastIndexOf(u'\n');
        const qsizetype head = docFrom - first.position();
        const qsizetype tail = last.position() + last.length() - 1 - docTo;
        const bool shortEnds = firstBreak < 0
            ? head + lf.size() + tail <= LinePieces::MaxBlock
            : head + firstBreak <= LinePieces::MaxBlock && lf.size() - lastBreak - 1 + tail <= LinePieces::MaxBlock;
        std::vector<int> soft;
        // Lines typed into a group make it longer: past twice its size, it is cut afresh.
        const bool smallGroups = !m_grouped
            || (m_inner.at(bFrom) < 2 * LinePieces::GroupLines && m_inner.at(bTo) < 2 * LinePieces::GroupLines);
        if (shortEnds && smallGroups) {
            const QString grouped = LinePieces::split(lf, soft, 0, inner);
            if (soft.empty()) {
                put(docFrom, docTo, grouped, {});
                caretDoc = c.position();
                return true;
            }
        }
    }
    const QTextBlock b0 = m_doc->findBlockByNumber(firstBlock);
    const QTextBlock b1 = m_doc->findBlockByNumber(lastBlock);
    const int regionFrom = b0.position();
    const int regionTo = b1.position() + b1.length() - 1;
    // A change that covers whole blocks (a big replace) takes the new text as it is.
    const QString content = regionFrom == docFrom && regionTo == docTo
        ? lf
        : rangeText(regionFrom, docFrom, false) + lf + rangeText(docTo, regionTo, false);
    std::vector<int> soft;
    innerUnused.clear();
    const QString pieced = LinePieces::split(content, soft, 0, inner);
    put(regionFrom, regionTo, pieced, soft);
    caretDoc = toDocPos(change.pos + int(change.inserted.size()));
    return true;
}

void TextPieces::adoptOutsideChange(int pos, int added)
{
    const int blocks = m_doc->blockCount();
    if (m_soft.size() > 0 && blocks != m_blockCount && pos >= 0) {
        const QTextBlock first = m_doc->findBlock(pos);
        const QTextBlock last = m_doc->findBlock(pos + added);
        const int b0 = first.isValid() ? first.blockNumber() : blocks - 1;
        const int newBreaks = (last.isValid() ? last.blockNumber() : blocks - 1) - b0;
        const int oldBreaks = newBreaks - (blocks - m_blockCount);
        if (oldBreaks >= 0)
            m_soft.replace(b0, oldBreaks + 1, newBreaks + 1, {});
    }
    // The separators of the blocks it touched are counted again.
    if (m_grouped) {
        int b0 = 0, oldCount = m_inner.blocks(), newCount = blocks;
        if (pos >= 0) {
            const QTextBlock first = m_doc->findBlock(pos);
            const QTextBlock last = m_doc->findBlock(pos + added);
            const int f = first.isValid() ? first.blockNumber() : blocks - 1;
            const int n = (last.isValid() ? last.blockNumber() : blocks - 1) - f + 1;
            const int o = n - (blocks - m_blockCount);
            if (o >= 1 && f + o <= m_inner.blocks())
                b0 = f, oldCount = o, newCount = n;
        }
        recount(b0, oldCount, newCount);
    }
    // Never a boundary after the last block.
    if (m_soft.size() > 0 && m_soft.blocks().back() >= blocks - 1) {
        std::vector<int> kept = m_soft.blocks();
        kept.erase(std::lower_bound(kept.begin(), kept.end(), blocks - 1), kept.end());
        m_soft.assign(std::move(kept));
    }
    m_blockCount = blocks;
}
