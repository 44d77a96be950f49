// The page check on pages with known faults: what is found, where the editor
// puts it, and what is not a finding.
#include "tags/PageCheck.h"

#include <QtTest>

static QString s(const char *text) { return QString::fromUtf8(text); }
static const QString Head = QStringLiteral("<!DOCTYPE html>\r\n<html><head><title>t</title></head><body>\r\n");
static const QString Tail = QStringLiteral("\r\n</body></html>\r\n");

class TestPageCheck : public QObject {
    Q_OBJECT
private slots:
    // body: the page between Head and Tail (line 3 on); want: "level line:column words"
    // of the first finding that holds the words, or "" for a page without findings.
    void findings_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("want");
        QTest::addColumn<int>("errors");
        QTest::addColumn<int>("warnings");
        const auto row = [](const char *name, const QString &page, const char *want, int errors, int warnings) {
            QTest::newRow(name) << page << s(want) << errors << warnings;
        };
        row("clean page", Head + s("<p>Text</p>") + Tail, "", 0, 0);
        row("unclosed element", Head + s("<div><p>a <b>bold</p></div>") + Tail, "W 3:11 missing </b>", 0, 1);
        row("unknown attribute", Head + s("<p colour=\"red\">x</p>") + Tail, "W 3:1 proprietary attribute \"colour\"", 0, 1);
        row("unknown element", Head + s("<p>a <blah>b</blah></p>") + Tail, "E 3:6 <blah> is not recognized", 1, 2);
        // Custom elements, data-, aria- and today's attributes are no findings.
        row("custom element", Head + s("<my-card data-id=\"1\" aria-label=\"c\"><div><p>x</p></div></my-card>"
                                       "<img src=\"a.png\" alt=\"\" loading=\"lazy\" decoding=\"async\">") + Tail, "", 0, 0);
        // A tab is one column, a character outside the BMP two (as in the editor).
        row("tab and emoji", Head + s("\t\xF0\x9F\x98\x80<p>x</q></p>") + Tail, "W 3:8 discarding unexpected </q>", 0, 1);
        // LF line breaks count like CR LF.
        row("LF breaks", s("<!DOCTYPE html>\n<html><head><title>t</title></head><body>\n\n  <p>x</q></p>\n</body></html>\n"),
            "W 4:7 discarding unexpected </q>", 0, 1);
        row("empty page", QString(), "W 1:1 missing 'title'", 0, 1);
        row("plain text", s("Just words"), "W 1:1 missing <!DOCTYPE>", 0, 4);
        row("NUL and form feed inside", Head + s("<p>a") + QChar(0) + s("b\f</p><p>x</q></p>") + Tail, "W 3:16 discarding unexpected </q>", 0, 1);
    }
    void findings()
    {
        QFETCH(QString, page);
        QFETCH(QString, want);
        const QString before = page;
        const PageCheckResult r = checkPage(page);
        QCOMPARE(page, before);
        QVERIFY(!r.failed);
        QStringList seen;
        QString found;
        for (const PageMessage &m : r.messages) {
            const QString line = QStringLiteral("%1 %2:%3 %4")
                                     .arg(QChar(m.level == PageMessage::Error ? u'E' : u'W'))
                                     .arg(m.line).arg(m.column).arg(m.text);
            seen << line;
            const QString head = want.section(u' ', 0, 1);
            if (found.isEmpty() && line.startsWith(head + u' ') && line.contains(want.section(u' ', 2)))
                found = line;
        }
        if (!want.isEmpty())
            QVERIFY2(!found.isEmpty(), qPrintable(seen.join(u'\n')));
        QFETCH(int, errors);
        QFETCH(int, warnings);
        QVERIFY2(r.errors == errors && r.warnings == warnings, qPrintable(seen.join(u'\n')));
        QCOMPARE(r.clean(), want.isEmpty());
    }

    // Thousands of findings: all counted, the list stops at its limit.
    void manyFindings()
    {
        QString page = Head;
        for (int i = 0; i < PageCheckResult::MaxMessages + 100; ++i)
            page += QStringLiteral("<p>x</q></p>\r\n");
        const PageCheckResult r = checkPage(page + Tail);
        QCOMPARE(r.warnings, PageCheckResult::MaxMessages + 100);
        QCOMPARE(r.messages.size(), PageCheckResult::MaxMessages);
        QCOMPARE(r.dropped, 100);
        QCOMPARE(r.messages.last().line, PageCheckResult::MaxMessages + 2);
    }
};

QTEST_GUILESS_MAIN(TestPageCheck)
#include "test_pagecheck.moc"
