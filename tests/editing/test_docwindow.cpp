// The document window driven by real key events: the undo history, the editor's
// own keys, pasting, the editor options and the close prompt.
#include "common/GuiFixture.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QMimeData>
#include <QtTest>

using namespace gui;

class TestDocWindow : public QObject, GuiFixture {
    Q_OBJECT

    void undo() { QTest::keyClick(ed(), Qt::Key_Z, Qt::ControlModifier); }
    // The face the system's fixed-width font resolves to.
    static QString fixedFamily() { return QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family(); }
    bool run(const char *command) { return f->trigger(QString::fromLatin1(command)); }
    // Whether the item is enabled after the Edit menu ran its drop-down update.
    bool enabled(const char *name)
    {
        emit f->menu(QStringLiteral("mnuEdit"))->aboutToShow();
        const QAction *a = f->action(QString::fromLatin1(name));
        return a && a->isEnabled();
    }

private slots:
    void init() { QVERIFY(startApp() && doc()); }
    void cleanup() { stopApp(); }

    void undoRingKeepsTheNewestHundredStates()
    {
        put(QStringLiteral("|"));
        QTest::keyClick(ed(), Qt::Key_Backspace);    // changes nothing, records nothing
        QVERIFY(!enabled("mnuEditUndo") && !enabled("mnuEditRedo") && doc()->document()->IzmT() == 0);
        const QString typed = QStringLiteral("abcdefghijklmnopqrstuvwxyz").repeated(5).left(105);
        type(ed(), typed);
        QVERIFY(enabled("mnuEditUndo") && !enabled("mnuEditRedo") && doc()->document()->IzmT() == 1);
        int steps = 0;
        for (; doc()->document()->IzmUndo() && steps < 200; ++steps)
            undo();
        QCOMPARE(steps, 99);   // 100 states: the newest and 99 older ones; the first five keys fell out
        undo();
        QCOMPARE(shown(), typed.left(6) + u'|');
        QVERIFY(!enabled("mnuEditUndo") && enabled("mnuEditRedo"));
        QVERIFY(run("mnuEditRedo"));
        QTest::keyClick(ed(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(shown(), typed.left(8) + u'|');
        type(ed(), QStringLiteral("Z"));   // a new change drops what could have been redone
        QVERIFY(!doc()->document()->IzmRedo() && !enabled("mnuEditRedo"));
    }

    void editorKeys_data()
    {
        QTest::addColumn<bool>("script");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Ctrl+Space") << false << "a|b" << "Ctrl+Space" << "a&nbsp;|b";
        QTest::newRow("Ctrl+Enter") << false << "a|b" << "Ctrl+Return" << "a<br>|b";
        QTest::newRow("Ctrl+B") << false << "a|b" << "Ctrl+B" << "a<b>|</b>b";
        for (int n = 1; n <= 6; ++n)
            QTest::addRow("Ctrl+%d", n) << false << "a|b" << QStringLiteral("Ctrl+%1").arg(n)
                                        << QStringLiteral("a<h%1>|</h%1>b").arg(n);
        QTest::newRow("Ctrl+3 over a selection") << false << "one [two] three" << "Ctrl+3" << "one <h3>|</h3> three";
        QTest::newRow("script call") << true << "');|" << "Return" << "');\r\ndocument.write('|');";
        QTest::newRow("script, caret inside") << true << "')|;" << "Return" << "')\r\n|;";
        QTest::newRow("script, Shift+Enter") << true << "a');|" << "Shift+Return" << "a');\r\n|";
        QTest::newRow("page Enter") << false << "x');|" << "Return" << "x');\r\n|";
        QTest::newRow("space over URL") << false << "<a href=\"[URL]\">" << "Space" << "<a href=\"http://www.|\">";
        QTest::newRow("space over other text") << false << "a [url] b" << "Space" << "a  | b";
    }
    void editorKeys()
    {
        QFETCH(bool, script);
        QFETCH(QString, text);
        QFETCH(QString, key);
        if (script)
            QVERIFY(run("mnuFileScriptNew") && doc()->document()->Script());
        put(text);
        const QKeyCombination k = QKeySequence(key)[0];
        QVERIFY(k.key() != Qt::Key_unknown);
        QTest::keyClick(ed(), k.key(), k.keyboardModifiers());
        QTEST(shown(), "expected");
        QCOMPARE(doc()->document()->IzmT(), 1);
    }

    void lessThanTypesWhenTheTagListIsOff()
    {
        put(QStringLiteral("a|b"));
        QVERIFY(run("mnuOptionsListTags") && !f->isChecked(QStringLiteral("mnuOptionsListTags")));
        QVERIFY(!app().listTags.value());
        type(ed(), QStringLiteral("<"));
        QCOMPARE(shown(), QStringLiteral("a<|b"));
        // The option and its check mark follow each other, whoever changes it.
        app().listTags.set(true);
        QVERIFY(f->isChecked(QStringLiteral("mnuOptionsListTags")));
        f->setChecked(QStringLiteral("mnuOptionsListTags"), false);
        QVERIFY(!app().listTags.value());
        type(ed(), QStringLiteral("<"));
        QCOMPARE(shown(), QStringLiteral("a<<|b"));
    }

    void shiftF10ShowsTheEditMenu()
    {
        put(QStringLiteral("te|xt"));
        QMenu *edit = f->menu(QStringLiteral("mnuEdit"));
        QTest::keyClick(ed(), Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(edit->isVisible());
        QCOMPARE(ed()->text(), QStringLiteral("text"));
        edit->close();
        QTRY_VERIFY(!edit->isVisible());
        QTest::mouseRelease(ed()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
        QTRY_VERIFY(edit->isVisible());
    }

    // Other programs here take LF line breaks: Copy and Cut give them, and the
    // text copied comes back unchanged by a paste.
    void copyAndCutGiveLfBreaks()
    {
        put(QStringLiteral("[one\r\ntwo\r\n\r\nthree]\r\nrest"));
        QVERIFY(run("mnuEditCopy"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("one\ntwo\n\nthree"));
        QVERIFY(run("mnuEditCut"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("one\ntwo\n\nthree"));
        QCOMPARE(shown(), QStringLiteral("|\r\nrest"));
        QVERIFY(run("mnuEditPaste"));
        QCOMPARE(shown(), QStringLiteral("one\r\ntwo\r\n\r\nthree|\r\nrest"));
    }

    void pastePlainText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("clipText");   // "-": a picture, no text
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("expected");
        QTest::newRow("LF becomes CR LF") << "[one]\r\ntwo" << "x\ny" << "" << "x\r\ny|\r\ntwo";
        QTest::newRow("mixed breaks") << "|" << "a\r\nb\nc\rd\n\r" << "" << "a\r\nb\r\nc\r\nd\r\n\r\n|";
        QTest::newRow("NUL dropped") << "|one" << QString(QStringLiteral("a") + QChar(0) + u'b') << "" << "ab|one";
        QTest::newRow("rich text") << "|one" << "cell" << "<td><b>cell</b></td>" << "cell|one";
        QTest::newRow("no text, nothing selected") << "on|e" << "-" << "" << "on|e";
        QTest::newRow("no text, selection deleted") << "one[\r\ntwo] three" << "-" << "" << "one| three";
    }
    void pastePlainText()
    {
        QFETCH(QString, text);
        QFETCH(QString, clipText);
        QFETCH(QString, html);
        auto *data = new QMimeData;
        if (clipText == u'-')
            data->setImageData(QImage(4, 4, QImage::Format_RGB32));
        else
            data->setText(clipText);
        if (!html.isEmpty())
            data->setHtml(html);
        QApplication::clipboard()->setMimeData(data);
        put(text);
        const QString loaded = ed()->text();
        QTest::keyClick(ed(), Qt::Key_V, Qt::ControlModifier);
        QTEST(shown(), "expected");
        QCOMPARE(doc()->document()->IzmT(), ed()->text() == loaded ? 0 : 1);
        if (doc()->document()->IzmT()) {   // one paste is one undo step
            undo();
            QCOMPARE(ed()->text(), loaded);
        }
    }

    // The stored default "MS Sans Serif" (bold) is a Windows face: the editor shows
    // the system's fixed-width face at the stored size, not bold, and the font
    // dialog says so in its title; OK on it keeps the setting. A face the user
    // picks is used as it is. Font and word wrap reach every open editor and the
    // next new one, and leave texts and their changed marks alone.
    void editorFontAndWrap()
    {
        QVERIFY(run("mnuFileNew") && run("mnuFileScriptNew"));
        DocWindow *changed = app().docs.slot(1);
        f->activateDoc(changed);
        type(changed->Rich(), QStringLiteral("ab"));
        const QString text = changed->Rich()->text();
        const Settings &s = app().settings;
        const QFont shown = ed()->font();
        QCOMPARE(shown.family(), fixedFamily());
        const QFontMetrics widths(shown);   // (fontconfig leaves fixedPitch() unset for some mono faces)
        QCOMPARE(widths.horizontalAdvance(u'i'), widths.horizontalAdvance(u'W'));
        QVERIFY(shown.pointSize() == 12 && !shown.bold() && !shown.italic());

        t->dialogs.fontAnswers.enqueue(std::nullopt);   // cancel changes nothing
        QVERIFY(run("mnuEditFont"));
        const FontChoice &start = t->dialogs.lastFontStart;   // the dialog starts from the font shown
        QVERIFY(start.family == fixedFamily() && start.pointSize == 12 && !start.bold && !start.italic);
        QVERIFY(s.EditorFontName == QStringLiteral("MS Sans Serif") && ed()->font() == shown);
        // OK on the face offered: nothing picked, the setting stays.
        t->dialogs.fontAnswers.enqueue(FontChoice{fixedFamily(), 12, false, false});
        QVERIFY(run("mnuEditFont"));
        QCOMPARE(t->dialogs.last(QStringLiteral("font")).title,
                 QStringLiteral("Font: MS Sans Serif is not installed, the editor shows ") + fixedFamily());
        QVERIFY(s.EditorFontName == QStringLiteral("MS Sans Serif") && s.EditorFontSize == 12 && s.EditorFontBold);
        for (DocWindow *d : app().docs.open())
            QCOMPARE(d->Rich()->font(), shown);
        // A bigger size of it is a choice: stored as picked.
        t->dialogs.fontAnswers.enqueue(FontChoice{fixedFamily(), 16, true, false});
        QVERIFY(run("mnuEditFont"));
        QVERIFY(s.EditorFontName == fixedFamily() && s.EditorFontSize == 16 && s.EditorFontBold);
        // An installed face starts the dialog as it is, without a note.
        t->dialogs.fontAnswers.enqueue(FontChoice{QStringLiteral("DejaVu Sans Mono"), 14, false, true});
        QVERIFY(run("mnuEditFont"));
        QCOMPARE(t->dialogs.last(QStringLiteral("font")).title, QString());
        QVERIFY(start.family == fixedFamily() && start.pointSize == 16 && start.bold);
        QVERIFY(s.EditorFontName == QStringLiteral("DejaVu Sans Mono") && s.EditorFontSize == 14);
        QVERIFY(!s.EditorFontBold && s.EditorFontItalic);
        for (auto mode : {QPlainTextEdit::NoWrap, QPlainTextEdit::WidgetWidth}) {
            QVERIFY(run("mnuEditPerenosWord"));
            QCOMPARE(app().settings.WrapMode, mode == QPlainTextEdit::NoWrap ? 1 : 0);
            QCOMPARE(f->isChecked(QStringLiteral("mnuEditPerenosWord")), mode == QPlainTextEdit::WidgetWidth);
            QVERIFY(run("mnuFileNew"));   // a new document comes with the chosen font and wrap
            for (DocWindow *d : app().docs.open()) {
                QCOMPARE(d->Rich()->lineWrapMode(), mode);
                const QFont font = d->Rich()->font();
                QCOMPARE(font.family(), QStringLiteral("DejaVu Sans Mono"));
                QVERIFY(font.pointSize() == 14 && !font.bold() && font.italic());
            }
        }
        QVERIFY(app().docs.slot(0)->document()->IzmT() == 0 && changed->document()->IzmT() == 1);
        QCOMPARE(changed->Rich()->text(), text);
    }

    void closePrompt_data()
    {
        QTest::addColumn<int>("file");       // 0: untitled, saved through Save As; 1: a file; 2: its folder goes, saving fails
        QTest::addColumn<int>("answer");     // 0: nothing typed, nothing asked
        QTest::addColumn<QString>("saveAs");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QByteArray>("onDisk");
        const QByteArray old("old\r\n");
        QTest::newRow("unchanged") << 1 << 0 << "" << true << old;
        QTest::newRow("Cancel") << 1 << int(Dialogs::Cancel) << "" << false << old;
        QTest::newRow("No") << 1 << int(Dialogs::No) << "" << true << old;
        QTest::newRow("Yes") << 1 << int(Dialogs::Yes) << "" << true << QByteArray("new old\r\n");
        QTest::newRow("Yes, untitled") << 0 << int(Dialogs::Yes) << "mine.htm" << true << QByteArray("new body\r\n");
        QTest::newRow("Save As cancelled") << 0 << int(Dialogs::Yes) << "" << false << QByteArray();
        QTest::newRow("save fails") << 2 << int(Dialogs::Yes) << "" << false << old;
    }
    void closePrompt()
    {
        QFETCH(int, file);
        QFETCH(int, answer);
        QFETCH(QString, saveAs);
        QFETCH(bool, closed);
        const QString path = t->folder + QStringLiteral("sub/page.htm");
        QVERIFY(QDir(t->folder).mkdir(QStringLiteral("sub")));
        if (file) {
            t->writeFile(QStringLiteral("sub/page.htm"), "old\r\n");
            app().files->OpenFileDoc(path);
            QCOMPARE(doc()->document()->NameFile(), path);
        } else {
            put(QStringLiteral("|body"));
        }
        DocWindow *d = doc();
        if (answer)
            type(ed(), QStringLiteral("new "));
        const QString text = ed()->text(), caption = d->document()->txtCaption();
        const int open = app().docs.OpenDocCount;
        if (file == 2)
            QVERIFY(QDir(t->folder).rename(QStringLiteral("sub"), QStringLiteral("gone")));
        t->dialogs.messageAnswers.enqueue(answer);
        if (file == 2)   // the file is gone: write it there again?
            t->dialogs.messageAnswers.enqueue(Dialogs::Yes);
        t->dialogs.fileAnswers.enqueue(saveAs.isEmpty() ? QString() : t->folder + saveAs);
        d->close();

        QCOMPARE(t->dialogs.count(QStringLiteral("message")), !answer ? 0 : file == 2 ? 3 : 1);
        if (answer) {
            QCOMPARE(t->dialogs.asked.value(0).style, int(Dialogs::YesNoCancel));
            QCOMPARE(t->dialogs.asked.value(0).text, QStringLiteral("[98]\r\n") + caption);
        }
        const bool saveAsked = !file && answer == Dialogs::Yes;
        QCOMPARE(t->dialogs.count(QStringLiteral("save")), int(saveAsked));
        if (saveAsked)
            QCOMPARE(t->dialogs.last(QStringLiteral("save")).text, QStringLiteral("[2]1"));
        if (file == 2) {
            const auto error = t->dialogs.last(QStringLiteral("message"));
            QCOMPARE(error.style, int(Dialogs::Critical));
            QCOMPARE(error.text, QStringLiteral("[3] ") + path + QStringLiteral(" [94]"));
        }
        QCOMPARE(d->UnloadDoc(), closed);
        QCOMPARE(app().docs.OpenDocCount, open - int(closed));
        if (!closed)   // the document stays as it was
            QVERIFY(d->document()->IzmT() == 1 && d->Rich()->text() == text);
        const QString onDisk = file ? QStringLiteral("%1/page.htm").arg(file == 2 ? "gone" : "sub") : saveAs;
        if (!onDisk.isEmpty())
            QTEST(t->readFile(onDisk), "onDisk");
    }
};

QTEST_MAIN(TestDocWindow)
#include "test_docwindow.moc"
