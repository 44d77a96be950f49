#include "files/Preview.h"
#include "common/Settings.h"
#include "editing/DocTable.h"
#include "editing/DocWindow.h"
#include "files/FileCommands.h"
#include "common/TextFile.h"
#include "files/WorkFiles.h"
#include "platform/BrowserView.h"
#include "platform/EditControl.h"
#include "platform/Shell.h"

#include <QFile>
#include <QGuiApplication>

using namespace PageTexts;

Preview::Preview(FileCommands &files, WorkFiles &workFiles, Settings &settings, Shell &shell)
    : m_files(files), m_docs(files.docs()), m_workFiles(workFiles), m_settings(settings), m_shell(shell)
{
}

QString Preview::writePreviewFile(const QString &preferred, const QString &text, const TextFormat &format, int slot)
{
    const QString path = m_workFiles.claim(preferred);
    if (path.isEmpty() || !m_workFiles.write(path, TextFile::encode(TextFile::withFinalLineBreak(text), format), slot))
        return {};
    return path;
}

void Preview::mnuFileProsmotr_Click()
{
    DocWindow *d = m_docs.active();
    if (!d)
        return;
    if (d->document()->NameFile().isEmpty())
        d->ProsmotrShare();
    else
        ProsmotrM();
}

void Preview::ProsmotrM()
{
    DocWindow *d = m_docs.active();
    if (!d)
        return;
    const bool previewing = !d->editorVisible();
    // The window tells the commands of its new view itself.
    d->showPreview(!previewing);
    if (!previewing) {
        const QString text = d->Rich()->text();
        const QString copy = writePreviewFile(d->document()->AppPathBak(), text, d->document()->format(), d->Tag());
        if (copy.isEmpty())
            return;
        d->document()->setAppPathBak(copy);
        if (!d->document()->Script()) {
            if (BrowserView *b = d->WebBrowser())
                b->showFilePage(text, d->document()->AppPathBak());
            return;
        }
        const qsizetype cut = d->document()->AppPathBak().lastIndexOf(m_settings.PathSeparator);
        const QString folder = d->document()->AppPathBak().left(cut + 1);
        const QString page = scriptWrapperPage(d->document()->AppPathBak().mid(cut + 1));
        const QString wrapper = writePreviewFile(folder + QStringLiteral("Script.bak"), page, TextFormat{}, d->Tag());
        if (wrapper.isEmpty())
            return;
        if (BrowserView *b = d->WebBrowser())
            b->showFilePage(page, wrapper);
        return;
    }
    d->LoadHtml(QStringLiteral("<html><body></body></html>"));
    d->focusView();
    d->showCaption();
}

void Preview::OpURL(const QString &target)
{
    m_shell.open(target);
}

QString Preview::SaveFileUrlm(const QString &target)
{
    const QString page = redirectPage(target);
    const QString folder = m_settings.WorkFolder;
    // An installed copy keeps them in its cache folder, made on first use.
    if (!WorkFiles::ensureFolder(folder)) {
        m_files.showSaveError(folder, TextFile::PathAccess);
        return {};
    }
    // A name that cannot be written gives way to the next number; a folder that
    // refuses every name ends the attempt instead of looping on.
    const QByteArray bytes = TextFile::encode(TextFile::withFinalLineBreak(page), TextFormat{});
    for (int n = 0; n < 100; ++n) {
        // A user's own "0.html" is never overwritten: the next number is tried.
        const QString path = folder + QString::number(n) + QStringLiteral(".html");
        if (m_workFiles.write(path, bytes)) {
            OpURL(path);
            return path;
        }
    }
    return {};
}

