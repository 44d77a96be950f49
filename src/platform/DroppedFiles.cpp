#include "platform/DroppedFiles.h"

#include <QMimeData>
#include <QUrl>

namespace DroppedFiles {

QStringList localFiles(const QMimeData *data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl &url : data->urls())
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            files << url.toLocalFile();
    return files;
}

} // namespace DroppedFiles
