#include "common/SoftBreaks.h"

#include <algorithm>

bool SoftBreaks::endsSoft(int block) const
{
    return std::binary_search(m_blocks.begin(), m_blocks.end(), block);
}

int SoftBreaks::countBefore(int block) const
{
    return int(std::lower_bound(m_blocks.begin(), m_blocks.end(), block) - m_blocks.begin());
}

int SoftBreaks::firstBlockOfLine(int line, int *cutsBefore) const
{
    // Block b starts line L when b = L + (cuts before b): the first entry i with
    // m_blocks[i] - i >= L tells how many cuts come before it (non-decreasing in i).
    int lo = 0, hi = size();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (m_blocks[mid] - mid >= line)
            hi = mid;
        else
            lo = mid + 1;
    }
    if (cutsBefore)
        *cutsBefore = lo;
    return line + lo;
}

void SoftBreaks::replace(int first, int oldCount, int newCount, const std::vector<int> &newSoft)
{
    const int oldLast = first + oldCount - 1;
    auto from = std::lower_bound(m_blocks.begin(), m_blocks.end(), first);
    auto to = std::lower_bound(from, m_blocks.end(), oldLast);
    const int shift = newCount - oldCount;
    if (shift != 0)
        for (auto it = to; it != m_blocks.end(); ++it)
            *it += shift;
    std::vector<int> added;
    added.reserve(newSoft.size());
    for (int rel : newSoft)
        added.push_back(first + rel);
    const auto at = m_blocks.erase(from, to);
    m_blocks.insert(at, added.begin(), added.end());
}
