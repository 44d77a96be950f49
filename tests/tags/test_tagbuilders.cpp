// The tag dialogs' mark-up, their key rules, the font sample page and the
// select-list builder with its selection reader.
#include "common/TextTarget.h"
#include "tags/DialogKeys.h"
#include "tags/DialogMarkup.h"
#include "tags/FontSample.h"
#include "tags/SelectList.h"
#include "tags/SelectReader.h"

#include "support/FakeTextTarget.h"
#include <QRegularExpression>
#include <QtTest>

namespace {

const QString Before = QStringLiteral("before\r\n"), Selected = QStringLiteral("SEL"), After = QStringLiteral(" after");
FakeTextTarget withSelection() { return FakeTextTarget(Before + Selected + After, int(Before.size()), int(Selected.size())); }

enum Dialog { Body, Font, Image, Table };

// The dialog's boxes in the order of its field struct.
DialogMarkup build(int dialog, const QStringList &f)
{
    const auto at = [&](int i) { return f.value(i); };
    switch (dialog) {
    case Body: return bodyMarkup({at(0), at(1), at(2), at(3), at(4), at(5), at(6)});
    case Font: return fontMarkup({at(0), at(1), at(2)});
    case Image: return imageMarkup({at(0), at(1), at(2), at(3), at(4), at(5), at(6)});
    default: return tableMarkup({at(0), at(1), at(2), at(3), at(4), at(5)});
    }
}

// Options as "value|text" for readable comparisons.
QStringList flat(const QList<SelectOption> &options)
{
    QStringList out;
    for (const SelectOption &o : options)
        out << o.value + QLatin1Char('|') + o.text;
    return out;
}

QList<SelectOption> unflat(const QStringList &rows)
{
    QList<SelectOption> out;
    for (const QString &r : rows)
        out.append({r.section(QLatin1Char('|'), 0, 0), r.section(QLatin1Char('|'), 1)});
    return out;
}

} // namespace

class TestTagBuilders : public QObject {
    Q_OBJECT

private slots:
    // OK over a selection: the exact text put in its place and the caret ("|"):
    // body and table on the empty line, font between the tags.
    void markup_data()
    {
        QTest::addColumn<int>("dialog");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("inserted"); // "": the editor stays as it was
        const auto row = [](const char *name, Dialog d, const QStringList &f, const QString &inserted) {
            QTest::newRow(name) << int(d) << f << inserted;
        };
        const QString body = QStringLiteral("<body topmargin=0 leftmargin=0%1>\r\n|\r\n</body>\r\n");
        const QString table = QStringLiteral("<table%1>\r\n|\r\n</table>\r\n");
        row("body all, fixed order", Body, {"i.gif", "s.mid", "#1", "#2", "#3", "#4", "#5"},
            body.arg(" background=\"i.gif\" bgsound=\"s.mid\" bgcolor=\"#1\" text=\"#2\" link=\"#3\" vlink=\"#4\" alink=\"#5\""));
        row("body quote unchanged", Body, {"a\"b.gif", "", "", "", "", "", "<&>"}, body.arg(" background=\"a\"b.gif\" alink=\"<&>\""));
        row("body all empty", Body, {}, "");
        row("font face and size", Font, {"Arial", "", "3"}, "<font face=\"Arial\" size=\"3\">|</font>");
        row("font all empty", Font, {"", "", ""}, "");
        row("image height percent", Image, {"a.gif", "", "", "50%"}, "<img src=\"a.gif\" height=\"50%\">|");
        row("image all, fixed order", Image, {"/home/u/a b.gif", "A \"q\"", "1", "2", "3", "4", "0"},
            "<img src=\"/home/u/a b.gif\" alt=\"A \"q\"\" width=\"1\" height=\"2\" hspace=\"3\" vspace=\"4\" border=\"0\">|");
        row("image empty src", Image, {"", "alt", "1", "2", "3", "4", "5"}, "");
        row("table all empty", Table, {}, table.arg(QString()));
        row("table all, fixed order", Table, {"1", "#ABCDEF", "2", "3%", "4", "5"},
            table.arg(" border=\"1\" bgcolor=\"#ABCDEF\" cellspacing=\"2\" cellpadding=\"3%\" width=\"4\" height=\"5\""));
    }

    void markup()
    {
        QFETCH(int, dialog);
        QFETCH(QStringList, fields);
        QFETCH(QString, inserted);
        FakeTextTarget t = withSelection();
        QCOMPARE(applyDialogMarkup(build(dialog, fields), &t, false), !inserted.isEmpty());
        QCOMPARE(marked(t), Before + (inserted.isEmpty() ? "[" + Selected + "]" : inserted) + After);
    }

    void keys_data()
    {
        QTest::addColumn<QString>("box"); // image N, table N, name, text
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("accepted");
        const QString digits = QStringLiteral("0123456789\b");
        const QString refusedInNumbers = QStringLiteral("-+.,a x\u0663\uFF11\t");
        for (int item = 0; item < 5; ++item) {
            const QString pct = QStringLiteral("%");
            QTest::addRow("image %d", item) << QStringLiteral("image %1").arg(item) << digits + pct + refusedInNumbers
                                            << digits + (item <= 1 ? pct : QString());
            QTest::addRow("table %d", item) << QStringLiteral("table %1").arg(item) << digits + pct + refusedInNumbers
                                            << digits + (item >= 2 ? pct : QString());
        }
        QTest::newRow("image item out of range") << "image 5" << digits << "";
        QTest::newRow("select name, value") << "name" << "a_1-\u044F. \"'<>" << "a_1-\u044F.";
        QTest::newRow("select text") << "text" << "a \"'&\u044F<>" << "a \"'&\u044F";
    }

    void keys()
    {
        QFETCH(QString, box);
        QFETCH(QString, keys);
        const int item = box.section(QLatin1Char(' '), 1).toInt();
        QString accepted;
        for (const QChar c : keys) {
            const bool ok = box.startsWith(QLatin1String("image")) ? imageNumberKeyAccepted(item, c)
                : box.startsWith(QLatin1String("table"))          ? tableNumberKeyAccepted(item, c)
                : box == QLatin1String("name")                    ? selectNameKeyAccepted(c)
                                                                  : selectTextKeyAccepted(c);
            if (ok)
                accepted += c;
        }
        QTEST(accepted, "accepted");
    }

    // The sample page with nothing chosen and with everything; a background alone
    // is the dialog's test. Escaping is fontSampleHostile's.
    void fontSample()
    {
        const QString abc = QStringLiteral("ABC<br>\u0410\u0411\u0412");
        QCOMPARE(fontSamplePage({}, {}), "<html><body topmargin=0 leftmargin=0>" + abc + "</body></html>");
        QCOMPARE(fontSamplePage({"Arial", "#FF0000", "3"}, "#00FF00"),
                 "<html><body topmargin=0 leftmargin=0 bgcolor=\"#00FF00\"><font face=\"Arial\" color=\"#FF0000\" size=\"3\">" + abc
                     + "</font></body></html>");
    }

    // Whatever the fields hold, the page has only its own elements and each
    // value stays inside its quotes; the inserted mark-up keeps the text as typed.
    void fontSampleHostile_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("script") << "\"><script>alert(1)</script>";
        QTest::newRow("event") << "x\" onmouseover=\"alert(1)\" y=\"";
        QTest::newRow("single quote event") << "x' onload='alert(1)";
        QTest::newRow("image from network") << "<img src=\"http://example.com/a.png\" onerror=alert(1)>";
        QTest::newRow("file") << "'><iframe src=file:///etc/passwd></iframe>";
        QTest::newRow("entity and nul") << QString(QStringLiteral("&lt;script&gt;") + QChar(0) + "<b>");
    }

    void fontSampleHostile()
    {
        QFETCH(QString, value);
        const QRegularExpression ownTags(QStringLiteral("<(html|/html|body topmargin=0 leftmargin=0|/body|font|/font|br)[ >]"));
        for (int field = 0; field < 4; ++field) {
            QStringList f{"Arial", "#FF0000", "3", "#FFFFFF"};
            f[field] = value;
            const QString page = fontSamplePage({f[0], f[1], f[2]}, f[3]);
            QCOMPARE(page.count(QLatin1Char('<')), int(page.count(ownTags)));
            QCOMPARE(page.count(QLatin1Char('"')), 8); // four attributes, two quotes each
            QVERIFY(!page.contains(QLatin1Char('\'')));
            QVERIFY(!page.contains(QChar(0)));
            QVERIFY(!page.contains(QLatin1String("<script"), Qt::CaseInsensitive));
            QVERIFY(page.contains(escapeSampleText(value)));
            if (field < 3)
                QVERIFY(fontMarkup({f[0], f[1], f[2]}).snippet.text.contains(value));
        }
    }

    // A list of operations on the builder's rows; each row of the table is one story.
    void selectList_data()
    {
        QTest::addColumn<QStringList>("ops");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("results"); // one letter per operation: y done, n nothing, V/T need value/text
        QTest::newRow("added with no row selected goes to the top")
            << QStringList{"add 1 One", "select -1", "add 2 Two"} << QStringList{"2|Two", "1|One"} << 0 << "yyy";
        QTest::newRow("added after the selected row")
            << QStringList{"add 1 a", "add 2 b", "select 0", "add 3 c"} << QStringList{"1|a", "3|c", "2|b"} << 1 << "yyyy";
        QTest::newRow("empty value or text adds nothing")
            << QStringList{"add - x", "add v -", "add - -"} << QStringList{} << -1 << "VTV";
        QTest::newRow("up and down stop at the ends")
            << QStringList{"add 1 a", "add 2 b", "add 3 c", "up", "up", "up", "down", "down", "down"}
            << QStringList{"1|a", "2|b", "3|c"} << 2 << "yyyyynyyn";
        QTest::newRow("no selection: nothing moves or goes")
            << QStringList{"add 1 a", "add 2 b", "select 7", "up", "down", "del", "take"} << QStringList{"1|a", "2|b"} << -1
            << "yyynnnn";
        QTest::newRow("delete selects the row above")
            << QStringList{"add 1 a", "add 2 b", "add 3 c", "del"} << QStringList{"1|a", "2|b"} << 1 << "yyyy";
        QTest::newRow("delete of row 0 keeps row 0 selected")
            << QStringList{"add 1 a", "add 2 b", "select 0", "del"} << QStringList{"2|b"} << 0 << "yyyy";
        QTest::newRow("delete of the last row selects none")
            << QStringList{"add 1 a", "del", "del"} << QStringList{} << -1 << "yyn";
        QTest::newRow("take back the middle row, add it again")
            << QStringList{"add 1 a", "add 2 b", "add 3 c", "select 1", "take", "add 2 B"} << QStringList{"1|a", "2|B", "3|c"}
            << 1 << "yyyyyy";
        QTest::newRow("take back the first row: none selected, adding puts it on top")
            << QStringList{"add 1 a", "add 2 b", "select 0", "take", "add 1 a"} << QStringList{"1|a", "2|b"} << 0 << "yyyyy";
        QTest::newRow("take back the only row") << QStringList{"add 1 a", "take"} << QStringList{} << -1 << "yy";
    }

    void selectList()
    {
        QFETCH(QStringList, ops);
        SelectList list;
        QString results;
        std::optional<SelectOption> taken;
        const auto dash = [](const QString &s) { return s == QLatin1String("-") ? QString() : s; };
        for (const QString &op : ops) {
            const QStringList w = op.split(QLatin1Char(' '));
            if (w[0] == QLatin1String("add")) {
                const auto r = list.addOption(dash(w[1]), dash(w[2]));
                results += r == SelectList::AddResult::Added ? 'y' : r == SelectList::AddResult::NeedValue ? 'V' : 'T';
            } else if (w[0] == QLatin1String("select")) {
                list.select(w[1].toInt());
                results += 'y';
            } else if (w[0] == QLatin1String("take")) {
                const int before = list.count();
                taken = list.takeBack();
                results += taken ? 'y' : 'n';
                QCOMPARE(list.count(), before - (taken ? 1 : 0));
            } else {
                const bool done = w[0] == QLatin1String("up") ? list.moveUp()
                    : w[0] == QLatin1String("down")          ? list.moveDown()
                                                             : list.deleteSelected();
                results += done ? 'y' : 'n';
            }
        }
        QTEST(flat(list.options()), "rows");
        QTEST(list.selectedRow(), "selected");
        QTEST(results, "results");
    }

    // expected: the name, then the options.
    void readSelect_data()
    {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char *name, const QString &sel, const QStringList &e) { QTest::newRow(name) << sel << e; };
        row("empty", "", {""});
        row("not a select", "<input name=\"q\" value=\"x\">y</input>", {""});
        row("select without name", "<select id=\"a\"><option value=\"1\">One</option></select>", {""});
        row("upper case, unquoted, more attributes",
            "<SELECT size=1 NAME=list><OPTION VALUE=1 selected>One</OPTION>\r\n<Option Value='2'>Two</Option></SELECT>",
            {"list", "1|One", "2|Two"});
        row("spaces around equals, hand-written lines",
            "<select\r\n  name = \"s\">\r\n  <option value = \"x\">X</option>\r\n</select>", {"s", "x|X"});
        row("the word value in name and text",
            "<select name=\"values\"><option value=\"1\">Enter value=\"2\"</option><option value=\"3\">c</option></select>",
            {"values", "1|Enter value=\"2\"", "3|c"});
        row("other attribute names holding the words",
            "<select data-name=\"no\" username=\"no\" name=\"yes\"><option datavalue=\"no\" value=\"v\">t</option></select>", {"yes", "v|t"});
        row("other quotes, > inside a value", "<select name='a \"b\"'><option value=\"x>y\">T</option></select>", {"a \"b\"", "x>y|T"});
        row("option without value takes its text", "<select name=\"a\"><option>One</option></select>", {"a", "One|One"});
        row("stops at the end of the select",
            "<select name=\"a\"><option value=\"1\">One</option></select><select name=\"b\"><option value=\"2\">Two</option>", {"a", "1|One"});
        row("commented-out option",
            "<select name=\"a\"><!-- <option value=\"0\">Zero</option> --><option value=\"1\">One</option></select>", {"a", "1|One"});
        row("< in the text ends it", "<select name=\"a\"><option value=\"1\">1 < 2</option></select>", {"a", "1|1 "});
        row("value quote never closes",
            "<select name=\"a\"><option value=\"1\">One</option><option value=\"2>Two</option></select>", {"a", "1|One"});
        row("name quote never closes", "<select name=\"a><option value=1>x</option>", {""});
        row("> with no < after it", "<select name=\"a\"><option value=\"1\">One</option><option value=\"2\">Two", {"a", "1|One"});
        row("tag never ends", "<select name=\"a\"><option value=\"1\">One</option><option value=\"2\"", {"a", "1|One"});
        row("comment never ends", "<select name=\"a\"><!-- <option value=\"1\">One</option>", {"a"});
        row("stray brackets", ">>\"name=\"a\" value=\"1\">x<< <<select name=b>< option value=9>z<option value=2>y</>", {"b", "2|y"});
        row("empty attribute values", "<select name=\"\"><option value=\"\">-</option></select>", {"", "|-"});
    }

    void readSelect()
    {
        QFETCH(QString, selection);
        const SelectReading r = readSelectElement(selection);
        QTEST(QStringList(r.name) + flat(r.options), "expected");
    }

    // Selecting built text, reading it and OK give the same text; the last row is
    // selected. The exact text of a build is checked in test_tagdialogs_gui.
    void selectRoundTrip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("options");
        QTest::newRow("words of the mark-up in texts") << "value" << QStringList{"name|value=\"x\"", "v|/select value"};
        QTest::newRow("odd characters") << "\u044F&amp;" << QStringList{"\u00E9|a & b > c \"q\" 'r'", "-|"};
    }

    void selectRoundTrip()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, options);
        SelectList list;
        list.setOptions(unflat(options));
        const QString built = list.build(name).snippet.text;
        FakeTextTarget t(QStringLiteral("x") + built + QStringLiteral("y"), 1, int(built.size()));
        const SelectReading r = readSelectElement(t.selText());
        QCOMPARE(r.name, name);
        SelectList back;
        back.setOptions(r.options);
        QCOMPARE(back.selectedRow(), int(options.size()) - 1);
        QVERIFY(applyDialogMarkup(back.build(r.name), &t, false));
        QCOMPARE(t.text(), QStringLiteral("x") + built + QStringLiteral("y"));
    }

    // Megabytes of selection: the reader ends with a sane result. A reader that
    // went back over the text for each tag would not finish within the test's time.
    void readHuge_data()
    {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("count");
        const int n = 200000;
        QString many = QStringLiteral("<select name=\"big\">");
        many.reserve(n * 32);
        for (int i = 0; i < n; ++i)
            many += QStringLiteral("<option value=\"%1\">t</option>\r\n").arg(i);
        QTest::newRow("200000 options") << many + "</select>" << "big" << n;
        QTest::newRow("value quote never closes") << "<select name=\"a\"><option value=\"" + QString(4 << 20, u'x') << "a"
                                                  << 0;
        QTest::newRow("options without select") << QStringLiteral("<option value=\"1\">x").repeated(200000) << "" << 0;
        QTest::newRow("tags never end") << "<select name=a>" + QStringLiteral("<a ").repeated(1 << 20) << "a" << 0;
        QTest::newRow("empty texts") << "<select name=a>" + QStringLiteral("<option value=1>").repeated(300000) << "a"
                                     << 299999;
    }

    void readHuge()
    {
        QFETCH(QString, selection);
        const SelectReading r = readSelectElement(selection);
        QTEST(r.name, "name");
        QTEST(int(r.options.size()), "count");
    }
};

QTEST_GUILESS_MAIN(TestTagBuilders)
#include "test_tagbuilders.moc"
