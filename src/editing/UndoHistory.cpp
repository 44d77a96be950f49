#include "editing/UndoHistory.h"

namespace {

// removed with each span replaced by replacement; spans are in order and apart.
QString rebuild(const QString &removed, const UndoHistory::Spans &spans, const QString &replacement,
                qsizetype length)
{
    QString out;
    out.reserve(length);
    qsizetype done = 0;
    for (const auto &[offset, len] : spans) {
        out.append(QStringView(removed).sliced(done, offset - done));
        out.append(replacement);
        done = offset + len;
    }
    out.append(QStringView(removed).sliced(done));
    return out;
}

} // namespace

QString UndoHistory::Recorded::inserted() const
{
    return spans ? rebuild(change.removed, spans->spans, spans->replacement, spans->insertedLength)
                 : change.inserted;
}

qsizetype UndoHistory::sizeOf(const Recorded &r)
{
    qsizetype n = (r.change.removed.size() + r.change.inserted.size()) * 2 + 16;
    if (r.spans)
        n += qsizetype(r.spans->spans.size()) * qsizetype(sizeof(std::pair<int, int>)) + r.spans->replacement.size() * 2;
    return n;
}

qsizetype UndoHistory::sizeOf(const State &s)
{
    qsizetype n = 0;
    for (const Recorded &r : s.changes)
        n += sizeOf(r);
    return n;
}

bool UndoHistory::compactLast(Spans spans, const QString &replacement)
{
    if (m_current == 0 || m_current + 1 != int(m_states.size()) || m_states[m_current].changes.empty())
        return false;
    Recorded &r = m_states[m_current].changes.back();
    if (r.spans)
        return false;
    const QString &removed = r.change.removed;
    qsizetype length = removed.size();
    qsizetype done = 0;
    for (const auto &[offset, len] : spans) {
        if (offset < done || len < 0 || offset + qsizetype(len) > removed.size())
            return false;
        done = offset + qsizetype(len);
        length += replacement.size() - len;
    }
    if (length != r.change.inserted.size() || rebuild(removed, spans, replacement, length) != r.change.inserted)
        return false;
    m_bytes -= sizeOf(r);
    spans.shrink_to_fit();
    r.spans = std::make_shared<const SpanForm>(SpanForm{std::move(spans), replacement, int(length)});
    r.change.inserted = QString();
    m_bytes += sizeOf(r);
    return true;
}

void UndoHistory::reset(int caret)
{
    m_states.clear();
    m_states.push_back(State{{}, caret, ++m_lastId});
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
    state.id = ++m_lastId;
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
        Recorded r{std::move(change), nullptr};
        m_bytes += sizeOf(r);
        s.changes.push_back(std::move(r));
        s.caret = caretAfter;
        return;
    }
    State s;
    s.changes.push_back(Recorded{std::move(change), nullptr});
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
        step.edits.push_back(Edit{it->change.pos, it->insertedLength(), it->change.removed});
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
    for (const Recorded &r : s.changes)
        step.edits.push_back(Edit{r.change.pos, int(r.change.removed.size()), r.inserted()});
    step.caret = s.caret;
    return step;
}
