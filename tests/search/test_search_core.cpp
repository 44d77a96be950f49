// Span search and replace over a CR LF text, the search history, and go to line.
#include "search/CaseFold.h"
#include "search/DocFoundTextM.h"
#include "search/GoToLine.h"
#include "search/ReplaceInDocument.h"
#include "search/SearchState.h"
#include "search/SpanFinder.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

QString s(const char *utf8) { return QString::fromUtf8(utf8); }

// The replace loop exactly as the find window describes it: each span replaced in
// place, in the text and in its lower-cased copy, the search going on after the
// inserted text. Quadratic, fine for short texts.
QString replacedInPlace(QString t, QString start, QString end, const QString &with, bool matchCase, bool all,
                        int *count)
{
    const auto fold = [&](const QString &x) { return matchCase ? x : CaseFold::lower(x); };
    QString f = fold(t);
    start = fold(start);
    end = fold(end);
    qsizetype pos = 0;
    *count = 0;
    while (true) {
        const qsizetype p = f.indexOf(start, pos);
        if (p < 0)
            break;
        qsizetype last = p + start.size();
        if (!end.isEmpty()) {
            const qsizetype e = f.indexOf(end, p);
            if (e < 0)
                break;
            last = e + end.size();
        }
        t.replace(p, last - p, with);
        f.replace(p, last - p, fold(with));
        ++*count;
        pos = p + with.size();
        if (!all)
            break;
    }
    return t;
}

} // namespace

class TestSearchCore : public QObject {
    Q_OBJECT

private slots:
    // Successive Find next calls after one Find: each pair is the selection
    // (start, length); start -1 is "nothing more found" (entry 90).
    void findNext_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<QList<int>>("calls");
        const auto row = [](const char *name, const QString &text, const char *start, const char *end, bool mc,
                            QList<int> calls) { QTest::newRow(name) << text << s(start) << s(end) << mc << calls; };
        row("from the top, then again from the top", "div x div\r\ny div", "div", "", false,
            {0, 3, 6, 3, 13, 3, -1, 0, 0, 3});
        row("case off finds every case", "DIV Div div", "DIV", "", false, {0, 3, 4, 3, 8, 3, -1, 0});
        row("case on", "DIV Div div", "Div", "", true, {4, 3, -1, 0, 4, 3});
        row("bold runs", "x<b>one</b> y <B>two</B>", "<b>", "</b>", false, {1, 10, 14, 10, -1, 0});
        // Find next goes on right after the start text, not after the whole match.
        row("next starts after the start text", "<b>a<b>b</b>", "<b>", "</b>", true, {0, 12, 4, 8, -1, 0});
        row("end text inside the start text", "<!-- c -->", "<!--", "--", true, {0, 4, -1, 0, 0, 4});
        row("start text without an end text", "<b>a</b> <b>b", "<b>", "</b>", true, {0, 8, -1, 0, 0, 8});
        // Lower-casing "İ" as a whole string gives two units and would move the match.
        row("dotted capital I keeps positions", s("İİ <b>x</b>"), "<B>", "</B>", false, {3, 8, -1, 0});
        // QChar::toLower leaves "İ" as it is: its lower case is two units.
        row("dotted capital I finds only itself", s("xİY iY"), "İy", "", false, {1, 2, -1, 0});
        row("empty document", "", "a", "", false, {-1, 0, -1, 0});
    }
    void findNext()
    {
        QFETCH(QString, text);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(bool, matchCase);
        QFETCH(QList<int>, calls);
        SearchState st;
        st.FindMatchCase = matchCase ? 1 : 0;
        st.prepareFind(start, end);
        for (qsizetype i = 0; i < calls.size(); i += 2) {
            const FindResult r = DocFoundTextM(text, st);
            QCOMPARE(r.selStart, calls[i]);
            QCOMPARE(r.found, calls[i] >= 0);
            if (r.found) {
                QCOMPARE(r.selLength, calls[i + 1]);
                QCOMPARE(st.FindNextPos, r.selStart + start.size() + 1);
            } else {
                QCOMPARE(r.messageEntry, 90);
                QCOMPARE(st.FindNextPos, 1);
            }
        }
        // A position outside the text (another document was searched last, or a
        // caller reset it badly): 0 is the top, past the end is "no more".
        st.FindNextPos = 0;
        QCOMPARE(DocFoundTextM(text, st).selStart, calls[0]);
        st.FindNextPos = int(text.size()) + 99;
        QCOMPARE(DocFoundTextM(text, st).messageEntry, 90);
        QCOMPARE(st.FindNextPos, 1);
    }

    void replace_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("with");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<bool>("all");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("changePos");
        QTest::addColumn<int>("removedLength");
        const auto row = [](const char *name, const QString &text, const char *start, const char *end,
                            const char *with, bool mc, bool all, const QString &result, int count, int pos, int removed) {
            QTest::newRow(name) << text << s(start) << s(end) << s(with) << mc << all << result << count << pos
                                << removed;
        };
        row("a to aa, all", "aaa", "a", "", "aa", false, true, "aaaaaa", 3, 0, 3);
        row("a to aa, once", "aaa", "a", "", "aa", false, false, "aaaa", 1, 0, 1);
        row("spans, case off", "x <b>1</b> y <B>2</b> z", "<b>", "</b>", "[]", false, true, "x [] y [] z", 2, 2, 19);
        row("end text inside the start text", "<!-- c -->", "<!--", "--", "X", true, true, "X c -->", 1, 0, 4);
        row("loop ends at a start text without end", "<b>a</b> <b>b</b", "<b>", "</b>", "B", true, true,
            "B <b>b</b", 1, 0, 8);
        row("case on", "DIV div Div", "Div", "", "p", true, true, "DIV div p", 1, 8, 3);
        row("dotted capital I keeps positions", s("İİ x İ"), "X", "", "y", false, true, s("İİ y İ"), 1, 3, 1);
        row("i does not find dotted capital I", s("İstanbul Istanbul"), "i", "", "_", false, true,
            s("İstanbul _stanbul"), 1, 9, 1);
        row("empty replacement removes", "a<b>c<b>", "<b>", "", "", true, false, "ac<b>", 1, 1, 3);
        row("nothing matched", "abc", "x", "", "y", false, true, "abc", 0, 0, 0);
        // An empty start text would match everywhere and never end the loop.
        row("empty start text", "abc", "", "", "y", false, true, "abc", 0, 0, 0);
    }
    void replace()
    {
        QFETCH(QString, text);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, with);
        QFETCH(bool, matchCase);
        QFETCH(bool, all);
        QFETCH(int, count);
        SearchState st;
        st.FindMatchCase = matchCase;
        st.prepareReplace(start, end, with);
        st.FindNextPos = 7;
        const ReplaceResult r = ReplaceInDocument(text, st, all);
        QCOMPARE(r.count, count);
        QCOMPARE(st.FindNextPos, 7);
        QTEST(r.applyTo(text), "result");
        QTEST(r.change.pos, "changePos");
        QTEST(int(r.change.removed.size()), "removedLength");
        QCOMPARE(r.change.removed, text.mid(r.change.pos, r.change.removed.size()));
        if (count == 0)
            QVERIFY(r.change.inserted.isEmpty());
    }

    // The one-pass replace gives what replacing in place gives, on random texts
    // full of case pairs, line breaks and spans that begin inside one another.
    void replaceMatchesInPlaceLoop()
    {
        QRandomGenerator rng(20240611);
        const QString alphabet = s("aAbB<>/İi\r\nЖж");
        const auto random = [&](int maxLength) {
            QString x;
            for (int n = rng.bounded(maxLength + 1); n > 0; --n)
                x += alphabet[rng.bounded(int(alphabet.size()))];
            return x;
        };
        for (int round = 0; round < 3000; ++round) {
            const QString text = random(40);
            QString start = random(3);
            if (start.isEmpty())
                start = QStringLiteral("a");
            const QString end = rng.bounded(2) ? random(2) : QString();
            const QString with = random(4);
            const bool matchCase = rng.bounded(2);
            const bool all = rng.bounded(4) != 0;
            int expectedCount = 0;
            const QString expected = replacedInPlace(text, start, end, with, matchCase, all, &expectedCount);

            SearchState st;
            st.FindMatchCase = matchCase;
            st.prepareReplace(start, end, with);
            const ReplaceResult r = ReplaceInDocument(text, st, all);
            const QByteArray what = QStringLiteral("%1 | %2 | %3 -> %4").arg(text, start, end, with).toUtf8();
            QVERIFY2(r.count == expectedCount, what.constData());
            QVERIFY2(r.applyTo(text) == expected, what.constData());
        }
    }

    // Searches with case off go through folded windows of the text; matches that
    // straddle a window's edge, needles longer than half a window and searches
    // that go back before the window must give what a search of the whole folded
    // copy gives.
    void foldedSearchAcrossWindows()
    {
        QRandomGenerator rng(7);
        QString text(300000, u'x');
        for (qsizetype i = 0; i < text.size(); i += 1 + rng.bounded(50))
            text[i] = QChar(u"aAbBİ"[rng.bounded(5)]);
        const QString folded = CaseFold::lower(text);
        QCOMPARE(folded.size(), text.size());
        const QString longNeedle = folded.mid(65500, 40000);
        const QString needles[] = {QStringLiteral("ab"), QStringLiteral("ixa"), QStringLiteral("bxxa"), longNeedle};
        SpanFinder finder(text, {}, {}, false);
        for (const QString &needle : needles) {
            for (qsizetype from : {qsizetype(0), qsizetype(65530), qsizetype(131070), qsizetype(65530),
                                   qsizetype(299990), qsizetype(-5)}) {
                qsizetype at = from;
                for (int step = 0; step < 40; ++step) { // successive matches, as a replace walks them
                    const qsizetype expected = folded.indexOf(needle, qMax<qsizetype>(at, 0));
                    QCOMPARE(finder.indexOf(needle, at), expected);
                    if (expected < 0)
                        break;
                    at = expected + 1;
                }
            }
        }
        QCOMPARE(finder.indexOf(longNeedle, 0), qsizetype(65500));

        // Matches whose first unit is the last place a window can hold no whole match.
        for (const QString &needle : {QStringLiteral("ab"), QStringLiteral("ixa"), QStringLiteral("ab<ab")}) {
            const qsizetype m = needle.size();
            QString plain(300000, u'x');
            const qsizetype first = 65536 - m + 1;
            const qsizetype second = first + 65536 - m + 1;
            plain.replace(first, m, needle.toUpper());
            plain.replace(second, m, needle.toUpper());
            SpanFinder walker(plain, {}, {}, false);
            QCOMPARE(walker.indexOf(needle, 0), first);
            QCOMPARE(walker.indexOf(needle, first + 1), second);
            QCOMPARE(walker.indexOf(needle, second + 1), qsizetype(-1));
        }
    }

    // Each text once, as typed; a replace keeps its start text, replacement and
    // end text in that order, an empty replacement not at all.
    void history()
    {
        SearchState st;
        st.prepareFind(QStringLiteral("Div"), {});
        st.prepareFind(QStringLiteral("div"), QStringLiteral("</DIV>"));
        st.prepareFind(QStringLiteral("Div"), QStringLiteral("</DIV>"));
        st.prepareReplace(QStringLiteral("<p>"), QStringLiteral("</p>"), QStringLiteral("<P>"));
        st.prepareReplace(QStringLiteral("<p>"), {}, {});
        QCOMPARE(st.FindHistory, (QStringList{"Div", "div", "</DIV>", "<p>", "<P>", "</p>"}));
    }

    // The line-number field: its value, whether OK is enabled, the line it goes to.
    void lineNumberField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("line"); // 0: OK stays disabled
        const auto row = [](const char *field, double value, qint64 line) {
            QTest::addRow("\"%s\"", field) << s(field) << value << line;
        };
        row("12abc", 12, 12);
        row("2.5", 2.5, 2);
        row("3.5", 3.5, 4);
        row("0.5", 0.5, 1);
        row("3,7", 3, 3);
        row("1e2", 1, 1);
        row("0", 0, 0);
        row("abc", 0, 0);
        row("٣", 0, 0); // digits of other scripts are not a number here
    }
    void lineNumberField()
    {
        QFETCH(QString, field);
        QFETCH(qint64, line);
        QTEST(GoToLine::leadingNumber(field), "value");
        QCOMPARE(GoToLine::accepts(field), line > 0);
        if (line > 0)
            QCOMPARE(GoToLine::lineNumber(GoToLine::leadingNumber(field)), line);
    }

    void goToLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("line");
        QTest::addColumn<int>("selStart"); // -1: entry 105
        QTest::addColumn<int>("selLength");
        const QString three = QStringLiteral("one\r\ntwo\r\nthree");
        const QString ended = QStringLiteral("one\r\ntwo\r\nsix\r\n");
        QTest::newRow("first line") << three << qint64(1) << 0 << 3;
        QTest::newRow("last line without a break") << three << qint64(3) << 10 << 5;
        QTest::newRow("empty line after a final break") << ended << qint64(4) << 15 << 0;
        QTest::newRow("past the empty last line") << ended << qint64(5) << -1 << 0;
        QTest::newRow("one character gets the caret only") << QStringLiteral("a\r\nb") << qint64(2) << 3 << 0;
        QTest::newRow("a bare LF is no break") << QStringLiteral("a\nb\r\ncd") << qint64(1) << 0 << 3;
        QTest::newRow("after a bare LF") << QStringLiteral("a\nb\r\ncd") << qint64(2) << 5 << 2;
        QTest::newRow("a bare CR is no break") << QStringLiteral("a\r\r\nb") << qint64(2) << 4 << 0;
        QTest::newRow("empty text") << QString() << qint64(1) << 0 << 0;
        QTest::newRow("far past the end") << three << GoToLine::lineNumber(1e300) << -1 << 0;
    }
    void goToLine()
    {
        QFETCH(QString, text);
        QFETCH(qint64, line);
        QFETCH(int, selStart);
        const GoToLineResult r = GoToLine::find(text, line);
        QCOMPARE(r.selStart, selStart);
        QTEST(r.selLength, "selLength");
        QCOMPARE(r.found, selStart >= 0);
        QCOMPARE(r.messageEntry, selStart >= 0 ? 0 : 105);
    }
};

QTEST_GUILESS_MAIN(TestSearchCore)
#include "test_search_core.moc"
