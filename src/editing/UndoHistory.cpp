#include "editing/UndoHistory.h"

qsizetype UndoHistory::sizeOf(const State &s)
{
    qsizetype n = 0;
    for (const TextChange &c : s.changes)
        n += sizeOf(c);
    return n;
}

void UndoHistory::reset(int caret)
{
    m_states.clear();
    m_states.push_back(State{{}, caret});
    m_current = 0;
    m_bytes = 0;
    m_groupOpen = false;
}

void UndoHistory::push(State state)
{
    while (int(m_states.size()) > m_current + 1) {
        m_bytes -= sizeOf(m_states.back());
        m_states.pop_back();
    }
    m_bytes += sizeOf(state);
    m_states.push_back(std::move(state));
    ++m_current;
    if (int(m_states.size()) > Capacity) {
        m_states.pop_front();
        // The new oldest state needs no changes of its own any more.
        m_bytes -= sizeOf(m_states.front());
        m_states.front().changes.clear();
        --m_current;
    }
}

void UndoHistory::record(TextChange change, int caretAfter)
{
    if (m_groupDepth > 0 && m_groupOpen && m_current > 0 && m_current + 1 == int(m_states.size())) {
        State &s = m_states[m_current];
        m_bytes += sizeOf(change);
        s.changes.push_back(std::move(change));
        s.caret = caretAfter;
        return;
    }
    State s;
    s.changes.push_back(std::move(change));
    s.caret = caretAfter;
    push(std::move(s));
    m_groupOpen = m_groupDepth > 0;
}

void UndoHistory::beginGroup()
{
    if (m_groupDepth++ == 0)
        m_groupOpen = false;
}

void UndoHistory::endGroup()
{
    if (m_groupDepth > 0 && --m_groupDepth == 0)
        m_groupOpen = false;
}

std::optional<UndoHistory::Step> UndoHistory::undo()
{
    if (!canUndo())
        return std::nullopt;
    const State &s = m_states[m_current];
    Step step;
    step.edits.reserve(s.changes.size());
    for (auto it = s.changes.rbegin(); it != s.changes.rend(); ++it)
        step.edits.push_back(Edit{it->pos, int(it->inserted.size()), it->removed});
    --m_current;
    step.caret = m_states[m_current].caret;
    return step;
}

std::optional<UndoHistory::Step> UndoHistory::redo()
{
    if (!canRedo())
        return std::nullopt;
    ++m_current;
    const State &s = m_states[m_current];
    Step step;
    step.edits.reserve(s.changes.size());
    for (const TextChange &c : s.changes)
        step.edits.push_back(Edit{c.pos, int(c.removed.size()), c.inserted});
    step.caret = s.caret;
    return step;
}
