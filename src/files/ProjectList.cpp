#include "files/ProjectList.h"

void ProjectList::entryOf(const QString &path, QString &shortName, QString &key, bool &hasFolder) const
{
    // A separator anywhere, the first character included ("/a.htm"), means a folder.
    const qsizetype p = path.lastIndexOf(m_sep);
    hasFolder = p >= 0;
    shortName = hasFolder ? path.mid(p + m_sep.size()) : path;
    key = shortName + path;
}

int ProjectList::FindFile(const QString &path)
{
    QString shortName, key;
    bool hasFolder = false;
    entryOf(path, shortName, key, hasFolder);
    const int i = rowOf(key);
    if (i < 0 && hasFolder)
        IzmProekt = true;
    return i;
}

void ProjectList::AddFile(const QString &path)
{
    if (FindFile(path) != -1)
        return;
    QString shortName, key;
    bool hasFolder = false;
    entryOf(path, shortName, key, hasFolder);
    m_rows.insert(key, int(m_keys.size()));
    m_names.append(shortName);
    m_keys.append(key);
    changed();
}

void ProjectList::DeleteFile(const QString &path)
{
    QString shortName, key;
    bool hasFolder = false;
    entryOf(path, shortName, key, hasFolder);
    const int k = rowOf(key);
    if (k < 0)
        return;
    // Removing a real file changes the saved project; removing an untitled name does not.
    if (isFile(k))
        IzmProekt = true;
    m_keys.removeAt(k);
    m_names.removeAt(k);
    m_rows.remove(key);
    for (int &row : m_rows)
        if (row > k)
            --row;
    changed();
}

void ProjectList::rename(const QString &oldName, const QString &newName)
{
    QString oldShort, oldKey;
    bool oldFolder = false;
    entryOf(oldName, oldShort, oldKey, oldFolder);
    const int k = rowOf(oldKey);
    if (k < 0)
        return;
    QString newShort, newKey;
    bool newFolder = false;
    entryOf(newName, newShort, newKey, newFolder);
    if (newKey == oldKey)
        return;
    if (rowOf(newKey) >= 0) {
        DeleteFile(oldName);
        return;
    }
    if (isFile(k) || newFolder)
        IzmProekt = true;
    m_rows.remove(oldKey);
    m_rows.insert(newKey, k);
    m_names[k] = newShort;
    m_keys[k] = newKey;
    changed();
}

void ProjectList::clear()
{
    if (m_keys.isEmpty())
        return;
    m_keys.clear();
    m_names.clear();
    m_rows.clear();
    changed();
}

QString ProjectList::fullPath(int i) const
{
    if (i < 0 || i >= m_keys.size())
        return {};
    const QString full = m_keys[i].mid(m_names[i].size());
    return full.size() > m_names[i].size() ? full : QString();
}

QString ProjectList::openName(int i) const
{
    if (i < 0 || i >= m_keys.size())
        return {};
    return m_keys[i].mid(m_names[i].size());
}
