// Times opening each tag dialog, from the menu command to the window shown
// (the font dialog lists every installed family and draws its sample).
#include "BenchProgram.h"
#include "app/AppState.h"
#include "app/MainFrame.h"
#include "app/StartUp.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QTest>

#include <cstdio>
#include <memory>

using namespace bench;

int main(int argc, char *argv[])
{
    drawOffscreenByDefault();
    QApplication qapp(argc, argv);
    ShownProgram program;
    std::unique_ptr<frmMain> &frame = program.frame;

    std::printf("installed font families: %d\n", int(QFontDatabase::families().size()));
    const char *commands[][2] = {{"CodeFrm1", "frmTable"}, {"CodeFrm2", "frmFonts"}, {"CodeFrm3", "frmImg"},
                                 {"CodeFormsSelect", "FrmSelect"}};
    for (const auto &[command, name] : commands) {
        for (int round = 0; round < 3; ++round) {
            QElapsedTimer t;
            t.start();
            frame->trigger(QLatin1String(command));
            auto *w = frame->findChild<QDialog *>(QLatin1String(name));
            if (!w)
                return 1;
            (void)QTest::qWaitForWindowExposed(w);
            std::printf("%-16s round %d: %6.1f ms\n", name, round, double(t.nsecsElapsed()) / 1e6);
            w->close();
            QApplication::processEvents();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    return 0;
}
