// The tokenizer behind syntax highlighting: what each character of pages, style
// sheets and scripts is, across lines, and that a line cut anywhere into pieces
// (as the editor holds a long line) is read exactly as the whole line.
#include "editing/SyntaxTokenizer.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

// One letter per kind: . plain, T tag, N name, V value, E entity, C comment,
// D doctype, K keyword, S string, 0 number, R regular expression.
const char KindLetters[] = ".TNVECDKS0R";

// The kinds of text's characters, one letter each, from state.
QString kindsOf(QStringView text, int &state, bool endsLine = true, QStringView following = {})
{
    std::vector<SyntaxToken> tokens;
    state = SyntaxTokenizer::scan(text, state, &tokens, endsLine, following);
    QString map(text.size(), u'.');
    int end = 0;
    for (const SyntaxToken &t : tokens) {
        // Tokens are non-empty, in order and apart; plain runs give none.
        if (t.length <= 0 || t.start < end || t.kind == SyntaxKind::Plain)
            return QStringLiteral("bad token at %1").arg(t.start);
        end = t.start + t.length;
        for (int i = t.start; i < end; ++i)
            map[i] = QLatin1Char(KindLetters[int(t.kind)]);
    }
    return map;
}

// Lines separated by '\n', each ending a real line.
QString kindsOfLines(const QString &text, SyntaxLanguage language)
{
    int state = SyntaxTokenizer::initialState(language);
    QStringList out;
    for (const QString &line : text.split(u'\n'))
        out << kindsOf(line, state);
    return out.join(u'\n');
}

} // namespace

class TestSyntaxTokenizer : public QObject {
    Q_OBJECT

private slots:
    void kinds_data()
    {
        QTest::addColumn<bool>("script");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kinds");
        const bool page = false, script = true;
        auto row = [](const char *name, bool lang, const char *text, const char *kinds) {
            QTest::newRow(name) << lang << QString::fromUtf8(text) << QString::fromUtf8(kinds);
        };
        row("tag, attributes, entity", page,
            "<p class=\"x\" id=a>A &amp; b &c d;</p>",
            "TT.NNNNN.VVV.NN.VT..EEEEE........TTTT");
        row("doctype and a comment across lines", page,
            "<!DOCTYPE html>\n<!-- one\ntwo -->x\n<!---->y",
            "DDDDDDDDDDDDDDD\nCCCCCCCC\nCCCCCCC.\nCCCCCCC.");
        row("an attribute value goes on to the next line", page,
            "<a title=\"one\ntwo\" href=x>t</a>",
            "TT.NNNNN.VVVV\nVVVV.NNNN.VT.TTTT");
        row("an end tag and a lone <", page,
            "a < b </b >",
            "......TTT.T");
        row("style sheet", page,
            "<style>p.x, #y { color: red; margin: 0 1.5px } /* c */</style>",
            "TTTTTTTTTT..TT...NNNNN..VVV..NNNNNN..0.00000...CCCCCCCTTTTTTTT");
        row("style sheet with @media and a string", page,
            "<style>@media screen { a:hover { content: \"}\" } }\n</style>",
            "TTTTTTTKKKKKK..........TTTTTTT...NNNNNNN..SSS....\nTTTTTTTT");
        row("script block with keywords, a string, a number and a comment", page,
            "<script>var s = 'a\\'b'; if (x) return 0x1F; // <b>\n</script>",
            "TTTTTTTTKKK.....SSSSSS..KK.....KKKKKK.0000..CCCCCC\nTTTTTTTTT");
        row("a string in a script ends at </script", page,
            "<script>x = \"</script><b>\";",
            "TTTTTTTT....STTTTTTTTTTTT..");
        row("a comment in a script ends at </script", page,
            "<script>/* </SCRIPT ><p>",
            "TTTTTTTTCCCTTTTTTTT.TTTT");
        row("unterminated string ends at the line end", script,
            "var a = \"abc\nb = 1; 'x\\\ny';",
            "KKK.....SSSS\n....0..SSS\nSS.");
        row("template literal goes on", script,
            "t = `a\nb` + 1",
            "....SS\nSS...0");
        row("division or regular expression", script,
            "a = b / c / 2; r = /x[/]+\\//gi.test(s); return /y/;",
            "............0......RRRRRRRRRRR..........KKKKKK.RRR.");
        row("block comment across lines", script,
            "a /* one\n*/ b /*/ c */",
            "..CCCCCC\nCC...CCCCCCCC");
        row("a property named like a keyword and longer words", script,
            "x.return; returned = this.new; typeof y",
            ".....................KKKK......KKKKKK..");
        row("numbers", script,
            "1e-5 + .5 - a1 + 10n",
            "0000...00........000");
        row("unterminated regular expression ends at the line end", script,
            "a = (/x\nb)",
            ".....RR\n..");
    }

    void kinds()
    {
        QFETCH(bool, script);
        QFETCH(QString, text);
        QFETCH(QString, kinds);
        QCOMPARE(kindsOfLines(text, script ? SyntaxLanguage::Script : SyntaxLanguage::Page), kinds);
    }

    // The editor holds a long line as pieces cut anywhere: reading the pieces one
    // after another, each told what follows, gives the whole line's kinds and state.
    void cutAnywhereReadsAsWhole_data()
    {
        QTest::addColumn<bool>("script");
        QTest::addColumn<QString>("line");
        auto row = [](const char *name, bool script, const char *line) {
            QTest::newRow(name) << script << QString::fromUtf8(line);
        };
        row("page", false,
            "<!DOCTYPE html><p a=\"1\" b='2' c=3 d>x &amp; &#160; y</p><!-- c --><?x?><style>@media s"
            "{a.b{color:#fff;margin:-1.5em}}/* c */ p{content:'\\''}</style><script>if(a)return /r[/]/g"
            ".test('</b>');var re=b/c;/* x */`t`</script>");
        row("script", true,
            "function f(a){return a.default/2+/x\\/y/i.exec(\"s\\\"\")||typeof 1e+3}// end");
        row("keyword at every cut", true, "return typeof instanceof this");
    }

    void cutAnywhereReadsAsWhole()
    {
        QFETCH(bool, script);
        QFETCH(QString, line);
        const int initial = SyntaxTokenizer::initialState(script ? SyntaxLanguage::Script : SyntaxLanguage::Page);
        int wholeState = initial;
        const QString whole = kindsOf(line, wholeState);
        for (int cut = 0; cut <= line.size(); ++cut) {
            const QStringView a = QStringView(line).left(cut), b = QStringView(line).mid(cut);
            int state = initial;
            QString kinds = kindsOf(a, state, false, b);
            kinds += kindsOf(b, state);
            QCOMPARE(kinds, whole);
            QCOMPARE(state, wholeState);
        }
    }

    // Random texts of the characters that matter, cut into three pieces everywhere
    // on a grid, in both languages; every state fits a block's userState.
    void randomTextsCutAnywhere()
    {
        const QString alphabet = QStringLiteral("<>/!-\"'=&;*\\`{}@:.#[]()+e1x \tstyleripcnu?");
        QRandomGenerator rng(20261207);
        for (int round = 0; round < 300; ++round) {
            QString line;
            const int length = 1 + int(rng.bounded(60));
            for (int i = 0; i < length; ++i)
                line += alphabet[int(rng.bounded(alphabet.size()))];
            if (round % 3 == 0)
                line.prepend(QStringLiteral("<style>"));
            else if (round % 3 == 1)
                line.prepend(QStringLiteral("<script>"));
            for (SyntaxLanguage language : {SyntaxLanguage::Page, SyntaxLanguage::Script}) {
                const int initial = SyntaxTokenizer::initialState(language);
                int wholeState = initial;
                const QString whole = kindsOf(line, wholeState);
                QVERIFY(wholeState >= 0 && wholeState < (1 << 21));
                for (int c1 = 0; c1 <= line.size(); c1 += 3) {
                    for (int c2 = c1; c2 <= line.size(); c2 += 2) {
                        const QStringView v(line);
                        int state = initial;
                        QString kinds = kindsOf(v.mid(0, c1), state, false, v.mid(c1));
                        kinds += kindsOf(v.mid(c1, c2 - c1), state, false, v.mid(c2));
                        kinds += kindsOf(v.mid(c2), state);
                        if (kinds != whole || state != wholeState)
                            QFAIL(qPrintable(QStringLiteral("%1 cut at %2, %3").arg(line).arg(c1).arg(c2)));
                    }
                }
            }
        }
    }

    // A state-only pass ends in the same state as one that collects tokens.
    void stateOnlyPassAgrees()
    {
        const QString text = QStringLiteral("<script>a = /x/; b = 'c' // d");
        int state = SyntaxTokenizer::initialState(SyntaxLanguage::Page);
        kindsOf(text, state, false);
        QCOMPARE(SyntaxTokenizer::scan(text, SyntaxTokenizer::initialState(SyntaxLanguage::Page), nullptr, false),
                 state);
    }
};

QTEST_GUILESS_MAIN(TestSyntaxTokenizer)
#include "test_syntaxtokenizer.moc"
