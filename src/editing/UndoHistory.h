#pragma once
#include "common/TextChange.h"
#include <QString>
#include <deque>
#include <optional>

// The undo history of one document. It behaves like a ring of 100 full-text
// snapshots with their caret positions (the oldest state included), but stores
// the changes between states, so a keystroke costs nothing in proportion to the
// document's size.
class UndoHistory {
public:
    static constexpr int Capacity = 100;

    // What the editor must do to reach another state: replace removeLength
    // characters at pos by insert, then put the caret at caret.
    struct Step {
        int pos = 0;
        int removeLength = 0;
        QString insert;
        int caret = 0;
    };

    // Forget everything: the current text with this caret is the only state.
    void reset(int caret);
    // A new state after change, with the caret after it; newer states are dropped
    // and the oldest one falls out once there are more than Capacity.
    void record(TextChange change, int caretAfter);

    bool canUndo() const { return m_current > 0; }
    bool canRedo() const { return m_current + 1 < int(m_states.size()); }
    std::optional<Step> undo();
    std::optional<Step> redo();

    int stateCount() const { return int(m_states.size()); }
    int currentIndex() const { return m_current; }
    // Bytes held by the stored changes.
    qsizetype memoryBytes() const { return m_bytes; }

private:
    struct State {
        TextChange change; // turns the previous state into this one (unused for the oldest)
        int caret = 0;
    };
    static qsizetype sizeOf(const TextChange &c) { return (c.removed.size() + c.inserted.size()) * 2 + 16; }

    std::deque<State> m_states{State{}};
    int m_current = 0;
    qsizetype m_bytes = 0;
};
