#include "files/ProjectCommands.h"
#include "common/CommandNames.h"
#include "common/Options.h"
#include "common/Settings.h"
#include "editing/DocTable.h"
#include "editing/DocWindow.h"
#include "files/FileCommands.h"
#include "files/ProjectFile.h"
#include "files/ProjectList.h"
#include "files/frmOpenAllFile.h"
#include "files/frmProekt.h"
#include "lang/LanguageTexts.h"
#include "lang/Messenger.h"
#include "platform/Dialogs.h"

#include <QFileInfo>

namespace {
constexpr int RemoveFileEntry = 103;
constexpr int AllFilesOpenedEntry = 99;
} // namespace

ProjectCommands::ProjectCommands(FileCommands &files, ProjectList &project, Messenger &msg, Settings &settings,
                                 TextOption &frameCaption)
    : m_files(files), m_docs(files.docs()), m_project(project), m_msg(msg), m_settings(settings),
      m_frameCaption(frameCaption)
{
}

ProjectCommands::~ProjectCommands()
{
    delete m_proekt.data();
}

// ".wpr" goes on a name typed without any extension (a dot in a folder name
// does not count: the extension belongs to the file name).
QString ProjectCommands::withProjectExtension(const QString &path) const
{
    const qsizetype p = path.lastIndexOf(m_settings.PathSeparator);
    return path.mid(p + 1).contains(u'.') ? path : path + QStringLiteral(".wpr");
}


void ProjectCommands::updateCaption()
{
    m_frameCaption.set(m_msg.lang().frameCaption(ProjectName));
    if (m_proekt)
        m_proekt->showProjectName();
}

int ProjectCommands::ProektClos()
{
    for (DocWindow *d : m_docs.open()) {
        // A Save As above may have closed a later window of the same file.
        if (d->UnloadDoc())
            continue;
        if (!m_files.QueryCloseDoc(d)) {
            m_docs.requestActivate(d);
            return 1;
        }
        m_files.UnloadDocM(d);
    }
    return 0;
}

bool ProjectCommands::ProektClear()
{
    if (m_docs.OpenDocCount > 0 && ProektClos() == 1)
        return false;
    if (m_project.IzmProekt) {
        const int answer = m_msg.ask(m_msg.message(MessageEntry::SaveProject), Dialogs::YesNoCancel);
        m_docs.focusActive();
        if (answer == Dialogs::Cancel)
            return false;
        // Forgetting the changes is only right when the user said No or they are saved.
        if (answer == Dialogs::Yes && !saveProject())
            return false;
        m_project.IzmProekt = false;
    }
    ProjectName = m_msg.lang().DefaultProjectName;
    updateCaption();
    m_project.clear();
    return true;
}

void ProjectCommands::ProektNewM()
{
    if (!ProektClear())
        return;
    m_settings.ProjectPath.clear();
    m_files.FileNewM();
}

bool ProjectCommands::ProektSav(const QString &path)
{
    for (DocWindow *d : m_docs.open()) {
        if (d->UnloadDoc())
            continue;
        if (!d->document()->NameFile().isEmpty()) {
            if (d->document()->isModified())
                m_files.FileSave(d, d->document()->NameFile());
        } else {
            // An untitled page can only be listed once it has a file.
            m_docs.requestActivate(d);
            m_files.FileSaveAs(d);
        }
    }
    if (const int error = ProjectFile::write(path, ProjectName, m_project)) {
        m_files.showSaveError(path, error);
        return false;
    }
    m_project.IzmProekt = false;
    m_settings.ProjectPath = path;
    return true;
}

bool ProjectCommands::ProektSavAsM()
{
    const QString &current = m_settings.ProjectPath;
    const QString proposed = current.isEmpty() ? QString()
                                               : current.mid(current.lastIndexOf(m_settings.PathSeparator) + 1);
    QString p = m_files.apiOpenSaveM(true, proposed, PageTexts::projectFilter(m_msg.lang()));
    if (p.isEmpty())
        return false;
    p = withProjectExtension(p);
    if (p != current && QFileInfo::exists(p)) {
        const int answer = m_msg.ask(m_msg.fileMenuCaption() + u' ' + p + u' ' + m_msg.message(MessageEntry::FileExists)
                                     + QStringLiteral("\r\n") + m_msg.message(MessageEntry::ReplaceIt),
                                 Dialogs::YesNo);
        m_docs.focusActive();
        if (answer != Dialogs::Yes)
            return false;
    }
    return ProektSav(p);
}

bool ProjectCommands::saveProject()
{
    return m_settings.ProjectPath.isEmpty() ? ProektSavAsM() : ProektSav(m_settings.ProjectPath);
}

bool ProjectCommands::ProektLoad(const QString &path, bool startUp)
{
    ProjectData data;
    if (const int error = ProjectFile::read(path, data)) {
        if (!startUp)
            m_files.showOpenError(path, error);
        return false;
    }
    if (!ProektClear())
        return false;
    ProjectName = data.name;
    updateCaption();
    ProjectFile::fill(m_project, data);
    // With entries the project window shows them (start-up's timer, or Project >
    // Open itself); without, the user gets a page to write in.
    if (m_project.count() == 0)
        m_files.FileNewM();
    m_settings.ProjectPath = path;
    return true;
}

void ProjectCommands::ProektLoadM()
{
    QString p = m_files.apiOpenSaveM(false, QString(), PageTexts::projectFilter(m_msg.lang()));
    if (p.isEmpty())
        return;
    if (ProektLoad(withProjectExtension(p)))
        ProektListFile_Click();
}

void ProjectCommands::OpenAllFileM()
{
    const ProjectList entries = m_project;
    for (int i = 0; i < entries.count(); ++i) {
        const QString full = entries.fullPath(i);
        if (!full.isEmpty())
            m_files.OpenFileDoc(full);
    }
    m_msg.ask(m_msg.message(AllFilesOpenedEntry), Dialogs::Information);
    m_docs.focusActive();
}

void ProjectCommands::ProektRemoveFile_Click()
{
    DocWindow *d = m_docs.active();
    if (!d)
        return;
    const int answer = m_msg.ask(m_msg.message(RemoveFileEntry), Dialogs::YesNo);
    m_docs.focusActive();
    if (answer != Dialogs::Yes)
        return;
    // An untitled page leaves the project as it closes.
    if (!d->document()->NameFile().isEmpty())
        m_project.DeleteFile(d->document()->NameFile());
    m_files.CloseDocument(d);
}

frmProekt *ProjectCommands::projectWindow()
{
    if (!m_proekt && m_msg.owner())
        m_proekt = new frmProekt(*this, m_msg.owner());
    return m_proekt;
}

void ProjectCommands::ProektListFile_Click()
{
    if (frmProekt *w = projectWindow()) {
        w->load(commandCaption ? commandCaption(QString(Cmd::ProektListFile)) : QString());
        w->showList();
    }
}

bool ProjectCommands::unloadProjectWindow()
{
    if (m_project.IzmProekt) {
        const int answer = m_msg.ask(m_msg.message(MessageEntry::SaveProject), Dialogs::YesNoCancel);
        // The exit stops on Cancel, and on a save that did not happen.
        if (answer == Dialogs::Cancel || (answer == Dialogs::Yes && !saveProject()))
            return false;
    }
    if (m_proekt) {
        m_proekt->allowClose();
        m_proekt->close();
    }
    return true;
}

void ProjectCommands::mnuEditOpenAllFile_Click()
{
    if (!m_msg.owner())
        return;
    auto *w = new frmOpenAllFile(m_files, m_settings, m_msg.owner());
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->load(commandCaption ? commandCaption(QString(Cmd::mnuEditOpenAllFile)) : QString());
    w->open();
}

void ProjectCommands::ProektAddFile_Click()
{
    m_files.FileOpenM(false, false);
}

void ProjectCommands::languageChanged(const QString &oldDefault)
{
    if (ProjectName == oldDefault)
        ProjectName = LanguageTexts::renamedProject(ProjectName, oldDefault, m_msg.lang().DefaultProjectName);
    updateCaption();
}
