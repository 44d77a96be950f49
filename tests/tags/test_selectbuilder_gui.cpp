// The select-list builder through the real main frame: its two lists, reading a
// selected element back, its key filters. The build rules themselves are tested
// in test_tagbuilders.
#include "tags/TagDialogsFixture.h"

class TestSelectBuilderGui : public QObject, Fixture {
    Q_OBJECT

private slots:
    void init() { QVERIFY(startApp()); }
    void cleanup() { stopApp(); }

    // The select builder: Enter walks name -> value -> text and adds the
    // option; OK puts the element in place of the selection. Reading it back is
    // selectListsInStep's and test_tagbuilders' selectRoundTrip.
    void selectBuildAndReadBack()
    {
        const QString element = "<select name=\"a\"><option value=\"1\">One</option>" + CrLf
            + "<option value=\"2\">Two</option>" + CrLf + "</select>" + CrLf;
        put(QStringLiteral("([SEL])"));
        FrmSelect *w = open<FrmSelect>("FrmSelect");
        QVERIFY(w);
        QCOMPARE(QApplication::focusWidget(), w->SName);
        QTest::keyClick(w->SName, Qt::Key_Return); // empty: stays
        QCOMPARE(QApplication::focusWidget(), w->SName);
        type(w->SName, QStringLiteral("a"));
        QTest::keyClick(w->SName, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w->SValue);
        for (const auto &[value, text] : {std::pair{"1", "One"}, {"2", "Two"}}) {
            type(w->SValue, QLatin1String(value));
            QTest::keyClick(w->SValue, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), w->SText);
            type(w->SText, QLatin1String(text));
            QTest::keyClick(w->SText, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), w->SValue);
            QVERIFY(w->SValue->text().isEmpty() && w->SText->text().isEmpty());
        }
        QCOMPARE(shown(), QStringLiteral("([SEL])")); // Enter never meant OK
        QPointer<QWidget> gone(w);
        QTest::keyClick(w->windowHandle(), Qt::Key_O, Qt::AltModifier);
        waitClosed(gone);
        QCOMPARE(shown(), "(" + element + "|)");
    }

    // Both lists move together: a click in one selects the row in the other;
    // up, down, delete and taking an option back keep them in step.
    void selectListsInStep()
    {
        const QString element = "<select name=n><option value=1>A<option value=2>B<option value=3>C</select>";
        setText(element, 0, int(element.size()));
        FrmSelect *w = open<FrmSelect>("FrmSelect");
        QVERIFY(w);
        QCOMPARE(w->SName->text(), QStringLiteral("n"));
        checkLists(w, {"1", "2", "3"}, {"A", "B", "C"}, 2);
        const auto click = [](QListWidget *l, int row) {
            QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
        };
        click(w->LstText, 0);
        checkLists(w, {"1", "2", "3"}, {"A", "B", "C"}, 0);
        QTest::mouseClick(w->VerhNiz[1], Qt::LeftButton);
        checkLists(w, {"2", "1", "3"}, {"B", "A", "C"}, 1);
        click(w->LstValue, 2);
        QTest::mouseClick(w->VerhNiz[0], Qt::LeftButton);
        checkLists(w, {"2", "3", "1"}, {"B", "C", "A"}, 1);
        QTest::mouseClick(w->Del, Qt::LeftButton);
        checkLists(w, {"2", "1"}, {"B", "A"}, 0);
        // Enter in the text list takes row 0 back; no row is selected then, so
        // adding it again puts it at the top.
        QTest::keyClick(w->LstText, Qt::Key_Return);
        checkLists(w, {"1"}, {"A"}, -1);
        QCOMPARE(QApplication::focusWidget(), w->SText);
        QCOMPARE(w->SText->selectedText(), QStringLiteral("B"));
        QCOMPARE(w->SValue->text(), QStringLiteral("2"));
        QTest::keyClick(w->SText, Qt::Key_End);
        type(w->SText, QStringLiteral("b"));
        QTest::keyClick(w->SText, Qt::Key_Return);
        checkLists(w, {"2", "1"}, {"Bb", "A"}, 0);
        // A double click in the value list takes the row back into the value box.
        const QPoint second = w->LstValue->visualItemRect(w->LstValue->item(1)).center();
        QTest::mouseClick(w->LstValue->viewport(), Qt::LeftButton, {}, second); // a double click starts as a click
        QTest::mouseDClick(w->LstValue->viewport(), Qt::LeftButton, {}, second);
        QTRY_COMPARE(w->LstValue->count(), 1);
        checkLists(w, {"2"}, {"Bb"}, 0);
        QCOMPARE(QApplication::focusWidget(), w->SValue);
        QCOMPARE(w->SValue->selectedText(), QStringLiteral("1"));
        // With the value box empty, Enter in the text box goes back to it.
        w->SValue->clear();
        QTest::keyClick(w->SText, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w->SValue);
        checkLists(w, {"2"}, {"Bb"}, 0);
        w->LstValue->clearSelection();   // what a list does without a selection is test_tagbuilders'
        checkLists(w, {"2"}, {"Bb"}, -1);
    }

    // Name and value refuse what would break their attribute, the text only
    // the angle brackets.
    void selectKeyFilters()
    {
        FrmSelect *w = open<FrmSelect>("FrmSelect");
        QVERIFY(w);
        type(w->SName, QStringLiteral("a b\"c'd<e>f"));
        type(w->SValue, QStringLiteral(" \"x\"=1 "));
        type(w->SText, QStringLiteral("<b>it's \"x\"</b>"));
        QCOMPARE(QStringList({w->SName->text(), w->SValue->text(), w->SText->text()}),
                 QStringList({"abcdef", "x=1", "bit's \"x\"/b"}));
    }

    // OK without a name or without options, and Cancel through its access key, insert nothing.
    void selectInsertsNothing()
    {
        setText(QStringLiteral("ab"), 1);
        for (int round = 0; round < 3; ++round) {
            t->frame->activateWindow();
            FrmSelect *w = open<FrmSelect>("FrmSelect");
            QVERIFY(w);
            if (round != 0)
                addOption(w, QStringLiteral("v"), QStringLiteral("t"));
            if (round == 2)
                type(w->SName, QStringLiteral("n"));
            QPointer<QWidget> gone(w);
            // The fixture's language has no access keys: the buttons are clicked.
            QTest::mouseClick(round == 2 ? w->NO : w->OK, Qt::LeftButton);
            waitClosed(gone);
            QCOMPARE(ed()->text(), QStringLiteral("ab"));
        }
    }
};

QTEST_MAIN(TestSelectBuilderGui)
#include "test_selectbuilder_gui.moc"
