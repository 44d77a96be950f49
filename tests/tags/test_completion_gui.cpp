// Completion of HTML attributes, values and element names, typed with real key
// events into the real main frame's editor: the list follows the typing and
// never takes a keystroke from the page.
#include "common/GuiFixture.h"

#include "editing/SyntaxHighlighter.h"
#include "tags/frmListTag.h"

#include <QtTest>
#include <QtWidgets>

using namespace gui;

class TestCompletionGui : public QObject, GuiFixture {
    Q_OBJECT

    QListWidget *list() const { return doc()->findChild<QListWidget *>(QStringLiteral("lstComplete")); }
    bool shown() const { return list() && list()->isVisible(); }
    QStringList rows() const
    {
        QStringList r;
        for (int i = 0; shown() && i < list()->count(); ++i)
            r << list()->item(i)->text();
        return r;
    }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(ed(), k, mods); }

private slots:
    void init()
    {
        QVERIFY(startApp() && ed());
        activateFrame();
        app().listTags.set(false);
    }
    void cleanup() { stopApp(); }

    // "<input ty", Enter: type="" with the caret inside and the values listed;
    // "te" filters them, Enter puts "text"; each insertion is one undo step.
    void attributeThenValue()
    {
        for (bool highlighted : {true, false}) {
            app().highlighting.set(highlighted);
            putMarked(doc(), QStringLiteral("<p>\r\n  |\r\n</p>"));
            if (highlighted)
                doc()->highlighter()->finishNow();
            type(ed(), QStringLiteral("<input ty"));
            QCOMPARE(rows(), QStringList{"type"});
            key(Qt::Key_Return);   // not a line break with the indentation
            QCOMPARE(marked(ed()), QStringLiteral("<p>\r\n  <input type=\"|\"\r\n</p>"));
            QVERIFY(rows().mid(0, 3) == (QStringList{"hidden", "text", "search"}));
            type(ed(), QStringLiteral("te"));
            QCOMPARE(rows(), (QStringList{"text", "tel"}));
            key(Qt::Key_Down);
            key(Qt::Key_Up);
            key(Qt::Key_Return);
            QCOMPARE(marked(ed()), QStringLiteral("<p>\r\n  <input type=\"text|\"\r\n</p>"));
            QVERIFY(!shown());
            key(Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(marked(ed()), QStringLiteral("<p>\r\n  <input type=\"te|\"\r\n</p>"));
            // Tab picks too; the undo takes back the insertion alone.
            putMarked(doc(), QStringLiteral("<button |>"));
            type(ed(), QStringLiteral(" t"));
            QCOMPARE(rows().mid(0, 3), (QStringList{"type", "tabindex", "title"}));
            key(Qt::Key_Down);
            key(Qt::Key_Down);
            key(Qt::Key_Up);
            key(Qt::Key_Tab);
            QCOMPARE(marked(ed()), QStringLiteral("<button  tabindex=\"|\">"));
            key(Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(marked(ed()), QStringLiteral("<button  t|>"));
            // An empty prefix: Enter picks after a move to a row.
            putMarked(doc(), QStringLiteral("<button |>"));
            type(ed(), QStringLiteral(" "));
            key(Qt::Key_Down);
            key(Qt::Key_Up);
            list()->setCurrentRow(int(rows().indexOf(u"type")));
            key(Qt::Key_Return);
            QCOMPARE(marked(ed()), QStringLiteral("<button  type=\"|\">"));
            QCOMPARE(rows(), (QStringList{"submit", "reset", "button"}));
            key(Qt::Key_Return);   // the values follow an insertion: Enter picks at once
            QCOMPARE(marked(ed()), QStringLiteral("<button  type=\"submit|\">"));
        }
    }

    // Escape, a character that ends the name, a caret move: the list goes, the
    // text stays as typed.
    void neverEatsText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");        // pressed with the list up; 0 none
        QTest::addColumn<QString>("more");   // typed after it
        QTest::addColumn<QString>("expected");
        QTest::newRow("Escape") << "<input ty" << int(Qt::Key_Escape) << "" << "<input ty|";
        QTest::newRow("Escape, typing on") << "<input ty" << int(Qt::Key_Escape) << "pe=x>" << "<input type=x>|";
        QTest::newRow("=") << "<input ty" << 0 << "=\"a\"" << "<input ty=\"a\"|";
        QTest::newRow("blank") << "<a hre" << 0 << " " << "<a hre |";
        QTest::newRow(">") << "<a hre" << 0 << ">" << "<a hre>|</a>";
        QTest::newRow("Left") << "<a hre" << int(Qt::Key_Left) << "x" << "<a hrx|e";
        QTest::newRow("Backspace filters") << "<a hre" << int(Qt::Key_Backspace) << "" << "<a hr|";
        QTest::newRow("past every choice") << "<a hre" << 0 << "fz" << "<a hrefz|";
        QTest::newRow("Enter, nothing typed") << "<p " << int(Qt::Key_Return) << "" << "<p \r\n|";
        QTest::newRow("Tab, nothing typed") << "<p " << int(Qt::Key_Tab) << "" << "<p \t|";
    }
    void neverEatsText()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, more);
        putMarked(doc(), QStringLiteral("|"));
        type(ed(), typed);
        QVERIFY(shown());
        if (key)
            QTest::keyClick(ed(), Qt::Key(key));
        type(ed(), more);
        QTEST(marked(ed()), "expected");
        if (QTest::currentDataTag() == QByteArrayLiteral("Backspace filters"))
            QVERIFY(rows().contains(u"href"));
        else if (QTest::currentDataTag() != QByteArrayLiteral("blank"))
            QVERIFY(!shown());
    }

    // Element names after "<" with the tag list off; nothing in comments, in a
    // script document, or with the option off.
    void elementsAndPlacesWithout()
    {
        putMarked(doc(), QStringLiteral("|"));
        type(ed(), QStringLiteral("<texta"));
        QCOMPARE(rows(), QStringList{"textarea"});
        key(Qt::Key_Return);
        QCOMPARE(marked(ed()), QStringLiteral("<textarea|"));
        putMarked(doc(), QStringLiteral("<!-- |"));
        type(ed(), QStringLiteral("<input ty"));
        QVERIFY(!shown());
        t->command(QStringLiteral("mnuOptionsCompletion"));
        QVERIFY(!app().completion.value());
        putMarked(doc(), QStringLiteral("|"));
        type(ed(), QStringLiteral("<input ty"));
        QVERIFY(!shown());
        t->command(QStringLiteral("mnuOptionsCompletion"));
        // With the tag list on, "<" and the name go through it; the attributes follow in the editor.
        app().listTags.set(true);
        putMarked(doc(), QStringLiteral("|"));
        QTest::keyClick(ed(), '<');
        auto *tagList = f->findChild<frmListTag *>(QStringLiteral("frmListTag"));
        QVERIFY(tagList && tagList->isVisible());
        QTest::keyClicks(tagList->Text1, QStringLiteral("input"));
        QTest::keyClick(tagList->Text1, Qt::Key_Escape);
        QTRY_COMPARE(marked(ed()), QStringLiteral("<input|"));
        activateFrame();
        type(ed(), QStringLiteral(" ty"));
        QCOMPARE(rows(), QStringList{"type"});
        t->command(QStringLiteral("mnuFileScriptNew"));
        QVERIFY(doc()->document()->Script());
        type(ed(), QStringLiteral("s = '<input ty"));
        QVERIFY(!shown());
    }
};

QTEST_MAIN(TestCompletionGui)
#include "test_completion_gui.moc"
