// The program's own files: it writes only under names that are free or its own,
// and deletes only what it wrote while the file still holds it.
#include "files/DiskFiles.h"
#include "files/WorkFiles.h"
#include <QtTest>

class TestWorkFiles : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString at(const QString &name) const { return dir.filePath(name); }
    void put(const QString &name, const QByteArray &bytes) { disk::put(at(name), bytes); }
    QByteArray get(const QString &name) const { return disk::get(at(name)); }

private slots:
    void neverTouchesAFileItDidNotWrite()
    {
        WorkFiles w;
        put("page.htm0", "user");
        QCOMPARE(w.claim(at("page.htm0")), at("page.htm0~1"));
        QVERIFY(!w.write(at("page.htm0"), "ours"));
        QVERIFY(!w.remove(at("page.htm0")));
        QCOMPARE(get("page.htm0"), QByteArray("user"));
        // A dangling link is somebody's too.
        QVERIFY(QFile::link(at("nowhere"), at("link.htm0")));
        QCOMPARE(w.claim(at("link.htm0")), at("link.htm0~1"));
    }

    void ownFilesAreReusedAndRemoved()
    {
        WorkFiles w;
        const QString p = w.claim(at("a.htm0"));
        QCOMPARE(p, at("a.htm0"));
        QVERIFY(w.write(p, "one", 3));
        QCOMPARE(w.claim(at("a.htm0")), p);    // ours: written again in place
        QVERIFY(w.write(p, "two", 3));
        QCOMPARE(get("a.htm0"), QByteArray("two"));
        QVERIFY(w.write(at("Script.bak"), "wrapper", 3));
        QVERIFY(w.write(at("other.htm0"), "x", 4));
        w.removeAllOf(3);
        QVERIFY(!QFile::exists(at("a.htm0")) && !QFile::exists(at("Script.bak")));
        QVERIFY(QFile::exists(at("other.htm0")));
    }

    void aFileChangedSinceIsTheUsersNow()
    {
        WorkFiles w;
        QVERIFY(w.write(at("b.htm0"), "ours", 1));
        put("b.htm0", "the user saved over it");
        QCOMPARE(w.claim(at("b.htm0")), at("b.htm0~1"));
        QVERIFY(!w.remove(at("b.htm0")));
        QCOMPARE(get("b.htm0"), QByteArray("the user saved over it"));
    }

    // What a killed save leaves beside page.htm goes when older than this run;
    // a look-alike of another name or shape, a link, or a newer one stays.
    void staleSaveTempsOfTheDocumentOnly()
    {
        const QDateTime old = QDateTime::currentDateTime().addSecs(-3600);
        const QStringList stale{"page.htm.Ab3dE9", "page.htm.zzzzzz"};
        const QStringList kept{"page.htm.Ab3dE", "page.htm.Ab3dE9x", "page.htm.Ab-dE9", "page.htm.Ab3dE9.bak",
                               "other.htm.Ab3dE9", "page.htm", "Xpage.htm.Ab3dE9", "page.htm.new123"};
        const auto putOld = [&](const QString &name) {
            put(name, "x");
            QFile f(at(name));
            QVERIFY(f.open(QIODevice::ReadWrite) && f.setFileTime(old, QFileDevice::FileModificationTime));
        };
        for (const QString &name : stale + kept)
            putOld(name);
        QVERIFY(QFile::link(at("page.htm.Ab3dE9"), at("page.htm.link00")));
        WorkFiles w;
        put("page.htm.new123", "written after the start");
        QCOMPARE(w.removeStaleSaveTemps(at("page.htm")), 2);
        for (const QString &name : stale)
            QVERIFY2(!QFileInfo::exists(at(name)), qPrintable(name));
        for (const QString &name : kept)
            QVERIFY2(QFileInfo::exists(at(name)), qPrintable(name));
        QVERIFY(QFileInfo(at("page.htm.link00")).isSymLink());
        // Through a link: the temporaries are those of the file it leads to.
        putOld("other.htm.Zz9Zz9");
        QVERIFY(QFile::link(at("other.htm"), at("alias.htm")));
        put("other.htm", "doc");
        QCOMPARE(w.removeStaleSaveTemps(at("alias.htm")), 2);
    }

    void privateFolderIsPrivateAndGoesAway()
    {
        QString folder;
        {
            WorkFiles w;
            folder = w.privateFolder();
            QVERIFY(!folder.isEmpty() && folder.endsWith(u'/'));
            QVERIFY(w.write(folder + "1.js", "x", 1));
        }
        QVERIFY(!QFileInfo::exists(folder));
    }
};

QTEST_GUILESS_MAIN(TestWorkFiles)
#include "test_workfiles.moc"
