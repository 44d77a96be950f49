#include "files/FileCommands.h"
#include "common/Settings.h"
#include "files/DiskWatch.h"
#include "editing/DocTable.h"
#include "editing/DocWindow.h"
#include "files/ProjectList.h"
#include "common/TextFile.h"
#include "files/WorkFiles.h"
#include "lang/LanguageTexts.h"
#include "lang/Messenger.h"
#include "platform/EditControl.h"
#include "platform/FreeMemory.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

using namespace PageTexts;


namespace {
struct HourGlass {
    HourGlass() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~HourGlass() { QGuiApplication::restoreOverrideCursor(); }
};
} // namespace

QString FileCommands::shortName(const QString &path) const
{
    const qsizetype p = path.lastIndexOf(m_settings.PathSeparator);
    return p < 0 ? path : path.mid(p + 1);
}

QString FileCommands::apiOpenSaveM(bool isSave, const QString &initialName, const QList<FileFilter> &filter)
{
    Dialogs &dialogs = m_msg.dialogs();
    const bool projectDialog = !filter.isEmpty() && filter.first().pattern == QLatin1String(ProjectPattern);
    const QString folder = projectDialog ? m_settings.UserFolder : m_settings.LastFolder;
    const QString result = isSave ? dialogs.saveFileName(folder, initialName, filter)
                                  : dialogs.openFileName(folder, initialName, filter);
    if (result.isEmpty())
        return {};
    if (!projectDialog) {
        const qsizetype p = result.lastIndexOf(m_settings.PathSeparator);
        m_settings.LastFolder = p < 0 ? QString() : result.left(p + 1);
    }
    return result;
}

void FileCommands::showOpenError(const QString &path, int error)
{
    m_msg.ask(m_msg.fileMenuCaption() + u' ' + path + u' '
                  + m_msg.message(error == TextFile::NotFound ? MessageEntry::NotFound : MessageEntry::ReadFailed),
              Dialogs::Critical);
    m_docs.focusActive();
}

void FileCommands::showOpenErrors(const QList<QPair<QString, int>> &failures)
{
    if (failures.isEmpty())
        return;
    if (failures.size() == 1) {
        showOpenError(failures.first().first, failures.first().second);
        return;
    }
    constexpr int kMaxLines = 25;
    QStringList lines;
    for (qsizetype i = 0; i < failures.size() && i < kMaxLines; ++i)
        lines << failures[i].first + u' '
                     + m_msg.message(failures[i].second == TextFile::NotFound ? MessageEntry::NotFound
                                                                              : MessageEntry::ReadFailed);
    if (failures.size() > kMaxLines)
        lines << QStringLiteral("... (+%1)").arg(failures.size() - kMaxLines);
    m_msg.ask(m_msg.fileMenuCaption() + QStringLiteral("\r\n") + lines.join(QStringLiteral("\r\n")), Dialogs::Critical);
    m_docs.focusActive();
}

void FileCommands::showSaveError(const QString &path, int error)
{
    m_msg.ask(m_msg.fileMenuCaption() + u' ' + path + u' '
                  + m_msg.message(error == TextFile::PathAccess ? MessageEntry::PathOrAccess : MessageEntry::WriteFailed),
              Dialogs::Critical);
    m_docs.focusActive();
}

DocWindow *FileCommands::newDocument(const QString &workFileSuffix)
{
    DocWindow *d = m_docs.FileIndex();
    Document *doc = d->document();
    // An untitled document's working file lives in this run's private folder,
    // never under a name the user could save to.
    doc->setAppPathBak(m_workFiles.privateFolder() + QString::number(d->Tag()) + workFileSuffix);
    doc->setCaption(m_msg.lang().UntitledName + QString::number(d->Tag() + 1));
    m_project.AddFile(doc->txtCaption());
    return d;
}

void FileCommands::FileNewM()
{
    const QString templatePath = m_settings.ConfigFolder + templateName();
    const ReadResult r = TextFile::read(templatePath, 64LL * 1024 * 1024, true);
    QString text = r.error == 0 ? r.text : QString();
    TextFormat format = r.error == 0 ? r.format : TextFormat{};
    if (text.isEmpty()) {
        text = pageSkeleton(m_msg.lang().NewPageTitle);
        format = TextFormat{};
        // A template that is there but could not be read (not text, too big) is
        // the user's file: the page starts from the skeleton, the file stays.
        if ((r.error == 0 || r.error == TextFile::NotFound) && WorkFiles::ensureFolder(m_settings.ConfigFolder))
            TextFile::writeText(templatePath, TextFile::withFinalLineBreak(text), format);
    }
    DocWindow *d = newDocument(QStringLiteral(".bak"));
    d->document()->load(text, format);
    m_docs.requestShow(d);
}

void FileCommands::NewScriptM()
{
    DocWindow *d = newDocument(QStringLiteral(".js"));
    d->document()->setScript(true);
    d->document()->load(newScriptText(), TextFormat{}, NewScriptCaret);
    m_docs.requestShow(d);
}

void FileCommands::FileOpenM(bool isScript, bool openIt)
{
    const QString path = apiOpenSaveM(false, QString(), isScript ? scriptFilter(m_msg.lang()) : htmlFilter(m_msg.lang()));
    if (path.isEmpty())
        return;
    if (openIt)
        OpenFileDoc(path, {.addToProject = true, .quiet = false, .script = isScript});
    else
        m_project.AddFile(path);
}

int FileCommands::FindDocByFile(const QString &path) const
{
    return m_docs.findByFile(path);
}

Document *FileCommands::OpenFileDoc(const QString &path, const OpenOptions &options)
{
    const int k = FindDocByFile(path);
    if (k >= 0) {
        DocWindow *open = m_docs.slot(k);
        if (!options.quiet)
            m_docs.requestActivate(open);
        return open->document();
    }
    const QString name = shortName(path);
    const bool script = options.script || name.right(2).toLower() == QLatin1String("js");
    ReadResult r;
    {
        HourGlass wait;
        r = TextFile::read(path, 512LL * 1024 * 1024, !script);
    }
    const bool asNew = r.error == TextFile::NotFound && options.missingAsNew && !QFileInfo::exists(path);
    if (r.error != 0 && !asNew) {
        if (options.failures)
            options.failures->append({path, r.error});
        else
            showOpenError(path, r.error);
        return nullptr;
    }
    HourGlass wait;
    DocWindow *d = m_docs.FileIndex();
    Document *doc = d->document();
    if (asNew) {
        // Nothing on disk yet: an empty, unchanged document; the watch knows
        // the file is not there, so one written by another program reloads it.
        doc->load(QString(), TextFormat());
        doc->setDiskStamp(FileStamp::missing());
    } else {
        // The window is not shown yet: its editor holds the text until it is
        // first painted, at its final width (Qt lays every line out again on a
        // change of width, keeping an object for each), and a window opened
        // behind others never lays it out.
        doc->load(r.text, r.format);
        doc->setDiskStamp(r.stamp);
    }
    r.text.clear();
    // The file's bytes and its decoded and converted copies are freed by now.
    FreeMemory::releaseLater();
    doc->setCaption(name);
    if (options.addToProject)
        m_project.AddFile(path);
    doc->setNameFile(path);
    doc->setAppPathBak(path + QStringLiteral("0"));
    if (script)
        doc->setScript(true);
    // What a save killed here before left beside the file.
    m_workFiles.removeStaleSaveTemps(path);
    m_docs.requestShow(d);
    if (fileUsed && !asNew)
        fileUsed(path);
    return doc;
}

Document *FileCommands::openUnsavedText(const QString &path, const QString &text, const TextFormat &format, bool script)
{
    DocWindow *d = nullptr;
    if (path.isEmpty()) {
        d = newDocument(script ? QStringLiteral(".js") : QStringLiteral(".bak"));
    } else {
        const int k = FindDocByFile(path);
        d = k >= 0 && !m_docs.slot(k)->document()->isModified() ? m_docs.slot(k) : m_docs.FileIndex();
    }
    Document *doc = d->document();
    doc->setScript(script);
    doc->load(text, format);
    if (!path.isEmpty()) {
        doc->setCaption(shortName(path));
        doc->setNameFile(path);
        doc->setAppPathBak(path + QStringLiteral("0"));
    }
    doc->markChanged();
    m_docs.requestShow(d);
    return doc;
}

bool FileCommands::FileSave(DocWindow *d, const QString &path)
{
    if (!d)
        return false;
    Document *doc = d->document();
    // Another program's change to the file is never overwritten without a question.
    if (m_watch && path == doc->NameFile()) {
        const DiskWatch::SaveAnswer answer = m_watch->beforeSave(d);
        if (answer == DiskWatch::Cancel)
            return false;
        if (answer == DiskWatch::Elsewhere)
            return FileSaveAs(d);
    }
    int error;
    FileStamp stamp;
    {
        HourGlass wait;
        const QByteArray bytes = TextFile::encode(TextFile::withFinalLineBreak(d->Rich()->text()), doc->format());
        error = TextFile::writeSafely(path, bytes);
        if (error == 0)
            stamp = FileStamp::of(path, bytes);
    }
    if (error != 0) {
        showSaveError(path, error);
        return false;
    }
    doc->setDiskStamp(stamp);
    doc->markSaved();
    if (fileUsed)
        fileUsed(path);
    return true;
}

bool FileCommands::FileSaveAs(DocWindow *d)
{
    if (!d)
        d = m_docs.active();
    if (!d)
        return false;
    Document *doc = d->document();
    const QString ext = doc->Script() ? QStringLiteral(".js") : QStringLiteral(".htm");
    const QString proposed = doc->NameFile().isEmpty() ? doc->txtCaption() : shortName(doc->NameFile());
    QString p = apiOpenSaveM(true, proposed, doc->Script() ? scriptFilter(m_msg.lang()) : htmlFilter(m_msg.lang()));
    if (p.isEmpty())
        return false;
    if (!p.contains(u'.'))
        p += ext;
    const bool changed = p != doc->NameFile();
    if (changed && QFileInfo::exists(p)) {
        const int answer = m_msg.ask(m_msg.fileMenuCaption() + u' ' + p + u' ' + m_msg.message(MessageEntry::FileExists)
                                         + QStringLiteral("\r\n") + m_msg.message(MessageEntry::ReplaceIt),
                                     Dialogs::YesNo);
        m_docs.focusActive();
        if (answer == Dialogs::No || answer == Dialogs::Cancel)
            return false;
    }
    if (!FileSave(d, p))
        return false;
    if (!changed)
        return true;
    // Another window of the file now shows an old text: it closes without a
    // question. One with changes of its own stays open, so they are not lost.
    for (DocWindow *other : m_docs.open()) {
        if (other != d && other->document()->NameFile() == p) {
            if (!other->document()->isModified())
                UnloadDocM(other);
            break;
        }
    }
    // The project knows an untitled page by its name; the caption may be showing
    // the preview's page title instead.
    if (doc->NameFile().isEmpty())
        m_project.DeleteFile(doc->txtCaption());
    m_project.AddFile(p);
    doc->setNameFile(p);
    // The old preview file would be left behind otherwise (only ever one of ours).
    m_workFiles.remove(doc->AppPathBak());
    doc->setAppPathBak(p + QStringLiteral("0"));
    doc->setCaption(shortName(p));
    return true;
}

bool FileCommands::SaveDocument(DocWindow *d)
{
    if (!d)
        return false;
    return d->document()->NameFile().isEmpty() ? FileSaveAs(d) : FileSave(d, d->document()->NameFile());
}

bool FileCommands::QueryCloseDoc(DocWindow *d)
{
    if (!d || d->UnloadDoc() || !d->document()->isModified())
        return true;
    m_docs.requestActivate(d);
    const int answer = m_msg.ask(m_msg.message(MessageEntry::SaveChanges) + QStringLiteral("\r\n") + d->document()->txtCaption(),
                                 Dialogs::YesNoCancel);
    m_docs.focusActive();
    if (answer == Dialogs::Cancel)
        return false;
    // Closing goes on only when the text is safely on disk: a failed or
    // cancelled save keeps the document open rather than losing it.
    if (answer == Dialogs::Yes && !SaveDocument(d)) {
        m_docs.requestActivate(d);
        return false;
    }
    return true;
}

bool FileCommands::CloseDocument(DocWindow *d)
{
    if (!QueryCloseDoc(d))
        return false;
    if (d && !d->UnloadDoc())
        UnloadDocM(d);
    return true;
}

void FileCommands::UnloadDocM(DocWindow *d)
{
    if (!d || d->UnloadDoc())
        return;
    // Its preview copy and script wrapper go, but only files this run wrote
    // that still hold what it wrote: a user's own "page.htm0" or "Script.bak" stays.
    m_workFiles.removeAllOf(d->Tag());
    m_workFiles.remove(d->document()->AppPathBak());
    if (d->document()->NameFile().isEmpty())
        m_project.DeleteFile(d->document()->txtCaption());
    m_docs.unload(d);
}


void FileCommands::renameUntitled(const QString &oldName)
{
    const QString &newName = m_msg.lang().UntitledName;
    for (DocWindow *d : m_docs.open()) {
        Document *doc = d->document();
        const QString renamed = LanguageTexts::renamedUntitled(doc->txtCaption(), d->Tag(), !doc->NameFile().isEmpty(),
                                                               oldName, newName);
        if (renamed != doc->txtCaption()) {
            // The project list knows untitled documents by name: the entry keeps its place.
            m_project.rename(doc->txtCaption(), renamed);
            doc->setCaption(renamed);
        }
    }
}
