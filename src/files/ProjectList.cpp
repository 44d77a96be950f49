#include "files/ProjectList.h"

int ProjectList::indexOf(const QString &path, bool *hasFolder) const
{
    // A separator anywhere, the first character included ("/a.htm"), means a folder.
    const qsizetype p = path.lastIndexOf(m_sep);
    *hasFolder = p >= 0;
    const QString shortName = *hasFolder ? path.mid(p + m_sep.size()) : path;
    const QString key = *hasFolder ? shortName + path : path + path;
    for (int i = 0; i < LstFile.size(); ++i)
        if (LstFile[i] == key)
            return i;
    return -1;
}

int ProjectList::FindFile(const QString &path)
{
    bool hasFolder = false;
    const int i = indexOf(path, &hasFolder);
    if (i < 0 && hasFolder)
        IzmProekt = true;
    return i;
}

void ProjectList::AddFile(const QString &path)
{
    if (FindFile(path) != -1)
        return;
    const qsizetype p = path.lastIndexOf(m_sep);
    if (p >= 0) {
        LstFileName.append(path.mid(p + m_sep.size()));
        LstFile.append(LstFileName.last() + path);
    } else {
        LstFileName.append(path);
        LstFile.append(path + path);
    }
    changed();
}

void ProjectList::DeleteFile(const QString &path)
{
    bool hasFolder = false;
    const int k = indexOf(path, &hasFolder);
    if (k < 0)
        return;
    // Removing a real file changes the saved project; removing an untitled name does not.
    if (isFile(k))
        IzmProekt = true;
    LstFile.removeAt(k);
    LstFileName.removeAt(k);
    changed();
}

void ProjectList::clear()
{
    if (LstFile.isEmpty())
        return;
    LstFile.clear();
    LstFileName.clear();
    changed();
}

QString ProjectList::fullPath(int i) const
{
    if (i < 0 || i >= LstFile.size())
        return {};
    const QString full = LstFile[i].mid(LstFileName[i].size());
    return full.size() > LstFileName[i].size() ? full : QString();
}

QString ProjectList::openName(int i) const
{
    if (i < 0 || i >= LstFile.size())
        return {};
    return LstFile[i].mid(LstFileName[i].size());
}
