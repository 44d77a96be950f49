// The editing control's positions count a line break as two characters, every
// change is reported once, as (position, removed, inserted), and a very long line
// held as several pieces is still one line to everything outside the control.
#include "common/LinePieces.h"
#include "platform/EditControl.h"

#include <QRandomGenerator>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QtTest>

namespace {

constexpr int Piece = LinePieces::PieceSize;
constexpr int Max = LinePieces::MaxBlock;

// A minified page: tags and words with blanks, no line break.
QString minified(int length)
{
    const QString unit = QStringLiteral("<a href=\"p.htm\">word</a> text, ");
    QString s;
    s.reserve(length + unit.size());
    while (s.size() < length)
        s += unit;
    s.truncate(length);
    return s;
}
QString same(int length, QChar c = u'x') { return QString(length, c); }

// Text positions of the piece boundaries: a block that starts where its separator began.
QList<int> pieceBoundaries(const EditControl &e)
{
    QList<int> out;
    for (QTextBlock b = e.document()->firstBlock().next(); b.isValid(); b = b.next())
        if (e.fromDocPos(b.position()) == e.fromDocPos(b.position() - 1))
            out << e.fromDocPos(b.position());
    return out;
}

// Empty when every block is bounded, no piece is empty and no cut splits a pair.
QString piecesProblem(const EditControl &e)
{
    const QList<int> cuts = pieceBoundaries(e);
    for (QTextBlock b = e.document()->firstBlock(); b.isValid(); b = b.next()) {
        const QString t = b.text();
        if (t.size() > Max)
            return QStringLiteral("block %1 holds %2 characters").arg(b.blockNumber()).arg(t.size());
        const bool piece = cuts.contains(e.fromDocPos(b.position()))
            || (b.next().isValid() && cuts.contains(e.fromDocPos(b.next().position())));
        if (piece && (t.isEmpty() || t.front().isLowSurrogate()))
            return QStringLiteral("bad piece at block %1").arg(b.blockNumber());
    }
    return {};
}

int lineOf(const QString &text, int pos) { return int(text.left(pos).count(QStringLiteral("\r\n"))); }

// Empty when the text, its length, every position's line and way there and back,
// every line's start and short ranges everywhere agree with text.
QString mappingProblem(const EditControl &e, const QString &text)
{
    if (e.text() != text || e.textLength() != text.size())
        return QStringLiteral("text");
    QList<int> starts{0};
    for (int i = 1; i < text.size(); ++i)
        if (text[i - 1] == u'\r' && text[i] == u'\n')
            starts << i + 1;
    if (e.lineCount() != starts.size())
        return QStringLiteral("line count %1, not %2").arg(e.lineCount()).arg(starts.size());
    for (int l = 0; l < starts.size(); ++l)
        if (e.lineStart(l) != starts[l])
            return QStringLiteral("line %1 starts at %2, not %3").arg(l).arg(e.lineStart(l)).arg(starts[l]);
    int line = 0;
    for (int p = 0; p <= text.size(); ++p) {
        while (line + 1 < starts.size() && starts[line + 1] <= p)
            ++line;
        const bool inBreak = p > 0 && p < text.size() && text[p - 1] == u'\r' && text[p] == u'\n';
        if (e.lineAt(p) != line)
            return QStringLiteral("position %1 on line %2, not %3").arg(p).arg(e.lineAt(p)).arg(line);
        if (e.fromDocPos(e.toDocPos(p)) != p - (inBreak ? 1 : 0))
            return QStringLiteral("position %1 comes back as %2").arg(p).arg(e.fromDocPos(e.toDocPos(p)));
        if (e.textAt(p, 3) != text.mid(p, 3))
            return QStringLiteral("text at %1").arg(p);
    }
    return {};
}

QString shortLines(int count)
{
    QStringList l;
    for (int i = 0; i < count; ++i)
        l << (i % 7 == 3 ? QString() : QStringLiteral("<p>line %1</p>").arg(i).repeated(1 + i % 3));
    return l.join(QStringLiteral("\r\n"));
}

// Formats every block, as a syntax highlighter does on each change.
class BoldEverything : public QSyntaxHighlighter {
public:
    using QSyntaxHighlighter::QSyntaxHighlighter;
    void highlightBlock(const QString &text) override
    {
        QTextCharFormat f;
        f.setFontWeight(QFont::Bold);
        setFormat(0, int(text.size()), f);
    }
};

} // namespace

class TestEditControl : public QObject {
    Q_OBJECT

    std::unique_ptr<EditControl> e;
    QList<TextChange> changes;
    int outside = 0;

    void load(const QString &text)
    {
        e->setText(text);
        changes.clear();
    }

private slots:
    void init()
    {
        e = std::make_unique<EditControl>();
        e->resize(600, 400);
        connect(e.get(), &EditControl::changed, this, [this](const TextChange &c) { changes << c; });
        connect(e.get(), &EditControl::externalChange, this, [this] { ++outside; });
        outside = 0;
        load(QStringLiteral("ab\r\ncd\r\n\r\nef"));
    }

    void positionsCountBreaksAsTwo()
    {
        QCOMPARE(e->textLength(), 12);
        QCOMPARE(e->text(), QStringLiteral("ab\r\ncd\r\n\r\nef"));
        e->setSelStart(4);
        e->setSelLength(5);                     // would end between CR and LF
        QCOMPARE(e->selText(), QStringLiteral("cd\r\n"));
        QCOMPARE(e->selLength(), 4);            // a break is never cut in half
        QCOMPARE(e->toDocPos(e->fromDocPos(7)), 7);
        QCOMPARE(e->textAt(1, 2), QStringLiteral("b\r"));
        QCOMPARE(e->textAt(3, 3), QStringLiteral("\ncd"));
        QCOMPARE(e->textAt(10, 5), QStringLiteral("ef"));
        QCOMPARE(e->textAt(-2, 3), QStringLiteral("a"));
        QCOMPARE(e->lineCount(), 4);
        QCOMPARE(e->lineAt(3), 0);              // the LF of a break belongs to its line
        QCOMPARE(e->lineAt(8), 2);
        QCOMPARE(e->lineStart(3), 10);
        QCOMPARE(e->lineStart(9), 10);          // clamped
        // A no-break space must not come back as a blank, nor a tab change; the widget's
        // frame marks would become line breaks.
        const QString raw = QStringLiteral("a") + QChar(0xA0) + QStringLiteral("\tb");
        e->setText(raw);
        QCOMPARE(e->text(), raw);
        e->setText(QStringLiteral("a") + QChar(0xFDD0) + QStringLiteral("b"));
        QCOMPARE(e->text(), QStringLiteral("a") + QChar(QChar::ReplacementCharacter) + QStringLiteral("b"));
        QCOMPARE(e->lineCount(), 1);
        // Every kind of break becomes one CR LF; a NUL goes; a last lone CR is a break.
        e->setText(QStringLiteral("a\rb\nc") + QChar(QChar::ParagraphSeparator) + QStringLiteral("d") + QChar(0)
                   + QStringLiteral("\x0b\r\n\r"));
        QCOMPARE(e->text(), QStringLiteral("a\r\nb\r\nc\r\nd\x0b\r\n\r\n"));
        QCOMPARE(e->lineCount(), 6);
    }

    void changesAreReportedOnce()
    {
        e->setSelStart(1);
        e->setSelLength(4);                     // "b\r\nc"
        e->setSelText(QStringLiteral("X\nY"));
        QCOMPARE(e->text(), QStringLiteral("aX\r\nYd\r\n\r\nef"));
        QCOMPARE(e->selStart(), 5);
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes[0].pos, 1);
        QCOMPARE(changes[0].removed, QStringLiteral("b\r\nc"));
        QCOMPARE(changes[0].inserted, QStringLiteral("X\r\nY"));

        load(QStringLiteral("ab\r\ncd"));
        e->setSelStart(2);
        QTest::keyClick(e.get(), Qt::Key_Return, Qt::ShiftModifier);   // a line break, never U+2028
        QTest::keyClick(e.get(), Qt::Key_Z);
        QCOMPARE(e->text(), QStringLiteral("ab\r\nz\r\ncd"));
        QTest::keyClick(e.get(), Qt::Key_Backspace);
        QTest::keyClick(e.get(), Qt::Key_Backspace);
        QCOMPARE(e->text(), QStringLiteral("ab\r\ncd"));
        QCOMPARE(changes.size(), 4);
        QCOMPARE(changes[2].removed, QStringLiteral("z"));
        QCOMPARE(changes[3].pos, 2);
        QCOMPARE(changes[3].removed, QStringLiteral("\r\n"));
        QCOMPARE(outside, 0);
    }

    // Only a change of the text itself is an outside change: formats and pre-edits are not.
    void outsideChangesAreTextChanges()
    {
        BoldEverything highlighter(e->document());
        // Formats follow the caret, as a bracket or current-line mark would.
        connect(e.get(), &QPlainTextEdit::cursorPositionChanged, &highlighter, &QSyntaxHighlighter::rehighlight);
        highlighter.rehighlight();
        e->setSelStart(2);
        QTest::keyClicks(e.get(), QStringLiteral("xy"));
        QTest::keyClick(e.get(), Qt::Key_Left);
        QTest::keyClick(e.get(), Qt::Key_Right);
        QCOMPARE(changes.size(), 2);
        QCOMPARE(e->text(), QStringLiteral("abxy\r\ncd\r\n\r\nef"));

        QInputMethodEvent preedit(QStringLiteral("ka"), {});
        QApplication::sendEvent(e.get(), &preedit);
        QInputMethodEvent cleared;
        QApplication::sendEvent(e.get(), &cleared);
        QTextCursor outsider(e->document());
        outsider.setPosition(0);
        outsider.setPosition(2, QTextCursor::KeepAnchor);
        QTextCharFormat italic;
        italic.setFontItalic(true);
        outsider.mergeCharFormat(italic);
        QCOMPARE(changes.size(), 2);
        QCOMPARE(outside, 0);
        QCOMPARE(e->text(), QStringLiteral("abxy\r\ncd\r\n\r\nef"));

        // A pre-edit over a selection drops the selection as a change of its own.
        e->setSelStart(0);
        e->setSelLength(1);
        QApplication::sendEvent(e.get(), &preedit);
        QCOMPARE(changes.size(), 3);
        QCOMPARE(changes[2].removed, QStringLiteral("a"));
        QApplication::sendEvent(e.get(), &cleared);

        // The same number of characters, other text: an outside change, once.
        outsider.setPosition(0);
        outsider.setPosition(1, QTextCursor::KeepAnchor);
        outsider.insertText(QStringLiteral("Q"));
        QCOMPARE(outside, 1);
        QCOMPARE(changes.size(), 3);
        QCOMPARE(e->text(), QStringLiteral("Qxy\r\ncd\r\n\r\nef"));

        // Lines added past the control above a long line: it stays one line.
        const QString longLine = QStringLiteral("top\r\n") + minified(3 * Max);
        load(longLine);
        outsider.setPosition(0);
        outsider.insertText(QStringLiteral("new\nlines\n"));
        QCOMPARE(outside, 2);
        QCOMPARE(e->text(), QStringLiteral("new\r\nlines\r\n") + longLine);
        QCOMPARE(e->lineCount(), 4);
    }

    // Texts with long lines: one line each to the outside, however they are held.
    void longLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pieces");   // blocks beyond the real lines
        const QString crlf = QStringLiteral("\r\n");
        QTest::newRow("piece size") << same(Piece) << 0;
        QTest::newRow("longest whole block") << minified(Max) << 0;
        QTest::newRow("one past it") << same(Max + 1) << 2;
        QTest::newRow("minified") << minified(10 * Piece + 17) << 10;
        QTest::newRow("mixed breaks") << QStringLiteral("<p>\r\n") + minified(3 * Piece) + crlf + crlf + same(5 * Piece + 1)
                + QStringLiteral("\r\nend\r\n") << 2 + 5;
        QString pairs = QStringLiteral("ab");   // odd cut targets fall inside a pair
        for (int i = 0; i < Max; ++i)
            pairs += QStringLiteral("\U0001F600");
        QTest::newRow("surrogate pairs") << pairs << 4;
    }
    void longLines()
    {
        QFETCH(QString, text);
        e->setText(text);
        QCOMPARE(changes.last().inserted, text);
        QCOMPARE(e->text(), text);
        QCOMPARE(e->textLength(), text.size());
        const int lines = int(text.count(QStringLiteral("\r\n"))) + 1;
        QCOMPARE(e->lineCount(), lines);
        int cut = 0;
        for (int n = 0; n < e->document()->blockCount(); ++n)
            cut += e->blockEndsLine(n) ? 0 : 1;
        QTEST(cut, "pieces");
        QVERIFY2(piecesProblem(*e).isEmpty(), qPrintable(piecesProblem(*e)));

        QList<int> probes{0, 1, int(text.size()) - 1, int(text.size())};
        for (int cut : pieceBoundaries(*e))
            probes << cut - 2 << cut - 1 << cut << cut + 1;
        for (int p : probes) {
            if (p < 0 || p > text.size() || (p > 0 && text[p - 1] == u'\r'))
                continue;   // never between CR and LF
            QCOMPARE(e->fromDocPos(e->toDocPos(p)), p);
            QCOMPARE(e->textAt(p, 5), text.mid(p, 5));
            QCOMPARE(e->lineAt(p), lineOf(text, p));
            const int start = e->lineStart(e->lineAt(p));
            QVERIFY(start <= p && (start == 0 || text.mid(start - 2, 2) == QStringLiteral("\r\n")));
            e->setSelStart(p);
            e->setSelLength(7);
            QCOMPARE(e->selStart(), p);
            QCOMPARE(e->selText(), text.mid(p, 7));
        }
        e->setSelStart(0);
        e->setSelLength(int(text.size()));
        QCOMPARE(e->selText(), text);
    }

    // Edits around piece boundaries: reported exactly, undone exactly, pieces stay bounded.
    // `at` counts from the first piece boundary of the text.
    void editsAcrossPieces_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("at");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("insert");
        const QString line = minified(5 * Piece);
        const QString mixed = QStringLiteral("top\r\n") + same(3 * Piece) + QStringLiteral("\r\nbottom");
        QTest::newRow("type at a boundary") << line << 0 << 0 << QStringLiteral("Z");
        QTest::newRow("replace over a boundary") << line << -3 << 6 << QStringLiteral("<b>");
        QTest::newRow("delete a boundary region") << line << -200 << 400 << QString();
        QTest::newRow("delete across pieces") << line << -10 << 2 * Piece << QString();
        QTest::newRow("break a long line") << line << 5 << 0 << QStringLiteral("\r\n");
        QTest::newRow("grow a piece past its bound") << line << 1 << 0 << same(Max, u'y');
        QTest::newRow("paste a long line into a short one") << QStringLiteral("a\r\nb") << -100 << 0 << same(3 * Max);
        QTest::newRow("shrink a long line to short") << mixed << -Piece << 3 * Piece - 20 << QString();
        QTest::newRow("join a long line with the next") << mixed << 2 * Piece - 1 << 3 << QString();
        QTest::newRow("long line to the end") << mixed << -Piece << 4 * Piece << same(Piece, u'z');
        // Without any piece: `at` counts from the start.
        QTest::newRow("replace across short lines") << QStringLiteral("a\r\nbb\r\nccc\r\nd") << 3 << 7 << QStringLiteral("X\r\nY");
        const QString twoLong = same(Max - 5) + QStringLiteral("\r\n") + same(Max - 5, u'q');
        QTest::newRow("join two lines past the bound") << twoLong << Max - 10 << 15 << QString();
        QTest::newRow("a long first line joins the head") << twoLong << Max - 10 << 15 << (same(20, u'w') + QStringLiteral("\r\n"));
    }
    void editsAcrossPieces()
    {
        QFETCH(QString, text);
        QFETCH(int, at);
        QFETCH(int, length);
        QFETCH(QString, insert);
        load(text);
        const QList<int> cuts = pieceBoundaries(*e);
        const int pos = at == -100 ? 1 : cuts.value(0) + at;
        length = std::min<int>(length, int(text.size()) - pos);
        const QString expected = text.left(pos) + insert + text.mid(pos + length);

        e->replaceRange(pos, length, insert);
        QCOMPARE(e->text(), expected);
        QCOMPARE(e->textLength(), expected.size());
        QCOMPARE(e->selStart(), pos + insert.size());
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes[0].pos, pos);
        QCOMPARE(changes[0].removed, text.mid(pos, length));
        QCOMPARE(changes[0].inserted, insert);
        QCOMPARE(e->lineCount(), int(expected.count(QStringLiteral("\r\n"))) + 1);
        QVERIFY2(piecesProblem(*e).isEmpty(), qPrintable(piecesProblem(*e)));
        for (int cut : pieceBoundaries(*e))
            QCOMPARE(e->textAt(cut - 3, 6), expected.mid(cut - 3, 6));

        // What the undo history does with the report.
        e->replaceRange(changes[0].pos, int(changes[0].inserted.size()), changes[0].removed);
        QCOMPARE(e->text(), text);
        QCOMPARE(changes[1].removed, insert);
        QVERIFY2(piecesProblem(*e).isEmpty(), qPrintable(piecesProblem(*e)));
    }

    // Short lines are held several to a block: to everything outside, each is a line
    // as before, through edits inside and across the blocks, a change past the
    // control, and a line separator of the text's own.
    void linesHeldTogether()
    {
        QString text = shortLines(200);
        load(text);
        QVERIFY(e->document()->blockCount() * 4 < e->lineCount());
        QVERIFY2(mappingProblem(*e, text).isEmpty(), qPrintable(mappingProblem(*e, text)));

        const auto edit = [&](int pos, int len, const QString &insert) {
            text.replace(pos, len, insert);
            e->replaceRange(pos, len, insert);
            QCOMPARE(changes.last().pos, pos);
            QCOMPARE(changes.last().inserted, insert);
            QVERIFY2(mappingProblem(*e, text).isEmpty(), qPrintable(mappingProblem(*e, text)));
        };
        const int l5 = e->lineStart(5);
        edit(l5 - 2, 2, QString());                                  // join two lines of a block
        edit(e->lineStart(9) + 3, 0, QStringLiteral("a\r\nb\r\n")); // break lines inside one
        edit(e->lineStart(2) + 1, e->lineStart(40) - e->lineStart(2), QStringLiteral("x")); // across blocks
        edit(e->lineStart(3), 0, shortLines(700) + QStringLiteral("\r\n"));   // a big paste goes in grouped
        QVERIFY(e->document()->blockCount() * 4 < e->lineCount());
        edit(text.size(), 0, QStringLiteral("\r\n\r\nend"));

        // Someone else removes a break inside a block.
        const int at = e->lineStart(200) - 2;
        QTextCursor outsider(e->document());
        outsider.setPosition(e->toDocPos(at));
        outsider.deleteChar();
        text.remove(at, 2);
        QCOMPARE(outside, 1);
        QVERIFY2(mappingProblem(*e, text).isEmpty(), qPrintable(mappingProblem(*e, text)));

        // Where the caret stops, its lines become a block each: nothing changes for the text.
        changes.clear();
        e->show();
        const int end = e->lineStart(101) - 2;   // the end of a line, before its break
        e->setSelStart(end);
        QApplication::processEvents();
        const QTextBlock caretBlock = e->document()->findBlock(e->toDocPos(end));
        QVERIFY(!caretBlock.text().contains(QChar::LineSeparator));
        QCOMPARE(e->selStart(), end);
        QVERIFY(changes.isEmpty());
        QCOMPARE(outside, 1);
        QVERIFY2(mappingProblem(*e, text).isEmpty(), qPrintable(mappingProblem(*e, text)));

        // Random edits over short lines, pieces of long ones and both at once, with
        // the caret going here and there, against the same edits on a string.
        QRandomGenerator random(23);
        text = shortLines(150) + QStringLiteral("\r\n") + minified(3 * Piece) + QStringLiteral("\r\n") + shortLines(60);
        load(text);
        const QStringList inserts{QString(), QStringLiteral("x"), QStringLiteral("\r\n"), QStringLiteral("a\r\n\r\nb"),
                                  shortLines(30), minified(Max + 100), shortLines(250)};
        for (int i = 0; i < 120; ++i) {
            const int pos = int(random.bounded(text.size() + 1));
            const int len = std::min(int(random.bounded(i % 10 == 0 ? 3000 : 40)), int(text.size()) - pos);
            const QString &insert = inserts[int(random.bounded(i % 5 == 0 ? inserts.size() : 4))];
            const qsizetype reports = changes.size();
            e->replaceRange(pos, len, insert);
            if (changes.size() > reports) {
                // (A range from inside a CR LF starts at the break.)
                const TextChange &c = changes.last();
                QVERIFY(c.pos == pos || c.pos == pos - 1);
                QCOMPARE(text.mid(c.pos, c.removed.size()), c.removed);
                QCOMPARE(c.inserted, insert);
                text.replace(c.pos, c.removed.size(), c.inserted);
            }
            if (i % 3 == 0)
                e->setSelStart(int(random.bounded(text.size() + 1)));
            if (i % 30 == 29)
                QVERIFY2(mappingProblem(*e, text).isEmpty(), qPrintable(mappingProblem(*e, text)));
        }
        QVERIFY2(piecesProblem(*e).isEmpty(), qPrintable(piecesProblem(*e)));

        // A line separator of the text's own stays a character, in a text loaded or pasted.
        const QString own = QStringLiteral("a") + QChar(QChar::LineSeparator) + QStringLiteral("b\r\nc\r\nd");
        load(own);
        QCOMPARE(e->document()->blockCount(), 3);
        QVERIFY2(mappingProblem(*e, own).isEmpty(), qPrintable(mappingProblem(*e, own)));
        text = shortLines(40);
        load(text);
        edit(e->lineStart(6) + 1, 0, own);
        QCOMPARE(e->document()->blockCount(), e->lineCount());
    }

    // Keys at a piece boundary act on the characters beside it, as inside a line.
    void keysAtABoundary()
    {
        QString text;   // no break opportunity: the cut falls between two letters
        for (int i = 0; i < 2 * Max; ++i)
            text += QChar(u'a' + i % 26);
        load(text);
        const int cut = pieceBoundaries(*e).value(0);
        QVERIFY(cut > 0);
        e->setFocus();
        e->setSelStart(cut);
        QTest::keyClick(e.get(), Qt::Key_Left);
        QCOMPARE(e->selStart(), cut - 1);
        QTest::keyClick(e.get(), Qt::Key_Right);
        QTest::keyClick(e.get(), Qt::Key_Right);
        QCOMPARE(e->selStart(), cut + 1);
        QTest::keyClick(e.get(), Qt::Key_Left);
        QTest::keyClick(e.get(), Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(e.get(), Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(e->selStart(), cut - 2);
        QCOMPARE(e->selText(), text.mid(cut - 2, 2));

        e->setSelStart(cut);
        QTest::keyClick(e.get(), Qt::Key_Backspace);
        QTest::keyClick(e.get(), Qt::Key_Delete);
        QTest::keyClick(e.get(), Qt::Key_Z);
        QString expected = text;
        expected.replace(cut - 1, 2, QStringLiteral("z"));
        QCOMPARE(e->text(), expected);
        QCOMPARE(changes.size(), 3);
        QCOMPARE(changes[0].removed, text.mid(cut - 1, 1));
        QCOMPARE(changes[1].removed, text.mid(cut, 1));
        QCOMPARE(changes[2].pos, cut - 1);

        // Typing on and on into one piece: it is cut again, never the whole line.
        for (int i = 0; i < 3 * Piece / 100; ++i)
            e->setSelText(minified(100));
        QVERIFY2(piecesProblem(*e).isEmpty(), qPrintable(piecesProblem(*e)));
        QCOMPARE(e->lineCount(), 1);
        QCOMPARE(e->textLength(), 2 * Max - 1 + 3 * Piece / 100 * 100);
        QCOMPARE(outside, 0);
    }

    // A big text held while hidden goes in a screenful first when painted; the rest
    // follows from the event loop. Meanwhile it answers for the whole text, and
    // whatever edits it or reads past the widget sees all of it.
    void bigTextFillsAfterTheFirstScreen()
    {
        QString text;
        for (int i = 0; text.size() < 3 * (1 << 20); ++i)
            text += QStringLiteral("<p class=\"x\">line %1 of a page</p>\r\n").arg(i);
        const int lines = int(text.count(QStringLiteral("\r\n"))) + 1;
        const auto shown = [this](const QString &t) {
            e = std::make_unique<EditControl>();
            e->resize(600, 400);
            e->setHoldWhileHidden(true);
            connect(e.get(), &EditControl::changed, this, [this](const TextChange &c) { changes << c; });
            load(t);
            e->setSelStart(40);
            e->show();
            QVERIFY(QTest::qWaitForWindowExposed(e.get()));
            e->viewport()->repaint();
        };

        shown(text);
        QVERIFY(!e->textDeferred());
        QVERIFY(e->filling());
        QCOMPARE(e->textLength(), int(text.size()));
        QCOMPARE(e->lineCount(), lines);
        QCOMPARE(e->selStart(), 40);
        QCOMPARE(e->lineAt(40), lineOf(text, 40));
        QVERIFY(e->textCopy().text() == text);   // for a reader elsewhere, nothing waits
        QVERIFY(e->filling());
        // Slices arrive under the caret without moving it.
        for (int i = 0; i < 3 && e->filling(); ++i)
            QCoreApplication::processEvents();
        QCOMPARE(e->selStart(), 40);
        QCOMPARE(e->textLength(), int(text.size()));
        QTRY_VERIFY(!e->filling());
        QCOMPARE(e->text(), text);
        QCOMPARE(e->lineCount(), lines);
        QCOMPARE(changes.size(), 0);
        // Nor a selection to the end of what the widget has.
        shown(text);
        QTextCursor sel = e->textCursor();
        sel.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        e->setTextCursor(sel);
        const int selected = e->selLength();
        QVERIFY(e->filling() && selected > 0);
        for (int i = 0; i < 3 && e->filling(); ++i)
            QCoreApplication::processEvents();
        QCOMPARE(e->selStart(), 40);
        QCOMPARE(e->selLength(), selected);

        // Reading near the end, a key and a new text each act on the whole text.
        shown(text);
        QVERIFY(e->filling());
        QCOMPARE(e->textAt(int(text.size()) - 6, 6), text.right(6));
        QCOMPARE(e->lineStart(lines - 1), int(text.size()));
        QVERIFY(!e->filling());

        shown(text);
        QVERIFY(e->filling());
        e->setFocus();
        QTest::keyClick(e.get(), Qt::Key_Z);
        QTest::keyClick(e.get(), Qt::Key_Return);
        QTest::keyClick(e.get(), Qt::Key_Backspace);
        QTest::keyClick(e.get(), Qt::Key_Down);
        QTest::keyClick(e.get(), Qt::Key_Delete);
        QVERIFY(e->filling());                  // keys far from the widget's end do not wait
        QCOMPARE(e->textLength(), int(text.size()));
        QString typed = text;
        typed.insert(40, u'z');
        const int column = 41 - int(typed.lastIndexOf(QStringLiteral("\r\n"), 40)) - 2;
        const int below = int(typed.indexOf(QStringLiteral("\r\n"), 41)) + 2 + column;
        QCOMPARE(e->selStart(), below);
        typed.remove(below, 1);
        QCOMPARE(e->text(), typed);
        QCOMPARE(changes.size(), 4);
        QCOMPARE(changes[0].inserted, QStringLiteral("z"));
        QCOMPARE(changes[3].pos, below);

        // Keys at the widget's last line, or going to the end, take the rest in first.
        shown(text);
        const int headEnd = e->lineStart(e->lineAt(e->fromDocPos(e->document()->characterCount() - 1)));
        QVERIFY(e->filling());
        e->setSelStart(headEnd);
        QTest::keyClick(e.get(), Qt::Key_End);
        QTest::keyClick(e.get(), Qt::Key_Delete);   // the line break that was still to come
        QVERIFY(!e->filling());
        QCOMPARE(changes.back().removed, QStringLiteral("\r\n"));
        QCOMPARE(e->textLength(), int(text.size()) - 2);
        shown(text);
        QTest::keyClick(e.get(), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(e->selStart(), int(text.size()));

        shown(text);
        QVERIFY(e->filling());
        e->setText(QStringLiteral("new"));
        QCOMPARE(changes.size(), 1);
        QVERIFY(changes[0].removed == text);
        QCOMPARE(e->text(), QStringLiteral("new"));
        QCOMPARE(e->lineCount(), 1);
    }

    // A big change to a shown text (replace all, its undo) goes in as a new text, a
    // screenful round the caret first: reads see all of it at once, keys act at
    // once, and a change reported is the change made. A held text stays held.
    void bigChangeGoesInAsANewText()
    {
        QString text;
        for (int i = 0; text.size() < 3 * (1 << 20); ++i)
            text += QStringLiteral("<p>~line %1~</p>\r\n").arg(i);
        e->setHoldWhileHidden(true);
        load(text);
        e->show();
        QVERIFY(QTest::qWaitForWindowExposed(e.get()));
        QTRY_VERIFY(!e->filling());
        const int pos = 3;
        const QString old = text.mid(pos, text.size() - pos - 10);
        QString lone = old;
        lone.replace(u'~', u'\n');                  // lone breaks go in as CR LF
        const QString inserted = QString(old).replace(u'~', QStringLiteral("\r\n"));
        const QString changed = text.left(pos) + inserted + text.right(10);
        e->replaceRange(pos, int(old.size()), lone, pos);
        QVERIFY(e->filling());
        QCOMPARE(e->selStart(), pos);
        QCOMPARE(e->textLength(), int(changed.size()));
        QCOMPARE(e->lineCount(), int(changed.count(u'\n')) + 1);
        QVERIFY(e->text() == changed);
        QVERIFY(e->filling());
        QCOMPARE(changes.size(), 1);
        QVERIFY(changes[0].pos == pos && changes[0].removed == old && changes[0].inserted == inserted);
        e->setFocus();
        QTest::keyClick(e.get(), Qt::Key_Z);
        QVERIFY(e->filling());
        QCOMPARE(e->textAt(pos, 2), QStringLiteral("z\r"));
        // Taken back while still coming in (an undo at once), then all of it in.
        e->replaceRange(pos, int(inserted.size()) + 1, old, 0);
        QVERIFY(e->text() == text);
        QTRY_VERIFY(!e->filling());
        QVERIFY(e->text() == text);
        QCOMPARE(e->lineCount(), int(text.count(u'\n')) + 1);
        QCOMPARE(changes.size(), 3);
        QCOMPARE(changes[2].removed.size(), inserted.size() + 1);

        // With the caret asked for near the end the widget takes the range itself.
        e->replaceRange(0, 0, old, int(old.size()));
        QVERIFY(!e->filling());
        QVERIFY(e->text() == old + text);
        QCOMPARE(e->selStart(), int(old.size()));

        // A hidden editor's held text takes a change where it is held, a line break
        // never cut in half.
        e = std::make_unique<EditControl>();
        e->setHoldWhileHidden(true);
        connect(e.get(), &EditControl::changed, this, [this](const TextChange &c) { changes << c; });
        load(QStringLiteral("ab\r\ncd"));
        QVERIFY(e->textDeferred());
        e->replaceRange(3, 2, QStringLiteral("x\ny"));
        QVERIFY(e->textDeferred());
        QCOMPARE(e->text(), QStringLiteral("abx\r\nyd"));
        QCOMPARE(e->selStart(), 6);
        QCOMPARE(e->lineCount(), 2);
        QCOMPARE(changes.size(), 1);
        QVERIFY(changes[0].pos == 2 && changes[0].removed == QStringLiteral("\r\nc"));
    }

    // A held text is packed while it waits, and reads the same packed as open.
    void heldTextPacks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("packs");
        QString page;
        for (int i = 0; page.size() < 30000; ++i)
            page += QStringLiteral("<p class=\"x%1\">line \xe9 %1</p>\r\n").arg(i);
        QString noise;   // one byte a character, but nothing to deflate
        QRandomGenerator rng(7);
        for (int i = 0; i < 20000; ++i)
            noise += QChar(char16_t(0x20 + rng.bounded(0xdf)));
        QTest::newRow("page") << page << true;
        QTest::newRow("no final break") << page + QStringLiteral("end") << true;
        QTest::newRow("short") << page.left(HeldText::PackFrom - 1) << false;
        QTest::newRow("beyond Latin-1") << page + QStringLiteral("\u0434") << false;
        QTest::newRow("incompressible") << noise << false;
        QTest::newRow("empty") << QString() << false;
    }

    void heldTextPacks()
    {
        QFETCH(QString, text);
        QFETCH(bool, packs);
        const HeldText plain(text);
        HeldText h(text);
        QCOMPARE(h.pack(), packs);
        QCOMPARE(h.packed(), packs);
        QCOMPARE(h.size(), int(text.size()));
        QCOMPARE(h.lineCount(), plain.lineCount());
        for (int pos : {0, 1, int(text.size()) / 2, int(text.size()) - 1, int(text.size())})
            QCOMPARE(h.lineAt(pos), plain.lineAt(pos));
        for (int line : {1, plain.lineCount() / 2, plain.lineCount() - 1, plain.lineCount() + 5})
            QCOMPARE(h.lineStart(line), plain.lineStart(line));
        QVERIFY(h.text() == text);
        QCOMPARE(h.packed(), packs);   // none of the above unpacks
        QCOMPARE(h.mid(int(text.size()) / 3, 40), text.mid(text.size() / 3, 40));
        QVERIFY(!h.packed());
        QVERIFY(h.text() == text);
    }

    // Whoever follows the caret (the status bar) reads its line last when the
    // lines there have become a block each; the widget had announced the move
    // half way through, with counts that were not settled yet.
    void caretFollowersReadSettledLines_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("ctrl+end") << int(Qt::Key_End) << int(Qt::ControlModifier);
        QTest::newRow("down") << int(Qt::Key_Down) << 0;
    }

    void caretFollowersReadSettledLines()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QString text;
        QRandomGenerator rng(3);   // lines of a page: short, long and empty
        for (int i = 0; i < 2000; ++i)
            text += QString(int(rng.bounded(40, 90)), u'w') + QStringLiteral("\r\n");
        text += QStringLiteral("<p>the last line, after no break</p>");
        e->hide();
        load(text);
        e->show();
        QTRY_VERIFY(!e->filling());
        QVERIFY(e->document()->blockCount() < 2000);   // held several lines to a block
        std::pair<int, int> seen{-1, -1};
        connect(e.get(), &QPlainTextEdit::cursorPositionChanged, this,
                [&] { seen = {e->lineAt(e->caretPos()), e->lineCount()}; });
        QTest::keyClick(e.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCoreApplication::processEvents();
        const int pos = e->caretPos();
        QCOMPARE(seen, std::make_pair(int(QStringView(text).first(pos).count(u'\n')), int(text.count(u'\n')) + 1));
    }

    void hiddenEditorPacksAndShowsItsText()
    {
        QString text;
        for (int i = 0; text.size() < 60000; ++i)
            text += QStringLiteral("<li>item %1</li>\r\n").arg(i);
        e->hide();
        e->setHoldWhileHidden(true);
        load(text);
        QVERIFY(e->textDeferred());
        QVERIFY(!e->textPacked());
        QTRY_VERIFY_WITH_TIMEOUT(e->textPacked(), 3000);
        QCOMPARE(e->lineCount(), int(text.count(u'\n')) + 1);
        QCOMPARE(e->lineStart(100), int(text.indexOf(QStringLiteral("item 100<"))) - 4);
        e->setSelStart(10);
        e->setSelLength(5);
        QCOMPARE(e->selText(), text.mid(10, 5));
        e->show();
        QTRY_VERIFY(!e->textDeferred());
        QVERIFY(e->text() == text);
        QCOMPARE(e->textCursor().selectedText(), text.mid(10, 5));
    }
};

QTEST_MAIN(TestEditControl)
#include "test_editcontrol.moc"
