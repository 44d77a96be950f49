#include "app/ResultsCommands.h"
#include "app/AppState.h"
#include "editing/DocWindow.h"
#include "files/FileCommands.h"
#include "search/LinkCheck.h"
#include "platform/Dialogs.h"
#include "platform/EditControl.h"
#include "search/FindInFiles.h"
#include "search/frmFindInFiles.h"
#include "tags/PageCheck.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QTreeWidget>

namespace {

// A worker's progress(done, total), passed on to show on the GUI thread at most
// every 100 ms, and always for the last step.
std::function<void(int, int)> throttledProgress(QObject *receiver, std::function<void(int, int)> show)
{
    auto shown = std::make_shared<QElapsedTimer>();
    shown->start();
    return [receiver, show = std::move(show), shown](int done, int total) {
        if (shown->elapsed() < 100 && done < total)
            return;
        shown->restart();
        QMetaObject::invokeMethod(receiver, [show, done, total] { show(done, total); }, Qt::QueuedConnection);
    };
}

} // namespace

ResultsCommands::ResultsCommands()
{
    m_pool.setMaxThreadCount(1);
    m_filesPool.setMaxThreadCount(1);
}

ResultsCommands::~ResultsCommands()
{
    cancel();
    m_pool.waitForDone();
    m_filesPool.waitForDone();
}

void ResultsCommands::waitForIdle()
{
    m_pool.waitForDone();
    m_filesPool.waitForDone();
}

ResultsPanel *ResultsCommands::panel()
{
    if (!m_panel) {
        auto *frame = qobject_cast<QMainWindow *>(app().ownerWindow());
        m_panel = new ResultsPanel(frame);
        m_panel->setWindowTitle(app().lang.text(TextEntry::Results));
        connect(m_panel, &ResultsPanel::rowActivated, this, &ResultsCommands::jumpTo);
        connect(m_panel, &ResultsPanel::cancelRequested, this, &ResultsCommands::cancel);
        if (frame)
            frame->addDockWidget(Qt::BottomDockWidgetArea, m_panel);
    }
    m_panel->setCancelText(app().lang.text(70));
    return m_panel;
}

void ResultsCommands::CodeCheckPage_Click()
{
    AppState &a = app();
    DocWindow *d = a.docs.active();
    if (!d || !d->editorVisible())
        return;
    const Document *doc = d->document();
    const QString file = doc->NameFile().isEmpty() ? doc->txtCaption() : doc->NameFile();
    // The cheap part of the copy here; the text itself is made on the worker.
    const DocTextCopy copy = d->Rich()->textCopy();
    const int check = ++m_pageCheck;
    m_checking = true;
    ResultsPanel *p = panel();
    p->showProgress(a.lang.text(TextEntry::CheckPage), a.lang.text(TextEntry::CheckingPage), 0, 0);
    p->present();
    m_pool.start([this, copy, file, check] {
        const PageCheckResult r = checkPage(copy.text());
        // Queued to this object: dropped with it should it go first.
        QMetaObject::invokeMethod(this, [this, r, file, check] {
            if (check == m_pageCheck) {
                m_checking = false;
                showPageCheck(file, r);
            }
        }, Qt::QueuedConnection);
    });
}

void ResultsCommands::showPageCheck(const QString &file, const PageCheckResult &r)
{
    const LanguageTexts &t = app().lang;
    QString summary;
    if (r.failed)
        summary = t.text(TextEntry::PageCheckFailed);
    else if (r.clean())
        summary = t.text(TextEntry::NoProblems);
    else
        summary = t.text(TextEntry::ProblemCount).arg(r.errors).arg(r.warnings);
    if (r.dropped > 0)
        summary += QStringLiteral(" (") + t.text(TextEntry::NotListed).arg(r.dropped) + u')';
    QList<ResultRow> rows;
    rows.reserve(r.messages.size());
    for (const PageMessage &m : r.messages) {
        ResultRow row;
        row.file = file;
        row.line = m.line;
        row.column = m.column;
        row.first = t.text(m.level == PageMessage::Error ? TextEntry::LevelError : TextEntry::LevelWarning);
        row.text = m.text;
        rows << row;
    }
    ResultsPanel *p = panel();
    p->setHeaders({t.text(TextEntry::ColumnLevel), t.text(TextEntry::ColumnPlace), t.text(TextEntry::ColumnMessage)});
    p->showRows(t.text(TextEntry::CheckPage).remove(u'&') + u' ' + QFileInfo(file).fileName(), summary, rows);
    p->present();
    emit pageChecked();
}

void ResultsCommands::jumpTo(const ResultRow &row)
{
    AppState &a = app();
    int slot = a.docs.findByFile(row.file);
    if (slot < 0 && QFileInfo(row.file).isFile() && a.files) {
        a.files->OpenFileDoc(row.file);
        slot = a.docs.findByFile(row.file);
    }
    DocWindow *d = slot >= 0 ? a.docs.slot(slot) : nullptr;
    if (!d)
        return;
    a.docs.requestActivate(d);
    if (!d->editorVisible())
        d->showPreview(false);
    EditControl *e = d->Rich();
    // Lines as the gutter counts them; a place past the end of its line or of
    // the text (it changed since) goes to the nearest end.
    const int lines = e->lineCount();
    const int line = qBound(0, row.line - 1, qMax(0, lines - 1));
    const int start = e->lineStart(line);
    const int end = line + 1 < lines ? e->lineStart(line + 1) - 2 : e->textLength();
    const int pos = qBound(start, start + row.column - 1, qMax(start, end));
    e->setSelStart(pos);
    e->setSelLength(qBound(0, row.length, qMax(0, end - pos)));
    e->ensureCursorVisible();
    d->focusView();
}

void ResultsCommands::mnuEditFindInFiles_Click()
{
    AppState &a = app();
    if (!m_find) {
        m_find = new frmFindInFiles(a.ownerWindow(), [](const QString &start) {
            return app().dialogs ? app().dialogs->chooseFolder(start) : QString();
        });
        m_find->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_find, &frmFindInFiles::findRequested, this, [this] { findInFiles(false); });
        connect(m_find, &frmFindInFiles::replaceRequested, this, [this] { findInFiles(true); });
        DocWindow *d = a.docs.active();
        QString folder = d && !d->document()->NameFile().isEmpty() ? QFileInfo(d->document()->NameFile()).absolutePath()
                                                                  : a.settings.LastFolder;
        m_find->FolderText->setText(QDir::toNativeSeparators(folder));
    }
    bool projectFiles = false;
    for (int i = 0; i < a.project.count() && !projectFiles; ++i)
        projectFiles = a.project.isFile(i);
    m_find->load(a.lang, projectFiles);
    if (DocWindow *d = a.docs.active(); d && d->editorVisible()) {
        const QString sel = d->Rich()->selText();
        if (!sel.isEmpty() && !sel.contains(u'\r') && !sel.contains(u'\n'))
            m_find->Text1->setText(sel);
    }
    m_find->show();
    m_find->raise();
    m_find->activateWindow();
    m_find->Text1->setFocus();
    m_find->Text1->selectAll();
}

frmFindInFiles *ResultsCommands::findWindow() const
{
    return m_find.data();
}

void ResultsCommands::cancel()
{
    if (m_cancel)
        m_cancel->store(true);
    // A page check cannot be stopped inside; its findings are no longer shown.
    if (m_checking) {
        m_checking = false;
        ++m_pageCheck;
        const LanguageTexts &t = app().lang;
        panel()->showRows(t.text(TextEntry::CheckPage).remove(u'&'), t.text(TextEntry::Cancelled), {});
    }
}

void ResultsCommands::showProgress(int done, int total)
{
    const LanguageTexts &t = app().lang;
    panel()->showProgress(t.text(TextEntry::FindInFilesTitle), t.text(TextEntry::Searching).arg(done).arg(total), done, total);
}

void ResultsCommands::findInFiles(bool replace)
{
    AppState &a = app();
    if (!m_find || m_filesBusy)
        return;
    const FindQuery q = m_find->query();
    QString error;
    const FindPattern re = FindInFiles::compile(q, &error);
    if (!re.isValid()) {
        if (!q.text.isEmpty() && a.messenger)
            a.messenger->ask(a.lang.text(TextEntry::BadRegex).arg(error), Dialogs::Critical);
        emit filesDone();
        return;
    }
    QStringList files;
    const bool inProject = m_find->inProject();
    const QString folder = m_find->folder();
    if (inProject) {
        for (int i = 0; i < a.project.count(); ++i)
            if (a.project.isFile(i))
                files << QDir::cleanPath(a.project.fullPath(i));
        m_folder = files.isEmpty() ? QString() : QFileInfo(files.first()).absolutePath();
    } else if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        if (a.messenger)
            a.messenger->ask(a.lang.text(TextEntry::NoFolder), Dialogs::Information);
        emit filesDone();
        return;
    } else {
        m_folder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    }
    // The open documents' texts, as their editors hold them (the cheap copies).
    QHash<QString, DocTextCopy> open;
    for (DocWindow *d : a.docs.open())
        if (!d->document()->NameFile().isEmpty())
            open.insert(QDir::cleanPath(QFileInfo(d->document()->NameFile()).absoluteFilePath()), d->Rich()->textCopy());
    m_re = re;
    m_replacement = q.replacement;
    m_expand = q.regex;
    m_filesBusy = true;
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    ResultsPanel *p = panel();
    showProgress(0, 0);
    p->present();
    const QString names = m_find->names();
    const QString root = m_folder;
    m_filesPool.start([this, files, inProject, root, names, open, re, replace, stop = m_cancel]() mutable {
        if (!inProject)
            files = FindInFiles::listFiles(root, names, stop.get());
        QHash<QString, QString> texts;
        for (auto it = open.cbegin(); it != open.cend(); ++it)
            texts.insert(it.key(), it.value().text());
        const auto progress = throttledProgress(this, [this](int done, int total) {
            if (m_filesBusy)
                showProgress(done, total);
        });
        const FindInFilesResult r = FindInFiles::search(files, re, texts, stop.get(), progress);
        QMetaObject::invokeMethod(this, [this, r, replace] { showFound(r, replace); }, Qt::QueuedConnection);
    });
}

void ResultsCommands::showFound(const FindInFilesResult &r, bool replace)
{
    const LanguageTexts &t = app().lang;
    QString summary = t.text(TextEntry::HitSummary).arg(r.hits).arg(r.files.size());
    if (r.skipped > 0)
        summary += QStringLiteral("; ") + t.text(TextEntry::Skipped).arg(r.skipped);
    if (r.hits > r.listed)
        summary += QStringLiteral("; ") + t.text(TextEntry::NotListed).arg(r.hits - r.listed);
    if (r.cancelled)
        summary += QStringLiteral("; ") + t.text(TextEntry::Cancelled);
    QList<ResultRow> rows;
    rows.reserve(r.listed);
    const QDir root(m_folder);
    for (const FileHits &f : r.files)
        for (const FindHit &h : f.hits) {
            ResultRow row;
            row.file = f.path;
            row.line = h.line;
            row.column = h.column;
            row.length = h.length;
            row.first = m_folder.isEmpty() ? f.path : QDir::toNativeSeparators(root.relativeFilePath(f.path));
            row.text = h.lineText;
            row.markStart = h.markStart;
            row.markLength = h.markLength;
            rows << row;
        }
    ResultsPanel *p = panel();
    p->setHeaders({t.text(TextEntry::ColumnFile), t.text(TextEntry::ColumnPlace), t.text(TextEntry::ColumnText)});
    p->showRows(t.text(TextEntry::FindInFilesTitle), summary, rows);
    p->present();
    if (replace && !r.cancelled && r.hits > 0) {
        replaceFound(r);
        return;
    }
    m_filesBusy = false;
    emit filesDone();
}

void ResultsCommands::replaceFound(const FindInFilesResult &r)
{
    AppState &a = app();
    const LanguageTexts &t = a.lang;
    if (!a.dialogs || a.dialogs->messageBox(t.text(TextEntry::ConfirmReplace).arg(r.hits).arg(r.files.size()), Dialogs::YesNo,
                                            t.AppTitle) != Dialogs::Yes) {
        m_filesBusy = false;
        emit filesDone();
        return;
    }
    // Open documents in their editors: one undo step each.
    int hits = 0, files = 0;
    QStringList closed;
    for (const FileHits &f : r.files) {
        const int slot = a.docs.findByFile(f.path);
        DocWindow *d = slot >= 0 ? a.docs.slot(slot) : nullptr;
        if (!d) {
            closed << f.path;
            continue;
        }
        EditControl *e = d->Rich();
        const ReplaceResult change = FindInFiles::replaceAll(e->text(), m_re, m_replacement, m_expand);
        if (change.count == 0)
            continue;
        d->document()->beginUndoGroup();
        e->applyChange(change.change, change.change.pos);
        if (!m_expand)
            d->document()->compactLastChange(change.spans, m_replacement);
        d->document()->endUndoGroup();
        hits += change.count;
        ++files;
    }
    // The others through the safe writer, on the worker.
    showProgress(0, int(closed.size()));
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_filesPool.start([this, closed, hits, files, re = m_re, replacement = m_replacement, expand = m_expand,
                       stop = m_cancel]() mutable {
        QStringList failed;
        const auto progress = throttledProgress(this, [this](int done, int total) { showProgress(done, total); });
        for (int i = 0; i < closed.size() && !stop->load(); ++i) {
            int error = 0;
            const int n = FindInFiles::replaceInFile(closed.at(i), re, replacement, expand, &error);
            if (n < 0)
                failed << closed.at(i);
            else if (n > 0) {
                hits += n;
                ++files;
            }
            progress(i, int(closed.size()));
        }
        const bool cancelled = stop->load();
        QMetaObject::invokeMethod(this, [this, hits, files, failed, cancelled] {
            const LanguageTexts &t = app().lang;
            QString summary = t.text(TextEntry::Replaced).arg(hits).arg(files);
            if (cancelled)
                summary += QStringLiteral("; ") + t.text(TextEntry::Cancelled);
            ResultsPanel *p = panel();
            p->showRows(t.text(TextEntry::FindInFilesTitle), summary, {});
            m_filesBusy = false;
            if (!failed.isEmpty() && app().messenger)
                app().messenger->ask(t.text(TextEntry::NotWritten) + QStringLiteral("\n") + failed.join(u'\n'),
                                     Dialogs::Critical);
            emit filesDone();
        }, Qt::QueuedConnection);
    });
}

void ResultsCommands::ProektCheckLinks_Click()
{
    AppState &a = app();
    if (m_filesBusy)
        return;
    QStringList pages;
    for (int i = 0; i < a.project.count(); ++i) {
        const QString file = a.project.isFile(i) ? a.project.fullPath(i) : QString();
        const QString suffix = QFileInfo(file).suffix().toLower();
        if (suffix.startsWith(QLatin1String("htm")) || suffix == QLatin1String("shtml") || suffix == QLatin1String("xhtml")
            || suffix == QLatin1String("css"))
            pages << QDir::cleanPath(file);
    }
    QString folder;
    if (!pages.isEmpty()) {
        // Addresses starting with "/" start from the folder of the project's first page.
        folder = QFileInfo(pages.first()).absolutePath();
    } else {
        DocWindow *d = a.docs.active();
        if (d && !d->document()->NameFile().isEmpty())
            folder = QFileInfo(d->document()->NameFile()).absolutePath();
        if (folder.isEmpty()) {
            if (a.messenger)
                a.messenger->ask(a.lang.text(TextEntry::NoFolder), Dialogs::Information);
            emit filesDone();
            return;
        }
    }
    m_folder = QDir::cleanPath(folder);
    m_filesBusy = true;
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    const LanguageTexts &t = a.lang;
    ResultsPanel *p = panel();
    p->showProgress(t.text(TextEntry::CheckLinks).remove(u'&'), t.text(TextEntry::CheckingLinks).arg(0).arg(0), 0, 0);
    p->present();
    m_filesPool.start([this, pages, root = m_folder, stop = m_cancel]() mutable {
        if (pages.isEmpty())
            pages = LinkCheck::sitePages(root);
        const auto progress = throttledProgress(this, [this](int done, int total) {
            if (!m_filesBusy)
                return;
            const LanguageTexts &t = app().lang;
            panel()->showProgress(t.text(TextEntry::CheckLinks).remove(u'&'),
                                  t.text(TextEntry::CheckingLinks).arg(done).arg(total), done, total);
        });
        const LinkCheckResult r = LinkCheck::check(pages, root, stop.get(), progress);
        QMetaObject::invokeMethod(this, [this, r] { showLinks(r); }, Qt::QueuedConnection);
    });
}

void ResultsCommands::showLinks(const LinkCheckResult &r)
{
    const LanguageTexts &t = app().lang;
    QString summary = t.text(TextEntry::LinkSummary).arg(r.links).arg(r.broken).arg(r.notChecked);
    if (r.cancelled)
        summary += QStringLiteral("; ") + t.text(TextEntry::Cancelled);
    QList<ResultRow> rows;
    rows.reserve(r.findings.size());
    const QDir root(m_folder);
    for (const LinkFinding &f : r.findings) {
        ResultRow row;
        row.file = f.page;
        row.line = f.link.line;
        row.column = f.link.column;
        row.length = int(f.link.address.size());
        row.first = QDir::toNativeSeparators(root.relativeFilePath(f.page));
        QString reason;
        switch (f.kind) {
        case LinkFinding::Missing: reason = t.text(TextEntry::LinkMissing); break;
        case LinkFinding::CaseMismatch: reason = t.text(TextEntry::LinkCase).arg(f.detail); break;
        case LinkFinding::NoFragment: reason = t.text(TextEntry::LinkFragment).arg(f.detail); break;
        case LinkFinding::NotChecked: reason = t.text(TextEntry::LinkWeb); break;
        }
        row.text = f.link.address + QStringLiteral(" \u2014 ") + reason;
        row.markStart = 0;
        row.markLength = int(f.link.address.size());
        rows << row;
    }
    ResultsPanel *p = panel();
    p->setHeaders({t.text(TextEntry::ColumnFile), t.text(TextEntry::ColumnPlace), t.text(TextEntry::ColumnLink)});
    p->showRows(t.text(TextEntry::CheckLinks).remove(u'&'), summary, rows);
    p->present();
    m_filesBusy = false;
    emit filesDone();
}
