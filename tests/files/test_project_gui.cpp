// Projects through the program: start-up with a remembered project, the project
// commands with their questions, the project window's keys and the dialog that
// opens all pages of a folder.
#include "common/GuiFixture.h"

#include "app/SettingsFile.h"
#include "files/ProjectCommands.h"
#include "files/frmOpenAllFile.h"
#include "files/frmProekt.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

using namespace gui;

class TestProjectGui : public QObject, GuiFixture {
    Q_OBJECT

    ProjectList &project() const { return app().project; }
    frmProekt *window() const { return f ? f->findChild<frmProekt *>(QStringLiteral("frmProekt")) : nullptr; }

    // Files a.htm, b.htm, c.htm in the test folder and a project p.wpr listing them.
    void writeSite(const QByteArray &name = "Site")
    {
        QByteArray lines = name + "\r\n";
        for (const char *file : {"a.htm", "b.htm", "c.htm"}) {
            t->writeFile(QLatin1String(file), QByteArray("<p>") + file + "</p>\r\n");
            lines += path(QLatin1String(file)).toUtf8() + "\r\n";
        }
        t->writeFile(QStringLiteral("p.wpr"), lines);
    }
    // Project > Open of p.wpr (the documents open now are unchanged).
    void openSite()
    {
        writeSite();
        withFile(QStringLiteral("ProektOpen"), QStringLiteral("p"));   // ".wpr" is added
        QCOMPARE(app().settings.ProjectPath, path(QStringLiteral("p.wpr")));
    }
    // A fresh program whose settings remember the project file `name`, with the
    // site written beside it when siteName is given.
    void restartRemembering(const QString &name, const QByteArray &siteName = {})
    {
        stopApp();
        t = std::make_unique<TestApp>();
        Settings s;
        SettingsFile::initDefaults(s, t->folder);
        s.ProjectPath = t->folder + name;
        t->writeFile(QStringLiteral("kodoplet.ini"), SettingsFile::bytes(s));
        if (!siteName.isEmpty())
            writeSite(siteName);
        f = startProgram(*t);
        QVERIFY(f);
    }
    void press(QWidget *w, Qt::Key key) { QTest::keyClick(w, key); }
    // Runs a command whose file dialog is answered with `file` in the test folder.
    void withFile(const QString &command, const QString &file)
    {
        t->dialogs.fileAnswers.enqueue(path(file));
        t->command(command);
    }
    QString fileError(const char *file, const char *entry) const
    {
        return QStringLiteral("[3] ") + path(QLatin1String(file)) + u' ' + QLatin1String(entry);
    }

private slots:
    void init()
    {
        StartUp::hooks() = {};
        QVERIFY(startApp());
    }
    void cleanup() { stopApp(); }

    // A remembered project that is gone: no message, the start page, no window.
    // One that is there opens with its window.
    void startUpWithRememberedProject()
    {
        restartRemembering(QStringLiteral("gone.wpr"));
        QCOMPARE(messages(), 0);
        QCOMPARE(app().docs.OpenDocCount, 1);
        QVERIFY(app().settings.ProjectPath.isEmpty());
        QTest::qWait(400);
        QVERIFY(!window() || !window()->isVisible());
        restartRemembering(QStringLiteral("p.wpr"), "Home, sweet \"home\"");   // an old file: the name ends at the comma
        QCOMPARE(app().docs.OpenDocCount, 0);
        QCOMPARE(app().projects->ProjectName, QStringLiteral("Home"));
        QCOMPARE(project().LstFileName(), QStringList({" sweet \"home\"", "a.htm", "b.htm", "c.htm"}));
        // The start-up timer shows the window, the list focused on its first entry.
        QTRY_VERIFY(window() && window()->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), window()->LstFileName);
        QCOMPARE(window()->LstFileName->currentRow(), 0);
        press(window()->LstFileName, Qt::Key_Down);
        press(window()->LstFileName, Qt::Key_Down);
        press(window()->LstFileName, Qt::Key_Return);
        QCOMPARE(doc()->document()->NameFile(), path(QStringLiteral("b.htm")));
        // The first entry names no file: Enter reads nothing from the working folder.
        const QString workingFolder = QDir::currentPath();
        QDir::setCurrent(t->folder);
        t->writeFile(QStringLiteral(" sweet \"home\""), "not a page");
        t->command(QStringLiteral("ProektListFile"));
        QCOMPARE(window()->LstFileName->currentRow(), 0);
        press(window()->LstFileName, Qt::Key_Return);
        QDir::setCurrent(workingFolder);
        QCOMPARE(app().docs.OpenDocCount, 1);
        QCOMPARE(messages(), 0);
    }

    void saveWritesTheProjectAfterItsDocuments()
    {
        t->writeFile(QStringLiteral("a.htm"), "a\r\n");
        withFile(QStringLiteral("mnuFileOpen"), QStringLiteral("a.htm"));
        type(ed(), QStringLiteral("changed "));
        QVERIFY(project().IzmProekt);
        // Save: no project file yet, so Save As (".wpr" added), then the untitled
        // page gets its Save As and the changed file its save.
        t->dialogs.fileAnswers.enqueue(path(QStringLiteral("site")));
        withFile(QStringLiteral("ProektProektSave"), QStringLiteral("new.htm"));
        QCOMPARE(t->dialogs.asked[t->dialogs.asked.size() - 2].folder, t->folder);   // program folder
        QCOMPARE(t->readFile(QStringLiteral("a.htm")), QByteArray("changed a\r\n"));
        QCOMPARE(t->readFile(QStringLiteral("site.wpr")),
                 "[62]\r\n" + path(QStringLiteral("a.htm")).toUtf8() + "\r\n" + path(QStringLiteral("new.htm")).toUtf8() + "\r\n");
        QCOMPARE(app().settings.ProjectPath, path(QStringLiteral("site.wpr")));
        QVERIFY(!project().IzmProekt);

        // Save again goes to the same file with no dialog; Save As onto another
        // existing file asks first, and No keeps it.
        const int dialogs = t->dialogs.asked.size();
        t->command(QStringLiteral("mnuFileSaveProekt"));
        QCOMPARE(t->dialogs.asked.size(), dialogs);
        t->writeFile(QStringLiteral("other.wpr"), "keep\r\n");
        t->dialogs.fileAnswers.enqueue(path(QStringLiteral("other.wpr")));
        t->dialogs.messageAnswers.enqueue(Dialogs::No);
        t->command(QStringLiteral("mnuFileSaveProektAs"));
        QCOMPARE(t->dialogs.last(QStringLiteral("save")).text, QStringLiteral("site.wpr"));
        QCOMPARE(lastMessage().text, fileError("other.wpr", "[92]\r\n[93]"));
        QCOMPARE(t->readFile(QStringLiteral("other.wpr")), QByteArray("keep\r\n"));

        // A write that fails is reported and changes nothing.
        project().IzmProekt = true;
        withFile(QStringLiteral("ProektProektSaveAs"), QStringLiteral("no/where.wpr"));
        QCOMPARE(lastMessage().text, fileError("no/where.wpr", "[94]"));
        QCOMPARE(app().settings.ProjectPath, path(QStringLiteral("site.wpr")));
        QVERIFY(project().IzmProekt);
    }

    // The save-project question (entry 102) before New, Open and exit.
    void saveProjectQuestion_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("answer");
        for (const char *command : {"ProektNew", "ProektOpen", "exit"})
            for (int answer : {Dialogs::Yes, Dialogs::No, Dialogs::Cancel})
                QTest::addRow("%s %d", command, answer) << QString::fromLatin1(command) << answer;
    }
    void saveProjectQuestion()
    {
        QFETCH(QString, command);
        QFETCH(int, answer);
        openSite();
        t->writeFile(QStringLiteral("d.htm"), "d\r\n");
        withFile(QStringLiteral("ProektAddFile"), QStringLiteral("d.htm"));
        QCOMPARE(app().docs.OpenDocCount, 0);   // listed, not opened
        const QByteArray saved = t->readFile(QStringLiteral("p.wpr"));

        t->dialogs.messageAnswers.enqueue(answer);
        if (command == QLatin1String("exit")) {
            f->close();
        } else {
            t->writeFile(QStringLiteral("q.wpr"), "Other\r\n");
            withFile(command, QStringLiteral("q.wpr"));
        }
        QCOMPARE(lastMessage().text, QStringLiteral("[102]"));
        QCOMPARE(lastMessage().style, int(Dialogs::YesNoCancel));
        const QByteArray now = t->readFile(QStringLiteral("p.wpr"));
        QCOMPARE(now, answer == Dialogs::Yes ? saved + path(QStringLiteral("d.htm")).toUtf8() + "\r\n" : saved);
        const QString name = app().projects->ProjectName;
        if (answer == Dialogs::Cancel) {
            // Nothing goes on: the project, its file and the program stay.
            QCOMPARE(name, QStringLiteral("Site"));
            QVERIFY(project().IzmProekt);
            QCOMPARE(t->quitCount, 0);
            QVERIFY(!QFile::exists(path(QStringLiteral("kodoplet.ini"))));
        } else if (command == QLatin1String("exit")) {
            QCOMPARE(t->quitCount, 1);
            QVERIFY(t->readFile(QStringLiteral("kodoplet.ini")).contains(path(QStringLiteral("p.wpr")).toUtf8()));
        } else if (command == QLatin1String("ProektNew")) {
            QCOMPARE(name, QStringLiteral("[62]"));
            QCOMPARE(project().LstFileName(), QStringList{"[2]1"});
            QVERIFY(!project().IzmProekt);
        } else {
            QCOMPARE(name, QStringLiteral("Other"));
            QCOMPARE(app().settings.ProjectPath, path(QStringLiteral("q.wpr")));
            QCOMPARE(app().docs.OpenDocCount, 1);   // an empty project gets a new page
        }
    }

    // Project > Open, cancelled at the question about a changed page, changes
    // nothing; then it shows the window; Open all brings the files forward; the
    // window's keys remove entries and rename the project.
    void openOpenAllAndTheWindowsKeys()
    {
        writeSite();
        type(ed(), QStringLiteral("x"));
        t->dialogs.fileAnswers.enqueue(path(QStringLiteral("p.wpr")));
        t->dialogs.messageAnswers.enqueue(Dialogs::Cancel);
        t->command(QStringLiteral("ProektOpen"));
        QCOMPARE(lastMessage().text, QStringLiteral("[98]\r\n[2]1"));
        QCOMPARE(project().LstFileName(), QStringList{"[2]1"});
        QVERIFY(app().settings.ProjectPath.isEmpty());
        t->dialogs.messageAnswers.enqueue(Dialogs::No);
        openSite();
        QCOMPARE(project().LstFileName(), QStringList({"a.htm", "b.htm", "c.htm"}));
        QCOMPARE(app().docs.OpenDocCount, 0);   // the untitled page closed, nothing opened
        QVERIFY(window()->isVisible());
        // A file that is not there is reported, and the project stays.
        withFile(QStringLiteral("ProektOpen"), QStringLiteral("none.wpr"));
        QCOMPARE(lastMessage().text, fileError("none.wpr", "[96]"));
        QCOMPARE(app().projects->ProjectName, QStringLiteral("Site"));
        // Open all: an open file is not read again, a missing one is reported.
        withFile(QStringLiteral("mnuFileOpen"), QStringLiteral("b.htm"));
        DocWindow *b = doc();
        b->Rich()->setText(QStringLiteral("edited"));
        QFile::remove(path(QStringLiteral("c.htm")));
        t->command(QStringLiteral("ProektOpenAllFile"));
        QCOMPARE(lastMessage().text, QStringLiteral("[99]"));
        QCOMPARE(t->dialogs.asked[t->dialogs.asked.size() - 2].text, fileError("c.htm", "[96]"));
        QCOMPARE(app().docs.OpenDocCount, 2);
        QCOMPARE(b->Rich()->text(), QStringLiteral("edited"));
        DocWindow *a = app().docs.slot(app().files->FindDocByFile(path(QStringLiteral("a.htm"))));
        QVERIFY(a);
        project().IzmProekt = false;

        // F4 shows the window; Delete asks, No keeps the entry.
        press(ed(), Qt::Key_F4);
        frmProekt *w = window();
        QVERIFY(w->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), w->LstFileName);
        t->dialogs.messageAnswers.enqueue(Dialogs::No);
        press(w->LstFileName, Qt::Key_Delete);
        QCOMPARE(lastMessage().text, QStringLiteral("[103]"));
        QCOMPARE(project().count(), 3);
        QVERIFY(!a->UnloadDoc());
        // Yes removes it and closes its open document.
        t->dialogs.messageAnswers.enqueue(Dialogs::Yes);
        press(w->LstFileName, Qt::Key_Delete);
        QCOMPARE(project().LstFileName(), QStringList({"b.htm", "c.htm"}));
        QCOMPARE(w->LstFileName->count(), 2);
        QVERIFY(a->UnloadDoc());

        // A name typed and left without Enter is dropped.
        w->txtProektName->setFocus();
        QTest::keyClicks(w->txtProektName, QStringLiteral(" typed"));
        press(w->txtProektName, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->LstFileName);
        QCOMPARE(w->txtProektName->text(), QStringLiteral("Site"));
        QCOMPARE(app().projects->ProjectName, QStringLiteral("Site"));
        project().IzmProekt = false;
        // The name box: Enter renames, Enter again hides; Escape hides too.
        w->txtProektName->setFocus();
        w->txtProektName->selectAll();
        QTest::keyClicks(w->txtProektName, QStringLiteral("Renamed, 2"));
        press(w->txtProektName, Qt::Key_Return);
        QCOMPARE(app().frameCaption.value(), app().lang.frameCaption(QStringLiteral("Renamed, 2")));
        QVERIFY(project().IzmProekt);
        QVERIFY(w->isVisible());
        press(w->txtProektName, Qt::Key_Return);
        QVERIFY(!w->isVisible());
        t->command(QStringLiteral("ProektListFile"));
        QCOMPARE(w->txtProektName->text(), QStringLiteral("Renamed, 2"));
        press(w->txtProektName, Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        // The comma name is saved in quotes and read back whole.
        t->command(QStringLiteral("ProektProektSave"));
        QVERIFY(t->readFile(QStringLiteral("p.wpr")).startsWith("\"Renamed, 2\"\r\n"));
        withFile(QStringLiteral("ProektOpen"), QStringLiteral("p.wpr"));
        QCOMPARE(app().projects->ProjectName, QStringLiteral("Renamed, 2"));
        QCOMPARE(project().LstFileName(), QStringList({"b.htm", "c.htm"}));
        // Escape in the list hides the window; with no document open a new page comes.
        QCOMPARE(app().docs.OpenDocCount, 0);
        press(window()->LstFileName, Qt::Key_Escape);
        QVERIFY(!window()->isVisible());
        QTRY_COMPARE(app().docs.OpenDocCount, 1);
        QCOMPARE(doc()->document()->NameFile(), QString());
    }

    void addAndRemoveFile()
    {
        DocWindow *untitled = doc();
        t->writeFile(QStringLiteral("a.htm"), "a\r\n");
        t->dialogs.fileAnswers.enqueue(path(QStringLiteral("a.htm")));
        QTest::keyClick(ed(), Qt::Key_D, Qt::ControlModifier);   // Add file
        QCOMPARE(project().LstFileName(), QStringList({"[2]1", "a.htm"}));
        QCOMPARE(untitled->document()->IzmT(), 0);   // the key went to the command, not the text
        // Remove file: Yes takes the file out and closes it.
        withFile(QStringLiteral("mnuFileOpen"), QStringLiteral("a.htm"));
        DocWindow *a = doc();
        project().IzmProekt = false;
        t->dialogs.messageAnswers.enqueue(Dialogs::Yes);
        t->command(QStringLiteral("ProektRemoveFile"));
        QVERIFY(a->UnloadDoc());
        QCOMPARE(project().LstFileName(), QStringList{"[2]1"});
        QVERIFY(project().IzmProekt);
        // An untitled page leaves the project as it closes; that is no change to save.
        project().IzmProekt = false;
        QTRY_COMPARE(doc(), untitled);
        t->dialogs.messageAnswers.enqueue(Dialogs::Yes);
        t->command(QStringLiteral("ProektRemoveFile"));
        QVERIFY(untitled->UnloadDoc());
        QCOMPARE(project().count(), 0);
        QVERIFY(!project().IzmProekt);
    }

    // The pages of a folder (order and extensions: test_projectfile's folderPages).
    void openAllFilesInFolder()
    {
        const QString site = path(QStringLiteral("site/"));
        QVERIFY(QDir().mkpath(site));
        for (const char *name : {"c.php", "b.htm", "a.html", "note.txt"})
            t->writeFile(QStringLiteral("site/") + QLatin1String(name), QByteArray("<p>") + name + "</p>\r\n");
        QVERIFY(QDir().mkpath(path(QStringLiteral("empty"))));
        app().settings.LastFolder = site;
        t->command(QStringLiteral("mnuEditOpenAllFile"));
        auto *dlg = f->findChild<frmOpenAllFile *>();
        QVERIFY(dlg && dlg->isVisible());
        QCOMPARE(dlg->currentFolder() + u'/', site);
        QCOMPARE(dlg->List1->count(), 3);
        // Walking to another folder lists it; Cancel keeps the folder walked to.
        QVERIFY(dlg->setFolder(path(QStringLiteral("empty"))));
        QCOMPARE(dlg->List1->count(), 0);
        QTest::mouseClick(dlg->NO, Qt::LeftButton);
        QTRY_VERIFY(!f->findChild<frmOpenAllFile *>());
        QCOMPARE(app().settings.LastFolder, path(QStringLiteral("empty/")));
        QCOMPARE(app().docs.OpenDocCount, 1);

        // A remembered folder that was deleted: the program folder, no message.
        QVERIFY(QDir(path(QStringLiteral("empty"))).removeRecursively());
        t->command(QStringLiteral("mnuEditOpenAllFile"));
        dlg = f->findChild<frmOpenAllFile *>();
        QCOMPARE(dlg->currentFolder() + u'/', t->folder);
        QCOMPARE(messages(), 0);
        // OK opens every page, not into the project, the last one listed in front.
        QVERIFY(dlg->setFolder(site));
        QTest::mouseClick(dlg->OK, Qt::LeftButton);
        QTRY_VERIFY(!f->findChild<frmOpenAllFile *>());
        QCOMPARE(app().docs.OpenDocCount, 4);
        QCOMPARE(doc()->document()->NameFile(), site + QStringLiteral("c.php"));
        QCOMPARE(project().LstFileName(), QStringList{"[2]1"});
        QCOMPARE(app().settings.LastFolder, site);
    }
};

QTEST_MAIN(TestProjectGui)
#include "test_project_gui.moc"
