// The two settings files: kodoplet.ini, and the view options' file, where every
// line it cannot read leaves its default.
#include "app/SettingsFile.h"
#include "app/ViewSettings.h"
#include "files/DiskFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList describe(const Settings &s)
{
    const auto b = [](bool v) { return v ? QStringLiteral("true") : QStringLiteral("false"); };
    return {s.ProgramFolder, s.PathSeparator, s.LanguageFile, QString::number(s.WrapMode), s.ProjectPath,
            s.EditorFontName, QString::number(s.EditorFontSize), b(s.EditorFontBold), b(s.EditorFontItalic),
            s.LastFolder, b(s.ToolbarChecked), b(s.ListTagsChecked)};
}

QByteArray lines(const QStringList &l) { return (l.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8(); }

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString ini() const { return m_dir.filePath(QStringLiteral("kodoplet.ini")); }
    QString viewPath() const { return m_dir.filePath(ViewSettings::fileName()); }
    Settings defaults() const
    {
        Settings s;
        SettingsFile::initDefaults(s, m_dir.path());
        return s;
    }
    mutable bool m_ok = false;
    // Writes the file, then reads it over fresh defaults.
    Settings readIni(const QByteArray &bytes) const
    {
        disk::put(ini(), bytes);
        Settings s = defaults();
        m_ok = SettingsFile::read(ini(), s);
        return s;
    }

private slots:
    // A missing file gives every default; the bytes a save writes.
    void missingFileThenExactBytes()
    {
        Settings s = defaults();
        QVERIFY(!SettingsFile::read(m_dir.filePath(QStringLiteral("none.ini")), s));
        const QString folder = m_dir.path() + u'/';
        QCOMPARE(describe(s), (QStringList{folder, "/", "", "0", "", "MS Sans Serif", "12", "true", "false", folder, "true", "true"}));
        SettingsFile::initDefaults(s, QString());
        QCOMPARE(s.ProgramFolder, QStringLiteral("./"));
        s = defaults();
        s.LanguageFile = QStringLiteral("Русский.txt");
        s.ToolbarChecked = false;
        s.WrapMode = -1;   // negative numbers have no leading blank
        s.EditorFontSize = 2147483647;
        s.LastFolder = QStringLiteral("/p/");
        QCOMPARE(SettingsFile::bytes(s), QByteArray("[kodoplet]\r\n"
                                                    "\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9.txt\r\n"
                                                    "False\r\nTrue\r\n-1 \r\n\r\nMS Sans Serif\r\n"
                                                    " 2147483647 \r\nTrue\r\nFalse\r\n/p/\r\n"));
        // A value with a comma is written in quotes, so the fields after it do not shift at the next start.
        s.ProjectPath = QStringLiteral("/home/u/My,Project.wpr");
        s.EditorFontSize = 10;   // a size the editor can draw
        QCOMPARE(describe(readIni(SettingsFile::bytes(s))), describe(s));
    }

    // A wrong header takes nothing; an unquoted comma cuts the value and shifts the rest.
    void wrongHeaderAndUnquotedComma()
    {
        const QStringList rest = {"English.txt", "False", "False", " 1 ", "/p.wpr", "Arial", " 9 ", "False", "True", "/x/"};
        for (const QString &header : {QStringLiteral("[Kodoplet]"), QStringLiteral("kodoplet"), QString()}) {
            QCOMPARE(describe(readIni(lines(QStringList{header} + rest))), describe(defaults()));
            QVERIFY(!m_ok);
        }
        QCOMPARE(readIni(lines(QStringList{"  [kodoplet]  "} + rest)).EditorFontName, QStringLiteral("Arial"));
        const Settings s = readIni(lines({"[kodoplet]", "English.txt", "True", "False", " 0 ", "/home/u/My,Project.wpr",
                                          "Courier", " 10 ", "False", "True", "/home/u/"}));
        // "Courier" is no size: 12 stays; " 10 " as a boolean is true.
        QCOMPARE(describe(s).mid(2), (QStringList{"English.txt", "0", "/home/u/My", "Project.wpr", "12", "true",
                                           "false", "True", "true", "false"}));
    }

    void damagedFilesKeepDefaults()
    {
        QByteArray binary(4096, '\0');
        for (int i = 0; i < binary.size(); ++i)
            binary[i] = char(i * 7919 % 251);
        QCOMPARE(describe(readIni(binary)), describe(defaults()));
        // A file far bigger than any settings file.
        QCOMPARE(describe(readIni(lines({"[kodoplet]", "English.txt", "False", QString(2 * 1024 * 1024, u'x')}))),
                 describe(defaults()));
        // Only three lines: the rest stays as it was.
        QStringList expected = describe(defaults());
        expected[2] = QStringLiteral("English.txt");
        expected[10] = QStringLiteral("false");
        QCOMPARE(describe(readIni(lines({"[kodoplet]", "English.txt", "False"}))), expected);
        // Words and overflowing numbers are refused; the fields around them are taken.
        const Settings s = readIni(lines({"[kodoplet]", "English.txt", "yes", "True", "2147483648", "", "Arial", "big",
                                          "False", "False", "/x/"}));
        QCOMPARE(describe(s).mid(3), (QStringList{"0", "", "Arial", "12", "false", "false", "/x/", "true", "true"}));
    }

    void viewRead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QString>("expected");   // highlighting, line numbers, status bar, close tags, auto-indent, completion as "HLSCAX" / "-", then the zoom
        QTest::newRow("all off, CR LF") << QByteArray("[kodoplet-view]\r\nhighlighting=false\r\nlineNumbers=false\r\nstatusBar=false\r\n") << true << "---CAX0";
        QTest::newRow("spaces, case, numbers") << QByteArray("highlighting = FALSE\nlineNumbers= 0 \nstatusBar=1\n") << true << "--SCAX0";
        QTest::newRow("damaged values keep defaults") << QByteArray("highlighting=perhaps\nlineNumbers=\n=false\nstatusBar\n") << true << "HLSCAX0";
        QTest::newRow("unknown keys, later line wins") << QByteArray("colour=red\nstatusBar=false\nstatusBar=true\nlineNumbers=false\n") << true << "H-SCAX0";
        QTest::newRow("mark-up options, zoom") << QByteArray("closeTags=false\nautoIndent=0\ncompletion=0\nzoom= -3\n") << true << "HLS----3";
        QTest::newRow("zoom out of range") << QByteArray("zoom=99999999999\n") << true << "HLSCAX60";
        QTest::newRow("zoom below range") << QByteArray("zoom=-50\n") << true << "HLSCAX-10";
        QTest::newRow("zoom not a number") << QByteArray("zoom=4x\nzoom=\n") << true << "HLSCAX0";
        QTest::newRow("binary") << QByteArray("\x00\x01\x02highlighting=false", 20) << false << "HLSCAX0";
        QTest::newRow("empty") << QByteArray("") << true << "HLSCAX0";
        QTest::newRow("missing") << QByteArray() << false << "HLSCAX0";
    }
    void viewRead()
    {
        QFETCH(QByteArray, bytes);
        QFile::remove(viewPath());
        if (!bytes.isNull())
            disk::put(viewPath(), bytes);
        ViewSettings v;
        QTEST(v.read(viewPath()), "readable");
        const QString got = QString(v.Highlighting ? u'H' : u'-') + (v.LineNumbers ? u'L' : u'-') + (v.StatusBar ? u'S' : u'-')
            + (v.CloseTags ? u'C' : u'-') + (v.AutoIndent ? u'A' : u'-') + (v.Completion ? u'X' : u'-')
            + QString::number(v.Zoom);
        QTEST(got, "expected");
    }

    // Recent files, pages and the frame: a line that cannot be used is passed over.
    void viewSessionLines()
    {
        QByteArray bytes = "frame=1,2,0,5\nframe=10,20,300,200\nframe=1,2,3\nframeMaximized=yes\n"
                           "recent=/a.htm\nrecent=\nrecent=/b.htm\nrecent=/a.htm\n"
                           "page=3:/c:d.htm\npage=x:/e.htm\npage=-1:/f.htm\npage=/g.htm\npage=0:\n";
        for (int i = 0; i < 12; ++i)
            bytes += "recent=/r" + QByteArray::number(i) + "\n";
        disk::put(viewPath(), bytes);
        ViewSettings v;
        QVERIFY(v.read(viewPath()));
        QCOMPARE(v.FrameGeometry, QRect(10, 20, 300, 200));
        QVERIFY(!v.FrameMaximized);
        QCOMPARE(v.RecentFiles.size(), ViewSettings::MaxRecent);
        QCOMPARE(v.RecentFiles.mid(0, 3), (QStringList{"/a.htm", "/b.htm", "/r0"}));
        QCOMPARE(v.Pages, (QList<ViewSettings::Page>{{"/c:d.htm", 3}}));
        // Written and read back alike, the options too; a name with a line break is never written.
        v.RecentFiles.prepend(QStringLiteral("/x\ny.htm"));
        v.Pages.append({QStringLiteral("/p q.htm"), 7});
        v.LineNumbers = v.AutoIndent = v.Completion = false;
        v.Zoom = -4;
        QCOMPARE(v.write(viewPath()), 0);
        QVERIFY(ViewSettings().write(m_dir.filePath("no/such/folder/x.ini")) != 0);
        ViewSettings back;
        back.Highlighting = false;
        QVERIFY(back.read(viewPath()));
        QVERIFY(back.Highlighting && !back.LineNumbers && back.StatusBar && back.CloseTags && !back.AutoIndent && !back.Completion);
        QCOMPARE(back.Zoom, -4);
        QCOMPARE(back.RecentFiles, v.RecentFiles.mid(1, ViewSettings::MaxRecent));
        QCOMPARE(back.Pages, v.Pages);
        QCOMPARE(back.FrameGeometry, v.FrameGeometry);
        // The newest first, once, ten at most.
        QStringList recent{"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8", "/9", "/10"};
        ViewSettings::addRecent(recent, QStringLiteral("/5"));
        ViewSettings::addRecent(recent, QStringLiteral("/new"));
        QCOMPARE(recent, (QStringList{"/new", "/5", "/1", "/2", "/3", "/4", "/6", "/7", "/8", "/9"}));
    }

    void frameFitsTheScreen_data()
    {
        QTest::addColumn<QRect>("stored");
        QTest::addColumn<QRect>("fitted");
        const QRect screen(0, 0, 960, 540);   // 1920 x 1080 at a scale of 2
        QTest::newRow("inside stays") << QRect(10, 10, 900, 500) << QRect(10, 10, 900, 500);
        QTest::newRow("larger: the screen") << QRect(0, 0, 1800, 1300) << screen;
        QTest::newRow("off to the right: moved back") << QRect(900, 100, 400, 300) << QRect(560, 100, 400, 300);
        QTest::newRow("above and left: moved in") << QRect(-500, -80, 400, 300) << QRect(0, 0, 400, 300);
    }
    void frameFitsTheScreen()
    {
        QFETCH(QRect, stored);
        QTEST(ViewSettings::fittedFrame(stored, QRect(0, 0, 960, 540)), "fitted");
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "test_settingsfile.moc"
