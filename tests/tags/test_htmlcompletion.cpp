// The table of today's HTML elements and what completion offers at a caret:
// attribute names in a tag, values in a quoted enumerated value, element names
// after "<", and nothing in comments, scripts, style sheets or end tags.
#include "tags/HtmlCompletion.h"
#include "tags/HtmlElementTable.h"
#include "tags/HtmlElements.h"

#include <QtTest>

Q_DECLARE_METATYPE(SyntaxContext)

using HtmlCompletion::Kind;

class TestHtmlCompletion : public QObject {
    Q_OBJECT
private slots:
    // Every element of the living standard's list, and no other; each row of
    // values belongs to an attribute its elements have.
    void elementTable()
    {
        QStringList expected = QStringLiteral(
            "html head title base link meta style body article section nav aside h1 h2 h3 h4 h5 h6 hgroup header "
            "footer address p hr pre blockquote ol ul menu li dl dt dd figure figcaption main search div a em strong "
            "small s cite q dfn abbr ruby rt rp data time code var samp kbd sub sup i b u mark bdi bdo span br wbr "
            "ins del picture source img iframe embed object video audio track map area table caption colgroup col "
            "tbody thead tfoot tr td th form label input button select datalist optgroup option textarea output "
            "progress meter fieldset legend details summary dialog script noscript template slot canvas")
            .split(u' ');
        expected.sort();
        QCOMPARE(HtmlElements::elements(), expected);
        QVERIFY(HtmlElements::isElement(u"TextArea") && !HtmlElements::isElement(u"textarae")
                && !HtmlElements::isElement(u"font") && !HtmlElements::isElement(u""));
        for (const QString &e : expected) {
            const QStringList a = HtmlElements::attributesOf(e);
            QVERIFY2(a.contains(u"id") && a.contains(u"class") && a.contains(u"onclick") && a.contains(u"popover"),
                     qPrintable(e));
            QVERIFY2(QSet<QString>(a.begin(), a.end()).size() == a.size(), qPrintable(e));   // none twice
        }
        // Each row of values belongs to an attribute its elements have.
        for (const HtmlElementTable::Values &v : HtmlElementTable::values()) {
            const QStringList elements = QString::fromLatin1(v.elements) == u"*"
                ? HtmlElements::elements() : QString::fromLatin1(v.elements).split(u' ');
            for (const QString &e : elements) {
                QVERIFY2(HtmlElements::isElement(e), qPrintable(e));
                QVERIFY2(HtmlElements::attributesOf(e).contains(QString::fromLatin1(v.attribute)),
                         qPrintable(e + u' ' + QString::fromLatin1(v.attribute)));
            }
        }
    }

    void attributesAndValues_data()
    {
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("attribute");   // "" for the attributes of the element
        QTest::addColumn<QString>("has");         // words the list holds ("" none at all)
        QTest::addColumn<QString>("lacks");
        QTest::newRow("input's own first") << "input" << "" << "accept type value id onclick" << "href onbeforeunload";
        QTest::newRow("body's window events") << "BODY" << "" << "onload onbeforeunload onhashchange class" << "href";
        QTest::newRow("custom element") << "my-widget" << "" << "id lang onclick" << "type";
        QTest::newRow("input type") << "input" << "type" << "text password checkbox radio datetime-local" << "";
        QTest::newRow("button type") << "Button" << "TYPE" << "submit reset button" << "text";
        QTest::newRow("form enctype") << "form" << "enctype" << "multipart/form-data text/plain" << "";
        QTest::newRow("link rel") << "link" << "rel" << "stylesheet icon preload" << "nofollow";
        QTest::newRow("a rel") << "a" << "rel" << "nofollow noopener" << "stylesheet";
        QTest::newRow("global on a custom element") << "x-y" << "contenteditable" << "true false plaintext-only" << "";
        QTest::newRow("ol type keeps case") << "ol" << "type" << "1 a A i I" << "";
        QTest::newRow("not enumerated") << "a" << "href" << "" << "";
        QTest::newRow("other element's value") << "div" << "type" << "" << "";
    }
    void attributesAndValues()
    {
        QFETCH(QString, element);
        QFETCH(QString, attribute);
        QFETCH(QString, has);
        QFETCH(QString, lacks);
        const QStringList got = attribute.isEmpty() ? HtmlElements::attributesOf(element)
                                                    : HtmlElements::valuesOf(element, attribute);
        if (has.isEmpty())
            QVERIFY(got.isEmpty());
        for (const QString &w : has.split(u' ', Qt::SkipEmptyParts))
            QVERIFY2(got.contains(w), qPrintable(w));
        for (const QString &w : lacks.split(u' ', Qt::SkipEmptyParts))
            QVERIFY2(!got.contains(w), qPrintable(w));
    }

    // The text before the caret "|" and the character after it; the kind, the
    // typed prefix, and the first choices offered.
    void offer_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<SyntaxContext>("from");
        QTest::addColumn<bool>("elements");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("first");   // the first choices, "|" between them
        const SyntaxContext text = SyntaxContext::Text;
        QTest::newRow("attribute prefix") << "a <input ty|" << text << false << Kind::Attribute << "ty" << "type";
        QTest::newRow("after the blank") << "<input |>" << text << false << Kind::Attribute << "" << "accept|alpha";
        QTest::newRow("attribute written is left out") << "<input type=\"x\" ty|" << text << false << Kind::None << "" << "";
        QTest::newRow("after a bare value") << "<input type=x n|" << text << false << Kind::Attribute << "n" << "name|nonce";
        QTest::newRow("tag over lines") << "<p\r\n\tcla|" << text << false << Kind::Attribute << "cla" << "class";
        QTest::newRow("before />") << "<br |/>" << text << false << Kind::Attribute << "" << "accesskey";
        QTest::newRow("in a word") << "<div cl|ass" << text << false << Kind::None << "" << "";
        QTest::newRow("after a quoted value") << "<input type=\"text\"|" << text << false << Kind::None << "" << "";
        QTest::newRow("after =") << "<input type=|" << text << false << Kind::None << "" << "";
        QTest::newRow("in a bare value") << "<input type=te|" << text << false << Kind::None << "" << "";
        QTest::newRow("in a value") << "<input type=\"|\">" << text << false << Kind::Value << "" << "hidden|text";
        QTest::newRow("value prefix") << "<input type='te|'" << text << false << Kind::Value << "te" << "text|tel";
        QTest::newRow("word of a list") << "<a rel=\"noopener no|\"" << text << false << Kind::Value << "no" << "nofollow|noopener";
        QTest::newRow("value typed in full") << "<input type=\"TEXT|\"" << text << false << Kind::None << "" << "";
        QTest::newRow("stray quote") << "<a \" |" << text << false << Kind::None << "" << "";
        QTest::newRow("value of no list") << "<div title=\"|\"" << text << false << Kind::None << "" << "";
        QTest::newRow("quote in a value") << "<a title='say \"x' dir=\"r|\"" << text << false << Kind::Value << "r" << "rtl";
        QTest::newRow("element name") << "<inp|" << text << true << Kind::Element << "inp" << "input";
        QTest::newRow("element name, tag list on") << "<inp|" << text << false << Kind::None << "" << "";
        QTest::newRow("unknown element") << "<x-y tabi|" << text << false << Kind::Attribute << "tabi" << "tabindex";
        QTest::newRow("end tag") << "</div |" << text << true << Kind::None << "" << "";
        QTest::newRow("text") << "a < b |" << text << true << Kind::None << "" << "";
        QTest::newRow("after a tag") << "<input type=\"text\"> |" << text << true << Kind::None << "" << "";
        QTest::newRow("comment") << "<!-- <input |" << text << true << Kind::None << "" << "";
        QTest::newRow("script") << "<script>s = '<input |" << text << true << Kind::None << "" << "";
        QTest::newRow("style") << "<style>p { content: '<input |" << text << true << Kind::None << "" << "";
        QTest::newRow("script begun before") << "x = a<input |" << SyntaxContext::Script << true << Kind::None << "" << "";
        QTest::newRow("after a script begun before") << "x</script><input ty|" << SyntaxContext::Script << true << Kind::Attribute << "ty" << "type";
        QTest::newRow("comment begun before") << "<input |" << SyntaxContext::Comment << true << Kind::None << "" << "";
        QTest::newRow("empty") << "|" << text << true << Kind::None << "" << "";
    }
    void offer()
    {
        QFETCH(QString, text);
        QFETCH(SyntaxContext, from);
        QFETCH(bool, elements);
        QFETCH(QString, first);
        const qsizetype caret = text.indexOf(u'|');
        const QString after = text.mid(caret + 1);
        constexpr int offset = 1000;   // where the stretch stands in the page
        const HtmlCompletion::Offer o = HtmlCompletion::at(text.left(caret), from, offset,
                                                           after.isEmpty() ? QChar() : after[0], elements);
        QTEST(o.kind, "kind");
        if (o.kind == Kind::None)
            return;
        QTEST(o.prefix, "prefix");
        QCOMPARE(o.from, offset + int(caret - o.prefix.size()));
        const QStringList want = first.split(u'|');
        QCOMPARE(o.choices.mid(0, want.size()), want);
    }
};

QTEST_GUILESS_MAIN(TestHtmlCompletion)
#include "test_htmlcompletion.moc"
