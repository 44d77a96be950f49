// Times the keeping of unsaved text on the 10 MB page: one typed character with
// recovery off, on as the user has it, and on with records written while typing
// goes on; and one record of the page: the editor's text taken on the GUI
// thread, then encoded, checksummed, written and synced by the writer thread.
#include "BenchProgram.h"
#include "app/AppState.h"
#include "app/MainFrame.h"
#include "editing/DocWindow.h"
#include "files/RecoveryKeeper.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

using namespace bench;

int main(int argc, char *argv[])
{
    drawOffscreenByDefault();
    QApplication qapp(argc, argv);
    ShownProgram program;
    AppState &a = app();
    int lines = 0;
    const QByteArray bytes = bigPage(10 * 1000 * 1000, &lines);
    const QString path = program.folder + QStringLiteral("big.htm");
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return 1;
    }
    program.dialogs.fileAnswers.enqueue(path);
    program.frame->trigger(QStringLiteral("mnuFileOpen"));
    QApplication::processEvents();
    DocWindow *big = a.docs.active();
    if (!big || big->document()->NameFile() != path)
        return 1;
    EditControl *e = big->Rich();
    e->setFocus();
    RecoveryKeeper &keeper = *a.recovery;

    // Off: the keeper hears nothing of this document.
    QObject::disconnect(big->document(), nullptr, &keeper, nullptr);
    double offWorst = 0;
    const double off = typingMedian(e, 200, &offWorst);
    // On, as the program runs: a change only marks the document.
    keeper.watch(big);
    big->document()->Sbros();
    double onWorst = 0;
    const double on = typingMedian(e, 200, &onWorst);
    // On, with a record due every 100 ms of typing: the keystrokes that meet a
    // write pay for taking the text out of the editor.
    keeper.setDelays(20, 100);
    double busyWorst = 0;
    const double busy = typingMedian(e, 200, &busyWorst);
    keeper.flush();

    // One record of the page, five times.
    std::vector<double> snapshot, write, total, whole;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(e, Qt::Key_A);
        QElapsedTimer t;
        t.start();
        (void)e->textCopy();   // what the keeper takes on the GUI thread
        snapshot.push_back(ms(t));
        t.restart();
        (void)e->text();       // the whole text, as find and save take it, for comparison
        whole.push_back(ms(t));
        QTest::keyClick(e, Qt::Key_A);
        t.restart();
        keeper.flush();
        total.push_back(ms(t));
        write.push_back(keeper.writer().lastWriteMs());
    }
    const QFileInfo record(keeper.recordOf(big->document()));

    std::printf("page: %lld bytes, %d lines; record %lld bytes\n", static_cast<long long>(bytes.size()), lines,
                static_cast<long long>(record.size()));
    std::printf("typing one character on the 10 MB page: median %.3f ms (worst %.1f) recovery off, %.3f ms (worst %.1f) on\n",
                off, offWorst, on, onWorst);
    std::printf("typing with a record due every 100 ms: median %.3f ms, worst %.1f ms (the key that met a text snapshot)\n",
                busy, busyWorst);
    std::printf("record of the 10 MB page: raw text copied on the GUI thread %.1f ms (the whole text would be %.1f ms); "
                "line breaks made, encoded, checksummed, written and synced on the writer thread %.1f ms; "
                "flush in all %.1f ms (medians of 5)\n",
                median(snapshot), median(whole), median(write), median(total));
    return 0;
}
