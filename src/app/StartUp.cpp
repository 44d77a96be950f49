#include "app/StartUp.h"
#include "app/AppState.h"
#include "app/MainFrame.h"
#include "app/SettingsFile.h"
#include "editing/ClipboardCommands.h"
#include "editing/DocWindow.h"
#include "editing/EditorOptions.h"
#include "files/FileCommands.h"
#include "files/Preview.h"
#include "files/ProjectCommands.h"
#include "lang/MainFrameCaptions.h"
#include "platform/Dialogs.h"
#include "lang/LanguageLoader.h"
#include "tags/TagCommands.h"

#include <QAction>

namespace StartUp {

Hooks &hooks()
{
    static Hooks h;
    return h;
}

namespace {
QString settingsPath()
{
    return app().settings.ProgramFolder + QStringLiteral("kodoplet.ini");
}
}

void installCommands(frmMain &f)
{
    f.onCommand(QStringLiteral("mnuFileNew"), [] { FileCommands::FileNewM(); });
    f.onCommand(QStringLiteral("mnuFileScriptNew"), [] { FileCommands::NewScriptM(); });
    f.onCommand(QStringLiteral("mnuFileOpen"), [] { app().CommandMode = -1; FileCommands::FileOpenM(false); });
    f.onCommand(QStringLiteral("mnuFileScriptOpen"), [] { app().CommandMode = -1; FileCommands::FileOpenM(true); });
    f.onCommand(QStringLiteral("mnuFileSaveFile"), [] {
        DocWindow *d = app().docs.active();
        if (!d)
            return;
        if (!d->NameFile.isEmpty())
            FileCommands::FileSave(d->Tag(), d->NameFile);
        else
            FileCommands::FileSaveAs();
    });
    f.onCommand(QStringLiteral("mnuFileSaveFileAs"), [] { FileCommands::FileSaveAs(); });
    f.onCommand(QStringLiteral("mnuFileProsmotr"), [] { Preview::mnuFileProsmotr_Click(); });
    f.onCommand(QStringLiteral("mnuEditCut"), [] { ClipboardCommands::Cut(); });
    f.onCommand(QStringLiteral("mnuEditCopy"), [] { ClipboardCommands::Copy(); });
    f.onCommand(QStringLiteral("mnuEditPaste"), [] { ClipboardCommands::Paste(); });
    f.onCommand(QStringLiteral("mnuEditPerenosWord"), [&f] {
        // The check mark follows the setting, not the click.
        f.setChecked(QStringLiteral("mnuEditPerenosWord"), app().settings.WrapMode == 0);
        EditorOptions::ToggleWordWrap();
    });
    f.onCommand(QStringLiteral("mnuEditFont"), [] { EditorOptions::ChangeEditorFont(); });
    f.onCommand(QStringLiteral("ProektCloseAllFile"), [] { ProjectCommands::ProektClos(); });
    f.onCommand(QStringLiteral("ProektNew"), [] { ProjectCommands::ProektNewM(); });
    f.onCommand(QStringLiteral("HelpAbout"), [] {
        app().ask(QStringLiteral("Kodoplet %1\r\nAn editor for hand-written web pages.").arg(QStringLiteral(KODOPLET_VERSION)),
                  Dialogs::Information);
        app().focusActiveEditor();
    });
    f.queryUnload = [] {
        AppState &a = app();
        if (a.docs.OpenDocCount > 0 && ProjectCommands::ProektClos() == 1)
            return true;
        SaveFileINIM();
        return false;
    };
    TagCommands::install(f);
    LanguageLoader::install(f);
}

frmMain *MainM(const QString &executableFolder)
{
    AppState &a = app();
    SettingsFile::initDefaults(a.settings, executableFolder);
    a.project.setSeparator(a.settings.PathSeparator);
    SettingsFile::read(settingsPath(), a.settings);

    auto *frame = new frmMain;
    a.main = frame;
    if (a.dialogs)
        a.dialogs->setParentWidget(frame);
    frame->setChecked(QStringLiteral("mnuOptionsToolbar"), a.settings.ToolbarChecked);
    frame->setChecked(QStringLiteral("mnuOptionsListTags"), a.settings.ListTagsChecked);
    installCommands(*frame);

    LoadDataM();

    frame->setChecked(QStringLiteral("mnuEditPerenosWord"), a.settings.WrapMode == 0);
    frame->show();
    if (DocWindow *d = a.docs.active())
        d->focusView();
    return frame;
}

void LoadDataM()
{
    AppState &a = app();
    Hooks &h = hooks();
    if (h.applyLanguage)
        h.applyLanguage();
    else
        LanguageLoader::applyAtStartUp();
    if (a.ProjectName.isEmpty())
        a.ProjectName = a.lang.DefaultProjectName;
    ProjectCommands::updateCaption();

    bool loaded = false;
    if (!a.settings.ProjectPath.isEmpty() && h.loadProject) {
        a.CommandMode = 21;
        loaded = h.loadProject();
        if (a.CommandMode == 21)
            a.CommandMode = 0;
    }
    if (!loaded && a.CommandMode == 0)
        ProjectCommands::ProektNewM();

    TagCommands::buildCatalogue();
}

void SaveFileINIM()
{
    AppState &a = app();
    a.CommandMode = 99;
    if (hooks().unloadProjectWindow)
        hooks().unloadProjectWindow();
    if (a.main) {
        a.settings.ToolbarChecked = a.main->isChecked(QStringLiteral("mnuOptionsToolbar"));
        a.settings.ListTagsChecked = a.main->isChecked(QStringLiteral("mnuOptionsListTags"));
    }
    if (const int error = SettingsFile::write(settingsPath(), a.settings))
        FileCommands::showSaveError(settingsPath(), error);
    if (a.quit)
        a.quit();
}

} // namespace StartUp
