// The real program as a process: an installed copy (cmake --install to a
// temporary prefix) keeps its files in the XDG folders of a temporary home,
// reads its data from share/kodoplet and ends on SIGTERM as File > Exit ends it.
// (A copy beside its Language folder is what every GUI test starts.)
#include "app/SettingsFile.h"
#include "lang/LanguageData.h"
#include "common/TextFile.h"
#include "files/DiskFiles.h"
#include "lang/LanguageFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

class TestInstall : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString root() const { return m_dir.path() + u'/'; }
    static QString buildDir() { return qEnvironmentVariable("KODOPLET_BUILD_DIR"); }
    static QString sourceDir() { return qEnvironmentVariable("KODOPLET_SOURCE_DIR"); }

    static QStringList entries(const QString &folder)
    {
        QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        names.sort();
        return names;
    }
    // Every file below folder, as paths relative to it, sorted.
    static QStringList filesBelow(const QString &folder)
    {
        QStringList files;
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << QDir(folder).relativeFilePath(it.next());
        files.sort();
        return files;
    }
    // The value of attribute of each element named element, in document order;
    // empty when the file is no well-formed XML.
    static QStringList xmlValues(const QString &path, const QString &element, const QString &attribute = QString())
    {
        QXmlStreamReader xml(disk::get(path));
        QStringList values;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == element)
                values << (attribute.isEmpty() ? xml.readElementText() : xml.attributes().value(attribute).toString());
        }
        return xml.hasError() ? QStringList{QStringLiteral("error: ") + xml.errorString()} : values;
    }
    // Runs the program with home as its home, waits until the page template has
    // been written (start-up has reached the first page), then asks it to end.
    void runUntilTemplate(const QString &program, const QString &home, const QString &templatePath)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"})
            env.remove(QLatin1String(name));
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(home);
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(program, {});
        QVERIFY2(p.waitForStarted(), qPrintable(p.errorString()));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(templatePath).size() > 0 || p.state() == QProcess::NotRunning, 120000);
        QVERIFY2(p.state() == QProcess::Running, "the program ended by itself");
        p.terminate();   // SIGTERM
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
    }

    // The program and its share files, nothing of the build (no test, benchmark
    // or library); the data folder is compared with the sources by the caller.
    void checkInstalledFiles(const QString &prefix)
    {
        const QStringList outside = filesBelow(prefix).filter(QRegularExpression(QStringLiteral("^(?!share/kodoplet/)")));
        QCOMPARE(outside, QStringList({"bin/kodoplet", "share/applications/kodoplet.desktop",
                                       "share/icons/hicolor/scalable/apps/kodoplet.svg", "share/man/man1/kodoplet.1",
                                       "share/metainfo/io.github.kodoplet.Kodoplet.metainfo.xml",
                                       "share/mime/packages/kodoplet.xml"}));

        // Project files are a type of their own, and the desktop entry opens them.
        const QString mime = prefix + QStringLiteral("share/mime/packages/kodoplet.xml");
        QCOMPARE(xmlValues(mime, QStringLiteral("mime-type"), QStringLiteral("type")),
                 QStringList{"application/x-kodoplet-project"});
        QCOMPARE(xmlValues(mime, QStringLiteral("glob"), QStringLiteral("pattern")), QStringList{"*.wpr"});
        const QByteArray desktop = disk::get(prefix + QStringLiteral("share/applications/kodoplet.desktop"));
        QVERIFY(desktop.contains(";application/x-kodoplet-project;\n") && desktop.contains("\nExec=kodoplet %F\n"));
        QVERIFY(desktop.contains("\nCategories=") && desktop.contains(";Utility;"));
        // The software centres' entry starts the installed desktop entry.
        const QString metainfo = prefix + QStringLiteral("share/metainfo/io.github.kodoplet.Kodoplet.metainfo.xml");
        QCOMPARE(xmlValues(metainfo, QStringLiteral("id")), QStringList{"io.github.kodoplet.Kodoplet"});
        QCOMPARE(xmlValues(metainfo, QStringLiteral("launchable")), QStringList{"kodoplet.desktop"});

        // The manual page, with the version filled in; man reads it without a warning.
        const QString manPage = prefix + QStringLiteral("share/man/man1/kodoplet.1");
        const QByteArray roff = disk::get(manPage);
        QVERIFY(roff.contains(".TH KODOPLET 1") && roff.contains("\\-\\-version") && !roff.contains('@'));
        const QString man = QStandardPaths::findExecutable(QStringLiteral("man"));
        if (man.isEmpty())
            return;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("MANWIDTH"), QStringLiteral("80"));
        p.setProcessEnvironment(env);
        p.start(man, {QStringLiteral("--warnings"), QStringLiteral("-E"), QStringLiteral("UTF-8"), QStringLiteral("-P"),
                      QStringLiteral("cat"), QStringLiteral("-l"), manPage});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(p.readAllStandardError(), QByteArray());
        const QByteArray shown = p.readAllStandardOutput();
        QVERIFY(shown.contains("kodoplet [options] [file...]") && shown.contains(".wpr"));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QFileInfo(buildDir() + QStringLiteral("/kodoplet")).isExecutable());
        QVERIFY(m_dir.isValid());
    }

    void installedCopyKeepsItsFilesInTheXdgFolders()
    {
        const QString prefix = root() + QStringLiteral("prefix/");
        QProcess install;
        install.setProcessChannelMode(QProcess::ForwardedChannels);
        install.start(QStringLiteral(KODOPLET_CMAKE), {QStringLiteral("--install"), buildDir(), QStringLiteral("--prefix"), prefix});
        QVERIFY(install.waitForFinished(120000));
        QCOMPARE(install.exitCode(), 0);

        const QString data = prefix + QStringLiteral("share/kodoplet/");
        QCOMPARE(entries(data + QStringLiteral("Language")), entries(sourceDir() + QStringLiteral("/resources/Language")));
        QCOMPARE(entries(data + QStringLiteral("Help")), entries(sourceDir() + QStringLiteral("/resources/Help")));
        QVERIFY(disk::get(prefix + QStringLiteral("share/icons/hicolor/scalable/apps/kodoplet.svg")).contains("<svg"));
        checkInstalledFiles(prefix);
        if (QTest::currentTestFailed())
            return;

        // A language chosen in an earlier run, remembered in the configuration folder.
        const QString home = root() + QStringLiteral("home/");
        const QString config = home + QStringLiteral(".config/kodoplet/");
        Settings s;
        SettingsFile::initDefaults(s, home);
        s.LanguageFile = QStringLiteral("Russian.txt");
        disk::put(config + QStringLiteral("kodoplet.ini"), SettingsFile::bytes(s));
        LanguageData russian;
        QCOMPARE(LanguageFile::read(data + QStringLiteral("Language/Russian.txt"), russian), 0);

        runUntilTemplate(prefix + QStringLiteral("bin/kodoplet"), home, config + QString::fromUtf8("Шаблон.htm"));

        // The language came from share/kodoplet: the new page's title (entry 11) is in it.
        const QString title = QStringLiteral("<title>") + russian.entry(11) + QStringLiteral("</title>");
        QVERIFY2(TextFile::read(config + QString::fromUtf8("Шаблон.htm")).text.contains(title), qPrintable(title));
        QCOMPARE(entries(config), QStringList({"kodoplet-view.ini", "kodoplet.ini", QString::fromUtf8("Шаблон.htm")}));
        const QList<QByteArray> lines = disk::get(config + QStringLiteral("kodoplet.ini")).split('\n');
        QCOMPARE(lines.size(), 12);   // eleven lines, each ending with CR LF
        QCOMPARE(lines.at(1), QByteArray("Russian.txt\r"));
        QCOMPARE(lines.at(10), (home + QStringLiteral("\r")).toUtf8());
        // The run wrote nothing into the data folder or the working folder.
        QCOMPARE(entries(data), QStringList({"Help", "Language"}));
        QCOMPARE(entries(home), QStringList{".config"});
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "test_install.moc"
