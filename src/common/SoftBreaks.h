#pragma once
#include <vector>

// The block boundaries of the editor's document that are no line break of the text:
// the numbers, ascending, of the blocks that end where a long line was cut into
// pieces. Keyed by block number, so typing inside a line costs nothing here; a change
// of the number of blocks shifts the entries after it (one integer per piece).
class SoftBreaks {
public:
    void clear() { m_blocks.clear(); }
    void assign(std::vector<int> blocks) { m_blocks = std::move(blocks); }
    const std::vector<int> &blocks() const { return m_blocks; }
    int size() const { return int(m_blocks.size()); }

    bool endsSoft(int block) const;          // block ends at a cut, not a line break
    int countBefore(int block) const;        // cuts at the ends of the blocks before block

    // Real line of a block (0-based; counts line breaks only).
    int lineOfBlock(int block) const { return block - countBefore(block); }
    // First block of a real line; with countBefore of that block in *cutsBefore.
    int firstBlockOfLine(int line, int *cutsBefore = nullptr) const;

    // Blocks [first, first + oldCount) became newCount blocks; newSoft lists, relative
    // to first, which of them end at a cut (all but the last may). The boundary after
    // the last block of the range keeps its kind.
    void replace(int first, int oldCount, int newCount, const std::vector<int> &newSoft);

private:
    std::vector<int> m_blocks;
};
