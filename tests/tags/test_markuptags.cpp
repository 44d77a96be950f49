// The tag scanner behind closing tags, matching tags and the marks: one pass
// over a stretch of a page, comments, scripts, styles and values holding no tags.
#include "tags/MarkupTags.h"

#include <QtTest>

Q_DECLARE_METATYPE(SyntaxContext)

namespace {
// The text without its "|", and the position of the "|".
QString unmark(const QString &s, int *caret)
{
    *caret = int(s.indexOf(u'|'));
    return QString(s).remove(u'|');
}
}

class TestMarkupTags : public QObject {
    Q_OBJECT
private slots:
    // The partner of the tag at "|", shown in [ ] in the expected text ("" none).
    void partner_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("nesting, forward") << "<div><d|iv></div></div>" << "<div><div>[</div>]</div>";
        QTest::newRow("nesting, back") << "<div><div></div></d|iv>" << "[<div>]<div></div></div>";
        QTest::newRow("any case") << "<DIV>x</d|iv>" << "[<DIV>]x</div>";
        QTest::newRow("other names between") << "<div|><p>a<p>b<span></div>" << "<div><p>a<p>b<span>[</div>]";
        QTest::newRow("void element") << "<b|r></br>" << "";
        QTest::newRow("self-closed") << "<x|/></x>" << "";
        QTest::newRow("comment") << "<p|><!-- </p> --></p>" << "<p><!-- </p> -->[</p>]";
        QTest::newRow("script") << "<i|><script>if (a</i>) x='</i>'</SCRIPT></i>" << "<i><script>if (a</i>) x='</i>'</SCRIPT>[</i>]";
        QTest::newRow("style") << "<b|><style>b:after{content:'</b>'}</style></b>" << "<b><style>b:after{content:'</b>'}</style>[</b>]";
        QTest::newRow("value with >") << "<a| title=\"x>y\"></a>" << "<a title=\"x>y\">[</a>]";
        QTest::newRow("value with </a>") << "<a| title='</a>'></a>" << "<a title='</a>'>[</a>]";
        QTest::newRow("bare value") << "<a| href=x>y</a>" << "<a href=x>y[</a>]";
        QTest::newRow("bare value ending in /") << "<a| href=x/>y</a>" << "<a href=x/>y[</a>]";
        QTest::newRow("self-closed after a bare value") << "<x| a=b />y</x>" << "";
        QTest::newRow("doctype, lt not a tag") << "<!DOCTYPE html><h|tml>a < b</html>" << "<!DOCTYPE html><html>a < b[</html>]";
        QTest::newRow("not in the stretch") << "<ul|><li></li>" << "";
        QTest::newRow("tag not ended") << "<div|" << "";
    }
    void partner()
    {
        QFETCH(QString, text);
        int caret;
        const QString plain = unmark(text, &caret);
        const MarkupScan s = MarkupTags::scan(plain, SyntaxContext::Text, 0);
        const int p = s.partnerOf(s.tagAt(caret));
        QString got;
        if (p >= 0)
            got = QString(plain).insert(s.tags[size_t(p)].end, u']').insert(s.tags[size_t(p)].start, u'[');
        QTEST(got, "expected");
    }

    // The element "</" completes at "|", and where the stretch ends.
    void openAtEnd_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("open");
        QTest::addColumn<SyntaxContext>("end");
        QTest::newRow("innermost") << "<div><p>x|" << "p" << SyntaxContext::Text;
        QTest::newRow("closed list") << "<div><ul><li>a<li>b</ul>|" << "div" << SyntaxContext::Text;
        QTest::newRow("void, self-closed") << "<b><br><img src=x><x/>|" << "b" << SyntaxContext::Text;
        QTest::newRow("comment, script") << "<div><!-- <p> --><script>s='<p>'</script>|" << "div" << SyntaxContext::Text;
        QTest::newRow("stray end tag") << "<div></span>|" << "div" << SyntaxContext::Text;
        QTest::newRow("all closed") << "<a></a>|" << "" << SyntaxContext::Text;
        QTest::newRow("in a tag") << "<div><p class=\"x\" |" << "div" << SyntaxContext::Tag;
        QTest::newRow("after a bare value") << "<div><p class=x|" << "div" << SyntaxContext::Tag;
        QTest::newRow("in a value") << "<p title=\"a>b|" << "" << SyntaxContext::AttributeValue;
        QTest::newRow("in a comment") << "<p><!-- <div>|" << "p" << SyntaxContext::Comment;
        QTest::newRow("in a script") << "<script>if (a<b>|" << "script" << SyntaxContext::Script;
        QTest::newRow("in a style") << "<style type=\"text/css\">p>b|" << "style" << SyntaxContext::Style;
    }
    void openAtEnd()
    {
        QFETCH(QString, text);
        int caret;
        const QString plain = unmark(text, &caret);
        const MarkupScan s = MarkupTags::scan(plain.left(caret), SyntaxContext::Text, 0);
        const int open = s.innermostOpen(caret);
        QTEST(open < 0 ? QString() : s.name(open).toString(), "open");
        QTEST(s.end, "end");
        QCOMPARE(s.openTag >= 0, s.end == SyntaxContext::Tag || s.end == SyntaxContext::AttributeValue);
    }

    // A stretch that starts inside a comment or script reads on from there, and
    // reports positions of the whole text.
    void stretchStartsInContext()
    {
        const MarkupScan c = MarkupTags::scan(QStringLiteral("<b> --><i></i>"), SyntaxContext::Comment, 1000);
        QCOMPARE(c.tags.size(), size_t(2));
        QCOMPARE(c.tags[0].start, 1007);
        QCOMPARE(c.partnerOf(0), 1);
        const MarkupScan s = MarkupTags::scan(QStringLiteral("x='<p>'</script><p>"), SyntaxContext::Script, 10);
        QCOMPARE(s.tags.size(), size_t(2));
        QVERIFY(s.tags[0].closing);
        QCOMPARE(s.name(1).toString(), QStringLiteral("p"));
        QCOMPARE(s.innermostOpen(10 + 19), 1);
    }

    // The innermost element around a selection, then the one around that.
    void enclosing()
    {
        const QString text = QStringLiteral("<div><p>a <b>b</b> c<br></p></div>");
        const MarkupScan s = MarkupTags::scan(text, SyntaxContext::Text, 0);
        int close = -1;
        const int from = int(text.indexOf(u"<b>")), to = int(text.indexOf(u"</b>") + 4);
        const int p = s.enclosing(from, to, &close);
        QCOMPARE(s.name(p).toString(), QStringLiteral("p"));
        QCOMPARE(s.tags[size_t(close)].end, int(text.indexOf(u"</p>") + 4));
        const int d = s.enclosing(s.tags[size_t(p)].start, s.tags[size_t(close)].end, &close);
        QCOMPARE(s.name(d).toString(), QStringLiteral("div"));
        QCOMPARE(s.enclosing(0, int(text.size()), &close), -1);
    }
};

QTEST_GUILESS_MAIN(TestMarkupTags)
#include "test_markuptags.moc"
