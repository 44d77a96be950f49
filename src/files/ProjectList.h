#pragma once
#include <QString>
#include <QStringList>
#include <functional>

// The current project's entries: two parallel lists as the project window shows
// them. For a file the short name is the part after the last separator and the key
// is the short name followed by the full path; for an untitled document both are
// its name (the key is the name twice).
class ProjectList {
public:
    explicit ProjectList(QString separator = QStringLiteral("/")) : m_sep(std::move(separator)) {}
    void setSeparator(const QString &sep) { m_sep = sep; }

    // Index of the entry for path, or -1. Paths are compared exactly: file names
    // on this system are case-sensitive. Looking up a real file that is not
    // listed marks the project changed (it is about to be added).
    int FindFile(const QString &path);
    void AddFile(const QString &path);
    // Removes the entry for path; removing a file (not an untitled name) marks
    // the project changed. A path that is not listed changes nothing.
    void DeleteFile(const QString &path);
    void clear();

    int count() const { return int(LstFileName.size()); }
    // The full path of entry i ("" for an untitled entry).
    QString fullPath(int i) const;
    bool isFile(int i) const { return !fullPath(i).isEmpty(); }
    // The text that opens entry i: its full path, or the name of an untitled entry.
    QString openName(int i) const;

    QStringList LstFileName;  // short names, shown
    QStringList LstFile;      // keys, same order
    bool IzmProekt = false;   // changed since loaded or saved

    // Called after the entries changed (the project window follows it).
    std::function<void()> onChange;

private:
    int indexOf(const QString &path, bool *hasFolder) const;
    void changed() const { if (onChange) onChange(); }

    QString m_sep;
};
