// File commands through the program: new pages from the template, open, save and
// save as with their dialogs and messages, and what reaches the disk.
#include "common/GuiFixture.h"

#include "app/StatusBar.h"
#include "files/Preview.h"
#include "platform/EditControl.h"
#include "common/TextFile.h"

#include <sys/resource.h>

#include <QtTest>

using namespace gui;

class TestFileCommands : public QObject, GuiFixture {
    Q_OBJECT

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
    // The window that shows a document.
    static DocWindow *windowOf(const Document *d)
    {
        for (DocWindow *w : app().docs.open())
            if (w->document() == d)
                return w;
        return nullptr;
    }
    DocWindow *openBehind(const QString &name) { return windowOf(app().files->OpenFileDoc(path(name))); }
    QString message(const QString &file, const char *reason) const
    {
        return QStringLiteral("[3] ") + path(file) + u' ' + QLatin1String(reason);
    }

private slots:
    void init() { QVERIFY(startApp()); }
    void cleanup() { stopApp(); }

    void newPageWritesAMissingTemplate()
    {
        // Start-up made the first page with no template there.
        const QString skeleton = PageTexts::pageSkeleton(QStringLiteral("[11]"));
        QVERIFY(!skeleton.endsWith(QStringLiteral("\r\n")));
        QCOMPARE(t->readFile(PageTexts::templateName()), TextFile::encode(skeleton, TextFormat{}) + "\r\n");
        QCOMPARE(ed()->text(), skeleton);
        QCOMPARE(doc()->document()->IzmT(), 0);
        // The next page reads the template, final line break included.
        run("mnuFileNew");
        QCOMPARE(ed()->text(), skeleton + QStringLiteral("\r\n"));
        QCOMPARE(doc()->document()->IzmT(), 0);
    }

    void saveAndSaveAs()
    {
        t->writeFile(QStringLiteral("old.htm"), "keep\r\n");
        DocWindow *d = doc();
        load(d, QStringLiteral("x"));
        type(ed(), QStringLiteral("y"));
        // An untitled page asks for a name; with no dot anywhere ".htm" is added.
        run("mnuFileSaveFile", QStringLiteral("page"));
        QCOMPARE(t->dialogs.last(QStringLiteral("save")).text, QStringLiteral("[2]1"));
        QCOMPARE(d->document()->NameFile(), path(QStringLiteral("page.htm")));
        QCOMPARE(t->readFile(QStringLiteral("page.htm")), QByteArray("yx\r\n"));
        QCOMPARE(d->document()->IzmT(), 0);
        QCOMPARE(app().project.LstFileName(), QStringList{"page.htm"});

        // Save As proposes the short name; onto another file it asks first.
        run("mnuFileSaveFileAs", QStringLiteral("old.htm"), Dialogs::No);
        QCOMPARE(t->dialogs.last(QStringLiteral("save")).text, QStringLiteral("page.htm"));
        QCOMPARE(lastMessage().style, int(Dialogs::YesNo));
        QCOMPARE(lastMessage().text, message(QStringLiteral("old.htm"), "[92]\r\n[93]"));
        QCOMPARE(t->readFile(QStringLiteral("old.htm")), QByteArray("keep\r\n"));
        QCOMPARE(d->document()->NameFile(), path(QStringLiteral("page.htm")));
        run("mnuFileSaveFileAs", QStringLiteral("old.htm"), Dialogs::Yes);
        QCOMPARE(t->readFile(QStringLiteral("old.htm")), QByteArray("yx\r\n"));
        QCOMPARE(d->document()->NameFile(), path(QStringLiteral("old.htm")));
        QCOMPARE(app().project.LstFileName(), QStringList({"page.htm", "old.htm"}));
        run("mnuFileSaveFileAs", QStringLiteral("old.htm")); // its own name: no question
        QCOMPARE(messages(), 2);

        // Onto a file open and changed in another window: that window keeps its text.
        ed()->setSelStart(0);
        type(ed(), QStringLiteral("mine "));
        run("mnuFileScriptNew");
        run("mnuFileSaveFileAs", QStringLiteral("old.htm"), Dialogs::Yes);
        QCOMPARE(messages(), 3);
        QCOMPARE(t->readFile(QStringLiteral("old.htm")),
                 TextFile::encode(TextFile::withFinalLineBreak(PageTexts::newScriptText()), TextFormat{}));
        QVERIFY(!d->UnloadDoc());
        QCOMPARE(d->document()->IzmT(), 1);
        QCOMPARE(d->Rich()->text(), QStringLiteral("mine yx"));

        // A Save As is judged by its own save: one into a missing folder keeps the
        // old name. (A failed save: fileSizeLimitFailsTheSaveOnly, the close prompt.)
        type(ed(), QStringLiteral("x"));
        run("mnuFileSaveFileAs", QStringLiteral("no/r.htm"));
        QCOMPARE(lastMessage().text, message(QStringLiteral("no/r.htm"), "[94]"));
        QCOMPARE(doc()->document()->NameFile(), path(QStringLiteral("old.htm")));
        QCOMPARE(doc()->document()->txtCaption(), QStringLiteral("old.htm"));
        QCOMPARE(doc()->document()->IzmT(), 1);
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
        QCOMPARE(app().files->FindDocByFile(path(QStringLiteral("a.htm"))), a->Tag());
        QCOMPARE(app().files->FindDocByFile(path(QStringLiteral("A.htm"))), big->Tag());
        QCOMPARE(app().files->FindDocByFile(path(QStringLiteral("A.HTM"))), -1);
        QCOMPARE(app().files->FindDocByFile(QStringLiteral("[2]1")), 0);
    }

    // Names the program's own preview files would take belong to the user here:
    // opening, closing and saving documents beside them never touches them.
    void usersFilesBesideDocumentsStay()
    {
        const QByteArray mine("the user's own file\r\n");
        for (const char *name : {"page.htm0", "Script.bak", "app.js0", "0.html"})
            t->writeFile(QString::fromLatin1(name), mine);
        t->writeFile(QStringLiteral("page.htm"), "<p>page</p>\r\n");
        t->writeFile(QStringLiteral("app.js"), "var a;\r\n");
        open(QStringLiteral("page.htm"));
        type(ed(), QStringLiteral("x"));
        run("mnuFileSaveFileAs", QStringLiteral("other.htm"));
        open(QStringLiteral("app.js"));
        app().preview->SaveFileUrlm(QStringLiteral("https://example.org/"));
        t->dialogs.messageAnswers.enqueue(Dialogs::No);
        QVERIFY(f->close());
        for (const char *name : {"page.htm0", "Script.bak", "app.js0", "0.html"})
            QCOMPARE(t->readFile(QString::fromLatin1(name)), mine);
        // The redirect page took the next free number, and it is ours to remove.
        QVERIFY(QFile::exists(path(QStringLiteral("1.html"))));
        QVERIFY(app().workFiles.remove(path(QStringLiteral("1.html"))));
    }

    // A new script's working file is private to this run: saving the script
    // under the name such a file used to have keeps the saved file and its text.
    void savedUntitledScriptSurvivesItsClose()
    {
        run("mnuFileScriptNew");
        DocWindow *d = doc();
        QVERIFY(!d->document()->AppPathBak().startsWith(t->folder));
        type(ed(), QStringLiteral("alert(1);"));
        run("mnuFileSaveFileAs", QString::number(d->Tag()) + QStringLiteral(".js"));
        const QString saved = path(QString::number(d->Tag()) + QStringLiteral(".js"));
        QCOMPARE(d->document()->NameFile(), saved);
        const QByteArray bytes = t->readFile(saved);
        QVERIFY(bytes.contains("alert(1);"));
        d->close();
        QVERIFY(d->UnloadDoc());
        QCOMPARE(t->readFile(saved), bytes);
    }

    // A file-size limit makes the save fail like a full disk: reported, nothing
    // lost, and the program goes on instead of ending on the signal.
    void fileSizeLimitFailsTheSaveOnly()
    {
        StartUp::prepareProcess();
        t->writeFile(QStringLiteral("big.htm"), "old\r\n");
        DocWindow *d = open(QStringLiteral("big.htm"));
        load(d, QString(64 * 1024, u'x'));
        type(ed(), QStringLiteral("y"));
        rlimit before{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &before), 0);
        rlimit small = before;
        small.rlim_cur = 4096;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        run("mnuFileSaveFile");
        setrlimit(RLIMIT_FSIZE, &before);
        QCOMPARE(lastMessage().style, int(Dialogs::Critical));
        QCOMPARE(lastMessage().text, message(QStringLiteral("big.htm"), "[95]"));
        QCOMPARE(d->document()->IzmT(), 1);
        QCOMPARE(t->readFile(QStringLiteral("big.htm")), QByteArray("old\r\n"));
    }

    // Pages opened behind other windows hold their text until first painted, and
    // answer meanwhile as a laid-out editor would; typing, a save, a replace in
    // every document and a close all find the right text.
    void pagesOpenedBehindOthersHoldTheirText()
    {
        t->writeFile(QStringLiteral("a.htm"), "one\r\ntwo\r\nthree\r\n");
        t->writeFile(QStringLiteral("b.htm"), "\xd0\xb4\xd0\xb0 two\nend");   // not Latin-1, LF breaks
        t->writeFile(QStringLiteral("c.htm"), "top two");
        DocWindow *da = openBehind(QStringLiteral("a.htm")), *db = openBehind(QStringLiteral("b.htm"));
        openBehind(QStringLiteral("c.htm"));
        QApplication::processEvents();
        EditControl *ea = da->Rich(), *eb = db->Rich();
        QVERIFY(ea->textDeferred() && eb->textDeferred());
        QVERIFY(!ed()->textDeferred());   // the one on top was painted
        QCOMPARE(ea->document()->characterCount(), 1);
        QCOMPARE(ea->text(), QStringLiteral("one\r\ntwo\r\nthree\r\n"));
        QCOMPARE(eb->text(), QString::fromUtf8("\xd0\xb4\xd0\xb0 two\r\nend"));
        QCOMPARE(ea->lineCount(), 4);
        QCOMPARE(ea->lineAt(9), 1);
        QCOMPARE(ea->lineStart(2), 10);
        QCOMPARE(eb->textAt(3, 6), QStringLiteral("two\r\ne"));
        ea->setSelStart(5);
        ea->setSelLength(4);                                 // would end between CR and LF
        QCOMPARE(ea->selText(), QStringLiteral("two"));
        QCOMPARE(ea->caretPos(), 8);
        QVERIFY(ea->textDeferred());
        QCOMPARE(da->document()->IzmT(), 0);

        // Saved without ever being seen: the file's text, in the file's format.
        da->document()->markChanged();
        QVERIFY(app().files->FileSave(da, path(QStringLiteral("a.htm"))));
        QCOMPARE(t->readFile(QStringLiteral("a.htm")), QByteArray("one\r\ntwo\r\nthree\r\n"));
        QVERIFY(app().files->FileSave(db, path(QStringLiteral("b2.htm"))));
        QCOMPARE(t->readFile(QStringLiteral("b2.htm")), QByteArray("\xd0\xb4\xd0\xb0 two\nend\n"));

        // Brought to the front: the widget gets the text and the selection.
        t->frame->activateDoc(da);
        QTRY_VERIFY(!ea->textDeferred());
        QCOMPARE(ea->selText(), QStringLiteral("two"));
        QCOMPARE(ea->textCursor().selectedText(), QStringLiteral("two"));
        QCOMPARE(StatusBar::caretLineColumn(*ea), std::make_pair(2, 4));
        gui::type(ea, QStringLiteral("!"));
        QCOMPARE(ea->text(), QStringLiteral("one\r\n!\r\nthree\r\n"));
        QCOMPARE(da->document()->IzmT(), 1);

        // A change made from outside while held puts the text in first.
        eb->setSelStart(3);
        eb->setSelLength(3);
        eb->setSelText(QStringLiteral("2"));
        QVERIFY(!eb->textDeferred());
        QCOMPARE(eb->text(), QString::fromUtf8("\xd0\xb4\xd0\xb0 2\r\nend"));
        QCOMPARE(db->document()->IzmT(), 1);
        db->document()->Undo();
        QCOMPARE(eb->text(), QString::fromUtf8("\xd0\xb4\xd0\xb0 two\r\nend"));

        // Closed while held: the window is free for the next page.
        t->writeFile(QStringLiteral("d.htm"), "dd");
        DocWindow *dd = openBehind(QStringLiteral("d.htm"));
        QVERIFY(dd && dd->Rich()->textDeferred());
        QVERIFY(app().files->CloseDocument(dd));
        QApplication::processEvents();
        QCOMPARE(app().files->FindDocByFile(path(QStringLiteral("d.htm"))), -1);
        QVERIFY(app().files->OpenFileDoc(path(QStringLiteral("d.htm"))));
        QApplication::processEvents();
        QCOMPARE(ed()->text(), QStringLiteral("dd"));
        QCOMPARE(messages(), 0);
    }

    // A big page is painted before all of it is in the editor: a save then writes
    // every byte, without waiting for the rest to go in.
    void bigPageSavedWhileFilling()
    {
        QByteArray bytes;
        for (int i = 0; bytes.size() < 4 * (1 << 20); ++i)
            bytes += "<li>item " + QByteArray::number(i) + "</li>\n";
        t->writeFile(QStringLiteral("big.htm"), bytes);
        DocWindow *d = open(QStringLiteral("big.htm"));
        ed()->viewport()->repaint();
        QVERIFY(ed()->filling());
        d->document()->markChanged();
        run("mnuFileSaveFile");
        QVERIFY(ed()->filling());
        QVERIFY(t->readFile(QStringLiteral("big.htm")) == bytes);
        QCOMPARE(messages(), 0);
    }

    // Line breaks survive an edit, and saving again never grows the file.
    void openEditSave_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("saved");
        // (References for what windows-1251 lacks: test_statusbar_gui; UTF-8: test_recovery_gui.)
        QTest::newRow("lf, no final break") << QByteArray("a\nb") << 1 << QStringLiteral("\n") << QByteArray("a\n\nb\n");
        QTest::newRow("empty") << QByteArray() << 0 << QString() << QByteArray("\r\n");
    }
    void openEditSave()
    {
        QFETCH(QByteArray, bytes);
        t->writeFile(QStringLiteral("g.htm"), bytes);
        DocWindow *d = open(QStringLiteral("g.htm"));
        QFETCH(int, caret);
        QFETCH(QString, typed);
        ed()->setSelStart(caret);
        type(ed(), typed);
        for (int round = 0; round < 3; ++round) {
            d->document()->markChanged();
            run("mnuFileSaveFile");
            QTEST(t->readFile(QStringLiteral("g.htm")), "saved");
            d->close();
            d = open(QStringLiteral("g.htm"));
        }
    }
};

QTEST_MAIN(TestFileCommands)
#include "test_filecommands.moc"
