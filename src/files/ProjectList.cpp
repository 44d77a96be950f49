#include "files/ProjectList.h"

int ProjectList::FindFile(const QString &path)
{
    // A separator anywhere, the first character included ("/a.htm"), means a folder.
    const qsizetype p = path.lastIndexOf(m_sep);
    const bool hasFolder = p >= 0;
    const QString shortName = hasFolder ? path.mid(p + m_sep.size()) : path;
    const QString key = hasFolder ? shortName + path : path + path;
    for (int i = 0; i < LstFile.size(); ++i)
        if (LstFile[i] == key)
            return i;
    if (hasFolder)
        IzmProekt = true;
    return -1;
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
}

void ProjectList::DeleteFile(const QString &path)
{
    const int k = FindFile(path);
    if (k < 0)
        return;
    // Removing a real file changes the saved project; removing an untitled name does not.
    if (LstFile[k].contains(u':') || isFile(k))
        IzmProekt = true;
    LstFile.removeAt(k);
    LstFileName.removeAt(k);
}

void ProjectList::clear()
{
    LstFile.clear();
    LstFileName.clear();
}

QString ProjectList::fullPath(int i) const
{
    if (i < 0 || i >= LstFile.size())
        return {};
    const QString full = LstFile[i].mid(LstFileName[i].size());
    return full.size() > LstFileName[i].size() ? full : QString();
}
