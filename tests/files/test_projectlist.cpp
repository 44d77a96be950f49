// The project list the file commands and document closing keep: entries, keys,
// exact file names and when the project counts as changed.
#include "files/ProjectList.h"

#include <QtTest>

class TestProjectList : public QObject {
    Q_OBJECT

private slots:
    void filesAndUntitledNames()
    {
        ProjectList list;
        list.AddFile(QStringLiteral("1"));
        // An untitled name is no change to the saved project.
        QVERIFY(!list.IzmProekt);
        list.AddFile(QStringLiteral("/site/index.htm"));
        QVERIFY(list.IzmProekt);
        QCOMPARE(list.LstFileName, QStringList({"1", "index.htm"}));
        QCOMPARE(list.LstFile, QStringList({"11", "index.htm/site/index.htm"}));
        QCOMPARE(list.fullPath(0), QString());
        QCOMPARE(list.fullPath(1), QStringLiteral("/site/index.htm"));

        // A path already listed is not added twice; names differing in case are two files.
        list.AddFile(QStringLiteral("/site/index.htm"));
        list.AddFile(QStringLiteral("/site/INDEX.htm"));
        QCOMPARE(list.count(), 3);
        QCOMPARE(list.FindFile(QStringLiteral("/site/INDEX.htm")), 2);

        list.IzmProekt = false;
        list.DeleteFile(QStringLiteral("1"));
        QVERIFY(!list.IzmProekt);
        list.DeleteFile(QStringLiteral("/site/index.htm"));
        QVERIFY(list.IzmProekt);
        QCOMPARE(list.LstFileName, QStringList{QStringLiteral("INDEX.htm")});

        // Looking up a file that is not listed marks the project changed.
        list.IzmProekt = false;
        QCOMPARE(list.FindFile(QStringLiteral("/site/other.htm")), -1);
        QVERIFY(list.IzmProekt);
    }

    void fileInTheRootFolder()
    {
        // The separator as first character still makes a folder.
        ProjectList list;
        list.AddFile(QStringLiteral("/a.htm"));
        QCOMPARE(list.LstFileName, QStringList{QStringLiteral("a.htm")});
        QCOMPARE(list.LstFile, QStringList{QStringLiteral("a.htm/a.htm")});
        QVERIFY(list.isFile(0));
        QCOMPARE(list.fullPath(0), QStringLiteral("/a.htm"));
        QVERIFY(list.IzmProekt);
    }
};

QTEST_GUILESS_MAIN(TestProjectList)
#include "test_projectlist.moc"
