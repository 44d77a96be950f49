#include "files/ProjectCommands.h"
#include "app/AppState.h"
#include "app/CommandRegistry.h"
#include "app/DocActivation.h"
#include "editing/DocWindow.h"
#include "files/FileCommands.h"
#include "files/ProjectFile.h"
#include "files/frmOpenAllFile.h"
#include "files/frmProekt.h"
#include "platform/Dialogs.h"

#include <QFileInfo>
#include <QPointer>

namespace ProjectCommands {

namespace {
constexpr int RemoveFileEntry = 103;
constexpr int AllFilesOpenedEntry = 99;

QPointer<frmProekt> g_proekt;

// ".wpr" goes on a name typed without any extension (a dot in a folder name
// does not count: the extension belongs to the file name).
QString withProjectExtension(const QString &path)
{
    const qsizetype p = path.lastIndexOf(app().settings.PathSeparator);
    return path.mid(p + 1).contains(u'.') ? path : path + QStringLiteral(".wpr");
}
} // namespace

void updateCaption()
{
    AppState &a = app();
    a.frameCaption.set(a.lang.frameCaption(a.ProjectName));
    if (g_proekt)
        g_proekt->showProjectName();
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
    if (a.project.IzmProekt) {
        const int answer = a.ask(a.message(MessageEntry::SaveProject), Dialogs::YesNoCancel);
        a.focusActiveEditor();
        if (answer == Dialogs::Cancel)
            return false;
        // Forgetting the changes is only right when the user said No or they are saved.
        if (answer == Dialogs::Yes && !saveProject())
            return false;
        a.project.IzmProekt = false;
    }
    a.ProjectName = a.lang.DefaultProjectName;
    updateCaption();
    a.project.clear();
    return true;
}

void ProektNewM()
{
    AppState &a = app();
    if (!ProektClear())
        return;
    a.settings.ProjectPath.clear();
    FileCommands::FileNewM();
}

bool ProektSav(const QString &path)
{
    AppState &a = app();
    for (DocWindow *d : a.docs.open()) {
        if (d->UnloadDoc)
            continue;
        if (!d->NameFile.isEmpty()) {
            if (d->IzmT > 0)
                FileCommands::FileSave(d->Tag(), d->NameFile);
        } else {
            // An untitled page can only be listed once it has a file.
            a.docs.requestActivate(d);
            FileCommands::FileSaveAs(d);
        }
    }
    if (const int error = ProjectFile::write(path, a.ProjectName, a.project)) {
        FileCommands::showSaveError(path, error);
        return false;
    }
    a.project.IzmProekt = false;
    a.settings.ProjectPath = path;
    return true;
}

bool ProektSavAsM()
{
    AppState &a = app();
    const QString &current = a.settings.ProjectPath;
    const QString proposed = current.isEmpty() ? QString()
                                               : current.mid(current.lastIndexOf(a.settings.PathSeparator) + 1);
    QString p = FileCommands::apiOpenSaveM(true, proposed, FileCommands::projectFilter());
    if (p.isEmpty())
        return false;
    p = withProjectExtension(p);
    if (p != current && QFileInfo::exists(p)) {
        const int answer = a.ask(a.fileMenuCaption() + u' ' + p + u' ' + a.message(MessageEntry::FileExists)
                                     + QStringLiteral("\r\n") + a.message(MessageEntry::ReplaceIt),
                                 Dialogs::YesNo);
        a.focusActiveEditor();
        if (answer != Dialogs::Yes)
            return false;
    }
    return ProektSav(p);
}

bool saveProject()
{
    AppState &a = app();
    return a.settings.ProjectPath.isEmpty() ? ProektSavAsM() : ProektSav(a.settings.ProjectPath);
}

bool ProektLoad(const QString &path)
{
    AppState &a = app();
    ProjectData data;
    if (const int error = ProjectFile::read(path, data)) {
        if (a.CommandMode == CommandModes::StartUpLoad)
            a.CommandMode = CommandModes::Neutral;
        else
            FileCommands::showOpenError(path, error);
        return false;
    }
    const bool startUp = a.CommandMode == CommandModes::StartUpLoad;
    if (!ProektClear())
        return false;
    a.ProjectName = data.name;
    updateCaption();
    ProjectFile::fill(a.project, data);
    if (a.project.count() > 0) {
        // The start-up timer shows the window; Project > Open shows it itself.
        if (startUp)
            a.CommandMode = CommandModes::ShowProjectWindow;
    } else {
        FileCommands::FileNewM();
    }
    a.settings.ProjectPath = path;
    return true;
}

void ProektLoadM()
{
    QString p = FileCommands::apiOpenSaveM(false, QString(), FileCommands::projectFilter());
    if (p.isEmpty())
        return;
    if (ProektLoad(withProjectExtension(p)))
        ProektListFile_Click();
}

void OpenAllFileM()
{
    AppState &a = app();
    a.CommandMode = CommandModes::Neutral;
    const ProjectList entries = a.project;
    for (int i = 0; i < entries.count(); ++i) {
        const QString full = entries.fullPath(i);
        if (!full.isEmpty())
            FileCommands::OpenFileDoc(full, 0);
    }
    a.CommandMode = CommandModes::Neutral;
    a.ask(a.message(AllFilesOpenedEntry), Dialogs::Information);
    a.focusActiveEditor();
}

void ProektRemoveFile_Click()
{
    AppState &a = app();
    DocWindow *d = a.docs.active();
    if (!d)
        return;
    const int answer = a.ask(a.message(RemoveFileEntry), Dialogs::YesNo);
    a.focusActiveEditor();
    if (answer != Dialogs::Yes)
        return;
    // An untitled page leaves the project as it closes.
    if (!d->NameFile.isEmpty())
        a.project.DeleteFile(d->NameFile);
    FileCommands::CloseDocument(d);
}

frmProekt *projectWindow()
{
    AppState &a = app();
    if (!g_proekt && a.ownerWindow())
        g_proekt = new frmProekt(a.ownerWindow());
    return g_proekt;
}

void ProektListFile_Click()
{
    AppState &a = app();
    if (frmProekt *w = projectWindow()) {
        w->load(a.commands ? a.commands->caption(QStringLiteral("ProektListFile")) : QString());
        w->showList();
    }
}

bool unloadProjectWindow()
{
    AppState &a = app();
    if (a.project.IzmProekt) {
        const int answer = a.ask(a.message(MessageEntry::SaveProject), Dialogs::YesNoCancel);
        // The exit stops on Cancel, and on a save that did not happen.
        if (answer == Dialogs::Cancel || (answer == Dialogs::Yes && !saveProject())) {
            a.CommandMode = CommandModes::Neutral;
            return false;
        }
    }
    if (g_proekt) {
        g_proekt->allowClose();
        g_proekt->close();
    }
    return true;
}

void mnuEditOpenAllFile_Click()
{
    AppState &a = app();
    if (!a.ownerWindow())
        return;
    auto *w = new frmOpenAllFile(a.ownerWindow());
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->load(a.commands ? a.commands->caption(QStringLiteral("mnuEditOpenAllFile")) : QString());
    w->open();
}

void install(CommandRegistry &c)
{
    const auto save = [] { saveProject(); };
    const auto saveAs = [] { ProektSavAsM(); };
    c.onCommand(QStringLiteral("mnuFileSaveProekt"), save);
    c.onCommand(QStringLiteral("ProektProektSave"), save);
    c.onCommand(QStringLiteral("mnuFileSaveProektAs"), saveAs);
    c.onCommand(QStringLiteral("ProektProektSaveAs"), saveAs);
    c.onCommand(QStringLiteral("ProektNew"), [] { ProektNewM(); });
    c.onCommand(QStringLiteral("ProektOpen"), [] { ProektLoadM(); });
    c.onCommand(QStringLiteral("ProektOpenAllFile"), [] { OpenAllFileM(); });
    c.onCommand(QStringLiteral("ProektCloseAllFile"), [] { ProektClos(); });
    c.onCommand(QStringLiteral("ProektAddFile"), [] {
        AppState &a = app();
        a.CommandMode = CommandModes::AddOnly;
        FileCommands::FileOpenM(false);
        a.CommandMode = CommandModes::Neutral;
    });
    c.onCommand(QStringLiteral("ProektRemoveFile"), [] { ProektRemoveFile_Click(); });
    c.onCommand(QStringLiteral("ProektListFile"), [] { ProektListFile_Click(); });
    c.onCommand(QStringLiteral("mnuEditOpenAllFile"), [] { mnuEditOpenAllFile_Click(); });
}

} // namespace ProjectCommands
