#include "app/AppPaths.h"
#include "app/CommandLine.h"
#include "app/SettingsFile.h"
#include "files/DiskFiles.h"
#include "files/WorkFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Where the program reads and writes, and what its command line names.
class TestAppPaths : public QObject {
    Q_OBJECT

private slots:
    // Where each kind of copy keeps its data, settings, work files, the user's
    // pages and the unsaved texts.
    void resolve_data()
    {
        QTest::addColumn<QString>("exe");
        QTest::addColumn<QString>("layout");    // b: Language/ beside, s: ../share/kodoplet/Language, w: writable
        QTest::addColumn<QStringList>("xdg");   // config, cache and state homes
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QStringList>("folders");   // data, config, work, user, recovery
        const QString b = "/src/kodoplet/build/", bin = "/usr/local/bin/", share = "/usr/local/share/kodoplet/";
        const QStringList build{b, b, b, b, b + "recovery/"};
        const QStringList home{"/home/u/.config/kodoplet/", "/home/u/.cache/kodoplet/", "/home/u/",
                               "/home/u/.local/state/kodoplet/recovery/"};
        const auto row = [](const char *name, const QString &exe, const char *layout, const QStringList &xdg,
                            bool installed, const QStringList &folders) {
            QTest::newRow(name) << exe << QString::fromLatin1(layout) << xdg << installed << folders;
        };
        row("build copy", b, "bw", {}, false, build);
        row("build copy ignores XDG", b, "bw", {"/x", "/y", "/z"}, false, build);
        row("build copy beside an installed one", bin, "bsw", {}, false, {bin, bin, bin, bin, bin + "recovery/"});
        row("no data anywhere, writable", b, "w", {}, false, build);
        row("installed, writable (root)", bin, "sw", {}, true, QStringList{share} + home);
        row("installed, read-only", bin, "s", {}, true, QStringList{share} + home);
        row("installed, XDG set", bin, "sw", {"/xdg/conf", "/xdg/cache/", "/xdg/state/"}, true,
            {share, "/xdg/conf/kodoplet/", "/xdg/cache/kodoplet/", "/home/u/", "/xdg/state/kodoplet/recovery/"});
        row("relative XDG is ignored", bin, "sw", {"conf", "./cache", "state"}, true, QStringList{share} + home);
        row("read-only copy with its data", b, "b", {}, true, QStringList{b} + home);
        row("read-only, no data anywhere", b, "", {}, true, QStringList{b} + home);
    }
    void resolve()
    {
        QFETCH(QString, exe);
        QFETCH(QString, layout);
        QFETCH(QStringList, xdg);
        AppPaths::Layout l;
        l.executableFolder = exe;
        l.languageBeside = layout.contains(u'b');
        l.languageShared = layout.contains(u's');
        l.executableFolderWritable = layout.contains(u'w');
        l.xdgConfigHome = xdg.value(0);
        l.xdgCacheHome = xdg.value(1);
        l.xdgStateHome = xdg.value(2);
        l.home = "/home/u";
        const AppPaths p = AppPaths::resolve(l);
        QTEST(p.installed, "installed");
        QTEST(QStringList({p.DataFolder, p.ConfigFolder, p.WorkFolder, p.UserFolder, p.RecoveryFolder}), "folders");
    }

    // The build copy's folders are the program folder itself, with its own separator.
    void buildCopyKeepsTheProgramFolderAsItIs()
    {
        Settings s;
        SettingsFile::initDefaults(s, QStringLiteral("C:\\Kodoplet"));
        AppPaths::Layout l;
        l.executableFolder = s.ProgramFolder;
        l.languageBeside = true;
        l.home = QStringLiteral("/home/u");
        AppPaths::resolve(l).applyTo(s);
        for (const QString &f : {s.DataFolder, s.ConfigFolder, s.WorkFolder, s.UserFolder})
            QCOMPARE(f, QStringLiteral("C:\\Kodoplet\\"));
        QCOMPARE(s.LastFolder, QStringLiteral("/home/u/"));   // the first Open starts at home
    }

    // The layout on disk: an installed tree and a build folder.
    void probeReadsTheLayout()
    {
        QTemporaryDir dir;
        const QString root = dir.path() + u'/';
        QVERIFY(QDir().mkpath(root + QStringLiteral("prefix/bin")));
        QVERIFY(QDir().mkpath(root + QStringLiteral("prefix/share/kodoplet/Language")));
        QVERIFY(QDir().mkpath(root + QStringLiteral("build/Language")));
        const AppPaths::Layout installed = AppPaths::probe(root + QStringLiteral("prefix/bin/"));
        QVERIFY(!installed.languageBeside && installed.languageShared);
        QCOMPARE(AppPaths::resolve(installed).DataFolder, root + QStringLiteral("prefix/share/kodoplet/"));
        const AppPaths::Layout build = AppPaths::probe(root + QStringLiteral("build/"));
        QVERIFY(build.languageBeside && !build.languageShared && build.executableFolderWritable);
        // A file named Language is no language folder.
        disk::put(root + QStringLiteral("prefix/bin/Language"));
        QVERIFY(!AppPaths::probe(root + QStringLiteral("prefix/bin/")).languageBeside);
    }

    void ensureFolderMakesAPrivateFolder()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + QStringLiteral("/home/.config/kodoplet/");
        QVERIFY(WorkFiles::ensureFolder(folder) && QFileInfo(folder).isDir());
        QCOMPARE(QFileInfo(folder).permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther), QFile::Permissions());
        QVERIFY(WorkFiles::ensureFolder(folder));   // already there
        // A file where the folder should be: no folder, no crash.
        disk::put(dir.path() + QStringLiteral("/cache"));
        QVERIFY(!WorkFiles::ensureFolder(dir.path() + QStringLiteral("/cache/kodoplet/")));
        QVERIFY(!WorkFiles::ensureFolder(dir.path() + QStringLiteral("/cache/")));
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("documents");
        QTest::addColumn<QString>("project");
        QTest::addColumn<QStringList>("ignored");
        QTest::addColumn<QString>("flags");   // "h" help, "v" version
        using L = QStringList;
        QTest::newRow("nothing") << L{} << L{} << "" << L{} << "";
        QTest::newRow("relative names, in order") << L{"b.js", "sub/a.htm"} << L{"/w/site/b.js", "/w/site/sub/a.htm"} << "" << L{} << "";
        QTest::newRow("absolute and dot-dot") << L{"/tmp/x.htm", "../y.htm", "./z/../q.htm"}
                                              << L{"/tmp/x.htm", "/w/y.htm", "/w/site/q.htm"} << "" << L{} << "";
        QTest::newRow("projects: the last one named") << L{"p.wpr", "a.htm", "/o/Q.WPR"} << L{"/w/site/a.htm"} << "/o/Q.WPR" << L{} << "";
        QTest::newRow("unknown options are left alone") << L{"-x", "--style=fusion", "a.htm", "-"} << L{"/w/site/a.htm"} << ""
                                                        << L{"-x", "--style=fusion", "-"} << "";
        QTest::newRow("help and version") << L{"a.htm", "--help", "-v"} << L{"/w/site/a.htm"} << "" << L{} << "hv";
        QTest::newRow("-- ends the options") << L{"--", "-a.htm", "--help", "--"} << L{"/w/site/-a.htm", "/w/site/--help", "/w/site/--"}
                                             << "" << L{} << "";
        QTest::newRow("file addresses") << L{"file:///tmp/a%20b.htm", "file:c.htm"} << L{"/tmp/a b.htm", "/w/site/c.htm"} << "" << L{} << "";
        QTest::newRow("empty arguments") << L{"", "a.htm", ""} << L{"/w/site/a.htm"} << "" << L{} << "";
    }
    void commandLine()
    {
        QFETCH(QStringList, args);
        const CommandLine c = CommandLine::parse(args, QStringLiteral("/w/site"));
        QTEST(c.documents, "documents");
        QTEST(c.project, "project");
        QTEST(c.ignored, "ignored");
        QTEST(QString(c.help ? "h" : "") + (c.version ? "v" : ""), "flags");
    }
};

QTEST_GUILESS_MAIN(TestAppPaths)
#include "test_apppaths.moc"
