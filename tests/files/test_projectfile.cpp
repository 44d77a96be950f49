// Project files on disk: the bytes a save writes, the reading rules, a write that
// fails, the project list's entries and the page listing of a folder.
#include "files/FolderPages.h"
#include "files/ProjectFile.h"
#include "files/ProjectList.h"
#include "files/TextFile.h"

#include <QtTest>
#include <optional>

namespace {
ProjectList listOf(const QStringList &paths)
{
    ProjectList list;
    for (const QString &p : paths)
        list.AddFile(p);
    return list;
}
void touch(const QString &path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}
} // namespace

class TestProjectFile : public QObject {
    Q_OBJECT
    std::optional<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->filePath(name); }

private slots:
    void init() { m_dir.emplace(); }

    void savedBytes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty project") << "Site" << QStringList{} << QByteArray("Site\r\n");
        QTest::newRow("untitled entries are not written")
            << "Site" << QStringList{"[2]1", "[2]3"} << QByteArray("Site\r\n");
        QTest::newRow("paths in list order, untitled skipped")
            << "Site" << QStringList{"/w/b.htm", "[2]1", "/w/a.htm", "/a.htm"}
            << QByteArray("Site\r\n/w/b.htm\r\n/w/a.htm\r\n/a.htm\r\n");
        QTest::newRow("utf8, no mark") << "Сайт №1" << QStringList{"/сайт/главная.htm"}
                                       << QByteArray("\xD0\xA1\xD0\xB0\xD0\xB9\xD1\x82 \xE2\x84\x96" "1\r\n"
                                                     "/\xD1\x81\xD0\xB0\xD0\xB9\xD1\x82/"
                                                     "\xD0\xB3\xD0\xBB\xD0\xB0\xD0\xB2\xD0\xBD\xD0\xB0\xD1\x8F.htm\r\n");
        QTest::newRow("comma name quoted") << "Me, my site" << QStringList{"/a.htm"}
                                           << QByteArray("\"Me, my site\"\r\n/a.htm\r\n");
        QTest::newRow("plain name with quote unchanged") << "My \"best\" site" << QStringList{}
                                                        << QByteArray("My \"best\" site\r\n");
        QTest::newRow("blanks at the ends quoted") << " Site " << QStringList{} << QByteArray("\" Site \"\r\n");
        QTest::newRow("line break in name") << "Two\r\nlines" << QStringList{} << QByteArray("Two lines\r\n");
        QTest::newRow("path with a line break skipped")
            << "S" << QStringList{"/w/odd\nname.htm", "/w/a.htm"} << QByteArray("S\r\n/w/a.htm\r\n");
        QTest::newRow("empty name") << "" << QStringList{"/a.htm"} << QByteArray("\r\n/a.htm\r\n");
    }
    void savedBytes()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, entries);
        QFETCH(QByteArray, bytes);
        const ProjectList list = listOf(entries);
        QCOMPARE(ProjectFile::bytes(name, list), bytes);
        QCOMPARE(ProjectFile::write(path("p.wpr"), name, list), 0);
        QFile f(path("p.wpr"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), bytes);
    }

    void reading_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("entries");   // short names after AddFile
        QTest::newRow("plain") << QByteArray("Site\r\n/w/a.htm\r\n/w/b.htm\r\n") << "Site"
                               << QStringList{"a.htm", "b.htm"};
        QTest::newRow("no final break") << QByteArray("Site\r\n/w/a.htm") << "Site" << QStringList{"a.htm"};
        QTest::newRow("lf breaks") << QByteArray("Site\n/w/a.htm\n") << "Site" << QStringList{"a.htm"};
        QTest::newRow("blanks around name") << QByteArray("  Site  \r\n") << "Site" << QStringList{};
        QTest::newRow("quoted name") << QByteArray("\"Me, my site\"\r\n/w/a.htm\r\n") << "Me, my site"
                                     << QStringList{"a.htm"};
        // An older file: the name ends at the comma, the rest is a first entry.
        QTest::newRow("unquoted comma") << QByteArray("Me, /w/my site.htm\r\n/w/a.htm\r\n") << "Me"
                                        << QStringList{"my site.htm", "a.htm"};
        QTest::newRow("comma at the end") << QByteArray("Me,\r\n/w/a.htm\r\n") << "Me" << QStringList{"", "a.htm"};
        QTest::newRow("unclosed quote stays on its line")
            << QByteArray("\"Site\r\n/w/a.htm\r\n") << "Site" << QStringList{"a.htm"};
        QTest::newRow("empty line is one empty entry")
            << QByteArray("S\r\n\r\n/w/a.htm\r\n\r\n") << "S" << QStringList{"", "a.htm"};
        QTest::newRow("repeated path once") << QByteArray("S\r\n/w/a.htm\r\n/w/a.htm\r\n") << "S"
                                            << QStringList{"a.htm"};
        QTest::newRow("letter case is another file") << QByteArray("S\r\n/w/a.htm\r\n/w/A.htm\r\n") << "S"
                                                     << QStringList{"a.htm", "A.htm"};
        QTest::newRow("no separator like untitled") << QByteArray("S\r\nloose.htm\r\n") << "S"
                                                    << QStringList{"loose.htm"};
        QTest::newRow("windows-1251") << QByteArray("\xD1\xE0\xE9\xF2\r\n/w/\xE0.htm\r\n") << "Сайт"
                                      << QStringList{"а.htm"};
        QTest::newRow("utf8 mark") << QByteArray("\xEF\xBB\xBF" "S\r\n/w/\xD0\xB0.htm\r\n") << "S"
                                   << QStringList{"а.htm"};
        QTest::newRow("empty file") << QByteArray() << "" << QStringList{};
    }
    void reading()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QFETCH(QStringList, entries);
        {
            QFile f(path("p.wpr"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        ProjectData data;
        QCOMPARE(ProjectFile::read(path("p.wpr"), data), 0);
        QCOMPARE(data.name, name);
        ProjectList list;
        list.AddFile(QStringLiteral("/old/x.htm"));
        list.clear();
        ProjectFile::fill(list, data);
        QCOMPARE(list.LstFileName, entries);
        QVERIFY(!list.IzmProekt);
    }

    // What a save writes comes back as it was: names that need quotes included.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "Site";
        QTest::newRow("comma") << "Me, my site, 2";
        QTest::newRow("leading quote") << "\"Best\" site";
        QTest::newRow("blanks") << "  spaced  ";
        QTest::newRow("cyrillic comma") << "Сайт, главный";
    }
    void roundTrip()
    {
        QFETCH(QString, name);
        const ProjectList list = listOf({"/w/a.htm", "[2]1", "/w/b,c.htm", "/w/a b.htm"});
        QCOMPARE(ProjectFile::write(path("p.wpr"), name, list), 0);
        ProjectData data;
        QCOMPARE(ProjectFile::read(path("p.wpr"), data), 0);
        QString expected = name;
        if (name.startsWith(u'"'))
            expected.replace(u'"', u'\'');   // inside quotes a quote cannot be read back
        QCOMPARE(data.name, expected);
        QCOMPARE(data.lines, QStringList({"/w/a.htm", "/w/b,c.htm", "/w/a b.htm"}));
    }

    void failures()
    {
        ProjectData data;
        data.name = QStringLiteral("kept");
        QCOMPARE(ProjectFile::read(path("none.wpr"), data), TextFile::NotFound);
        QCOMPARE(data.name, QStringLiteral("kept"));
        {
            QFile f(path("bin.wpr"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray("S\r\n\0\0\0", 6));
        }
        QCOMPARE(ProjectFile::read(path("bin.wpr"), data), TextFile::OpenFailed);
        QCOMPARE(ProjectFile::read(m_dir->path(), data), TextFile::OpenFailed);
        // A write into a missing folder fails and leaves nothing behind.
        QCOMPARE(ProjectFile::write(path("no/p.wpr"), QStringLiteral("S"), listOf({"/a.htm"})), TextFile::PathAccess);
        QVERIFY(!QFileInfo::exists(path("no")));
    }

    void listEntries()
    {
        ProjectList list;
        int changes = 0;
        list.onChange = [&] { ++changes; };
        list.AddFile(QStringLiteral("[2]1"));
        list.AddFile(QStringLiteral("/w/a.htm"));
        list.AddFile(QStringLiteral("/w/a.htm"));
        QCOMPARE(changes, 2);
        QCOMPARE(list.openName(0), QStringLiteral("[2]1"));
        QCOMPARE(list.openName(1), QStringLiteral("/w/a.htm"));
        QCOMPARE(list.fullPath(0), QString());
        // Removing: a file marks the project changed, an untitled name does not,
        // and a path that is not listed changes nothing.
        list.IzmProekt = false;
        list.DeleteFile(QStringLiteral("[2]1"));
        QVERIFY(!list.IzmProekt);
        list.DeleteFile(QStringLiteral("/w/other.htm"));
        QVERIFY(!list.IzmProekt);
        QCOMPARE(changes, 3);
        list.DeleteFile(QStringLiteral("/w/a.htm"));
        QVERIFY(list.IzmProekt);
        QCOMPARE(list.count(), 0);
        // A name with a colon is still an untitled entry.
        list.IzmProekt = false;
        list.AddFile(QStringLiteral("C:page"));
        list.DeleteFile(QStringLiteral("C:page"));
        QVERIFY(!list.IzmProekt);
        list.clear();
        QCOMPARE(changes, 6);   // an empty list clears without a change
    }

    void folderPages()
    {
        const QString dir = path("pages");
        QVERIFY(QDir().mkpath(dir + QStringLiteral("/sub.htm")));   // a folder, not a page
        for (const char *name : {"b.htm", "a.HTML", "C.Htm", "c.htm", "x.php", "x.PHP", "note.txt", "page.htm0",
                                 ".hidden.htm", "htm", ".htm", "Index.html", "index.html"})
            touch(dir + u'/' + QLatin1String(name));
        QCOMPARE(FolderPages::list(dir),
                 QStringList({"a.HTML", "b.htm", "C.Htm", "c.htm", "Index.html", "index.html", "x.PHP", "x.php"}));
        QVERIFY(QDir().mkpath(path("empty")));
        QCOMPARE(FolderPages::list(path("empty")), QStringList{});
        QCOMPARE(FolderPages::list(path("gone")), QStringList{});
        QVERIFY(FolderPages::isPage(QStringLiteral("a.HtM")));
        QVERIFY(!FolderPages::isPage(QStringLiteral("a.html.bak")));
    }
};

QTEST_GUILESS_MAIN(TestProjectFile)
#include "test_projectfile.moc"
