#include "tags/BracketCheck.h"
#include "tags/CharCodes.h"
#include "tags/ColourText.h"
#include "tags/TagCatalogue.h"
#include "tags/TagMenuSnippets.h"

#include "tags/FakeTextTarget.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString s(const char *text) { return QString::fromUtf8(text); }

const QString Before = QStringLiteral("before ");
const QString Selected = QStringLiteral("SELECTED");
const QString After = QStringLiteral(" after");

FakeTextTarget withSelection()
{
    return FakeTextTarget(Before + Selected + After, int(Before.size()), int(Selected.size()));
}

} // namespace

class TestTagsCore : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    TagCatalogue m_cat = TagCatalogue::build();

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir::setCurrent(m_dir.path()));
    }

    // Each entry over a selection: the exact text, caret and selection, or
    // for a dialog entry the action and an untouched editor.
    void entries_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<int>("back");      // caret = end of inserted text - back
        QTest::addColumn<int>("selLength");
        QTest::addColumn<int>("action");

        const QString crlf = QStringLiteral("\r\n");
        auto row = [](int entry, const QString &text, int back, int sel = 0, TagAction a = TagAction::None) {
            QTest::addRow("%d", entry) << entry << text << back << sel << int(a);
        };

        row(0, s(R"(<form action="URL" name="" method="post">)") + crlf + crlf + s("</form>"), 38, 3);
        row(1, s("<textarea rows=4 cols=15></textarea>"), 11);
        row(2, {}, 0, 0, TagAction::SelectList);
        row(3, {}, 0, 0, TagAction::Body);
        row(4, {}, 0, 0, TagAction::Table);
        row(5, {}, 0, 0, TagAction::Font);
        row(6, {}, 0, 0, TagAction::Image);
        row(7, s(R"(<a href="URL"></a>)"), 9, 3);
        row(8, s(R"(<marquee direction="left" scrolldelay="0" height=15 width="100%"></marquee>)"), 10);
        row(9, s(R"(<input type="checkbox" name="" value="" checked>)"), 19);
        row(10, s(R"(<input type="radio" name="" value="" checked>)"), 19);
        row(11, s(R"(<input type="reset" name="" value="">)"), 11);
        row(12, s(R"(<input type="submit" name="" value="">)"), 11);
        row(13, s(R"(<input type="image" name="" src="" align="lef">)"), 21);
        row(14, s(R"(<input type="text" name="" value="" size="" maxlength="">)"), 32);
        row(15, s(R"(<input type="password" name="" size="">)"), 10);
        row(16, s(R"(<input type="sendfile" name="">)"), 2);
        row(17, s(R"(<script language="JavaScript">)") + crlf + s("<!--") + crlf + crlf + s("-->") + crlf
                    + s("</script>") + crlf, 18);
        row(18, s(R"(<script language="JavaScript" src="URL"></script>)") + crlf, 16, 3);
        row(19, s(R"(<span class="" title=""></span>)"), 18);
        row(20, s(R"(<iframe src="URL" frameborder=0 vspace=0 hspace=0 width=120 height=120 marginwidth=0 )"
                  R"(marginheight=0 scrolling=no frameborder=1 name=""></iframe>)"), 131, 3);
        row(21, s("<hr>"), 0);
        row(22, s(R"(<object id="" classid="clsid:" data="" width="" heigh=""></object>)"), 54);
        row(23, s(R"(<param name="" value="">)"), 11);
        row(24, s(R"(<applet codebase="" code=""></applet>)"), 19);
        row(25, s(R"(<embed src="URL"></embed>)"), 13, 3);
        row(26, s("<noembed></noembed>"), 10);
        row(27, s("<center></center>"), 9);
        row(28, s("<br>"), 0);
        row(29, s(R"(align="left")"), 0);
        row(30, s(R"(align="center")"), 0);
        row(31, s(R"(align="right")"), 0);
        row(32, s(R"(valign="top")"), 0);
        row(33, s(R"(valign="center")"), 0);
        row(34, s(R"(valign="down")"), 0);
        row(35, s("<li></li>"), 5);
        for (int h = 1; h <= 6; ++h)
            row(35 + h, QStringLiteral("<h%1></h%1>").arg(h), 5);
        row(42, s("<th></th>"), 5);
        row(43, s("<ol></ol>"), 5);
        row(44, s("<ul></ul>"), 5);
        row(45, s("<tr></tr>"), 5);
        row(46, s("<td></td>"), 5);
        row(47, s("<b></b>"), 4);
        row(48, s("<i></i>"), 4);
        row(49, s("<u></u>"), 4);
        row(50, s("<p></p>"), 4);
        row(51, s("<!-  -->"), 4);
        row(52, s("&lt;&gt;"), 4);
        row(53, s("<big></big>"), 6);
        row(54, s("<sub></sub>"), 6);
        row(55, s("<sup></sup>"), 6);
        row(56, s("<pre></pre>"), 6);
        row(57, s(R"(<a href="mailto:"></a>)"), 6);
        row(58, s(R"(<div align="left"></div>)"), 6);
        row(59, s(R"(<div align="center"></div>)"), 6);
        row(60, s(R"(<div align="right"></div>)"), 6);
        row(61, s("<nobr></nobr>"), 7);
        row(62, s(R"(bgcolor="")"), 1, 0, TagAction::Colour);
        row(63, s(R"(color="")"), 1, 0, TagAction::Colour);
        row(64, s(R"(height="")"), 1);
        row(65, s(R"(width="")"), 1);
        row(66, s(R"(alt="")"), 1);
        row(67, s(R"(class="")"), 1);
        row(68, s(R"(name="")"), 1);
        row(69, s(R"(target="_blank")"), 0);
        row(70, s("<strong></strong>"), 9);
    }

    void entries()
    {
        QFETCH(int, entry);
        QFETCH(QString, inserted);
        QFETCH(int, back);
        QFETCH(int, selLength);
        QFETCH(int, action);

        FakeTextTarget t = withSelection();
        QCOMPARE(int(performEntry(m_cat, entry, t)), action);

        if (inserted.isEmpty()) {
            QCOMPARE(t.text(), Before + Selected + After);
            QCOMPARE(t.selStart(), int(Before.size()));
            QCOMPARE(t.selLength(), int(Selected.size()));
            return;
        }
        QCOMPARE(t.text(), Before + inserted + After);
        QCOMPARE(t.selStart(), int(Before.size() + inserted.size()) - back);
        QCOMPARE(t.selLength(), selLength);
        if (selLength == 3)
            QCOMPARE(t.selText(), QStringLiteral("URL"));
    }

    void catalogueShape()
    {
        QCOMPARE(m_cat.Entries.size(), 71);
        QCOMPARE(m_cat.FormMediaSnippets.size(), 22);
        QCOMPARE(m_cat.BreakAlignSnippets.size(), 7);
        QCOMPARE(m_cat.BlockSnippets.size(), 12);
        QCOMPARE(m_cat.InlineSnippets.size(), 6);
        QCOMPARE(m_cat.PhraseSnippets.size(), 9);
        QCOMPARE(m_cat.AttributeSnippets.size(), 9);

        const QStringList names = m_cat.names();
        QCOMPARE(names.at(1), s("textarae"));
        QCOMPARE(names.at(13), s(R"(input type="imge")"));
        QCOMPARE(names.at(29), s(R"(align="Left")"));
        QCOMPARE(names.at(51), s("!-  --"));
        QCOMPARE(names.at(52), s("<>"));
        for (int i = 0; i < 8; ++i)
            QCOMPARE(names.at(62 + i), m_cat.AttributeSnippets.at(i));
        QCOMPARE(names.at(70), s("strong"));
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), 71);
        // Each stored entry's text is the very text of its table.
        for (const TagEntry &e : m_cat.Entries) {
            if (e.table != SnippetTable::None && e.table != SnippetTable::Link)
                QCOMPARE(e.snippet.text, m_cat.table(e.table).at(e.index));
        }
    }

    void tagListMap()
    {
        QCOMPARE(m_cat.SortedNames.size(), 71);
        QCOMPARE(m_cat.TagListMap.size(), 71);
        QSet<int> seen;
        for (int r = 0; r < 71; ++r) {
            const int entry = m_cat.TagListMap.at(r);
            QVERIFY(entry >= 0 && entry < 71);
            QCOMPARE(m_cat.Entries.at(entry).name, m_cat.SortedNames.at(r));
            seen.insert(entry);
            if (r > 0)
                QVERIFY(m_cat.SortedNames.at(r - 1).compare(m_cat.SortedNames.at(r), Qt::CaseInsensitive) <= 0);
        }
        QCOMPARE(seen.size(), 71);
    }

    void typedTextFindsRow()
    {
        auto nameAt = [this](const QString &typed) {
            const int r = m_cat.rowForTypedText(typed);
            return r < 0 ? QString() : m_cat.SortedNames.at(r);
        };
        QCOMPARE(m_cat.rowForTypedText(QString()), 0);
        QCOMPARE(nameAt(s("b")), s("b"));
        QCOMPARE(nameAt(s("bi")), s("big"));
        QCOMPARE(nameAt(s("ta")), s("table"));
        QCOMPARE(m_cat.rowForTypedText(s("bx")), -1);
        // Lower-case typing stops matching at a capital letter.
        QCOMPARE(nameAt(s("script (")), s("script (Load)"));
        QCOMPARE(m_cat.rowForTypedText(s("script (n")), -1);
        QCOMPARE(m_cat.rowForTypedText(s("align=\"l")), -1);
    }

    void unknownTag()
    {
        FakeTextTarget t = withSelection();
        insertUnknownTag(s("bx"), t);
        QCOMPARE(t.text(), Before + s("<bx>") + After);
        QCOMPARE(t.selStart(), int(Before.size()) + 4);
        QCOMPARE(t.selLength(), 0);

        FakeTextTarget u = withSelection();
        insertUnknownTag(QString(), u);
        QCOMPARE(u.text(), Before + Selected + After);
        QCOMPARE(u.selLength(), int(Selected.size()));
    }

    void menuAndShortcutSnippets()
    {
        FakeTextTarget link(s("see word here"), 4, 4);
        insertTagMenuItem(m_cat, TagMenuItem::Link, link);
        QCOMPARE(link.text(), s(R"(see <a href="URL"></a> here)"));
        QCOMPARE(link.selText(), s("URL"));

        FakeTextTarget form(s("x\r\ny"), 3);
        QVERIFY(insertFormsItem(m_cat, 0, form));
        QCOMPARE(form.selText(), s("URL"));
        QVERIFY(form.selStart() < form.text().indexOf(s("\r\n"), 3));

        FakeTextTarget media;
        QVERIFY(insertMediaItem(m_cat, 2, media));
        QCOMPARE(media.text().mid(media.selStart()), s("</marquee>"));
        QVERIFY(insertFormsItem(m_cat, 1, media));
        QCOMPARE(media.text().mid(media.selStart(), 11), s("</textarea>"));

        // Numbers the menu lacks change nothing.
        const QString before = media.text();
        QVERIFY(!insertMediaItem(m_cat, 3, media));
        QVERIFY(!insertFormsItem(m_cat, 2, media));
        QVERIFY(!insertHeading(m_cat, 7, media));
        QCOMPARE(media.text(), before);

        FakeTextTarget keys(s("ab"), 1, 1);
        insertQuickSnippet(m_cat, QuickSnippet::Bold, keys);
        QCOMPARE(keys.text(), s("a<b></b>"));
        QCOMPARE(keys.selStart(), 4);
        QVERIFY(insertHeading(m_cat, 3, keys));
        QCOMPARE(keys.text(), s("a<b><h3></h3></b>"));
        QCOMPARE(keys.selStart(), 8);
        insertQuickSnippet(m_cat, QuickSnippet::LineBreak, keys);
        QCOMPARE(keys.text(), s("a<b><h3><br></h3></b>"));
        QCOMPARE(keys.selStart(), 12);
        insertQuickSnippet(m_cat, QuickSnippet::DivRight, keys);
        QCOMPARE(keys.text().mid(keys.selStart(), 6), s("</div>"));

        // A key that comes before the catalogue is built: no crash, the
        // selection stays.
        const TagCatalogue unbuilt;
        FakeTextTarget early = withSelection();
        insertQuickSnippet(unbuilt, QuickSnippet::Bold, early);
        QVERIFY(insertHeading(unbuilt, 1, early));
        insertTagMenuItem(unbuilt, TagMenuItem::FormAction, early);
        QCOMPARE(int(performEntry(unbuilt, 47, early)), int(TagAction::None));
        QCOMPARE(early.text(), Before + Selected + After);
        QCOMPARE(early.selText(), Selected);
    }

    void brackets_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("selStart");

        const int ok = BracketCheckResult::Balanced;
        const int close = BracketCheckResult::MissingClose;
        const int open = BracketCheckResult::MissingOpen;
        QTest::newRow("empty") << QString() << ok << -1;
        QTest::newRow("no brackets") << s("plain text\r\n") << ok << -1;
        QTest::newRow("balanced") << s("<p>x</p>\r\n<br>") << ok << -1;
        QTest::newRow("stray close") << s("a > b") << open << 2;
        QTest::newRow("second open") << s("<a <b>") << close << 3;
        QTest::newRow("open at end") << s("<p>text<") << close << 7;
        QTest::newRow("comment") << s("<!-- x > y -->") << open << 13;
        QTest::newRow("line breaks count two") << s("<p>\r\n\r\n>") << open << 7;
        QTest::newRow("unclosed before end") << s("<p>\r\n<b text") << close << 5;
    }

    void brackets()
    {
        QFETCH(QString, text);
        QFETCH(int, kind);
        QFETCH(int, selStart);

        const BracketCheckResult r = checkBrackets(text);
        QCOMPARE(int(r.kind), kind);
        QCOMPARE(r.selStart, selStart);
        if (kind == BracketCheckResult::Balanced) {
            QCOMPARE(r.messageEntry, 100);
            QCOMPARE(r.messageSuffix, QString());
            QCOMPARE(r.boxStyle, 64);
            QCOMPARE(r.selLength, 0);
        } else {
            QCOMPARE(r.messageEntry, 101);
            QCOMPARE(r.boxStyle, 16);
            QCOMPARE(r.selLength, 1);
            QCOMPARE(r.messageSuffix, kind == BracketCheckResult::MissingClose ? s(" \">\"") : s(" \"<\""));
            QCOMPARE(r.messageSuffix.size(), 4);
            QCOMPARE(text.at(selStart), kind == BracketCheckResult::MissingClose ? QChar('<') : QChar('>'));
        }
    }

    void colours()
    {
        QCOMPARE(colourText(255, 0, 0), s("#FF0000"));
        QCOMPARE(colourText(0, 0, 255), s("#0000FF"));
        QCOMPARE(colourText(0, 0, 0), s("#000000"));
        QCOMPARE(colourText(0x12, 0xAB, 0x0F), s("#12AB0F"));
        QCOMPARE(colourTextFromValue(255), s("#FF0000"));
        QCOMPARE(colourTextFromValue(16711680), s("#0000FF"));
        QCOMPARE(colourTextFromValue(0x0FAB12), s("#12AB0F"));
        QCOMPARE(colourText(-5, 300, 16), s("#00FF10"));

        // Entry 62 leaves the caret between the quotes; the colour then lands
        // there and is selected.
        FakeTextTarget t;
        QCOMPARE(performEntry(m_cat, 62, t), TagAction::Colour);
        insertColourText(colourText(0, 128, 0), t);
        QCOMPARE(t.text(), s(R"(bgcolor="#008000")"));
        QCOMPARE(t.selText(), s("#008000"));

        FakeTextTarget cancelled = withSelection();
        insertColourText(QString(), cancelled);
        QCOMPARE(cancelled.text(), Before + Selected + After);
        QCOMPARE(cancelled.selText(), Selected);
    }

    void charCodes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("codes");

        QTest::newRow("cyrillic") << s("Да") << s("&#1044;&#1072;");
        QTest::newRow("latin, blank") << s("A b") << s("&#65;&#32;&#98;");
        QTest::newRow("yo") << s("Ёё") << s("&#1025;&#1105;");
        QTest::newRow("line break") << s("\r\n") << s("&#13;&#10;");
        QTest::newRow("astral") << s("a\U0001F600b") << s("&#97;&#128512;&#98;");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + s("x") << s("&#65533;&#120;");
        QTest::newRow("empty") << QString() << QString();
    }

    void charCodes()
    {
        QFETCH(QString, text);
        QFETCH(QString, codes);
        QCOMPARE(::charCodes(text), codes);
    }

    void charCodesInsertion()
    {
        FakeTextTarget t = withSelection();
        QVERIFY(insertCharCodes(t.selText().left(2), t));
        QCOMPARE(t.text(), Before + s("&#83;&#69;") + After);
        QCOMPARE(t.selStart(), int(Before.size()) + 10);
        QCOMPARE(t.selLength(), 0);

        FakeTextTarget u = withSelection();
        QVERIFY(!insertCharCodes(QString(), u));
        QCOMPARE(u.text(), Before + Selected + After);
    }
};

QTEST_GUILESS_MAIN(TestTagsCore)
#include "test_tags_core.moc"
