#include "app/StartUp.h"

#include <functional>
#include "common/CommandNames.h"
#include "app/AppCommands.h"
#include "app/AppPaths.h"
#include "app/CommandLine.h"
#include "app/AppState.h"
#include "app/CommandRegistry.h"
#include "app/DocActivation.h"
#include "app/MainFrame.h"
#include "app/SettingsFile.h"
#include "app/Session.h"
#include "app/TagsInstall.h"
#include "app/ViewSettings.h"
#include "editing/DocWindow.h"
#include "files/FileCommands.h"
#include "files/RecoveryCommands.h"
#include "files/RecoveryKeeper.h"
#include "files/OpenPaths.h"
#include "files/Preview.h"
#include "files/WorkFiles.h"
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

namespace {
// The command groups and who hears what of them.
void wireCommandGroups()
{
    AppState &a = app();
    a.buildCommandGroups();
    LanguageLoader &languages = *a.languages;
    a.files->fileUsed = [](const QString &path) { ViewSettings::addRecent(app().recentFiles, path); };
    languages.reportOpenError = [](const QString &path, int error) { app().files->showOpenError(path, error); };
    languages.openUrl = [](const QString &target) { app().preview->OpURL(target); };
    languages.owner = [] { return app().ownerWindow(); };
    a.projects->commandCaption = [](const QString &name) { return app().commandCaption(name); };
    a.projects->exiting = [] { return app().exiting; };
    DocActivation::connectDocumentTable();
    // A language file was loaded: the frame's commands, the project and the
    // untitled documents take the new texts.
    QObject::connect(&a.langChanged, &Announcer::changed, &a.langChanged, [] {
        AppState &a = app();
        if (a.commands)
            a.commands->retranslate(a.languages->lastData(), a.lang);
        a.projects->languageChanged(a.languages->previousDefaultProject());
        a.files->renameUntitled(a.languages->previousUntitled());
    });
}
} // namespace

static void replaceStartPage(const std::function<bool()> &open);

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
    a.closeTags.set(view.CloseTags);
    a.autoIndent.set(view.AutoIndent);
    a.completion.set(view.Completion);
    a.zoom.set(view.Zoom);
    a.reopenPages.set(view.ReopenPages);
    a.recentFiles = view.RecentFiles;
    auto *frame = new frmMain;
    Session::restoreFrame(*frame, view);
    if (a.dialogs) {
        a.dialogs->setParentWidget(frame);
    }
    wireCommandGroups();
    frame->setChecked(QString(Cmd::mnuOptionsToolbar), a.settings.ToolbarChecked);
    AppCommands::install(frame->commands());
    frame->queryUnload = [] {
        AppState &a = app();
        // Taken before the documents close: they open again at the next start.
        const QList<ViewSettings::Page> pages = Session::openPages(a.docs);
        if (a.docs.OpenDocCount > 0 && a.projects->ProektClos() == 1)
            return true;
        a.pagesAtExit = pages;
        return !SaveFileINIM();
    };
    frame->showProjectWindow = [] { app().projects->ProektListFile_Click(); };

    QObject::connect(frame, &frmMain::filesDropped, frame,
                     [](const QStringList &paths) { OpenPaths::openDropped(*app().projects, paths); }, Qt::QueuedConnection);

    Session::installRecentMenu(*frame);

    LoadDataM(line.project);
    // The pages of the last run, after its project: they take the empty start page's place.
    if (a.reopenPages.value() && !view.Pages.isEmpty()) {
        DocWindow *last = nullptr;
        replaceStartPage([&view, &last] { return (last = Session::reopen(*app().files, view.Pages)) != nullptr; });
        // The one active at exit, not the neighbour the start page left to.
        if (last)
            a.docs.requestActivate(last);
    }

    frame->setChecked(QString(Cmd::mnuEditPerenosWord), a.settings.WrapMode == 0);
    if (view.FrameMaximized)
        frame->showMaximized();
    else
        frame->show();
    openCommandLineFiles(line);
    offerRecovery();
    if (DocWindow *d = a.docs.active())
        d->focusView();
    return frame;
}

// The empty page start-up made for a new project gives way to the documents
// open() brings (it says whether it brought any), unless the user touched it.
static void replaceStartPage(const std::function<bool()> &open)
{
    AppState &a = app();
    const std::vector<DocWindow *> docs = a.docs.open();
    DocWindow *startPage = docs.size() == 1 ? docs.front() : nullptr;
    const auto untouched = [](const DocWindow *d) {
        return !d->UnloadDoc() && d->document()->NameFile().isEmpty() && !d->document()->isModified();
    };
    if (startPage && !untouched(startPage))
        startPage = nullptr;
    if (open() && startPage && untouched(startPage) && a.docs.OpenDocCount > 1)
        a.files->CloseDocument(startPage);
}

void openCommandLineFiles(const CommandLine &line)
{
    replaceStartPage([&line] {
        OpenPaths::openDocuments(*app().projects, line.documents, false, true);
        return true;
    });
}

void openHandedOver(const QStringList &projectThenDocuments)
{
    AppState &a = app();
    QWidget *frame = a.ownerWindow();
    if (projectThenDocuments.isEmpty() || a.exiting)
        return;
    // Still starting, or a question is open: its answer comes first.
    if (!frame || !frame->isVisible() || QApplication::activeModalWidget()) {
        QTimer::singleShot(250, qApp, [projectThenDocuments] { openHandedOver(projectThenDocuments); });
        return;
    }
    const QString project = projectThenDocuments.first();
    if (!project.isEmpty())
        OpenPaths::openProject(*a.projects, project);
    replaceStartPage([&projectThenDocuments] {
        OpenPaths::openDocuments(*app().projects, projectThenDocuments.mid(1), false, true);
        return true;
    });
    frame->setWindowState(frame->windowState() & ~Qt::WindowMinimized);
    frame->show();
    frame->raise();
    frame->activateWindow();
    a.docs.focusActive();
}

void offerRecovery()
{
    replaceStartPage([] { return app().recoveryCommands->offer() > 0; });
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
        a.languages->applyAtStartUp();
    ProjectCommands &projects = *a.projects;
    if (projects.ProjectName.isEmpty())
        projects.ProjectName = a.lang.DefaultProjectName;
    projects.updateCaption();

    bool loaded = false;
    // Named by the user: a file that cannot be read is reported.
    if (!commandLineProject.isEmpty())
        loaded = projects.ProektLoad(commandLineProject);
    // The remembered one: a failure stays silent.
    if (!loaded && !a.settings.ProjectPath.isEmpty())
        loaded = h.loadProject ? h.loadProject() : projects.ProektLoad(a.settings.ProjectPath, true);
    // The start-up timer shows the window of a project with entries.
    a.showProjectWindowAtStart = loaded && a.project.count() > 0;
    if (!loaded)
        projects.ProektNewM();

    a.tagCommands->buildCatalogue();
}

bool SaveFileINIM()
{
    AppState &a = app();
    a.exiting = true;
    const bool unloaded = hooks().unloadProjectWindow ? hooks().unloadProjectWindow()
                                                      : a.projects->unloadProjectWindow();
    if (!unloaded) {
        a.exiting = false;
        return false;
    }
    if (a.commands)
        a.settings.ToolbarChecked = a.commands->isChecked(QString(Cmd::mnuOptionsToolbar));
    a.settings.ListTagsChecked = a.listTags.value();
    // An installed copy keeps them in a folder that may not be there yet; one
    // that cannot be made fails the writes below, which say so.
    WorkFiles::ensureFolder(a.settings.ConfigFolder);
    if (const int error = SettingsFile::write(settingsPath(), a.settings))
        a.files->showSaveError(settingsPath(), error);
    ViewSettings view;
    view.Highlighting = a.highlighting.value();
    view.LineNumbers = a.lineNumbers.value();
    view.StatusBar = a.statusBar.value();
    view.CloseTags = a.closeTags.value();
    view.AutoIndent = a.autoIndent.value();
    view.Completion = a.completion.value();
    view.Zoom = a.zoom.value();
    view.ReopenPages = a.reopenPages.value();
    view.RecentFiles = a.recentFiles;
    if (view.ReopenPages)
        view.Pages = a.pagesAtExit;
    if (auto *frame = qobject_cast<frmMain *>(a.ownerWindow()))
        Session::storeFrame(*frame, view);
    if (const int error = view.write(viewSettingsPath()))
        a.files->showSaveError(viewSettingsPath(), error);
    // The records of the documents just closed go before the process does.
    if (a.recovery)
        a.recovery->flush();
    if (a.quit)
        a.quit();
    return true;
}

} // namespace StartUp
