// Closing tags, "</", Enter's indentation, matching tags, their marks and the
// zoom, typed with real key events into the real main frame's editor.
#include "common/GuiFixture.h"

#include "editing/SyntaxHighlighter.h"
#include "platform/LineNumberArea.h"
#include "tags/TagMarks.h"
#include "tags/frmListTag.h"

#include <QtTest>
#include <QtWidgets>

using namespace gui;

class TestMarkupGui : public QObject, GuiFixture {
    Q_OBJECT

    void ctrl(Qt::Key k, Qt::KeyboardModifiers more = {}) { QTest::keyClick(ed(), k, Qt::ControlModifier | more); }
    // The text each extra selection of the editor covers.
    QStringList marks() const
    {
        QStringList got;
        for (const auto &m : ed()->extraSelections())
            got << m.cursor.selectedText();
        return got;
    }

private slots:
    void init()
    {
        QVERIFY(startApp() && ed());
        activateFrame();
        app().listTags.set(false);
    }
    void cleanup() { stopApp(); }

    // Typed at "|" of start; the text after, and after one undo.
    void typing_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("undone");
        QTest::newRow("closes") << "a |b" << "<div>" << "a <div>|</div>b" << "a <div|b";
        QTest::newRow("attributes, capitals") << "|" << "<DIV class=\"a>b\" id='c'>" << "<DIV class=\"a>b\" id='c'>|</DIV>" << "";
        QTest::newRow("bare value") << "|" << "<p class=x>" << "<p class=x>|</p>" << "<p class=x|";
        QTest::newRow("void") << "|" << "<br><img src=\"a.png\">" << "<br><img src=\"a.png\">|" << "";
        QTest::newRow("self-closed") << "|" << "<x />" << "<x />|" << "<x /|";
        QTest::newRow("bare value ending in /") << "|" << "<a href=x/>" << "<a href=x/>|</a>" << "<a href=x/|";
        QTest::newRow("self-closed after a bare value") << "|" << "<x a=b/ />" << "<x a=b/ />|" << "<x a=b/ /|";
        QTest::newRow("end tag there") << "<b|</b>" << ">" << "<b>|</b>" << "<b|</b>";
        QTest::newRow("in a comment") << "<!-- |" << "<b>" << "<!-- <b>|" << "";
        QTest::newRow("in a script") << "<script>|</script>" << "<b>" << "<script><b>|</script>" << "";
        QTest::newRow("in a style") << "<style>p|</style>" << "<b>" << "<style>p<b>|</style>" << "";
        QTest::newRow("in a value") << "<a title=\"|\">" << "<b>" << "<a title=\"<b>|\">" << "";
        QTest::newRow("end tag") << "<div><p>a|" << "</" << "<div><p>a</p>|" << "<div><p>a<|";
        QTest::newRow("end tags") << "<div><p>a|" << "</</" << "<div><p>a</p></div>|" << "<div><p>a</p><|";
        QTest::newRow("end tag, none open") << "<a></a>|" << "</" << "<a></a></|" << "";
        QTest::newRow("end tag in a script") << "<script>if (a|" << "</" << "<script>if (a</|" << "";
        QTest::newRow("indent") << "<ul>\r\n \t<li>a|</li>" << "\n" << "<ul>\r\n \t<li>a\r\n \t|</li>" << "<ul>\r\n \t<li>a|</li>";
        QTest::newRow("no indent") << "a|" << "\n" << "a\r\n|" << "a|";
        QTest::newRow("indent at its start") << "  |a" << "\n" << "  \r\n  |a" << "  |a";
    }
    void typing()
    {
        QFETCH(QString, start);
        QFETCH(QString, typed);
        QFETCH(QString, undone);
        for (bool highlighted : {true, false}) {
            app().highlighting.set(highlighted);
            putMarked(doc(), start);
            if (highlighted)
                doc()->highlighter()->finishNow();
            type(ed(), typed);
            QTEST(marked(ed()), "expected");
            ctrl(Qt::Key_Z);
            if (!undone.isEmpty())
                QCOMPARE(marked(ed()), undone);
        }
    }

    // Through the tag list (on by default), and with the options off.
    void listAndOptions()
    {
        app().listTags.set(true);
        putMarked(doc(), QStringLiteral("|"));
        QTest::keyClick(ed(), '<');
        auto *list = f->findChild<frmListTag *>(QStringLiteral("frmListTag"));
        QVERIFY(list && list->isVisible());
        QTest::keyClicks(list->Text1, QStringLiteral("em>"));
        QTRY_COMPARE(marked(ed()), QStringLiteral("<em>|</em>"));
        app().listTags.set(false);
        t->command(QStringLiteral("mnuOptionsCloseTags"));
        t->command(QStringLiteral("mnuOptionsAutoIndent"));
        QVERIFY(!app().closeTags.value() && !app().autoIndent.value());
        putMarked(doc(), QStringLiteral(" |"));
        type(ed(), QStringLiteral("<b>x</\n"));
        QCOMPARE(marked(ed()), QStringLiteral(" <b>x</\r\n|"));
    }

    // Ctrl+M jumps between partners, Ctrl+Shift+M selects the element and then
    // the one around it; the caret's tag and its partner are marked a pause
    // after it moved.
    void matchingTags()
    {
        putMarked(doc(), QStringLiteral("<div>\r\n<p>a <b>b</b><br> c</p>\r\n</d|iv>"));
        ctrl(Qt::Key_M);
        QCOMPARE(marked(ed()), QStringLiteral("<|div>\r\n<p>a <b>b</b><br> c</p>\r\n</div>"));
        QTRY_COMPARE(marks(), (QStringList{"<div>", "</div>"}));
        ctrl(Qt::Key_M);
        QCOMPARE(marked(ed()), QStringLiteral("<div>\r\n<p>a <b>b</b><br> c</p>\r\n</|div>"));
        putMarked(doc(), QStringLiteral("<div>\r\n<p>a <b>b</b><b|r> c</p>\r\n</div>"));
        ctrl(Qt::Key_M, Qt::ShiftModifier);
        QCOMPARE(marked(ed()), QStringLiteral("<div>\r\n<p>a <b>b</b>[<br>] c</p>\r\n</div>"));
        QTRY_COMPARE(marks(), QStringList());   // a selection marks nothing
        ctrl(Qt::Key_M, Qt::ShiftModifier);
        QCOMPARE(marked(ed()), QStringLiteral("<div>\r\n[<p>a <b>b</b><br> c</p>]\r\n</div>"));
        ctrl(Qt::Key_M, Qt::ShiftModifier);
        QCOMPARE(marked(ed()), QStringLiteral("[<div>\r\n<p>a <b>b</b><br> c</p>\r\n</div>]"));
        putMarked(doc(), QStringLiteral("<p>a <b>b</b><br> c</p>\r\n<!-- <|b> -->"));
        ctrl(Qt::Key_M);
        QCOMPARE(marked(ed()), QStringLiteral("<p>a <b>b</b><br> c</p>\r\n<!-- <|b> -->"));
        QTest::qWait(TagMarks::Pause * 2);
        QCOMPARE(marks(), QStringList());
    }

    // A partner 100 kB away is found and marked; one past the bound is not.
    void bound()
    {
        const QString filler = QString(QStringLiteral("<i>text</i> a < b\r\n")).repeated(100 * 1000 / 19);
        const QString far = QString(QStringLiteral("<i>text</i> a < b\r\n")).repeated(300 * 1000 / 19);
        for (bool highlighted : {true, false}) {
            app().highlighting.set(highlighted);
            putMarked(doc(), QStringLiteral("<b|ody>\r\n") + filler + QStringLiteral("</body>"));
            QTRY_COMPARE(marks(), (QStringList{"<body>", "</body>"}));
            ctrl(Qt::Key_M);
            QCOMPARE(ed()->selStart(), 8 + int(filler.size()) + 2);
            putMarked(doc(), QStringLiteral("<b|ody>\r\n") + far + QStringLiteral("</body>"));
            ctrl(Qt::Key_M);
            QCOMPARE(ed()->selStart(), 2);
            QTest::qWait(TagMarks::Pause * 2);
            QCOMPARE(marks(), QStringList());
        }
    }

    // Ctrl++ (or Ctrl+=), Ctrl+-, Ctrl+0 and Ctrl+wheel zoom every editor and
    // its gutter; the stored font stays.
    void zoom()
    {
        t->command(QStringLiteral("mnuFileNew"));
        DocWindow *second = doc();
        const int base = ed()->font().pointSize();
        const auto size = [](DocWindow *d) { return d->Rich()->font().pointSize(); };
        const int stored = app().settings.EditorFontSize;
        ctrl(Qt::Key_Plus);
        ctrl(Qt::Key_Equal);
        QCOMPARE(size(second), base + 2);
        for (DocWindow *d : app().docs.open()) {
            QCOMPARE(size(d), base + 2);
            QCOMPARE(d->Rich()->lineNumberArea()->font().pointSize(), base + 2);
        }
        ctrl(Qt::Key_Minus);
        QCOMPARE(size(second), base + 1);
        QWheelEvent wheel(QPointF(10, 10), ed()->mapToGlobal(QPointF(10, 10)), {}, {0, -240}, Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(ed()->viewport(), &wheel);
        QCOMPARE(size(second), base - 1);
        for (int i = 0; i < 100; ++i)
            ctrl(Qt::Key_Minus);
        QCOMPARE(size(second), EditControl::MinPointSize);
        ctrl(Qt::Key_0);
        QCOMPARE(size(second), base);
        QCOMPARE(app().settings.EditorFontSize, stored);
        QCOMPARE(app().zoom.value(), 0);
    }
};

QTEST_MAIN(TestMarkupGui)
#include "test_markup_gui.moc"
