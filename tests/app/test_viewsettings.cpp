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
        QTest::addColumn<QString>("expected");   // highlighting, line numbers, status bar, close tags, auto-indent as "HLSCA" / "-", then the zoom
        QTest::newRow("all off, CR LF") << QByteArray("[kodoplet-view]\r\nhighlighting=false\r\nlineNumbers=false\r\nstatusBar=false\r\n") << true << "---CA0";
        QTest::newRow("spaces, case, numbers") << QByteArray("highlighting = FALSE\nlineNumbers= 0 \nstatusBar=1\n") << true << "--SCA0";
        QTest::newRow("damaged values keep defaults") << QByteArray("highlighting=perhaps\nlineNumbers=\n=false\nstatusBar\n") << true << "HLSCA0";
        QTest::newRow("unknown keys, later line wins") << QByteArray("colour=red\nstatusBar=false\nstatusBar=true\nlineNumbers=false\n") << true << "H-SCA0";
        QTest::newRow("mark-up options, zoom") << QByteArray("closeTags=false\nautoIndent=0\nzoom= -3\n") << true << "HLS---3";
        QTest::newRow("zoom out of range") << QByteArray("zoom=99999999999\n") << true << "HLSCA60";
        QTest::newRow("zoom below range") << QByteArray("zoom=-50\n") << true << "HLSCA-10";
        QTest::newRow("zoom not a number") << QByteArray("zoom=4x\nzoom=\n") << true << "HLSCA0";
        QTest::newRow("binary") << QByteArray("\x00\x01\x02highlighting=false", 20) << false << "HLSCA0";
        QTest::newRow("empty") << QByteArray("") << true << "HLSCA0";
        QTest::newRow("missing") << QByteArray() << false << "HLSCA0";
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
        const QString got = QString(v.Highlighting ? u'H' : u'-') + (v.LineNumbers ? u'L' : u'-') + (v.StatusBar ? u'S' : u'-')
            + (v.CloseTags ? u'C' : u'-') + (v.AutoIndent ? u'A' : u'-') + QString::number(v.Zoom);
        QCOMPARE(got, expected);
    }

    void writeComesBack()
    {
        ViewSettings v;
        v.LineNumbers = false;
        v.AutoIndent = false;
        v.Zoom = -4;
        QCOMPARE(v.write(path()), 0);
        ViewSettings back;
        back.Highlighting = false;
        QVERIFY(back.read(path()));
        QVERIFY(back.Highlighting && !back.LineNumbers && back.StatusBar && back.CloseTags && !back.AutoIndent);
        QCOMPARE(back.Zoom, -4);
        QVERIFY(ViewSettings().write(m_dir.filePath("no/such/folder/x.ini")) != 0);
    }
};

QTEST_GUILESS_MAIN(TestViewSettings)
#include "test_viewsettings.moc"
