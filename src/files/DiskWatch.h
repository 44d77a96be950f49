#pragma once
#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>

class DocWindow;
class Document;
class FileCommands;

// Entries of the language file for files changed on disk.
namespace DiskEntry {
constexpr int ChangedBar = 130;     // "%1 was changed by another program."
constexpr int Reload = 131;
constexpr int KeepMine = 132;
constexpr int DeletedBar = 133;     // "%1 was deleted... saving writes the file again."
constexpr int Ok = 134;
constexpr int ReloadedBar = 135;    // "%1 was changed... and has been reloaded. Undo..."
constexpr int ChangedSave = 136;    // save question: changed since...
constexpr int OverwriteIt = 137;    // ...overwrite? No saves elsewhere.
constexpr int DeletedSave = 138;    // save question: deleted...
constexpr int SaveAgain = 139;      // ...save it there again?
}

// Watches the files of the open documents, and their folders (another
// program's atomic save replaces the file, and a watch on a file ends once it
// is renamed or removed). A burst of reports is checked once, a moment after
// it ends. What is found is told in the document's notice bar, never in a
// message box, so many changes at once never pile up questions:
// - changed, the document without unsaved changes: the new text is taken in as
//   one undoable step (the caret keeps its line), and the bar says so;
// - changed, with unsaved changes: the bar offers Reload (the unsaved text
//   stays in the undo history) and Keep mine (the next save overwrites that
//   version without asking again);
// - deleted: said once; the text stays, counts as changed, and a save writes
//   the file again.
// Before a document is written to its own file, beforeSave compares the file
// with what the document knows and asks when another program changed or
// deleted it since.
class DiskWatch : public QObject {
    Q_OBJECT
public:
    explicit DiskWatch(FileCommands &files, QObject *parent = nullptr);

    // How long after the last report of a burst the files are checked, and the
    // longest a check waits while reports keep coming.
    static constexpr int SettleMs = 150;
    static constexpr int MaxWaitMs = 1000;

    enum SaveAnswer { Write, Cancel, Elsewhere };
    // Before d's text goes to its own file: Write when the file is as the
    // document knows it (or the user chose to overwrite it or to write a
    // deleted one again), Elsewhere when the user wants another name.
    SaveAnswer beforeSave(DocWindow *d);

    // Checks every open document against its file now.
    void checkAll();
    // The paths watched now (files and folders).
    QStringList watched() const;

private:
    enum class Notice { None, Changed, Deleted, Reloaded };

    void track(DocWindow *d);
    void sync();
    void requestSync();
    void schedule();
    void check(DocWindow *d);
    bool reloadFromDisk(DocWindow *d);
    void notify(DocWindow *d, Notice n);
    void answered(DocWindow *d, int button);
    QString text(int entry, const QString &path) const;

    FileCommands &m_files;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QElapsedTimer m_burst;                 // since the first report not yet checked
    QHash<DocWindow *, Notice> m_notices;  // what each bar shows now
    QSet<DocWindow *> m_asking;            // a save question is up for these
    QSet<DocWindow *> m_tracked;
    bool m_syncQueued = false;
};
