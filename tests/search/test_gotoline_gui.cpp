// Tags > Go to line (Ctrl+G) through the real dialog: the typed number, the
// line selected without its break, entry 105 with the dialog left open.
#include "common/GuiFixture.h"

#include "search/frmFoundLine.h"

#include <QtTest>
#include <QtWidgets>

class TestGoToLineGui : public QObject, GuiFixture {
    Q_OBJECT

    QString selected() { return ed()->text().mid(ed()->selStart(), ed()->selLength()); }
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
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("selStart");  // -1: entry 105, the dialog stays open; -2: OK stays disabled
        QTest::addColumn<int>("selLength");
        // Lines: "first", "", "x", "fourth", "" (after the final break). The
        // number rules themselves are in test_search_core.
        QTest::newRow("empty line") << "2" << 7 << 0;
        QTest::newRow("line count + 1") << "6" << -1 << 0;
        QTest::newRow("3.5 to even 4, leading number") << "3.5th" << 12 << 6;
        QTest::newRow("refused") << "abc" << -2 << 0;
    }

    void goToLine()
    {
        QFETCH(QString, typed);
        QFETCH(int, selStart);
        setText(QStringLiteral("first\r\n\r\nx\r\nfourth\r\n"), 2);
        const QPointer<frmFoundLine> dialog = openGoToLine();
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("[42]"));
        QVERIFY(!dialog->kOK->isEnabled());
        QTest::keyClicks(dialog->Text1, typed);
        QCOMPARE(dialog->kOK->isEnabled(), selStart != -2);
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

    // Word wrap on: lines are still the text's lines, not screen rows.
    void goToLineWithWordWrap()
    {
        const QString longLine = QStringLiteral("word ").repeated(200);
        setText(longLine + "\r\nsecond\r\nthird");
        ed()->setWordWrap(true);
        t->active()->resize(300, 200);
        QApplication::processEvents();
        QVERIFY(ed()->document()->firstBlock().layout()->lineCount() > 5); // several rows
        const QPointer<frmFoundLine> dialog = openGoToLine();
        QVERIFY(dialog);
        QTest::keyClicks(dialog->Text1, QStringLiteral("2"));
        QTest::mouseClick(dialog->kOK, Qt::LeftButton);
        QCOMPARE(ed()->selStart(), int(longLine.size()) + 2);
        QCOMPARE(selected(), QStringLiteral("second"));
    }
};

QTEST_MAIN(TestGoToLineGui)
#include "test_gotoline_gui.moc"
