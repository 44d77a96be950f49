#include "files/FileCommands.h"
#include "app/AppPaths.h"
#include "app/AppState.h"
#include "app/DocActivation.h"
#include "editing/DocWindow.h"
#include "files/TextFile.h"
#include "platform/EditControl.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

namespace FileCommands {

namespace {
struct HourGlass {
    HourGlass() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~HourGlass() { QGuiApplication::restoreOverrideCursor(); }
};

QString shortName(const QString &path)
{
    const qsizetype p = path.lastIndexOf(app().settings.PathSeparator);
    return p < 0 ? path : path.mid(p + 1);
}

void showDoc(DocWindow *d)
{
    app().docs.requestShow(d);
}

using DocActivation::FileIndex;
} // namespace

QString apiOpenSaveM(bool isSave, const QString &initialName, const QList<FileFilter> &filter)
{
    AppState &a = app();
    if (!a.dialogs)
        return {};
    const bool projectDialog = !filter.isEmpty() && filter.first().description.startsWith(projectFilter().first().description.left(5));
    const QString folder = projectDialog ? a.settings.UserFolder : a.settings.LastFolder;
    const QString result = isSave ? a.dialogs->saveFileName(folder, initialName, filter)
                                  : a.dialogs->openFileName(folder, initialName, filter);
    if (result.isEmpty())
        return {};
    if (!projectDialog) {
        const qsizetype p = result.lastIndexOf(a.settings.PathSeparator);
        a.settings.LastFolder = p < 0 ? QString() : result.left(p + 1);
    }
    return result;
}

void showOpenError(const QString &path, int error)
{
    AppState &a = app();
    a.ask(a.fileMenuCaption() + u' ' + path + u' '
              + a.message(error == TextFile::NotFound ? MessageEntry::NotFound : MessageEntry::ReadFailed),
          Dialogs::Critical);
    a.focusActiveEditor();
}

void showSaveError(const QString &path, int error)
{
    AppState &a = app();
    a.ask(a.fileMenuCaption() + u' ' + path + u' '
              + a.message(error == TextFile::PathAccess ? MessageEntry::PathOrAccess : MessageEntry::WriteFailed),
          Dialogs::Critical);
    a.focusActiveEditor();
}

void FileNewM()
{
    AppState &a = app();
    const QString templatePath = a.settings.ConfigFolder + templateName();
    const ReadResult r = TextFile::read(templatePath, 64LL * 1024 * 1024);
    QString text = r.error == 0 ? r.text : QString();
    TextFormat format = r.error == 0 ? r.format : TextFormat{};
    if (text.isEmpty()) {
        text = pageSkeleton(a.lang.NewPageTitle);
        format = TextFormat{};
        // A template that is there but could not be read (not text, too big) is
        // the user's file: the page starts from the skeleton, the file stays.
        if ((r.error == 0 || r.error == TextFile::NotFound) && AppPaths::ensureFolder(a.settings.ConfigFolder))
            TextFile::writeText(templatePath, TextFile::withFinalLineBreak(text), format);
    }
    const int i = FileIndex();
    DocWindow *d = a.docs.slot(i);
    d->format = format;
    d->txtCaption = a.lang.UntitledName + QString::number(i + 1);
    d->setWindowTitle(d->txtCaption);
    a.project.AddFile(d->txtCaption);
    d->Rich()->setText(text);
    d->IzmT = IzmTStates::Unchanged;
    d->Sbros();
    showDoc(d);
}

void NewScriptM()
{
    AppState &a = app();
    const int i = FileIndex();
    DocWindow *d = a.docs.slot(i);
    d->Rich()->setText(newScriptText());
    d->Rich()->setSelStart(NewScriptCaret);
    d->AppPathBak = a.workFiles.privateFolder() + QString::number(i) + QStringLiteral(".js");
    d->txtCaption = a.lang.UntitledName + QString::number(i + 1);
    d->setWindowTitle(d->txtCaption);
    a.project.AddFile(d->txtCaption);
    d->IzmT = IzmTStates::Unchanged;
    d->Script = true;
    d->Sbros();
    showDoc(d);
}

void FileOpenM(bool isScript)
{
    AppState &a = app();
    const QString path = apiOpenSaveM(false, QString(), isScript ? scriptFilter() : htmlFilter());
    if (path.isEmpty())
        return;
    if (a.CommandMode == CommandModes::OpenAndAdd) {
        OpenFileDoc(path, 0);
        if (a.CommandMode >= 0 && isScript)
            if (DocWindow *d = a.docs.slot(a.CommandMode))
                d->Script = true;
        a.CommandMode = CommandModes::Neutral;
    } else {
        a.project.AddFile(path);
    }
}

int FindDocByFile(const QString &path)
{
    return app().docs.findByFile(path);
}

void OpenFileDoc(const QString &path, int quiet)
{
    AppState &a = app();
    const int k = FindDocByFile(path);
    if (k >= 0) {
        if (quiet == 0)
            a.docs.requestActivate(a.docs.slot(k));
        return;
    }
    ReadResult r;
    {
        HourGlass wait;
        r = TextFile::read(path);
    }
    if (r.error != 0) {
        showOpenError(path, r.error);
        return;
    }
    HourGlass wait;
    const int n = FileIndex();
    DocWindow *d = a.docs.slot(n);
    d->IzmT = IzmTStates::ProgramChange;
    d->format = r.format;
    d->Rich()->setText(r.text);
    r.text.clear();
    const QString name = shortName(path);
    d->txtCaption = name;
    d->setWindowTitle(name);
    if (a.CommandMode == CommandModes::OpenAndAdd)
        a.project.AddFile(path);
    d->NameFile = path;
    d->AppPathBak = path + QStringLiteral("0");
    if (name.right(2).toLower() == QLatin1String("js"))
        d->Script = true;
    d->IzmT = IzmTStates::Unchanged;
    d->Sbros();
    showDoc(d);
    a.CommandMode = n;
}

bool FileSave(int index, const QString &path)
{
    AppState &a = app();
    DocWindow *d = a.docs.slot(index);
    if (!d)
        return false;
    int error;
    {
        HourGlass wait;
        error = TextFile::writeText(path, TextFile::withFinalLineBreak(d->Rich()->text()), d->format);
    }
    if (error != 0) {
        showSaveError(path, error);
        return false;
    }
    d->IzmT = IzmTStates::Unchanged;
    a.CommandMode = CommandModes::Saved;
    return true;
}

bool FileSaveAs(DocWindow *d)
{
    AppState &a = app();
    if (!d)
        d = a.docs.active();
    if (!d)
        return false;
    const QString ext = d->Script ? QStringLiteral(".js") : QStringLiteral(".htm");
    const QString proposed = d->NameFile.isEmpty() ? d->txtCaption : shortName(d->NameFile);
    QString p = apiOpenSaveM(true, proposed, d->Script ? scriptFilter() : htmlFilter());
    if (p.isEmpty())
        return false;
    if (!p.contains(u'.'))
        p += ext;
    const bool changed = p != d->NameFile;
    if (changed && QFileInfo::exists(p)) {
        const int answer = a.ask(a.fileMenuCaption() + u' ' + p + u' ' + a.message(MessageEntry::FileExists)
                                     + QStringLiteral("\r\n") + a.message(MessageEntry::ReplaceIt),
                                 Dialogs::YesNo);
        a.focusActiveEditor();
        if (answer == Dialogs::No || answer == Dialogs::Cancel)
            return false;
    }
    a.CommandMode = CommandModes::Neutral;
    if (!FileSave(d->Tag(), p))
        return false;
    if (!changed)
        return true;
    // Another window of the file now shows an old text: it closes without a
    // question. One with changes of its own stays open, so they are not lost.
    for (DocWindow *other : a.docs.open()) {
        if (other != d && other->NameFile == p) {
            if (other->IzmT == IzmTStates::Unchanged)
                DocActivation::UnloadDocM(other->Tag());
            break;
        }
    }
    // The project knows an untitled page by its name; the caption may be showing
    // the preview's page title instead.
    if (d->NameFile.isEmpty())
        a.project.DeleteFile(d->txtCaption);
    a.project.AddFile(p);
    d->NameFile = p;
    // The old preview file would be left behind otherwise (only ever one of ours).
    a.workFiles.remove(d->AppPathBak);
    d->AppPathBak = p + QStringLiteral("0");
    d->txtCaption = shortName(p);
    d->setWindowTitle(d->txtCaption);
    return true;
}

bool SaveDocument(DocWindow *d)
{
    if (!d)
        return false;
    return d->NameFile.isEmpty() ? FileSaveAs(d) : FileSave(d->Tag(), d->NameFile);
}

bool QueryCloseDoc(DocWindow *d)
{
    AppState &a = app();
    if (!d || d->UnloadDoc || d->IzmT == IzmTStates::Unchanged)
        return true;
    a.docs.requestActivate(d);
    const int answer = a.ask(a.message(MessageEntry::SaveChanges) + QStringLiteral("\r\n") + d->txtCaption,
                             Dialogs::YesNoCancel);
    a.focusActiveEditor();
    if (answer == Dialogs::Cancel)
        return false;
    // Closing goes on only when the text is safely on disk: a failed or
    // cancelled save keeps the document open rather than losing it.
    if (answer == Dialogs::Yes && !SaveDocument(d)) {
        a.docs.requestActivate(d);
        return false;
    }
    return true;
}

bool CloseDocument(DocWindow *d)
{
    if (!QueryCloseDoc(d))
        return false;
    if (d && !d->UnloadDoc)
        DocActivation::UnloadDocM(d->Tag());
    return true;
}

} // namespace FileCommands
