// Project files on disk: the bytes a save writes, the reading rules, a write that
// fails, the project list's entries and the page listing of a folder.
#include "files/DiskFiles.h"
#include "files/FolderPages.h"
#include "files/ProjectFile.h"
#include "files/ProjectList.h"
#include "common/TextFile.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QtTest>
#include <dirent.h>
#include <optional>

namespace {
ProjectList listOf(const QStringList &paths)
{
    ProjectList list;
    for (const QString &p : paths)
        list.AddFile(p);
    return list;
}
// The names of a folder in the order the system reads them, dot-entries aside.
QStringList directoryOrder(const QString &folder)
{
    QStringList names;
    if (DIR *d = opendir(QFile::encodeName(folder).constData())) {
        while (const dirent *e = readdir(d)) {
            const QString name = QFile::decodeName(e->d_name);
            if (name != QLatin1String(".") && name != QLatin1String(".."))
                names << name;
        }
        closedir(d);
    }
    return names;
}
} // namespace

class TestProjectFile : public QObject {
    Q_OBJECT
    std::optional<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->filePath(name); }

private slots:
    void init() { m_dir.emplace(); }

    // The bytes a save writes, and what reading them gives back.
    void savedBytes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("back");
        const auto row = [](const char *row, const QString &name, const QStringList &entries, const QByteArray &bytes,
                            const QString &back = QStringLiteral("=")) {
            QTest::newRow(row) << name << entries << bytes << (back == u'=' ? name : back);
        };
        row("untitled entries are not written", "Site", {"[2]1", "[2]3"}, "Site\r\n");
        row("paths in list order, untitled skipped", "Site", {"/w/b.htm", "[2]1", "/w/a.htm", "/a.htm"},
            "Site\r\n/w/b.htm\r\n/w/a.htm\r\n/a.htm\r\n");
        row("utf8, no mark", "Сайт №1", {"/сайт/главная.htm"},
            "\xD0\xA1\xD0\xB0\xD0\xB9\xD1\x82 \xE2\x84\x96" "1\r\n/\xD1\x81\xD0\xB0\xD0\xB9\xD1\x82/"
            "\xD0\xB3\xD0\xBB\xD0\xB0\xD0\xB2\xD0\xBD\xD0\xB0\xD1\x8F.htm\r\n");
        row("comma name quoted, paths whole", "Me, my site", {"/w/b,c.htm", "/w/a b.htm"},
            "\"Me, my site\"\r\n/w/b,c.htm\r\n/w/a b.htm\r\n");
        row("cyrillic comma", "Сайт, 2", {}, "\"\xD0\xA1\xD0\xB0\xD0\xB9\xD1\x82, 2\"\r\n");
        row("plain name with quote unchanged", "My \"best\" site", {}, "My \"best\" site\r\n");
        // Inside quotes a quote cannot be read back.
        row("leading quote", "\"Best\" site", {}, "\"'Best' site\"\r\n", "'Best' site");
        row("blanks at the ends quoted", " Site ", {}, "\" Site \"\r\n");
        row("line break in name", "Two\r\nlines", {}, "Two lines\r\n", "Two lines");
        row("path with a line break skipped", "S", {"/w/odd\nname.htm", "/w/a.htm"}, "S\r\n/w/a.htm\r\n");
        row("empty name", "", {"/a.htm"}, "\r\n/a.htm\r\n");
    }
    void savedBytes()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, entries);
        QFETCH(QByteArray, bytes);
        const ProjectList list = listOf(entries);
        QCOMPARE(ProjectFile::bytes(name, list), bytes);
        QCOMPARE(ProjectFile::write(path("p.wpr"), name, list), 0);
        ProjectData data;
        QCOMPARE(ProjectFile::read(path("p.wpr"), data), 0);
        QTEST(data.name, "back");
        const QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
        QCOMPARE(data.lines, lines.mid(1, lines.size() - 2));
    }

    void reading_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("entries");   // short names after AddFile
        const auto row = [](const char *row, const QByteArray &bytes, const QString &name, const QStringList &entries) {
            QTest::newRow(row) << bytes << name << entries;
        };
        row("plain", "Site\r\n/w/a.htm\r\n/w/b.htm\r\n", "Site", {"a.htm", "b.htm"});
        row("no final break", "Site\r\n/w/a.htm", "Site", {"a.htm"});
        row("lf breaks", "Site\n/w/a.htm\n", "Site", {"a.htm"});
        row("blanks around name", "  Site  \r\n", "Site", {});
        // An older file: the name ends at the comma, the rest is a first entry.
        row("unquoted comma", "Me, /w/my site.htm\r\n/w/a.htm\r\n", "Me", {"my site.htm", "a.htm"});
        row("comma at the end", "Me,\r\n/w/a.htm\r\n", "Me", {"", "a.htm"});
        row("unclosed quote stays on its line", "\"Site\r\n/w/a.htm\r\n", "Site", {"a.htm"});
        row("empty line is one empty entry", "S\r\n\r\n/w/a.htm\r\n\r\n", "S", {"", "a.htm"});
        row("repeated path once", "S\r\n/w/a.htm\r\n/w/a.htm\r\n", "S", {"a.htm"});
        row("letter case is another file", "S\r\n/w/a.htm\r\n/w/A.htm\r\n", "S", {"a.htm", "A.htm"});
        row("no separator like untitled", "S\r\nloose.htm\r\n", "S", {"loose.htm"});
        row("windows-1251", "\xD1\xE0\xE9\xF2\r\n/w/\xE0.htm\r\n", "Сайт", {"а.htm"});
        row("utf8 mark", "\xEF\xBB\xBF" "S\r\n/w/\xD0\xB0.htm\r\n", "S", {"а.htm"});
        row("empty file", QByteArray(), "", {});
    }
    void reading()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        disk::put(path("p.wpr"), bytes);
        ProjectData data;
        QCOMPARE(ProjectFile::read(path("p.wpr"), data), 0);
        QCOMPARE(data.name, name);
        ProjectList list;
        list.AddFile(QStringLiteral("/old/x.htm"));
        list.clear();
        ProjectFile::fill(list, data);
        QTEST(list.LstFileName(), "entries");
        QVERIFY(!list.IzmProekt);
    }

    void failures()
    {
        ProjectData data;
        data.name = QStringLiteral("kept");
        QCOMPARE(ProjectFile::read(path("none.wpr"), data), TextFile::NotFound);
        QCOMPARE(data.name, QStringLiteral("kept"));
        disk::put(path("bin.wpr"), QByteArray("S\r\n\0\0\0", 6));
        QCOMPARE(ProjectFile::read(path("bin.wpr"), data), TextFile::OpenFailed);
        QCOMPARE(ProjectFile::read(m_dir->path(), data), TextFile::OpenFailed);
        // A write into a missing folder fails and leaves nothing behind.
        QCOMPARE(ProjectFile::write(path("no/p.wpr"), QStringLiteral("S"), listOf({"/a.htm"})), TextFile::PathAccess);
        QVERIFY(!QFileInfo::exists(path("no")));
    }

    // What counts as a change to save: files added or removed, never untitled
    // names (one with a colon included), a repeat or an unlisted path; a lookup
    // of an unlisted path does. onChange follows every change of the list.
    // Order, repeats, letter case and renames: rowIndexFollowsEveryChange.
    void listChanges()
    {
        ProjectList list;
        int changes = 0;
        list.onChange = [&] { ++changes; };
        list.AddFile(QStringLiteral("[2]1"));
        list.AddFile(QStringLiteral("C:page"));
        list.rename(QStringLiteral("[2]1"), QStringLiteral("Untitled1"));
        QVERIFY(!list.IzmProekt);
        for (const char *file : {"/w/a.htm", "/w/a.htm", "/a.htm"})
            list.AddFile(QLatin1String(file));
        QVERIFY(list.IzmProekt);
        QCOMPARE(changes, 5);
        QCOMPARE(list.LstFileName(), QStringList({"Untitled1", "C:page", "a.htm", "a.htm"}));
        QCOMPARE(list.LstFile().last(), QStringLiteral("a.htm/a.htm"));   // "/" is a folder too
        QCOMPARE(list.fullPath(0), QString());
        list.IzmProekt = false;
        for (const char *name : {"Untitled1", "C:page", "/w/other.htm"})
            list.DeleteFile(QLatin1String(name));
        QVERIFY(!list.IzmProekt);
        QCOMPARE(changes, 7);
        list.DeleteFile(QStringLiteral("/w/a.htm"));
        QVERIFY(list.IzmProekt);
        list.IzmProekt = false;
        QCOMPARE(list.FindFile(QStringLiteral("/w/other.htm")), -1);
        QVERIFY(list.IzmProekt);
        list.DeleteFile(QStringLiteral("/a.htm"));
        QCOMPARE(list.count(), 0);
        const int before = changes;
        list.clear();
        QCOMPARE(changes, before);   // an empty list clears without a change
    }

    // The row index beside the lists follows every change: after each step of a
    // long mixed run, every path of the pool is found exactly where a plain walk
    // over the keys finds it (exact comparison: letter case makes another file).
    void rowIndexFollowsEveryChange()
    {
        const QStringList pool = {"/w/a.htm", "/w/A.htm", "/x/a.htm", "/a.htm", "[2]1", "[2]2", "Untitled3",
                                  "", "/w/b.htm", "/w/sub/b.htm", "b.htm/w"};
        const auto walk = [](const ProjectList &list, const QString &path) {
            const qsizetype p = path.lastIndexOf(u'/');
            const QString key = (p >= 0 ? path.mid(p + 1) : path) + path;
            return int(list.LstFile().indexOf(key));
        };
        ProjectList list;
        QRandomGenerator random(7);
        QStringList expected;   // open names in order, as a plain list keeps them
        for (int step = 0; step < 3000; ++step) {
            const QString a = pool[random.bounded(int(pool.size()))];
            const QString b = pool[random.bounded(int(pool.size()))];
            const int op = random.bounded(10);
            if (op < 4) {
                list.AddFile(a);
                if (!expected.contains(a))
                    expected << a;
            } else if (op < 6) {
                list.DeleteFile(a);
                expected.removeOne(a);
            } else if (op < 8) {
                list.rename(a, b);
                if (expected.contains(a) && a != b) {
                    if (expected.contains(b))
                        expected.removeOne(a);
                    else
                        expected[expected.indexOf(a)] = b;
                }
            } else if (op == 8 && random.bounded(20) == 0) {
                list.clear();
                expected.clear();
            }
            QStringList names;
            for (int i = 0; i < list.count(); ++i)
                names << list.openName(i);
            QCOMPARE(names, expected);
            for (const QString &path : pool)
                QCOMPARE(list.FindFile(path), walk(list, path));
        }
    }

    // A project file of 100,000 lines loads in linear time (a search of the list
    // for every added line took half a minute).
    void largeProjectLoadsInLinearTime()
    {
        ProjectData data;
        data.name = QStringLiteral("Big");
        for (int i = 0; i < 100000; ++i)
            data.lines << QStringLiteral("/site/section%1/page-%2.htm").arg(i % 50).arg(i);
        data.lines << data.lines.first() << data.lines.last();   // repeats are listed once
        ProjectList list;
        QElapsedTimer t;
        t.start();
        ProjectFile::fill(list, data);
        QVERIFY2(t.elapsed() < 5000, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(list.count(), 100000);
        QCOMPARE(list.FindFile(QStringLiteral("/site/section49/page-99999.htm")), 99999);
        list.DeleteFile(data.lines.first());
        QCOMPARE(list.FindFile(QStringLiteral("/site/section49/page-99999.htm")), 99998);
    }

    // Pages group by extension (.html, .htm, .php, any letter case), each group in
    // the order the folder itself gives its names, not sorted.
    void folderPages()
    {
        const QString dir = path("pages");
        QVERIFY(QDir().mkpath(dir + QStringLiteral("/sub.htm")));   // a folder, not a page
        for (const char *name : {"x.php", "b.htm", "a.HTML", "C.Htm", "c.htm", "x.PHP", "note.txt", "page.htm0",
                                 ".hidden.htm", "htm", ".htm", "index.html", "Index.html", "a.htm.html"})
            disk::put(dir + u'/' + QLatin1String(name));
        const QStringList raw = directoryOrder(dir);
        QStringList expected;
        for (const char *ext : {".html", ".htm", ".php"})
            for (const QString &name : raw)
                if (QStringList({"a.HTML", "index.html", "Index.html", "a.htm.html", "b.htm", "C.Htm", "c.htm", "x.php",
                                 "x.PHP"}).contains(name) && name.endsWith(QLatin1String(ext), Qt::CaseInsensitive))
                    expected << name;
        QCOMPARE(expected.size(), 9);
        QCOMPARE(FolderPages::list(dir), expected);
        QVERIFY(QDir().mkpath(path("empty")));
        QCOMPARE(FolderPages::list(path("empty")), QStringList{});
        QCOMPARE(FolderPages::list(path("gone")), QStringList{});
        QVERIFY(FolderPages::isPage(QStringLiteral("a.HtM")));
        QVERIFY(!FolderPages::isPage(QStringLiteral("a.html.bak")));
    }
};

QTEST_GUILESS_MAIN(TestProjectFile)
#include "test_projectfile.moc"
