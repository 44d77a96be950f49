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

QString LinePieces::split(const QString &lfText, std::vector<int> &soft, int firstBlock)
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
    if (!anyLong)
        return lfText;

    QString out;
    out.reserve(size + size / PieceSize + 16);
    int block = firstBlock;
    for (qsizetype start = 0; start <= size;) {
        qsizetype end = lfText.indexOf(u'\n', start);
        if (end < 0)
            end = size;
        const QStringView line = QStringView(lfText).mid(start, end - start);
        int from = 0;
        for (int cut : cuts(line)) {
            out += line.mid(from, cut - from);
            out += u'\n';
            soft.push_back(block++);
            from = cut;
        }
        out += line.mid(from);
        if (end < size) {
            out += u'\n';
            ++block;
        }
        start = end + 1;
    }
    return out;
}
