#include "app/StartUp.h"
#include "app/AppCommands.h"
#include "app/AppPaths.h"
#include "app/CommandLine.h"
#include "app/AppState.h"
#include "app/CommandRegistry.h"
#include "app/MainFrame.h"
#include "app/SettingsFile.h"
#include "app/TagsInstall.h"
#include "app/ViewSettings.h"
#include "editing/DocWindow.h"
#include "files/FileCommands.h"
#include "files/OpenPaths.h"
#include "files/ProjectCommands.h"
#include "lang/LanguageLoader.h"
#include "platform/Dialogs.h"
#include "tags/TagCommands.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <csignal>

namespace StartUp {

void prepareProcess()
{
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

Hooks &hooks()
{
    static Hooks h;
    return h;
}

namespace {
QString settingsPath()
{
    return app().settings.ConfigFolder + QStringLiteral("kodoplet.ini");
}

QString viewSettingsPath()
{
    return app().settings.ConfigFolder + ViewSettings::fileName();
}
}

frmMain *MainM(const QString &executableFolder)
{
    return MainM(executableFolder, CommandLine());
}

frmMain *MainM(const QString &executableFolder, const CommandLine &line)
{
    AppState &a = app();
    SettingsFile::initDefaults(a.settings, executableFolder);
    AppPaths::resolve(AppPaths::probe(a.settings.ProgramFolder)).applyTo(a.settings);
    a.project.setSeparator(a.settings.PathSeparator);
    SettingsFile::read(settingsPath(), a.settings);

    a.listTags.set(a.settings.ListTagsChecked);
    ViewSettings view;
    view.read(viewSettingsPath());
    a.highlighting.set(view.Highlighting);
    a.lineNumbers.set(view.LineNumbers);
    a.statusBar.set(view.StatusBar);
    auto *frame = new frmMain;
    if (a.dialogs)
        a.dialogs->setParentWidget(frame);
    a.messenger = std::make_unique<Messenger>(a.lang, *a.dialogs);
    a.tagCommands = TagsInstall::make(a);
    frame->setChecked(QStringLiteral("mnuOptionsToolbar"), a.settings.ToolbarChecked);
    AppCommands::install(frame->commands());
    frame->queryUnload = [] {
        AppState &a = app();
        if (a.docs.OpenDocCount > 0 && ProjectCommands::ProektClos() == 1)
            return true;
        return !SaveFileINIM();
    };
    frame->showProjectWindow = [] { ProjectCommands::ProektListFile_Click(); };

    QObject::connect(frame, &frmMain::filesDropped, frame, &OpenPaths::openDropped, Qt::QueuedConnection);

    LoadDataM(line.project);

    frame->setChecked(QStringLiteral("mnuEditPerenosWord"), a.settings.WrapMode == 0);
    frame->show();
    openCommandLineFiles(line);
    if (DocWindow *d = a.docs.active())
        d->focusView();
    return frame;
}

void openCommandLineFiles(const CommandLine &line)
{
    AppState &a = app();
    // The empty page start-up made for a new project: named files take its place.
    const std::vector<DocWindow *> open = a.docs.open();
    DocWindow *startPage = open.size() == 1 ? open.front() : nullptr;
    const auto untouched = [](const DocWindow *d) {
        return !d->UnloadDoc && d->NameFile.isEmpty() && d->IzmT == IzmTStates::Unchanged;
    };
    if (startPage && !untouched(startPage))
        startPage = nullptr;
    OpenPaths::openDocuments(line.documents, false);
    if (startPage && untouched(startPage) && a.docs.OpenDocCount > 1)
        FileCommands::CloseDocument(startPage);
}

void requestExit()
{
    static bool exiting = false;
    // The exit's own questions are open: the user's answers decide.
    if (exiting)
        return;
    if (QWidget *modal = QApplication::activeModalWidget()) {
        // A modal window (a question, a file or tag dialog, the language chooser)
        // holds no document text, and cancelling it is always safe.
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        QTimer::singleShot(250, qApp, [] { requestExit(); });
        return;
    }
    QWidget *frame = app().ownerWindow();
    if (!frame || !frame->isVisible()) {
        // Still starting: the frame comes up first.
        QTimer::singleShot(250, qApp, [] { requestExit(); });
        return;
    }
    exiting = true;
    frame->close();
    exiting = false;
}

void LoadDataM(const QString &commandLineProject)
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
    if (!commandLineProject.isEmpty()) {
        // Named by the user: a file that cannot be read is reported.
        a.CommandMode = CommandModes::Neutral;
        loaded = ProjectCommands::ProektLoad(commandLineProject);
        if (loaded && a.project.count() > 0)
            a.CommandMode = CommandModes::ShowProjectWindow;
    }
    if (!loaded && !a.settings.ProjectPath.isEmpty()) {
        a.CommandMode = CommandModes::StartUpLoad;
        loaded = h.loadProject ? h.loadProject() : ProjectCommands::ProektLoad(a.settings.ProjectPath);
        if (a.CommandMode == CommandModes::StartUpLoad)
            a.CommandMode = CommandModes::Neutral;
    }
    if (!loaded && a.CommandMode == CommandModes::Neutral)
        ProjectCommands::ProektNewM();

    a.tagCommands->buildCatalogue();
}

bool SaveFileINIM()
{
    AppState &a = app();
    a.CommandMode = CommandModes::Exiting;
    const bool unloaded = hooks().unloadProjectWindow ? hooks().unloadProjectWindow()
                                                      : ProjectCommands::unloadProjectWindow();
    if (!unloaded) {
        a.CommandMode = CommandModes::Neutral;
        return false;
    }
    if (a.commands)
        a.settings.ToolbarChecked = a.commands->isChecked(QStringLiteral("mnuOptionsToolbar"));
    a.settings.ListTagsChecked = a.listTags.value();
    // An installed copy keeps them in a folder that may not be there yet; one
    // that cannot be made fails the writes below, which say so.
    AppPaths::ensureFolder(a.settings.ConfigFolder);
    if (const int error = SettingsFile::write(settingsPath(), a.settings))
        FileCommands::showSaveError(settingsPath(), error);
    ViewSettings view;
    view.Highlighting = a.highlighting.value();
    view.LineNumbers = a.lineNumbers.value();
    view.StatusBar = a.statusBar.value();
    if (const int error = view.write(viewSettingsPath()))
        FileCommands::showSaveError(viewSettingsPath(), error);
    if (a.quit)
        a.quit();
    return true;
}

} // namespace StartUp
