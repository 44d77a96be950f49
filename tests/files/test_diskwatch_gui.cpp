// Another program's changes to an open file, in every order against typing and
// saving: never overwritten without a question, never lost from the history.
#include "common/GuiFixture.h"

#include "common/TextFile.h"
#include "files/DiskWatch.h"
#include "platform/NoticeBar.h"

#include <QPushButton>
#include <QtTest>
#include <cstdio>

using namespace gui;

class TestDiskWatchGui : public QObject, GuiFixture {
    Q_OBJECT

    static QString entry(int n) { return app().lang.text(n); }
    QString page() const { return path(QStringLiteral("page.htm")); }
    // Another program writes the page: in place, or as a new file renamed over it.
    void writeOther(const QByteArray &bytes, bool byRename = false, QString file = {})
    {
        if (file.isEmpty())
            file = page();
        const QString to = byRename ? file + QStringLiteral(".new") : file;
        QFile f(to);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(bytes), bytes.size());
        f.close();
        if (byRename)
            QCOMPARE(std::rename(QFile::encodeName(to).constData(), QFile::encodeName(file).constData()), 0);
    }
    NoticeBar *bar() const { return doc()->noticeBar(); }
    bool barSays(int n) const
    {
        return doc()->noticeShown() && bar()->text() == entry(n).arg(doc()->document()->NameFile());
    }
    void press(int button)
    {
        auto *b = bar()->findChild<QPushButton *>(QStringLiteral("cmdNotice%1").arg(button));
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void save(QList<int> answers = {})
    {
        for (int a : answers)
            t->dialogs.messageAnswers.enqueue(a);
        QVERIFY(f->trigger(QLatin1String("mnuFileSaveFile")));
    }
    QString changedQuestion() const
    {
        return entry(DiskEntry::ChangedSave).arg(page()) + QStringLiteral("\r\n") + entry(DiskEntry::OverwriteIt);
    }

private slots:
    void init()
    {
        QVERIFY(startApp() && openFile(QStringLiteral("page.htm"), "one\r\ntwo\r\n")->document()->NameFile() == page());
    }
    void cleanup() { stopApp(); }

    // Unchanged document: the new text comes in as one undo step, the caret on its line.
    void changedBeforeTyping_data()
    {
        QTest::addColumn<bool>("byRename");
        QTest::newRow("written in place") << false;
        QTest::newRow("replaced by rename") << true;
    }
    void changedBeforeTyping()
    {
        QFETCH(bool, byRename);
        ed()->setSelStart(6);  // line 2, column 2
        for (const QByteArray &bytes : {QByteArray("zero\nONE\ntwo\n"), QByteArray("zero\nONE\nTWO!\n")}) {
            writeOther(bytes, byRename);
            QTRY_COMPARE(ed()->text(), TextFile::decode(bytes));
            // The watch goes on after a rename replaced the file.
        }
        QVERIFY(barSays(DiskEntry::ReloadedBar));
        QCOMPARE(doc()->document()->IzmT(), 0);
        QCOMPARE(doc()->document()->format().lineBreak, LineBreak::Lf);
        QCOMPARE(ed()->lineAt(ed()->selStart()), 1);
        QCOMPARE(ed()->selStart() - ed()->lineStart(1), 1);
        doc()->document()->Undo();
        QCOMPARE(ed()->text(), QStringLiteral("zero\r\nONE\r\ntwo\r\n"));
        QCOMPARE(doc()->document()->IzmT(), 1);
        doc()->document()->Redo();
        QCOMPARE(doc()->document()->IzmT(), 0);
        type(ed(), QStringLiteral("x"));
        save();
        QCOMPARE(messages(), 0);
        QVERIFY(t->readFile(page()).contains('x'));
    }

    // Unsaved changes: the bar offers Reload and Keep mine; a save asks unless
    // the user kept their text over that very version.
    void changedAfterTyping_data()
    {
        QTest::addColumn<int>("barButton");   // -1 none, 0 Reload, 1 Keep mine
        QTest::addColumn<int>("saveAnswer");  // to the overwrite question, 0: not asked
        QTest::addColumn<QByteArray>("onDisk");
        QTest::addColumn<QByteArray>("elsewhere");
        QTest::addColumn<bool>("byRename");
        const QByteArray mine("mine one\r\ntwo\r\n"), theirs("theirs\r\n");
        QTest::newRow("overwrite") << -1 << int(Dialogs::Yes) << mine << QByteArray() << false;
        QTest::newRow("renamed over: overwrite") << -1 << int(Dialogs::Yes) << mine << QByteArray() << true;
        QTest::newRow("save elsewhere") << -1 << int(Dialogs::No) << theirs << mine << false;
        QTest::newRow("cancel") << -1 << int(Dialogs::Cancel) << theirs << QByteArray() << false;
        QTest::newRow("keep mine") << 1 << 0 << mine << QByteArray() << false;
        QTest::newRow("renamed over: keep mine") << 1 << 0 << mine << QByteArray() << true;
        QTest::newRow("reload") << 0 << 0 << QByteArray("theirsx\r\n") << QByteArray() << false;
    }
    void changedAfterTyping()
    {
        QFETCH(int, barButton);
        QFETCH(int, saveAnswer);
        QFETCH(bool, byRename);
        type(ed(), QStringLiteral("mine "));
        writeOther("theirs\r\n", byRename);
        QTRY_VERIFY(barSays(DiskEntry::ChangedBar));
        QCOMPARE(ed()->text(), QStringLiteral("mine one\r\ntwo\r\n"));
        if (barButton >= 0)
            press(barButton);
        if (barButton == 0) {
            QCOMPARE(ed()->text(), QStringLiteral("theirs\r\n"));
            QCOMPARE(doc()->document()->IzmT(), 0);
            doc()->document()->Undo();   // the unsaved text is still there
            QCOMPARE(ed()->text(), QStringLiteral("mine one\r\ntwo\r\n"));
            doc()->document()->Redo();
            ed()->setSelStart(6);
            type(ed(), QStringLiteral("x"));
        }
        t->dialogs.fileAnswers.enqueue(path(QStringLiteral("other.htm")));
        save(saveAnswer ? QList<int>{saveAnswer} : QList<int>{});
        QCOMPARE(messages(), saveAnswer ? 1 : 0);
        if (saveAnswer) {
            QCOMPARE(lastMessage().text, changedQuestion());
            QCOMPARE(lastMessage().style, int(Dialogs::YesNoCancel));
        }
        QTEST(t->readFile(page()), "onDisk");
        QTEST(t->readFile(path(QStringLiteral("other.htm"))), "elsewhere");
        QCOMPARE(doc()->document()->IzmT(), saveAnswer == Dialogs::Cancel ? 1 : 0);
        QCOMPARE(doc()->noticeShown(), saveAnswer == Dialogs::Cancel);
        // A later change is news again, however it was answered.
        if (saveAnswer != Dialogs::Cancel) {
            type(ed(), QStringLiteral("y"));
            writeOther("third\r\n", false, doc()->document()->NameFile());
            QTRY_VERIFY(barSays(DiskEntry::ChangedBar) || barSays(DiskEntry::ReloadedBar));
        }
    }

    // The file changes while a question of the save is up: the write waits for
    // a new answer about what is on disk now.
    void changedDuringTheSaveQuestion_data()
    {
        QTest::addColumn<bool>("closing");
        QTest::newRow("close question") << true;
        QTest::newRow("overwrite question") << false;
    }
    void changedDuringTheSaveQuestion()
    {
        QFETCH(bool, closing);
        DocWindow *d = doc();
        type(ed(), QStringLiteral("mine "));
        if (!closing) {
            writeOther("first\r\n");
            QTRY_VERIFY(barSays(DiskEntry::ChangedBar));
        }
        int shown = 0;
        t->dialogs.whileMessageShows = [&] {
            if (++shown == 1)
                writeOther("during the question\r\n");
        };
        t->dialogs.messageAnswers << int(Dialogs::Yes) << int(Dialogs::Cancel);
        if (closing)
            d->close();
        else
            save();
        t->dialogs.whileMessageShows = {};
        QCOMPARE(messages(), 2);
        QCOMPARE(lastMessage().text, changedQuestion());
        QCOMPARE(t->readFile(page()), QByteArray("during the question\r\n"));
        QVERIFY(!d->UnloadDoc());
        QCOMPARE(d->document()->IzmT(), 1);
    }

    // Deleted: told once, the text counts as changed, a save writes it again.
    // Saved before the notice came: asked first.
    void deletedOnDisk_data()
    {
        QTest::addColumn<bool>("typed");
        QTest::addColumn<bool>("beforeNotice");
        QTest::addColumn<int>("answer");
        QTest::newRow("unchanged, noticed") << false << false << 0;
        QTest::newRow("typed, noticed") << true << false << 0;
        QTest::newRow("saved at once: yes") << true << true << int(Dialogs::Yes);
        QTest::newRow("saved at once: no") << true << true << int(Dialogs::No);
    }
    void deletedOnDisk()
    {
        QFETCH(bool, typed);
        QFETCH(bool, beforeNotice);
        QFETCH(int, answer);
        if (typed)
            type(ed(), QStringLiteral("mine "));
        const QString text = ed()->text();
        QVERIFY(QFile::remove(page()));
        if (!beforeNotice) {
            QTRY_VERIFY(barSays(DiskEntry::DeletedBar));
            QCOMPARE(doc()->document()->IzmT(), 1);
            press(0);
            QTest::qWait(3 * DiskWatch::SettleMs);
            app().diskWatch->checkAll();
            QVERIFY(!doc()->noticeShown());   // once
        }
        save(answer ? QList<int>{answer} : QList<int>{});
        QCOMPARE(messages(), answer ? 1 : 0);
        if (answer)
            QCOMPARE(lastMessage().text, entry(DiskEntry::DeletedSave).arg(page()) + QStringLiteral("\r\n")
                                             + entry(DiskEntry::SaveAgain));
        const bool written = answer != Dialogs::No;
        QCOMPARE(QFileInfo::exists(page()), written);
        QCOMPARE(doc()->document()->IzmT(), written ? 0 : 1);
        QCOMPARE(ed()->text(), text);
        if (written)
            QCOMPARE(TextFile::decode(t->readFile(page())), text);
        // Closing a document whose file is gone asks.
        if (!written) {
            t->dialogs.messageAnswers.enqueue(Dialogs::Cancel);
            doc()->close();
            QCOMPARE(lastMessage().style, int(Dialogs::YesNoCancel));
        }
    }

    // Files and folders of the open documents are watched, and only those; a
    // window closed with a notice up and used again for the file tells of the next change.
    void watchFollowsTheDocuments()
    {
        QVERIFY(app().diskWatch->watched().contains(page()));
        QVERIFY(app().diskWatch->watched().contains(QDir::cleanPath(t->folder)));
        DocWindow *d = doc();
        type(ed(), QStringLiteral("mine "));
        writeOther("theirs\r\n");
        QTRY_VERIFY(barSays(DiskEntry::ChangedBar));
        t->dialogs.messageAnswers.enqueue(Dialogs::No);   // close without saving
        d->close();
        QVERIFY(d->UnloadDoc());
        QCOMPARE(app().diskWatch->watched(), QStringList());
        QVERIFY(app().files->OpenFileDoc(page()));
        QCOMPARE(doc(), d);
        type(ed(), QStringLiteral("again "));
        writeOther("theirs again\r\n");
        QTRY_VERIFY(barSays(DiskEntry::ChangedBar));
    }
};

QTEST_MAIN(TestDiskWatchGui)
#include "test_diskwatch_gui.moc"
