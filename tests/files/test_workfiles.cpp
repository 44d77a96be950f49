// The program's own files: it writes only under names that are free or its own,
// and deletes only what it wrote while the file still holds it.
#include "files/WorkFiles.h"
#include <QtTest>

class TestWorkFiles : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString at(const QString &name) const { return dir.filePath(name); }
    void put(const QString &name, const QByteArray &bytes)
    {
        QFile f(at(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray get(const QString &name) const
    {
        QFile f(at(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }

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

    void privateFolderIsPrivateAndGoesAway()
    {
        QString folder;
        {
            WorkFiles w;
            folder = w.privateFolder();
            QVERIFY(!folder.isEmpty() && folder.endsWith(u'/'));
            QCOMPARE(w.privateFolder(), folder);
            QVERIFY(w.write(folder + "1.js", "x", 1));
        }
        QVERIFY(!QFileInfo::exists(folder));
    }
};

QTEST_GUILESS_MAIN(TestWorkFiles)
#include "test_workfiles.moc"
