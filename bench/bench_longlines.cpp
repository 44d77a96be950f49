// Times the editing control on very long lines: setting the text until it is shown,
// one typed character (key event, change report, the repaint it causes; median of 21
// places) and a repaint of the whole view (as after a sideways scroll), for a 1 MB
// minified page on one line and a 5 MB line of one character, with word wrap on and off.
#include "BenchSupport.h"
#include "platform/EditControl.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace bench;

namespace {

void run(const char *name, const QString &text, bool wrap)
{
    EditControl e;
    e.resize(1000, 700);
    e.setWordWrap(wrap);
    e.show();
    (void)QTest::qWaitForWindowExposed(&e);
    e.setFocus();

    QElapsedTimer t;
    t.start();
    e.setText(text);
    QApplication::processEvents();
    e.viewport()->repaint();
    const double openMs = ms(t);

    std::vector<double> typing, painting;
    const int length = e.textLength();
    for (int i = 0; i < 21; ++i) {
        e.setSelStart(int(qint64(length) * (2 * i + 1) / 42));
        QApplication::processEvents();
        t.restart();
        QTest::keyClick(&e, Qt::Key_A);
        QApplication::processEvents();
        typing.push_back(ms(t));
        t.restart();
        e.viewport()->repaint();
        painting.push_back(ms(t));
    }
    std::printf("%-28s wrap %-3s  open %7.1f ms   keystroke median %6.2f ms (max %6.2f)   whole view painted %6.2f ms\n",
                name, wrap ? "on" : "off", openMs, median(typing), *std::max_element(typing.begin(), typing.end()),
                median(painting));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    const QString minified = minifiedLine(1000 * 1000);
    const QString single(5 * 1000 * 1000, QLatin1Char('x'));
    for (bool wrap : {true, false}) {
        run("1 MB minified line", minified, wrap);
        run("5 MB line of one character", single, wrap);
    }
    return 0;
}
