// Recovery records: the format, damage, and whose records a start-up offers.
#include "files/DiskFiles.h"
#include "files/Recovery.h"

#include <QtTest>
#include <optional>

Q_DECLARE_METATYPE(Recovery::Damage)

namespace {
RecoveryRecord sample(const QString &path, const QString &text)
{
    RecoveryRecord r;
    r.owner = {4242, 777, QStringLiteral("b00t id")};
    r.path = path;
    r.caption = path.isEmpty() ? QStringLiteral("Untitled3") : QFileInfo(path).fileName();
    r.format = {TextEncoding::Utf8Bom, LineBreak::Cr};
    r.loaded = {1234, 1700000000123};
    r.savedAtMs = 1700000999000;
    r.text = text;
    return r;
}
} // namespace

class TestRecovery : public QObject {
    Q_OBJECT
    std::optional<QTemporaryDir> m_dir;

private slots:
    void init() { m_dir.emplace(); }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("text");
        QTest::newRow("untitled, empty") << QString() << QString();
        QTest::newRow("cyrillic page") << "/home/u/сайт/index.htm" << "<p>Привет, мир! №5</p>\r\nконец";
        // Names may hold anything a header line could trip over.
        QTest::newRow("odd name") << "/tmp/a b\n%41\r\\.htm" << "\r\n\r\n\n\nsha256 x\n\n";
        QTest::newRow("astral and nul") << "/x.js" << QStringLiteral("😀\u0000\uFEFF end");
    }
    void roundTrip()
    {
        QFETCH(QString, path);
        QFETCH(QString, text);
        RecoveryRecord r = sample(path, text);
        r.script = path.endsWith(QLatin1String(".js"));
        RecoveryRecord back;
        QCOMPARE(Recovery::decode(Recovery::encode(r), back), Recovery::Damage::None);
        QCOMPARE(back.text, r.text);
        QCOMPARE(back.path, r.path);
        // Every other field is in the header: the same header back means the same values.
        QCOMPARE(Recovery::encode(back), Recovery::encode(r));
    }

    // Every way a record can be broken is told, never taken for text.
    void damage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Recovery::Damage>("damage");
        const QByteArray good = Recovery::encode(sample(QStringLiteral("/site/p.htm"), QStringLiteral("текст\r\nline")));
        const qsizetype textAt = good.indexOf("\n\n") + 2;
        const auto flipped = [&good](qsizetype at) {
            QByteArray b = good;
            b[at] = char(b[at] ^ 0x01);
            return b;
        };
        using D = Recovery::Damage;
        QTest::newRow("empty file") << QByteArray() << D::NotARecord;
        QTest::newRow("someone else's file") << QByteArray("<html></html>") << D::NotARecord;
        QTest::newRow("cut in the header") << good.left(60) << D::Truncated;
        QTest::newRow("cut in the text") << good.left(good.size() - 3) << D::Truncated;
        QTest::newRow("text only, no header end") << good.left(textAt - 1) << D::Truncated;
        QTest::newRow("a byte more") << good + 'x' << D::Truncated;
        QTest::newRow("text byte flipped") << flipped(textAt + 2) << D::BadChecksum;
        QTest::newRow("path byte flipped") << flipped(good.indexOf("/site/") + 2) << D::BadChecksum;
        QTest::newRow("newer version") << QByteArray(good).replace("record 1\n", "record 9\n") << D::NewerVersion;
        QTest::newRow("unknown kind") << QByteArray(good).replace("kind page", "kind wave") << D::BadHeader;
        QTest::newRow("line missing") << QByteArray(good).replace("kind page\n", "") << D::BadHeader;
        QTest::newRow("length not a number") << QByteArray(good).replace("\ntext ", "\ntext x") << D::BadHeader;
    }
    void damage()
    {
        QFETCH(QByteArray, bytes);
        RecoveryRecord r;
        r.text = QStringLiteral("untouched");
        QTEST(Recovery::decode(bytes, r), "damage");
        QCOMPARE(r.text, QStringLiteral("untouched"));
    }

    // The real test of a process: this one runs; a finished one, a reused pid
    // (other start time) and another boot do not.
    void processStamp()
    {
        const ProcessStamp self = ProcessStamp::current();
        QVERIFY(self.pid > 0 && self.startTicks > 0 && ProcessStamp::isRunning(self));
        QVERIFY(!ProcessStamp::isRunning({self.pid, self.startTicks + 1, self.bootId}));
        QVERIFY(!ProcessStamp::isRunning({self.pid, self.startTicks, QStringLiteral("another-boot")}));
        QProcess p;
        p.start(QStringLiteral("true"), {});
        QVERIFY(p.waitForFinished(10000));
        QVERIFY(!ProcessStamp::isRunning({p.processId(), self.startTicks, self.bootId}));
    }

    // Only records of gone processes are offered, damaged ones with their note;
    // a killed write's temporary file goes when its process is gone.
    void orphans()
    {
        const QString folder = m_dir->path() + u'/';
        const ProcessStamp self = ProcessStamp::current();
        const ProcessStamp gone{self.pid, self.startTicks + 5, self.bootId};
        RecoveryRecord mine = sample(QStringLiteral("/a.htm"), QStringLiteral("mine"));
        mine.owner = self;
        RecoveryRecord old = sample(QStringLiteral("/b.htm"), QStringLiteral("old"));
        old.owner = gone;
        old.savedAtMs = 2;
        RecoveryRecord older = old;
        older.savedAtMs = 1;
        disk::put(folder + Recovery::fileName(self, 1), Recovery::encode(mine));
        disk::put(folder + Recovery::fileName(gone, 1), Recovery::encode(old));
        disk::put(folder + Recovery::fileName(gone, 2), Recovery::encode(older));
        disk::put(folder + Recovery::fileName(gone, 3), Recovery::encode(old).left(100));
        disk::put(folder + Recovery::fileName(self, 3), "garbage of a running copy");
        disk::put(folder + Recovery::fileName(gone, 4) + QStringLiteral(".Ab12Cd"), "half");
        disk::put(folder + Recovery::fileName(self, 4) + QStringLiteral(".Ab12Cd"), "half, still writing");
        disk::put(folder + QStringLiteral("notes.txt"), "not ours");

        const QList<Recovery::Entry> found = Recovery::orphans(folder);
        QCOMPARE(found.size(), 3);
        QCOMPARE(found[0].record.savedAtMs, 1);  // oldest first
        QCOMPARE(found[1].record.text, QStringLiteral("old"));
        // A damaged one counts by its file's time, after the others.
        QCOMPARE(found[2].damage, Recovery::Damage::Truncated);
        QCOMPARE(found[2].file, folder + Recovery::fileName(gone, 3));
        QVERIFY(!QFile::exists(folder + Recovery::fileName(gone, 4) + QStringLiteral(".Ab12Cd")));
        QVERIFY(QFile::exists(folder + Recovery::fileName(self, 4) + QStringLiteral(".Ab12Cd")));
        QVERIFY(QFile::exists(folder + QStringLiteral("notes.txt")));
        // Nothing is deleted by looking: every record is still there.
        QCOMPARE(QDir(folder).entryList({QStringLiteral("*.krec")}).size(), 5);
    }
};

QTEST_GUILESS_MAIN(TestRecovery)
#include "test_recovery.moc"
