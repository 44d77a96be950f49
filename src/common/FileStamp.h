#pragma once
#include <QByteArray>
#include <QString>

// What the program knows of a document's file on disk: taken when it was loaded
// or last saved, compared before a save and when the folder reports a change,
// so another program's change is noticed even where the modification time alone
// cannot tell (the same size within the file system's time granularity, or a
// replacement that kept the old time).
struct FileStamp {
    bool known = false;    // false: nothing is known (never loaded or saved here)
    bool exists = false;   // the file was there
    qint64 size = 0;
    qint64 mtimeNs = 0;    // modification time, nanoseconds since the epoch
    quint64 inode = 0;
    quint64 device = 0;
    qint64 takenNs = 0;    // when the stamp was taken (same clock)
    QByteArray hash;       // of the content; empty when not known

    // The file's state now (a symbolic link is followed); without a hash.
    static FileStamp of(const QString &path);
    // The file's state with the hash of bytes, the content just read or written.
    static FileStamp of(const QString &path, const QByteArray &bytes);
    // The file's state and the hash of what it holds now (reads it).
    static FileStamp read(const QString &path);
    static QByteArray hashOf(const QByteArray &bytes);
    // A file known to be gone.
    static FileStamp missing();

    // The modification time is too close to when the stamp was taken: a later
    // write in the same time step would leave size and time as they are.
    bool racy() const;
    bool sameMetadata(const FileStamp &o) const
    {
        return exists == o.exists && size == o.size && mtimeNs == o.mtimeNs && inode == o.inode && device == o.device;
    }
};

enum class DiskChange {
    Same,      // the file holds what the stamp says (or nothing is known)
    Changed,   // another content, or a file where none was
    Deleted,   // the file is gone
};

// Compares the file at path with what known says; reads the file only when size
// and time cannot decide. now gets the state found (with its hash when it was
// read), which may replace known when the answer is Same.
DiskChange compareWithDisk(const FileStamp &known, const QString &path, FileStamp *now = nullptr);
