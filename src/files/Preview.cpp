#include "files/Preview.h"
#include "app/AppPaths.h"
#include "app/AppState.h"
#include "editing/DocWindow.h"
#include "files/FileCommands.h"
#include "files/TextFile.h"
#include "platform/BrowserView.h"
#include "platform/EditControl.h"
#include "platform/Shell.h"

#include <QFile>
#include <QGuiApplication>

namespace Preview {

namespace {
// Writes a preview file of document slot under preferred, or under a free name
// beside it when a file of the user's is there; the name written, or "".
QString writePreviewFile(const QString &preferred, const QString &text, const TextFormat &format, int slot)
{
    WorkFiles &w = app().workFiles;
    const QString path = w.claim(preferred);
    if (path.isEmpty() || !w.write(path, TextFile::encode(TextFile::withFinalLineBreak(text), format), slot))
        return {};
    return path;
}
}

void mnuFileProsmotr_Click()
{
    DocWindow *d = app().docs.active();
    if (!d)
        return;
    if (d->NameFile.isEmpty())
        d->ProsmotrShare();
    else
        ProsmotrM();
}

void ProsmotrM()
{
    AppState &a = app();
    DocWindow *d = a.docs.active();
    if (!d)
        return;
    const bool previewing = !d->editorVisible();
    // The window tells the commands of its new view itself.
    d->showPreview(!previewing);
    if (!previewing) {
        const QString text = d->Rich()->text();
        const QString copy = writePreviewFile(d->AppPathBak, text, d->format, d->Tag());
        if (copy.isEmpty())
            return;
        d->AppPathBak = copy;
        if (!d->Script) {
            if (BrowserView *b = d->WebBrowser())
                b->showFilePage(text, d->AppPathBak);
            return;
        }
        const qsizetype cut = d->AppPathBak.lastIndexOf(a.settings.PathSeparator);
        const QString folder = d->AppPathBak.left(cut + 1);
        const QString page = scriptWrapperPage(d->AppPathBak.mid(cut + 1));
        const QString wrapper = writePreviewFile(folder + QStringLiteral("Script.bak"), page, TextFormat{}, d->Tag());
        if (wrapper.isEmpty())
            return;
        if (BrowserView *b = d->WebBrowser())
            b->showFilePage(page, wrapper);
        return;
    }
    d->LoadHtml(QStringLiteral("<html><body></body></html>"));
    d->focusView();
    d->setWindowTitle(d->txtCaption);
}

void OpURL(const QString &target)
{
    if (app().shell)
        app().shell->open(target);
}

QString SaveFileUrlm(const QString &target)
{
    const QString page = redirectPage(target);
    const QString folder = app().settings.WorkFolder;
    // An installed copy keeps them in its cache folder, made on first use.
    if (!AppPaths::ensureFolder(folder)) {
        FileCommands::showSaveError(folder, TextFile::PathAccess);
        return {};
    }
    // A name that cannot be written gives way to the next number; a folder that
    // refuses every name ends the attempt instead of looping on.
    const QByteArray bytes = TextFile::encode(TextFile::withFinalLineBreak(page), TextFormat{});
    for (int n = 0; n < 100; ++n) {
        // A user's own "0.html" is never overwritten: the next number is tried.
        const QString path = folder + QString::number(n) + QStringLiteral(".html");
        if (app().workFiles.write(path, bytes)) {
            OpURL(path);
            return path;
        }
    }
    return {};
}

} // namespace Preview
