#include "common/TextTarget.h"
#include "tags/CharCodes.h"
#include "common/ColourText.h"
#include "tags/TagCatalogue.h"
#include "tags/TagMenuSnippets.h"

#include "support/FakeTextTarget.h"
#include <QSet>
#include <QtTest>

static QString s(const char *text) { return QString::fromUtf8(text); }
const QString Before = QStringLiteral("before "), Selected = QStringLiteral("SELECTED"), After = QStringLiteral(" after");
static FakeTextTarget withSelection() { return FakeTextTarget(Before + Selected + After, int(Before.size()), int(Selected.size())); }

class TestTagsCore : public QObject {
    Q_OBJECT
    TagCatalogue m_cat = TagCatalogue::build();

private slots:
    // Entries over a selection, one or more of each kind: the exact text with the
    // caret ("|") or selection ("[...]"), or for a dialog entry the action and an
    // untouched editor.
    void entries_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<int>("action");
        auto row = [](int entry, const QString &text, TagAction a = TagAction::None) {
            QTest::addRow("%d", entry) << entry << text << int(a);
        };
        const QString crlf = QStringLiteral("\r\n");
        row(0, s(R"(<form action="[URL]" name="" method="post">)") + crlf + crlf + s("</form>"));
        row(1, s("<textarea rows=4 cols=15>|</textarea>"));
        const TagAction dialogs[] = {TagAction::SelectList, TagAction::Body, TagAction::Table, TagAction::Font, TagAction::Image};
        for (int e = 2; e <= 6; ++e) // a dialog: the editor stays as it was
            row(e, "[" + Selected + "]", dialogs[e - 2]);
        row(7, s(R"(<a href="[URL]"></a>)"));
        row(9, s(R"(<input type="checkbox" name="|" value="" checked>)"));
        row(17, s(R"(<script language="JavaScript">)") + crlf + s("<!--") + crlf + "|" + crlf + s("-->") + crlf + s("</script>") + crlf);
        row(18, s(R"(<script language="JavaScript" src="[URL]"></script>)") + crlf);
        row(20, s(R"(<iframe src="[URL]" frameborder=0 vspace=0 hspace=0 width=120 height=120 marginwidth=0 )"
                  R"(marginheight=0 scrolling=no frameborder=1 name=""></iframe>)"));
        row(25, s(R"(<embed src="[URL]"></embed>)"));
        row(51, s("<!- | -->"));
        row(52, s("&lt;|&gt;"));
        row(57, s(R"(<a href="mailto:|"></a>)"));
        // Caret after these.
        for (const auto &[e, text] : std::initializer_list<std::pair<int, const char *>>{
                 {21, "<hr>"}, {28, "<br>"}, {29, R"(align="left")"}, {30, R"(align="center")"}, {31, R"(align="right")"},
                 {32, R"(valign="top")"}, {33, R"(valign="center")"}, {34, R"(valign="down")"}, {69, R"(target="_blank")"}})
            row(e, s(text) + "|");
        // Caret before the closing tag.
        for (const auto &[e, tag] : std::initializer_list<std::pair<int, const char *>>{
                 {26, "noembed"}, {27, "center"}, {35, "li"}, {36, "h1"}, {37, "h2"}, {38, "h3"}, {39, "h4"}, {40, "h5"},
                 {41, "h6"}, {42, "th"}, {43, "ol"}, {44, "ul"}, {45, "tr"}, {46, "td"}, {47, "b"}, {48, "i"}, {49, "u"},
                 {50, "p"}, {53, "big"}, {54, "sub"}, {55, "sup"}, {56, "pre"}, {61, "nobr"}, {70, "strong"}})
            row(e, QStringLiteral("<%1>|</%1>").arg(tag));
        const char *divs[] = {"left", "center", "right"};
        for (int i = 0; i < 3; ++i)
            row(58 + i, QStringLiteral("<div align=\"%1\">|</div>").arg(divs[i]));
        // Caret between the quotes.
        const char *attributes[] = {"bgcolor", "color", "height", "width", "alt", "class", "name"};
        for (int i = 0; i < 7; ++i)
            row(62 + i, QStringLiteral("%1=\"|\"").arg(attributes[i]), i < 2 ? TagAction::Colour : TagAction::None);
    }

    void entries()
    {
        QFETCH(int, entry);
        QFETCH(QString, inserted);
        FakeTextTarget t = withSelection();
        QTEST(int(performEntry(m_cat, entry, t)), "action");
        QCOMPARE(marked(t), Before + inserted + After);
    }

    // Every row of the sorted list leads to the entry of that name, each entry once.
    void tagListMap()
    {
        QCOMPARE(m_cat.TagListMap.size(), 71);
        QCOMPARE(QSet<int>(m_cat.TagListMap.begin(), m_cat.TagListMap.end()).size(), 71);
        for (int r = 0; r < 71; ++r) {
            QCOMPARE(m_cat.Entries.value(m_cat.TagListMap.at(r)).name, m_cat.SortedNames.at(r));
            QVERIFY(r == 0 || m_cat.SortedNames.at(r - 1).compare(m_cat.SortedNames.at(r), Qt::CaseInsensitive) <= 0);
        }
    }

    void unbuiltCatalogue()
    {
        // A key that comes before the catalogue is built: no crash, the selection stays.
        FakeTextTarget t = withSelection();
        const TagCatalogue unbuilt;
        insertQuickSnippet(unbuilt, QuickSnippet::Bold, t);
        QVERIFY(insertHeading(unbuilt, 1, t));
        insertTagMenuItem(unbuilt, TagMenuItem::FormAction, t);
        QCOMPARE(int(performEntry(unbuilt, 47, t)), int(TagAction::None));
        QCOMPARE(t.text(), Before + Selected + After);
        QCOMPARE(t.selText(), Selected);
    }

    // Character codes go through the dialog in the GUI test; here what an editor cannot hold.
    void conversions()
    {
        QCOMPARE(colourText(0x12, 0xAB, 0x0F), s("#12AB0F"));
        QCOMPARE(colourText(-5, 300, 16), s("#00FF10")); // clamped
        QCOMPARE(colourTextFromValue(16711680), s("#0000FF")); // the value holds blue in its high byte
        QCOMPARE(charCodes(QString(QChar(0xD800)) + s("x\U0001F600")), s("&#65533;&#120;&#128512;"));
        QCOMPARE(charCodes(QString()), QString());
    }
};

QTEST_GUILESS_MAIN(TestTagsCore)
#include "test_tags_core.moc"
