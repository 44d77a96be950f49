// The hand-over between a second start and the running copy, over a real socket
// (the running side on a thread of its own, as it would be in another process).
#include "platform/SingleInstance.h"

#include <QFile>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

class TestSingleInstance : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString name() const { return m_dir.filePath(QStringLiteral("k.socket")); }

private slots:
    void handOver()
    {
        // Nobody running: the second start runs on its own, at once.
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!SingleInstance(name()).sendToRunning({QString(), QStringLiteral("/a.htm")}));
        QVERIFY(clock.elapsed() < 1000);

        // A socket file left by a copy that died is taken over.
        QFile stale(name());
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        QThread thread;
        auto *running = new SingleInstance(name());
        running->moveToThread(&thread);
        connect(&thread, &QThread::finished, running, &QObject::deleteLater);
        thread.start();
        bool listening = false;
        QMetaObject::invokeMethod(running, [&] { listening = running->listen(); }, Qt::BlockingQueuedConnection);
        QVERIFY(listening);
        QList<QStringList> got;
        connect(running, &SingleInstance::received, this, [&](const QStringList &m) { got << m; });

        // Garbage and a silent client change nothing; the next start still gets through.
        QLocalSocket junk;
        junk.connectToServer(name());
        QVERIFY(junk.waitForConnected(1000));
        junk.write(QByteArray("\xff\xff\xff\xff garbage", 13));
        junk.waitForBytesWritten(1000);
        QLocalSocket silent;
        silent.connectToServer(name());
        QVERIFY(silent.waitForConnected(1000));

        const QStringList message{QStringLiteral("/p.wpr"), QStringLiteral("/x y.htm"), QString::fromUtf8("/страница.htm")};
        QVERIFY(SingleInstance(name()).sendToRunning(message));
        QTRY_COMPARE(got, QList<QStringList>{message});
        thread.quit();
        thread.wait();
    }
};

QTEST_MAIN(TestSingleInstance)
#include "test_singleinstance.moc"
