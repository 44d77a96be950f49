#pragma once
#include <QObject>
#include <QString>
#include <vector>

class DocWindow;
class Document;

// The document table: every document window by slot. It makes the windows of
// new documents and frees them, and carries the requests of the file and
// project commands to whoever shows the windows (the main frame), so those
// commands never call the frame.
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

    // A new document: the lowest free slot, or a new one at the end, with an
    // empty untitled page in it (unchanged, fresh history). documentCreated
    // announces a new window object, slotOpened every document.
    DocWindow *FileIndex();
    // Frees d's slot: the window leaves the frame and gives its text back.
    void unload(DocWindow *d);

    // Puts the keyboard focus back into the active document's view.
    void focusActive() const;

    void requestShow(DocWindow *d) { emit showRequested(d); }
    void requestActivate(DocWindow *d) { emit activateRequested(d); }

signals:
    // A new window object exists: the owner connects to its requests.
    void documentCreated(DocWindow *d);
    // A slot holds a new document (window new or reused): editor settings go on it.
    void slotOpened(DocWindow *d);
    // The first document opened (true) or the last one closed (false).
    void anyOpenChanged(bool anyOpen);
    // A new or reused document is ready to be shown in the frame.
    void showRequested(DocWindow *d);
    // Bring an open document to the front and make it active.
    void activateRequested(DocWindow *d);
};
