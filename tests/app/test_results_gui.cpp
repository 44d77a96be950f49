// Tags > Check Page and the results panel through the real main frame: the
// findings listed, and Enter or a double-click on a row putting the caret there.
#include "common/GuiFixture.h"

#include "app/ResultsCommands.h"
#include "app/ResultsPanel.h"
#include "files/DiskFiles.h"
#include "files/FileCommands.h"
#include "search/frmFindInFiles.h"

#include <QtTest>
#include <QtWidgets>

using namespace gui;
static QString s(const char *text) { return QString::fromUtf8(text); }

class TestResultsGui : public QObject, GuiFixture {
    Q_OBJECT

    ResultsPanel *panel() const { return t->frame->findChild<ResultsPanel *>(QStringLiteral("ResultsPanel")); }
    // The page check by its key, waited for.
    void checkPage()
    {
        QSignalSpy done(app().results.get(), &ResultsCommands::pageChecked);
        QTest::keyClick(ed(), Qt::Key_F7, Qt::ShiftModifier);
        QVERIFY(done.wait(10000));
        QVERIFY(panel() && panel()->isVisible());
    }
    int rowWith(const QString &words) const
    {
        for (int i = 0; i < panel()->rowCount(); ++i)
            if (panel()->row(i).text.contains(words))
                return i;
        return -1;
    }

private slots:
    void init() { QVERIFY(startApp()); }
    void cleanup() { stopApp(); }

    // A saved page with faults at known places, its line breaks as given: the
    // row of each fault takes the caret to its line and column, by double-click
    // and by Enter, also after the user moved elsewhere.
    void rowPutsCaretThere_data()
    {
        QTest::addColumn<QByteArray>("lineBreak");
        QTest::newRow("CR LF") << QByteArray("\r\n");
        QTest::newRow("LF") << QByteArray("\n");
    }
    void rowPutsCaretThere()
    {
        QFETCH(QByteArray, lineBreak);
        QByteArray page = "<!DOCTYPE html>\n<html><head><title>t</title></head><body>\n"
                          "<p>One</p>\n\t<div><p>a \xD0\xB6 <b>bold</p></div>\n<p colour=\"red\">x</p>\n</body></html>\n";
        page.replace("\n", lineBreak);
        t->writeFile(QStringLiteral("page.htm"), page);
        app().files->OpenFileDoc(path(QStringLiteral("page.htm")));
        const QString before = ed()->text();
        checkPage();
        QCOMPARE(ed()->text(), before);
        QVERIFY2(panel()->summary() == s("Errors: 0, warnings: 3"), qPrintable(panel()->summary()));
        QVERIFY(panel()->windowTitle().contains(s("page.htm")));

        struct Case { const char *words; int line, column; bool byEnter; };
        for (const Case &c : {Case{"missing </b>", 4, 14, false}, Case{"colour", 5, 1, true}}) {
            ed()->setSelStart(0);
            const int i = rowWith(s(c.words));
            QVERIFY2(i >= 0, c.words);
            QTreeWidget *list = panel()->list();
            QTreeWidgetItem *item = list->topLevelItem(i);
            const QRect r = list->visualItemRect(item);
            if (c.byEnter) {
                list->setCurrentItem(item);
                list->setFocus();
                QTest::keyClick(list, Qt::Key_Return);
            } else {
                // The first click of a double-click comes separately, as from a mouse.
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
            }
            const int caret = ed()->selStart();
            QCOMPARE(ed()->lineAt(caret) + 1, c.line);
            QCOMPARE(caret - ed()->lineStart(c.line - 1) + 1, c.column);
            QTRY_VERIFY(ed()->hasFocus());
        }
    }

    // An untitled page without faults; the closed panel comes back with the next
    // check; then the links of a folder.
    void cleanPageClosedPanelAndLinks()
    {
        setText(s("<!DOCTYPE html>\r\n<html><head><title>t</title></head><body><my-card><p>x</p></my-card></body></html>\r\n"));
        checkPage();
        QCOMPARE(panel()->summary(), s("No problems found"));
        QCOMPARE(panel()->rowCount(), 0);
        panel()->close();
        QVERIFY(!panel()->isVisible());
        setText(s("<p>x</q>"));
        checkPage();
        QVERIFY(panel()->rowCount() > 0);
        // The row leads back to the untitled document.
        emit panel()->rowActivated(panel()->row(rowWith(s("</q>"))));
        QCOMPARE(ed()->selStart(), 4);

        // Project > Check Links with no project files: the active page's folder; a
        // broken link's row selects the address in its page.
        const QString site = path(QStringLiteral("links/"));
        disk::put(site + QStringLiteral("index.htm"), "<p>x</p>\r\n<a href=\"gone.htm\">a</a> <a href=\"http://x.org/\">b</a>\r\n");
        app().files->OpenFileDoc(site + QStringLiteral("index.htm"));
        QSignalSpy done(app().results.get(), &ResultsCommands::filesDone);
        t->command(QStringLiteral("ProektCheckLinks"));
        QVERIFY(done.wait(10000));
        QCOMPARE(panel()->summary(), s("Links: 2, broken: 1, not checked: 1"));
        QCOMPARE(panel()->rowCount(), 2);
        ed()->setSelStart(0);
        emit panel()->rowActivated(panel()->row(0));
        QCOMPARE(ed()->selText(), s("gone.htm"));
        QCOMPARE(ed()->lineAt(ed()->selStart()), 1);
    }

    // Edit > Find in Files over a folder with an open page holding unsaved text
    // and pages on disk: the hits listed, a hit opening its file at the place,
    // then Replace in Files after the confirmation: the open page changed in its
    // editor as one undo step, the other file written in its encoding and breaks.
    void findAndReplaceInFiles()
    {
        const QString site = path(QStringLiteral("site/"));
        disk::put(site + QStringLiteral("open.htm"), "<p>old</p>\r\n");
        disk::put(site + QStringLiteral("sub/closed.htm"), "<p>\xE2\xE5\xF1\xFC old</p>\r\n<p>old</p>\r\n");  // windows-1251
        disk::put(site + QStringLiteral("style.css"), "p { color: red; }\n");
        disk::put(site + QStringLiteral("picture.htm"), QByteArray("old\0old", 7));
        app().files->OpenFileDoc(site + QStringLiteral("open.htm"));
        setText(s("<p>old and old</p>"));   // the editor's text, not the file's, is searched
        doc()->document()->markChanged();

        QTest::keyClick(ed(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        frmFindInFiles *w = app().results->findWindow();
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->folder(), site.chopped(1));
        w->Text1->setText(s("old"));
        QSignalSpy done(app().results.get(), &ResultsCommands::filesDone);
        QTest::mouseClick(w->cmdFind, Qt::LeftButton);
        QVERIFY(done.wait(10000));
        QCOMPARE(panel()->summary(), s("Hits: 4, files: 2; skipped (binary or over 16 MB): 1"));
        QCOMPARE(panel()->rowCount(), 4);
        const ResultRow second = panel()->row(3);
        QCOMPARE(second.first, s("sub/closed.htm"));
        QCOMPARE(second.text.mid(second.markStart, second.markLength), s("old"));
        emit panel()->rowActivated(second);
        QCOMPARE(doc()->document()->NameFile(), site + QStringLiteral("sub/closed.htm"));
        QCOMPARE(ed()->lineAt(ed()->selStart()), 1);
        QCOMPARE(ed()->selText(), s("old"));

        // closed.htm is open now as well; close it so that the writer handles it.
        app().files->CloseDocument(doc());
        w->ReplaceText->setText(s("\xD0\xBD\xD0\xBE\xD0\xB2\xD1\x8B\xD0\xB9"));
        t->dialogs.messageAnswers.enqueue(Dialogs::Yes);
        QTest::mouseClick(w->cmdReplace, Qt::LeftButton);
        QVERIFY(done.wait(10000));
        QTRY_VERIFY(done.count() == 2);
        QCOMPARE(lastMessage().text, s("Replace 4 hits in 2 files?"));
        QCOMPARE(panel()->summary(), s("Replaced: 4 hits in 2 files"));
        DocWindow *open = app().docs.slot(app().docs.findByFile(site + QStringLiteral("open.htm")));
        QVERIFY(open);
        QCOMPARE(open->Rich()->text(), s("<p>\xD0\xBD\xD0\xBE\xD0\xB2\xD1\x8B\xD0\xB9 and \xD0\xBD\xD0\xBE\xD0\xB2\xD1\x8B\xD0\xB9</p>"));
        open->document()->Undo();
        QCOMPARE(open->Rich()->text(), s("<p>old and old</p>"));
        QCOMPARE(disk::get(site + QStringLiteral("open.htm")), QByteArray("<p>old</p>\r\n"));
        QCOMPARE(disk::get(site + QStringLiteral("sub/closed.htm")),
                 QByteArray("<p>\xE2\xE5\xF1\xFC \xED\xEE\xE2\xFB\xE9</p>\r\n<p>\xED\xEE\xE2\xFB\xE9</p>\r\n"));
        QCOMPARE(disk::get(site + QStringLiteral("picture.htm")), QByteArray("old\0old", 7));
    }
};

QTEST_MAIN(TestResultsGui)
#include "test_results_gui.moc"
