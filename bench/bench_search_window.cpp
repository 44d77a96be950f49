// Times search through a real document window on a 10 MB page of about 120,000
// lines: Find next to a match at the end (editor text, search, selection), Replace
// all of 1,000,000 one-character matches into the editor with its undo step, the
// memory that step holds, and undoing it.
#include "BenchSupport.h"
#include "platform/BigPages.h"
#include "app/AppState.h"
#include "app/MainFrame.h"
#include "app/StartUp.h"
#include "editing/DocWindow.h"
#include "platform/EditControl.h"
#include "search/ReplaceInDocument.h"
#include "search/SearchCommands.h"

#include <QApplication>
#include <QElapsedTimer>
#include "BenchProgram.h"
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace bench;

namespace {

} // namespace

int main(int argc, char *argv[])
{
    // As the program runs: see BigPages.
    BigPages::useForThisProcess(argv);
    drawOffscreenByDefault();
    QApplication qapp(argc, argv);
    ShownProgram program;
    AppState &a = app();

    DocWindow *d = a.docs.active();
    if (!d)
        return 1;
    EditControl *e = d->Rich();
    const QString page = bench::searchPage();
    d->document()->load(page, d->document()->format());
    QApplication::processEvents();
    std::printf("page: %lld characters, %lld lines\n", static_cast<long long>(page.size()),
                static_cast<long long>(page.count(QStringLiteral("\r\n"))));

    // Find next from the top to the one match at the end, as F3 runs it.
    a.search.prepareFind(QStringLiteral("<!-- end"), QStringLiteral("-->"));
    std::vector<double> times;
    for (int run = 0; run < 9; ++run) {
        a.search.FindNextPos = 1;
        QElapsedTimer t;
        t.start();
        a.searchCommands->DocFoundTextM();
        times.push_back(ms(t));
    }
    std::sort(times.begin(), times.end());
    std::printf("find next to the end in the editor: selection at %d length %d, median %.1f ms (min %.1f, max %.1f)\n",
                e->selStart(), e->selLength(), times[times.size() / 2], times.front(), times.back());

    times.clear();
    for (int run = 0; run < 9; ++run) {
        QElapsedTimer t;
        t.start();
        const QString text = e->text();
        times.push_back(ms(t));
    }
    std::sort(times.begin(), times.end());
    std::printf("  of which reading the editor's whole text: median %.1f ms\n", times[times.size() / 2]);

    // Replace all, applied to the editor as one undo step.
    a.search.prepareReplace(QStringLiteral("~"), QString(), QStringLiteral("-"));
    // The same work without the window: the spans and the new text, on the editor's text.
    QElapsedTimer t;
    t.start();
    const int coreCount = ::ReplaceInDocument(e->text(), a.search, true).count;
    const double coreMs = ms(t);
    const qsizetype before = d->document()->history().memoryBytes();
    t.start();
    const int count = a.searchCommands->ReplaceInDocument(d, true);
    QApplication::processEvents();
    const double replaceMs = ms(t);
    const qsizetype undoBytes = d->document()->history().memoryBytes() - before;
    const qsizetype textBytes = page.size() * qsizetype(sizeof(QChar));
    std::printf("replace all in the editor: %d replacements, %.0f ms; the search and new text alone: %d, %.0f ms (%.1f x)\n",
                count, replaceMs, coreCount, coreMs, replaceMs / coreMs);
    // A big change goes in as a new text, a screenful first: then the rest.
    while (e->filling())
        QApplication::processEvents();
    std::printf("  all of it in the editor after %.0f ms\n", ms(t));
    std::printf("undo step of that replace: %lld bytes, %.2f x the text's %lld bytes\n",
                static_cast<long long>(undoBytes), double(undoBytes) / double(textBytes),
                static_cast<long long>(textBytes));
    t.restart();
    d->document()->Undo();
    QApplication::processEvents();
    const double undoMs = ms(t);
    const bool same = e->text() == page;
    while (e->filling())
        QApplication::processEvents();
    std::printf("undo of the replace: %.0f ms (all in after %.0f ms), text back as before: %s\n", undoMs, ms(t),
                same && e->text() == page ? "yes" : "NO");

    return 0;   // the fixture closes the program
}
