// Times syntax highlighting, each figure with it off and on: on the 10 MB page of
// 120,000 lines, File > Open to text shown (and to the screen coloured), the
// background pass to its end, a jump to the end of the page, and one typed
// character (median of 200 places); on a 1 MB minified line and a 5 MB line of one
// character, setting the text until shown, one typed character (median of 21) and
// a repaint of the whole view.
#include "BenchSupport.h"
#include "app/AppState.h"
#include "app/MainFrame.h"
#include "app/StartUp.h"
#include "editing/DocWindow.h"
#include "platform/EditControl.h"
#include "editing/SyntaxHighlighter.h"
#include "BenchProgram.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace bench;

namespace {


// The first block on screen holds colours.
bool screenColoured(EditControl *e)
{
    return !e->document()->findBlockByLineNumber(0).layout()->formats().isEmpty();
}

void bigPage(frmMain *frame, QueueDialogs &dialogs, const QString &path, bool on)
{
    AppState &a = app();
    for (DocWindow *d : a.docs.DocWindows)
        if (d)
            d->setHighlighting(on);
    auto c = QObject::connect(&a.docs, &DocTable::documentCreated, [on](DocWindow *d) { d->setHighlighting(on); });

    dialogs.fileAnswers.enqueue(path);
    QElapsedTimer t;
    t.start();
    frame->trigger(QStringLiteral("mnuFileOpen"));
    QApplication::processEvents();
    DocWindow *d = a.docs.active();
    if (!d || d->document()->NameFile() != path) {
        std::printf("the page did not open\n");
        return;
    }
    EditControl *e = d->Rich();
    e->viewport()->repaint();
    const double openMs = ms(t);
    while (on && !screenColoured(e) && t.elapsed() < 10000)
        QApplication::processEvents();
    const double colouredMs = ms(t);

    double backgroundMs = 0;
    if (on) {
        t.restart();
        while (!d->highlighter()->finished() && t.elapsed() < 60000)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        backgroundMs = ms(t);
    }

    e->setFocus();
    double worst = 0;
    const double typing = typingMedian(e, 200, &worst);

    // A jump to the end, as Ctrl+End, until painted.
    e->moveCursor(QTextCursor::Start);
    QApplication::processEvents();
    t.restart();
    QTest::keyClick(e, Qt::Key_End, Qt::ControlModifier);
    QApplication::processEvents();
    e->viewport()->repaint();
    const double jumpMs = ms(t);

    std::printf("10 MB page, highlighting %-3s  File > Open to text shown %7.1f ms", on ? "on" : "off", openMs);
    if (on)
        std::printf(" (screen coloured at %7.1f ms, whole page's states after %7.1f ms more)", colouredMs, backgroundMs);
    std::printf("\n    typing one character: median %.3f ms (max %.2f)   Ctrl+End until painted %.1f ms\n", typing,
                worst, jumpMs);
    std::fflush(stdout);
    QObject::disconnect(c);
}

void longLine(const char *name, const QString &text, bool wrap, bool on)
{
    EditControl e;
    SyntaxHighlighter h(&e);
    e.resize(1000, 700);
    e.setWordWrap(wrap);
    e.show();
    (void)QTest::qWaitForWindowExposed(&e);
    e.setFocus();
    h.setEnabled(on);

    QElapsedTimer t;
    t.start();
    e.setText(text);
    QApplication::processEvents();
    e.viewport()->repaint();
    const double openMs = ms(t);

    double worst = 0;
    const double typing = typingMedian(&e, 21, &worst);
    std::vector<double> painting;
    for (int i = 0; i < 9; ++i) {
        t.restart();
        e.viewport()->repaint();
        painting.push_back(ms(t));
    }
    std::printf("%-28s wrap %-3s highlighting %-3s  open %7.1f ms   keystroke median %6.2f ms (max %6.2f)"
                "   whole view painted %6.2f ms\n",
                name, wrap ? "on" : "off", on ? "on" : "off", openMs, typing, worst, median(painting));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    drawOffscreenByDefault();
    QApplication qapp(argc, argv);
    ShownProgram program;
    std::unique_ptr<frmMain> &frame = program.frame;
    QueueDialogs &dialogs = program.dialogs;
    const QString folder = program.folder;

    // Two copies of the page, so each run opens a fresh document.
    const QByteArray bytes = searchPage().toLatin1();
    for (const char *name : {"off.htm", "on.htm"}) {
        QFile f(folder + QLatin1String(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return 1;
    }
    // "on" or "off" as the argument runs the page with highlighting on or off only.
    const QString only = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    std::printf("page: %lld bytes, 120,001 lines\n", static_cast<long long>(bytes.size()));
    if (only != QLatin1String("on"))
        bigPage(frame.get(), dialogs, folder + QStringLiteral("off.htm"), false);
    if (only != QLatin1String("off"))
        bigPage(frame.get(), dialogs, folder + QStringLiteral("on.htm"), true);

    if (!only.isEmpty())
        return 0;

    const QString minified = minifiedLine(1000 * 1000);
    const QString single(5 * 1000 * 1000, QLatin1Char('x'));
    for (bool wrap : {true, false})
        for (bool on : {false, true}) {
            longLine("1 MB minified line", minified, wrap, on);
            longLine("5 MB line of one character", single, wrap, on);
        }
    return 0;
}
