// Find and replace in files over a real folder: the options, what is skipped,
// and replacements that keep each file's encoding and line breaks.
#include "files/DiskFiles.h"
#include "search/FindInFiles.h"

#include <QTemporaryDir>
#include <QtTest>

static QString s(const char *text) { return QString::fromUtf8(text); }

class TestFindInFiles : public QObject {
    Q_OBJECT
    static constexpr int Limit = 1000;   // a small size limit: its edge costs no 16 MB file
    QTemporaryDir m_dir;
    QString path(const char *name) const { return m_dir.path() + u'/' + QLatin1String(name); }

    // "file line:column [hit] | ..." of every hit, file names relative to the folder.
    QString found(const FindQuery &q, FindInFilesResult *out = nullptr)
    {
        QString error;
        const FindPattern re = FindInFiles::compile(q, &error);
        if (!re.isValid())
            return QStringLiteral("invalid: ") + error;
        const FindInFilesResult r = FindInFiles::search(FindInFiles::listFiles(m_dir.path(), FindInFiles::DefaultNames), re, {},
                                                        nullptr, {}, Limit);
        QStringList parts;
        for (const FileHits &f : r.files)
            for (const FindHit &h : f.hits)
                parts << QStringLiteral("%1 %2:%3 [%4]").arg(QDir(m_dir.path()).relativeFilePath(f.path)).arg(h.line).arg(h.column)
                             .arg(h.lineText.mid(h.markStart, h.markLength));
        if (out)
            *out = r;
        return parts.join(QStringLiteral(" | "));
    }

private slots:
    void initTestCase()
    {
        disk::put(path("a.htm"), "<p>Word words</p>\r\n<b>WORD</b>\r\nsword\r\n");
        disk::put(path("sub/b.css"), "p { color: red; }\nword: 1;\n");
        disk::put(path("c.js"), "var word\xC3\xA9 = 1; // \xD1\x81\xD0\xBB\xD0\xBE\xD0\xB2\xD0\xBE word\r");  // UTF-8, CR breaks
        disk::put(path("notes.txt"), "word is not in a searched name\n");
        QByteArray binary("word");
        binary.append('\0');
        disk::put(path("image.htm"), binary + "word");
        disk::put(path("large.html"), "word " + QByteArray(Limit, 'a'));
    }

    void options_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<bool>("regex");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *text, bool c, bool w, bool x, const QString &want) {
            QTest::newRow(name) << s(text) << c << w << x << want;
        };
        row("plain", "word", false, false, false,
            s("a.htm 1:4 [Word] | a.htm 1:9 [word] | a.htm 2:4 [WORD] | a.htm 3:2 [word] | c.js 1:5 [word] | c.js 1:25 [word] | "
              "sub/b.css 2:1 [word]"));
        row("match case", "WORD", true, false, false, s("a.htm 2:4 [WORD]"));
        // Not inside "words", "sword" or "wordé"; a Cyrillic word counts as a word too.
        row("whole word", "word", false, true, false, s("a.htm 1:4 [Word] | a.htm 2:4 [WORD] | c.js 1:25 [word] | sub/b.css 2:1 [word]"));
        row("whole Cyrillic word", "\xD1\x81\xD0\xBB\xD0\xBE\xD0\xB2\xD0\xBE", false, true, false, s("c.js 1:19 [\xD1\x81\xD0\xBB\xD0\xBE\xD0\xB2\xD0\xBE]"));
        row("regex", "^\\w+:", false, false, true, s("sub/b.css 2:1 [word:]"));
        row("regex text as plain", "^\\w+:", false, false, false, QString());
        row("bad regex", "(word", false, false, true, s("invalid: missing closing parenthesis"));
    }
    void options()
    {
        QFETCH(QString, text);
        QFETCH(bool, matchCase);
        QFETCH(bool, wholeWord);
        QFETCH(bool, regex);
        QFETCH(QString, expected);
        FindQuery q;
        q.text = text;
        q.matchCase = matchCase;
        q.wholeWord = wholeWord;
        q.regex = regex;
        FindInFilesResult r;
        QCOMPARE(found(q, &r), expected);
        if (!expected.startsWith(QLatin1String("invalid"))) {
            QCOMPARE(r.skipped, 2);   // image.htm (a NUL byte), large.html (over the limit)
            QCOMPARE(r.searched, 3);
        }
    }

    // Open documents are searched as their editors hold them.
    void openTextsWin()
    {
        FindQuery q;
        q.text = QStringLiteral("unsaved");
        const QStringList files = FindInFiles::listFiles(m_dir.path(), QStringLiteral("*.htm"));
        const FindInFilesResult r = FindInFiles::search(files, FindInFiles::compile(q), {{path("a.htm"), QStringLiteral("x\r\nunsaved")}});
        QCOMPARE(r.hits, 1);
        QCOMPARE(r.files.value(0).hits.value(0).line, 2);
    }

    // Replacing writes each file in its own encoding and line breaks; groups in a
    // regular expression's replacement; a file without hits is not touched.
    void replaceKeepsFormat_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<bool>("regex");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<int>("count");
        QTest::newRow("windows-1251 CR LF") << QByteArray("<p>\xEF\xF0\xE8\xE2\xE5\xF2 old</p>\r\nold\r\n") << s("old") << s("\xD0\xBD\xD0\xBE\xD0\xB2\xD1\x8B\xD0\xB9 \xE2\x98\xBA")
                                           << false << QByteArray("<p>\xEF\xF0\xE8\xE2\xE5\xF2 \xED\xEE\xE2\xFB\xE9 &#9786;</p>\r\n\xED\xEE\xE2\xFB\xE9 &#9786;\r\n") << 2;
        QTest::newRow("UTF-8 mark, LF") << QByteArray("\xEF\xBB\xBFold \xC3\xA9\nold") << s("old") << s("new\\1") << false
                                       << QByteArray("\xEF\xBB\xBFnew\\1 \xC3\xA9\nnew\\1") << 2;
        QTest::newRow("groups") << QByteArray("a=1\nb=2\n") << s("(\\w)=(\\d)") << s("\\2:\\1\\\\") << true << QByteArray("1:a\\\n2:b\\\n") << 2;
        QTest::newRow("no hit") << QByteArray("nothing\r\n") << s("old") << s("new") << false << QByteArray("nothing\r\n") << 0;
    }
    void replaceKeepsFormat()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, find);
        QFETCH(QString, replacement);
        QFETCH(bool, regex);
        QTemporaryDir dir;
        const QString file = dir.path() + QStringLiteral("/page.htm");
        disk::put(file, before);
        const QDateTime stamp = QFileInfo(file).lastModified();
        FindQuery q;
        q.text = find;
        q.regex = regex;
        int error = 0;
        QFETCH(int, count);
        QCOMPARE(FindInFiles::replaceInFile(file, FindInFiles::compile(q), replacement, regex, &error), count);
        QTEST(disk::get(file), "after");
        if (count == 0)
            QCOMPARE(QFileInfo(file).lastModified(), stamp);
    }
};

QTEST_GUILESS_MAIN(TestFindInFiles)
#include "test_findinfiles.moc"
