// Syntax highlighting in a document window: it colours what is on screen, follows
// edits and the document's language, holds a long line's pieces as one line, and
// never touches the text, the undo history or the changed mark.
#include "common/GuiFixture.h"

#include "common/LinePieces.h"
#include "editing/SyntaxHighlighter.h"
#include "editing/SyntaxKinds.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>

using namespace gui;

namespace {

// Everything a user could tell of the document after a step.
struct Snapshot {
    QString text;
    int caret, izmT, states;
    bool undo, redo;
    bool operator==(const Snapshot &) const = default;
};

} // namespace

class TestHighlightGui : public QObject, GuiFixture {
    Q_OBJECT

    SyntaxHighlighter *hl() const { return doc()->highlighter(); }

    // The kinds of a block's characters as its colours say, one letter each.
    QString coloured(const QTextBlock &block) const
    {
        QString map(block.length() - 1, u'.');
        for (const QTextLayout::FormatRange &r : block.layout()->formats()) {
            char letter = '?';
            for (int k = 1; k < 11; ++k)
                if (hl()->formatOf(SyntaxKind(k)).foreground() == r.format.foreground())
                    letter = KindLetters[k];
            for (int i = r.start; i < r.start + r.length && i < map.size(); ++i)
                map[i] = QLatin1Char(letter);
        }
        return map;
    }
    // The same for a real line, wherever the widget holds it.
    QString colouredLine(int line) const
    {
        const int from = ed()->toDocPos(ed()->lineStart(line));
        const QTextBlock b = ed()->document()->findBlock(from);
        const int at = from - b.position();
        qsizetype end = b.text().indexOf(QChar::LineSeparator, at);
        return coloured(b).mid(at, end < 0 ? -1 : end - at);
    }
    Snapshot snapshot() const
    {
        return {ed()->text(), ed()->selStart(), doc()->document()->IzmT(), doc()->document()->history().stateCount(), doc()->document()->IzmUndo(),
                doc()->document()->IzmRedo()};
    }
    static QString lines(const QString &line, int count)
    {
        QStringList l;
        for (int i = 0; i < count; ++i)
            l << line.arg(i);
        return l.join(QStringLiteral("\r\n"));
    }

private slots:
    void init() { QVERIFY(startApp() && doc()); }
    void cleanup() { stopApp(); }

    // The same keys, undone and redone, give the same texts, carets, history and
    // changed mark with highlighting on as off, and no change past the control.
    void editingIsTheSameWithColours_data()
    {
        QTest::addColumn<bool>("script");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("keys");
        // ("<" would open the tag list: the texts hold it already.)
        QTest::newRow("page: a comment opened above many lines")
            << false << QStringLiteral("<!-") + lines(QStringLiteral("<p class=\"a\">line %1</p>"), 60) << 3
            << QStringLiteral("- x\n");
        QTest::newRow("page: typing inside a tag and a style block")
            << false << QStringLiteral("<style>p { color: red }</style>\r\n<p>text</p>") << 35
            << QStringLiteral(" id=\"b\"\n&amp;");
        QTest::newRow("script: a string and a comment") << true << QStringLiteral("var a = 1;\r\nb = 2;") << 10
                                                        << QStringLiteral(" /* 'x\n\"y\" */");
    }

    void editingIsTheSameWithColours()
    {
        QFETCH(bool, script);
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, keys);
        std::vector<Snapshot> runs[2];
        int reports[2] = {0, 0}, outside[2] = {0, 0};
        for (int on = 0; on < 2; ++on) {
            doc()->document()->setScript(script);
            doc()->setHighlighting(on);
            const auto c1 = connect(ed(), &EditControl::changed, this, [&] { ++reports[on]; });
            const auto c2 = connect(ed(), &EditControl::externalChange, this, [&] { ++outside[on]; });
            const auto step = [&](const std::function<void()> &act) {
                act();
                QApplication::processEvents();
                runs[on].push_back(snapshot());
            };
            step([&] { load(doc(), text, caret); });
            for (QChar c : keys)
                step([&] { type(ed(), QString(c)); });
            QCOMPARE(ed()->textLength(), text.size() + keys.size() + keys.count(u'\n'));
            step([&] { QTest::keyClick(ed(), Qt::Key_Backspace); });
            for (int i = 0; i < 6; ++i) // four undos, two redos
                step([&] { QTest::keyClick(ed(), i < 4 ? Qt::Key_Z : Qt::Key_Y, Qt::ControlModifier); });
            if (on) {
                // What the edits left on screen is what a fresh reading gives.
                const QStringList all = ed()->text().split(QStringLiteral("\r\n"));
                int state = SyntaxTokenizer::initialState(script ? SyntaxLanguage::Script : SyntaxLanguage::Page);
                for (int n = 0; n < std::min<int>(12, int(all.size())); ++n)
                    QCOMPARE(colouredLine(n), kindsOf(all[n], state));
            }
            disconnect(c1);
            disconnect(c2);
        }
        QVERIFY(runs[0] == runs[1]);
        QVERIFY(runs[1].back().izmT == 1 && runs[1].back().undo && runs[1].back().redo);
        QCOMPARE(reports[1], reports[0]);
        QCOMPARE(outside[0], 0);
        QCOMPARE(outside[1], 0);
    }

    // Lines on screen are coloured at once, lines further down when scrolled to, and
    // an edit recolours the lines below it that it changes.
    void coloursFollowTheScreenAndEdits()
    {
        load(doc(), lines(QStringLiteral("<p class=\"c\">line %1 &amp; more</p>"), 3000));
        doc()->setHighlighting(true);
        QApplication::processEvents();
        const QString expected = QStringLiteral("TT.NNNNN.VVVT.......EEEEE.....TTTT");
        QCOMPARE(colouredLine(0), expected);
        QCOMPARE(colouredLine(5), expected);

        ed()->setSelStart(ed()->textLength());
        ed()->ensureCursorVisible();
        QApplication::processEvents();
        QVERIFY(ed()->verticalScrollBar()->value() > 2000);
        QCOMPARE(colouredLine(2999).left(13), QStringLiteral("TT.NNNNN.VVVT"));

        // An opened comment reaches the lines on screen below; closing it undoes that.
        // (Typing "<" would open the tag list: the text goes in as a command would put it.)
        ed()->replaceRange(ed()->lineStart(2990), 0, QStringLiteral("<!--"));
        QApplication::processEvents();
        QCOMPARE(colouredLine(2990).left(4), QStringLiteral("CCCC"));
        QCOMPARE(colouredLine(2995), QString(colouredLine(2995).size(), u'C'));
        doc()->document()->Undo();
        QApplication::processEvents();
        QCOMPARE(colouredLine(2995).left(13), QStringLiteral("TT.NNNNN.VVVT"));
    }

    // A long line held in pieces cut inside words, strings and expressions is
    // coloured exactly as the tokenizer reads the whole line.
    void longLineInPiecesColouredAsWhole()
    {
        // No blank, so the cuts fall where the length says, inside tokens.
        const QString unit = QStringLiteral("if(a)return/x[/]/g.test('s\\'');b=c/d;/*c*/");
        const QString line = unit.repeated(30000 / int(unit.size()));
        doc()->document()->setScript(true);
        ed()->setWordWrap(false);
        load(doc(), line);
        QVERIFY(ed()->document()->blockCount() > 5);
        QCOMPARE(ed()->lineCount(), 1);
        doc()->setHighlighting(true);

        auto check = [&] {   // once the events are handled
            QApplication::processEvents();
            int state = SyntaxTokenizer::initialState(SyntaxLanguage::Script);
            const QString whole = kindsOf(ed()->text(), state);
            QString pieces;
            for (QTextBlock b = ed()->document()->firstBlock(); b.isValid(); b = b.next())
                pieces += coloured(b);
            QCOMPARE(pieces, whole);
        };
        check();
        // Edits that cut the pieces afresh, and one whose effect runs to the line's end.
        ed()->replaceRange(10000, 0, unit.repeated(60));
        check();
        ed()->replaceRange(20001, 0, QStringLiteral("/*"));
        check();
        doc()->document()->Undo();
        doc()->document()->Undo();
        check();

        // Typing just after a cut changes what the piece before it looks ahead at:
        // "a/" ending a piece becomes "a//", a comment to the end of the line.
        QString cut = QStringLiteral("x1=y2+z3;").repeated(3000);
        const std::vector<int> cuts = LinePieces::cuts(cut);
        QVERIFY(cuts.size() > 4);
        const int c = cuts[3];
        cut[c - 2] = u'a';
        cut[c - 1] = u'/';
        cut[c] = u'b';
        load(doc(), cut);
        check();
        ed()->replaceRange(c, 0, QStringLiteral("/"));
        check();
        QCOMPARE(coloured(ed()->document()->findBlockByNumber(4)).left(3), QStringLiteral("CCC"));
        doc()->document()->Undo();
        check();
    }

    // A line too long to colour (a minified script) gets no colours, but the
    // state it ends in still reaches the line after it.
    void overlongLineKeepsStateWithoutColours()
    {
        doc()->document()->setScript(true);
        load(doc(), QStringLiteral("a='x';").repeated(20000) + QStringLiteral("/*\r\nin*/b=1;"));
        doc()->setHighlighting(true);
        hl()->finishNow();
        QApplication::processEvents();
        const int last = ed()->document()->blockCount() - 1;
        QVERIFY(last > 10);
        for (QTextBlock b = ed()->document()->firstBlock(); b.blockNumber() < last; b = b.next())
            QVERIFY(b.layout()->formats().isEmpty());
        // The last line starts inside the comment the long line opened.
        int state = SyntaxTokenizer::initialState(SyntaxLanguage::Script);
        const QString whole = kindsOf(ed()->text(), state);
        QCOMPARE(whole.right(8), QStringLiteral("CCCC..0."));
        QCOMPARE(ed()->document()->lastBlock().userState() & ((1 << 21) - 1), state);
    }

    // The language follows Script; switching off takes every colour away.
    void languageFollowsScriptAndOffClears()
    {
        load(doc(), QStringLiteral("return 'a';\r\n<b>x</b>"));
        doc()->setHighlighting(true);
        QApplication::processEvents();
        QCOMPARE(colouredLine(0), QStringLiteral("..........."));
        QCOMPARE(colouredLine(1), QStringLiteral("TTT.TTTT"));
        doc()->document()->setScript(true);
        doc()->syncSyntax();
        QCOMPARE(colouredLine(0), QStringLiteral("KKKKKK.SSS."));
        QCOMPARE(colouredLine(1), QStringLiteral(".....RRR"));
        doc()->setHighlighting(false);
        for (QTextBlock b = ed()->document()->firstBlock(); b.isValid(); b = b.next())
            QVERIFY(b.layout()->formats().isEmpty());
        QCOMPARE(doc()->document()->IzmT(), 0);
        QVERIFY(!doc()->document()->IzmUndo());
    }
};

QTEST_MAIN(TestHighlightGui)
#include "test_highlight_gui.moc"
