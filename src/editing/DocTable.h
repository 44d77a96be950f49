#pragma once
#include <QObject>
#include <QString>
#include <vector>

class DocWindow;

// The document table: every document window by slot. It also carries the
// requests of the file and project commands to whoever shows the windows (the
// main frame), so those commands never call the frame.
class DocTable : public QObject {
    Q_OBJECT
public:
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
    // Slot of the open document shown for path (its file, or its name while
    // untitled), or -1.
    int findByFile(const QString &path) const;

    // Puts the keyboard focus back into the active document's view.
    void focusActive() const;

    void requestShow(DocWindow *d) { emit showRequested(d); }
    void requestActivate(DocWindow *d) { emit activateRequested(d); }
    void announceCreated(DocWindow *d) { emit documentCreated(d); }

signals:
    // A new window object exists: the owner connects to its requests.
    void documentCreated(DocWindow *d);
    // A new or reused document is ready to be shown in the frame.
    void showRequested(DocWindow *d);
    // Bring an open document to the front and make it active.
    void activateRequested(DocWindow *d);
};
