// The find window and Tags > Go to line (Ctrl+G) through the real main frame,
// editors and keys, with message boxes answered from a queue.
#include "common/GuiFixture.h"

#include "lang/LanguageLoader.h"
#include "search/SearchCommands.h"
#include "search/frmFind.h"
#include "search/frmFoundLine.h"

#include <QtTest>
#include <QtWidgets>

static QString s(const char *text) { return QString::fromUtf8(text); }

class TestSearchGui : public QObject, GuiFixture {
    Q_OBJECT

    frmFind *fw() { return app().searchCommands->findWindow(); }
    bool findShown() { return fw() && fw()->isVisible(); }
    QString selected() { return ed()->text().mid(ed()->selStart(), ed()->selLength()); }
    // Edit > Find (Ctrl+F) or Replace (Ctrl+H) from the editor's keyboard.
    void open(bool replace)
    {
        activateFrame();
        QTest::keyClick(ed(), replace ? Qt::Key_H : Qt::Key_F, Qt::ControlModifier);
        QVERIFY(findShown());
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(fw()));
    }
    QList<QWidget *> replaceControls() { return {fw()->txtReplace, fw()->lblReplace, fw()->cmdReplaceAll, fw()->chOpenFile}; }
    QWidget *startBox() { return fw()->lstFindStart->lineEdit(); }
    // Opens the window, types the texts and presses Enter in the start box.
    void find(const QString &start, const QString &end = QString())
    {
        open(false);
        fw()->lstFindStart->setEditText(QString());
        gui::type(startBox(), start);
        fw()->lstFindEnd->setEditText(end);
        QTest::keyClick(startBox(), Qt::Key_Return);
        QVERIFY(!findShown());
    }
    void findNext() { QTest::keyClick(ed(), Qt::Key_F3); }
    // Replace from the replace window with the given button.
    void replace(const QString &start, const QString &with, bool all, bool allDocs = false, const QString &end = QString())
    {
        open(true);
        fw()->lstFindStart->setEditText(start);
        fw()->lstFindEnd->setEditText(end);
        fw()->txtReplace->setPlainText(with);
        fw()->chOpenFile->setChecked(allDocs);
        QTest::mouseClick(all ? fw()->cmdReplaceAll : fw()->cmdReplace1Raz, Qt::LeftButton);
        QVERIFY(!findShown());
    }
    DocWindow *newDocument(const QString &text)
    {
        t->command(QStringLiteral("mnuFileNew"));
        gui::load(t->active(), text);
        return t->active();
    }

    frmFoundLine *openGoToLine()
    {
        activateFrame();
        QTest::keyClick(ed(), Qt::Key_G, Qt::ControlModifier);
        for (auto *d : t->frame->findChildren<frmFoundLine *>())
            if (d->isVisible())
                return d;
        return nullptr;
    }

private slots:
    void init() { QVERIFY(startApp() && ed()); }
    void cleanup() { stopApp(); }

    // The selection becomes the start text; the three actions need a start text.
    // Find next before any search opens the find window.
    void prefillAndEnabling()
    {
        setText(QStringLiteral("one\r\n<DIV>\r\ntwo"), 5, 5);
        activateFrame();
        findNext();
        QVERIFY(findShown());
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(fw()));
        QCOMPARE(fw()->windowTitle(), QStringLiteral("[20]"));
        QCOMPARE(fw()->lstFindStart->currentText(), QStringLiteral("<DIV>"));
        QVERIFY(startBox()->hasFocus());
        QVERIFY(fw()->cmdFind->isEnabled() && fw()->cmdReplace1Raz->isVisible());
        const QList<QWidget *> hidden = replaceControls() << fw()->cboReplace;
        for (QWidget *w : hidden)
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
        QTest::keyClick(fw(), Qt::Key_Escape);
        QVERIFY(!findShown());

        // No selection: empty start text, actions disabled until something is typed;
        // an end text alone enables nothing.
        setText(QStringLiteral("abc"), 1);
        open(true);
        QCOMPARE(fw()->windowTitle(), QStringLiteral("[22]"));
        QVERIFY(fw()->lstFindStart->currentText().isEmpty());
        auto enabled = [this] {
            return QList<bool>{fw()->cmdFind->isEnabled(), fw()->cmdReplaceAll->isEnabled(), fw()->cmdReplace1Raz->isEnabled()};
        };
        QTest::keyClicks(fw()->lstFindEnd->lineEdit(), QStringLiteral("x"));
        QCOMPARE(enabled(), (QList<bool>{false, false, false}));
        QTest::keyClicks(startBox(), QStringLiteral("b"));
        QCOMPARE(enabled(), (QList<bool>{true, true, true}));
        QTest::keyClick(startBox(), Qt::Key_Backspace);
        QCOMPARE(enabled(), (QList<bool>{false, false, false}));
        QTest::keyClick(startBox(), Qt::Key_Return); // nothing to find: the window stays
        QVERIFY(findShown() && messages() == 0);
        for (QWidget *w : replaceControls())
            QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
        QVERIFY(!fw()->cboReplace->isVisible()); // no history yet
    }

    // Find searches from the top, not from the caret; Find next walks the matches,
    // says once that there are no more, then starts again from the top.
    void findThenNext_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<QStringList>("matches"); // "pos:text" in order
        QTest::newRow("case off") << "x div\r\ny DIV z div" << "div" << "" << false << QStringList{"2:div", "9:DIV", "15:div"};
        QTest::newRow("case on") << "a div Div DIV" << "DIV" << "" << true << QStringList{"10:DIV"};
        QTest::newRow("span over lines, start without end") << "x<table>\r\n<tr>\r\n</table>y <TABLE>" << "<TABLE"
                                                            << "</table>" << false << QStringList{"1:<table>\r\n<tr>\r\n</table>"};
    }
    void findThenNext()
    {
        QFETCH(QString, text);
        QFETCH(QString, end);
        QFETCH(bool, matchCase);
        QFETCH(QStringList, matches);
        app().search.FindMatchCase = matchCase ? 1 : 0;
        setText(text, int(text.size()));
        QFETCH(QString, start);
        find(start, end);
        QVERIFY(ed()->hasFocus());
        for (const QString &m : matches) {
            const int colon = int(m.indexOf(u':'));
            QCOMPARE(ed()->selStart(), m.left(colon).toInt());
            QCOMPARE(selected(), m.mid(colon + 1)); // the document's own characters
            QCOMPARE(messages(), 0);
            findNext();
        }
        QCOMPARE(messages(), 1);
        QCOMPARE(lastMessage().text, QStringLiteral("[90]"));
        findNext();
        QCOMPARE(messages(), 1);
        QCOMPARE(ed()->selStart(), matches[0].section(u':', 0, 0).toInt());
    }

    void replaceAll_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("with");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("count");
        QTest::newRow("spans") << "<b>1</b>-<b>2</b>" << "<b>" << "</b>" << "B" << "B-B" << 2;
        QTest::newRow("two lines in") << "x;y;" << ";" << "" << "\n" << "x\r\ny\r\n" << 2;
        QTest::newRow("no match") << "abc" << "z" << "" << "y" << "abc" << 0;
    }

    void replaceAll()
    {
        QFETCH(QString, text);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, with);
        QFETCH(int, count);
        setText(text);
        replace(start, with, true, false, end);
        QTEST(ed()->text(), "after");
        QCOMPARE(lastMessage().text, QStringLiteral("[91]%1").arg(count));
        QCOMPARE(t->active()->document()->IzmT(), count > 0 ? 1 : 0); // untouched without a match
        QVERIFY(ed()->hasFocus());
    }

    // Replace all on a big page leaves the caret at the first replacement (the
    // page goes in from there, a screenful first), and one undo gives it back.
    void bigPageReplaceAllAndUndo()
    {
        QString page;
        for (int i = 0; page.size() < 3 * (1 << 20); ++i)
            page += QStringLiteral("<li>item ~%1</li>\r\n").arg(i);
        setText(page);
        ed()->setSelStart(int(page.size()));
        replace(QStringLiteral("~"), QStringLiteral("-"), true);
        QCOMPARE(ed()->selStart(), int(page.indexOf(u'~')));
        QVERIFY(ed()->text() == QString(page).replace(u'~', u'-'));
        t->active()->document()->Undo();
        QVERIFY(ed()->text() == page);
        QTRY_VERIFY(!ed()->filling());
        QVERIFY(ed()->text() == page);
        QCOMPARE(t->active()->document()->IzmT(), 0);
    }

    // Replace once in every open document: the count is the documents changed.
    // The window acts on the document active when a button is pressed. Pages
    // opened behind the active one, never painted, are replaced in as any other.
    void replaceInAllDocuments()
    {
        DocWindow *first = t->active();
        gui::load(first, QStringLiteral("a x a"));
        DocWindow *second = newDocument(QStringLiteral("nothing"));
        DocWindow *third = newDocument(QStringLiteral("aa"));
        t->frame->activateDoc(second);
        replace(QStringLiteral("a"), QStringLiteral("b"), false, true);
        QCOMPARE(lastMessage().text, QStringLiteral("[91]2"));
        QCOMPARE((QStringList{first->Rich()->text(), second->Rich()->text(), third->Rich()->text()}), (QStringList{"b x a", "nothing", "ba"}));
        QCOMPARE((QList<int>{first->document()->IzmT(), second->document()->IzmT(), third->document()->IzmT()}), (QList<int>{1, 0, 1}));
        // Without the box ticked only the document active at the press changes.
        t->frame->activateDoc(first);
        open(true);
        fw()->lstFindStart->setEditText(QStringLiteral("a"));
        fw()->txtReplace->setPlainText(QStringLiteral("c"));
        t->frame->activateDoc(third);
        fw()->cmdReplaceAll->click();
        QCOMPARE(t->active(), third);
        QCOMPARE(first->Rich()->text() + third->Rich()->text(), QStringLiteral("b x abc"));
        t->writeFile(QStringLiteral("p1.htm"), "a\r\nab");
        t->writeFile(QStringLiteral("p2.htm"), "ba");
        Document *p1 = app().files->OpenFileDoc(path(QStringLiteral("p1.htm")));
        Document *p2 = app().files->OpenFileDoc(path(QStringLiteral("p2.htm")));
        newDocument(QStringLiteral("x"));
        QVERIFY(p1->text()->textDeferred() && p2->text()->textDeferred());
        replace(QStringLiteral("a"), QStringLiteral("<\n>"), true, true);
        QVERIFY(p1->text()->textDeferred() && p2->text()->textDeferred());   // changed where held
        QCOMPARE(p1->text()->text() + u'|' + p2->text()->text(), QStringLiteral("<\r\n>\r\n<\r\n>b|b<\r\n>"));
        QCOMPARE(p1->IzmT() + p2->IzmT(), 2);
    }

    // Match case outlives the window; "in all documents" is clear at each opening.
    // The history (its rules are in test_search_core) fills the three lists; the
    // replacement list fills its box. Then the tab order, Escape from every text
    // field, and the hidden replacement box of find mode, empty: Replace once deletes.
    void optionsHistoryAndKeyboard()
    {
        setText(QStringLiteral("Div div"));
        open(true);
        QTest::mouseClick(fw()->chRegistr, Qt::LeftButton, {}, QPoint(8, fw()->chRegistr->height() / 2));
        fw()->chOpenFile->setChecked(true);
        fw()->cmdCancel->click();
        open(true);
        QVERIFY(fw()->chRegistr->isChecked() && !fw()->chOpenFile->isChecked());
        fw()->close();
        find(QStringLiteral("Div"), QStringLiteral("v"));
        replace(QStringLiteral("div"), QStringLiteral("Div"), true);
        QCOMPARE(ed()->text(), QStringLiteral("Div Div")); // the typed case, whatever the history holds
        const QStringList expected{"Div", "v", "div"};
        QCOMPARE(app().search.FindHistory, expected);
        open(true);
        for (QComboBox *box : {fw()->lstFindStart, fw()->lstFindEnd, fw()->cboReplace}) {
            QStringList items;
            for (int i = 0; i < box->count(); ++i)
                items << box->itemText(i);
            QCOMPARE(items, expected);
        }
        QVERIFY(fw()->lstFindEnd->currentText().isEmpty());
        fw()->cboReplace->setFocus();
        QTest::keyClick(fw()->cboReplace, Qt::Key_Down);
        QTest::keyClick(fw()->cboReplace, Qt::Key_Down); // the second entry
        QCOMPARE(fw()->txtReplace->toPlainText(), QStringLiteral("v"));
        fw()->lstFindStart->setEditText(QStringLiteral("new")); // a start text: the buttons take part
        const QList<QWidget *> order{fw()->lstFindStart, fw()->lstFindEnd, fw()->txtReplace, fw()->cboReplace,
                                     fw()->chRegistr, fw()->chOpenFile, fw()->cmdFind, fw()->cmdCancel,
                                     fw()->cmdReplaceAll, fw()->cmdReplace1Raz, fw()->lstFindStart};
        startBox()->setFocus();
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY2(order[i]->hasFocus(), qPrintable(order[i]->objectName()));
        }
        // Enter runs Find, which keeps the text once; the box adds nothing of its own.
        QTest::keyClick(startBox(), Qt::Key_Return);
        QCOMPARE(app().search.FindHistory, expected + QStringList{"new"});
        for (int i = 0; i < 4; ++i) {
            open(true);
            order[i]->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QVERIFY2(!findShown(), qPrintable(order[i]->objectName()));
        }
        QCOMPARE(ed()->text(), QStringLiteral("Div Div"));

        setText(QStringLiteral("one <i> two <i>"), 4, 3);
        open(false);
        fw()->txtReplace->setPlainText(QStringLiteral("left over")); // cannot be seen, must not count
        fw()->close();
        open(true);
        fw()->close();
        open(false);
        QVERIFY(fw()->txtReplace->toPlainText().isEmpty());
        QTest::mouseClick(fw()->cmdReplace1Raz, Qt::LeftButton);
        QCOMPARE(ed()->text(), QStringLiteral("one  two <i>"));
        QCOMPARE(lastMessage().text, QStringLiteral("[91]1"));
    }

    void replaceUndoneInOneStep()
    {
        QString text;
        for (int i = 0; i < 300; ++i)
            text += QStringLiteral("<b>%1</b>\r\n").arg(i);
        setText(text);
        gui::type(ed(), QStringLiteral("q"));
        const QString typed = ed()->text();
        replace(QStringLiteral("<B>"), QStringLiteral("<strong>"), true);
        QCOMPARE(lastMessage().text, QStringLiteral("[91]300"));
        QVERIFY(ed()->text().startsWith(QStringLiteral("q<strong>0</b>\r\n<strong>1</b>")));
        QCOMPARE(t->active()->document()->IzmT(), 1);
        QTest::keyClick(ed(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ed()->text(), typed);
        QTest::keyClick(ed(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ed()->text(), text);
        QTest::keyClick(ed(), Qt::Key_Y, Qt::ControlModifier);
        QTest::keyClick(ed(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(ed()->text().count(QStringLiteral("<strong>")), 300);
    }

    // The search commands own their windows: when the object goes before the frame,
    // the find window and an open go-to-line dialog go with it, and the frame's
    // commands do nothing afterwards.
    void windowsEndWithTheirOwner()
    {
        setText(QStringLiteral("abc"), 0, 1);
        open(false);
        const QPointer<frmFind> find = fw();
        const QPointer<frmFoundLine> line = [this] {
            app().searchCommands->CodeFoundLine_Click();
            return QPointer<frmFoundLine>(app().searchCommands->goToLineWindow());
        }();
        QVERIFY(line && line->isVisible());
        app().searchCommands.reset();
        QVERIFY(!find && !line);
        for (const char *name : {"mnuEditFind0", "mnuEditFind1", "mnuEditFind2", "CodeFoundLine"})
            t->command(QString::fromLatin1(name));
        QVERIFY(t->frame->findChildren<frmFind *>().isEmpty() && t->frame->findChildren<frmFoundLine *>().isEmpty());
        QCOMPARE(ed()->text(), QStringLiteral("abc"));
    }

    // Every label, box and button of the window has its own access key in each
    // shipped language, and the key reaches its control.
    void accessKeysOfShippedLanguages()
    {
        const QStringList files = QDir(qEnvironmentVariable("KODOPLET_SOURCE_DIR") + "/resources/Language/").entryList({"*.txt"});
        QVERIFY(!files.isEmpty());
        for (const QString &file : files) {
            addShippedLanguage(file);
            app().languages->LoadJazikM(file);
            setText(QStringLiteral("abc"), 0, 1);
            open(true);
            QSet<QString> keys;
            const QList<QWidget *> controls{fw()->lblFindStart, fw()->lblFindEnd, fw()->lblReplace, fw()->chRegistr,
                                            fw()->chOpenFile, fw()->cmdFind, fw()->cmdCancel, fw()->cmdReplaceAll,
                                            fw()->cmdReplace1Raz};
            for (QWidget *w : controls) {
                const QString text = w->property("text").toString();
                const QKeySequence key = QKeySequence::mnemonic(text);
                QVERIFY2(!key.isEmpty(), qPrintable(file + ": " + text));
                QVERIFY2(!keys.contains(key.toString()), qPrintable(file + ": " + text));
                keys.insert(key.toString());
            }
            QVERIFY(fw()->cmdReplace1Raz->text() != s("Заменить один раз"));
            // Alt + the end label's key moves into the end box.
            const Qt::Key endKey = QKeySequence::mnemonic(fw()->lblFindEnd->text())[0].key();
            for (auto action : {QTest::Press, QTest::Release})
                QTest::sendKeyEvent(action, fw()->lstFindStart->lineEdit(), endKey, QString(QChar(endKey).toLower()), Qt::AltModifier);
            QVERIFY2(fw()->lstFindEnd->hasFocus(), qPrintable(file));
            fw()->close();
        }
        // Without entry 107 the replace-once button keeps its built-in caption.
        app().lang.Messages[107 - 90].clear();
        open(false);
        QCOMPARE(fw()->cmdReplace1Raz->text(), s("Заменить один раз"));
    }

    // The typed number, the line selected without its break, entry 105 with the dialog left open.
    void goToLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("selStart");  // -1: entry 105, the dialog stays open; -2: OK stays disabled
        QTest::addColumn<int>("selLength");
        // Lines: "first", "", "x", "fourth", "" (after the final break). The
        // number rules themselves are in test_search_core.
        const QString text = QStringLiteral("first\r\n\r\nx\r\nfourth\r\n");
        QTest::newRow("empty line") << text << "2" << 7 << 0;
        QTest::newRow("line count + 1") << text << "6" << -1 << 0;
        QTest::newRow("3.5 to even 4, leading number") << text << "3.5th" << 12 << 6;
        QTest::newRow("refused") << text << "abc" << -2 << 0;
        QTest::newRow("wrapped") << QStringLiteral("word ").repeated(200) + "\r\nsecond\r\nthird" << "2" << 1002 << 6;
    }

    void goToLine()
    {
        QFETCH(QString, text);
        QFETCH(QString, typed);
        QFETCH(int, selStart);
        setText(text, 2);
        ed()->setWordWrap(true); // lines are still the text's, not screen rows
        t->active()->resize(300, 200);
        QApplication::processEvents();
        QVERIFY(text.size() < 100 || ed()->document()->firstBlock().layout()->lineCount() > 5); // rows of one line
        const QPointer<frmFoundLine> dialog = openGoToLine();
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("[42]"));
        QVERIFY(!dialog->kOK->isEnabled());
        QTest::keyClicks(dialog->Text1, typed);
        QCOMPARE(dialog->kOK->isEnabled(), selStart != -2);
        if (selStart >= 0) // Enter is the other rows'
            QTest::mouseClick(dialog->kOK, Qt::LeftButton);
        else
            QTest::keyClick(dialog->Text1, Qt::Key_Return);
        QCOMPARE(messages(), selStart == -1 ? 1 : 0);
        if (selStart == -1)
            QCOMPARE(lastMessage().text + u' ' + QString::number(lastMessage().style),
                     QStringLiteral("[105] %1").arg(int(Dialogs::Critical)));
        QCOMPARE(dialog && dialog->isVisible(), selStart < 0);
        if (selStart >= 0) {
            QCOMPARE(ed()->selStart(), selStart);
            QTEST(ed()->selLength(), "selLength");
            return;
        }
        QCOMPARE(dialog->Text1->text(), typed);
        QCOMPARE(ed()->selStart(), 2);
        QTest::keyClick(dialog->Text1, Qt::Key_Escape);
        QVERIFY(!dialog || !dialog->isVisible());
    }
};

QTEST_MAIN(TestSearchGui)
#include "test_search_gui.moc"
