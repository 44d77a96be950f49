#include "files/TextFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(TextEncoding)
Q_DECLARE_METATYPE(LineBreak)

namespace {

// Russian text in windows-1251: "Привет, мир!" / "Строка «два» — №5"
const QByteArray kCp1251Lines = QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0!")
    + "\n" + QByteArray("\xD1\xF2\xF0\xEE\xEA\xE0 \xAB\xE4\xE2\xE0\xBB \x97 \xB9" "5") + "\n";
const QString kRussian = QStringLiteral("Привет, мир!\r\nСтрока «два» — №5\r\n");

struct Cleanup {
    std::function<void()> run;
    ~Cleanup()
    {
        if (run)
            run();
    }
};

bool runTool(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readRaw(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// The document cycle: open, save as the editor would, in the format found.
QByteArray openAndSave(const QByteArray &bytes)
{
    TextFormat format;
    const QString text = TextFile::decode(bytes, &format);
    return TextFile::encode(TextFile::withFinalLineBreak(text), format);
}

} // namespace

class TestTextFile : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->filePath(name); }

    // A small tmpfs at <dir>/disk; empty when it cannot be mounted here.
    QString mountSmallDisk(Cleanup &unmount)
    {
        const QString disk = path(QStringLiteral("disk"));
        QDir().mkpath(disk);
        if (geteuid() != 0 || !runTool(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=64k", "tmpfs", disk}))
            return QString();
        unmount.run = [disk] { runTool(QStringLiteral("umount"), {disk}); };
        return disk;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void detectsEncoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<QString>("text");
        QTest::newRow("cp1251 Cyrillic") << kCp1251Lines << TextEncoding::Windows1251 << kRussian;
        QTest::newRow("utf8") << QByteArray("\xD0\xBC\xD0\xB8\xD1\x80 \xE2\x84\x96") << TextEncoding::Utf8
                              << QStringLiteral("мир №");
        QTest::newRow("utf8 with mark") << QByteArray("\xEF\xBB\xBF<p>\xD1\x8F</p>") << TextEncoding::Utf8Bom
                                        << QStringLiteral("<p>я</p>");
        QTest::newRow("mark only") << QByteArray("\xEF\xBB\xBF") << TextEncoding::Utf8Bom << QString();
        QTest::newRow("second mark is text") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF\xEF\xBB\xBF" "a")
                                             << TextEncoding::Utf8Bom << QStringLiteral("\uFEFF\uFEFFa");
        QTest::newRow("ascii") << QByteArray("<html>") << TextEncoding::Windows1251 << QStringLiteral("<html>");
        QTest::newRow("empty") << QByteArray() << TextEncoding::Windows1251 << QString();
        // Byte strings that a lax decoder would take as UTF-8.
        QTest::newRow("overlong") << QByteArray("a\xC0\xAF") << TextEncoding::Windows1251
                                  << QStringLiteral("aАЇ");
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << TextEncoding::Windows1251
                                   << QStringLiteral("н\u00A0Ђ");
        QTest::newRow("cut sequence") << QByteArray("ok\xD0") << TextEncoding::Windows1251 << QStringLiteral("okР");
        QTest::newRow("above U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << TextEncoding::Windows1251
                                        << QStringLiteral("фђЂЂ");
        // A mark followed by broken UTF-8 keeps every byte rather than losing some.
        QTest::newRow("mark then cp1251") << QByteArray("\xEF\xBB\xBF\xEF") << TextEncoding::Windows1251
                                          << QStringLiteral("п»їп");
    }

    void detectsEncoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(TextEncoding, encoding);
        QFETCH(QString, text);
        TextFormat format;
        format.encoding = TextEncoding::Utf8;
        format.lineBreak = LineBreak::Cr;
        const QString decoded = TextFile::decode(bytes, &format);
        QCOMPARE(decoded, text);
        QCOMPARE(format.encoding, encoding);
        if (!bytes.contains('\n') && !bytes.contains('\r'))
            QCOMPARE(format.lineBreak, LineBreak::CrLf);
        // What was read comes back byte for byte.
        QCOMPARE(TextFile::encode(decoded, format), bytes);
    }

    void lineBreaks_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<LineBreak>("style");
        QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringLiteral("a\r\nb\r\n") << LineBreak::CrLf;
        QTest::newRow("lf") << QByteArray("a\nb\n") << QStringLiteral("a\r\nb\r\n") << LineBreak::Lf;
        QTest::newRow("cr") << QByteArray("a\rb\r") << QStringLiteral("a\r\nb\r\n") << LineBreak::Cr;
        QTest::newRow("mixed, lf first") << QByteArray("a\nb\r\nc\rd") << QStringLiteral("a\r\nb\r\nc\r\nd")
                                         << LineBreak::Lf;
        QTest::newRow("lf cr is two breaks") << QByteArray("a\n\rb") << QStringLiteral("a\r\n\r\nb")
                                             << LineBreak::Lf;
        QTest::newRow("cr cr lf") << QByteArray("a\r\r\nb") << QStringLiteral("a\r\n\r\nb") << LineBreak::Cr;
        QTest::newRow("lone cr at end") << QByteArray("a\r") << QStringLiteral("a\r\n") << LineBreak::Cr;
        QTest::newRow("none") << QByteArray("abc") << QStringLiteral("abc") << LineBreak::CrLf;
    }

    void lineBreaks()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(LineBreak, style);
        TextFormat format;
        QCOMPARE(TextFile::decode(bytes, &format), text);
        QCOMPARE(format.lineBreak, style);
    }

    void cp1251EveryByteRoundTrips()
    {
        QByteArray all;
        for (int b = 1; b < 256; ++b) {
            if (b != '\r' && b != '\n')
                all.append(char(b));
        }
        all.append("\r\n");
        TextFormat format;
        const QString text = TextFile::decode(all, &format);
        QCOMPARE(format.encoding, TextEncoding::Windows1251);
        QCOMPARE(TextFile::encode(text, format), all);

        const auto at = [&](int byte) { return TextFile::decode(QByteArray(1, char(byte))).at(0).unicode(); };
        QCOMPARE(at(0xC0), 0x0410); // А
        QCOMPARE(at(0xFF), 0x044F); // я
        QCOMPARE(at(0xA8), 0x0401); // Ё
        QCOMPARE(at(0xB8), 0x0451); // ё
        QCOMPARE(at(0xB9), 0x2116); // №
        QCOMPARE(at(0x88), 0x20AC); // €
        QCOMPARE(at(0x96), 0x2013); // –
        QCOMPARE(at(0xA5), 0x0490); // Ґ
        QCOMPARE(at(0x98), 0x0098); // unassigned, kept as is
    }

    void charactersOutsideCp1251BecomeReferences()
    {
        const TextFormat cp1251;
        QString text = QStringLiteral("a\u00A0№ŝ&#8470;");
        text += QString::fromUcs4(U"\U0001F600", 1);
        text += QChar(0xD83D); // a lone surrogate still yields a reference
        text += QStringLiteral("\u0081Z");
        QCOMPARE(TextFile::encode(text, cp1251),
                 QByteArray("a\xA0\xB9&#349;&#8470;&#128512;&#55357;&#129;Z"));

        // UTF-8 documents need no references.
        TextFormat utf8;
        utf8.encoding = TextEncoding::Utf8;
        QCOMPARE(TextFile::encode(QStringLiteral("ŝ") + QString::fromUcs4(U"\U0001F600", 1), utf8),
                 QByteArray("\xC5\x9D\xF0\x9F\x98\x80"));
    }

    void encodeThenDecodeGivesTheText_data()
    {
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<LineBreak>("style");
        QTest::addColumn<QString>("text");
        const QString utf8Text = QStringLiteral("Grüße, мир ") + QString::fromUcs4(U"\U0001F600", 1)
            + QStringLiteral("\r\n\r\n<p>ŝ</p>");
        const struct {
            const char *name;
            LineBreak style;
        } styles[] = {{"crlf", LineBreak::CrLf}, {"lf", LineBreak::Lf}, {"cr", LineBreak::Cr}};
        for (const auto &s : styles) {
            QTest::addRow("cp1251 %s", s.name) << TextEncoding::Windows1251 << s.style << kRussian;
            QTest::addRow("utf8 %s", s.name) << TextEncoding::Utf8 << s.style << utf8Text;
            QTest::addRow("utf8 mark %s", s.name) << TextEncoding::Utf8Bom << s.style << utf8Text;
            QTest::addRow("utf8 mark ascii %s", s.name) << TextEncoding::Utf8Bom << s.style
                                                        << QStringLiteral("a\r\nb");
        }
    }

    void encodeThenDecodeGivesTheText()
    {
        QFETCH(TextEncoding, encoding);
        QFETCH(LineBreak, style);
        QFETCH(QString, text);
        const TextFormat format{encoding, style};
        const QByteArray bytes = TextFile::encode(text, format);
        QVERIFY(!bytes.contains("\r\n") || style == LineBreak::CrLf);
        TextFormat found;
        QCOMPARE(TextFile::decode(bytes, &found), text);
        QCOMPARE(found.encoding, encoding);
        QCOMPARE(found.lineBreak, style);
    }

    void strayBreaksTakeTheFileStyle()
    {
        const TextFormat lf{TextEncoding::Windows1251, LineBreak::Lf};
        QCOMPARE(TextFile::encode(QStringLiteral("a\nb\rc\r\nd"), lf), QByteArray("a\nb\nc\nd"));
        const TextFormat crlf{TextEncoding::Utf8, LineBreak::CrLf};
        QCOMPARE(TextFile::encode(QStringLiteral("a\nb\rc\r\n"), crlf), QByteArray("a\r\nb\r\nc\r\n"));
    }

    void savingAgainNeverGrows_data()
    {
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<QByteArray>("firstSave");
        QTest::newRow("cp1251 lf") << kCp1251Lines << kCp1251Lines;
        QTest::newRow("cr") << QByteArray("<p>\r</p>\r") << QByteArray("<p>\r</p>\r");
        QTest::newRow("utf8 mark crlf") << QByteArray("\xEF\xBB\xBF\xD1\x8F\r\n") << QByteArray("\xEF\xBB\xBF\xD1\x8F\r\n");
        QTest::newRow("utf8 lf") << QByteArray("\xD1\x8F\n\n") << QByteArray("\xD1\x8F\n\n");
        QTest::newRow("no final break") << QByteArray("a\nb") << QByteArray("a\nb\n");
        QTest::newRow("mixed") << QByteArray("a\r\nb\nc") << QByteArray("a\r\nb\r\nc\r\n");
        QTest::newRow("empty") << QByteArray() << QByteArray("\r\n");
    }

    void savingAgainNeverGrows()
    {
        QFETCH(QByteArray, original);
        QFETCH(QByteArray, firstSave);
        const QByteArray once = openAndSave(original);
        QCOMPARE(once, firstSave);
        QCOMPARE(openAndSave(once), once);
    }

    void finalLineBreak()
    {
        QCOMPARE(TextFile::withFinalLineBreak(QStringLiteral("a")), QStringLiteral("a\r\n"));
        QCOMPARE(TextFile::withFinalLineBreak(QStringLiteral("a\r\n")), QStringLiteral("a\r\n"));
        QCOMPARE(TextFile::withFinalLineBreak(QStringLiteral("a\r\n\r\n")), QStringLiteral("a\r\n\r\n"));
        QCOMPARE(TextFile::withFinalLineBreak(QStringLiteral("a\n")), QStringLiteral("a\n"));
        // An empty document is saved as one line break, which later saves keep.
        QCOMPARE(TextFile::withFinalLineBreak(QString()), QStringLiteral("\r\n"));
    }

    void readsFiles()
    {
        QVERIFY(writeRaw(path("page.htm"), kCp1251Lines));
        ReadResult r = TextFile::read(path("page.htm"));
        QCOMPARE(r.error, 0);
        QCOMPARE(r.text, kRussian);
        QCOMPARE(r.format.encoding, TextEncoding::Windows1251);
        QCOMPARE(r.format.lineBreak, LineBreak::Lf);

        QVERIFY(writeRaw(path("empty.htm"), QByteArray()));
        QCOMPARE(TextFile::read(path("empty.htm")).error, 0);
    }

    void readRefusesWhatIsNotAText()
    {
        QCOMPARE(TextFile::read(path("missing.htm")).error, TextFile::NotFound);
        QCOMPARE(TextFile::read(path("no/such/folder/a.htm")).error, TextFile::NotFound);
        QCOMPARE(TextFile::read(m_dir->path()).error, TextFile::OpenFailed);

        QVERIFY(writeRaw(path("nul.htm"), QByteArray("abc\0def", 7)));
        QCOMPARE(TextFile::read(path("nul.htm")).error, TextFile::OpenFailed);

        const QString utf16 = QStringLiteral("<html>мир</html>");
        QVERIFY(writeRaw(path("utf16.htm"), QByteArray("\xFF\xFE")
                                                 + QByteArray(reinterpret_cast<const char *>(utf16.utf16()),
                                                              utf16.size() * 2)));
        QCOMPARE(TextFile::read(path("utf16.htm")).error, TextFile::OpenFailed);

        QVERIFY(writeRaw(path("big.htm"), QByteArray(101, 'x')));
        QCOMPARE(TextFile::read(path("big.htm"), 100).error, TextFile::OpenFailed);
        QCOMPARE(TextFile::read(path("big.htm"), 101).error, 0);

        // A pipe would block a plain open.
        QCOMPARE(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
        QCOMPARE(TextFile::read(path("pipe")).error, TextFile::OpenFailed);

        QVERIFY(!TextFile::looksBinary(kCp1251Lines));
        QVERIFY(TextFile::looksBinary(QByteArray("x\0", 2)));
    }

    void writesAndReplaces()
    {
        const QString file = path("a.htm");
        QCOMPARE(TextFile::writeText(file, QStringLiteral("мир\r\n"), TextFormat{}), 0);
        QCOMPARE(readRaw(file), QByteArray("\xEC\xE8\xF0\r\n"));

        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        QCOMPARE(TextFile::writeSafely(file, "new"), 0);
        QCOMPARE(readRaw(file), QByteArray("new"));
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(file).constData(), &st), 0);
        QCOMPARE(st.st_mode & 07777, mode_t(0640));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.htm"});
    }

    void writesThroughSymbolicLinks()
    {
        QDir().mkpath(path("real"));
        const QString target = path("real/page.htm");
        QVERIFY(writeRaw(target, "old"));
        // link2 -> link1 -> real/page.htm, link1 relative to its folder.
        QVERIFY(QFile::link(QStringLiteral("real/page.htm"), path("link1")));
        QVERIFY(QFile::link(path("link1"), path("link2")));

        QCOMPARE(TextFile::writeSafely(path("link2"), "new"), 0);
        QCOMPARE(readRaw(target), QByteArray("new"));
        QVERIFY(QFileInfo(path("link1")).isSymLink());
        QVERIFY(QFileInfo(path("link2")).isSymLink());

        // A link whose target does not exist yet creates the target.
        QVERIFY(QFile::link(path("real/fresh.htm"), path("dangling")));
        QCOMPARE(TextFile::writeSafely(path("dangling"), "x"), 0);
        QCOMPARE(readRaw(path("real/fresh.htm")), QByteArray("x"));
        QVERIFY(QFileInfo(path("dangling")).isSymLink());

        QVERIFY(QFile::link(path("loop2"), path("loop1")));
        QVERIFY(QFile::link(path("loop1"), path("loop2")));
        QCOMPARE(TextFile::writeSafely(path("loop1"), "x"), TextFile::PathAccess);
        QVERIFY(QFileInfo(path("loop1")).isSymLink());
    }

    void refusedPathsAreAccessErrors()
    {
        QCOMPARE(TextFile::writeSafely(path("no/such/folder/a.htm"), "x"), TextFile::PathAccess);
        QCOMPARE(TextFile::writeSafely(m_dir->path(), "x"), TextFile::PathAccess);
        QVERIFY(writeRaw(path("file"), "x"));
        QCOMPARE(TextFile::writeSafely(path("file/a.htm"), "x"), TextFile::PathAccess);
    }

    void fullDiskKeepsTheOldFile()
    {
        Cleanup unmount;
        const QString disk = mountSmallDisk(unmount);
        if (disk.isEmpty())
            QSKIP("cannot mount a small tmpfs here (needs root)");
        const QString file = disk + QStringLiteral("/page.htm");
        const QByteArray old(8 * 1024, 'o');
        QCOMPARE(TextFile::writeSafely(file, old), 0);

        QCOMPARE(TextFile::writeSafely(file, QByteArray(200 * 1024, 'n')), TextFile::WriteFailed);
        QCOMPARE(readRaw(file), old);
        // No temporary file is left to fill the disk.
        QCOMPARE(QDir(disk).entryList(QDir::Files | QDir::Hidden), QStringList{"page.htm"});
        QCOMPARE(TextFile::writeSafely(file, "small"), 0);
        QCOMPARE(readRaw(file), QByteArray("small"));
    }

    void readOnlyFileSystemIsAnAccessError()
    {
        Cleanup unmount;
        const QString disk = mountSmallDisk(unmount);
        if (disk.isEmpty())
            QSKIP("cannot mount a small tmpfs here (needs root)");
        const QString file = disk + QStringLiteral("/page.htm");
        QCOMPARE(TextFile::writeSafely(file, "old"), 0);
        QVERIFY(runTool(QStringLiteral("mount"), {"-o", "remount,ro", disk}));
        QCOMPARE(TextFile::writeSafely(file, "new"), TextFile::PathAccess);
        QCOMPARE(TextFile::writeSafely(disk + QStringLiteral("/other.htm"), "new"), TextFile::PathAccess);
        QCOMPARE(readRaw(file), QByteArray("old"));
    }

    void permissionDeniedIsAnAccessError()
    {
        const QString folder = path("locked");
        QDir().mkpath(folder);
        const QString file = folder + QStringLiteral("/page.htm");
        QVERIFY(writeRaw(file, "old"));
        Cleanup unlock;
        if (geteuid() == 0) {
            // Root ignores permission bits; immutable files refuse even root.
            if (!runTool(QStringLiteral("chattr"), {"+i", file}))
                QSKIP("chattr +i is not available here");
            unlock.run = [file, folder] {
                runTool(QStringLiteral("chattr"), {"-i", file});
                runTool(QStringLiteral("chattr"), {"-i", folder});
            };
            QCOMPARE(TextFile::writeSafely(file, "new"), TextFile::PathAccess);
            QCOMPARE(readRaw(file), QByteArray("old"));
            QVERIFY(runTool(QStringLiteral("chattr"), {"+i", folder}));
            QCOMPARE(TextFile::writeSafely(folder + QStringLiteral("/other.htm"), "new"), TextFile::PathAccess);
        } else {
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
            unlock.run = [folder] { QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); };
            QCOMPARE(TextFile::writeSafely(folder + QStringLiteral("/other.htm"), "new"), TextFile::PathAccess);
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner));
            QCOMPARE(TextFile::writeSafely(file, "new"), TextFile::PathAccess);
        }
        QCOMPARE(readRaw(file), QByteArray("old"));
    }

    void largeTextsTakeLinearTime()
    {
        QByteArray cp1251;
        QByteArray utf8;
        qsizetype units = 0;
        while (cp1251.size() < 10 * 1024 * 1024) {
            cp1251 += kCp1251Lines;
            utf8 += "<p>\xD0\xBC\xD0\xB8\xD1\x80</p>\r";
            ++units;
        }
        QElapsedTimer timer;
        timer.start();
        TextFormat format;
        const QString text = TextFile::decode(cp1251, &format);
        const QString text8 = TextFile::decode(utf8);
        const QByteArray back = TextFile::encode(text, format);
        const qint64 ms = timer.elapsed();
        QCOMPARE(back, cp1251);
        QCOMPARE(text8.size(), units * 12); // "<p>мир</p>" and CR LF
        qInfo("decode 2 x 10 MB and encode 10 MB: %lld ms", ms);
        // Generous: a quadratic step would take minutes here.
        QVERIFY2(ms < 5000, qPrintable(QString::number(ms)));
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "test_textfile.moc"
