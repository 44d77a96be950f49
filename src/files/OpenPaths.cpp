#include "files/OpenPaths.h"
#include "editing/DocTable.h"
#include "files/FileCommands.h"
#include "files/ProjectCommands.h"
#include "files/ProjectFile.h"

namespace OpenPaths {

void openDocuments(ProjectCommands &projects, const QStringList &paths, bool addToProject, bool missingAsNew)
{
    QList<QPair<QString, int>> failures;
    for (const QString &path : paths)
        projects.files().OpenFileDoc(path, {.addToProject = addToProject, .missingAsNew = missingAsNew, .failures = &failures});
    projects.files().showOpenErrors(failures);
}

bool openProject(ProjectCommands &projects, const QString &path)
{
    if (!projects.ProektLoad(path))
        return false;
    projects.ProektListFile_Click();
    return true;
}

void openDropped(ProjectCommands &projects, const QStringList &paths)
{
    QStringList documents;
    for (const QString &path : paths) {
        if (!ProjectFile::isProjectFile(path)) {
            documents << path;
            continue;
        }
        // Documents dropped before the project open before it replaces the
        // current one (whose closing asks about their changes as usual).
        openDocuments(projects, documents);
        documents.clear();
        openProject(projects, path);
    }
    openDocuments(projects, documents);
    projects.files().docs().focusActive();
}

} // namespace OpenPaths
