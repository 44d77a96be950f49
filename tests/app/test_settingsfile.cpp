#include "app/SettingsFile.h"

#include <QFile>
#include <QRandomGenerator>
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

    Settings defaults() const
    {
        Settings s;
        SettingsFile::initDefaults(s, m_dir.path());
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
    void init() { QFile::remove(ini()); }

    void missingFileGivesEveryDefault()
    {
        bool ok = true;
        const Settings s = readIni(&ok);
        QVERIFY(!ok);
        QCOMPARE(s.ProgramFolder, m_dir.path() + u'/');
        QCOMPARE(s.LastFolder, s.ProgramFolder);
        QCOMPARE(s.PathSeparator, QStringLiteral("/"));
        QCOMPARE(s.EditorFontName, QStringLiteral("MS Sans Serif"));
        QCOMPARE(s.EditorFontSize, 12);
        QVERIFY(s.EditorFontBold && !s.EditorFontItalic && s.ToolbarChecked && s.ListTagsChecked);
        QCOMPARE(s.WrapMode, 0);
        QVERIFY(s.LanguageFile.isEmpty() && s.ProjectPath.isEmpty());
        Settings w;
        SettingsFile::initDefaults(w, QStringLiteral("C:\\Kodoplet"));
        QCOMPARE(w.ProgramFolder, QStringLiteral("C:\\Kodoplet\\"));
        QCOMPARE(w.PathSeparator, QStringLiteral("\\"));
        SettingsFile::initDefaults(w, QString());
        QCOMPARE(w.ProgramFolder, QStringLiteral("./"));
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
        QVERIFY(SettingsFile::bytes(s).contains("\r\n-1 \r\n\r\nMS Sans Serif\r\n 2147483647 \r\n"));
    }

    void writeThenReadRestoresEveryValue()
    {
        Settings s = defaults();
        s.LanguageFile = QStringLiteral("odd\"name.txt");
        s.ToolbarChecked = false;
        s.ListTagsChecked = false;
        s.WrapMode = 1;
        s.ProjectPath = QStringLiteral("/home/u/Сайт/My,Project.wpr");
        s.EditorFontName = QStringLiteral(" padded ");
        s.EditorFontSize = 14;
        s.EditorFontBold = false;
        s.EditorFontItalic = true;
        s.LastFolder = QStringLiteral("/a,b/");
        QCOMPARE(SettingsFile::write(ini(), s), 0);
        QVERIFY(SettingsFile::bytes(s).contains("\r\n\"/home/u/\xD0\xA1\xD0\xB0\xD0\xB9\xD1\x82/My,Project.wpr\"\r\n"));
        bool ok = false;
        QCOMPARE(describe(readIni(&ok)), describe(s));
        QVERIFY(ok);

        // What cannot come back whole is written empty instead of shifting the rest.
        s.ProjectPath = QStringLiteral("/tmp/two\nlines.wpr");
        s.LastFolder = QStringLiteral("/q\"uote,comma/");
        QCOMPARE(SettingsFile::write(ini(), s), 0);
        s.ProjectPath.clear();
        s.LastFolder.clear();
        QCOMPARE(describe(readIni()), describe(s));

        QCOMPARE(SettingsFile::write(m_dir.filePath(QStringLiteral("gone/kodoplet.ini")), s), 75);
        QCOMPARE(SettingsFile::write(m_dir.path(), s), 75);
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
    }

    void wrongHeaderTakesNothing()
    {
        const QStringList rest = {"English.txt", "False", "False", " 1 ", "/p.wpr", "Arial", " 9 ", "False", "True", "/x/"};
        for (const QString &header : {QStringLiteral("[Kodoplet]"), QStringLiteral("kodoplet"), QString()}) {
            writeIni(lines(QStringList{header} + rest));
            bool ok = true;
            QCOMPARE(describe(readIni(&ok)), describe(defaults()));
            QVERIFY(!ok);
        }
        writeIni(lines(QStringList{"  [kodoplet]  "} + rest));   // blanks around it are dropped
        QCOMPARE(readIni().EditorFontName, QStringLiteral("Arial"));
    }

    void fieldConversions_data()
    {
        QTest::addColumn<QStringList>("fields");   // toolbar, wrap mode, font size
        QTest::addColumn<QString>("taken");
        QTest::newRow("letter case") << QStringList{"FALSE", "1", "14"} << "0 1 14";
        QTest::newRow("numbers as booleans") << QStringList{"0", " -1 ", "+9"} << "0 -1 9";
        QTest::newRow("non-zero is true") << QStringList{"-1", "2147483647", "1000"} << "1 2147483647 1000";
        QTest::newRow("words") << QStringList{"yes", "one", "big"} << "1 0 12";
        QTest::newRow("overflow") << QStringList{"99999999999", "2147483648", "-2147483649"} << "1 0 12";
        QTest::newRow("fractions") << QStringList{"1.5", "1.0", "12.5"} << "1 0 12";
        QTest::newRow("sizes the editor cannot use") << QStringList{"", "", "0"} << "1 0 12";
        QTest::newRow("huge size") << QStringList{"", "", "100000"} << "1 0 12";
    }
    void fieldConversions()
    {
        QFETCH(QStringList, fields);
        writeIni(lines({"[kodoplet]", "English.txt", fields[0], "True", fields[1], "", "Arial", fields[2], "False",
                        "False", "/x/"}));
        const Settings s = readIni();
        QTEST(QStringLiteral("%1 %2 %3").arg(int(s.ToolbarChecked)).arg(s.WrapMode).arg(s.EditorFontSize), "taken");
        QCOMPARE(s.EditorFontName, QStringLiteral("Arial"));   // the fields around the bad ones are taken
        QCOMPARE(s.LastFolder, QStringLiteral("/x/"));
    }

    void olderFilesAreRead()   // windows-1251, LF breaks, no final line break
    {
        writeIni(QByteArray("[kodoplet]\n\xD0\xF3\xF1\xF1\xEA\xE8\xE9.txt\nTrue\nTrue\n 0 \n\nTahoma\n 10 \nTrue\nTrue\nC:\\"));
        const Settings s = readIni();
        QCOMPARE(s.LanguageFile, QStringLiteral("Русский.txt"));
        QCOMPARE(s.EditorFontSize, 10);
        QCOMPARE(s.LastFolder, QStringLiteral("C:\\"));
    }

    void damagedFilesKeepDefaults()
    {
        QRandomGenerator random(20240531);
        QByteArray binary(4096, '\0');
        for (char &c : binary)
            c = char(random.bounded(256));
        writeIni(binary);
        QCOMPARE(describe(readIni()), describe(defaults()));
        for (int round = 0; round < 20; ++round) {   // printable garbage after a good header
            QByteArray junk = "[kodoplet]\r\n";
            for (int i = 0; i < 600; ++i)
                junk.append(char(random.bounded(1, 256)));
            writeIni(junk);
            const Settings s = readIni();
            QVERIFY(s.EditorFontSize > 0 && s.EditorFontSize <= 1000 && !s.EditorFontName.isEmpty());
        }
        // A file far bigger than any settings file.
        writeIni(lines({"[kodoplet]", "English.txt", "False", QString(2 * 1024 * 1024, u'x')}));
        QCOMPARE(describe(readIni()), describe(defaults()));
        // Only three lines: the rest stays as it was.
        writeIni(lines({"[kodoplet]", "English.txt", "False"}));
        Settings expected = defaults();
        expected.LanguageFile = QStringLiteral("English.txt");
        expected.ToolbarChecked = false;
        QCOMPARE(describe(readIni()), describe(expected));
        // A quote that never closes: that value is refused and the fields after it are gone.
        writeIni(lines({"[kodoplet]", "English.txt", "True", "True", " 1 ", "\"/open", "Arial", " 9 "}));
        const Settings s = readIni();
        QCOMPARE(s.WrapMode, 1);
        QCOMPARE(s.ProjectPath, QString());
        QCOMPARE(s.EditorFontName, QStringLiteral("MS Sans Serif"));
        QCOMPARE(s.EditorFontSize, 12);
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "test_settingsfile.moc"
