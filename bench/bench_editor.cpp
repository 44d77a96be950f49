// Times the editor on a 10 MB page of about 120,000 lines: start-up to the main
// frame shown, File > Open to text shown, one typed character with its undo step
// (with the line-number gutter and the status bar on and off), and the memory the
// undo history holds after 100 one-character edits.
#include "BenchSupport.h"
#include "platform/BigPages.h"
#include "app/AppState.h"
#include "app/MainFrame.h"
#include "app/StartUp.h"
#include "editing/DocWindow.h"
#include "common/TextFile.h"
#include "platform/BrowserView.h"
#include "platform/EditControl.h"
#include "BenchProgram.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace bench;


int main(int argc, char *argv[])
{
    // As the program runs: see BigPages.
    BigPages::useForThisProcess(argv);
    drawOffscreenByDefault();
    QApplication qapp(argc, argv);
    TestApp program;   // the whole program in a temporary folder, as the GUI tests run it
    AppState &a = app();
    QueueDialogs &dialogs = program.dialogs;
    const QString folder = program.folder;

    // Start-up to the main frame shown.
    QElapsedTimer t;
    t.start();
    program.start();
    std::unique_ptr<frmMain> &frame = program.frame;
    (void)QTest::qWaitForWindowExposed(frame.get());
    const double startMs = ms(t);
    const bool noEngine = frame->findChildren<BrowserView *>().isEmpty();

    int lines = 0;
    const QByteArray bytes = bigPage(10 * 1000 * 1000, &lines);
    const QString path = folder + QStringLiteral("big.htm");
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return 1;
    }

    // File > Open to text shown.
    dialogs.fileAnswers.enqueue(path);
    t.restart();
    frame->trigger(QStringLiteral("mnuFileOpen"));
    QApplication::processEvents();
    const double openMs = ms(t);
    DocWindow *big = a.docs.active();
    if (!big || big->document()->NameFile() != path)
        return 1;
    EditControl *e = big->Rich();
    e->setFocus();

    // Typing into the big page and, for comparison, into the small start-up page.
    const double bigTyping = typingMedian(e, 200);
    // The same without the line-number gutter and the status bar (both on by default).
    a.lineNumbers.set(false);
    a.statusBar.set(false);
    QApplication::processEvents();
    const double bareTyping = typingMedian(e, 200);
    a.lineNumbers.set(true);
    a.statusBar.set(true);
    QApplication::processEvents();
    DocWindow *small = a.docs.slot(0);
    frame->activateDoc(small);
    const double smallTyping = typingMedian(small->Rich(), 200);

    // Memory of 100 one-character edits in the big page.
    frame->activateDoc(big);
    big->document()->Sbros();
    const qsizetype before = big->document()->history().memoryBytes();
    for (int i = 0; i < 100; ++i) {
        e->setSelStart(int(qint64(e->textLength()) * i / 100));
        QTest::keyClick(e, Qt::Key_B);
    }
    const qsizetype undoBytes = big->document()->history().memoryBytes() - before;

    std::printf("page: %lld bytes, %d lines\n", static_cast<long long>(bytes.size()), lines);
    std::printf("start-up to main frame shown: %.1f ms (browser engine started: %s)\n", startMs, noEngine ? "no" : "yes");
    std::printf("File > Open of the page to text shown: %.1f ms\n", openMs);
    std::printf("typing one character with its undo step: median %.3f ms (10 MB page), %.3f ms (template page)\n",
                bigTyping, smallTyping);
    std::printf("typing on the 10 MB page: median %.3f ms with line numbers and status bar, %.3f ms without\n",
                bigTyping, bareTyping);
    std::printf("undo history after 100 one-character edits: %lld bytes (%d states)\n",
                static_cast<long long>(undoBytes), big->document()->history().stateCount());

    return 0;   // the fixture closes the program
}
