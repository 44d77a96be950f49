#include "app/AppPaths.h"
#include "app/CommandLine.h"
#include "app/SettingsFile.h"
#include "files/WorkFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Where the program reads and writes, and what its command line names.
class TestAppPaths : public QObject {
    Q_OBJECT

private slots:
    void resolve_data()
    {
        QTest::addColumn<QString>("exe");
        QTest::addColumn<bool>("beside");      // Language/ beside the executable
        QTest::addColumn<bool>("shared");      // ../share/kodoplet/Language
        QTest::addColumn<bool>("writable");
        QTest::addColumn<QString>("xdgConfig");
        QTest::addColumn<QString>("xdgCache");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("work");
        QTest::addColumn<QString>("user");

        const QString b = QStringLiteral("/src/kodoplet/build/");
        const QString bin = QStringLiteral("/usr/local/bin/");
        const QString share = QStringLiteral("/usr/local/share/kodoplet/");
        const QString cfg = QStringLiteral("/home/u/.config/kodoplet/");
        const QString cache = QStringLiteral("/home/u/.cache/kodoplet/");
        const QString home = QStringLiteral("/home/u/");
        QTest::newRow("build copy") << b << true << false << true << "" << "" << false << b << b << b << b;
        QTest::newRow("build copy ignores XDG") << b << true << false << true << "/x" << "/y" << false << b << b << b << b;
        QTest::newRow("build copy beside an installed one") << bin << true << true << true << "" << "" << false << bin << bin << bin << bin;
        QTest::newRow("no data anywhere, writable") << b << false << false << true << "" << "" << false << b << b << b << b;
        QTest::newRow("installed, writable (root)") << bin << false << true << true << "" << "" << true << share << cfg << cache << home;
        QTest::newRow("installed, read-only") << bin << false << true << false << "" << "" << true << share << cfg << cache << home;
        QTest::newRow("installed, XDG set") << bin << false << true << true << "/xdg/conf" << "/xdg/cache/" << true << share
                                            << "/xdg/conf/kodoplet/" << "/xdg/cache/kodoplet/" << home;
        QTest::newRow("relative XDG is ignored") << bin << false << true << true << "conf" << "./cache" << true << share << cfg << cache << home;
        QTest::newRow("read-only copy with its data") << b << true << false << false << "" << "" << true << b << cfg << cache << home;
        QTest::newRow("read-only, no data anywhere") << b << false << false << false << "" << "" << true << b << cfg << cache << home;
    }
    void resolve()
    {
        QFETCH(QString, exe);
        QFETCH(bool, beside);
        QFETCH(bool, shared);
        QFETCH(bool, writable);
        QFETCH(QString, xdgConfig);
        QFETCH(QString, xdgCache);
        AppPaths::Layout l;
        l.executableFolder = exe;
        l.languageBeside = beside;
        l.languageShared = shared;
        l.executableFolderWritable = writable;
        l.xdgConfigHome = xdgConfig;
        l.xdgCacheHome = xdgCache;
        l.home = QStringLiteral("/home/u/");
        const AppPaths p = AppPaths::resolve(l);
        QTEST(p.installed, "installed");
        QTEST(p.DataFolder, "data");
        QTEST(p.ConfigFolder, "config");
        QTEST(p.WorkFolder, "work");
        QTEST(p.UserFolder, "user");
    }

    // Unsaved texts: beside a self-contained copy, else in the XDG state folder.
    void recoveryFolder_data()
    {
        QTest::addColumn<bool>("beside");
        QTest::addColumn<QString>("xdgState");
        QTest::addColumn<QString>("folder");
        QTest::newRow("build copy") << true << "/xdg/state" << "/src/build/recovery/";
        QTest::newRow("installed") << false << "" << "/home/u/.local/state/kodoplet/recovery/";
        QTest::newRow("installed, XDG set") << false << "/xdg/state/" << "/xdg/state/kodoplet/recovery/";
        QTest::newRow("relative XDG is ignored") << false << "state" << "/home/u/.local/state/kodoplet/recovery/";
    }
    void recoveryFolder()
    {
        QFETCH(bool, beside);
        AppPaths::Layout l;
        l.executableFolder = QStringLiteral("/src/build/");
        l.languageBeside = beside;
        l.languageShared = !beside;
        QFETCH(QString, xdgState);
        l.xdgStateHome = xdgState;
        l.home = QStringLiteral("/home/u");
        QTEST(AppPaths::resolve(l).RecoveryFolder, "folder");
    }

    // The build copy's folders are the program folder itself, with its own separator.
    void buildCopyKeepsTheProgramFolderAsItIs()
    {
        Settings s;
        SettingsFile::initDefaults(s, QStringLiteral("C:\\Kodoplet"));
        AppPaths::Layout l;
        l.executableFolder = s.ProgramFolder;
        l.languageBeside = true;
        AppPaths::resolve(l).applyTo(s);
        for (const QString &f : {s.DataFolder, s.ConfigFolder, s.WorkFolder, s.UserFolder, s.LastFolder})
            QCOMPARE(f, QStringLiteral("C:\\Kodoplet\\"));
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
        QFile f(root + QStringLiteral("prefix/bin/Language"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
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
        QFile blocker(dir.path() + QStringLiteral("/cache"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
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
