#include "files/FolderPages.h"

#include <QDir>
#include <algorithm>

namespace FolderPages {

bool isPage(const QString &fileName)
{
    for (const char *ext : {".html", ".htm", ".php"}) {
        const QLatin1String e(ext);
        if (fileName.size() > e.size() && fileName.endsWith(e, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QStringList list(const QString &folder)
{
    // Without QDir::Hidden no dot-file is listed; without QDir::System no
    // broken link or device.
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted);
    names.removeIf([](const QString &n) { return !isPage(n) || n.startsWith(u'.'); });
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

} // namespace FolderPages
