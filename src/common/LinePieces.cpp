#include "common/LinePieces.h"

namespace {

bool breaksAfter(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'>';
}

// A cut near target, not before lo + 1: after a break opportunity if one is close,
// else at target moved off a surrogate pair or a combining mark.
int cutNear(QStringView s, int lo, int target)
{
    const int floor = std::max(lo + 1, target - LinePieces::PieceSize / 4);
    for (int j = target; j >= floor; --j)
        if (breaksAfter(s[j - 1]))
            return j;
    int cut = target;
    for (int k = 0; k < 16 && cut - 1 > lo && s[cut].isMark(); ++k)
        --cut;
    if (s[cut].isLowSurrogate() && s[cut - 1].isHighSurrogate())
        cut = cut - 1 > lo ? cut - 1 : cut + 1;
    return cut;
}

} // namespace

std::vector<int> LinePieces::cuts(QStringView segment)
{
    const int n = int(segment.size());
    std::vector<int> out;
    if (n <= MaxBlock)
        return out;
    int pos = 0;
    for (int remaining = (n + PieceSize - 1) / PieceSize; remaining > 1; --remaining) {
        // Spread what is left evenly, so no piece ends up short.
        const int cut = cutNear(segment, pos, pos + (n - pos) / remaining);
        out.push_back(cut);
        pos = cut;
    }
    return out;
}

QString LinePieces::split(const QString &lfText, std::vector<int> &soft, int firstBlock, std::vector<int> *inner)
{
    const qsizetype size = lfText.size();
    bool anyLong = false;
    for (qsizetype start = 0; start <= size && !anyLong;) {
        qsizetype end = lfText.indexOf(u'\n', start);
        if (end < 0)
            end = size;
        anyLong = end - start > MaxBlock;
        start = end + 1;
    }
    if (!anyLong && !inner)
        return lfText;

    QString out;
    out.reserve(size + (anyLong ? size / PieceSize + 16 : 0));
    int block = firstBlock;
    int groupLines = 0;   // lines and characters of the block being filled
    qsizetype groupChars = 0;
    if (inner)
        inner->push_back(0);
    for (qsizetype start = 0; start <= size;) {
        qsizetype end = lfText.indexOf(u'\n', start);
        if (end < 0)
            end = size;
        const QStringView line = QStringView(lfText).mid(start, end - start);
        if (start > 0) {
            // The break before this line: inside the group, or a new block.
            const qsizetype len = line.size();
            if (inner && groupLines > 0 && groupLines < GroupLines && groupChars + 1 + len <= GroupChars) {
                out += QChar(QChar::LineSeparator);
                ++inner->back();
                ++groupLines;
                groupChars += 1 + len;
            } else {
                out += u'\n';
                ++block;
                if (inner)
                    inner->push_back(0);
                groupLines = 1;
                groupChars = len;
            }
        } else {
            groupLines = 1;
            groupChars = line.size();
        }
        int from = 0;
        const std::vector<int> lineCuts = cuts(line);
        for (int cut : lineCuts) {
            out += line.mid(from, cut - from);
            out += u'\n';
            soft.push_back(block++);
            if (inner)
                inner->push_back(0);
            from = cut;
        }
        out += line.mid(from);
        // A line in pieces shares its block with nothing.
        if (!lineCuts.empty() || line.size() > GroupChars)
            groupLines = GroupLines;
        start = end + 1;
    }
    return out;
}
