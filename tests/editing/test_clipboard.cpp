// Cut, copy and paste of plain text between the editor and the clipboard.
#include "editing/GuiSupport.h"

#include "app/AppState.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QTextCursor>
#include <QtTest>

using namespace gui;

class TestClipboard : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> t;
    frmMain *f = nullptr;

    EditControl *ed() const { return t->editor(); }
    static QClipboard *clip() { return QApplication::clipboard(); }

private slots:
    void init()
    {
        t = std::make_unique<TestApp>();
        f = startProgram(*t);
        QVERIFY(f);
        load(t->active(), QStringLiteral("one\r\ntwo three"));
        clip()->setText(QStringLiteral("before"));
    }
    void cleanup() { t.reset(); }

    void copyTakesTheSelection()
    {
        select(ed(), 2, 5);
        QTest::keyClick(ed(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clip()->text(), QStringLiteral("e\r\ntw"));
        QCOMPARE(ed()->text(), QStringLiteral("one\r\ntwo three"));
        QCOMPARE(t->active()->IzmT, 0);
    }

    void copyWithNothingSelectedEmptiesTheClipboard()
    {
        ed()->setSelStart(3);
        f->mnuEditCopy_Click();   // the toolbar's Copy does not look at the selection
        QCOMPARE(clip()->text(), QString());
        clip()->setText(QStringLiteral("before"));
        f->mnuEditCut_Click();
        QCOMPARE(clip()->text(), QString());
        QCOMPARE(ed()->text(), QStringLiteral("one\r\ntwo three"));
        QCOMPARE(t->active()->IzmT, 0);
    }

    void cutMovesTheSelection()
    {
        select(ed(), 5, 4);
        QTest::keyClick(ed(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(clip()->text(), QStringLiteral("two "));
        QCOMPARE(ed()->text(), QStringLiteral("one\r\nthree"));
        QCOMPARE(ed()->selStart(), 5);
        QCOMPARE(t->active()->IzmT, 1);
        QTest::keyClick(ed(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ed()->text(), QStringLiteral("one\r\ntwo three"));
    }

    void pasteKeepsLineBreaks()
    {
        clip()->setText(QStringLiteral("a\r\nb\r\n"));
        ed()->setSelStart(3);
        QVERIFY(f->trigger(QStringLiteral("mnuEditPaste")));
        QCOMPARE(ed()->text(), QStringLiteral("onea\r\nb\r\n\r\ntwo three"));
        QCOMPARE(ed()->selStart(), 9);
        // Text from a program with bare LF breaks comes in with CR LF.
        clip()->setText(QStringLiteral("x\ny"));
        select(ed(), 0, 3);
        QTest::keyClick(ed(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(ed()->text(), QStringLiteral("x\r\nya\r\nb\r\n\r\ntwo three"));
        QCOMPARE(ed()->selStart(), 4);
        QTest::keyClick(ed(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ed()->text(), QStringLiteral("onea\r\nb\r\n\r\ntwo three"));
    }

    void otherClipboardKeysRunTheSameCommands()
    {
        select(ed(), 0, 3);
        QTest::keyClick(ed(), Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(clip()->text(), QStringLiteral("one"));
        ed()->setSelStart(ed()->textLength());
        QTest::keyClick(ed(), Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(ed()->text(), QStringLiteral("one\r\ntwo threeone"));
        select(ed(), 0, 5);
        QTest::keyClick(ed(), Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(clip()->text(), QStringLiteral("one\r\n"));
        QCOMPARE(ed()->text(), QStringLiteral("two threeone"));
        // Each was one step in the history.
        QTest::keyClick(ed(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ed()->text(), QStringLiteral("one\r\ntwo threeone"));
        QTest::keyClick(ed(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ed()->text(), QStringLiteral("one\r\ntwo three"));
    }

    void pastedNulCharactersAreDropped()
    {
        // A NUL would be saved as a NUL byte, and the file refused when opened again.
        clip()->setText(QStringLiteral("a") + QChar(0) + QStringLiteral("b"));
        ed()->setSelStart(0);
        QVERIFY(f->trigger(QStringLiteral("mnuEditPaste")));
        QCOMPARE(ed()->text(), QStringLiteral("abone\r\ntwo three"));
        QCOMPARE(ed()->selStart(), 2);
        QTest::keyClick(ed(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ed()->text(), QStringLiteral("one\r\ntwo three"));
    }

    void pasteWithoutTextDeletesTheSelection()
    {
        auto *picture = new QMimeData;
        picture->setImageData(QImage(4, 4, QImage::Format_RGB32));
        clip()->setMimeData(picture);
        ed()->setSelStart(2);
        f->mnuEditPaste_Click();
        QCOMPARE(ed()->text(), QStringLiteral("one\r\ntwo three"));
        QCOMPARE(t->active()->IzmT, 0);

        select(ed(), 3, 5);
        f->mnuEditPaste_Click();
        QCOMPARE(ed()->text(), QStringLiteral("one three"));
        QCOMPARE(ed()->selStart(), 3);
        QCOMPARE(t->active()->IzmT, 1);

        clip()->clear();
        select(ed(), 0, 4);
        QTest::keyClick(ed(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(ed()->text(), QStringLiteral("three"));
    }

    void pasteOfRichTextGivesItsPlainText()
    {
        auto *rich = new QMimeData;
        rich->setHtml(QStringLiteral("<table><tr><td><b>cell</b></td></tr></table>"));
        rich->setText(QStringLiteral("cell"));
        clip()->setMimeData(rich);
        ed()->setSelStart(0);
        QTest::keyClick(ed(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(ed()->text(), QStringLiteral("cellone\r\ntwo three"));
        // The editor never carries formatting of its own.
        QCOMPARE(ed()->document()->toPlainText(), QStringLiteral("cellone\ntwo three"));
        QTextCursor c(ed()->document());
        c.setPosition(2);
        QVERIFY(!c.charFormat().hasProperty(QTextFormat::FontWeight));
        QVERIFY(!c.charFormat().hasProperty(QTextFormat::TextUnderlineStyle));
    }
};

QTEST_MAIN(TestClipboard)
#include "test_clipboard.moc"
