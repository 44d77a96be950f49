#include "files/FolderPages.h"

#include <QDir>

namespace FolderPages {

namespace {
// In the order the pages are listed.
constexpr const char *kExtensions[] = {".html", ".htm", ".php"};

bool hasExtension(const QString &fileName, const char *ext)
{
    const QLatin1String e(ext);
    return fileName.size() > e.size() && fileName.endsWith(e, Qt::CaseInsensitive);
}
}

bool isPage(const QString &fileName)
{
    for (const char *ext : kExtensions)
        if (hasExtension(fileName, ext))
            return true;
    return false;
}

QStringList list(const QString &folder)
{
    // Without QDir::Hidden no dot-file is listed; without QDir::System no
    // broken link or device. Unsorted is the folder's own order.
    const QStringList all = QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted);
    QStringList names;
    for (const char *ext : kExtensions)
        for (const QString &n : all)
            if (!n.startsWith(u'.') && hasExtension(n, ext))
                names << n;
    return names;
}

} // namespace FolderPages
