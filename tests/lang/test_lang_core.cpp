#include "files/TextFile.h"
#include "lang/LanguageFile.h"
#include "lang/LanguageTexts.h"
#include <QtTest>

using Entries = QMap<int, QString>;

class TestLangCore : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString put(const QString &file, const QByteArray &bytes)
    {
        QFile f(dir.filePath(file));
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() ? f.fileName() : QString();
    }

private slots:
    void parsesRecordsAndSkipsTheBadOnes();
    void loadsWhatItCan_data();
    void loadsWhatItCan();
    void refusesWhatIsNoLanguageFile();
    void shippedLanguageFilesAreComplete();
};

void TestLangCore::parsesRecordsAndSkipsTheBadOnes()
{
    // The tail of a text cut by an unquoted comma, a blank line and a stray word are
    // each dropped on their own; the records after them still land on their numbers.
    const LanguageData d = LanguageFile::parse(QStringLiteral(
        "  \"Русский\" , Help/help_ru.html\r\n1,\"Редактор\"\r\n 2 ,  Untitled  \r\n"
        "3,\"Open, then close\"\r\n\"4\",\"quoted number\"\r\n5,Open, file\r\n6,\"Save\"\r\n\r\nstray\r\n"
        "7,\"Save as\"\r\n0,\"zero\"\r\n108,\"beyond\"\r\n-5,\"negative\"\r\n99999999999999999999,\"huge\"\r\n"
        "20,\"first\"\r\n20,\"second\"\r\n106,\"last\"\r\n8"));
    QCOMPARE(d.languageName, QStringLiteral("Русский"));
    QCOMPARE(d.helpFile, QStringLiteral("Help/help_ru.html"));
    const Entries expected{{1, "Редактор"}, {2, "Untitled"}, {3, "Open, then close"}, {4, "quoted number"},
                           {5, "Open"}, {6, "Save"}, {7, "Save as"}, {20, "second"}, {106, "last"}};
    for (int n = 0; n < LanguageData::EntryCount; ++n) {
        QCOMPARE(bool(d.present[n]), expected.contains(n));
        QCOMPARE(d.entries[n], expected.value(n));
    }
    QVERIFY(!d.has(0) && !d.has(108) && !d.has(8));
}

void TestLangCore::loadsWhatItCan_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("name");
    QTest::addColumn<Entries>("entries");
    QByteArray noise(64 * 1024, Qt::Uninitialized);
    QRandomGenerator random(20240607);
    for (char &c : noise)
        c = char(random.bounded(256));
    noise[40] = '\0';

    QTest::newRow("stray NUL") << QByteArray("\"X\",\"h\"\r\n1,\"a\0b\"\r\n2,\"c\"\r\n", 26) << 0 << "X"
                               << Entries{{1, QString("a") + QChar(0) + "b"}, {2, "c"}};
    QTest::newRow("windows-1251") << QByteArray("\"\xD0\xF3\xF1\xF1\xEA\xE8\xE9\",\"h\"\r\n1,\"\xC0\"\r\n") << 0
                                  << "Русский" << Entries{{1, "А"}};
    QByteArray records("\"Big\",\"h\"\r\n");
    for (int i = 0; i < 100000; ++i)
        records += QByteArray::number(i % 200) + ",\"text " + QByteArray::number(i) + "\"\r\n";
    QTest::newRow("100,000 records") << records << 0 << "Big" << Entries{{1, "text 99801"}, {106, "text 99906"}};
    QTest::newRow("1 MB line") << "\"Long\",\"h\"\r\n5," + QByteArray(1024 * 1024, 'x') + "\r\n6,\"after\"\r\n" << 0
                               << "Long" << Entries{{5, QString(1024 * 1024, u'x')}, {6, "after"}};
    QTest::newRow("open quote") << "\"Open\",\"h\"\r\n7,\"never closed" + QByteArray(512 * 1024, ',') << 0 << "Open"
                                << Entries{{7, "never closed" + QString(512 * 1024, u',')}};
    QTest::newRow("binary between records") << "\"Bin\",\"h\"\r\n1,\"before\"\r\n" + noise + "\r\n2,\"after\"\r\n" << 0
                                            << "Bin" << Entries{{1, "before"}};
    QTest::newRow("missing") << QByteArray() << int(TextFile::NotFound) << QString() << Entries();
    QTest::newRow("only binary") << noise << int(TextFile::OpenFailed) << QString() << Entries();
}

void TestLangCore::loadsWhatItCan()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, result);
    QFETCH(QString, name);
    QFETCH(Entries, entries);
    const QString path = bytes.isNull() ? dir.filePath("missing.txt") : put("lang.txt", bytes);
    QElapsedTimer timer;
    timer.start();
    LanguageData d;
    d.languageName = QStringLiteral("kept");
    QCOMPARE(LanguageFile::read(path, d), result);
    QString listed;
    QCOMPARE(LanguageFile::readLanguageName(path, listed), result == 0);
    LanguageTexts().apply(d);
    QVERIFY(timer.elapsed() < 1000);
    QCOMPARE(d.languageName, result ? QStringLiteral("kept") : name);
    QCOMPARE(listed, name);
    for (auto it = entries.cbegin(); it != entries.cend(); ++it)
        QCOMPARE(d.entry(it.key()), it.value());
}

void TestLangCore::refusesWhatIsNoLanguageFile()
{
    LanguageData d;
    d.languageName = QStringLiteral("kept");
    QString name;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.txt")));
    QCOMPARE(LanguageFile::read(dir.filePath("folder.txt"), d), TextFile::OpenFailed);
    QVERIFY(!LanguageFile::readLanguageName(dir.filePath("folder.txt"), name));
    QCOMPARE(LanguageFile::read(put("huge.txt", QByteArray(LanguageFile::MaxBytes + 1, 'x')), d), TextFile::OpenFailed);
    QCOMPARE(d.languageName, QStringLiteral("kept"));

    // The chooser reads only the first 64 KB: a cut in the middle of a Cyrillic
    // letter must not turn the name into windows-1251 garbage.
    QByteArray big = QByteArray("\"Українська\",\"Help/help_uk.html\"\r\n1,\"");
    big.append((64 * 1024 - big.size() + 1) % 2, 'x').append(QByteArray("Я").repeated(150 * 1024));
    QVERIFY(LanguageFile::readLanguageName(put("big.txt", big + "\"\r\n"), name));
    QCOMPARE(name, QStringLiteral("Українська"));
}

void TestLangCore::shippedLanguageFilesAreComplete()
{
    const QDir resources(qEnvironmentVariable("KODOPLET_SOURCE_DIR") + QStringLiteral("/resources"));
    QSet<QString> names;
    for (const QString &file : QDir(resources.filePath("Language")).entryList({"*.txt"}, QDir::Files)) {
        const QString path = resources.filePath("Language/" + file);
        LanguageData d;
        QVERIFY2(LanguageFile::read(path, d) == 0, qPrintable(file));
        QString listed;
        QVERIFY(LanguageFile::readLanguageName(path, listed) && listed == d.languageName && !listed.isEmpty());
        names.insert(listed);
        QVERIFY2(QFileInfo(resources.filePath(d.helpFile)).isFile(), qPrintable(file + ": " + d.helpFile));
        for (int n = LanguageData::FirstEntry; n <= LanguageData::LastEntry; ++n)
            QVERIFY2(d.has(n) && !d.entry(n).trimmed().isEmpty(), qPrintable(file + QString(": entry %1").arg(n)));
        QVERIFY2(d.entry(91).endsWith(u' '), qPrintable(file));   // the replacement count follows it
    }
    for (const char *expected : {"English", "Русский", "Українська", "Deutsch"})
        QVERIFY2(names.contains(QString::fromUtf8(expected)), expected);
}

QTEST_GUILESS_MAIN(TestLangCore)
#include "test_lang_core.moc"
