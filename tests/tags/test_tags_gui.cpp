// The tag list and the Tags menu through the real main frame and editors, with
// a fake keyboard-layout ring.
#include "common/GuiFixture.h"

#include "support/FakeKeyboardLayouts.h"
#include "tags/TagCommands.h"
#include "tags/frmCodeText.h"
#include "tags/frmListTag.h"

#include <QtTest>
#include <QtWidgets>

using namespace gui;
static QString s(const char *text) { return QString::fromUtf8(text); }
const QString US = QStringLiteral("00000409"), RU = QStringLiteral("00000419"), UA = QStringLiteral("00000422");

class TestTagsGui : public QObject, GuiFixture {
    Q_OBJECT
    FakeKeyboardLayouts layouts;

    frmListTag *list() const { return t->frame->findChild<frmListTag *>(QStringLiteral("frmListTag")); }
    frmCodeText *codeText() const { return t->frame->findChild<frmCodeText *>(QStringLiteral("frmCodeText")); }
    bool listShown() const { return list() && list()->isVisible(); }
    void key(Qt::Key k) { QTest::keyClick(list()->Text1, k); }
    void openList() { QTest::keyClick(ed(), '<'); QVERIFY(listShown()); } // "<" typed in the editor
    // A tool window counts as active while its owner is; wait for the real thing.
    void waitListActive() { QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(list())); }
    int selectedRow() const { return list()->List1->selectedItems().isEmpty() ? -1 : list()->List1->currentRow(); }

private slots:
    void init()
    {
        layouts.layouts = {US, RU, UA};
        layouts.current = layouts.switches = 0;
        t = std::make_unique<TestApp>();
        app().layouts = &layouts; // consulted each time the list comes and goes
        QVERIFY(t->start() && t->editor());
        activateFrame();
    }
    void cleanup() { stopApp(); }

    // After typing in the list: the row it selects, and the text after Enter
    // ("|" the caret, "[...]" the selection) in place of "SEL", or the dialog the
    // entry opens over the untouched text.
    void searchThenEnter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("dialog");
        const auto row = [](const char *typed, const char *selected, const QString &put, const char *dialog = "") {
            QTest::newRow(typed) << typed << selected << "ab\r\ncd " + put + " ef" << dialog;
        };
        row("b", "b", "<b>|</b>");
        row("bi", "big", "<big>|</big>");
        row("bx", "", "<bx>|");
        row("B", "b", "<b>|</b>"); // capitals are searched as lower case
        row("script (", "script (Load)", s(R"(<script language="JavaScript" src="[URL]"></script>)") + "\r\n");
        row("script (n", "", "<script (n>|");
        for (const auto &[typed, dialog] : {std::pair{"table", "frmTable"}, {"font", "frmFonts"}, {"img src", "frmImg"},
                                            {"body", "frmBody"}, {"select", "FrmSelect"}})
            row(typed, typed, "[SEL]", dialog);
    }

    void searchThenEnter()
    {
        QFETCH(QString, typed);
        putMarked(doc(), QStringLiteral("ab\r\ncd [SEL] ef"));
        openList();
        QTest::keyClicks(list()->Text1, typed);
        QCOMPARE(list()->Text1->text(), typed.toLower());
        QTEST(selectedRow() < 0 ? QString() : list()->List1->currentItem()->text(), "selected");
        for (int r = 0; r < 71; ++r) // never filtered
            QVERIFY(!list()->List1->item(r)->isHidden());
        key(Qt::Key_Return);
        QFETCH(QString, dialog);
        QVERIFY(!listShown());
        if (dialog.isEmpty()) {
            QVERIFY(ed()->hasFocus());
        } else {
            auto *w = t->frame->findChild<QDialog *>(dialog);
            QVERIFY(w && w->isVisible());
            QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(w));
        }
        QTEST(marked(ed()), "expected");
    }

    // Keys typed right after "<", before the desktop has activated the list,
    // still reach the list; the main frame's shortcuts stay out of its way,
    // before its activation and after (sent as the desktop does: shortcuts first).
    // Back in the editor F2 puts the chosen colour in place of the selection; a
    // cancelled colour changes nothing, not even the selection.
    void typeAheadShortcutsAndColour()
    {
        setText(QStringLiteral("x"), 1);
        QTest::keyClick(ed(), '<');
        QVERIFY(QApplication::activeWindow() != list());
        QTest::keyClicks(ed(), QStringLiteral("bi"));
        QTest::keyClick(t->frame->windowHandle(), Qt::Key_F2);
        waitListActive();
        QTest::keyClick(list()->windowHandle(), Qt::Key_F2);
        QTest::keyClick(list()->windowHandle(), Qt::Key_L, Qt::ControlModifier);
        QTest::keyClick(list()->windowHandle(), Qt::Key_Return);
        QCOMPARE(t->dialogs.count(QStringLiteral("color")), 0);
        QCOMPARE(ed()->text(), QStringLiteral("x<big></big>"));
        activateFrame();
        putMarked(doc(), QStringLiteral("a [SEL] b"));
        t->dialogs.colorAnswers.enqueue(QStringLiteral("#FF0000"));
        QTest::keyClick(ed(), Qt::Key_F2);
        QCOMPARE(marked(ed()), QStringLiteral("a [#FF0000] b"));
        t->dialogs.colorAnswers.enqueue(QString());
        t->active()->document()->markSaved();
        t->command(QStringLiteral("CodeColor"));
        QCOMPARE(t->dialogs.count(QStringLiteral("color")), 2);
        QCOMPARE(marked(ed()), QStringLiteral("a [#FF0000] b"));
        QCOMPARE(t->active()->document()->IzmT(), 0);
    }

    // F6 opens the list with no text and no row selected: Enter does nothing,
    // the keys move the selection only.
    void navigationKeysFromNoSelection()
    {
        setText(QStringLiteral("aXb"), 1, 1);
        for (const auto &[k, row] : {std::pair{Qt::Key_Down, 0}, {Qt::Key_PageDown, 9}, {Qt::Key_Up, -1}, {Qt::Key_PageUp, -1}}) {
            activateFrame();
            QTest::keyClick(ed(), Qt::Key_F6);
            QVERIFY(listShown() && list()->Text1->text().isEmpty());
            for (Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter})
                key(enter);
            QCOMPARE(ed()->text(), QStringLiteral("aXb"));
            key(k);
            QCOMPARE(selectedRow(), row);
            QVERIFY(listShown() && list()->Text1->text().isEmpty());
            key(Qt::Key_Escape);
        }
    }

    // Escape leaves the typed "<" in place of the selection, as typing it would;
    // losing the activation leaves the text and its selection alone.
    void layoutSwitched_data()
    {
        QTest::addColumn<int>("current"); // of US, RU, UA
        QTest::addColumn<QString>("way"); // out of the list
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("text");
        QTest::newRow("escape") << 1 << "escape" << RU << "a<|b";
        QTest::newRow("insertion") << 2 << "enter" << UA << "a<big>|</big>b";
        QTest::newRow("deactivated") << 2 << "deactivate" << UA << "a[X]b";
        QTest::newRow("user picks") << 2 << "pick" << RU << "a<|b";
    }

    void layoutSwitched()
    {
        QFETCH(QString, way);
        QFETCH(int, current);
        layouts.current = current;
        putMarked(doc(), QStringLiteral("a[X]b"));
        openList();
        waitListActive();
        QCOMPARE(layouts.activeLayoutName(), US);
        if (way == "pick")
            layouts.activateNext();
        if (way == "enter")
            QTest::keyClicks(list()->Text1, QStringLiteral("bi\r"));
        else if (way == "deactivate")
            activateFrame();
        else
            key(Qt::Key_Escape);
        QTRY_VERIFY(!listShown());
        QTEST(layouts.activeLayoutName(), "after");
        QTEST(marked(ed()), "text");
    }

    // Keys typed with the list on reach the page as typed: a character no name
    // goes on with closes the list and goes in after "<" and the name; Escape keeps
    // what was typed. "\x1b" is Escape, "\b" Backspace.
    void typingGoesOnPastTheList_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("listUp");
        QTest::newRow("attribute") << s(R"(<div class="x">)") << s(R"(<div class="x">)") << false;
        QTest::newRow("capitals kept") << s("<DiV ID=a>") << s("<DiV ID=a>") << false;
        QTest::newRow("name with a blank stays") << s("<a hr") << s("") << true;
        QTest::newRow("link") << s(R"(<a href="u">)") << s(R"(<a href="u">)") << false;
        QTest::newRow("comment") << s("<!-- c -->") << s("<!-- c -->") << false;
        QTest::newRow("end tag") << s("</p>") << s("</p>") << false;
        QTest::newRow("escape after letters") << s("<sect\x1b") << s("<sect") << false;
        QTest::newRow("escape right after <") << s("<\x1b" "b") << s("<b") << false;
        QTest::newRow("backspace right after <") << s("<\bq") << s("q") << false;
        QTest::newRow("letters go on after Escape") << s("<ab\x1b" "c") << s("<abc") << false;
    }

    void typingGoesOnPastTheList()
    {
        QFETCH(QString, keys);
        app().closeTags.set(false);   // the text as typed, without end tags (test_markup_gui has them)
        setText(QString());
        for (QChar c : keys) {
            QWidget *to = listShown() && QApplication::activeWindow() == list() ? static_cast<QWidget *>(list()->Text1) : ed();
            if (c == QChar(27))
                QTest::keyClick(to, Qt::Key_Escape);
            else if (c == u'\b')
                QTest::keyClick(to, Qt::Key_Backspace);
            else
                QTest::keyClicks(to, QString(c));
        }
        QTEST(listShown(), "listUp");
        QTEST(ed()->text(), "text");
        QCOMPARE(ed()->selStart(), ed()->text().size());
    }

    void noDocumentNoCommand()
    {
        t->command(QStringLiteral("ProektCloseAllFile"));
        const auto asked = t->dialogs.asked.size();
        t->dialogs.colorAnswers.enqueue(QStringLiteral("#FF0000"));
        // The menu is disabled; the handlers, reached another way, do nothing.
        for (int i = -1; i <= 71; ++i) {
            app().tagCommands->CodeFrm_Click(i);
            app().tagCommands->CodeMediaHTML_Click(i);
            app().tagCommands->CodeFormsHTML_Click(i);
            app().tagCommands->performCatalogueEntry(i);
        }
        app().tagCommands->CodeAhref_Click();
        app().tagCommands->CodeColor_Click();
        app().tagCommands->CodeTextTags_Click();
        app().tagCommands->CodeFormsSelect_Click();
        app().tagCommands->showBodyDialog();
        app().tagCommands->FoundCloseTagM();
        app().tagCommands->insertTypedTag(QStringLiteral("p"));
        QApplication::processEvents();
        QVERIFY(!listShown());
        for (QDialog *d : t->frame->findChildren<QDialog *>()) // tag dialogs and the code dialog
            QVERIFY2(!d->isVisible(), qPrintable(d->objectName()));
        QCOMPARE(t->dialogs.asked.size(), asked);
        QCOMPARE(app().docs.OpenDocCount, 0);
    }

    // The text checked, with the bracket found selected or the caret at the start.
    void bracketCheck_data()
    {
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("message");
        const QString noClose = QStringLiteral("Missing \">\""), noOpen = QStringLiteral("Missing \"<\"");
        QTest::newRow("no brackets") << "|plain\r\ntext" << "Balanced";
        QTest::newRow("a > b") << "a [>] b" << noOpen;
        QTest::newRow("<a <b>") << "<a [<]b>" << noClose;
        QTest::newRow("<p>text<") << "<p>text[<]" << noClose;
        QTest::newRow("comment") << "<!-- x > y --[>]" << noOpen;
    }

    void bracketCheck()
    {
        QFETCH(QString, after);
        app().lang.Messages[10] = QStringLiteral("Balanced");
        app().lang.Messages[11] = QStringLiteral("Missing");
        setText(QString(after).remove(u'|').remove(u'[').remove(u']'));
        t->command(QStringLiteral("CodeFoundTags"));
        QCOMPARE(t->dialogs.asked.size(), 1);
        const QueueDialogs::Asked asked = t->dialogs.last(QStringLiteral("message"));
        QTEST(asked.text, "message");
        QCOMPARE(asked.style, ed()->selLength() ? 16 : 64);
        QCOMPARE(marked(ed()), after);
        QVERIFY(ed()->hasFocus());
    }

    void codeTextDialog_data()
    {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("codes");
        QTest::newRow("Yo") << s("Ёё") << "&#1025;&#1105;";
        QTest::newRow("Latin, blank") << "A b" << "&#65;&#32;&#98;";
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
        setText("(" + selection + ")", 1, int(selection.size()));
        t->command(QStringLiteral("CodeTextTags"));
        QVERIFY(codeText() && codeText()->isVisible() && codeText()->kOK->isEnabled());
        QTest::mouseClick(codeText()->kOK, Qt::LeftButton);
        QTRY_VERIFY(!codeText() || !codeText()->isVisible());
        QCOMPARE(marked(ed()), "(" + codes + "|)");
    }
};

QTEST_MAIN(TestTagsGui)
#include "test_tags_gui.moc"
