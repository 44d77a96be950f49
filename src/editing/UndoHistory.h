#pragma once
#include "common/TextChange.h"
#include <QString>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

// The undo history of one document. It behaves like a ring of 100 full-text
// snapshots with their caret positions (the oldest state included), but stores
// the changes between states, so a keystroke costs nothing in proportion to the
// document's size. Changes made between beginGroup and endGroup (a command that
// edits several places) make one state: one undo step takes them all back.
class UndoHistory {
public:
    static constexpr int Capacity = 100;

    // One edit the editor must make: replace removeLength characters at pos by insert.
    struct Edit {
        int pos = 0;
        int removeLength = 0;
        QString insert;
    };
    // What the editor must do to reach another state: the edits in order, then
    // the caret at caret.
    struct Step {
        std::vector<Edit> edits;
        int caret = 0;
    };

    // Forget everything: the current text with this caret is the only state.
    void reset(int caret);
    // A new state after change, with the caret after it; newer states are dropped
    // and the oldest one falls out once there are more than Capacity. Inside a
    // group the change joins the group's state instead.
    void record(TextChange change, int caretAfter);

    // Groups nest; the outermost endGroup closes the state.
    void beginGroup();
    void endGroup();
    bool inGroup() const { return m_groupDepth > 0; }

    // Stores the last recorded change of the newest state in a smaller form: its
    // inserted text is its removed text with each span (offset into removed,
    // length) replaced by replacement, as a replace-all makes it. Rebuilt when a
    // redo needs it. False, and nothing changes, when that does not give the
    // inserted text exactly.
    using Spans = std::vector<std::pair<int, int>>;
    bool compactLast(Spans spans, const QString &replacement);

    bool canUndo() const { return m_current > 0; }
    bool canRedo() const { return m_current + 1 < int(m_states.size()); }
    std::optional<Step> undo();
    std::optional<Step> redo();

    int stateCount() const { return int(m_states.size()); }
    int currentIndex() const { return m_current; }
    // A number no other state of this history ever had: the document compares it
    // with the one it saved to tell whether undo brought the saved text back.
    quint64 currentId() const { return m_states[m_current].id; }
    // Bytes held by the stored changes.
    qsizetype memoryBytes() const { return m_bytes; }

private:
    // A change whose inserted text is kept as spans of its removed text.
    struct SpanForm {
        Spans spans;
        QString replacement;
        int insertedLength = 0;
    };
    struct Recorded {
        TextChange change;                // change.inserted is empty while spans holds it
        std::shared_ptr<const SpanForm> spans;
        int insertedLength() const { return spans ? spans->insertedLength : int(change.inserted.size()); }
        QString inserted() const;
    };
    struct State {
        // Turn the previous state into this one, in order (none for the oldest).
        std::vector<Recorded> changes;
        int caret = 0;
        quint64 id = 0;
    };
    static qsizetype sizeOf(const Recorded &r);
    static qsizetype sizeOf(const State &s);
    void push(State state);

    std::deque<State> m_states{State{}};
    int m_current = 0;
    qsizetype m_bytes = 0;
    int m_groupDepth = 0;
    quint64 m_lastId = 0;
    bool m_groupOpen = false;  // the current group already has its state
};
