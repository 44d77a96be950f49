#include "files/ProjectCommands.h"
#include "app/AppState.h"
#include "app/DocActivation.h"
#include "editing/DocWindow.h"
#include "files/FileCommands.h"
#include "platform/Dialogs.h"

namespace ProjectCommands {

void updateCaption()
{
    AppState &a = app();
    a.frameCaption.set(a.lang.frameCaption(a.ProjectName));
}

int ProektClos()
{
    AppState &a = app();
    for (DocWindow *d : a.docs.open()) {
        // A Save As above may have closed a later window of the same file.
        if (d->UnloadDoc)
            continue;
        if (!FileCommands::QueryCloseDoc(d)) {
            a.docs.requestActivate(d);
            return 1;
        }
        DocActivation::UnloadDocM(d->Tag());
    }
    return 0;
}

bool ProektClear()
{
    AppState &a = app();
    if (a.docs.OpenDocCount > 0 && ProektClos() == 1)
        return false;
    a.ProjectName = a.lang.DefaultProjectName;
    updateCaption();
    a.project.clear();
    return true;
}

void ProektNewM()
{
    AppState &a = app();
    ProektClear();
    if (a.docs.OpenDocCount > 0)
        return;
    a.settings.ProjectPath.clear();
    FileCommands::FileNewM();
}

} // namespace ProjectCommands
