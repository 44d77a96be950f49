// Text files on disk: encodings, line breaks, safe writes.
#include "common/TextFile.h"
#include "files/DiskFiles.h"

#include <QtTest>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(TextEncoding)
Q_DECLARE_METATYPE(LineBreak)

namespace {
// "Привет, мир!" / "Строка «два» — №5" in windows-1251, LF breaks.
const QByteArray kCp1251 = QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0!\n"
                                      "\xD1\xF2\xF0\xEE\xEA\xE0 \xAB\xE4\xE2\xE0\xBB \x97 \xB9" "5\n");
const QString kRussian = QStringLiteral("Привет, мир!\r\nСтрока «два» — №5\r\n");

bool run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}
} // namespace

class TestTextFile : public QObject {
    Q_OBJECT
    std::optional<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->filePath(name); }

private slots:
    void init() { m_dir.emplace(); }
    // Every row is also opened and saved twice: the first save gives `saved`
    // (the bytes themselves when they end with a line break), the second the same.
    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<LineBreak>("style");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("saved");
        const auto row = [](const char *name, const QByteArray &b, TextEncoding e, LineBreak s, const QString &t,
                            const QByteArray &saved = {}) {
            QTest::newRow(name) << b << e << s << t << (saved.isNull() ? b : saved);
        };
        const auto cp = TextEncoding::Windows1251;
        row("cp1251 lf", kCp1251, cp, LineBreak::Lf, kRussian);
        row("utf8", "\xD0\xBC\xD0\xB8\xD1\x80 \xE2\x84\x96\r\n", TextEncoding::Utf8, LineBreak::CrLf, "мир №\r\n");
        row("utf8 mark kept", "\xEF\xBB\xBF<p>\xD1\x8F</p>\r\n", TextEncoding::Utf8Bom, LineBreak::CrLf, "<p>я</p>\r\n");
        row("second mark is text", "\xEF\xBB\xBF\xEF\xBB\xBF" "a\r", TextEncoding::Utf8Bom, LineBreak::Cr,
            QStringLiteral("\uFEFFa\r\n"));
        row("cr", "<p>\r</p>\r", cp, LineBreak::Cr, "<p>\r\n</p>\r\n");
        row("empty", QByteArray(), cp, LineBreak::CrLf, QString(), "\r\n");
        row("no final break", "a\nb", cp, LineBreak::Lf, "a\r\nb", "a\nb\n");
        // Byte strings a lax decoder would take as UTF-8 stay windows-1251, every byte kept.
        row("overlong", "a\xC0\xAF\r\n", cp, LineBreak::CrLf, "aАЇ\r\n");
        row("above U+10FFFF", "\xF4\x90\x80\x80\r\n", cp, LineBreak::CrLf, "фђЂЂ\r\n");
        row("mark then cp1251", "\xEF\xBB\xBF\xEF\r\n", cp, LineBreak::CrLf, "п»їп\r\n");
        // Mixed breaks: the first style found is the file's.
        row("mixed", "a\nb\r\nc\rd", cp, LineBreak::Lf, "a\r\nb\r\nc\r\nd", "a\nb\nc\nd\n");
        row("lf cr is two breaks", "a\n\rb\n", cp, LineBreak::Lf, "a\r\n\r\nb\r\n", "a\n\nb\n");
    }
    void decode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, saved);
        TextFormat format{TextEncoding::Utf8, LineBreak::Cr};
        QTEST(TextFile::decode(bytes, &format), "text");
        QTEST(format.encoding, "encoding");
        QTEST(format.lineBreak, "style");
        for (const QByteArray &in : {bytes, saved}) { // open and save as the editor does
            TextFormat found;
            const QString text = TextFile::decode(in, &found);
            QCOMPARE(TextFile::encode(TextFile::withFinalLineBreak(text), found), saved);
        }
    }

    // A page of plain ASCII takes the encoding its first declaration in the head
    // names; anything else, and scripts, keep the byte rule.
    void charsetDeclaration_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("page");
        QTest::addColumn<QString>("declared");
        QTest::addColumn<TextEncoding>("encoding");
        const auto cp = TextEncoding::Windows1251, u8 = TextEncoding::Utf8;
        const auto row = [](const char *name, const QByteArray &b, bool page, const char *declared, TextEncoding e) {
            QTest::newRow(name) << b << page << QString::fromLatin1(declared) << e;
        };
        row("meta charset", "<html><head><meta charset=\"utf-8\"></head>\n", true, "utf-8", u8);
        row("http-equiv", "<meta http-equiv='Content-Type' content='text/html; charset=UTF-8'>", true, "utf-8", u8);
        row("unquoted, upper case", "<HEAD><META CHARSET=UTF-8 /></HEAD>", true, "utf-8", u8);
        row("none", "<p>plain</p>", true, "", cp);
        row("first one decides", "<meta charset=cp1251><meta charset=utf-8>", true, "cp1251", cp);
        row("comment skipped", "<!-- <meta charset=utf-8> --><meta charset=windows-1251>", true, "windows-1251", cp);
        row("content without http-equiv", "<meta name=x content=\"charset=utf-8\">", true, "", cp);
        row("after the head", "<head></head><meta charset=utf-8>", true, "", cp);
        row("other charset", "<meta charset=koi8-r>", true, "koi8-r", cp);
        row("past the scan", QByteArray(TextFile::CharsetScanLimit, ' ') + "<meta charset=utf-8>", true, "", cp);
        row("script", "document.write('<meta charset=\"utf-8\">');", false, "utf-8", cp);
        // Non-ASCII bytes decide by themselves (the status bar shows the disagreement).
        row("cp1251 bytes", "<meta charset=utf-8>\xCF\xF0\xE8", true, "utf-8", cp);
        row("unclosed quote", "<meta charset=\"utf-8", true, "utf-8", u8);
    }
    void charsetDeclaration()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, page);
        QTEST(TextFile::declaredCharset(bytes), "declared");
        TextFormat format;
        const QString text = TextFile::decode(bytes, &format, page);
        QTEST(format.encoding, "encoding");
        QTEST(TextFile::declaredCharset(text), "declared");
        QCOMPARE(TextFile::writeSafely(path("p.htm"), bytes), 0);
        QTEST(TextFile::read(path("p.htm"), 1 << 20, page).format.encoding, "encoding");
    }

    void cp1251EveryByteRoundTrips()
    {
        QByteArray all;
        for (int b = 1; b < 256; ++b)
            if (b != '\r' && b != '\n')
                all.append(char(b));
        all.append("\r\n");
        TextFormat format;
        const QString text = TextFile::decode(all, &format);
        QCOMPARE(format.encoding, TextEncoding::Windows1251);
        QCOMPARE(TextFile::encode(text, format), all);
        const auto at = [](int byte) { return TextFile::decode(QByteArray(1, char(byte))).at(0).unicode(); };
        QCOMPARE(at(0xB9), 0x2116); // №
        QCOMPARE(at(0x98), 0x0098); // unassigned, kept as is
    }

    void charactersOutsideCp1251BecomeReferences()
    {
        const QString emoji = QString::fromUcs4(U"\U0001F600", 1);
        // A lone surrogate still yields a reference.
        const QString text = QStringLiteral("a\u00A0№ŝ&#8470;") + emoji + QChar(0xD83D) + QStringLiteral("\u0081Z");
        QCOMPARE(TextFile::encode(text, TextFormat{}), QByteArray("a\xA0\xB9&#349;&#8470;&#128512;&#55357;&#129;Z"));
        QCOMPARE(TextFile::encode(QStringLiteral("ŝ") + emoji, {TextEncoding::Utf8, LineBreak::Cr}),
                 QByteArray("\xC5\x9D\xF0\x9F\x98\x80"));
        // Stray breaks take the file's style.
        QCOMPARE(TextFile::encode(QStringLiteral("a\nb\rc\r\nd"), {TextEncoding::Windows1251, LineBreak::Lf}),
                 QByteArray("a\nb\nc\nd"));
    }

    void readRefusesWhatIsNotText()
    {
        QCOMPARE(TextFile::writeSafely(path("page.htm"), kCp1251), 0);
        QCOMPARE(TextFile::read(path("page.htm")).text, kRussian);
        QCOMPARE(TextFile::read(path("missing.htm")).error, TextFile::NotFound);
        QCOMPARE(TextFile::read(m_dir->path()).error, TextFile::OpenFailed);
        QCOMPARE(TextFile::writeSafely(path("nul.htm"), QByteArray("abc\0def", 7)), 0);
        QCOMPARE(TextFile::read(path("nul.htm")).error, TextFile::OpenFailed);
        QCOMPARE(TextFile::read(path("page.htm"), kCp1251.size() - 1).error, TextFile::OpenFailed);
        // A pipe would block a plain open.
        QCOMPARE(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
        QCOMPARE(TextFile::read(path("pipe")).error, TextFile::OpenFailed);
        // A loop of links is there but cannot be opened; a dangling link's file is missing.
        QVERIFY(QFile::link(path("loop2"), path("loop1")));
        QVERIFY(QFile::link(path("loop1"), path("loop2")));
        QVERIFY(QFile::link(path("gone.htm"), path("dangling")));
        QCOMPARE(TextFile::read(path("loop1")).error, TextFile::OpenFailed);
        QCOMPARE(TextFile::read(path("loop1/page.htm")).error, TextFile::OpenFailed);
        QCOMPARE(TextFile::read(path("dangling")).error, TextFile::NotFound);
        QCOMPARE(TextFile::read(path("page.htm/x.htm")).error, TextFile::NotFound);
    }

    void writesKeepModeAndLinks()
    {
        const QString file = path("a.htm");
        QCOMPARE(TextFile::writeSafely(file, "old"), 0);
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        QCOMPARE(TextFile::writeSafely(file, "new"), 0);
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(file).constData(), &st), 0);
        QCOMPARE(st.st_mode & 07777, mode_t(0640));

        // link2 -> link1 -> a.htm (relative); a dangling link creates its target.
        QVERIFY(QFile::link(QStringLiteral("a.htm"), path("link1")));
        QVERIFY(QFile::link(path("link1"), path("link2")));
        QVERIFY(QFile::link(path("fresh.htm"), path("dangling")));
        QCOMPARE(TextFile::writeSafely(path("link2"), "linked"), 0);
        QCOMPARE(TextFile::writeSafely(path("dangling"), "x"), 0);
        QCOMPARE(disk::get(file), QByteArray("linked"));
        QCOMPARE(disk::get(path("fresh.htm")), QByteArray("x"));
        for (const char *link : {"link1", "link2", "dangling"})
            QVERIFY(QFileInfo(path(link)).isSymLink());
        QVERIFY(QFile::link(path("loop2"), path("loop1")));
        QVERIFY(QFile::link(path("loop1"), path("loop2")));
        QCOMPARE(TextFile::writeSafely(path("loop1"), "x"), TextFile::PathAccess);

        QCOMPARE(TextFile::writeSafely(path("no/such/folder/a.htm"), "x"), TextFile::PathAccess);
        QCOMPARE(TextFile::writeSafely(path("a.htm/b.htm"), "x"), TextFile::PathAccess);
    }

    // Every name of a file with several sees the new text; the owner stays.
    void writesKeepHardLinksAndOwner()
    {
        const QString file = path("a.htm"), other = path("sub/b.htm");
        QVERIFY(QDir().mkpath(path("sub")));
        QCOMPARE(TextFile::writeSafely(file, "old text"), 0);
        QCOMPARE(::link(QFile::encodeName(file).constData(), QFile::encodeName(other).constData()), 0);
        struct stat before {}, after {};
        QCOMPARE(::stat(QFile::encodeName(file).constData(), &before), 0);
        QCOMPARE(TextFile::writeSafely(other, "new"), 0);
        QCOMPARE(disk::get(file), QByteArray("new"));
        QCOMPARE(::stat(QFile::encodeName(file).constData(), &after), 0);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_nlink, nlink_t(2));
        // The backup copy went; nothing else was left.
        QCOMPARE(QDir(path("sub")).entryList(QDir::Files | QDir::Hidden), QStringList{"b.htm"});
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.htm"});
        QCOMPARE(TextFile::writeSafely(file, QByteArray(100000, 'x')), 0);
        QCOMPARE(disk::get(other), QByteArray(100000, 'x'));

        if (geteuid() != 0)
            QSKIP("giving a file to another owner needs root");
        QCOMPARE(::chown(QFile::encodeName(path("sub")).constData(), 4321, 4321), 0);
        QCOMPARE(::unlink(QFile::encodeName(other).constData()), 0);
        QCOMPARE(TextFile::writeSafely(other, "theirs"), 0);
        QCOMPARE(::chown(QFile::encodeName(other).constData(), 1234, 5678), 0);
        QCOMPARE(TextFile::writeSafely(other, "edited"), 0);
        QCOMPARE(::stat(QFile::encodeName(other).constData(), &after), 0);
        QCOMPARE(disk::get(other), QByteArray("edited"));
        QCOMPARE(after.st_uid, uid_t(1234));
        QCOMPARE(after.st_gid, gid_t(5678));
    }

    // Size and time decide where they can; the content where they cannot.
    void stampNoticesChanges()
    {
        const QString file = path("s.htm");
        QCOMPARE(TextFile::writeSafely(file, "abc"), 0);
        const FileStamp loaded = TextFile::read(file).stamp;
        QVERIFY(loaded.known && loaded.exists && loaded.racy());
        QCOMPARE(compareWithDisk(loaded, file), DiskChange::Same);
        // The same size within the same time step: only the content tells.
        const QDateTime time = QFileInfo(file).lastModified();
        QCOMPARE(TextFile::writeSafely(file, "xyz"), 0);
        const auto setTime = [&file](const QDateTime &to) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadWrite) && f.setFileTime(to, QFileDevice::FileModificationTime));
        };
        setTime(time);
        QCOMPARE(compareWithDisk(loaded, file), DiskChange::Changed);
        // A touch alone changes nothing.
        FileStamp now;
        const FileStamp xyz = TextFile::read(file).stamp;
        setTime(time.addSecs(-60));
        QCOMPARE(compareWithDisk(xyz, file, &now), DiskChange::Same);
        QVERIFY(!now.racy());
        QCOMPARE(compareWithDisk(now, file), DiskChange::Same);
        QCOMPARE(TextFile::writeSafely(file, "longer"), 0);
        QCOMPARE(compareWithDisk(now, file), DiskChange::Changed);
        QVERIFY(QFile::remove(file));
        QCOMPARE(compareWithDisk(now, file), DiskChange::Deleted);
        QCOMPARE(compareWithDisk(FileStamp::missing(), file), DiskChange::Same);
        QCOMPARE(TextFile::writeSafely(file, "back"), 0);
        QCOMPARE(compareWithDisk(FileStamp::missing(), file), DiskChange::Changed);
        QCOMPARE(compareWithDisk(FileStamp(), file), DiskChange::Same);
    }

    void fullOrReadOnlyDiskKeepsTheOldFile()
    {
        const QString disk = path("disk");
        QDir().mkpath(disk);
        if (geteuid() != 0 || !run(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=64k", "tmpfs", disk}))
            QSKIP("cannot mount a small tmpfs here (needs root)");
        const auto unmount = qScopeGuard([disk] { run(QStringLiteral("umount"), {disk}); });
        const QString file = disk + QStringLiteral("/page.htm");
        const QByteArray old(8 * 1024, 'o');
        QCOMPARE(TextFile::writeSafely(file, old), 0);
        QCOMPARE(TextFile::writeSafely(file, QByteArray(200 * 1024, 'n')), TextFile::WriteFailed);
        QCOMPARE(disk::get(file), old);
        // No temporary file is left to fill the disk.
        QCOMPARE(QDir(disk).entryList(QDir::Files | QDir::Hidden), QStringList{"page.htm"});

        QVERIFY(run(QStringLiteral("mount"), {"-o", "remount,ro", disk}));
        QCOMPARE(TextFile::writeSafely(file, "new"), TextFile::PathAccess);
        QCOMPARE(TextFile::writeSafely(disk + QStringLiteral("/other.htm"), "new"), TextFile::PathAccess);
        QCOMPARE(disk::get(file), old);
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "test_textfile.moc"
