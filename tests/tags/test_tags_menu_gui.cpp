// The Tags menu through the real main frame: link, media and form snippets,
// colour, bracket check, the character-code dialog and the editor shortcuts.
#include "tags/TagsGuiFixture.h"

#include "tags/TagCommands.h"

#include <QPlainTextEdit>
#include <QPushButton>

class TestTagsMenuGui : public QObject, protected TagsGuiFixture {
    Q_OBJECT

private slots:
    void initTestCase() { setUpProgram(); }
    void init() { startApp(); }
    void cleanup() { tearDown(); }

    void linkOverSelectedWord()
    {
        setText(QStringLiteral("see word here"), 4, 4);
        QTest::keyClick(ed(), Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(ed()->text(), s(R"(see <a href="URL"></a> here)"));
        QCOMPARE(ed()->selText(), QStringLiteral("URL"));
        QCOMPARE(ed()->selStart(), 13);
        QTest::keyClick(ed(), ' ');
        QCOMPARE(ed()->text(), QStringLiteral("see <a href=\"http://www.\"></a> here"));
        QCOMPARE(ed()->selLength(), 0);
        QCOMPARE(ed()->selStart(), 24);
    }

    void menuSnippets_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<int>("caret");
        QTest::addColumn<int>("selLength");

        const QString object = s(R"(<object id="" classid="clsid:" data="" width="" heigh=""></object>)");
        QTest::newRow("object") << "CodeMediaHTML0" << object << int(object.size()) - 54 << 0;
        QTest::newRow("param") << "CodeMediaHTML1" << s(R"(<param name="" value="">)") << 13 << 0;
        const QString marquee = s(R"(<marquee direction="left" scrolldelay="0" height=15 width="100%"></marquee>)");
        QTest::newRow("marquee") << "CodeMediaHTML2" << marquee << int(marquee.size()) - 10 << 0;
        QTest::newRow("form") << "CodeFormsHTML0" << s(R"(<form action="URL" name="" method="post">)") + "\r\n\r\n</form>" << 14 << 3;
        QTest::newRow("textarea") << "CodeFormsHTML1" << s("<textarea rows=4 cols=15></textarea>") << 25 << 0;
    }

    void menuSnippets()
    {
        QFETCH(QString, command);
        QFETCH(QString, inserted);
        QFETCH(int, caret);
        QFETCH(int, selLength);
        setText(QStringLiteral("a\r\nb SEL c"), 5, 3);
        t->command(command);
        QCOMPARE(ed()->text(), QStringLiteral("a\r\nb ") + inserted + QStringLiteral(" c"));
        QCOMPARE(ed()->selStart(), 5 + caret);
        QCOMPARE(ed()->selLength(), selLength);
        if (selLength)
            QCOMPARE(ed()->selText(), QStringLiteral("URL"));
    }

    void noDocumentNoCommand()
    {
        t->command(QStringLiteral("ProektCloseAllFile"));
        QCOMPARE(app().docs.OpenDocCount, 0);
        QVERIFY(!t->active());
        const int asked = int(t->dialogs.asked.size());
        t->dialogs.colorAnswers.enqueue(QStringLiteral("#FF0000"));

        // The menu is disabled; the handlers, reached another way, do nothing.
        for (const char *name : {"CodeFrm0", "CodeAhref", "CodeColor", "CodeFoundTags", "CodeTextTags"})
            QVERIFY(!t->frame->trigger(QString::fromLatin1(name)));
        for (int i = 0; i <= 3; ++i)
            TagCommands::CodeFrm_Click(i);
        TagCommands::CodeAhref_Click();
        for (int i = -1; i <= 3; ++i) {
            TagCommands::CodeMediaHTML_Click(i);
            TagCommands::CodeFormsHTML_Click(i);
        }
        TagCommands::CodeColor_Click();
        TagCommands::CodeTextTags_Click();
        TagCommands::FoundCloseTagM();
        for (int e = -1; e <= 71; ++e)
            TagCommands::performCatalogueEntry(e);
        TagCommands::insertTypedTag(QStringLiteral("p"));
        QApplication::processEvents();
        QVERIFY(!listShown());
        QVERIFY(!codeText() || !codeText()->isVisible());
        QCOMPARE(int(t->dialogs.asked.size()), asked);
        QCOMPARE(app().docs.OpenDocCount, 0);
    }

    void colour()
    {
        setText(QStringLiteral("a SEL b"), 2, 3);
        t->dialogs.colorAnswers.enqueue(QStringLiteral("#FF0000"));
        QTest::keyClick(ed(), Qt::Key_F2);
        QCOMPARE(t->dialogs.count(QStringLiteral("color")), 1);
        QCOMPARE(ed()->text(), QStringLiteral("a #FF0000 b"));
        QCOMPARE(ed()->selStart(), 2);
        QCOMPARE(ed()->selLength(), 7);
        QCOMPARE(ed()->selText(), QStringLiteral("#FF0000"));

        // Cancel: nothing changes, not even the selection.
        t->dialogs.colorAnswers.enqueue(QString());
        t->active()->IzmT = 0;
        t->command(QStringLiteral("CodeColor"));
        QCOMPARE(t->dialogs.count(QStringLiteral("color")), 2);
        QCOMPARE(ed()->text(), QStringLiteral("a #FF0000 b"));
        QCOMPARE(ed()->selStart(), 2);
        QCOMPARE(ed()->selLength(), 7);
        QCOMPARE(t->active()->IzmT, 0);
    }

    void colourAttributeFromList()
    {
        setText(QStringLiteral("<body >"), 6);
        t->dialogs.colorAnswers.enqueue(QStringLiteral("#0000FF"));
        openList();
        QTest::keyClicks(list()->Text1, QStringLiteral("bg"));
        QTest::keyClick(list()->Text1, Qt::Key_Return);
        QCOMPARE(ed()->text(), s(R"(<body bgcolor="#0000FF">)"));
        QCOMPARE(ed()->selText(), QStringLiteral("#0000FF"));

        // Cancelled: the attribute stays, caret inside its quotes.
        setText(QStringLiteral("<font >"), 6);
        t->dialogs.colorAnswers.enqueue(QString());
        activateFrame();
        openList();
        QTest::keyClicks(list()->Text1, QStringLiteral("co"));
        QCOMPARE(selectedName(), s(R"(color="")"));
        QTest::keyClick(list()->Text1, Qt::Key_Return);
        QCOMPARE(ed()->text(), s(R"(<font color="">)"));
        QCOMPARE(ed()->selStart(), 13);
        QCOMPARE(ed()->selLength(), 0);
    }

    void bracketCheck_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");   // -1: nothing selected
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("message");

        const QString noClose = QStringLiteral(" \">\"");
        const QString noOpen = QStringLiteral(" \"<\"");
        QTest::newRow("empty") << "" << -1 << 64 << "";
        QTest::newRow("no brackets") << "plain\r\ntext" << -1 << 64 << "";
        QTest::newRow("balanced") << "<p>a</p>\r\n<br>" << -1 << 64 << "";
        QTest::newRow("a > b") << "a > b" << 2 << 16 << noOpen;
        QTest::newRow("<a <b>") << "<a <b>" << 3 << 16 << noClose;
        QTest::newRow("<p>text<") << "<p>text<" << 7 << 16 << noClose;
        QTest::newRow("comment") << "<!-- x > y -->" << 13 << 16 << noOpen;
        QTest::newRow("after line breaks") << "<p>\r\n\r\nx>" << 8 << 16 << noOpen;
    }

    void bracketCheck()
    {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, style);
        QFETCH(QString, message);
        setText(text, 0, 0);
        t->command(QStringLiteral("CodeFoundTags"));
        QCOMPARE(t->dialogs.count(QStringLiteral("message")), 1);
        QCOMPARE(lastMessage().style, style);
        QCOMPARE(lastMessage().text, message);
        QCOMPARE(lastMessage().title, app().lang.AppTitle);
        QCOMPARE(ed()->text(), text);
        if (selStart < 0) {
            QCOMPARE(ed()->selLength(), 0);
        } else {
            QCOMPARE(ed()->selStart(), selStart);
            QCOMPARE(ed()->selLength(), 1);
            QCOMPARE(ed()->selText(), text.mid(selStart, 1));
        }
        QVERIFY(ed()->hasFocus());
    }

    void bracketMessageUsesLanguageEntries()
    {
        app().lang.Messages[10] = QStringLiteral("Balanced");
        app().lang.Messages[11] = QStringLiteral("Missing");
        setText(QStringLiteral("a > b"));
        t->command(QStringLiteral("CodeFoundTags"));
        QCOMPARE(lastMessage().text, QStringLiteral("Missing \"<\""));
        setText(QStringLiteral("<a>"));
        t->command(QStringLiteral("CodeFoundTags"));
        QCOMPARE(lastMessage().text, QStringLiteral("Balanced"));
    }

    void codeTextDialog_data()
    {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("codes");

        QTest::newRow("Da") << s("Да") << "&#1044;&#1072;";
        QTest::newRow("A b") << "A b" << "&#65;&#32;&#98;";
        QTest::newRow("Yo") << s("Ёё") << "&#1025;&#1105;";
        QTest::newRow("numero") << s("№") << "&#8470;";
        QTest::newRow("above U+FFFF") << s("a😀") << "&#97;&#128512;";
        QTest::newRow("line break") << "a\r\nb" << "&#97;&#13;&#10;&#98;";
        // The dialog's text box must not turn these into a blank or a line feed.
        QTest::newRow("no-break space") << s("a\u00A0b") << "&#97;&#160;&#98;";
        QTest::newRow("line separator") << s("a\u2028b") << "&#97;&#8232;&#98;";
    }

    void codeTextDialog()
    {
        QFETCH(QString, selection);
        QFETCH(QString, codes);
        setText(QStringLiteral("[") + selection + QStringLiteral("]"), 1, int(selection.size()));
        QCOMPARE(ed()->selText(), selection);
        t->command(QStringLiteral("CodeTextTags"));
        frmCodeText *dlg = codeText();
        QVERIFY(dlg && dlg->isVisible());
        QCOMPARE(dlg->windowTitle(), t->frame->menuCaption(QStringLiteral("CodeTextTags")).remove(u'&'));
        QVERIFY(dlg->kOK->isEnabled());
        QTest::mouseClick(dlg->kOK, Qt::LeftButton);
        QCOMPARE(ed()->text(), QStringLiteral("[") + codes + QStringLiteral("]"));
        QCOMPARE(ed()->selStart(), 1 + int(codes.size()));
        QCOMPARE(ed()->selLength(), 0);
        QTRY_VERIFY(!codeText() || !codeText()->isVisible());
    }

    void codeTextEmptyKeepsOkDisabled()
    {
        setText(QStringLiteral("abc"), 1);
        t->command(QStringLiteral("CodeTextTags"));
        frmCodeText *dlg = codeText();
        QVERIFY(dlg && dlg->isVisible());
        QVERIFY(dlg->Text1->toPlainText().isEmpty());
        QVERIFY(!dlg->kOK->isEnabled());
        QTest::keyClicks(dlg->Text1, QStringLiteral("x"));
        QVERIFY(dlg->kOK->isEnabled());
        QTest::keyClick(dlg->Text1, Qt::Key_Backspace);
        QVERIFY(!dlg->kOK->isEnabled());
        QTest::mouseClick(dlg->kOK, Qt::LeftButton);
        QVERIFY(dlg->isVisible());
        QCOMPARE(ed()->text(), QStringLiteral("abc"));

        // Closing the window inserts nothing.
        QTest::keyClicks(dlg->Text1, QStringLiteral("x"));
        dlg->close();
        QCOMPARE(ed()->text(), QStringLiteral("abc"));
    }

    void codeTextInPreviewInsertsNothing()
    {
        setText(QStringLiteral("[Да]"), 1, 2);
        t->command(QStringLiteral("CodeTextTags"));
        frmCodeText *dlg = codeText();
        QVERIFY(dlg && dlg->isVisible());
        t->active()->showPreview(true);
        QVERIFY(!t->active()->editorVisible());
        QTest::mouseClick(dlg->kOK, Qt::LeftButton);
        QTRY_VERIFY(!codeText() || !codeText()->isVisible());
        t->active()->showPreview(false);
        QCOMPARE(ed()->text(), s("[Да]"));
    }

    void editorShortcutsUseCatalogue()
    {
        // The shortcuts read the catalogue's tables, not texts of their own.
        AppState &a = app();
        a.catalogue.InlineSnippets[0] = QStringLiteral("<B></B>");
        a.catalogue.BreakAlignSnippets[0] = QStringLiteral("<BR>");
        for (int i = 1; i <= 6; ++i)
            a.catalogue.BlockSnippets[i] = QStringLiteral("<H%1></H%1>").arg(i);

        setText(QStringLiteral("ab"), 1);
        QTest::keyClick(ed(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(ed()->text(), QStringLiteral("a<BR>b"));
        QCOMPARE(ed()->selStart(), 5);
        QTest::keyClick(ed(), Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(ed()->text(), QStringLiteral("a<BR><B></B>b"));
        QCOMPARE(ed()->selStart(), 8);
        for (int i = 1; i <= 6; ++i) {
            setText(QStringLiteral("x SEL y"), 2, 3);
            QTest::keyClick(ed(), Qt::Key(Qt::Key_0 + i), Qt::ControlModifier);
            QCOMPARE(ed()->text(), QStringLiteral("x <H%1></H%1> y").arg(i));
            QCOMPARE(ed()->selStart(), 6);
        }
    }

    void editorShortcutsRealTexts()
    {
        setText(QStringLiteral("x SEL y"), 2, 3);
        QTest::keyClick(ed(), Qt::Key_3, Qt::ControlModifier);
        QCOMPARE(ed()->text(), QStringLiteral("x <h3></h3> y"));
        QCOMPARE(ed()->selStart(), 6);
        QTest::keyClick(ed(), Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(ed()->text(), QStringLiteral("x <h3><b></b></h3> y"));
        QTest::keyClick(ed(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(ed()->text(), QStringLiteral("x <h3><b><br></b></h3> y"));
        QCOMPARE(ed()->selStart(), 13);
    }
};

QTEST_MAIN(TestTagsMenuGui)
#include "test_tags_menu_gui.moc"
