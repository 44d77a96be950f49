// Tags > Go to line (Ctrl+G) through the real dialog: the typed number, the
// line selected without its break, entry 105 with the dialog left open.
#include "common/GuiFixture.h"

#include "search/frmFoundLine.h"

#include <QtTest>
#include <QtWidgets>

class TestGoToLineGui : public QObject, GuiFixture {
    Q_OBJECT

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
        if (selStart < 0) {
            QCOMPARE(messages(), selStart == -1 ? 1 : 0);
            if (selStart == -1) {
                QCOMPARE(lastMessage().text, QStringLiteral("[105]"));
                QCOMPARE(lastMessage().style, int(Dialogs::Critical));
            }
            QVERIFY(dialog->isVisible());
            QCOMPARE(dialog->Text1->text(), typed);
            QCOMPARE(ed()->selStart(), 2);
            QTest::keyClick(dialog->Text1, Qt::Key_Escape);
            QVERIFY(!dialog || !dialog->isVisible());
            return;
        }
        QVERIFY(!dialog || !dialog->isVisible());
        QCOMPARE(messages(), 0);
        QCOMPARE(ed()->selStart(), selStart);
        QTEST(ed()->selLength(), "selLength");
    }
};

QTEST_MAIN(TestGoToLineGui)
#include "test_gotoline_gui.moc"
