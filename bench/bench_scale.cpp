// Time and memory at scale, each figure in a fresh copy of the program so one
// does not inherit another's heap: idle, a 10 MB and a 50 MB page opened (time to
// the text painted, memory once the background work has settled), and 200 pages of
// 50 kB opened from File > Open All Files in a Folder and from the command line.
// Memory is the proportional set size (Pss of /proc/self/smaps_rollup).
// Usage: bench_scale [idle|open10|open10plain|open50|folder|cmdline DIR] (no argument: all, each
// in a child process); bench_scale write DIR writes the files into DIR.
#include "BenchProgram.h"
#include "app/AppState.h"
#include "app/MainFrame.h"
#include "editing/DocWindow.h"
#include "files/OpenPaths.h"
#include "files/ProjectCommands.h"
#include "files/frmOpenAllFile.h"
#include "platform/BigPages.h"
#include "platform/EditControl.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>

using namespace bench;

namespace {

double pssMb()
{
    return procMemoryMb(QStringLiteral("smaps_rollup"), "Pss");
}

// Lets the background work (colours, recovery, disk watch) run for a while.
void settle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Ordinary lines of a hand-written page, repeated to the size asked.
QByteArray ordinaryPage(qint64 bytes)
{
    static const char *const lines[] = {
        "<div class=\"entry\">\r\n",
        "  <h2><a href=\"news/item.htm\" title=\"Read more\">A heading of the entry</a></h2>\r\n",
        "  <p>Some words of a paragraph with <b>bold</b>, <i>italic</i> and a <a href=\"#top\">link</a>.</p>\r\n",
        "  <img src=\"images/photo.jpg\" width=\"320\" height=\"200\" alt=\"A photo\">\r\n",
        "  <ul><li>First point</li><li>Second point</li></ul>\r\n",
        "</div>\r\n",
    };
    QByteArray page = "<html><head><title>Page</title></head><body>\r\n";
    page.reserve(bytes + 200);
    for (int i = 0; page.size() < bytes; ++i)
        page += lines[i % 6];
    page += "</body></html>\r\n";
    return page;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

int openPage(const QString &path, const char *label, bool highlighting = true)
{
    ShownProgram program;
    // Without highlighting: what the formats of every line cost, beside the text itself.
    app().highlighting.set(highlighting);
    settle(300);
    const double idle = pssMb();
    const qint64 size = QFileInfo(path).size();
    program.dialogs.fileAnswers.enqueue(path);
    QElapsedTimer t;
    t.start();
    program.frame->trigger(QStringLiteral("mnuFileOpen"));
    DocWindow *d = app().docs.active();
    if (!d || d->document()->NameFile() != path)
        return 2;
    QApplication::processEvents();
    d->Rich()->viewport()->repaint();
    const double openMs = ms(t);
    const double shown = pssMb();
    // A key typed at once, while the rest is still coming.
    const bool wasFilling = d->Rich()->filling();
    QElapsedTimer key;
    key.start();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QApplication::sendEvent(d->Rich(), &press);
    const double keyMs = key.nsecsElapsed() / 1e6;
    // A big text goes in a screenful first; the rest follows from the event loop.
    while (d->Rich()->filling())
        QApplication::processEvents();
    const double allInMs = ms(t);
    settle(3000);
    const double settled = pssMb();
    std::printf("%s page (%.1f MB): open to text painted %.0f ms, all of it in the editor %.0f ms, a key typed %s %.1f ms; "
                "PSS idle %.0f MB, when painted %.0f MB, settled %.0f MB (%.1f bytes a byte above idle)\n",
                label, size / 1e6, openMs, allInMs, wasFilling ? "while it fills" : "after", keyMs, idle, shown, settled,
                (settled - idle) * 1048576.0 / double(size));
    return 0;
}

int openMany(const QString &folder, bool fromFolderCommand)
{
    ShownProgram program;
    settle(300);
    AppState &a = app();
    const double idle = pssMb();
    QStringList paths;
    qint64 bytes = 0;
    for (const QFileInfo &fi : QDir(folder).entryInfoList({QStringLiteral("*.htm")}, QDir::Files, QDir::Name)) {
        paths << fi.filePath();
        bytes += fi.size();
    }
    QElapsedTimer t;
    if (fromFolderCommand) {
        a.settings.LastFolder = folder;
        a.projects->mnuEditOpenAllFile_Click();
        auto *dlg = program.frame->findChild<frmOpenAllFile *>();
        if (!dlg || dlg->List1->count() != paths.size())
            return 3;
        t.start();
        dlg->OK->click();
    } else {
        t.start();
        OpenPaths::openDocuments(*a.projects, paths, false);
    }
    QApplication::processEvents();
    if (DocWindow *d = a.docs.active())
        d->Rich()->viewport()->repaint();
    const double openMs = ms(t);
    settle(2000);
    const double settled = pssMb();
    int held = 0, packed = 0;
    for (DocWindow *d : a.docs.open()) {
        held += d->Rich()->textDeferred() ? 1 : 0;
        packed += d->Rich()->textPacked() ? 1 : 0;
    }
    std::printf("%d pages of %.0f kB from %s: open to the last painted %.0f ms; PSS idle %.0f MB, settled %.0f MB "
                "(%.1f x their text above idle); documents open %d, %d of them never shown, %d of those packed\n",
                int(paths.size()), bytes / 1e3 / paths.size(), fromFolderCommand ? "Open All Files in a Folder" : "the command line",
                openMs, idle, settled, (settled - idle) * 1048576.0 / double(bytes), a.docs.OpenDocCount, held, packed);
    for (DocWindow *d : a.docs.DocWindows)
        if (d)
            d->document()->markSaved();
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    // As the program runs: see BigPages.
    BigPages::useForThisProcess(argv);
    drawOffscreenByDefault();
    const QString mode = argc > 1 ? QString::fromLatin1(argv[1]) : QString();
    const QString data = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    const auto writePages = [](const QString &root) {
        QDir().mkpath(root + QStringLiteral("pages"));
        const QByteArray small = ordinaryPage(50 * 1000);
        for (int i = 0; i < 200; ++i)
            if (!writeFile(root + QStringLiteral("pages/page%1.htm").arg(i, 3, 10, QLatin1Char('0')), small))
                return false;
        return writeFile(root + QStringLiteral("page10.htm"), ordinaryPage(10 * 1000 * 1000))
            && writeFile(root + QStringLiteral("page50.htm"), ordinaryPage(50 * 1000 * 1000));
    };
    if (mode == QLatin1String("write"))   // the same files, for other editors to open
        return writePages(data + u'/') ? 0 : 1;
    if (mode.isEmpty()) {
        // Writes the files once, then runs every figure in its own process.
        QTemporaryDir dir;
        const QString root = dir.path() + u'/';
        if (!writePages(root))
            return 1;
        std::fflush(stdout);
        for (const char *m : {"idle", "open10", "open10plain", "open50", "folder", "cmdline"}) {
            QProcess p;
            p.setProcessChannelMode(QProcess::ForwardedChannels);
            p.start(QString::fromLocal8Bit(argv[0]), {QString::fromLatin1(m), root});
            p.waitForFinished(-1);
            if (p.exitCode() != 0)
                std::printf("%s: failed (%d)\n", m, p.exitCode());
        }
        return 0;
    }
    QApplication qapp(argc, argv);
    if (mode == QLatin1String("idle")) {
        ShownProgram program;
        settle(1000);
        std::printf("idle, main frame shown: PSS %.0f MB (big pages %s)\n", pssMb(), BigPages::active() ? "on" : "off");
        return 0;
    }
    if (mode == QLatin1String("open10"))
        return openPage(data + QStringLiteral("page10.htm"), "10 MB");
    if (mode == QLatin1String("open10plain"))
        return openPage(data + QStringLiteral("page10.htm"), "10 MB (no highlighting)", false);
    if (mode == QLatin1String("open50"))
        return openPage(data + QStringLiteral("page50.htm"), "50 MB");
    if (mode == QLatin1String("folder") || mode == QLatin1String("cmdline"))
        return openMany(data + QStringLiteral("pages/"), mode == QLatin1String("folder"));
    return 1;
}
