// Recovery as the user meets it: a run killed (SIGKILL) with unsaved text in
// four windows, one untitled, then the next start; the recovery window's
// answers; and what takes a record away again.
#include "common/GuiFixture.h"
#include "common/TextFile.h"
#include "files/DiskFiles.h"
#include "files/Recovery.h"
#include "files/RecoveryCommands.h"
#include "files/RecoveryKeeper.h"
#include "lang/LanguageTexts.h"

#include <QDialog>
#include <QProcess>
#include <cstdio>
#include <thread>

namespace {

struct Page {
    QString name;       // "" for the untitled start page
    QByteArray bytes;   // the file as it was opened (the start page's text for untitled)
    QString typed;      // typed at the start of the text
    QString text;       // the editor's text afterwards
    QByteArray saved;   // what saving the recovered document writes
};

QList<Page> pages()
{
    return {
        {QStringLiteral("cp.htm"), "<p>\xCF\xF0\xE8</p>\r\n", QStringLiteral("Мир "),
         QStringLiteral("Мир <p>При</p>\r\n"), "\xCC\xE8\xF0 <p>\xCF\xF0\xE8</p>\r\n"},
        {QStringLiteral("u8.htm"), "<p>\xD1\x8F</p>\n", QStringLiteral("ё№"), QStringLiteral("ё№<p>я</p>\r\n"),
         "\xD1\x91\xE2\x84\x96<p>\xD1\x8F</p>\n"},
        {QStringLiteral("s.js"), "var a;\r", QStringLiteral("x"), QStringLiteral("xvar a;\r\n"), "xvar a;\r"},
        {QString(), "<b>untitled</b>", QStringLiteral("Новый "), QStringLiteral("Новый <b>untitled</b>"), {}},
    };
}

QStringList records(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.krec")}, QDir::Files);
}

// The run that gets killed: four documents typed into, then it waits for the
// kill once their records are on disk.
int childRun(int argc, char **argv)
{
    QApplication qapp(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    TestApp t(folder);
    if (!gui::startProgram(t))
        return 2;
    AppState &a = app();
    DocWindow *startPage = t.active();
    int expected = 0;
    for (const Page &p : pages()) {
        DocWindow *d = startPage;
        if (!p.name.isEmpty())
            d = a.docs.slot(a.files->OpenFileDoc(folder + p.name) ? a.files->FindDocByFile(folder + p.name) : -1);
        else
            gui::load(d, QString::fromLatin1(p.bytes));
        if (!d)
            return 3;
        d->Rich()->setFocus();
        d->Rich()->setSelStart(0);
        gui::type(d->Rich(), p.typed);
        expected += d->Rich()->text() == p.text;
    }
    if (expected != 4)
        return 4;
    // The records appear a pause after the typing, written by the writer thread.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 30000) {
        int good = 0;
        for (const Recovery::Entry &e : Recovery::orphans(a.settings.RecoveryFolder, [](const ProcessStamp &) { return false; }))
            good += e.damage == Recovery::Damage::None;
        if (good == 4) {
            std::puts("ready");
            std::fflush(stdout);
            for (;;)
                QTest::qWait(1000);
        }
        QTest::qWait(50);
    }
    return 5;
}

} // namespace

class TestRecoveryGui : public QObject {
    Q_OBJECT
    GuiFixture g;

private slots:
    void cleanup() { g.stopApp(); }

    void killedRunRecoversFourDocuments()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        for (const Page &p : pages())
            if (!p.name.isEmpty())
                disk::put(folder + p.name, p.bytes);
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), folder});
        QVERIFY(child.waitForStarted());
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += child.readAllStandardOutput()).contains("ready") || child.state() == QProcess::NotRunning, 60000);
        QCOMPARE(child.state(), QProcess::Running);
        child.kill();   // SIGKILL: nothing of the run gets to clean up
        QVERIFY(child.waitForFinished());
        const QString recoveryFolder = folder + QStringLiteral("recovery/");
        QCOMPARE(records(recoveryFolder).size(), 4);
        // Another program changes one of the files before the next start.
        const QString changedFile = folder + QStringLiteral("s.js");
        disk::put(changedFile, "changed elsewhere\r");

        g.t = std::make_unique<TestApp>(folder);
        g.f = gui::startProgram(*g.t);   // the window's answer is its default, as Enter gives
        QVERIFY(g.f);
        AppState &a = app();
        const QueueDialogs::Asked list = g.t->dialogs.last(QStringLiteral("list"));
        QCOMPARE(list.rows.size(), 4 + 3);
        QVERIFY(list.rows.filter(QStringLiteral("[2]1 (")).size() == 1);   // the untitled one by its caption
        QCOMPARE(a.docs.OpenDocCount, 4);   // the empty start page gave way
        for (const Page &p : pages()) {
            const QString path = p.name.isEmpty() ? QString() : folder + p.name;
            Document *doc = nullptr;
            for (DocWindow *d : a.docs.open())
                if (d->document()->NameFile() == path)
                    doc = d->document();
            QVERIFY2(doc, qPrintable(p.name));
            QCOMPARE(doc->text()->text(), p.text);
            QVERIFY(doc->isModified());
            QCOMPARE(doc->Script(), p.name.endsWith(QLatin1String(".js")));
            if (path.isEmpty())
                continue;
            // The file stays as it is until the user saves.
            QCOMPARE(disk::get(path), path == changedFile ? QByteArray("changed elsewhere\r") : p.bytes);
        }
        const QueueDialogs::Asked told = g.t->dialogs.last(QStringLiteral("message"));
        QVERIFY(told.text.startsWith(LanguageTexts::builtInText(RecoveryEntry::ChangedOnDisk)));
        QVERIFY(told.text.endsWith(changedFile));

        // This run's records replace the old ones; saving takes each away.
        a.recovery->flush();
        QCOMPARE(records(recoveryFolder).size(), 4);
        for (const Page &p : pages()) {
            if (p.name.isEmpty())
                continue;
            const QString path = folder + p.name;
            QVERIFY(a.files->SaveDocument(a.docs.slot(a.files->FindDocByFile(path))));
            QCOMPARE(disk::get(path), p.saved);
        }
        a.recovery->flush();
        QCOMPARE(records(recoveryFolder).size(), 1);   // the untitled one, still unsaved
    }

    // Recover (the default, Enter), Discard and Later with one good and one damaged record.
    void answers_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("left");   // records left once this run's are written
        const QString good = QStringLiteral("1-1-1.krec");
        const QString bad = QStringLiteral("1-1-2.krec");
        QTest::newRow("recover") << int(RecoveryCommands::Recover) << QStringList{bad};
        QTest::newRow("discard") << int(RecoveryCommands::Discard) << QStringList{};
        QTest::newRow("later") << int(RecoveryCommands::Later) << QStringList{good, bad};
    }
    void answers()
    {
        QFETCH(int, answer);
        g.t = std::make_unique<TestApp>();
        const QString folder = g.t->folder;
        RecoveryRecord r;
        r.owner = {1, 1, QStringLiteral("a boot long gone")};
        r.caption = QStringLiteral("Untitled7");
        r.savedAtMs = 1;
        r.text = QStringLiteral("kept\r\ntext");
        // Records of a process that is gone, in the program folder's recovery folder.
        disk::put(folder + QStringLiteral("recovery/1-1-1.krec"), Recovery::encode(r));
        disk::put(folder + QStringLiteral("recovery/1-1-2.krec"), Recovery::encode(r).left(70));
        g.t->dialogs.listAnswers.enqueue(answer);
        g.f = gui::startProgram(*g.t);
        QVERIFY(g.f);
        const QStringList rows = g.t->dialogs.last(QStringLiteral("list")).rows;
        QVERIFY2(rows.value(0).startsWith(QStringLiteral("Untitled7 (")), qPrintable(rows.join(u'|')));
        QCOMPARE(rows.value(1), LanguageTexts::builtInText(RecoveryEntry::Damaged).arg(QStringLiteral("1-1-2.krec")));
        AppState &a = app();
        QCOMPARE(a.docs.OpenDocCount, 1);   // the recovered page took the start page's place
        const bool recovered = answer == RecoveryCommands::Recover;
        if (recovered)
            QCOMPARE(g.ed()->text(), r.text);
        QCOMPARE(g.doc()->document()->isModified(), recovered);
        a.recovery->flush();
        QStringList left = records(folder + QStringLiteral("recovery"));
        left.removeAll(QFileInfo(a.recovery->recordOf(g.doc()->document())).fileName());
        QTEST(left, "left");
    }

    // No record on the keystroke; one a pause later; none once the document
    // matches its file again or is closed without saving.
    void recordFollowsTheDocument_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("save as") << "save as";
        QTest::newRow("close, not saved") << "close";
        QTest::newRow("undo to the file") << "undo";
    }
    void recordFollowsTheDocument()
    {
        QFETCH(QString, how);
        QVERIFY(g.startApp());
        AppState &a = app();
        a.recovery->setDelays(300, 1000);
        Document *doc = g.doc()->document();
        // A long line the editor holds as several pieces: the record has one line.
        g.setText(QStringLiteral("<p>") + QString(20000, u'w') + QStringLiteral("</p>\r\nend\r\n"));
        QVERIFY(g.ed()->document()->blockCount() > 3);
        gui::type(g.ed(), QStringLiteral("ab"));
        QCOMPARE(records(a.settings.RecoveryFolder).size(), 0);
        QTRY_COMPARE(records(a.settings.RecoveryFolder).size(), 1);
        const QString record = a.recovery->recordOf(doc);
        RecoveryRecord r;
        QCOMPARE(Recovery::decode(disk::get(record), r), Recovery::Damage::None);
        QCOMPARE(r.text, g.ed()->text());
        if (how == QLatin1String("save as")) {
            g.t->dialogs.fileAnswers.enqueue(g.path(QStringLiteral("saved.htm")));
            QVERIFY(a.files->FileSaveAs(g.doc()));
        } else if (how == QLatin1String("close")) {
            g.t->dialogs.messageAnswers.enqueue(Dialogs::No);
            QVERIFY(a.files->CloseDocument(g.doc()));
        } else {
            doc->Undo();
            doc->Undo();
            QVERIFY(!doc->isModified());
        }
        a.recovery->flush();
        QCOMPARE(records(a.settings.RecoveryFolder).size(), 0);
    }

    // A recovery folder that cannot be made is told once, not at every write.
    void cannotKeepIsToldOnce()
    {
        g.t = std::make_unique<TestApp>();
        disk::put(g.t->folder + QStringLiteral("recovery"), "a file where the folder would be");
        g.f = gui::startProgram(*g.t);
        QVERIFY(g.f);
        AppState &a = app();
        for (int i = 0; i < 2; ++i) {
            gui::type(g.ed(), QStringLiteral("x"));
            a.recovery->flush();
            QTest::qWait(50);
        }
        QCOMPARE(g.messages(), 1);
        QVERIFY(g.lastMessage().text.startsWith(LanguageTexts::builtInText(RecoveryEntry::CannotKeep)));
        QVERIFY(g.lastMessage().text.endsWith(a.settings.RecoveryFolder));
    }

    // The real window: Enter recovers, closing it decides nothing.
    void realWindowKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("answer");
        QTest::newRow("Enter") << int(Qt::Key_Return) << int(RecoveryCommands::Recover);
        QTest::newRow("Escape") << int(Qt::Key_Escape) << int(RecoveryCommands::Later);
    }
    void realWindowKeys()
    {
        QFETCH(int, key);
        QtDialogs real;
        ListQuestion q;
        q.rows = {QStringLiteral("a.htm (now, 3 characters)")};
        q.buttons = {QStringLiteral("&Recover"), QStringLiteral("&Discard"), QStringLiteral("&Later")};
        q.defaultButton = RecoveryCommands::Recover;
        q.closeAnswer = RecoveryCommands::Later;
        gui::whenShown<QDialog>([key](QDialog *d) {
            QTest::keyClick(d->focusWidget() ? d->focusWidget() : d, Qt::Key(key));
        });
        QTEST(real.listQuestion(q), "answer");
    }
};

int main(int argc, char *argv[])
{
    if (argc > 2 && qstrcmp(argv[1], "--child") == 0)
        return childRun(argc, argv);
    QApplication app(argc, argv);
    TestRecoveryGui tc;
    return QTest::qExec(&tc, argc, argv);
}
#include "test_recovery_gui.moc"
