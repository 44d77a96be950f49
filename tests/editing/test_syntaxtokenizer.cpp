// The tokenizer behind syntax highlighting: what each character of pages, style
// sheets and scripts is, across lines, and that a line cut anywhere into pieces
// (as the editor holds a long line) is read exactly as the whole line.
#include "editing/SyntaxKinds.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

// Lines separated by '\n', each ending a real line.
QString kindsOfLines(const QString &text, SyntaxLanguage language)
{
    int state = SyntaxTokenizer::initialState(language);
    QStringList out;
    for (const QString &line : text.split(u'\n'))
        out << kindsOf(line, state);
    return out.join(u'\n');
}

// The line read whole, then cut into three pieces at every c1 <= c2 on a grid,
// each piece told what follows: empty when every reading agrees.
QString cutProblem(const QString &line, SyntaxLanguage language, int step1, int step2)
{
    const int initial = SyntaxTokenizer::initialState(language);
    int wholeState = initial;
    const QString whole = kindsOf(line, wholeState);
    if (wholeState < 0 || wholeState >= (1 << 21)) // must fit a block's userState
        return QStringLiteral("state %1 too big").arg(wholeState);
    const QStringView v(line);
    for (int c1 = 0; c1 <= line.size(); c1 += step1)
        for (int c2 = c1; c2 <= line.size(); c2 += step2) {
            int state = initial;
            QString kinds = kindsOf(v.mid(0, c1), state, false, v.mid(c1));
            kinds += kindsOf(v.mid(c1, c2 - c1), state, false, v.mid(c2));
            kinds += kindsOf(v.mid(c2), state);
            if (kinds != whole || state != wholeState)
                return QStringLiteral("%1 cut at %2, %3").arg(line).arg(c1).arg(c2);
        }
    return {};
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
        QTEST(kindsOfLines(text, script ? SyntaxLanguage::Script : SyntaxLanguage::Page), "kinds");
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
        const QString problem = cutProblem(line, script ? SyntaxLanguage::Script : SyntaxLanguage::Page, 1, int(line.size()) + 1);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    // Random texts of the characters that matter, in both languages.
    void randomTextsCutAnywhere()
    {
        const QString alphabet = QStringLiteral("<>/!-\"'=&;*\\`{}@:.#[]()+e1x \tstyleripcnu?");
        QRandomGenerator rng(20261207);
        for (int round = 0; round < 300; ++round) {
            QString line = QStringList{"<style>", "<script>", ""}[round % 3];
            const int length = 1 + int(rng.bounded(60));
            for (int i = 0; i < length; ++i)
                line += alphabet[int(rng.bounded(alphabet.size()))];
            for (SyntaxLanguage language : {SyntaxLanguage::Page, SyntaxLanguage::Script}) {
                const QString problem = cutProblem(line, language, 3, 2);
                QVERIFY2(problem.isEmpty(), qPrintable(problem));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestSyntaxTokenizer)
#include "test_syntaxtokenizer.moc"
