#include "common/TextFile.h"
#include "lang/BuiltInTexts.h"
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
    void chooserOpensOnTheCurrentOrSystemLanguage_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("locales");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("system");
        QTest::addColumn<int>("row");
        const QStringList shipped{"English.txt", "German.txt", "Russian.txt", "Ukrainian.txt"};
        const QStringList codes{"en", "de", "ru", "uk"};
        QTest::newRow("remembered, other case") << shipped << codes << "russian.TXT" << "de_DE" << 2;
        QTest::newRow("first start, system language") << shipped << codes << "" << "de_AT" << 1;
        QTest::newRow("first start, no file for it: English") << shipped << codes << "" << "fr_FR" << 0;
        QTest::newRow("C locale: English") << shipped << codes << "" << "C" << 0;
        QTest::newRow("remembered file gone: system") << shipped << codes << "Gone.txt" << "ru_RU" << 2;
        QTest::newRow("exact region first") << QStringList{"a.txt", "b.txt"} << QStringList{"pt_PT", "pt_BR"} << "" << "pt_BR" << 1;
        QTest::newRow("no locales, English file by name") << QStringList{"Deutsch.txt", "English.txt"} << QStringList{"", ""} << "" << "ru_RU" << 1;
        QTest::newRow("locales list short") << QStringList{"x.txt", "y.txt"} << QStringList{"de"} << "" << "fr" << 0;
        QTest::newRow("empty list") << QStringList{} << QStringList{} << "" << "de_DE" << -1;
    }
    void chooserOpensOnTheCurrentOrSystemLanguage()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, locales);
        QFETCH(QString, current);
        QFETCH(QString, system);
        QTEST(LanguageFile::preferredRow(files, locales, current, system), "row");
    }

    void parsesRecordsAndSkipsTheBadOnes()
    {
        // The tail of a text cut by an unquoted comma, a blank line and a stray word are
        // each dropped on their own; the records after them still land on their numbers.
        const LanguageData d = LanguageFile::parse(QStringLiteral(
            "  \"Русский\" , Help/help_ru.html\r\n1,\"Редактор\"\r\n 2 ,  Untitled  \r\n"
            "3,\"Open, then close\"\r\n\"4\",\"quoted number\"\r\n5,Open, file\r\n6,\"Save\"\r\n\r\nstray\r\n"
            "7,\"Save as\"\r\n0,\"zero\"\r\n999,\"beyond\"\r\n-5,\"negative\"\r\n99999999999999999999,\"huge\"\r\n"
            "20,\"first\"\r\n20,\"second\"\r\n106,\"last\"\r\n8"));
        QCOMPARE(d.languageName, QStringLiteral("Русский"));
        QCOMPARE(d.helpFile, QStringLiteral("Help/help_ru.html"));
        const Entries expected{{1, "Редактор"}, {2, "Untitled"}, {3, "Open, then close"}, {4, "quoted number"},
                               {5, "Open"}, {6, "Save"}, {7, "Save as"}, {20, "second"}, {106, "last"}};
        for (int n = 0; n < LanguageData::EntryCount; ++n) {
            QCOMPARE(bool(d.present[n]), expected.contains(n));
            QCOMPARE(d.entries[n], expected.value(n));
        }
        QVERIFY(!d.has(0) && !d.has(999) && !d.has(8));
    }

    void loadsWhatItCan_data()
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

        const auto loads = [](const char *row, const QByteArray &b, const char *name, const Entries &e) {
            QTest::newRow(row) << b << 0 << QString::fromUtf8(name) << e;
        };
        const auto refused = [](const char *row, const QByteArray &b, int result = TextFile::OpenFailed) {
            QTest::newRow(row) << b << result << QString() << Entries();
        };
        loads("stray NUL", QByteArray("\"X\",\"h\"\r\n1,\"a\0b\"\r\n2,\"c\"\r\n", 26), "X", {{1, QString("a") + QChar(0) + "b"}, {2, "c"}});
        loads("windows-1251", "\"\xD0\xF3\xF1\xF1\xEA\xE8\xE9\",\"h\"\r\n1,\"\xC0\"\r\n", "Русский", {{1, "А"}});
        QByteArray records("\"Big\",\"h\"\r\n");
        for (int i = 0; i < 100000; ++i)
            records += QByteArray::number(i % 200) + ",\"text " + QByteArray::number(i) + "\"\r\n";
        loads("100,000 records", records, "Big", {{1, "text 99801"}, {106, "text 99906"}});
        loads("1 MB line", "\"Long\",\"h\"\r\n5," + QByteArray(1024 * 1024, 'x') + "\r\n6,\"after\"\r\n", "Long",
              {{5, QString(1024 * 1024, u'x')}, {6, "after"}});
        loads("open quote", "\"Open\",\"h\"\r\n7,\"never closed" + QByteArray(512 * 1024, ','), "Open",
              {{7, "never closed" + QString(512 * 1024, u',')}});
        loads("binary between records", "\"Bin\",\"h\"\r\n1,\"before\"\r\n" + noise + "\r\n2,\"after\"\r\n", "Bin", {{1, "before"}});
        loads("one record is enough", "\"One\",\"h\"\r\n62,\"p\"", "One", {{62, "p"}});
        // A name past the first 64 KB of Cyrillic letters is the one the loader reads.
        QByteArray big = QByteArray("\"Українська\",\"Help/help_uk.html\"\r\n1,\"");
        big.append((64 * 1024 - big.size() + 1) % 2, 'x').append(QByteArray("Я").repeated(150 * 1024));
        loads("name past 64 KB", big + "\"\r\n", "Українська", {});
        loads("UTF-16 with its mark", QByteArray("\xFF\xFE\"\0U\0\"\0,\0h\0\n\0" "1\0,\0\x16\x04\n\0", 22), "U", {{1, "Ж"}});
        refused("missing", QByteArray(), TextFile::NotFound);
        refused("only binary", noise);
        refused("too big", QByteArray(LanguageFile::MaxBytes + 1, 'x'));
        // No record numbered 1..106: loading it would blank the title and every caption.
        refused("empty file", "");
        refused("only the header", "\"Bare\",\"Help/bare.html\"\r\n");
        refused("plain text", "Dear reader,\nthis letter has 3 lines, 4 commas,\nand no records, 1 hopes.\n");
    }

    void loadsWhatItCan()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, result);
        QFETCH(QString, name);
        QFETCH(Entries, entries);
        const QString path = bytes.isNull() ? dir.filePath("missing.txt") : put("lang.txt", bytes);
        LanguageData d;
        d.languageName = QStringLiteral("kept");
        QCOMPARE(LanguageFile::read(path, d), result);
        QString listed;
        QCOMPARE(LanguageFile::readLanguageName(path, listed), result == 0);
        LanguageTexts().apply(d);
        QCOMPARE(d.languageName, result ? QStringLiteral("kept") : name);
        QCOMPARE(listed, name);
        for (auto it = entries.cbegin(); it != entries.cend(); ++it)
            QCOMPARE(d.entry(it.key()), it.value());
    }

    void refusesWhatIsNoLanguageFile()
    {
        LanguageData d;
        d.languageName = QStringLiteral("kept");
        QString name;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.txt")));
        QCOMPARE(LanguageFile::read(dir.filePath("folder.txt"), d), TextFile::OpenFailed);
        QVERIFY(!LanguageFile::readLanguageName(dir.filePath("folder.txt"), name));
        // A loop of links is there but cannot be opened: not "was not found".
        QVERIFY(QFile::link(dir.filePath("loop2.txt"), dir.filePath("loop1.txt")));
        QVERIFY(QFile::link(dir.filePath("loop1.txt"), dir.filePath("loop2.txt")));
        QCOMPARE(LanguageFile::read(dir.filePath("loop1.txt"), d), TextFile::OpenFailed);
        QVERIFY(!LanguageFile::readLanguageName(dir.filePath("loop1.txt"), name));
        QCOMPARE(d.languageName, QStringLiteral("kept"));
    }

    // The chooser's file names may not lead out of the Language folder.
    void plainLanguageFileNames()
    {
        for (const char *good : {"English.txt", "Русский.txt", "my language, v2.txt", "..hidden.txt"})
            QVERIFY2(LanguageFile::isPlainLanguageFileName(QString::fromUtf8(good)), good);
        for (const QString &bad : QStringList{"../../etc/passwd", "a/b.txt", "/etc/passwd", "..\\English.txt", "..", " .. ", ".",
                                              "", "   ", "a.txt\nb.txt", QString("English.txt") + QChar(0) + "x"})
            QVERIFY2(!LanguageFile::isPlainLanguageFileName(bad), qPrintable(bad));
    }

    // Every shipped file is complete, and the built-in texts are the English file's.
    void shippedLanguageFilesAndBuiltInTexts()
    {
        const QDir resources(qEnvironmentVariable("KODOPLET_SOURCE_DIR") + QStringLiteral("/resources"));
        QSet<QString> names;
        for (const QString &file : QDir(resources.filePath("Language")).entryList({"*.txt"}, QDir::Files)) {
            const QString path = resources.filePath("Language/" + file);
            LanguageData d;
            QVERIFY2(LanguageFile::read(path, d) == 0, qPrintable(file));
            QString listed;
            QVERIFY(LanguageFile::readLanguageName(path, listed) && listed == d.languageName && !listed.isEmpty());
            QVERIFY2(QFileInfo(resources.filePath(d.helpFile)).isFile(), qPrintable(file + ": " + d.helpFile));
            for (int n = LanguageData::FirstEntry; n <= LanguageData::LastEntry; ++n)
                QVERIFY2((n > 109 && LanguageTexts::builtInText(n).isEmpty()) || (d.has(n) && !d.entry(n).trimmed().isEmpty()),
                         qPrintable(file + QString(": entry %1").arg(n)));
            QVERIFY2(d.entry(91).endsWith(u' '), qPrintable(file));   // the replacement count follows it
            LanguageTexts texts;
            texts.apply(d);
            names.insert(listed + u' ' + texts.Locale);
        }
        QCOMPARE(names, (QSet<QString>{"English en", "Русский ru", "Українська uk", "Deutsch de"}));

        LanguageData d;
        QCOMPARE(LanguageFile::read(resources.filePath("Language/English.txt"), d), 0);
        QCOMPARE(BuiltInTexts::languageName(), d.languageName);
        QCOMPARE(BuiltInTexts::helpFile(), d.helpFile);
        // Before any load every text is the English one, as if English.txt had been loaded.
        const LanguageTexts defaults;
        LanguageTexts loaded;
        loaded.apply(d);
        for (int n = 1; n <= 106; ++n)
            QCOMPARE(defaults.text(n), d.entry(n));
        QCOMPARE(defaults.AppTitle, loaded.AppTitle);
        QCOMPARE(defaults.HelpFile, d.helpFile);
        QCOMPARE(defaults.text(107), QString());
        // Later entries: a file that lacks them shows English, not the language before it.
        LanguageData older;
        older.entries[110] = QStringLiteral("Hervorhebung");
        older.present[110] = true;
        LanguageTexts switched;
        switched.apply(older);
        QCOMPARE(switched.text(110), QStringLiteral("Hervorhebung"));
        switched.apply(LanguageData());
        for (int n = 110; n <= LanguageData::LastEntry; ++n)
            QCOMPARE(switched.text(n), d.entry(n));
    }

    // Language files loaded one after another; then the texts in force. "*" in an
    // expected text stands for the built-in English text of that entry.
    void textsAfterLoads_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<Entries>("expected");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("help");
        const QString head = QStringLiteral("\"L\",\"Help/l.html\"\r\n");
        const auto row = [](const char *name, const QStringList &files, const Entries &e, const QString &title,
                            const char *help = "Help/l.html") { QTest::newRow(name) << files << e << title << QString(help); };
        // Entries 1-62 the file leaves out: the built-in caption, "" for 2, 11 and 62.
        row("partial file", {head + "1,\"Éditeur\"\r\n20,\"&Chercher\"\r\n96,\"introuvable.\"\r\n"},
            {{1, "Éditeur"}, {2, ""}, {3, "*"}, {11, ""}, {20, "&Chercher"}, {61, "*"}, {62, ""}, {70, "*"}, {96, "introuvable."},
             {97, "*"}, {106, "*"}}, "Kodoplet Éditeur Int.");
        // A blank text gives nothing: no message, button or title goes blank.
        row("blank texts", {"\"L\",\"  \"\r\n1,\"  \"\r\n3,\"\"\r\n70,\"\"\r\n98, \r\n99,\"ok\"\r\n"},
            {{1, "*"}, {3, "*"}, {70, "*"}, {98, "*"}, {99, "ok"}}, "Kodoplet Editor Int.", "Help/help_en.html");
        // A second load: 1-62 only from the new file, 63-106 kept where it is silent.
        row("second load", {head + "1,A1\r\n2,A2\r\n20,A20\r\n62,A62\r\n70,A70\r\n96,A96\r\n", head + "1,B1\r\n97,B97\r\n"},
            {{1, "B1"}, {2, ""}, {20, "*"}, {62, ""}, {70, "A70"}, {96, "A96"}, {97, "B97"}, {98, "*"}}, "Kodoplet B1 Int.");
        // A quote left open runs over the line breaks: names and captions keep their first line.
        row("open quote in entry 1", {head + "1,\"Editor\r\n2,\"Untitled\"\r\n3,\"&File\"\r\n"},
            {{1, "Editor"}, {2, ""}, {3, "&File"}}, "Kodoplet Editor Int.");
        row("open quote in entry 62", {head + "1,X\r\n62,\"Proj\r\nect\r\n99,\"x\"\r\n"}, {{1, "X"}, {62, "Proj"}, {99, "*"}},
            "Kodoplet X Int.");
        row("open quote at once", {head + "2,\"\r\nUnt\r\n"}, {{2, ""}}, "Kodoplet Editor Int.");
    }

    void textsAfterLoads()
    {
        QFETCH(QStringList, files);
        QFETCH(Entries, expected);
        LanguageTexts texts;
        for (const QString &file : files)
            texts.apply(LanguageFile::parse(file));
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            const QString want = it.value() == u"*" ? LanguageTexts::builtInText(it.key()) : it.value();
            QVERIFY2(texts.text(it.key()) == want, qPrintable(QString("entry %1: %2").arg(it.key()).arg(texts.text(it.key()))));
        }
        QTEST(texts.AppTitle, "title");
        QTEST(texts.HelpFile, "help");
        // Whatever the files held: nothing shown in a box or on a command is blank,
        // and no name or caption holds a line break.
        for (int n = 1; n <= 106; ++n) {
            if (n != 2 && n != 11 && n != 62)
                QVERIFY2(!texts.text(n).trimmed().isEmpty(), qPrintable(QString::number(n)));
            if (n <= 62)
                QVERIFY(!texts.text(n).contains(u'\r') && !texts.text(n).contains(u'\n'));
        }
    }
};

QTEST_GUILESS_MAIN(TestLangCore)
#include "test_lang_core.moc"
