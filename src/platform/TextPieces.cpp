#include "platform/TextPieces.h"
#include "common/CrLf.h"
#include "common/LinePieces.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

int TextPieces::blockStart(int blockNumber) const
{
    // Each break before the block counted once in the widget: twice for a line break,
    // not at all for a piece boundary.
    return m_doc->findBlockByNumber(blockNumber).position() + blockNumber - 2 * m_soft.countBefore(blockNumber);
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
    return b.position() + std::min(pos - blockStart(lo), b.length() - 1);
}

int TextPieces::fromDocPos(int docPos) const
{
    const QTextBlock b = m_doc->findBlock(docPos);
    const int n = b.isValid() ? b.blockNumber() : m_doc->blockCount() - 1;
    return docPos + n - 2 * m_soft.countBefore(n);
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
    return m_doc->characterCount() - 1 + (m_doc->blockCount() - 1) - 2 * m_soft.size();
}

QString TextPieces::joinBlocks(QStringView raw, int firstBlock, bool crlf) const
{
    return CrLf::joinDocBlocks(raw, m_soft.blocks(), firstBlock, crlf);
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
    return m_soft.size() == 0 ? CrLf::fromDocText(raw) : joinBlocks(raw, 0, true);
}

DocTextCopy TextPieces::copy() const
{
    return {m_doc->toRawText(), m_soft.blocks(), false, {}, 0};
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
    return m_doc->blockCount() - m_soft.size();
}

int TextPieces::lineAt(int pos) const
{
    const int docPos = toDocPos(std::clamp(pos, 0, textLength()));
    return m_soft.lineOfBlock(m_doc->findBlock(docPos).blockNumber());
}

int TextPieces::lineStart(int line) const
{
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
    std::vector<int> soft;
    const QString docText = LinePieces::split(lf, soft);
    if (beforeInsert)
        beforeInsert(int(lines));
    m_doc->setPlainText(docText);
    m_soft.assign(std::move(soft));
    m_blockCount = m_doc->blockCount();
    return change;
}

bool TextPieces::replace(int docFrom, int docTo, const QString &text, TextChange &change, int &caretDoc,
                         const QString *wholeText)
{
    if (docTo < docFrom)
        std::swap(docFrom, docTo);
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
        m_soft.replace(firstBlock, lastBlock - firstBlock + 1, int(text.count(u'\n')) + 1, soft);
        m_blockCount = m_doc->blockCount();
    };
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
        if (shortEnds && (LinePieces::split(lf, soft), soft.empty())) {
            put(docFrom, docTo, lf, {});
            caretDoc = c.position();
            return true;
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
    const QString pieced = LinePieces::split(content, soft);
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
    // Never a boundary after the last block.
    if (m_soft.size() > 0 && m_soft.blocks().back() >= blocks - 1) {
        std::vector<int> kept = m_soft.blocks();
        kept.erase(std::lower_bound(kept.begin(), kept.end(), blocks - 1), kept.end());
        m_soft.assign(std::move(kept));
    }
    m_blockCount = blocks;
}
