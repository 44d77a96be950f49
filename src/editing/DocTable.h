#pragma once
#include <vector>

class DocWindow;

// The document table: every document window by slot.
struct DocTable {
    std::vector<DocWindow *> DocWindows;  // slots 0..LastDocSlot; a closed slot keeps its object
    int LastDocSlot = 0;                  // highest slot in use
    int OpenDocCount = 0;                 // documents open now
    int ActiveDoc = 0;                    // slot of the active document window

    // The window in slot i, or nullptr.
    DocWindow *slot(int i) const;
    // The active document's window when it is open, else nullptr.
    DocWindow *active() const;
    // Open documents, in slot order.
    std::vector<DocWindow *> open() const;
};
