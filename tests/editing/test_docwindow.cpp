// The document window driven by real key events: the undo history, the editor's
// own keys and the close prompt.
#include "editing/GuiSupport.h"

#include "app/AppState.h"
#include "files/FileCommands.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMimeData>
#include <QtTest>

using namespace gui;

class TestDocWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> t;
    frmMain *f = nullptr;

    DocWindow *doc() const { return t->active(); }
    EditControl *ed() const { return t->editor(); }

private slots:
    void init()
    {
        t = std::make_unique<TestApp>();
        f = startProgram(*t);
        QVERIFY(f);
        QVERIFY(doc());
    }
    void cleanup()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (qobject_cast<QMenu *>(w))
                w->hide();
        t.reset();
    }

    // ---- undo history ----

    void typingIntoFreshDocumentMarksItChanged()
    {
        const QString loaded = ed()->text();
        QCOMPARE(doc()->IzmT, 0);
        openEditMenu(f);
        QVERIFY(!enabled(f, "mnuEditUndo"));
        QVERIFY(!enabled(f, "mnuEditRedo"));

        ed()->setSelStart(5);
        type(ed(), QStringLiteral("x"));
        QCOMPARE(doc()->IzmT, 1);
        QVERIFY(doc()->IzmUndo);
        openEditMenu(f);
        QVERIFY(enabled(f, "mnuEditUndo"));
        QVERIFY(!enabled(f, "mnuEditRedo"));

        QTest::keyClick(ed(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ed()->text(), loaded);
        // The oldest state comes back with the caret it was loaded with.
        QCOMPARE(ed()->selStart(), 0);
        QVERIFY(!doc()->IzmUndo);
        QVERIFY(doc()->IzmRedo);
        openEditMenu(f);
        QVERIFY(!enabled(f, "mnuEditUndo"));
        QVERIFY(enabled(f, "mnuEditRedo"));
    }

    void undoRingKeepsTheNewestHundredStates()
    {
        load(doc(), QString());
        QString typed;
        for (int i = 0; i < 105; ++i)
            typed += QChar(u'a' + i % 26);
        type(ed(), typed);
        QCOMPARE(ed()->text(), typed);

        int steps = 0;
        while (doc()->IzmUndo && steps < 200) {
            QTest::keyClick(ed(), Qt::Key_Z, Qt::ControlModifier);
            ++steps;
        }
        // 100 states: the newest and 99 older ones; the first five keys fell out.
        QCOMPARE(steps, 99);
        QCOMPARE(ed()->text(), typed.left(6));
        QCOMPARE(ed()->selStart(), 6);
        QTest::keyClick(ed(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ed()->text(), typed.left(6));

        // Redo walks forward again, through the menu and through Ctrl+Y.
        QVERIFY(t->frame->trigger(QStringLiteral("mnuEditRedo")));
        QTest::keyClick(ed(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(ed()->text(), typed.left(8));
        QCOMPARE(ed()->selStart(), 8);

        // A new change drops the states that could have been redone.
        type(ed(), QStringLiteral("Z"));
        QCOMPARE(ed()->text(), typed.left(8) + u'Z');
        QVERIFY(!doc()->IzmRedo);
        openEditMenu(f);
        QVERIFY(!enabled(f, "mnuEditRedo"));
        QTest::keyClick(ed(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ed()->text(), typed.left(8));
        QVERIFY(doc()->IzmRedo);
        QVERIFY(t->frame->trigger(QStringLiteral("mnuEditRedo")));
        QCOMPARE(ed()->text(), typed.left(8) + u'Z');
        QVERIFY(!doc()->IzmRedo);
    }

    void undoReturnsToTheLoadedTextAcrossLineBreaks()
    {
        const QString loaded = QStringLiteral("first\r\nsecond\r\nthird");
        load(doc(), loaded, 7);
        const QStringList states = {loaded};
        type(ed(), QStringLiteral("ab\nc"));
        QCOMPARE(ed()->text(), QStringLiteral("first\r\nab\r\ncsecond\r\nthird"));
        QTest::keyClick(ed(), Qt::Key_Backspace);
        QTest::keyClick(ed(), Qt::Key_Backspace);
        QCOMPARE(ed()->text(), QStringLiteral("first\r\nabsecond\r\nthird"));
        QCOMPARE(ed()->selStart(), 9);
        // Delete joins two lines: both characters of the break go.
        ed()->setSelStart(ed()->text().indexOf(u'\r', 9));
        QTest::keyClick(ed(), Qt::Key_Delete);
        QCOMPARE(ed()->text(), QStringLiteral("first\r\nabsecondthird"));

        const QStringList back = {
            QStringLiteral("first\r\nabsecond\r\nthird"),
            QStringLiteral("first\r\nab\r\nsecond\r\nthird"),
            QStringLiteral("first\r\nab\r\ncsecond\r\nthird"),
            QStringLiteral("first\r\nab\r\nsecond\r\nthird"),
            QStringLiteral("first\r\nabsecond\r\nthird"),
            QStringLiteral("first\r\nasecond\r\nthird"),
            loaded,
        };
        for (const QString &expected : back) {
            QTest::keyClick(ed(), Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(ed()->text(), expected);
        }
        QCOMPARE(ed()->selStart(), 7);
        QVERIFY(!doc()->IzmUndo);
        for (int i = 0; i < int(back.size()); ++i)
            QVERIFY(t->frame->trigger(QStringLiteral("mnuEditRedo")));
        QCOMPARE(ed()->text(), QStringLiteral("first\r\nabsecondthird"));
        QVERIFY(!doc()->IzmRedo);
    }

    void editingKeysAreOneStepEach()
    {
        load(doc(), QStringLiteral("alpha beta\r\ngamma"));
        // Keys that change nothing record nothing.
        QTest::keyClick(ed(), Qt::Key_Backspace);
        ed()->setSelStart(ed()->textLength());
        QTest::keyClick(ed(), Qt::Key_Delete);
        QTest::keyClick(ed(), Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(ed(), Qt::Key_Home);
        QCOMPARE(doc()->IzmT, 0);
        QVERIFY(!doc()->IzmUndo);

        // Typing over a selection, a word deleted backwards, a selection deleted.
        select(ed(), 0, 5);
        type(ed(), QStringLiteral("A"));
        QCOMPARE(ed()->text(), QStringLiteral("A beta\r\ngamma"));
        ed()->setSelStart(6);
        QTest::keyClick(ed(), Qt::Key_Backspace, Qt::ControlModifier);
        QCOMPARE(ed()->text(), QStringLiteral("A \r\ngamma"));
        select(ed(), 1, 3);
        QTest::keyClick(ed(), Qt::Key_Delete);
        QCOMPARE(ed()->text(), QStringLiteral("Agamma"));
        QCOMPARE(ed()->selStart(), 1);

        QTest::keyClick(ed(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ed()->text(), QStringLiteral("A \r\ngamma"));
        QTest::keyClick(ed(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ed()->text(), QStringLiteral("A beta\r\ngamma"));
        QTest::keyClick(ed(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ed()->text(), QStringLiteral("alpha beta\r\ngamma"));
        QVERIFY(!doc()->IzmUndo);
    }

    void editMenuFollowsTheSelection()
    {
        load(doc(), QStringLiteral("some text"));
        openEditMenu(f);
        QVERIFY(!enabled(f, "mnuEditCut"));
        QVERIFY(!enabled(f, "mnuEditCopy"));
        QVERIFY(!enabled(f, "mnuEditDelete"));
        select(ed(), 0, 4);
        openEditMenu(f);
        QVERIFY(enabled(f, "mnuEditCut"));
        QVERIFY(enabled(f, "mnuEditCopy"));
        QVERIFY(enabled(f, "mnuEditDelete"));
        QVERIFY(t->frame->trigger(QStringLiteral("mnuEditSelectAll")));
        QCOMPARE(ed()->selLength(), ed()->textLength());
    }

    // ---- the editor's own keys ----

    void ctrlSpaceInsertsNbspAndNoSpace()
    {
        load(doc(), QStringLiteral("ab"), 1);
        QTest::keyClick(ed(), Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(ed()->text(), QStringLiteral("a&nbsp;b"));
        QCOMPARE(ed()->selStart(), 7);
        // The next character is typed as usual.
        type(ed(), QStringLiteral(" "));
        QCOMPARE(ed()->text(), QStringLiteral("a&nbsp; b"));
    }

    void ctrlEnterInsertsBrAndNoLineBreak()
    {
        load(doc(), QStringLiteral("ab"), 1);
        QTest::keyClick(ed(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(ed()->text(), QStringLiteral("a<br>b"));
        QCOMPARE(ed()->selStart(), 5);
        QTest::keyClick(ed(), Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(ed()->text(), QStringLiteral("a<br><br>b"));
    }

    void ctrlBPutsTheCaretBetweenTheTags()
    {
        load(doc(), QStringLiteral("ab"), 1);
        QTest::keyClick(ed(), Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(ed()->text(), QStringLiteral("a<b></b>b"));
        QCOMPARE(ed()->selStart(), 4);
        type(ed(), QStringLiteral("x"));
        QCOMPARE(ed()->text(), QStringLiteral("a<b>x</b>b"));
    }

    void ctrlDigitInsertsAHeading_data()
    {
        QTest::addColumn<int>("n");
        for (int n = 1; n <= 6; ++n)
            QTest::addRow("h%d", n) << n;
    }
    void ctrlDigitInsertsAHeading()
    {
        QFETCH(int, n);
        load(doc(), QStringLiteral("ab"), 1);
        QTest::keyClick(ed(), Qt::Key(Qt::Key_0 + n), Qt::ControlModifier);
        QCOMPARE(ed()->text(), QStringLiteral("a<h%1></h%1>b").arg(n));
        QCOMPARE(ed()->selStart(), 5);
    }

    void ctrl3ReplacesTheSelection()
    {
        load(doc(), QStringLiteral("one two three"));
        select(ed(), 4, 3);
        QTest::keyClick(ed(), Qt::Key_3, Qt::ControlModifier);
        QCOMPARE(ed()->text(), QStringLiteral("one <h3></h3> three"));
        QCOMPARE(ed()->selStart(), 8);
        QCOMPARE(ed()->selLength(), 0);
    }

    void ctrlVPastesPlainTextOnly()
    {
        load(doc(), QStringLiteral("[]"), 1);
        auto *data = new QMimeData;
        data->setHtml(QStringLiteral("<b>bold</b> <i>rich</i>"));
        data->setText(QStringLiteral("plain\r\ntext"));
        QApplication::clipboard()->setMimeData(data);
        QTest::keyClick(ed(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(ed()->text(), QStringLiteral("[plain\r\ntext]"));
        QCOMPARE(ed()->selStart(), 12);
        QCOMPARE(doc()->IzmT, 1);
        // One paste is one undo step.
        QTest::keyClick(ed(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ed()->text(), QStringLiteral("[]"));
    }

    void shiftF10ShowsTheEditMenu()
    {
        load(doc(), QStringLiteral("text"), 2);
        QMenu *edit = f->menu(QStringLiteral("mnuEdit"));
        QVERIFY(!edit->isVisible());
        QTest::keyClick(ed(), Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(edit->isVisible());
        QCOMPARE(ed()->text(), QStringLiteral("text"));
        edit->close();
        QTRY_VERIFY(!edit->isVisible());

        // Releasing the right mouse button over the text shows it as well.
        QTest::mouseRelease(ed()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
        QTRY_VERIFY(edit->isVisible());
        edit->close();
    }

    void enterAfterScriptCallStartsANewCall()
    {
        QVERIFY(t->frame->trigger(QStringLiteral("mnuFileScriptNew")));
        QVERIFY(doc()->Script);
        QCOMPARE(ed()->selStart(), FileCommands::NewScriptCaret);
        const QString line1 = FileCommands::newScriptText().section(QStringLiteral("\r\n"), 0, 0);
        ed()->setSelStart(int(line1.size()));
        QTest::keyClick(ed(), Qt::Key_Return);
        QCOMPARE(ed()->text(), line1 + QStringLiteral("\r\ndocument.write('');\r\ndocument.write('');"));
        QCOMPARE(ed()->selStart(), int(line1.size()) + 18);
        type(ed(), QStringLiteral("hi"));
        QCOMPARE(ed()->text(), line1 + QStringLiteral("\r\ndocument.write('hi');\r\ndocument.write('');"));

        // Shift+Enter and a caret without "');" before it give a plain line break.
        load(doc(), QStringLiteral("a');"), 4);
        QTest::keyClick(ed(), Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(ed()->text(), QStringLiteral("a');\r\n"));
        load(doc(), QStringLiteral("');"), 2);
        QTest::keyClick(ed(), Qt::Key_Return);
        QCOMPARE(ed()->text(), QStringLiteral("')\r\n;"));
        // Exactly three characters before the caret are enough.
        load(doc(), QStringLiteral("');"), 3);
        QTest::keyClick(ed(), Qt::Key_Return);
        QCOMPARE(ed()->text(), QStringLiteral("');\r\ndocument.write('');"));
    }

    void enterInAPageIsAPlainLineBreak()
    {
        QVERIFY(!doc()->Script);
        load(doc(), QStringLiteral("x');"), 4);
        QTest::keyClick(ed(), Qt::Key_Return);
        QCOMPARE(ed()->text(), QStringLiteral("x');\r\n"));
        QCOMPARE(ed()->selStart(), 6);
    }

    void spaceOverSelectedUrlGivesTheAddressStart()
    {
        load(doc(), QStringLiteral("<a href=\"URL\">"));
        select(ed(), 9, 3);
        type(ed(), QStringLiteral(" "));
        QCOMPARE(ed()->text(), QStringLiteral("<a href=\"http://www.\">"));
        QCOMPARE(ed()->selStart(), 20);
        type(ed(), QStringLiteral("a"));
        QCOMPARE(ed()->text(), QStringLiteral("<a href=\"http://www.a\">"));

        // Any other selection is replaced by the space.
        load(doc(), QStringLiteral("a url b"));
        select(ed(), 2, 3);
        type(ed(), QStringLiteral(" "));
        QCOMPARE(ed()->text(), QStringLiteral("a   b"));
    }

    void lessThanTypesWhenTheTagListIsOff()
    {
        load(doc(), QStringLiteral("ab"), 1);
        QVERIFY(f->isChecked(QStringLiteral("mnuOptionsListTags")));
        QVERIFY(t->frame->trigger(QStringLiteral("mnuOptionsListTags")));
        QVERIFY(!f->isChecked(QStringLiteral("mnuOptionsListTags")));
        type(ed(), QStringLiteral("<"));
        QCOMPARE(ed()->text(), QStringLiteral("a<b"));
        QCOMPARE(ed()->selStart(), 2);
        QCOMPARE(doc()->IzmT, 1);

        // With the option on the list takes the "<" and inserts the tag itself.
        // The check mark decides, also when it is set without the command.
        f->setChecked(QStringLiteral("mnuOptionsListTags"), true);
        type(ed(), QStringLiteral("<"));
        QCOMPARE(ed()->text(), QStringLiteral("a<b"));
    }

    // ---- closing ----

    void unchangedDocumentClosesWithoutAsking()
    {
        DocWindow *d = doc();
        d->close();
        QCOMPARE(t->dialogs.count(QStringLiteral("message")), 0);
        QVERIFY(d->UnloadDoc);
        QCOMPARE(app().docs.OpenDocCount, 0);
    }

    void cancelKeepsTheChangedDocument()
    {
        DocWindow *d = doc();
        type(ed(), QStringLiteral("x"));
        const QString text = ed()->text();
        t->dialogs.messageAnswers.enqueue(Dialogs::Cancel);
        d->close();
        const auto asked = t->dialogs.last(QStringLiteral("message"));
        QCOMPARE(asked.style, int(Dialogs::YesNoCancel));
        QCOMPARE(asked.text, QStringLiteral("\r\n") + d->txtCaption);
        QVERIFY(!d->UnloadDoc);
        QCOMPARE(app().docs.OpenDocCount, 1);
        QCOMPARE(ed()->text(), text);
        QCOMPARE(d->IzmT, 1);
    }

    void noClosesWithoutSaving()
    {
        const QString path = t->folder + QStringLiteral("page.htm");
        t->writeFile(QStringLiteral("page.htm"), "old\r\n");
        FileCommands::OpenFileDoc(path, 0);
        DocWindow *d = doc();
        QCOMPARE(d->NameFile, path);
        type(ed(), QStringLiteral("new "));
        t->dialogs.messageAnswers.enqueue(Dialogs::No);
        d->close();
        QVERIFY(d->UnloadDoc);
        QCOMPARE(t->readFile(path), QByteArray("old\r\n"));
    }

    void yesSavesAFiledDocumentThenCloses()
    {
        const QString path = t->folder + QStringLiteral("page.htm");
        t->writeFile(QStringLiteral("page.htm"), "old\r\n");
        FileCommands::OpenFileDoc(path, 0);
        DocWindow *d = doc();
        type(ed(), QStringLiteral("new "));
        t->dialogs.messageAnswers.enqueue(Dialogs::Yes);
        d->close();
        QVERIFY(d->UnloadDoc);
        QCOMPARE(t->readFile(path), QByteArray("new old\r\n"));
        QCOMPARE(t->dialogs.count(QStringLiteral("save")), 0);
    }

    void yesOnAnUntitledDocumentRunsSaveAs()
    {
        DocWindow *d = doc();
        load(d, QStringLiteral("body"));
        type(ed(), QStringLiteral("my "));
        const QString path = t->folder + QStringLiteral("mine.htm");
        t->dialogs.messageAnswers.enqueue(Dialogs::Yes);
        t->dialogs.fileAnswers.enqueue(path);
        d->close();
        QCOMPARE(t->dialogs.last(QStringLiteral("save")).text, QStringLiteral("1"));
        QVERIFY(d->UnloadDoc);
        QCOMPARE(t->readFile(path), QByteArray("my body\r\n"));
    }

    void cancelledSaveAsKeepsTheDocumentOpen()
    {
        DocWindow *d = doc();
        type(ed(), QStringLiteral("precious "));
        const QString text = ed()->text();
        t->dialogs.messageAnswers.enqueue(Dialogs::Yes);
        t->dialogs.fileAnswers.enqueue(QString());  // the user cancels Save As
        d->close();
        QCOMPARE(t->dialogs.count(QStringLiteral("save")), 1);
        QVERIFY(!d->UnloadDoc);
        QCOMPARE(app().docs.OpenDocCount, 1);
        QCOMPARE(ed()->text(), text);
        QCOMPARE(d->IzmT, 1);
    }

    void failedSaveKeepsTheDocumentOpen()
    {
        QDir(t->folder).mkdir(QStringLiteral("sub"));
        const QString path = t->folder + QStringLiteral("sub/page.htm");
        t->writeFile(QStringLiteral("sub/page.htm"), "old\r\n");
        FileCommands::OpenFileDoc(path, 0);
        DocWindow *d = doc();
        type(ed(), QStringLiteral("new "));
        QVERIFY(QDir(t->folder).rename(QStringLiteral("sub"), QStringLiteral("gone")));
        t->dialogs.messageAnswers.enqueue(Dialogs::Yes);
        d->close();
        const auto error = t->dialogs.last(QStringLiteral("message"));
        QCOMPARE(error.style, int(Dialogs::Critical));
        QVERIFY2(error.text.startsWith(QStringLiteral("File ") + path + u' '), qPrintable(error.text));
        QVERIFY(!d->UnloadDoc);
        QCOMPARE(d->IzmT, 1);
        QCOMPARE(ed()->text(), QStringLiteral("new old\r\n"));
        QCOMPARE(t->readFile(t->folder + QStringLiteral("gone/page.htm")), QByteArray("old\r\n"));
    }
};

QTEST_MAIN(TestDocWindow)
#include "test_docwindow.moc"
