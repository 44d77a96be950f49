// Times the project commands through the real program: loading projects of
// 25,000, 50,000 and 100,000 files with no project window shown, loading and
// saving a project of 1,000 files (with the project window shown, so its list follows),
// and Edit > Open all files in folder on 200 pages of 50 kB, with the memory the
// process holds before and after.
#include "BenchSupport.h"
#include "app/AppState.h"
#include "app/MainFrame.h"
#include "app/StartUp.h"
#include "editing/DocWindow.h"
#include "files/ProjectCommands.h"
#include "files/frmOpenAllFile.h"
#include "files/frmProekt.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include "BenchProgram.h"
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace bench;

namespace {

// Resident memory of this process in MB.
double residentMb()
{
    return procMemoryMb(QStringLiteral("status"), "VmRSS");
}

// A project file of n files in 20 folders (the files need not exist to be listed).
QByteArray projectBytes(const QString &folder, int n)
{
    QByteArray bytes = "Bench project\r\n";
    for (int i = 0; i < n; ++i)
        bytes += QStringLiteral("%1site/section%2/page-%3.htm\r\n").arg(folder).arg(i % 20).arg(i, 4, 10, QLatin1Char('0')).toUtf8();
    return bytes;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char *argv[])
{
    drawOffscreenByDefault();
    QApplication qapp(argc, argv);
    ShownProgram program;
    std::unique_ptr<frmMain> &frame = program.frame;
    AppState &a = app();
    const QString folder = program.folder;

    // Large projects, no project window: reading, the list and its index alone.
    for (int n : {25000, 50000, 100000}) {
        const QString large = folder + QStringLiteral("large%1.wpr").arg(n);
        if (!writeFile(large, projectBytes(folder, n)))
            return 1;
        QElapsedTimer t;
        t.start();
        if (!app().projects->ProektLoad(large) || a.project.count() != n)
            return 1;
        std::printf("project of %d files, no window: load %.0f ms (limit 1000 for 100,000)\n", n, ms(t));
    }

    const QByteArray bytes = projectBytes(folder, 1000);
    const QString projectPath = folder + QStringLiteral("big.wpr");
    if (!writeFile(projectPath, bytes))
        return 1;
    app().projects->ProektListFile_Click();
    QApplication::processEvents();

    std::vector<double> loads, saves;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer t;
        t.start();
        if (!app().projects->ProektLoad(projectPath))
            return 1;
        QApplication::processEvents();   // the window's list follows
        loads.push_back(ms(t));
        if (app().projects->projectWindow()->LstFileName->count() != 1000)
            return 2;
        t.start();
        if (!app().projects->ProektSav(folder + QStringLiteral("saved.wpr")))
            return 3;
        saves.push_back(ms(t));
    }
    std::printf("project of %d files (%lld bytes): load %.1f ms, save %.1f ms (medians of 7; limits 200 and 100)\n",
                a.project.count(), static_cast<long long>(bytes.size()), median(loads), median(saves));

    // 200 pages of 50 kB in one folder.
    const QString pages = folder + QStringLiteral("pages/");
    QDir().mkpath(pages);
    QByteArray page;
    for (int line = 0; page.size() < 50 * 1024; ++line)
        page += "<p class=\"row\">Line " + QByteArray::number(line) + " of a page with <b>some</b> mark-up.</p>\r\n";
    for (int i = 0; i < 200; ++i) {
        QFile f(pages + QStringLiteral("page%1.htm").arg(i, 3, 10, QLatin1Char('0')));
        if (!f.open(QIODevice::WriteOnly))
            return 4;
        f.write(page);
    }
    app().projects->ProektNewM();
    QApplication::processEvents();
    a.settings.LastFolder = pages;
    const double before = residentMb();
    app().projects->mnuEditOpenAllFile_Click();
    auto *dlg = frame->findChild<frmOpenAllFile *>();
    if (!dlg || dlg->List1->count() != 200)
        return 5;
    QElapsedTimer t;
    t.start();
    dlg->OK->click();
    QApplication::processEvents();
    const double openMs = ms(t);
    const double after = residentMb();
    std::printf("open all files in folder: %d pages of %lld bytes in %.0f ms (limit 5000); "
                "resident memory %.0f MB before, %.0f MB after (%.1f MB a page)\n",
                a.docs.OpenDocCount - 1, static_cast<long long>(page.size()), openMs, before, after,
                (after - before) / 200.0);
    for (DocWindow *d : a.docs.DocWindows)
        if (d)
            d->document()->markSaved();
    return a.docs.OpenDocCount == 201 ? 0 : 6;
}
