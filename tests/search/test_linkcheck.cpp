// The link check over a small site in a temporary folder: good and broken
// links of every kind, and what is read as a link at all.
#include "files/DiskFiles.h"
#include "search/LinkCheck.h"

#include <QTemporaryDir>
#include <QtTest>

static QString s(const char *text) { return QString::fromUtf8(text); }

class TestLinkCheck : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const char *name) const { return m_dir.path() + u'/' + QLatin1String(name); }

private slots:
    // What a page's text gives as links, "address@line:column".
    void linksRead_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("sheet");
        QTest::addColumn<QString>("links");
        const auto row = [](const char *name, const char *text, const char *links, bool sheet = false) {
            QTest::newRow(name) << s(text) << sheet << s(links);
        };
        row("attributes", "<a href=\"a.htm\">x</a>\r\n<IMG SRC='b.png'><form action=c.php>", "a.htm@1:10 b.png@2:11 c.php@2:31");
        row("srcset candidates", "<img srcset=\"s.png 1x, big.png 2x\">", "s.png@1:14 big.png@1:24");
        row("css in page", "<style>@import \"i.css\"; /* url(no.png) */ p{background:url( bg.png )}</style><p style=\"x:url('q.png')\">",
            "i.css@1:17 bg.png@1:61 q.png@1:95");
        row("comments and scripts", "<!-- <a href=\"no.htm\"> --><script>x='<a href=\"no2.htm\">'</script><a href=\"yes.htm\">",
            "yes.htm@1:75");
        row("style sheet", "@import url(a.css);\n/* url(x.png) */\nb { background: url(\"c d.png\") }", "a.css@1:13 c d.png@3:22", true);
        row("entity in address", "<a href=\"p.php?a=1&amp;b=2\">", "p.php?a=1&b=2@1:10");
        row("no links", "<p>text</p><a name=x>", "");
    }
    void linksRead()
    {
        QFETCH(QString, text);
        QFETCH(bool, sheet);
        QStringList got;
        for (const PageLink &l : LinkCheck::linksOf(text, sheet))
            got << QStringLiteral("%1@%2:%3").arg(l.address).arg(l.line).arg(l.column);
        QTEST(got.join(u' '), "links");
    }

    // A site with one good and one broken link of each kind.
    void site()
    {
        disk::put(path("index.htm"),
                  "<a href=\"about.htm\">ok</a> <a href=\"missing.htm\">no</a>\r\n"
                  "<img src=\"img/Logo.png\"><img src=\"img/logo.png\">\r\n"
                  "<a href=\"about.htm#team\">ok</a> <a href=\"about.htm#nobody\">no</a> <a href=\"#here\">x</a> <p id=\"here\">\r\n"
                  "<a href=\"https://example.org/\">web</a> <a href=\"mailto:a@b.c\">mail</a> <script src=\"//cdn.host/x.js\"></script>\r\n"
                  "<a href=\"sub/\">folder</a> <a href=\"/img/Logo.png?v=2\">root</a> <a href=\"javascript:void(0)\">js</a>\r\n"
                  "<a href=\"file:" + path("about.htm").toUtf8() + "\">file</a> <a href=\"Sub/page%20two.htm\">case</a> <a href=\"#top\">top</a>\r\n");
        disk::put(path("about.htm"), "<h2 id=\"team\">Team</h2>\r\n<link rel=stylesheet href=\"css/site.css\">");
        disk::put(path("css/site.css"), "body { background: url(../img/Logo.png) }\n@import \"gone.css\";\n");
        disk::put(path("img/Logo.png"), "png");
        disk::put(path("sub/page two.htm"), "<p>two</p>");

        const LinkCheckResult r = LinkCheck::check(LinkCheck::sitePages(m_dir.path()), m_dir.path());
        QStringList got;
        const char *kinds[] = {"missing", "case", "fragment", "web"};
        for (const LinkFinding &f : r.findings)
            got << QStringLiteral("%1 %2:%3 %4 %5 %6").arg(QDir(m_dir.path()).relativeFilePath(f.page)).arg(f.link.line)
                       .arg(f.link.column).arg(f.link.address, QLatin1String(kinds[f.kind]), f.detail).trimmed();
        QCOMPARE(got, (QStringList{
            s("css/site.css 2:10 gone.css missing"),
            s("index.htm 1:37 missing.htm missing"),
            s("index.htm 2:35 img/logo.png case Logo.png"),
            s("index.htm 3:42 about.htm#nobody fragment nobody"),
            s("index.htm 4:10 https://example.org/ web"),
            s("index.htm 4:49 mailto:a@b.c web"),
            s("index.htm 4:85 //cdn.host/x.js web"),
            s("index.htm 6:") + QString::number(35 + path("about.htm").size()) + s(" Sub/page%20two.htm case sub"),
        }));
        QCOMPARE(r.pages, 4);
        QCOMPARE(r.broken, 5);
        QCOMPARE(r.notChecked, 3);
    }
};

QTEST_GUILESS_MAIN(TestLinkCheck)
#include "test_linkcheck.moc"
