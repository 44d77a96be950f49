#pragma once
#include <QString>
#include <QStringList>

class ProjectCommands;

// Files named from outside the program: on its command line or dropped on its
// window. Each takes the same way as when the user picks it in a dialog.
namespace OpenPaths {
// Opens each document as File > Open does, in order: one already open is only
// brought to the front, one that cannot be read gives the open-error message
// (entry 96 or 97; files that cannot be read are reported together in one
// message after the others opened). The last one named ends up active. With
// addToProject the files join the project as File > Open adds them; files named
// on the command line (a file manager's "Open with") leave the project as it is.
// With missingAsNew a name that does not exist opens as a new document under it.
void openDocuments(ProjectCommands &projects, const QStringList &paths, bool addToProject = true,
                   bool missingAsNew = false);
// Opens a project as Project > Open does, then shows the project window. False
// when it was not loaded (reported, or the user kept the current project).
bool openProject(ProjectCommands &projects, const QString &path);
// Dropped files, in the order dropped: a ".wpr" file opens that project, any
// other file opens as a document.
void openDropped(ProjectCommands &projects, const QStringList &paths);
}
