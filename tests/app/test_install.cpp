// The real program as a process: an installed copy (cmake --install to a
// temporary prefix) keeps its files in the XDG folders of a temporary home and
// reads its data from share/kodoplet; a copy beside its Language folder keeps
// everything beside itself. Each run ends on SIGTERM, as File > Exit ends it.
#include "app/SettingsFile.h"
#include "lang/LanguageData.h"
#include "common/TextFile.h"
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
    static QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static bool write(const QString &path, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }
    // A settings file that remembers language; no project, so a new page starts.
    static QByteArray settings(const QString &language, const QString &folder)
    {
        Settings s;
        SettingsFile::initDefaults(s, folder);
        s.LanguageFile = language;
        return SettingsFile::bytes(s);
    }
    // The title a new page gets in that language (entry 11), as the page template holds it.
    static QString titleIn(const QString &languageFile)
    {
        LanguageData data;
        if (LanguageFile::read(languageFile, data) != 0)
            return {};
        return QStringLiteral("<title>") + data.entry(11) + QStringLiteral("</title>");
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
        QXmlStreamReader xml(read(path));
        QStringList values;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == element)
                values << (attribute.isEmpty() ? xml.readElementText() : xml.attributes().value(attribute).toString());
        }
        return xml.hasError() ? QStringList{QStringLiteral("error: ") + xml.errorString()} : values;
    }
    // A page as the program reads it (a new page is written in windows-1251).
    static QString page(const QString &path) { return TextFile::read(path).text; }

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

    // The program and its share files, nothing of the build: no test or
    // benchmark executable, no library.
    void checkInstalledFiles(const QString &prefix)
    {
        QStringList outside;   // the data folder is compared with the sources above
        for (const QString &f : filesBelow(prefix)) {
            const QString name = QFileInfo(f).fileName();
            QVERIFY2(!name.startsWith(QLatin1String("test_")) && !name.startsWith(QLatin1String("bench_"))
                         && !name.startsWith(QLatin1String("fuzz_")) && !name.endsWith(QLatin1String(".a")),
                     qPrintable(f));
            if (!f.startsWith(QLatin1String("share/kodoplet/")))
                outside << f;
        }
        QCOMPARE(outside, QStringList({"bin/kodoplet", "share/applications/kodoplet.desktop",
                                       "share/icons/hicolor/scalable/apps/kodoplet.svg", "share/man/man1/kodoplet.1",
                                       "share/metainfo/io.github.kodoplet.Kodoplet.metainfo.xml",
                                       "share/mime/packages/kodoplet.xml"}));

        // Project files are a type of their own, and the desktop entry opens them.
        const QString mime = prefix + QStringLiteral("share/mime/packages/kodoplet.xml");
        QCOMPARE(xmlValues(mime, QStringLiteral("mime-type"), QStringLiteral("type")),
                 QStringList{"application/x-kodoplet-project"});
        QCOMPARE(xmlValues(mime, QStringLiteral("glob"), QStringLiteral("pattern")), QStringList{"*.wpr"});
        const QByteArray desktop = read(prefix + QStringLiteral("share/applications/kodoplet.desktop"));
        QVERIFY(desktop.contains(";application/x-kodoplet-project;\n"));
        QVERIFY(desktop.contains("\nCategories=") && desktop.contains(";Utility;"));
        // The software centres' entry starts the installed desktop entry.
        const QString metainfo = prefix + QStringLiteral("share/metainfo/io.github.kodoplet.Kodoplet.metainfo.xml");
        QCOMPARE(xmlValues(metainfo, QStringLiteral("id")), QStringList{"io.github.kodoplet.Kodoplet"});
        QCOMPARE(xmlValues(metainfo, QStringLiteral("launchable")), QStringList{"kodoplet.desktop"});

        // The manual page, with the version filled in; man reads it without a warning.
        const QString manPage = prefix + QStringLiteral("share/man/man1/kodoplet.1");
        const QByteArray roff = read(manPage);
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
        QVERIFY(read(prefix + QStringLiteral("share/applications/kodoplet.desktop")).contains("\nExec=kodoplet %F\n"));
        QVERIFY(read(prefix + QStringLiteral("share/icons/hicolor/scalable/apps/kodoplet.svg")).contains("<svg"));
        checkInstalledFiles(prefix);
        if (QTest::currentTestFailed())
            return;

        // A language chosen in an earlier run, remembered in the configuration folder.
        const QString home = root() + QStringLiteral("home/");
        const QString config = home + QStringLiteral(".config/kodoplet/");
        QVERIFY(write(config + QStringLiteral("kodoplet.ini"), settings(QStringLiteral("Russian.txt"), home)));
        const QString title = titleIn(data + QStringLiteral("Language/Russian.txt"));
        QVERIFY(!title.isEmpty());

        runUntilTemplate(prefix + QStringLiteral("bin/kodoplet"), home, config + QString::fromUtf8("Шаблон.htm"));

        // The language came from share/kodoplet: the new page's title is in it.
        QVERIFY2(page(config + QString::fromUtf8("Шаблон.htm")).contains(title), qPrintable(title));
        QCOMPARE(entries(config), QStringList({"kodoplet-view.ini", "kodoplet.ini", QString::fromUtf8("Шаблон.htm")}));
        const QList<QByteArray> lines = read(config + QStringLiteral("kodoplet.ini")).split('\n');
        QCOMPARE(lines.size(), 12);   // eleven lines, each ending with CR LF
        QCOMPARE(lines.at(1), QByteArray("Russian.txt\r"));
        QCOMPARE(lines.at(10), (home + QStringLiteral("\r")).toUtf8());
        // Only the program beside the executable, only Help and Language in the data
        // folder, before and after the run; nothing in the working folder.
        QCOMPARE(entries(prefix + QStringLiteral("bin")), QStringList{"kodoplet"});
        QCOMPARE(entries(data), QStringList({"Help", "Language"}));
        QCOMPARE(entries(home), QStringList{".config"});
    }

    // A copy with its Language folder beside it (as in the build folder) keeps
    // everything there, whatever the XDG folders hold.
    void copyBesideItsDataKeepsEverythingBesideItself()
    {
        const QString copy = root() + QStringLiteral("copy/");
        QVERIFY(QDir().mkpath(copy + QStringLiteral("Language")));
        QVERIFY(QFile::copy(buildDir() + QStringLiteral("/kodoplet"), copy + QStringLiteral("kodoplet")));
        const QString languages = sourceDir() + QStringLiteral("/resources/Language/");
        for (const QString &name : entries(languages))
            QVERIFY(QFile::copy(languages + name, copy + QStringLiteral("Language/") + name));
        QVERIFY(write(copy + QStringLiteral("kodoplet.ini"), settings(QStringLiteral("German.txt"), copy)));
        const QString home = root() + QStringLiteral("home2/");
        const QByteArray other = settings(QStringLiteral("Russian.txt"), home);
        QVERIFY(write(home + QStringLiteral(".config/kodoplet/kodoplet.ini"), other));

        runUntilTemplate(copy + QStringLiteral("kodoplet"), home, copy + QString::fromUtf8("Шаблон.htm"));

        QVERIFY(page(copy + QString::fromUtf8("Шаблон.htm")).contains(titleIn(languages + QStringLiteral("German.txt"))));
        QCOMPARE(entries(copy), QStringList({"Language", "kodoplet", "kodoplet-view.ini", "kodoplet.ini", QString::fromUtf8("Шаблон.htm")}));
        QCOMPARE(read(copy + QStringLiteral("kodoplet.ini")).split('\n').at(1), QByteArray("German.txt\r"));
        QCOMPARE(entries(home + QStringLiteral(".config/kodoplet")), QStringList{"kodoplet.ini"});
        QCOMPARE(read(home + QStringLiteral(".config/kodoplet/kodoplet.ini")), other);
        QVERIFY(!QFileInfo::exists(home + QStringLiteral(".cache")));
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "test_install.moc"
