// Times the mark-up rules with every option on (close tags, auto-indent, HTML
// completion, the tag marks, highlighting, line numbers, status bar): on the 10 MB page, one
// typed "a" (as bench_editor), the ">" that closes a tag, the "/" that completes
// "</", Enter on an indented line, a letter filtering the completion list and
// Enter picking its attribute, the marks after the caret moved into a tag
// name, and Ctrl+M to a partner 100 kB away; on a 1 MB minified line, "a" and ">".
#include "BenchSupport.h"
#include "BenchProgram.h"
#include "app/AppState.h"
#include "app/MainFrame.h"
#include "editing/DocWindow.h"
#include "editing/SyntaxHighlighter.h"
#include "platform/EditControl.h"
#include "tags/TagMarks.h"

#include <QApplication>
#include <QFile>
#include <QTest>

#include <cstdio>
#include <functional>

using namespace bench;

namespace {

// Median time of key (with the events it causes) after prepare put the caret
// at one of places spots spread over the text.
double keyMedian(EditControl *e, int places, const std::function<void(int)> &prepare, QChar key, double *worst)
{
    std::vector<double> times;
    const int length = e->textLength();
    for (int i = 0; i < places; ++i) {
        prepare(int(qint64(length) * (2 * i + 1) / (2 * places)));
        QApplication::processEvents();
        QElapsedTimer t;
        t.start();
        if (key == u'\n')
            QTest::keyClick(e, Qt::Key_Return);
        else
            QTest::keyClick(e, key.toLatin1());
        QApplication::processEvents();
        times.push_back(ms(t));
    }
    *worst = *std::max_element(times.begin(), times.end());
    return median(times);
}

DocWindow *open(frmMain *frame, QueueDialogs &dialogs, const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return nullptr;
    f.close();
    dialogs.fileAnswers.enqueue(path);
    frame->trigger(QStringLiteral("mnuFileOpen"));
    QApplication::processEvents();
    DocWindow *d = app().docs.active();
    return d && d->document()->NameFile() == path ? d : nullptr;
}

void typingFigures(const char *name, DocWindow *d, int places)
{
    EditControl *e = d->Rich();
    e->setFocus();
    double worst = 0;
    const auto at = [e](int pos) { e->setSelStart(pos); };
    const double plain = keyMedian(e, places, at, u'a', &worst);
    std::printf("%s: typing \"a\" median %.3f ms (max %.2f)\n", name, plain, worst);
    // The same without completion: what its look at the caret costs a keystroke.
    app().completion.set(false);
    const double bare = keyMedian(e, places, at, u'a', &worst);
    app().completion.set(true);
    std::printf("%s: typing \"a\" with completion off median %.3f ms (max %.2f)\n", name, bare, worst);
    // "<b" typed first: the ">" brings "</b>".
    const auto inTag = [e](int pos) {
        e->setSelStart(pos);
        QTest::keyClicks(e, QStringLiteral("<b"));
    };
    const double close = keyMedian(e, places, inTag, u'>', &worst);
    const bool closed = e->textAt(e->selStart(), 4) == QLatin1String("</b>");
    std::printf("%s: \">\" closing a tag median %.3f ms (max %.2f)%s\n", name, close, worst, closed ? "" : " NOT CLOSED");
    const auto lt = [e](int pos) {
        e->setSelStart(pos);
        QTest::keyClick(e, '<');
    };
    const double slash = keyMedian(e, places, lt, u'/', &worst);
    std::printf("%s: \"/\" completing \"</\" median %.3f ms (max %.2f)\n", name, slash, worst);
    const auto indented = [e](int pos) {
        e->setSelStart(pos);
        QTest::keyClicks(e, QStringLiteral("\t  x"));
        QTest::keyClick(e, Qt::Key_Return);
    };
    const double enter = keyMedian(e, places, indented, u'\n', &worst);
    std::printf("%s: Enter keeping the indentation median %.3f ms (max %.2f)\n", name, enter, worst);
    // Completion: after the next ">" of the page (outside its tags), "<input t>"
    // typed first and the caret put before the ">", "y" filters the attribute
    // list; then Enter puts type="" and lists its values.
    const auto afterTag = [e](int pos) {
        const qsizetype gt = e->textAt(pos, 4096).indexOf(u'>');
        e->setSelStart(gt < 0 ? pos : pos + int(gt) + 1);
    };
    const auto inInput = [e, afterTag](int pos) {
        afterTag(pos);
        QTest::keyClicks(e, QStringLiteral("<input t>"));
        QTest::keyClick(e, Qt::Key_Left);
    };
    const double filter = keyMedian(e, places, inInput, u'y', &worst);
    std::printf("%s: \"y\" filtering the attribute list median %.3f ms (max %.2f)\n", name, filter, worst);
    const auto listed = [e, afterTag](int pos) {
        afterTag(pos);
        QTest::keyClicks(e, QStringLiteral("<input >"));
        QTest::keyClick(e, Qt::Key_Left);
        QTest::keyClicks(e, QStringLiteral("ty"));
    };
    const double pick = keyMedian(e, places, listed, u'\n', &worst);
    const bool picked = e->textAt(e->selStart() - 6, 7) == QLatin1String("type=\"\"");
    std::printf("%s: Enter picking \"type\" median %.3f ms (max %.2f)%s\n", name, pick, worst, picked ? "" : " NOT PICKED");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    drawOffscreenByDefault();
    QApplication qapp(argc, argv);
    ShownProgram program;
    frmMain *frame = program.frame.get();
    AppState &a = app();
    a.listTags.set(false);   // the keys go to the editor, not the tag list
    if (!a.closeTags.value() || !a.autoIndent.value() || !a.completion.value() || !a.highlighting.value() || !a.lineNumbers.value())
        return 1;

    int lines = 0;
    DocWindow *big = open(frame, program.dialogs, program.folder + QStringLiteral("big.htm"),
                          bigPage(10 * 1000 * 1000, &lines));
    if (!big)
        return 1;
    QElapsedTimer t;
    t.start();
    while (!big->highlighter()->finished() && t.elapsed() < 60000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    std::printf("10 MB page, %d lines, highlighting's states known after %.0f ms\n", lines, ms(t));
    typingFigures("10 MB page", big, 200);

    // The marks, a pause after the caret moved into a tag name (off the keystroke).
    EditControl *e = big->Rich();
    TagMarks *marks = big->findChild<TagMarks *>();
    std::vector<double> marking;
    int marked = 0;
    for (int i = 0; i < 51; ++i) {
        const int line = 1 + int(qint64(e->lineCount() - 3) * i / 51);
        e->setSelStart(e->lineStart(line) + 2);   // "<p|"
        t.restart();
        marks->refresh();
        marking.push_back(ms(t));
        marked += e->extraSelections().size() == 2;
    }
    std::printf("10 MB page: marking the caret's tag and its partner median %.3f ms (max %.2f), %d of 51 marked\n",
                median(marking), *std::max_element(marking.begin(), marking.end()), marked);

    // Ctrl+M to a partner 100 kB away, and back.
    QByteArray far = "<html><body>\r\n<div class=\"far\">\r\n";
    for (int n = 0; far.size() < 100 * 1000 + 30; ++n)
        far += "  <p>Line " + QByteArray::number(n) + " with <b>bold</b> and a < b.</p>\r\n";
    far += "</div>\r\n</body></html>\r\n";
    DocWindow *page = open(frame, program.dialogs, program.folder + QStringLiteral("far.htm"), far);
    if (!page)
        return 1;
    page->highlighter()->finishNow();
    EditControl *pe = page->Rich();
    pe->setFocus();
    std::vector<double> jumps;
    const int openDiv = int(far.indexOf("<div")) + 2, closeDiv = int(far.lastIndexOf("</div")) + 2;
    int ok = 0;
    for (int i = 0; i < 21; ++i) {
        pe->setSelStart(i % 2 ? closeDiv : openDiv);
        QApplication::processEvents();
        t.restart();
        QTest::keyClick(pe, Qt::Key_M, Qt::ControlModifier);
        jumps.push_back(ms(t));
        ok += pe->selStart() == (i % 2 ? openDiv - 1 : closeDiv);
    }
    std::printf("Ctrl+M to the partner %d characters away: median %.3f ms (max %.2f), %d of 21 right\n",
                closeDiv - openDiv, median(jumps), *std::max_element(jumps.begin(), jumps.end()), ok);

    const QByteArray minified = minifiedLine(1000 * 1000).toLatin1();
    DocWindow *line = open(frame, program.dialogs, program.folder + QStringLiteral("min.htm"), minified);
    if (!line)
        return 1;
    line->highlighter()->finishNow();
    typingFigures("1 MB minified line", line, 21);
    return 0;
}
