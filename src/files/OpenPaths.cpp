#include "files/OpenPaths.h"
#include "app/AppState.h"
#include "app/CommandLine.h"
#include "files/FileCommands.h"
#include "files/ProjectCommands.h"

namespace OpenPaths {

void openDocuments(const QStringList &paths, bool addToProject)
{
    AppState &a = app();
    // The start-up timer has yet to show the project window of a remembered project.
    const bool showProject = a.CommandMode == CommandModes::ShowProjectWindow;
    for (const QString &path : paths) {
        a.CommandMode = addToProject ? CommandModes::OpenAndAdd : CommandModes::Neutral;
        FileCommands::OpenFileDoc(path, 0);
        a.CommandMode = CommandModes::Neutral;
    }
    if (showProject)
        a.CommandMode = CommandModes::ShowProjectWindow;
}

bool openProject(const QString &path)
{
    AppState &a = app();
    a.CommandMode = CommandModes::Neutral;
    if (!ProjectCommands::ProektLoad(path))
        return false;
    ProjectCommands::ProektListFile_Click();
    return true;
}

void openDropped(const QStringList &paths)
{
    QStringList documents;
    for (const QString &path : paths) {
        if (!CommandLine::isProjectFile(path)) {
            documents << path;
            continue;
        }
        // Documents dropped before the project open before it replaces the
        // current one (whose closing asks about their changes as usual).
        openDocuments(documents);
        documents.clear();
        openProject(path);
    }
    openDocuments(documents);
    app().focusActiveEditor();
}

} // namespace OpenPaths
