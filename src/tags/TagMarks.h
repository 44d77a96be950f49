#pragma once
#include <QObject>
#include <QTimer>

class DocWindow;

// Marks the tag whose name holds the caret and its partner in a page's editor
// (extra selections, no change of the text). It looks a pause after the caret
// last moved, never on the keystroke, and reads at most TagMatch::Reach
// characters each way.
class TagMarks : public QObject {
    Q_OBJECT
public:
    explicit TagMarks(DocWindow *doc);
    static constexpr int Pause = 120;   // ms after the caret moved

    // Marks what the caret is in now (the timer calls it).
    void refresh();

private:
    void clear();

    DocWindow *m_doc;
    QTimer m_timer;
    bool m_shown = false;
};
