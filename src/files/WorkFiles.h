#pragma once
#include <QByteArray>
#include <QHash>
#include <QString>
#include <memory>

class QTemporaryDir;

// The files the program writes for itself: preview copies beside documents,
// script wrapper pages, redirect pages and the working files of untitled
// documents. The rule: the program never deletes or overwrites a file it did
// not create itself in this run. A name is used only when it is free or holds a
// file of ours; a file is deleted only while it still holds what we wrote.
class WorkFiles {
public:
    // Makes folder (and its parents) when missing, the folder itself private to
    // the user; false when it is not there afterwards.
    static bool ensureFolder(const QString &folder);

    WorkFiles();
    ~WorkFiles();
    WorkFiles(const WorkFiles &) = delete;
    WorkFiles &operator=(const WorkFiles &) = delete;

    // A private folder of this run for the working files of untitled documents,
    // ending with "/"; made on first use and removed with everything in it when
    // the program ends. "" when no folder can be made.
    QString privateFolder();

    // The name to write instead of preferred: preferred itself when nothing is
    // there or the file there is ours, else the first free (or ours) of
    // preferred + "~1", "~2"... in the same folder, so that relative addresses
    // still resolve against the document's folder. "" when none is free.
    QString claim(const QString &preferred) const;

    // Writes bytes to path when path is free or ours, and remembers the file as
    // ours, belonging to owner (a document's slot, or -1). False when path holds
    // a file that is not ours or the write failed.
    bool write(const QString &path, const QByteArray &bytes, int owner = -1);

    // Deletes path if it is ours and still holds what we wrote; forgets it either way.
    bool remove(const QString &path);
    // remove() for every file of owner.
    void removeAllOf(int owner);

    bool owns(const QString &path) const { return m_files.contains(path); }

    // Recovery records (Recovery.h) are the one kind of our files that outlive a
    // run: their names and contents say they are ours, so the this-run rule does
    // not hold for them. These two keep no state and may run on any thread.
    // Writes atomically (write, flush, fsync, rename); 0 or TextFile's error.
    static int writeRecord(const QString &path, const QByteArray &bytes);
    // Deletes a record file (or a temporary file a killed write left of one).
    static bool removeRecord(const QString &path);
    // A save that was killed leaves its temporary file beside the document: the
    // document's file name, a dot and six letters or digits. Those of docPath
    // (of the file its links lead to) that are older than this run and belong
    // to this user go; nothing else in the folder is touched. The count removed.
    int removeStaleSaveTemps(const QString &docPath) const;
    static bool isSaveTempName(const QString &name, const QString &fileName);

private:
    struct Written {
        QByteArray hash;  // of what we wrote
        qint64 size = 0;
        int owner = -1;
    };
    bool isOursUnchanged(const QString &path) const;

    QHash<QString, Written> m_files;
    qint64 m_startedMs = 0;  // when this run began
    std::unique_ptr<QTemporaryDir> m_private;
};
