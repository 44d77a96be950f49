#include "app/Session.h"
#include "app/AppState.h"
#include "app/MainFrame.h"
#include "common/CommandNames.h"
#include "common/TextFile.h"
#include "editing/DocTable.h"
#include "editing/DocWindow.h"
#include "files/FileCommands.h"
#include "platform/EditControl.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <algorithm>

namespace Session {

namespace {
QRect availableAround(const QRect &r)
{
    QScreen *screen = r.isNull() ? nullptr : QGuiApplication::screenAt(r.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}
} // namespace

void restoreFrame(frmMain &frame, const ViewSettings &view)
{
    const QRect available = availableAround(view.FrameGeometry);
    if (view.FrameGeometry.isNull()) {
        if (!available.isEmpty())
            frame.resize(frame.size().boundedTo(available.size()));
        return;
    }
    frame.setGeometry(available.isEmpty() ? view.FrameGeometry : ViewSettings::fittedFrame(view.FrameGeometry, available));
}

void storeFrame(const frmMain &frame, ViewSettings &view)
{
    view.FrameMaximized = frame.isMaximized() || frame.isFullScreen();
    view.FrameGeometry = frame.normalGeometry().isValid() ? frame.normalGeometry() : frame.geometry();
}

QList<ViewSettings::Page> openPages(const DocTable &docs)
{
    QList<ViewSettings::Page> pages;
    const DocWindow *active = docs.active();
    std::vector<DocWindow *> open = docs.open();
    std::stable_partition(open.begin(), open.end(), [active](DocWindow *d) { return d != active; });
    for (DocWindow *d : open) {
        const QString &path = d->document()->NameFile();
        if (!path.isEmpty())
            pages.append({path, d->Rich()->lineAt(d->Rich()->selStart())});
    }
    return pages;
}

DocWindow *reopen(FileCommands &files, const QList<ViewSettings::Page> &pages)
{
    DocWindow *last = nullptr;
    QList<QPair<QString, int>> unreadable;   // not reported: nobody asked for them now
    for (const ViewSettings::Page &page : pages) {
        if (!QFileInfo(page.path).isFile())
            continue;
        if (!files.OpenFileDoc(page.path, {.failures = &unreadable}))
            continue;
        const int k = files.FindDocByFile(page.path);
        if (k < 0)
            continue;
        last = files.docs().slot(k);
        EditControl *ed = last->Rich();
        ed->setSelStart(ed->lineStart(std::clamp(page.line, 0, std::max(0, ed->lineCount() - 1))));
        ed->setSelLength(0);
    }
    return last;
}

void installRecentMenu(frmMain &frame)
{
    QMenu *menu = frame.menu(QString(Cmd::mnuFileRecent));
    if (!menu)
        return;
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] {
        AppState &a = app();
        menu->clear();
        int n = 1;
        for (const QString &path : a.recentFiles) {
            QString shown = path;
            shown.replace(u'&', QStringLiteral("&&"));
            QAction *item = menu->addAction(n < 10 ? QStringLiteral("&%1 %2").arg(n).arg(shown) : shown);
            ++n;
            QObject::connect(item, &QAction::triggered, menu, [path] {
                AppState &a = app();
                if (!QFileInfo::exists(path)) {
                    a.recentFiles.removeAll(path);
                    a.files->showOpenError(path, TextFile::NotFound);
                    return;
                }
                // As File > Open: the file joins the project.
                a.files->OpenFileDoc(path, {.addToProject = true});
            });
        }
        menu->addSeparator();
        QAction *clear = menu->addAction(a.lang.text(TextEntry::ClearList));
        clear->setEnabled(!a.recentFiles.isEmpty());
        QObject::connect(clear, &QAction::triggered, menu, [] { app().recentFiles.clear(); });
    });
}

} // namespace Session
