// Files named from outside the program: on its command line at start, and
// dropped on its window. Both open as File > Open does.
#include "files/ProjectCommands.h"
#include "common/GuiFixture.h"

#include "app/SettingsFile.h"
#include "app/ToolBar.h"
#include "files/frmProekt.h"

#include <QDropEvent>
#include <QMdiArea>
#include <QMimeData>
#include <QUrl>
#include <QtTest>

using namespace gui;

class TestOpenFilesGui : public QObject, GuiFixture {
    Q_OBJECT

    // Names of the open documents in slot order: the file name, or "new" for an untitled page.
    QStringList openNames() const
    {
        QStringList names;
        for (DocWindow *d : app().docs.open())
            names << (d->document()->NameFile().isEmpty() ? QStringLiteral("new") : QFileInfo(d->document()->NameFile()).fileName());
        return names;
    }
    QStringList messageTexts() const
    {
        QStringList texts;
        for (const QueueDialogs::Asked &q : t->dialogs.asked)
            if (q.kind == QLatin1String("message"))
                texts << q.text + u'|' + QString::number(q.style);
        return texts;
    }
    QString activeName() const { return doc() ? QFileInfo(doc()->document()->NameFile()).fileName() : QString(); }
    // The open-error message in the entry-number language: File, the path, then 96 or 97.
    QString openError(const QString &name, int entry) const
    {
        return QStringLiteral("[3] %1 [%2]|%3").arg(path(name)).arg(entry).arg(int(Dialogs::Critical));
    }
    frmProekt *projectWindow() const { return f ? f->findChild<frmProekt *>(QStringLiteral("frmProekt")) : nullptr; }

    // A fresh program (not started) with pages a.htm, b.js and a project p.wpr listing a.htm.
    void prepare()
    {
        t = std::make_unique<TestApp>();
        t->writeFile(QStringLiteral("a.htm"), "<p>a</p>\r\n");
        t->writeFile(QStringLiteral("b.js"), "var b;\r\n");
        t->writeFile(QStringLiteral("p.wpr"), "Site\r\n" + path(QStringLiteral("a.htm")).toUtf8() + "\r\n");
        QDir(t->folder).mkdir(QStringLiteral("folder.htm"));
        QDir(t->folder).mkdir(QStringLiteral("dir2.htm"));
    }
    void start(const QStringList &args)
    {
        const QString was = QDir::currentPath();
        QDir::setCurrent(t->folder);   // relative names resolve against the current folder
        t->commandLine = CommandLine::parse(args, QDir::currentPath());
        QDir::setCurrent(was);
        f = startProgram(*t);
        QVERIFY(f);
    }

    // A drag of files onto the frame's window at widget w's centre, the way the
    // window system delivers it: the window finds the widget under the pointer.
    bool drop(QWidget *w, const QStringList &names, const QString &text = QString())
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &n : names)
            urls << (n.contains(QLatin1String("://")) ? QUrl(n) : QUrl::fromLocalFile(path(n)));
        if (!urls.isEmpty())
            data.setUrls(urls);
        if (!text.isEmpty())
            data.setText(text);
        const QPoint at = w->mapTo(f, w->rect().center());
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(f->windowHandle(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(f->windowHandle(), &dropped);
        return dropped.isAccepted();
    }

private slots:
    void init() { StartUp::hooks() = {}; }
    void cleanup() { stopApp(); }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("open");
        QTest::addColumn<QString>("active");
        QTest::addColumn<QStringList>("messages");   // file:entry of each open-error message
        using L = QStringList;
        // The files take the place of the empty start page.
        QTest::newRow("two files, the last active") << L{"a.htm", "b.js"} << L{"a.htm", "b.js"} << "b.js" << L{};
        // A name that does not exist is a new page to be saved there.
        QTest::newRow("a missing one opens empty under its name")
            << L{"a.htm", "gone.htm", "b.js"} << L{"a.htm", "gone.htm", "b.js"} << "b.js" << L{};
        QTest::newRow("an unreadable one is reported") << L{"folder.htm", "a.htm"} << L{"a.htm"} << "a.htm"
                                                       << L{"folder.htm:97"};
        // Reported together, in one message, after the others opened.
        QTest::newRow("several unreadable: one message") << L{"folder.htm", "a.htm", "dir2.htm"} << L{"a.htm"} << "a.htm"
                                                         << L{"folder.htm:97", "dir2.htm:97"};
        QTest::newRow("named twice: opened once, activated again") << L{"a.htm", "b.js", "./a.htm"} << L{"a.htm", "b.js"}
                                                                   << "a.htm" << L{};
        QTest::newRow("none readable: the start page stays") << L{"folder.htm"} << L{"new"} << "" << L{"folder.htm:97"};
    }
    void commandLine()
    {
        QFETCH(QStringList, args);
        prepare();
        start(args);
        QTEST(openNames(), "open");
        QTEST(activeName(), "active");
        QFETCH(QStringList, messages);
        QStringList expected, lines;
        for (const QString &m : messages)
            lines << path(m.section(u':', 0, 0)) + QStringLiteral(" [%1]").arg(m.section(u':', 1));
        if (messages.size() == 1)
            expected << openError(messages[0].section(u':', 0, 0), messages[0].section(u':', 1).toInt());
        else if (messages.size() > 1)
            expected << QStringLiteral("[3]\r\n") + lines.join(QStringLiteral("\r\n")) + QStringLiteral("|%1").arg(int(Dialogs::Critical));
        QCOMPARE(messageTexts(), expected);
        // The new page is unchanged until typed in, and Save writes it where it was named.
        if (const int k = app().docs.findByFile(path(QStringLiteral("gone.htm"))); k >= 0) {
            DocWindow *d = app().docs.slot(k);
            QVERIFY(!d->document()->isModified() && d->Rich()->text().isEmpty());
            app().docs.requestActivate(d);
            QTest::keyClicks(d->Rich(), "hi");
            t->command(QStringLiteral("mnuFileSaveFile"));
            QCOMPARE(t->readFile(path(QStringLiteral("gone.htm"))), QByteArray("hi\r\n"));
            QCOMPARE(messageTexts(), expected);
        }
        // A script is a script; the project is left as it was (an "Open with" from
        // a file manager does not change it, so exiting asks nothing).
        for (DocWindow *d : app().docs.open()) {
            if (!d->document()->NameFile().isEmpty())
                QVERIFY(app().project.FindFile(d->document()->NameFile()) < 0);
            QCOMPARE(d->document()->Script(), d->document()->NameFile().endsWith(QLatin1String(".js")));
        }
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ed()));
    }

    // A project named on the command line opens instead of the remembered one;
    // one that cannot be read is reported and the remembered one opens after all.
    void commandLineProject()
    {
        for (const bool readable : {true, false}) {
            prepare();
            t->writeFile(QStringLiteral("r.wpr"), "Remembered\r\n" + path(QStringLiteral("b.js")).toUtf8() + "\r\n");
            Settings s;
            SettingsFile::initDefaults(s, t->folder);
            s.ProjectPath = path(QStringLiteral("r.wpr"));
            t->writeFile(QStringLiteral("kodoplet.ini"), SettingsFile::bytes(s));
            start({readable ? QStringLiteral("p.wpr") : QStringLiteral("gone.wpr"), QStringLiteral("b.js")});
            QCOMPARE(app().projects->ProjectName, readable ? QStringLiteral("Site") : QStringLiteral("Remembered"));
            QCOMPARE(app().settings.ProjectPath, path(readable ? QStringLiteral("p.wpr") : QStringLiteral("r.wpr")));
            QCOMPARE(messageTexts(), readable ? QStringList() : QStringList{openError("gone.wpr", 96)});
            // The document named beside it opens; only the remembered project lists it.
            QCOMPARE(openNames(), QStringList{"b.js"});
            QCOMPARE(app().project.FindFile(path(QStringLiteral("b.js"))) >= 0, !readable);
            // The start-up timer still shows the project window.
            QTRY_VERIFY(projectWindow() && projectWindow()->isVisible());
            stopApp();
        }
    }

    void droppedFilesOpen_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("editor") << "editor";
        QTest::newRow("toolbar") << "toolbar";
        QTest::newRow("empty area") << "area";
        QTest::newRow("preview") << "preview";
    }
    void droppedFilesOpen()
    {
        QFETCH(QString, target);
        prepare();
        start({});
        QWidget *w = f->toolBar();
        if (target == QLatin1String("editor")) {
            setText(QStringLiteral("text"));
            w = ed()->viewport();
        } else if (target == QLatin1String("preview")) {
            t->command(QStringLiteral("mnuFileProsmotr"));
            QTRY_VERIFY(!doc()->editorVisible());
            w = doc()->findChild<QWidget *>(QStringLiteral("WebBrowser"));
            QVERIFY(w && w->isVisible());
        } else if (target == QLatin1String("area")) {
            t->command(QStringLiteral("ProektCloseAllFile"));
            QCOMPARE(app().docs.OpenDocCount, 0);
            w = f->mdiArea()->viewport();
        }
        QVERIFY(drop(w, {QStringLiteral("a.htm"), QStringLiteral("gone.htm"), QStringLiteral("b.js")}));
        // Opened after the drop has ended, so that no question holds up the dragging program.
        QCOMPARE(t->dialogs.count(QStringLiteral("message")), 0);
        QTRY_COMPARE(activeName(), QStringLiteral("b.js"));
        QCOMPARE(messageTexts(), QStringList{openError("gone.htm", 96)});
        QCOMPARE(openNames(), target == QLatin1String("area") ? QStringList({"a.htm", "b.js"})
                                                              : QStringList({"new", "a.htm", "b.js"}));
        if (target == QLatin1String("editor"))
            QCOMPARE(app().docs.slot(0)->Rich()->text(), QStringLiteral("text"));   // no path inserted
    }

    // What a second start hands over opens as its command line would, and the
    // frame comes to the front.
    void handedOverFiles()
    {
        prepare();
        start({});
        f->showMinimized();
        StartUp::openHandedOver({QString(), path(QStringLiteral("a.htm")), path(QStringLiteral("new.htm"))});
        QTRY_COMPARE(openNames(), (QStringList{"a.htm", "new.htm"}));
        QCOMPARE(activeName(), QStringLiteral("new.htm"));
        QVERIFY(!(f->windowState() & Qt::WindowMinimized));
        QVERIFY(app().project.FindFile(path(QStringLiteral("a.htm"))) < 0);
        QCOMPARE(messageTexts(), QStringList());
    }

    // A project dropped on an editor opens, with its window; text dragged onto an
    // editor is still inserted, and a web address is text too.
    void droppedProjectAndText()
    {
        prepare();
        start({});
        setText(QStringLiteral("ab"), 1);
        QVERIFY(drop(ed()->viewport(), {}, QStringLiteral("xy")));
        QCOMPARE(ed()->text().remove(QStringLiteral("xy")), QStringLiteral("ab"));
        const QString web = QStringLiteral("https://example.org/");
        drop(ed()->viewport(), {web}, web);
        QVERIFY(ed()->text().contains(QLatin1String("https://example.org/")));
        QCOMPARE(app().docs.OpenDocCount, 1);

        QVERIFY(drop(ed()->viewport(), {QStringLiteral("p.wpr")}));
        // The changed page is asked about as the project closes: No.
        t->dialogs.messageAnswers.enqueue(Dialogs::No);
        QTRY_COMPARE(app().projects->ProjectName, QStringLiteral("Site"));
        QCOMPARE(app().settings.ProjectPath, path(QStringLiteral("p.wpr")));
        QTRY_VERIFY(projectWindow() && projectWindow()->isVisible());
    }
};

QTEST_MAIN(TestOpenFilesGui)
#include "test_openfiles_gui.moc"
