#include "common/InnerBreaks.h"

#include <algorithm>
#include <numeric>

void InnerBreaks::rebuild() const
{
    const size_t n = m_count.size();
    m_tree.assign(n + 1, 0);
    for (size_t i = 1; i <= n; ++i) {
        m_tree[i] += m_count[i - 1];
        const size_t up = i + (i & (~i + 1));
        if (up <= n)
            m_tree[up] += m_tree[i];
    }
    m_dirty = false;
}

int InnerBreaks::before(int block) const
{
    if (m_total == 0 || block <= 0)
        return 0;
    if (m_dirty)
        rebuild();
    int sum = 0;
    for (size_t i = size_t(std::min(block, blocks())); i > 0; i &= i - 1)
        sum += m_tree[i];
    return sum;
}

void InnerBreaks::set(int block, int count)
{
    if (block < 0 || block >= blocks() || m_count[size_t(block)] == count)
        return;
    const int delta = count - m_count[size_t(block)];
    m_count[size_t(block)] = count;
    m_total += delta;
    if (m_dirty)
        return;
    for (size_t i = size_t(block) + 1; i < m_tree.size(); i += i & (~i + 1))
        m_tree[i] += delta;
}

void InnerBreaks::replace(int first, int oldCount, const std::vector<int> &counts)
{
    first = std::clamp(first, 0, blocks());
    oldCount = std::clamp(oldCount, 0, blocks() - first);
    const auto from = m_count.begin() + first;
    m_total -= std::accumulate(from, from + oldCount, 0);
    m_total += std::accumulate(counts.begin(), counts.end(), 0);
    if (int(counts.size()) == oldCount) {
        std::copy(counts.begin(), counts.end(), from);
    } else {
        m_count.erase(from, from + oldCount);
        m_count.insert(m_count.begin() + first, counts.begin(), counts.end());
    }
    m_dirty = true;
}
