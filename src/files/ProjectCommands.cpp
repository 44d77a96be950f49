#include "files/ProjectCommands.h"
#include "app/AppState.h"
#include "app/DocActivation.h"
#include "app/MainFrame.h"
#include "editing/DocWindow.h"
#include "files/FileCommands.h"
#include "platform/Dialogs.h"

namespace ProjectCommands {

void updateCaption()
{
    AppState &a = app();
    if (a.main)
        a.main->setCaption(a.lang.AppTitle + QStringLiteral(" - ") + a.ProjectName);
}

int ProektClos()
{
    AppState &a = app();
    for (DocWindow *d : a.docs.open()) {
        // A Save As above may have closed a later window of the same file.
        if (d->UnloadDoc)
            continue;
        if (d->IzmT > 0) {
            if (a.main)
                a.main->activateDoc(d);
            const int answer = a.ask(a.message(98) + QStringLiteral("\r\n") + d->txtCaption, Dialogs::YesNoCancel);
            if (answer == Dialogs::Cancel) {
                if (a.main)
                    a.main->activateDoc(d);
                return 1;
            }
            if (answer == Dialogs::Yes) {
                // A document whose save failed or was cancelled stays open:
                // closing it would lose the text the user asked to keep.
                const bool saved = d->NameFile.isEmpty() ? FileCommands::FileSaveAs()
                                                         : FileCommands::FileSave(d->Tag(), d->NameFile);
                if (!saved) {
                    if (a.main)
                        a.main->activateDoc(d);
                    return 1;
                }
            }
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
