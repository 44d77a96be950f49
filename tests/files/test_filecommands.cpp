// File commands through the program: new pages from the template, open, save and
// save as with their dialogs and messages, and what reaches the disk.
#include "editing/GuiSupport.h"

#include "app/AppState.h"
#include "files/FileCommands.h"
#include "files/TextFile.h"

#include <QtTest>

using namespace gui;

class TestFileCommands : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> t;
    frmMain *f = nullptr;

    DocWindow *doc() const { return t->active(); }
    EditControl *ed() const { return t->editor(); }
    QString path(const QString &name) const { return t->folder + name; }
    // Runs a menu command, the file dialog answering `file` and a question `reply`.
    void run(const char *command, const QString &file = {}, int reply = 0)
    {
        if (!file.isEmpty())
            t->dialogs.fileAnswers.enqueue(path(file));
        if (reply)
            t->dialogs.messageAnswers.enqueue(reply);
        QVERIFY(f->trigger(QLatin1String(command)));
    }
    DocWindow *open(const QString &file) { run("mnuFileOpen", file); return doc(); }
    QueueDialogs::Asked lastMessage() const { return t->dialogs.last(QStringLiteral("message")); }
    QString message(const QString &file, const char *reason) const
    {
        return QStringLiteral("File ") + path(file) + u' ' + QLatin1String(reason);
    }

private slots:
    void init()
    {
        t = std::make_unique<TestApp>();
        f = startProgram(*t);
        QVERIFY(f);
    }
    void cleanup() { t.reset(); }

    void newPageWritesAMissingTemplate()
    {
        // Start-up made the first page with no template there.
        const QString skeleton = FileCommands::pageSkeleton(LanguageTexts::builtInText(11));
        QVERIFY(!skeleton.endsWith(QStringLiteral("\r\n")));
        QCOMPARE(t->readFile(FileCommands::templateName()), TextFile::encode(skeleton, TextFormat{}) + "\r\n");
        QCOMPARE(ed()->text(), skeleton);
        QCOMPARE(doc()->IzmT, 0);
        // The next page reads the template, final line break included.
        run("mnuFileNew");
        QCOMPARE(ed()->text(), skeleton + QStringLiteral("\r\n"));
        QCOMPARE(doc()->IzmT, 0);
    }

    void saveAndSaveAs()
    {
        t->writeFile(QStringLiteral("old.htm"), "keep\r\n");
        DocWindow *d = doc();
        load(d, QStringLiteral("x"));
        type(ed(), QStringLiteral("y"));
        // An untitled page asks for a name; with no dot anywhere ".htm" is added.
        run("mnuFileSaveFile", QStringLiteral("page"));
        QCOMPARE(t->dialogs.last(QStringLiteral("save")).text, QStringLiteral("Untitled1"));
        QCOMPARE(d->NameFile, path(QStringLiteral("page.htm")));
        QCOMPARE(t->readFile(QStringLiteral("page.htm")), QByteArray("yx\r\n"));
        QCOMPARE(d->IzmT, 0);
        QCOMPARE(app().project.LstFileName, QStringList{"page.htm"});

        // Save As proposes the short name; onto another file it asks first.
        run("mnuFileSaveFileAs", QStringLiteral("old.htm"), Dialogs::No);
        QCOMPARE(t->dialogs.last(QStringLiteral("save")).text, QStringLiteral("page.htm"));
        QCOMPARE(lastMessage().style, int(Dialogs::YesNo));
        QCOMPARE(lastMessage().text, message(QStringLiteral("old.htm"), "already exists.\r\nDo you want to replace it?"));
        QCOMPARE(t->readFile(QStringLiteral("old.htm")), QByteArray("keep\r\n"));
        QCOMPARE(d->NameFile, path(QStringLiteral("page.htm")));
        run("mnuFileSaveFileAs", QStringLiteral("old.htm"), Dialogs::Yes);
        QCOMPARE(t->readFile(QStringLiteral("old.htm")), QByteArray("yx\r\n"));
        QCOMPARE(d->NameFile, path(QStringLiteral("old.htm")));
        QCOMPARE(d->windowTitle(), QStringLiteral("old.htm"));
        QCOMPARE(app().project.LstFileName, QStringList({"page.htm", "old.htm"}));
        run("mnuFileSaveFileAs", QStringLiteral("old.htm")); // its own name: no question
        QCOMPARE(t->dialogs.count(QStringLiteral("message")), 2);

        // Onto a file open and changed in another window: that window keeps its text.
        ed()->setSelStart(0);
        type(ed(), QStringLiteral("mine "));
        run("mnuFileScriptNew");
        run("mnuFileSaveFileAs", QStringLiteral("old.htm"), Dialogs::Yes);
        QCOMPARE(t->dialogs.count(QStringLiteral("message")), 3);
        QCOMPARE(t->readFile(QStringLiteral("old.htm")),
                 TextFile::encode(TextFile::withFinalLineBreak(FileCommands::newScriptText()), TextFormat{}));
        QVERIFY(!d->UnloadDoc);
        QCOMPARE(d->IzmT, 1);
        QCOMPARE(d->Rich()->text(), QStringLiteral("mine yx"));
    }

    void findDocByFileIsExact()
    {
        t->writeFile(QStringLiteral("a.htm"), "small a\r\n");
        t->writeFile(QStringLiteral("A.htm"), "capital A\r\n");
        DocWindow *a = open(QStringLiteral("a.htm"));
        run("mnuFileNew");
        QCOMPARE(open(QStringLiteral("a.htm")), a); // an open file is only activated
        QCOMPARE(app().docs.OpenDocCount, 3);
        // File names differing in case are two files, two documents.
        DocWindow *big = open(QStringLiteral("A.htm"));
        QCOMPARE(FileCommands::FindDocByFile(path(QStringLiteral("a.htm"))), a->Tag());
        QCOMPARE(FileCommands::FindDocByFile(path(QStringLiteral("A.htm"))), big->Tag());
        QCOMPARE(FileCommands::FindDocByFile(path(QStringLiteral("A.HTM"))), -1);
        QCOMPARE(FileCommands::FindDocByFile(QStringLiteral("Untitled1")), 0);
    }

    void refusedOpenAndFailedSaveChangeNothing()
    {
        AppState &a = app();
        for (int i = 0; i < LanguageTexts::MessageCount; ++i)
            a.lang.Messages[i] = QStringLiteral("m%1").arg(90 + i);
        open(QStringLiteral("missing.htm"));
        QCOMPARE(lastMessage().style, int(Dialogs::Critical));
        QCOMPARE(lastMessage().text, message(QStringLiteral("missing.htm"), "m96"));
        // NUL bytes: not a text file, and a save would corrupt it.
        const QByteArray binary("GIF89a\x01\x00\x00\x00<p>", 14);
        t->writeFile(QStringLiteral("image.htm"), binary);
        open(QStringLiteral("image.htm"));
        QCOMPARE(lastMessage().text, message(QStringLiteral("image.htm"), "m97"));
        QCOMPARE(t->readFile(QStringLiteral("image.htm")), binary);
        QCOMPARE(a.docs.OpenDocCount, 1);

        // Saving into a folder that has gone: a path error, and nothing is lost.
        QDir(t->folder).mkdir(QStringLiteral("sub"));
        t->writeFile(QStringLiteral("sub/p.htm"), "old\r\n");
        DocWindow *d = open(QStringLiteral("sub/p.htm"));
        type(ed(), QStringLiteral("new "));
        QVERIFY(QDir(t->folder).rename(QStringLiteral("sub"), QStringLiteral("moved")));
        run("mnuFileSaveFile");
        QCOMPARE(lastMessage().style, int(Dialogs::Critical));
        QCOMPARE(lastMessage().text, message(QStringLiteral("sub/p.htm"), "m94"));
        QCOMPARE(d->IzmT, 1);
        QCOMPARE(ed()->text(), QStringLiteral("new old\r\n"));
        QCOMPARE(t->readFile(QStringLiteral("moved/p.htm")), QByteArray("old\r\n"));
        // Save As into it fails the same way and keeps the old name.
        run("mnuFileSaveFileAs", QStringLiteral("sub/q.htm"));
        QCOMPARE(lastMessage().text, message(QStringLiteral("sub/q.htm"), "m94"));
        QCOMPARE(d->NameFile, path(QStringLiteral("sub/p.htm")));
        QCOMPARE(d->IzmT, 1);
    }

    // Encodings and line breaks survive an edit, and saving again never grows the file.
    void openEditSave_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("saved");
        // "Привет, мир!" in windows-1251; what the code page lacks becomes a reference.
        const QByteArray ru("\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0!\r\n");
        QTest::newRow("cp1251") << ru << 0 << QStringLiteral("✓€") << "&#10003;\x88" + ru;
        QTest::newRow("utf8 lf") << QStringLiteral("Привет\nмир\n").toUtf8() << 13 << QStringLiteral("ещё\n")
                                 << QStringLiteral("Привет\nмир\nещё\n").toUtf8();
        QTest::newRow("utf8 mark") << QByteArray("\xEF\xBB\xBF\xD1\x8F\r\n") << 0 << QStringLiteral("a")
                                   << QByteArray("\xEF\xBB\xBF" "a\xD1\x8F\r\n");
        QTest::newRow("lf, no final break") << QByteArray("a\nb") << 1 << QStringLiteral("\n") << QByteArray("a\n\nb\n");
        QTest::newRow("empty") << QByteArray() << 0 << QString() << QByteArray("\r\n");
    }
    void openEditSave()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, saved);
        t->writeFile(QStringLiteral("g.htm"), bytes);
        DocWindow *d = open(QStringLiteral("g.htm"));
        QFETCH(int, caret);
        QFETCH(QString, typed);
        ed()->setSelStart(caret);
        type(ed(), typed);
        for (int round = 0; round < 3; ++round) {
            d->IzmT = 1;
            run("mnuFileSaveFile");
            QCOMPARE(t->readFile(QStringLiteral("g.htm")), saved);
            d->close();
            d = open(QStringLiteral("g.htm"));
        }
    }
};

QTEST_MAIN(TestFileCommands)
#include "test_filecommands.moc"
