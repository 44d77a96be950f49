// File commands through the program: new pages from the template, open, save and
// save as with their dialogs and messages, and what reaches the disk.
#include "editing/GuiSupport.h"

#include "app/AppState.h"
#include "files/FileCommands.h"
#include "files/Preview.h"
#include "files/TextFile.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

#include <functional>
#include <unistd.h>

using namespace gui;

namespace {
// "Привет, мир!" and "Строка" in windows-1251.
const QByteArray kCp1251 = QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0!\r\n\xD1\xF2\xF0\xEE\xEA\xE0\r\n");

bool runTool(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

struct Cleanup {
    std::function<void()> run;
    ~Cleanup()
    {
        if (run)
            run();
    }
};
} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> t;
    frmMain *f = nullptr;

    DocWindow *doc() const { return t->active(); }
    EditControl *ed() const { return t->editor(); }
    QString path(const QString &name) const { return t->folder + name; }

    DocWindow *open(const QString &p)
    {
        t->dialogs.fileAnswers.enqueue(p);
        if (!f->trigger(QStringLiteral("mnuFileOpen")))
            return nullptr;
        return doc();
    }
    void save() { QVERIFY(f->trigger(QStringLiteral("mnuFileSaveFile"))); }
    QueueDialogs::Asked lastMessage() const { return t->dialogs.last(QStringLiteral("message")); }

private slots:
    void init()
    {
        t = std::make_unique<TestApp>();
        f = startProgram(*t);
        QVERIFY(f);
    }
    void cleanup() { t.reset(); }

    // ---- new documents ----

    void newPageWritesAMissingTemplate()
    {
        // Start-up made the first page with no template there.
        const QString skeleton = FileCommands::pageSkeleton(QString());
        QVERIFY(!skeleton.endsWith(QStringLiteral("\r\n")));
        QCOMPARE(t->readFile(FileCommands::templateName()),
                 TextFile::encode(skeleton, TextFormat{}) + "\r\n");
        QCOMPARE(ed()->text(), skeleton);
        QCOMPARE(doc()->IzmT, 0);

        // The next page reads the template, final line break included.
        QVERIFY(f->trigger(QStringLiteral("mnuFileNew")));
        QCOMPARE(doc()->Tag(), 1);
        QCOMPARE(ed()->text(), skeleton + QStringLiteral("\r\n"));
        QCOMPARE(doc()->IzmT, 0);
        QVERIFY(!doc()->IzmUndo);

        // A template of one's own is used as it stands.
        t->writeFile(FileCommands::templateName(), "<p>\xCF\xF0\xE8\xE2\xE5\xF2</p>");
        QVERIFY(f->trigger(QStringLiteral("mnuFileNew")));
        QCOMPARE(ed()->text(), QStringLiteral("<p>Привет</p>"));
        // An empty one is rewritten from the skeleton.
        t->writeFile(FileCommands::templateName(), "");
        QVERIFY(f->trigger(QStringLiteral("mnuFileNew")));
        QCOMPARE(ed()->text(), skeleton);
        QCOMPARE(t->readFile(FileCommands::templateName()).size(), TextFile::encode(skeleton, TextFormat{}).size() + 2);
    }

    void unreadableTemplateIsNotOverwritten()
    {
        // Not text (a NUL byte): the page starts from the skeleton, the file stays.
        const QByteArray odd("<p>\0</p>", 8);
        t->writeFile(FileCommands::templateName(), odd);
        QVERIFY(f->trigger(QStringLiteral("mnuFileNew")));
        QCOMPARE(ed()->text(), FileCommands::pageSkeleton(QString()));
        QCOMPARE(t->readFile(FileCommands::templateName()), odd);
    }

    void newScriptHasItsTextAndCaret()
    {
        QVERIFY(f->trigger(QStringLiteral("mnuFileScriptNew")));
        QCOMPARE(ed()->text(), FileCommands::newScriptText());
        QCOMPARE(ed()->selStart(), 111);
        QCOMPARE(ed()->textAt(110, 2), QStringLiteral("''"));
        QVERIFY(doc()->Script);
        QCOMPARE(doc()->IzmT, 0);
    }

    // ---- open, save, save as ----

    void openSaveAndSaveAs()
    {
        t->writeFile(QStringLiteral("page.htm"), "<p>one</p>\r\n");
        DocWindow *d = open(path(QStringLiteral("page.htm")));
        QVERIFY(d);
        const auto asked = t->dialogs.last(QStringLiteral("open"));
        QCOMPARE(asked.folder, t->folder);
        QCOMPARE(asked.filter.first().description, QStringLiteral("HTML Document (*.htm; *.html)"));
        QCOMPARE(d->NameFile, path(QStringLiteral("page.htm")));
        QCOMPARE(d->txtCaption, QStringLiteral("page.htm"));
        QCOMPARE(d->windowTitle(), QStringLiteral("page.htm"));
        QCOMPARE(d->AppPathBak, path(QStringLiteral("page.htm0")));
        QCOMPARE(ed()->text(), QStringLiteral("<p>one</p>\r\n"));
        QCOMPARE(d->IzmT, 0);
        QVERIFY(!d->Script);
        QVERIFY(app().project.LstFile.contains(QStringLiteral("page.htm") + path(QStringLiteral("page.htm"))));

        ed()->setSelStart(3);
        type(ed(), QStringLiteral("two "));
        QCOMPARE(d->IzmT, 1);
        save();
        QCOMPARE(d->IzmT, 0);
        QCOMPARE(t->readFile(QStringLiteral("page.htm")), QByteArray("<p>two one</p>\r\n"));

        // Save As under a new name proposes the short name.
        t->dialogs.fileAnswers.enqueue(path(QStringLiteral("copy.htm")));
        QVERIFY(f->trigger(QStringLiteral("mnuFileSaveFileAs")));
        QCOMPARE(t->dialogs.last(QStringLiteral("save")).text, QStringLiteral("page.htm"));
        QCOMPARE(d->NameFile, path(QStringLiteral("copy.htm")));
        QCOMPARE(d->windowTitle(), QStringLiteral("copy.htm"));
        QCOMPARE(d->AppPathBak, path(QStringLiteral("copy.htm0")));
        QCOMPARE(t->readFile(QStringLiteral("copy.htm")), QByteArray("<p>two one</p>\r\n"));
        QCOMPARE(app().project.LstFileName.count(QStringLiteral("page.htm")), 1);
        QCOMPARE(app().project.LstFileName.count(QStringLiteral("copy.htm")), 1);

        // Saving under its own name asks nothing.
        t->dialogs.fileAnswers.enqueue(path(QStringLiteral("copy.htm")));
        QVERIFY(f->trigger(QStringLiteral("mnuFileSaveFileAs")));
        QCOMPARE(t->dialogs.count(QStringLiteral("message")), 0);
    }

    void saveAsOntoAnotherFileAsksFirst()
    {
        t->writeFile(QStringLiteral("old.htm"), "keep\r\n");
        DocWindow *d = t->active();
        load(d, QStringLiteral("new text"));
        t->dialogs.fileAnswers.enqueue(path(QStringLiteral("old.htm")));
        t->dialogs.messageAnswers.enqueue(Dialogs::No);
        QVERIFY(f->trigger(QStringLiteral("mnuFileSaveFileAs")));
        QCOMPARE(lastMessage().style, int(Dialogs::YesNo));
        QCOMPARE(lastMessage().text, QStringLiteral("File ") + path(QStringLiteral("old.htm")) + QStringLiteral(" \r\n"));
        QCOMPARE(t->readFile(QStringLiteral("old.htm")), QByteArray("keep\r\n"));
        QCOMPARE(d->NameFile, QString());

        t->dialogs.fileAnswers.enqueue(path(QStringLiteral("old.htm")));
        t->dialogs.messageAnswers.enqueue(Dialogs::Yes);
        QVERIFY(f->trigger(QStringLiteral("mnuFileSaveFileAs")));
        QCOMPARE(t->readFile(QStringLiteral("old.htm")), QByteArray("new text\r\n"));
        QCOMPARE(d->NameFile, path(QStringLiteral("old.htm")));
    }

    void saveAsOfAnUntitledDocument()
    {
        DocWindow *d = t->active();
        load(d, QStringLiteral("x"));
        type(ed(), QStringLiteral("y"));
        QVERIFY(app().project.LstFileName.contains(QStringLiteral("1")));
        // No dot anywhere: the extension is added.
        t->dialogs.fileAnswers.enqueue(path(QStringLiteral("page")));
        QVERIFY(f->trigger(QStringLiteral("mnuFileSaveFile")));
        QCOMPARE(t->dialogs.last(QStringLiteral("save")).text, QStringLiteral("1"));
        QCOMPARE(d->NameFile, path(QStringLiteral("page.htm")));
        QCOMPARE(t->readFile(QStringLiteral("page.htm")), QByteArray("yx\r\n"));
        QCOMPARE(d->IzmT, 0);
        QVERIFY(!app().project.LstFileName.contains(QStringLiteral("1")));
        QVERIFY(app().project.LstFileName.contains(QStringLiteral("page.htm")));

        // A script gets ".js"; another open window of the same file is closed.
        QVERIFY(f->trigger(QStringLiteral("mnuFileScriptNew")));
        t->dialogs.fileAnswers.enqueue(path(QStringLiteral("code")));
        QVERIFY(f->trigger(QStringLiteral("mnuFileSaveFileAs")));
        QCOMPARE(t->dialogs.last(QStringLiteral("save")).filter.first().pattern, QStringLiteral("*.js"));
        QCOMPARE(t->active()->NameFile, path(QStringLiteral("code.js")));
        t->dialogs.fileAnswers.enqueue(path(QStringLiteral("page.htm")));
        t->dialogs.messageAnswers.enqueue(Dialogs::Yes);
        QVERIFY(f->trigger(QStringLiteral("mnuFileSaveFileAs")));
        QVERIFY(d->UnloadDoc);
        QCOMPARE(app().docs.OpenDocCount, 1);
        QCOMPARE(t->active()->NameFile, path(QStringLiteral("page.htm")));
    }

    void saveAsTakesTheNameAsTyped()
    {
        // A dot anywhere in the path, a folder's included, means no extension is added.
        QVERIFY(QDir(t->folder).mkdir(QStringLiteral("v1.0")));
        load(doc(), QStringLiteral("p"));
        t->dialogs.fileAnswers.enqueue(path(QStringLiteral("v1.0/page")));
        QVERIFY(f->trigger(QStringLiteral("mnuFileSaveFileAs")));
        QCOMPARE(doc()->NameFile, path(QStringLiteral("v1.0/page")));
        QCOMPARE(t->readFile(QStringLiteral("v1.0/page")), QByteArray("p\r\n"));
        QCOMPARE(app().settings.LastFolder, path(QStringLiteral("v1.0/")));
        // A page saved under a script's name stays a page until it is opened again.
        t->dialogs.fileAnswers.enqueue(path(QStringLiteral("code.js")));
        QVERIFY(f->trigger(QStringLiteral("mnuFileSaveFileAs")));
        QCOMPARE(doc()->NameFile, path(QStringLiteral("code.js")));
        QVERIFY(!doc()->Script);
    }

    void saveAsOntoAChangedOpenFileKeepsItsWindow()
    {
        t->writeFile(QStringLiteral("page.htm"), "old\r\n");
        DocWindow *other = open(path(QStringLiteral("page.htm")));
        type(other->Rich(), QStringLiteral("mine "));
        QVERIFY(f->trigger(QStringLiteral("mnuFileNew")));
        DocWindow *d = doc();
        load(d, QStringLiteral("new"));
        t->dialogs.fileAnswers.enqueue(path(QStringLiteral("page.htm")));
        t->dialogs.messageAnswers.enqueue(Dialogs::Yes);
        QVERIFY(f->trigger(QStringLiteral("mnuFileSaveFileAs")));
        // Only the overwrite question was asked; the file holds the saved text,
        // and the other window keeps what was typed into it.
        QCOMPARE(t->dialogs.count(QStringLiteral("message")), 1);
        QCOMPARE(t->readFile(QStringLiteral("page.htm")), QByteArray("new\r\n"));
        QCOMPARE(d->NameFile, path(QStringLiteral("page.htm")));
        QCOMPARE(d->IzmT, 0);
        QVERIFY(!other->UnloadDoc);
        QCOMPARE(other->IzmT, 1);
        QCOMPARE(other->Rich()->text(), QStringLiteral("mine old\r\n"));
    }

    void openingAnOpenFileOnlyActivatesIt()
    {
        t->writeFile(QStringLiteral("a.htm"), "small a\r\n");
        t->writeFile(QStringLiteral("A.htm"), "capital A\r\n");
        DocWindow *a = open(path(QStringLiteral("a.htm")));
        QVERIFY(f->trigger(QStringLiteral("mnuFileNew")));
        const int entries = app().project.count();
        QCOMPARE(open(path(QStringLiteral("a.htm"))), a);
        QCOMPARE(app().docs.OpenDocCount, 3);
        QCOMPARE(app().project.count(), entries);

        // File names differ by case: two files, two documents.
        DocWindow *big = open(path(QStringLiteral("A.htm")));
        QVERIFY(big != a);
        QCOMPARE(big->Rich()->text(), QStringLiteral("capital A\r\n"));
        QCOMPARE(app().docs.OpenDocCount, 4);
        QCOMPARE(FileCommands::FindDocByFile(path(QStringLiteral("a.htm"))), a->Tag());
        QCOMPARE(FileCommands::FindDocByFile(path(QStringLiteral("A.htm"))), big->Tag());
        QCOMPARE(FileCommands::FindDocByFile(path(QStringLiteral("A.HTM"))), -1);
        // Untitled documents are found by their names.
        QCOMPARE(FileCommands::FindDocByFile(QStringLiteral("1")), 0);
    }

    void scriptsAreRecognised()
    {
        t->writeFile(QStringLiteral("CODE.JS"), "var a;\r\n");
        t->writeFile(QStringLiteral("code.txt"), "var b;\r\n");
        QVERIFY(open(path(QStringLiteral("CODE.JS")))->Script);
        t->dialogs.fileAnswers.enqueue(path(QStringLiteral("code.txt")));
        QVERIFY(f->trigger(QStringLiteral("mnuFileScriptOpen")));
        QCOMPARE(t->dialogs.last(QStringLiteral("open")).filter.first().description, QStringLiteral("Script (*.js)"));
        QCOMPARE(doc()->NameFile, path(QStringLiteral("code.txt")));
        QVERIFY(doc()->Script);
    }

    // ---- what refuses to open ----

    void filesThatCannotBeOpened()
    {
        const int before = app().docs.OpenDocCount;
        const QString missing = path(QStringLiteral("missing.htm"));
        t->dialogs.fileAnswers.enqueue(missing);
        QVERIFY(f->trigger(QStringLiteral("mnuFileOpen")));
        QCOMPARE(lastMessage().style, int(Dialogs::Critical));
        QCOMPARE(lastMessage().text, QStringLiteral("File ") + missing + u' ');
        QCOMPARE(app().docs.OpenDocCount, before);

        // NUL bytes: not a text file, and a save would corrupt it.
        const QByteArray binary("GIF89a\x01\x00\x00\x00<p>", 14);
        t->writeFile(QStringLiteral("image.htm"), binary);
        t->dialogs.fileAnswers.enqueue(path(QStringLiteral("image.htm")));
        QVERIFY(f->trigger(QStringLiteral("mnuFileOpen")));
        QCOMPARE(t->dialogs.count(QStringLiteral("message")), 2);
        QVERIFY(lastMessage().text.startsWith(QStringLiteral("File ") + path(QStringLiteral("image.htm")) + u' '));
        QCOMPARE(lastMessage().style, int(Dialogs::Critical));
        QCOMPARE(app().docs.OpenDocCount, before);
        QCOMPARE(t->readFile(QStringLiteral("image.htm")), binary);

        // A folder is not a document either.
        QDir(t->folder).mkdir(QStringLiteral("dir.htm"));
        t->dialogs.fileAnswers.enqueue(path(QStringLiteral("dir.htm")));
        QVERIFY(f->trigger(QStringLiteral("mnuFileOpen")));
        QCOMPARE(t->dialogs.count(QStringLiteral("message")), 3);
        QCOMPARE(app().docs.OpenDocCount, before);
    }

    void messagesNameTheFileAndTheReason()
    {
        AppState &a = app();
        a.lang.AppTitle = QStringLiteral("Title");
        for (int i = 0; i < LanguageTexts::MessageCount; ++i)
            a.lang.Messages[i] = QStringLiteral("m%1").arg(90 + i);
        const QString missing = path(QStringLiteral("missing.htm"));
        t->dialogs.fileAnswers.enqueue(missing);
        QVERIFY(f->trigger(QStringLiteral("mnuFileOpen")));
        QCOMPARE(lastMessage().text, QStringLiteral("File ") + missing + QStringLiteral(" m96"));
        QCOMPARE(lastMessage().title, QStringLiteral("Title"));

        t->writeFile(QStringLiteral("nul.htm"), QByteArray("a\0b", 3));
        t->dialogs.fileAnswers.enqueue(path(QStringLiteral("nul.htm")));
        QVERIFY(f->trigger(QStringLiteral("mnuFileOpen")));
        QCOMPARE(lastMessage().text, QStringLiteral("File ") + path(QStringLiteral("nul.htm")) + QStringLiteral(" m97"));

        // A folder that is not there: a path error.
        const QString nowhere = path(QStringLiteral("gone/p.htm"));
        t->dialogs.fileAnswers.enqueue(nowhere);
        QVERIFY(f->trigger(QStringLiteral("mnuFileSaveFileAs")));
        QCOMPARE(lastMessage().style, int(Dialogs::Critical));
        QCOMPARE(lastMessage().text, QStringLiteral("File ") + nowhere + QStringLiteral(" m94"));
        QCOMPARE(doc()->NameFile, QString());

        t->writeFile(QStringLiteral("old.htm"), "x\r\n");
        t->dialogs.fileAnswers.enqueue(path(QStringLiteral("old.htm")));
        t->dialogs.messageAnswers.enqueue(Dialogs::No);
        QVERIFY(f->trigger(QStringLiteral("mnuFileSaveFileAs")));
        QCOMPARE(lastMessage().text, QStringLiteral("File ") + path(QStringLiteral("old.htm")) + QStringLiteral(" m92\r\nm93"));
        QCOMPARE(lastMessage().title, QStringLiteral("Title"));

        type(ed(), QStringLiteral("z"));
        doc()->close();
        QCOMPARE(lastMessage().style, int(Dialogs::YesNoCancel));
        QCOMPARE(lastMessage().text, QStringLiteral("m98\r\n") + doc()->txtCaption);
    }

    // ---- encodings and line breaks ----

    void windows1251RoundTrips()
    {
        t->writeFile(QStringLiteral("ru.htm"), kCp1251);
        DocWindow *d = open(path(QStringLiteral("ru.htm")));
        QCOMPARE(d->Rich()->text(), QStringLiteral("Привет, мир!\r\nСтрока\r\n"));
        type(ed(), QStringLiteral("x"));
        QTest::keyClick(ed(), Qt::Key_Backspace);
        save();
        QCOMPARE(t->readFile(QStringLiteral("ru.htm")), kCp1251);

        // A character the code page lacks is kept as a reference, not lost.
        ed()->setSelStart(0);
        type(ed(), QStringLiteral("✓€"));
        save();
        QCOMPARE(t->readFile(QStringLiteral("ru.htm")), "&#10003;\x88" + kCp1251);
    }

    void utf8AndLineBreaksAreKept()
    {
        const QByteArray utf8 = QStringLiteral("Привет\nмир\n").toUtf8();
        t->writeFile(QStringLiteral("u.htm"), utf8);
        DocWindow *d = open(path(QStringLiteral("u.htm")));
        QCOMPARE(d->Rich()->text(), QStringLiteral("Привет\r\nмир\r\n"));
        ed()->setSelStart(d->Rich()->textLength());
        type(ed(), QStringLiteral("ещё\n"));
        save();
        QCOMPARE(t->readFile(QStringLiteral("u.htm")), QStringLiteral("Привет\nмир\nещё\n").toUtf8());

        t->writeFile(QStringLiteral("lf.htm"), "a\nb");
        open(path(QStringLiteral("lf.htm")));
        ed()->setSelStart(1);
        type(ed(), QStringLiteral("\n"));
        save();
        QCOMPARE(t->readFile(QStringLiteral("lf.htm")), QByteArray("a\n\nb\n"));
    }

    void openAndSaveNeverGrowsAFile()
    {
        for (const QByteArray &bytes : {QByteArray("<p>text</p>\r\n"), QByteArray("no break at end"),
                                        QByteArray("\r\n\r\n"), QByteArray()}) {
            t->writeFile(QStringLiteral("g.htm"), bytes);
            QByteArray first;
            for (int round = 0; round < 3; ++round) {
                DocWindow *d = open(path(QStringLiteral("g.htm")));
                QVERIFY(d);
                d->IzmT = 1;
                save();
                const QByteArray now = t->readFile(QStringLiteral("g.htm"));
                if (round == 0)
                    first = now;
                QCOMPARE(now, first);
                d->close();
                QVERIFY(d->UnloadDoc);
            }
            QVERIFY(first.size() <= bytes.size() + 2);
            // Every saved text ends with a line break, an empty one included.
            QVERIFY(first.endsWith("\r\n"));
        }
    }

    // ---- opening addresses through a redirect page ----

    void redirectPageOpensTheAddress()
    {
        const QByteArray page = "<html><head><meta http-equiv='refresh' content='0; url=https://example.org/a'>"
                                "<meta http-equiv='Content-Type' content='text/html; charset=windows-1251'>"
                                "<title>WWW</title></head><body></body></html>\r\n";
        QCOMPARE(Preview::SaveFileUrlm(QStringLiteral("https://example.org/a")), path(QStringLiteral("0.html")));
        QCOMPARE(t->readFile(QStringLiteral("0.html")), page);
        QCOMPARE(t->shell.opened, QStringList{path(QStringLiteral("0.html"))});
        // A name that cannot be written gives way to the next number.
        QVERIFY(QFile::remove(path(QStringLiteral("0.html"))));
        QVERIFY(QDir(t->folder).mkdir(QStringLiteral("0.html")));
        QCOMPARE(Preview::SaveFileUrlm(QStringLiteral("https://example.org/a")), path(QStringLiteral("1.html")));
        QCOMPARE(t->readFile(QStringLiteral("1.html")), page);
        QCOMPARE(t->shell.opened.last(), path(QStringLiteral("1.html")));
    }

    // ---- failed saves ----

    void saveIntoAMissingFolderChangesNothing()
    {
        QDir(t->folder).mkdir(QStringLiteral("sub"));
        t->writeFile(QStringLiteral("sub/p.htm"), "old\r\n");
        DocWindow *d = open(path(QStringLiteral("sub/p.htm")));
        type(ed(), QStringLiteral("new "));
        QVERIFY(QDir(t->folder).rename(QStringLiteral("sub"), QStringLiteral("moved")));
        save();
        QCOMPARE(lastMessage().style, int(Dialogs::Critical));
        QCOMPARE(lastMessage().text, QStringLiteral("File ") + path(QStringLiteral("sub/p.htm")) + u' ');
        QCOMPARE(d->IzmT, 1);
        QCOMPARE(ed()->text(), QStringLiteral("new old\r\n"));
        QCOMPARE(d->NameFile, path(QStringLiteral("sub/p.htm")));
        QCOMPARE(t->readFile(QStringLiteral("moved/p.htm")), QByteArray("old\r\n"));
        QVERIFY(!QDir(path(QStringLiteral("sub"))).exists());

        // Save As into it fails the same way and keeps the old name.
        t->dialogs.fileAnswers.enqueue(path(QStringLiteral("sub/q.htm")));
        QVERIFY(f->trigger(QStringLiteral("mnuFileSaveFileAs")));
        QCOMPARE(t->dialogs.count(QStringLiteral("message")), 2);
        QCOMPARE(d->NameFile, path(QStringLiteral("sub/p.htm")));
        QCOMPARE(d->IzmT, 1);
    }

    void saveOntoAFullDiskKeepsTheOldFile()
    {
        const QString disk = path(QStringLiteral("disk"));
        QDir(t->folder).mkdir(QStringLiteral("disk"));
        Cleanup unmount;
        if (geteuid() != 0 || !runTool(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=64k", "tmpfs", disk}))
            QSKIP("cannot mount a small tmpfs here (needs root)");
        unmount.run = [disk] { runTool(QStringLiteral("umount"), {disk}); };

        const QByteArray old = QByteArray(20000, 'o') + "\r\n";
        t->writeFile(QStringLiteral("disk/big.htm"), old);
        DocWindow *d = open(disk + QStringLiteral("/big.htm"));
        QVERIFY(d);
        ed()->setSelStart(0);
        ed()->setSelText(QString(100000, u'n'));
        QCOMPARE(d->IzmT, 1);
        save();
        QCOMPARE(lastMessage().style, int(Dialogs::Critical));
        QVERIFY(lastMessage().text.startsWith(QStringLiteral("File ") + disk + QStringLiteral("/big.htm ")));
        QCOMPARE(d->IzmT, 1);
        QCOMPARE(ed()->textLength(), 100000 + old.size());
        QCOMPARE(t->readFile(disk + QStringLiteral("/big.htm")), old);
        QCOMPARE(QDir(disk).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("big.htm")});
    }
};

QTEST_MAIN(TestFileCommands)
#include "test_filecommands.moc"
