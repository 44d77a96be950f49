// A request from outside to end the program (SIGTERM, SIGINT, SIGHUP) ends it as
// File > Exit does: unsaved text is asked about, never dropped.
#include "common/GuiFixture.h"

#include "platform/ExitSignals.h"

#include <QDialog>
#include <QSignalSpy>
#include <QtTest>
#include <csignal>

using namespace gui;

class TestExitRequestGui : public QObject, GuiFixture {
    Q_OBJECT

private slots:
    void init() { QVERIFY(startApp()); }
    void cleanup() { stopApp(); }

    // The signals reach the GUI thread as a request, and no longer end the process.
    void signalsBecomeRequests()
    {
        ExitSignals s;
        QVERIFY(s.isActive());
        QSignalSpy spy(&s, &ExitSignals::exitRequested);
        for (int number : {SIGTERM, SIGINT, SIGHUP}) {
            std::raise(number);
            QVERIFY(spy.wait(5000));
            QCOMPARE(spy.takeFirst().at(0).toInt(), number);
        }
    }

    void unsavedTextIsAskedAbout()
    {
        type(ed(), QStringLiteral("kept"));
        // Cancel at the question: the program goes on, the text is there.
        t->dialogs.messageAnswers.enqueue(Dialogs::Cancel);
        StartUp::requestExit();
        QCOMPARE(t->dialogs.count(QStringLiteral("message")), 1);
        QVERIFY(t->dialogs.last(QStringLiteral("message")).text.startsWith(QStringLiteral("[98]")));
        QCOMPARE(t->quitCount, 0);
        QVERIFY(ed()->text().startsWith(QStringLiteral("kept")));
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("kodoplet.ini"))));
        // No: the program ends with its settings written beside it.
        t->dialogs.messageAnswers.enqueue(Dialogs::No);
        StartUp::requestExit();
        QCOMPARE(t->quitCount, 1);
        QVERIFY(t->readFile(QStringLiteral("kodoplet.ini")).startsWith("[kodoplet]\r\n"));
    }

    // A modal dialog open at that moment is cancelled first, then the program ends.
    void openDialogIsCancelledFirst()
    {
        QDialog dialog(f);
        dialog.setModal(true);
        QTimer::singleShot(0, [] { StartUp::requestExit(); });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QTRY_COMPARE(t->quitCount, 1);
    }
};

QTEST_MAIN(TestExitRequestGui)
#include "test_exitrequest_gui.moc"
