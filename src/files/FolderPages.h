#pragma once
#include <QString>
#include <QStringList>

// The web pages of one folder, as Edit > Open all files in folder lists them.
namespace FolderPages {

// Whether a file name is a page: ".html", ".htm" or ".php" in any letter case
// (pages copied from other systems are often ".HTM").
bool isPage(const QString &fileName);

// Names (without folder) of the pages in folder, each once: the ".html" files,
// then the ".htm" files, then the ".php" files, each group in the order the
// folder itself lists them (nothing sorted), so the pages open in that order and
// the last one ends up in front. Only files are listed: no folders, no hidden
// files (a leading dot). A folder that cannot be read lists nothing.
QStringList list(const QString &folder);

} // namespace FolderPages
