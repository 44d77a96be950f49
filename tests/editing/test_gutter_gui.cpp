// The line-number gutter and the caret's line: the width follows the number of real
// lines (a long line held in pieces counts once), the numbers and the mark skip
// the pieces, and Options > Line numbers reaches every document.
#include "common/GuiFixture.h"

#include "platform/LineNumberArea.h"

#include <QTextBlock>
#include <QtTest>

using namespace gui;

namespace {

// n lines of short text; the line `longLine` (if >= 0) holds `longLength` characters.
QString lines(int n, int longLine = -1, int longLength = 0)
{
    QStringList out;
    for (int i = 0; i < n; ++i)
        out << (i == longLine ? QString(longLength, u'w') : QStringLiteral("line %1").arg(i + 1));
    return out.join(QStringLiteral("\r\n"));
}

} // namespace

class TestGutterGui : public QObject {
    Q_OBJECT
    GuiFixture g;

    LineNumberArea *gutter() const { return g.ed()->lineNumberArea(); }
    int widthFor(const QString &text)
    {
        g.setText(text);
        return gutter()->areaWidth();
    }
    // Where a real line starts on screen.
    QRect lineRect(int line)
    {
        EditControl *e = g.ed();
        QTextCursor c(e->document());
        c.setPosition(e->toDocPos(e->lineStart(line)));
        return e->cursorRect(c);
    }
    // Colour painted at the right end of a line's first row.
    QColor shade(int line)
    {
        EditControl *e = g.ed();
        QApplication::processEvents();
        const QImage img = e->viewport()->grab().toImage();
        const QRect r = lineRect(line);
        return img.pixelColor(img.width() - 4, r.center().y() * img.height() / e->viewport()->height());
    }

private slots:
    void init() { QVERIFY(g.startApp()); }
    void cleanup() { g.stopApp(); }

    void widthFollowsTheDigitsOfTheRealLineCount_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("digits");
        QTest::newRow("1 line") << QString() << 1;
        QTest::newRow("10 lines") << lines(10) << 2;
        QTest::newRow("100 lines") << lines(100) << 3;
        // Many blocks, still 9 or 99 lines: the pieces do not count.
        QTest::newRow("9 lines, one long") << lines(9, 4, 30000) << 1;
        QTest::newRow("99 lines, long last") << lines(99, 98, 300000) << 2;
        QTest::newRow("10 lines ending in a break") << lines(9) + QStringLiteral("\r\n") << 2;
    }
    void widthFollowsTheDigitsOfTheRealLineCount()
    {
        QFETCH(QString, text);
        QFETCH(int, digits);
        const int width = widthFor(text);
        const int one = widthFor(lines(5)), two = widthFor(lines(50)), three = widthFor(lines(500));
        QVERIFY(one > 0 && one < two && two < three);
        QCOMPARE(width, (QList<int>{one, two, three}).at(digits - 1));
        // The text starts right of the gutter.
        g.setText(text);
        QCOMPARE(g.ed()->viewport()->x(), g.ed()->contentsRect().left() + width);
    }

    void typingAcrossTenLinesOrAFontChangesTheWidth()
    {
        const int one = widthFor(lines(9));
        g.ed()->setSelStart(g.ed()->textLength());
        type(g.ed(), QStringLiteral("\n"));
        const int two = gutter()->areaWidth();
        QVERIFY(two > one);
        QTest::keyClick(g.ed(), Qt::Key_Backspace);
        QCOMPARE(gutter()->areaWidth(), one);
        g.t->command(QStringLiteral("mnuEditUndo"));
        QCOMPARE(g.ed()->lineCount(), 10);
        QCOMPARE(gutter()->areaWidth(), two);
        // Pasting a long line into line 1 makes pieces, not lines.
        g.ed()->setSelStart(0);
        g.ed()->setSelText(QString(20000, u'p'));
        QVERIFY(g.ed()->blockCount() > 10);
        QCOMPARE(gutter()->areaWidth(), two);
        // A bigger font: wider numbers.
        g.ed()->setEditorFont(QStringLiteral("Monospace"), 24, false, false);
        QVERIFY(gutter()->areaWidth() > two);
        QCOMPARE(gutter()->font().pointSize(), 24);
    }

    void numbersAndTheCaretLineSkipThePieces()
    {
        // Line 2 is held in several pieces.
        g.setText(lines(3, 1, 10000));
        EditControl *e = g.ed();
        QTextDocument *doc = e->document();
        const int blocks = e->blockCount();
        QVERIFY(blocks >= 5);
        QList<int> shown;
        for (int b = 0; b < blocks; ++b)
            shown << gutter()->rowNumbers(b).first();
        QList<int> expected{1, 2};
        expected << QList<int>(blocks - 3, 0) << 3;
        QCOMPARE(shown, expected);

        const int longStart = e->lineStart(1);
        const int lastStart = doc->lastBlock().position();
        for (int pos : {longStart, longStart + 5000, longStart + 10000}) {
            e->setSelStart(pos);
            QCOMPARE(gutter()->caretLineSpan(), std::make_pair(doc->findBlockByNumber(1).position(), lastStart - 1));
        }
        e->setSelStart(e->textLength());
        QCOMPARE(gutter()->caretLineSpan(), std::make_pair(lastStart, doc->characterCount() - 1));
        e->setSelStart(0);
        QCOMPARE(gutter()->caretLineSpan(), std::make_pair(0, doc->findBlockByNumber(1).position() - 1));
    }

    // Short lines held together in one block: a number beside each of its rows. Where
    // the caret goes, the lines become a block each, numbered the same.
    void numbersOfLinesHeldTogether()
    {
        g.setText(lines(20), 0);
        EditControl *e = g.ed();
        e->viewport()->repaint();
        const int blocks = e->blockCount();
        QCOMPARE(blocks, 17);   // the caret's group a line a block, the other one whole
        QCOMPARE(gutter()->rowNumbers(blocks - 1), (QList<int>{17, 18, 19, 20}));
        e->setSelStart(e->lineStart(18) + 2);
        e->viewport()->repaint();
        QCOMPARE(e->blockCount(), 20);
        QCOMPARE(gutter()->rowNumbers(18), QList<int>{19});
        QCOMPARE(gutter()->caretLineSpan(), std::make_pair(e->toDocPos(e->lineStart(18)), e->toDocPos(e->lineStart(19)) - 1));
        QCOMPARE(e->text(), lines(20));
    }

    // A click on a number selects the whole line with its break, a drag the lines
    // it passes, upwards too; the last line goes to the end of the text.
    void clickAndDragSelectLines()
    {
        g.setText(lines(4), 0);
        EditControl *e = g.ed();
        QApplication::processEvents();
        const auto yOf = [&](int line) { return lineRect(line).center().y(); };
        const auto selected = [&] { return e->selText(); };
        QTest::mouseClick(gutter(), Qt::LeftButton, {}, QPoint(2, yOf(1)));
        QCOMPARE(selected(), QStringLiteral("line 2\r\n"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(e));
        QTest::mousePress(gutter(), Qt::LeftButton, {}, QPoint(2, yOf(2)));
        QMouseEvent move(QEvent::MouseMove, QPointF(2, yOf(0)), gutter()->mapToGlobal(QPointF(2, yOf(0))),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(gutter(), &move);
        QTest::mouseRelease(gutter(), Qt::LeftButton, {}, QPoint(2, yOf(0)));
        QCOMPARE(selected(), QStringLiteral("line 1\r\nline 2\r\nline 3\r\n"));
        QTest::mouseClick(gutter(), Qt::LeftButton, {}, QPoint(2, yOf(3)));
        QCOMPARE(selected(), QStringLiteral("line 4"));
        QCOMPARE(g.doc()->document()->IzmT(), 0);
    }

    // The caret's line is marked and the mark follows the caret; Options > Line
    // numbers takes gutter and mark from every document, open and new.
    void theCaretLineMarkAndTheOption()
    {
        g.setText(lines(5), 0);
        EditControl *e = g.ed();
        const QColor base = e->palette().color(QPalette::Base);
        QCOMPARE(shade(2), base);
        QVERIFY(shade(0) != base);
        // Moving down by key repaints both lines.
        QTest::keyClick(e, Qt::Key_Down);
        QTest::keyClick(e, Qt::Key_Down);
        QCOMPARE(shade(0), base);
        QVERIFY(shade(2) != base);
        g.t->command(QStringLiteral("mnuFileNew"));
        g.t->command(QStringLiteral("mnuOptionsLineNumbers"));
        QVERIFY(!app().lineNumbers.value());
        QCOMPARE(app().docs.OpenDocCount, 2);
        for (DocWindow *d : app().docs.open()) {
            EditControl *x = d->Rich();
            QVERIFY(!x->lineNumbersVisible() && !x->lineNumberArea()->isVisible());
            QCOMPARE(x->lineNumberArea()->areaWidth(), 0);
            QCOMPARE(x->viewport()->x(), x->contentsRect().left());
        }
        g.f->activateDoc(app().docs.slot(0));
        QCOMPARE(shade(2), base);   // off, nothing is marked
        g.t->command(QStringLiteral("mnuFileNew"));
        QVERIFY(!g.ed()->lineNumbersVisible());
        app().lineNumbers.set(true);
        QVERIFY(g.f->isChecked(QStringLiteral("mnuOptionsLineNumbers")));
        for (DocWindow *d : app().docs.open())
            QVERIFY(d->Rich()->lineNumbersVisible() && d->Rich()->lineNumberArea()->areaWidth() > 0);
    }
};

QTEST_MAIN(TestGutterGui)
#include "test_gutter_gui.moc"
