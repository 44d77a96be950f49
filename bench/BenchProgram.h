#pragma once
// The whole program for benchmarks of windows: in a temporary folder, started and
// shown, as the GUI tests run it.
#include "BenchSupport.h"
#include "common/TestApp.h"
#include "platform/EditControl.h"

#include <QApplication>
#include <QIcon>
#include <QTest>

namespace bench {

struct ShownProgram : TestApp {
    ShownProgram()
    {
        // As the program sets it: without one every window makes its own icon.
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/kodoplet.svg")));
        start();
        (void)QTest::qWaitForWindowExposed(frame.get());
    }
};

// Median time of one typed character (key event, change, undo step, repaint) at
// keys places spread over the text; the slowest in *worst when asked.
inline double typingMedian(EditControl *e, int keys, double *worst = nullptr)
{
    std::vector<double> times;
    const int length = e->textLength();
    for (int i = 0; i < keys; ++i) {
        e->setSelStart(int(qint64(length) * (2 * i + 1) / (2 * keys)));
        QApplication::processEvents();
        QElapsedTimer t;
        t.start();
        QTest::keyClick(e, Qt::Key_A);
        QApplication::processEvents();
        times.push_back(ms(t));
    }
    if (worst)
        *worst = *std::max_element(times.begin(), times.end());
    return median(times);
}

} // namespace bench
