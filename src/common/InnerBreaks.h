#pragma once
#include <cstddef>
#include <vector>

// Line breaks held inside the editor's blocks. Short lines are kept several to a
// block, joined by a line separator the widget shows as a line break (one block
// per line costs Qt about 130 bytes, more than two lines of a page themselves).
// This keeps how many such breaks each block holds, and their sums over the
// blocks before any block in logarithmic time. Typing inside a block costs
// nothing here; a change of the number of blocks shifts one integer a block.
class InnerBreaks {
public:
    void clear() { m_count.clear(); m_tree.clear(); m_total = 0; m_dirty = false; }
    int blocks() const { return int(m_count.size()); }

    int at(int block) const { return block >= 0 && block < blocks() ? m_count[std::size_t(block)] : 0; }
    int total() const { return m_total; }
    // Breaks inside the blocks before block.
    int before(int block) const;
    void set(int block, int count);

    // Blocks [first, first + oldCount) became counts.size() blocks with these counts.
    void replace(int first, int oldCount, const std::vector<int> &counts);

private:
    void rebuild() const;

    std::vector<int> m_count;
    mutable std::vector<int> m_tree;   // Fenwick sums of m_count, 1-based
    mutable bool m_dirty = false;
    int m_total = 0;
};
