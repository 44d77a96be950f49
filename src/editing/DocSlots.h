#pragma once
#include <vector>

// Window-free rules of the document table.
namespace DocSlots {

// Where a new document goes. With no document open the table starts again at
// slot 0; otherwise the lowest closed slot up to the last one is reused, else the
// table grows by one.
struct Choice {
    int slot = 0;
    bool resetTable = false;  // forget every slot before using slot 0
};
// closed[i] tells whether slot i (0..lastSlot) holds no open document.
Choice choose(const std::vector<bool> &closed, int openCount);

} // namespace DocSlots
