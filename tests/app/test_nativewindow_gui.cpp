// The frame's native window made anew (as Qt does when the first web view
// arrives): the frame stays where it stood and the dialogs over it keep it as
// their owner, so they do not fall behind it.
#include "platform/NativeWindowKeeper.h"

#include <QDialog>
#include <QWindow>
#include <QtTest>

namespace {
struct Frame : QWidget {
    void remake()
    {
        destroy();
        create();
        show();
    }
};
} // namespace

class TestNativeWindow : public QObject {
    Q_OBJECT
private slots:
    void remadeWindowKeepsPlaceAndDialogs()
    {
        Frame frame;
        frame.resize(400, 300);
        frame.move(120, 80);
        NativeWindowKeeper *keeper = NativeWindowKeeper::attach(&frame);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        const QPoint place = frame.windowHandle()->framePosition();

        QDialog modeless(&frame);
        modeless.resize(200, 100);
        modeless.show();
        QVERIFY(QTest::qWaitForWindowExposed(&modeless));
        QDialog closed(&frame);  // not shown: left alone

        const WId before = frame.winId();
        frame.remake();
        QCOMPARE(keeper->recreations(), 1);
        QVERIFY(frame.winId() != before);
        QTRY_COMPARE(modeless.windowHandle()->transientParent(), frame.windowHandle());
        QVERIFY(modeless.isVisible());
        QVERIFY(!closed.isVisible());
        QCOMPARE(frame.windowHandle()->framePosition(), place);

        // A move after the new window stands is followed again.
        frame.move(150, 90);
        QTRY_COMPARE(frame.pos(), QPoint(150, 90));
        frame.remake();
        QCOMPARE(keeper->recreations(), 2);
        QTRY_COMPARE(frame.windowHandle()->framePosition(), QPoint(150, 90));
    }
};

QTEST_MAIN(TestNativeWindow)
#include "test_nativewindow_gui.moc"
