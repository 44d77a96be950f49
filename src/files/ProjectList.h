#pragma once
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

// The current project's entries: two parallel lists as the project window shows
// them. For a file the short name is the part after the last separator and the key
// is the short name followed by the full path; for an untitled document both are
// its name (the key is the name twice). A hash from key to row stands beside the
// lists, so finding and adding cost the same for the ten-thousandth entry as for
// the first (a project file of 100,000 lines loads in linear time).
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
    // The entry for oldName takes newName where it stands (an untitled document
    // renamed by a language switch keeps its place). When newName is listed
    // already, the entry for oldName goes; when oldName is not, nothing happens.
    void rename(const QString &oldName, const QString &newName);
    void clear();

    int count() const { return int(m_names.size()); }
    // The full path of entry i ("" for an untitled entry).
    QString fullPath(int i) const;
    bool isFile(int i) const { return !fullPath(i).isEmpty(); }
    // The text that opens entry i: its full path, or the name of an untitled entry.
    QString openName(int i) const;

    const QStringList &LstFileName() const { return m_names; }  // short names, shown
    const QStringList &LstFile() const { return m_keys; }       // keys, same order
    bool IzmProekt = false;   // changed since loaded or saved

    // Called after the entries changed (the project window follows it).
    std::function<void()> onChange;

private:
    // The short name and key of path; hasFolder tells a file from an untitled name.
    void entryOf(const QString &path, QString &shortName, QString &key, bool &hasFolder) const;
    int rowOf(const QString &key) const { return m_rows.value(key, -1); }
    void changed() const { if (onChange) onChange(); }

    QString m_sep;
    QStringList m_names;
    QStringList m_keys;
    QHash<QString, int> m_rows;   // key -> index in the two lists
};
