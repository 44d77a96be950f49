#pragma once
#include <QString>
#include <QStringList>

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
    // listed marks the project changed.
    int FindFile(const QString &path);
    void AddFile(const QString &path);
    void DeleteFile(const QString &path);
    void clear();

    int count() const { return int(LstFileName.size()); }
    // The full path of entry i ("" for an untitled entry).
    QString fullPath(int i) const;
    bool isFile(int i) const { return !fullPath(i).isEmpty(); }

    QStringList LstFileName;  // short names, shown
    QStringList LstFile;      // keys, same order
    bool IzmProekt = false;   // changed since loaded or saved

private:
    QString m_sep;
};
