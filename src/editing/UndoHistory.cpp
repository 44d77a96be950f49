#include "editing/UndoHistory.h"

void UndoHistory::reset(int caret)
{
    m_states.clear();
    m_states.push_back(State{TextChange{}, caret});
    m_current = 0;
    m_bytes = 0;
}

void UndoHistory::record(TextChange change, int caretAfter)
{
    while (int(m_states.size()) > m_current + 1) {
        m_bytes -= sizeOf(m_states.back().change);
        m_states.pop_back();
    }
    m_bytes += sizeOf(change);
    m_states.push_back(State{std::move(change), caretAfter});
    ++m_current;
    if (int(m_states.size()) > Capacity) {
        m_states.pop_front();
        // The new oldest state needs no change of its own any more.
        m_bytes -= sizeOf(m_states.front().change);
        m_states.front().change = TextChange{};
        m_bytes += sizeOf(m_states.front().change);
        --m_current;
    }
}

std::optional<UndoHistory::Step> UndoHistory::undo()
{
    if (!canUndo())
        return std::nullopt;
    const TextChange &c = m_states[m_current].change;
    Step s{c.pos, int(c.inserted.size()), c.removed, 0};
    --m_current;
    s.caret = m_states[m_current].caret;
    return s;
}

std::optional<UndoHistory::Step> UndoHistory::redo()
{
    if (!canRedo())
        return std::nullopt;
    ++m_current;
    const State &st = m_states[m_current];
    return Step{st.change.pos, int(st.change.removed.size()), st.change.inserted, st.caret};
}
