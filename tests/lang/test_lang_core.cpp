#include "files/TextFile.h"
#include "lang/LanguageFile.h"
#include "lang/LanguageTexts.h"
#include "lang/MainFrameCaptions.h"
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString entriesText(std::initializer_list<std::pair<int, const char *>> records)
{
    QString text = QStringLiteral("\"Test\",\"Help/test.html\"\r\n");
    for (const auto &[n, t] : records)
        text += QString::number(n) + QStringLiteral(",\"") + QString::fromUtf8(t) + QStringLiteral("\"\r\n");
    return text;
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestLangCore : public QObject {
    Q_OBJECT

private slots:
    void readsHeaderAndRecords();
    void dropsNumbersOutsideTheRange();
    void unquotedCommaCutsTheTextAndKeepsStep();
    void applyKeepsOldDialogTextsAndMessages();
    void headerOnlyFileEmptiesMainFrameTexts();
    void renamesUntitledDocumentsAndDefaultProject();
    void captionBindingsCoverTheMainFrame();
    void readFromDiskReportsFailures();
    void chooserReadsOnlyTheName();
    void shippedLanguageFilesAreComplete();
    void damagedFilesLoadWhatTheyCanQuickly();
};

void TestLangCore::readsHeaderAndRecords()
{
    const LanguageData d = LanguageFile::parse(QStringLiteral(
        "  \"Русский\" , Help/help_ru.html\r\n"
        "1,\"Редактор\"\r\n"
        " 2 ,  Untitled  \r\n"
        "3,\"Open, then close\"\r\n"
        "\"4\",\"quoted number\"\r\n"
        "20,\"first\"\r\n20,\"second\"\r\n"
        "106,\"last\""));
    QCOMPARE(d.languageName, QStringLiteral("Русский"));
    QCOMPARE(d.helpFile, QStringLiteral("Help/help_ru.html"));
    QCOMPARE(d.entry(1), QStringLiteral("Редактор"));
    QCOMPARE(d.entry(2), QStringLiteral("Untitled"));
    QCOMPARE(d.entry(3), QStringLiteral("Open, then close"));
    QCOMPARE(d.entry(4), QStringLiteral("quoted number"));
    QCOMPARE(d.entry(20), QStringLiteral("second"));
    QCOMPARE(d.entry(106), QStringLiteral("last"));
    QVERIFY(!d.has(5));
    QVERIFY(!d.has(0) && !d.has(107));
}

void TestLangCore::dropsNumbersOutsideTheRange()
{
    const LanguageData d = LanguageFile::parse(entriesText(
        {{0, "zero"}, {107, "beyond"}, {-5, "negative"}, {1, "one"}, {106, "last"}})
        + QStringLiteral("99999999999999999999,\"huge\"\r\n7,\"seven\"\r\n"));
    QCOMPARE(d.entry(1), QStringLiteral("one"));
    QCOMPARE(d.entry(106), QStringLiteral("last"));
    QCOMPARE(d.entry(7), QStringLiteral("seven"));
    int count = 0;
    for (int n = 0; n < LanguageData::EntryCount; ++n)
        count += d.present[n] ? 1 : 0;
    QCOMPARE(count, 3);
    QVERIFY(d.entries[0].isEmpty());
}

void TestLangCore::unquotedCommaCutsTheTextAndKeepsStep()
{
    // The tail of a cut text, a blank line and a stray word are each dropped on
    // their own; the records after them still land on their numbers.
    const LanguageData d = LanguageFile::parse(QStringLiteral(
        "English,Help/help_en.html\r\n"
        "5,Open, file\r\n"
        "6,\"Save\"\r\n"
        "\r\n"
        "stray\r\n"
        "7,\"Save as\"\r\n"
        "8"));
    QCOMPARE(d.entry(5), QStringLiteral("Open"));
    QCOMPARE(d.entry(6), QStringLiteral("Save"));
    QCOMPARE(d.entry(7), QStringLiteral("Save as"));
    QVERIFY(!d.has(8));   // a number with no text at the very end
}

void TestLangCore::applyKeepsOldDialogTextsAndMessages()
{
    LanguageTexts t;
    t.apply(LanguageFile::parse(entriesText(
        {{1, "Editor"}, {2, "Untitled"}, {11, "New page"}, {62, "New project"},
         {63, "first dialog"}, {89, "last dialog"}, {90, "first message"}, {106, "last message"}})));
    QCOMPARE(t.AppTitle, QStringLiteral("Kodoplet Editor Int."));
    QCOMPARE(t.UntitledName, QStringLiteral("Untitled"));
    QCOMPARE(t.NewPageTitle, QStringLiteral("New page"));
    QCOMPARE(t.DefaultProjectName, QStringLiteral("New project"));
    QCOMPARE(t.HelpFile, QStringLiteral("Help/test.html"));
    QCOMPARE(t.DialogTexts[0], QStringLiteral("first dialog"));
    QCOMPARE(t.DialogTexts[26], QStringLiteral("last dialog"));
    QVERIFY(t.DialogTexts[27].isEmpty());
    QCOMPARE(t.text(90), QStringLiteral("first message"));
    QCOMPARE(t.Messages[16], QStringLiteral("last message"));
    QVERIFY(t.text(62).isEmpty() && t.text(107).isEmpty());

    // A second file with one dialog text replaces only that one.
    t.apply(LanguageFile::parse(entriesText({{1, "Редактор"}, {63, "новый"}})));
    QCOMPARE(t.text(63), QStringLiteral("новый"));
    QCOMPARE(t.text(89), QStringLiteral("last dialog"));
    QCOMPARE(t.text(106), QStringLiteral("last message"));
    QVERIFY(t.UntitledName.isEmpty() && t.DefaultProjectName.isEmpty());
}

void TestLangCore::headerOnlyFileEmptiesMainFrameTexts()
{
    LanguageTexts t;
    t.Messages[6] = QStringLiteral("was not found.");
    t.Messages[16] = QStringLiteral("Open all files");
    const LanguageData d = LanguageFile::parse(QStringLiteral("\"Bare\",\"Help/bare.html\"\r\n"));
    t.apply(d);
    QCOMPARE(t.AppTitle, QStringLiteral("Kodoplet  Int."));
    QCOMPARE(t.text(96), QStringLiteral("was not found."));
    for (const CaptionBinding &b : mainFrameCaptions()) {
        const QString text = captionText(b, d, t);
        if (b.entry == CaptionBinding::LanguageName)
            QCOMPARE(text, QStringLiteral("Language: Bare"));
        else if (b.entry == 106)
            QCOMPARE(text, QStringLiteral("Open all files"));   // kept with its message
        else
            QCOMPARE(text, b.prefix + b.suffix);
    }
}

void TestLangCore::renamesUntitledDocumentsAndDefaultProject()
{
    const QString oldName = QStringLiteral("Untitled");
    const QString newName = QStringLiteral("Безымянный");
    QCOMPARE(LanguageTexts::renamedUntitled(QStringLiteral("Untitled1"), 0, false, oldName, newName),
             QStringLiteral("Безымянный1"));
    QCOMPARE(LanguageTexts::renamedUntitled(QStringLiteral("Untitled2"), 1, false, oldName, newName),
             QStringLiteral("Безымянный2"));
    // Another slot's number, a saved document, a name that only starts alike.
    QCOMPARE(LanguageTexts::renamedUntitled(QStringLiteral("Untitled1"), 1, false, oldName, newName),
             QStringLiteral("Untitled1"));
    QCOMPARE(LanguageTexts::renamedUntitled(QStringLiteral("Untitled1"), 0, true, oldName, newName),
             QStringLiteral("Untitled1"));
    QCOMPARE(LanguageTexts::renamedUntitled(QStringLiteral("Untitled11"), 0, false, oldName, newName),
             QStringLiteral("Untitled11"));
    // Before any language the untitled name is empty: a saved file called "1"
    // must keep its name.
    QCOMPARE(LanguageTexts::renamedUntitled(QStringLiteral("1"), 0, true, QString(), newName),
             QStringLiteral("1"));

    QCOMPARE(LanguageTexts::renamedProject(QStringLiteral("New project"), QStringLiteral("New project"),
                                           QStringLiteral("Новый проект")),
             QStringLiteral("Новый проект"));
    QCOMPARE(LanguageTexts::renamedProject(QStringLiteral("My site"), QStringLiteral("New project"),
                                           QStringLiteral("Новый проект")),
             QStringLiteral("My site"));
}

void TestLangCore::captionBindingsCoverTheMainFrame()
{
    QSet<QString> targets;
    QSet<int> entries;
    QSet<int> tipButtons;
    for (const CaptionBinding &b : mainFrameCaptions()) {
        const QString key = b.objectName + (b.target == CaptionBinding::ToolTip ? "/tip" : "");
        QVERIFY2(!targets.contains(key), qPrintable(key));
        targets.insert(key);
        entries.insert(b.entry);
        if (b.target == CaptionBinding::ToolTip)
            tipButtons.insert(b.objectName.mid(9).toInt());
    }
    for (int n = 3; n <= 61; ++n) {
        if (n != 11)
            QVERIFY2(entries.contains(n), qPrintable(QString::number(n)));
    }
    QVERIFY(entries.contains(106) && entries.contains(CaptionBinding::LanguageName));
    for (int fixed : {11, 12, 13, 14, 15, 16, 19})
        QVERIFY(!tipButtons.contains(fixed));
    QCOMPARE(tipButtons.size(), 13);

    LanguageData d;
    d.entries[4] = QStringLiteral("&New");
    d.entries[5] = QStringLiteral("&Open...");
    d.entries[28] = QStringLiteral("&Table");
    d.entries[37] = QStringLiteral("&Form");
    LanguageTexts t;
    auto textOf = [&](const QString &name, CaptionBinding::Target target) {
        for (const CaptionBinding &b : mainFrameCaptions()) {
            if (b.objectName == name && b.target == target)
                return captionText(b, d, t);
        }
        return QStringLiteral("<missing>");
    };
    QCOMPARE(textOf("mnuFileOpen", CaptionBinding::Caption), QStringLiteral("&Open..."));
    QCOMPARE(textOf("PicKnopki2", CaptionBinding::ToolTip), QStringLiteral("Open"));
    QCOMPARE(textOf("PicKnopki1", CaptionBinding::ToolTip), QStringLiteral("New Script"));
    QCOMPARE(textOf("CodeFrm1", CaptionBinding::Caption), QStringLiteral("<TABLE...> - &Table"));
    QCOMPARE(textOf("CodeFormsHTML0", CaptionBinding::Caption), QStringLiteral("<FORM ACTIOIN...> - &Form"));

    QCOMPARE(withoutMnemonics(QStringLiteral("Save &As...")), QStringLiteral("Save As..."));
    QCOMPARE(withoutMnemonics(QStringLiteral("Fish && &Chips&")), QStringLiteral("Fish & Chips"));
}

void TestLangCore::readFromDiskReportsFailures()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    LanguageData d;
    d.languageName = QStringLiteral("kept");
    QCOMPARE(LanguageFile::read(dir.filePath("missing.txt"), d), TextFile::NotFound);
    QCOMPARE(LanguageFile::read(dir.path(), d), TextFile::OpenFailed);
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.txt")));
    QCOMPARE(LanguageFile::read(dir.filePath("folder.txt"), d), TextFile::OpenFailed);
    QVERIFY(writeBytes(dir.filePath("huge.txt"), QByteArray(LanguageFile::MaxBytes + 1, 'x')));
    QCOMPARE(LanguageFile::read(dir.filePath("huge.txt"), d), TextFile::OpenFailed);
    QCOMPARE(d.languageName, QStringLiteral("kept"));

    // A stray NUL is only a character of its field: the file still loads.
    QVERIFY(writeBytes(dir.filePath("nul.txt"), QByteArray("\"X\",\"h\"\r\n1,\"a\0b\"\r\n2,\"c\"\r\n", 26)));
    QCOMPARE(LanguageFile::read(dir.filePath("nul.txt"), d), 0);
    QCOMPARE(d.languageName, QStringLiteral("X"));
    QCOMPARE(d.entry(1), QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b")));
    QCOMPARE(d.entry(2), QStringLiteral("c"));

    // Saved as "Unicode" by a Windows editor: UTF-16 with its mark, either byte order.
    const QString utf16Text = QStringLiteral("\"Русский\",\"h\"\r\n1,\"Редактор\"\r\n");
    QByteArray le("\xFF\xFE");
    QByteArray be("\xFE\xFF");
    for (QChar c : utf16Text) {
        le += char(c.unicode() & 0xFF);
        le += char(c.unicode() >> 8);
        be += char(c.unicode() >> 8);
        be += char(c.unicode() & 0xFF);
    }
    for (const auto &[file, bytes] : {std::pair{"le.txt", le}, std::pair{"be.txt", be}}) {
        QVERIFY(writeBytes(dir.filePath(file), bytes));
        LanguageData u;
        QCOMPARE(LanguageFile::read(dir.filePath(file), u), 0);
        QCOMPARE(u.languageName, QStringLiteral("Русский"));
        QCOMPARE(u.entry(1), QStringLiteral("Редактор"));
        QString name;
        QVERIFY(LanguageFile::readLanguageName(dir.filePath(file), name));
        QCOMPARE(name, QStringLiteral("Русский"));
    }

    // Language files saved by an old editor in windows-1251 still read.
    QVERIFY(writeBytes(dir.filePath("cp1251.txt"), QByteArray("\"\xD0\xF3\xF1\xF1\xEA\xE8\xE9\",\"h\"\r\n1,\"\xC0\"\r\n")));
    QCOMPARE(LanguageFile::read(dir.filePath("cp1251.txt"), d), 0);
    QCOMPARE(d.languageName, QStringLiteral("Русский"));
    QCOMPARE(d.entry(1), QStringLiteral("А"));
}

void TestLangCore::chooserReadsOnlyTheName()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString name;
    QVERIFY(!LanguageFile::readLanguageName(dir.filePath("missing.txt"), name));
    QVERIFY(!LanguageFile::readLanguageName(dir.path(), name));
    QVERIFY(writeBytes(dir.filePath("empty.txt"), QByteArray()));
    QVERIFY(LanguageFile::readLanguageName(dir.filePath("empty.txt"), name));
    QVERIFY(name.isEmpty());

    // A big UTF-8 file whose first 64 KB end in the middle of a Cyrillic letter:
    // that must not turn the name into windows-1251 garbage.
    QByteArray big = QByteArray("\"Українська\",\"Help/help_uk.html\"\r\n1,\"");
    if ((64 * 1024 - big.size()) % 2 == 0)
        big += 'x';
    while (big.size() < 300 * 1024)
        big += QByteArray("Я");
    big += "\"\r\n";
    QVERIFY(writeBytes(dir.filePath("big.txt"), big));
    QVERIFY(LanguageFile::readLanguageName(dir.filePath("big.txt"), name));
    QCOMPARE(name, QStringLiteral("Українська"));
}

void TestLangCore::shippedLanguageFilesAreComplete()
{
    const QString source = qEnvironmentVariable("KODOPLET_SOURCE_DIR");
    QVERIFY2(!source.isEmpty(), "KODOPLET_SOURCE_DIR is not set");
    const QDir resources(source + QStringLiteral("/resources"));
    const QDir folder(resources.filePath(QStringLiteral("Language")));
    const QStringList files = folder.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    QVERIFY(files.size() >= 4);

    QSet<QString> names;
    for (const QString &file : files) {
        const QString path = folder.filePath(file);
        LanguageData d;
        QVERIFY2(LanguageFile::read(path, d) == 0, qPrintable(file));
        QVERIFY2(!d.languageName.isEmpty(), qPrintable(file));
        names.insert(d.languageName);
        QString listed;
        QVERIFY(LanguageFile::readLanguageName(path, listed));
        QCOMPARE(listed, d.languageName);
        QVERIFY2(QFileInfo(resources.filePath(d.helpFile)).isFile(), qPrintable(file + ": " + d.helpFile));
        for (int n = LanguageData::FirstEntry; n <= LanguageData::LastEntry; ++n)
            QVERIFY2(d.has(n) && !d.entry(n).trimmed().isEmpty(), qPrintable(file + QString(": entry %1").arg(n)));
        // The replacement count follows entry 91 directly.
        QVERIFY2(d.entry(91).endsWith(u' '), qPrintable(file));
        // Every line ends with CR LF.
        QFile raw(path);
        QVERIFY(raw.open(QIODevice::ReadOnly));
        const QByteArray bytes = raw.readAll();
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        QVERIFY(bytes.endsWith("\r\n"));
    }
    for (const char *expected : {"English", "Русский", "Українська", "Deutsch"})
        QVERIFY2(names.contains(QString::fromUtf8(expected)), expected);
}

void TestLangCore::damagedFilesLoadWhatTheyCanQuickly()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QRandomGenerator random(20240607);

    QByteArray noise(256 * 1024, Qt::Uninitialized);
    for (char &c : noise)
        c = char(random.bounded(1, 256));   // no NUL, so the reader gets to parse it
    QByteArray records("\"Big\",\"h\"\r\n");
    for (int i = 0; i < 100000; ++i)
        records += QByteArray::number(i % 200) + ",\"text " + QByteArray::number(i) + "\"\r\n";
    QByteArray longLine("\"Long\",\"h\"\r\n5,");
    longLine += QByteArray(1024 * 1024, 'x');
    longLine += "\r\n6,\"after\"\r\n";
    QByteArray openQuote("\"Open\",\"h\"\r\n7,\"never closed");
    openQuote += QByteArray(512 * 1024, ',');

    const QList<QPair<QString, QByteArray>> cases = {
        {"noise.txt", noise}, {"records.txt", records}, {"longline.txt", longLine}, {"quote.txt", openQuote}};
    for (const auto &[file, bytes] : cases) {
        QVERIFY(writeBytes(dir.filePath(file), bytes));
        QElapsedTimer timer;
        timer.start();
        LanguageData d;
        QCOMPARE(LanguageFile::read(dir.filePath(file), d), 0);
        QString name;
        QVERIFY(LanguageFile::readLanguageName(dir.filePath(file), name));
        LanguageTexts t;
        t.apply(d);
        for (const CaptionBinding &b : mainFrameCaptions())
            captionText(b, d, t);
        QVERIFY2(timer.elapsed() < 1000, qPrintable(file));

        if (file == "records.txt") {
            QCOMPARE(d.entry(106), QStringLiteral("text 99906"));   // the last 106 wins
            QCOMPARE(d.entry(1), QStringLiteral("text 99801"));
        } else if (file == "longline.txt") {
            QCOMPARE(d.entry(5).size(), 1024 * 1024);
            QCOMPARE(d.entry(6), QStringLiteral("after"));
        } else if (file == "quote.txt") {
            QVERIFY(d.entry(7).startsWith(QStringLiteral("never closed,,,")));
        }
    }

    // Binary bytes, NULs included, between good records: the records around them load.
    QByteArray binary("\"Bin\",\"h\"\r\n1,\"before\"\r\n");
    for (int i = 0; i < 64 * 1024; ++i)
        binary += char(random.bounded(256));
    binary[40] = '\0';
    binary += "\r\n2,\"after\"\r\n";
    QVERIFY(writeBytes(dir.filePath("binary.txt"), binary));
    LanguageData d;
    QCOMPARE(LanguageFile::read(dir.filePath("binary.txt"), d), 0);
    QCOMPARE(d.languageName, QStringLiteral("Bin"));
    QCOMPARE(d.entry(1), QStringLiteral("before"));
    QString name;
    QVERIFY(LanguageFile::readLanguageName(dir.filePath("binary.txt"), name));
    QCOMPARE(name, QStringLiteral("Bin"));

    // Nothing but binary bytes: no language file at all, refused whole.
    QByteArray foreign(64 * 1024, Qt::Uninitialized);
    for (char &c : foreign)
        c = char(random.bounded(256));
    foreign[100] = '\0';
    QVERIFY(writeBytes(dir.filePath("foreign.txt"), foreign));
    LanguageData kept;
    kept.languageName = QStringLiteral("kept");
    QCOMPARE(LanguageFile::read(dir.filePath("foreign.txt"), kept), TextFile::OpenFailed);
    QCOMPARE(kept.languageName, QStringLiteral("kept"));
    QVERIFY(!LanguageFile::readLanguageName(dir.filePath("foreign.txt"), name));
    // Nor is UTF-32, whose mark begins like that of UTF-16.
    QByteArray utf32("\xFF\xFE\0\0", 4);
    for (char c : QByteArray("\"X\",\"h\"\r\n1,\"a\"\r\n"))
        utf32 += QByteArray(1, c) + QByteArray(3, '\0');
    QVERIFY(writeBytes(dir.filePath("utf32.txt"), utf32));
    QCOMPARE(LanguageFile::read(dir.filePath("utf32.txt"), kept), TextFile::OpenFailed);
    QCOMPARE(kept.languageName, QStringLiteral("kept"));
}

QTEST_GUILESS_MAIN(TestLangCore)
#include "test_lang_core.moc"
