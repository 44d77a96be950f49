#include "files/DiskWatch.h"
#include "common/TextFile.h"
#include "editing/DocTable.h"
#include "editing/DocWindow.h"
#include "files/FileCommands.h"
#include "lang/LanguageTexts.h"
#include "lang/Messenger.h"
#include "platform/NoticeBar.h"

#include <QFileInfo>

DiskWatch::DiskWatch(FileCommands &files, QObject *parent) : QObject(parent), m_files(files)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_settle, &QTimer::timeout, this, &DiskWatch::checkAll);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &DiskWatch::schedule);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &DiskWatch::schedule);
    DocTable &docs = m_files.docs();
    connect(&docs, &DocTable::documentCreated, this, &DiskWatch::track);
    for (DocWindow *d : docs.DocWindows)
        if (d)
            track(d);
}

void DiskWatch::track(DocWindow *d)
{
    if (m_tracked.contains(d))
        return;
    m_tracked.insert(d);
    Document *doc = d->document();
    connect(doc, &Document::pathChanged, this, [this, d] {
        // Saved under another name or closed: what the bar said was about the old file.
        if (m_notices.value(d, Notice::None) != Notice::None)
            notify(d, Notice::None);
        requestSync();
    });
    // Saved, reloaded or kept: a notice about an older state of the file is over.
    connect(doc, &Document::diskStampChanged, this, [this, d] {
        if (m_notices.value(d) == Notice::Changed || m_notices.value(d) == Notice::Deleted) {
            if (compareWithDisk(d->document()->diskStamp(), d->document()->NameFile()) == DiskChange::Same)
                notify(d, Notice::None);
        }
    });
    connect(d, &DocWindow::noticeAnswered, this, [this, d](int button) { answered(d, button); });
    connect(d, &QObject::destroyed, this, [this, d] {
        m_tracked.remove(d);
        m_notices.remove(d);
        m_asking.remove(d);
    });
    requestSync();
}

QStringList DiskWatch::watched() const
{
    if (m_syncQueued)
        const_cast<DiskWatch *>(this)->sync();
    return m_watcher.files() + m_watcher.directories();
}

void DiskWatch::requestSync()
{
    // Once for a burst of openings: each sync looks at every open document.
    if (m_syncQueued)
        return;
    m_syncQueued = true;
    QTimer::singleShot(0, this, [this] {
        if (m_syncQueued)
            sync();
    });
}

// The files of the open documents, the folders they are in, and the folders of
// the files their links lead to.
void DiskWatch::sync()
{
    m_syncQueued = false;
    QSet<QString> want;
    for (DocWindow *d : m_files.docs().open()) {
        const QString &path = d->document()->NameFile();
        if (path.isEmpty())
            continue;
        const QFileInfo info(path);
        want.insert(info.absoluteFilePath());
        want.insert(info.absolutePath());
        const QString target = TextFile::saveTarget(path);
        if (!target.isEmpty())
            want.insert(QFileInfo(target).absolutePath());
    }
    const QStringList watching = m_watcher.files() + m_watcher.directories();
    const QSet<QString> have(watching.begin(), watching.end());
    QStringList drop;
    for (const QString &p : have)
        if (!want.contains(p))
            drop << p;
    if (!drop.isEmpty())
        m_watcher.removePaths(drop);
    QStringList add;
    for (const QString &p : want)
        if (!have.contains(p) && QFileInfo::exists(p))
            add << p;
    if (add.isEmpty())
        return;
    const QStringList failed = m_watcher.addPaths(add);
    // A file written between its reading and now sent no signal: look once.
    const QStringList files = m_watcher.files();
    for (const QString &p : add) {
        if (!failed.contains(p) && files.contains(p)) {
            schedule();
            break;
        }
    }
}

void DiskWatch::schedule()
{
    if (!m_settle.isActive())
        m_burst.start();
    // A file written on and on is still checked now and then.
    if (m_burst.isValid() && m_burst.elapsed() >= MaxWaitMs)
        return;
    m_settle.start();
}

void DiskWatch::checkAll()
{
    m_settle.stop();
    m_burst.invalidate();
    for (DocWindow *d : m_files.docs().open())
        check(d);
    // A file replaced by a rename is a new file: watch it again.
    sync();
}

void DiskWatch::check(DocWindow *d)
{
    Document *doc = d->document();
    if (doc->NameFile().isEmpty() || m_asking.contains(d))
        return;
    FileStamp now;
    switch (compareWithDisk(doc->diskStamp(), doc->NameFile(), &now)) {
    case DiskChange::Same:
        // Refreshed after the content was compared: the next check needs no read.
        if (!now.hash.isEmpty() && !now.sameMetadata(doc->diskStamp()))
            doc->setDiskStamp(now);
        else if (!now.hash.isEmpty() && doc->diskStamp().racy() && !now.racy())
            doc->setDiskStamp(now);
        return;
    case DiskChange::Deleted:
        doc->setDiskStamp(FileStamp::missing());
        // The text is all there is now: closing asks about it.
        doc->markChanged();
        notify(d, Notice::Deleted);
        return;
    case DiskChange::Changed:
        if (!doc->isModified() && reloadFromDisk(d)) {
            notify(d, Notice::Reloaded);
            return;
        }
        if (m_notices.value(d) != Notice::Changed)
            notify(d, Notice::Changed);
        return;
    }
}

bool DiskWatch::reloadFromDisk(DocWindow *d)
{
    Document *doc = d->document();
    const ReadResult r = TextFile::read(doc->NameFile(), 512LL * 1024 * 1024, !doc->Script());
    if (r.error != 0)
        return false;
    doc->reload(r.text, r.format, r.stamp);
    return true;
}

QString DiskWatch::text(int entry, const QString &path) const
{
    return m_files.messenger().lang().text(entry).arg(path);
}

void DiskWatch::notify(DocWindow *d, Notice n)
{
    m_notices.insert(d, n);
    if (n == Notice::None && !d->noticeShown())
        return;  // nothing to hide: the strip is made only for a first notice
    NoticeBar *bar = d->noticeBar();
    const LanguageTexts &lang = m_files.messenger().lang();
    const QString &path = d->document()->NameFile();
    switch (n) {
    case Notice::None:
        bar->hide();
        break;
    case Notice::Changed:
        bar->showNotice(text(DiskEntry::ChangedBar, path), {lang.text(DiskEntry::Reload), lang.text(DiskEntry::KeepMine)});
        break;
    case Notice::Deleted:
        bar->showNotice(text(DiskEntry::DeletedBar, path), {lang.text(DiskEntry::Ok)});
        break;
    case Notice::Reloaded:
        bar->showNotice(text(DiskEntry::ReloadedBar, path), {lang.text(DiskEntry::Ok)});
        break;
    }
}

void DiskWatch::answered(DocWindow *d, int button)
{
    const Notice n = m_notices.value(d);
    m_notices.insert(d, Notice::None);
    Document *doc = d->document();
    if (n == Notice::Changed && !doc->NameFile().isEmpty()) {
        if (button == 0) {
            if (!reloadFromDisk(d)) {
                const QString path = doc->NameFile();
                m_files.showOpenError(path, TextFile::openError(path) == TextFile::NotFound ? TextFile::NotFound
                                                                                            : TextFile::OpenFailed);
                notify(d, Notice::Changed);
            }
        } else {
            // Keep mine: this version of the file is known now; a later change is news again.
            FileStamp now = FileStamp::read(doc->NameFile());
            doc->setDiskStamp(now.exists ? now : FileStamp::missing());
        }
    }
    d->focusView();
}

DiskWatch::SaveAnswer DiskWatch::beforeSave(DocWindow *d)
{
    Document *doc = d->document();
    const QString path = doc->NameFile();
    if (path.isEmpty())
        return Write;
    m_asking.insert(d);
    SaveAnswer answer = Write;
    DiskChange change = compareWithDisk(doc->diskStamp(), path);
    // Asked again if the file changes once more while the question is up: the
    // answer was about what the user was told.
    while (change != DiskChange::Same) {
        const Messenger &msg = m_files.messenger();
        const bool deleted = change == DiskChange::Deleted;
        const QString question = deleted ? text(DiskEntry::DeletedSave, path) + QStringLiteral("\r\n") + msg.lang().text(DiskEntry::SaveAgain)
                                         : text(DiskEntry::ChangedSave, path) + QStringLiteral("\r\n") + msg.lang().text(DiskEntry::OverwriteIt);
        const FileStamp asked = deleted ? FileStamp::missing() : FileStamp::read(path);
        const int reply = msg.ask(question, deleted ? Dialogs::YesNo : Dialogs::YesNoCancel);
        m_files.docs().focusActive();
        if (reply == Dialogs::Cancel || (deleted && reply == Dialogs::No)) {
            answer = Cancel;
            break;
        }
        if (reply == Dialogs::No) {
            answer = Elsewhere;
            break;
        }
        const DiskChange during = compareWithDisk(asked, path);
        if (during == DiskChange::Same)
            break;
        change = during;
    }
    m_asking.remove(d);
    return answer;
}
