#include "app/SettingsFile.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QStringList describe(const Settings &s)
{
    const auto b = [](bool v) { return v ? QStringLiteral("true") : QStringLiteral("false"); };
    return {
        "ProgramFolder=" + s.ProgramFolder,
        "PathSeparator=" + s.PathSeparator,
        "LanguageFile=" + s.LanguageFile,
        "WrapMode=" + QString::number(s.WrapMode),
        "ProjectPath=" + s.ProjectPath,
        "EditorFontName=" + s.EditorFontName,
        "EditorFontSize=" + QString::number(s.EditorFontSize),
        "EditorFontBold=" + b(s.EditorFontBold),
        "EditorFontItalic=" + b(s.EditorFontItalic),
        "LastFolder=" + s.LastFolder,
        "ToolbarChecked=" + b(s.ToolbarChecked),
        "ListTagsChecked=" + b(s.ListTagsChecked),
    };
}

QByteArray lines(const QStringList &l) { return (l.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8(); }

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString ini() const { return m_dir->filePath(QStringLiteral("kodoplet.ini")); }

    Settings defaults() const
    {
        Settings s;
        SettingsFile::initDefaults(s, m_dir->path());
        return s;
    }

    void writeIni(const QByteArray &bytes) const
    {
        QFile f(ini());
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), bytes.size());
    }

    // Reads the current file over fresh defaults.
    Settings readIni(bool *ok = nullptr) const
    {
        Settings s = defaults();
        const bool result = SettingsFile::read(ini(), s);
        if (ok)
            *ok = result;
        return s;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void programFolderAndSeparator_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("programFolder");
        QTest::addColumn<QString>("separator");
        QTest::newRow("unix") << "/opt/kodoplet" << "/opt/kodoplet/" << "/";
        QTest::newRow("unix, separator at end") << "/opt/kodoplet/" << "/opt/kodoplet/" << "/";
        QTest::newRow("root") << "/" << "/" << "/";
        QTest::newRow("windows") << "C:\\Kodoplet" << "C:\\Kodoplet\\" << "\\";
        QTest::newRow("drive root") << "C:\\" << "C:\\" << "\\";
        QTest::newRow("backslash anywhere") << "/mnt/a\\b" << "/mnt/a\\b\\" << "\\";
        QTest::newRow("empty is the current folder") << "" << "./" << "/";
    }

    void programFolderAndSeparator()
    {
        QFETCH(QString, folder);
        QFETCH(QString, programFolder);
        QFETCH(QString, separator);
        Settings s;
        s.LanguageFile = QStringLiteral("stale.txt");
        s.WrapMode = 1;
        s.ToolbarChecked = false;
        SettingsFile::initDefaults(s, folder);
        QCOMPARE(s.ProgramFolder, programFolder);
        QCOMPARE(s.PathSeparator, separator);
        QCOMPARE(s.LastFolder, programFolder);
        QCOMPARE(s.EditorFontName, QStringLiteral("MS Sans Serif"));
        QCOMPARE(s.EditorFontSize, 12);
        QVERIFY(s.EditorFontBold);
        QVERIFY(!s.EditorFontItalic);
        QVERIFY(s.ToolbarChecked);
        QVERIFY(s.ListTagsChecked);
        QCOMPARE(s.WrapMode, 0);
        QVERIFY(s.LanguageFile.isEmpty());
        QVERIFY(s.ProjectPath.isEmpty());
    }

    void missingFileKeepsDefaults()
    {
        bool ok = true;
        const Settings s = readIni(&ok);
        QVERIFY(!ok);
        QCOMPARE(describe(s), describe(defaults()));
        QVERIFY(s.LastFolder.startsWith(m_dir->path()));
    }

    void exactBytes()
    {
        Settings s = defaults();
        s.LanguageFile = QStringLiteral("Русский.txt");
        s.ToolbarChecked = false;
        s.WrapMode = 1;
        s.ProjectPath = QStringLiteral("/p/site.wpr");
        s.LastFolder = QStringLiteral("/p/");
        QCOMPARE(SettingsFile::bytes(s), QByteArray("[kodoplet]\r\n"
                                                    "\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9.txt\r\n"
                                                    "False\r\nTrue\r\n 1 \r\n/p/site.wpr\r\nMS Sans Serif\r\n"
                                                    " 12 \r\nTrue\r\nFalse\r\n/p/\r\n"));
        s.WrapMode = -1;
        s.EditorFontSize = 2147483647;
        s.ProjectPath.clear();
        const QByteArray b = SettingsFile::bytes(s);
        QVERIFY(b.contains("\r\n-1 \r\n\r\nMS Sans Serif\r\n 2147483647 \r\n"));
    }

    void writeThenReadRestoresEveryValue()
    {
        Settings s = defaults();
        s.LanguageFile = QStringLiteral("Русский.txt");
        s.ToolbarChecked = false;
        s.ListTagsChecked = false;
        s.WrapMode = 1;
        s.ProjectPath = QStringLiteral("/home/u/Сайт/site.wpr");
        s.EditorFontName = QStringLiteral("DejaVu Sans Mono");
        s.EditorFontSize = 14;
        s.EditorFontBold = false;
        s.EditorFontItalic = true;
        s.LastFolder = QStringLiteral("/home/u/\"pages\"/");
        QCOMPARE(SettingsFile::write(ini(), s), 0);
        bool ok = false;
        QCOMPARE(describe(readIni(&ok)), describe(s));
        QVERIFY(ok);
        // Writing again over the file replaces it.
        s.WrapMode = 0;
        QCOMPARE(SettingsFile::write(ini(), s), 0);
        QCOMPARE(describe(readIni()), describe(s));
    }

    void valuesWithCommasSurviveTheirOwnFile()
    {
        Settings s = defaults();
        s.ProjectPath = QStringLiteral("/home/u/My,Project.wpr");
        s.EditorFontName = QStringLiteral(" padded ");
        s.LastFolder = QStringLiteral("/a,b/");
        s.LanguageFile = QStringLiteral("odd\"name.txt");
        QCOMPARE(SettingsFile::write(ini(), s), 0);
        QVERIFY(SettingsFile::bytes(s).contains("\r\n\"/home/u/My,Project.wpr\"\r\n"));
        QCOMPARE(describe(readIni()), describe(s));

        // What cannot come back whole is written empty instead of shifting the rest.
        Settings odd = s;
        odd.ProjectPath = QStringLiteral("/tmp/two\nlines.wpr");
        odd.LastFolder = QStringLiteral("/q\"uote,comma/");
        QCOMPARE(SettingsFile::write(ini(), odd), 0);
        Settings expected = odd;
        expected.ProjectPath.clear();
        expected.LastFolder.clear();
        QCOMPARE(describe(readIni()), describe(expected));
    }

    void unquotedCommaCutsTheValueAndShiftsTheRest()
    {
        writeIni(lines({"[kodoplet]", "English.txt", "True", "False", " 0 ", "/home/u/My,Project.wpr", "Courier",
                        " 10 ", "False", "True", "/home/u/"}));
        Settings expected = defaults();
        expected.LanguageFile = QStringLiteral("English.txt");
        expected.ListTagsChecked = false;
        expected.ProjectPath = QStringLiteral("/home/u/My");
        expected.EditorFontName = QStringLiteral("Project.wpr");
        // "Courier" is no size: 12 stays; " 10 " as a boolean is true.
        expected.EditorFontBold = true;
        expected.EditorFontItalic = false;
        expected.LastFolder = QStringLiteral("True");
        QCOMPARE(describe(readIni()), describe(expected));

        writeIni(lines({"[kodoplet]", "English.txt", "True", "True", " 0 ", "", "Arial", " 9 ", "True", "False",
                        "/a,b/"}));
        QCOMPARE(readIni().LastFolder, QStringLiteral("/a"));
    }

    void wrongHeaderTakesNothing()
    {
        const QStringList rest = {"False", "False", " 1 ", "/p.wpr", "Arial", " 9 ", "False", "True", "/x/"};
        for (const QString &header : {QStringLiteral("[Kodoplet]"), QStringLiteral("kodoplet"), QString()}) {
            writeIni(lines(QStringList{header, "English.txt"} + rest));
            bool ok = true;
            QCOMPARE(describe(readIni(&ok)), describe(defaults()));
            QVERIFY(!ok);
        }
        // Blanks around the header are dropped by the field reader.
        writeIni(lines(QStringList{"  [kodoplet]  ", "English.txt"} + rest));
        QCOMPARE(readIni().EditorFontName, QStringLiteral("Arial"));
    }

    void fieldConversions_data()
    {
        QTest::addColumn<QString>("toolbar");
        QTest::addColumn<QString>("wrap");
        QTest::addColumn<QString>("size");
        QTest::addColumn<bool>("toolbarValue");
        QTest::addColumn<int>("wrapValue");
        QTest::addColumn<int>("sizeValue");
        QTest::newRow("as written") << "False" << " 1 " << " 14 " << false << 1 << 14;
        QTest::newRow("letter case") << "FALSE" << "1" << "14" << false << 1 << 14;
        QTest::newRow("numbers as booleans") << "0" << " -1 " << "+9" << false << -1 << 9;
        QTest::newRow("non-zero is true") << "-1" << "2147483647" << "1000" << true << 2147483647 << 1000;
        QTest::newRow("words") << "yes" << "one" << "big" << true << 0 << 12;
        QTest::newRow("overflow") << "99999999999" << "2147483648" << "-2147483649" << true << 0 << 12;
        QTest::newRow("fractions") << "1.5" << "1.0" << "12.5" << true << 0 << 12;
        QTest::newRow("no size the editor can use") << "" << "" << "0" << true << 0 << 12;
        QTest::newRow("negative size") << "" << "" << "-5" << true << 0 << 12;
        QTest::newRow("huge size") << "" << "" << "100000" << true << 0 << 12;
    }

    void fieldConversions()
    {
        QFETCH(QString, toolbar);
        QFETCH(QString, wrap);
        QFETCH(QString, size);
        writeIni(lines({"[kodoplet]", "English.txt", toolbar, "True", wrap, "", "Arial", size, "False", "False",
                        "/x/"}));
        const Settings s = readIni();
        QTEST(s.ToolbarChecked, "toolbarValue");
        QTEST(s.WrapMode, "wrapValue");
        QTEST(s.EditorFontSize, "sizeValue");
        // The fields around the bad ones are taken.
        QCOMPARE(s.EditorFontName, QStringLiteral("Arial"));
        QCOMPARE(s.EditorFontBold, false);
        QCOMPARE(s.LastFolder, QStringLiteral("/x/"));
    }

    void olderFilesAreRead()
    {
        // windows-1251, no final line break, LF breaks.
        writeIni(QByteArray("[kodoplet]\n\xD0\xF3\xF1\xF1\xEA\xE8\xE9.txt\nTrue\nTrue\n 0 \n\nTahoma\n 10 \nTrue\nTrue\nC:\\"));
        const Settings s = readIni();
        QCOMPARE(s.LanguageFile, QStringLiteral("Русский.txt"));
        QCOMPARE(s.EditorFontSize, 10);
        QVERIFY(s.EditorFontItalic);
        QCOMPARE(s.LastFolder, QStringLiteral("C:\\"));
        // A byte-order mark does not spoil the header.
        writeIni("\xEF\xBB\xBF[kodoplet]\r\nEnglish.txt\r\n");
        QCOMPARE(readIni().LanguageFile, QStringLiteral("English.txt"));
    }

    void damagedFilesKeepDefaults()
    {
        // Binary bytes: refused whole.
        QRandomGenerator random(20240531);
        QByteArray binary(4096, '\0');
        for (char &c : binary)
            c = char(random.bounded(256));
        binary[7] = '\0';
        writeIni(binary);
        QCOMPARE(describe(readIni()), describe(defaults()));

        // Printable garbage after a good header: whatever is taken, nothing breaks.
        for (int round = 0; round < 50; ++round) {
            QByteArray junk = "[kodoplet]\r\n";
            for (int i = 0; i < 600; ++i)
                junk.append(char(random.bounded(1, 256)));
            writeIni(junk);
            const Settings s = readIni();
            QCOMPARE(s.ProgramFolder, defaults().ProgramFolder);
            QVERIFY(s.EditorFontSize > 0 && s.EditorFontSize <= 1000);
            QVERIFY(!s.EditorFontName.isEmpty());
        }

        // A file far bigger than any settings file.
        writeIni(lines({"[kodoplet]", "English.txt", "False", QString(2 * 1024 * 1024, u'x')}));
        QCOMPARE(describe(readIni()), describe(defaults()));

        // An overlong line inside a small enough file is not taken as a value.
        const QString longLine(300 * 1024, u'y');
        writeIni(lines({"[kodoplet]", "English.txt", "False", "True", " 1 ", longLine, longLine, " 9 "}));
        Settings s = readIni();
        QCOMPARE(s.ProjectPath, QString());
        QCOMPARE(s.EditorFontName, QStringLiteral("MS Sans Serif"));
        QCOMPARE(s.EditorFontSize, 9);

        // Only three lines: the rest stays as it was.
        writeIni(lines({"[kodoplet]", "English.txt", "False"}));
        Settings expected = defaults();
        expected.LanguageFile = QStringLiteral("English.txt");
        expected.ToolbarChecked = false;
        QCOMPARE(describe(readIni()), describe(expected));

        // A quote that never closes swallows the rest of the file: that value is
        // refused and the fields after it are gone.
        writeIni(lines({"[kodoplet]", "English.txt", "True", "True", " 1 ", "\"/open", "Arial", " 9 "}));
        s = readIni();
        QCOMPARE(s.WrapMode, 1);
        QCOMPARE(s.ProjectPath, QString());
        QCOMPARE(s.EditorFontName, QStringLiteral("MS Sans Serif"));
        QCOMPARE(s.EditorFontSize, 12);

        writeIni(QByteArray());
        QCOMPARE(describe(readIni()), describe(defaults()));
    }

    void writeFailures()
    {
        const Settings s = defaults();
        QCOMPARE(SettingsFile::write(m_dir->filePath(QStringLiteral("gone/kodoplet.ini")), s), 75);
        QCOMPARE(SettingsFile::write(m_dir->path(), s), 75);
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "test_settingsfile.moc"
