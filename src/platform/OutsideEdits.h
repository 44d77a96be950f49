#pragma once
#include <QObject>
#include <QTextCursor>

class QTextDocument;

// Watches a document for changes of its text made past its owner. A syntax
// highlighter's pass, a change of formats or an input method's pre-edit report a
// change of the contents too, but move no cursor: only a change of the text does, and
// it moves the probe kept at the end of the document. Each such change is reported
// once, also when a formatting pass runs inside its own report.
class OutsideEdits : public QObject {
    Q_OBJECT
public:
    explicit OutsideEdits(QTextDocument *doc, QObject *parent = nullptr);

    // The owner's own edits, between begin() and end(), are never reported.
    void begin() { ++m_own; }
    void end() { --m_own; }

signals:
    // The text changed at pos, with added characters there now (pos < 0: not known).
    void changed(int pos, int added);

private:
    void onContentsChanged();

    QTextDocument *m_doc;
    QTextCursor m_probe;
    int m_own = 0;
    bool m_touched = false;    // a cursor moved: the text changed
    bool m_known = false;      // m_pos/m_added hold the range of that change
    int m_pos = 0;
    int m_added = 0;
    int m_revision = -1;       // document revision of the last change reported
};
