#include "app/ViewSettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The second settings file: every line it cannot read leaves its default, and
// what is written comes back.
class TestViewSettings : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(ViewSettings::fileName()); }

private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QString>("expected");   // highlighting, line numbers, status bar as "HLS" / "-"
        QTest::newRow("all off, CR LF") << QByteArray("[kodoplet-view]\r\nhighlighting=false\r\nlineNumbers=false\r\nstatusBar=false\r\n") << true << "---";
        QTest::newRow("spaces, case, numbers") << QByteArray("highlighting = FALSE\nlineNumbers= 0 \nstatusBar=1\n") << true << "--S";
        QTest::newRow("damaged values keep defaults") << QByteArray("highlighting=perhaps\nlineNumbers=\n=false\nstatusBar\n") << true << "HLS";
        QTest::newRow("unknown keys, later line wins") << QByteArray("colour=red\nstatusBar=false\nstatusBar=true\nlineNumbers=false\n") << true << "H-S";
        QTest::newRow("binary") << QByteArray("\x00\x01\x02highlighting=false", 20) << false << "HLS";
        QTest::newRow("empty") << QByteArray("") << true << "HLS";
        QTest::newRow("missing") << QByteArray() << false << "HLS";
    }
    void read()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, readable);
        QFETCH(QString, expected);
        QFile f(path());
        QVERIFY(bytes.isNull() ? !f.exists() || f.remove() : f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        f.close();
        ViewSettings v;
        QCOMPARE(v.read(path()), readable);
        const QString got = QString(v.Highlighting ? u'H' : u'-') + (v.LineNumbers ? u'L' : u'-') + (v.StatusBar ? u'S' : u'-');
        QCOMPARE(got, expected);
    }

    void writeComesBack()
    {
        ViewSettings v;
        v.LineNumbers = false;
        QCOMPARE(v.write(path()), 0);
        ViewSettings back;
        back.Highlighting = false;
        QVERIFY(back.read(path()));
        QVERIFY(back.Highlighting && !back.LineNumbers && back.StatusBar);
        QVERIFY(ViewSettings().write(m_dir.filePath("no/such/folder/x.ini")) != 0);
    }
};

QTEST_GUILESS_MAIN(TestViewSettings)
#include "test_viewsettings.moc"
