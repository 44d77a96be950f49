// The preview: pages shown from the editor's text in a site of their own, which
// reads the document's folder and nothing else, and links that leave it only on
// a click.
#include "common/GuiFixture.h"

#include "common/PreviewSite.h"
#include "files/DiskFiles.h"
#include "files/PageTexts.h"
#include "lang/LanguageFile.h"
#include "platform/BrowserView.h"
#include "platform/EditControl.h"

#include <QImage>
#include <QTcpServer>
#include <QWebEnginePage>
#include <QtTest>

using namespace gui;

class TestPreview : public QObject, GuiFixture {
    Q_OBJECT

    void toggle() { QVERIFY(f->trigger(QStringLiteral("mnuFileProsmotr"))); }

    // The value of a script in the page the view shows.
    static QVariant eval(BrowserView *b, const QString &script)
    {
        QVariant result;
        bool done = false;
        b->page()->runJavaScript(script, [&](const QVariant &v) {
            result = v;
            done = true;
        });
        QElapsedTimer wait;
        wait.start();
        while (!done && wait.elapsed() < 10000)
            QTest::qWait(10);
        return result;
    }
    QStringList files() const
    {
        return QDir(t->folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

private slots:
    void siteAnswers_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<int>("kind");
        using A = PreviewSite::Answer;
        QTest::newRow("the page from memory") << "/index.htm" << int(A::FromMemory);
        QTest::newRow("a file of the folder") << "/pic.png" << int(A::FromFile);
        QTest::newRow("a sub-folder's file") << "/sub/a.css" << int(A::FromFile);
        QTest::newRow("up and out") << "/../outside.js" << int(A::Refused);
        QTest::newRow("down, then up and out") << "/sub/../../outside.js" << int(A::Refused);
        QTest::newRow("a link leading out") << "/link.js" << int(A::Refused);
        QTest::newRow("a folder") << "/sub" << int(A::Refused);
        QTest::newRow("missing") << "/none.png" << int(A::Refused);
        QTest::newRow("backslash") << "/sub\\a.css" << int(A::Refused);
    }
    void siteAnswers()
    {
        QFETCH(QString, request);
        QFETCH(int, kind);
        QTemporaryDir dir;
        const QString root = dir.path() + QStringLiteral("/site");
        for (const char *name : {"/outside.js", "/site/pic.png", "/site/sub/a.css"})
            disk::put(dir.path() + QLatin1String(name));
        QVERIFY(QFile::link(dir.path() + QStringLiteral("/outside.js"), root + QStringLiteral("/link.js")));
        PreviewSite site;
        site.root = root;
        site.pages.insert(QStringLiteral("index.htm"), PreviewSite::htmlPage(QStringLiteral("<p>")));
        QCOMPARE(int(site.resolve(request).kind), kind);
        // A site without a folder answers only from memory.
        site.root.clear();
        QCOMPARE(int(site.resolve(request).kind), kind == int(PreviewSite::Answer::FromMemory) ? kind : 0);
    }

    // An untitled page resolves beside the saved project, else the last folder
    // used, else the work folder; folders that are gone are passed over.
    void siteOfAnUntitledPage()
    {
        QTemporaryDir tmp;
        const QString p = tmp.path(), gone = p + QStringLiteral("/gone");
        QVERIFY(QDir(p).mkpath(QStringLiteral("proj")) && QDir(p).mkpath(QStringLiteral("last")));
        const QString proj = p + QStringLiteral("/proj"), last = p + QStringLiteral("/last");
        QCOMPARE(PreviewSite::untitledRoot(proj + QStringLiteral("/site.wpr"), last, p), proj);
        QCOMPARE(PreviewSite::untitledRoot(QString(), last, p), last);
        QCOMPARE(PreviewSite::untitledRoot(gone + QStringLiteral("/site.wpr"), gone, p), p);
        QCOMPARE(PreviewSite::untitledRoot(QStringLiteral("site.wpr"), QStringLiteral("last"), p), p);
    }

    // Texts put into the program's own pages stay text; a language file's help
    // page must be one of the Help folder's.
    void pagesEscapeWhatTheyAreGiven()
    {
        QVERIFY(PreviewSite::scriptWrapperPage(QStringLiteral("a\"b#c?.js")).contains(QLatin1String("src=\"a%22b%23c%3F.js\"")));
        const QString redirect = PageTexts::redirectPage(QStringLiteral("x'><script>alert(1)</script>"));
        QVERIFY(!redirect.contains(QLatin1String("<script")));
        QVERIFY(redirect.contains(QLatin1String("x&#39;&gt;&lt;script&gt;")));
        for (const char *good : {"Help/help_en.html", "Help/de/index page.html"})
            QVERIFY2(LanguageFile::isHelpFileName(QString::fromUtf8(good)), good);
        for (const char *bad : {"", "Help/", "help.html", "/etc/passwd", "Help/../../etc/passwd", "Help\\x.html",
                                "Help/x.html\"><script>", "Help/a.html?x", "https://example.org/", "Help//x.html"})
            QVERIFY2(!LanguageFile::isHelpFileName(QString::fromUtf8(bad)), bad);
    }

    void initTestCase()
    {
        if (!BrowserView::engineCanStart())
            QSKIP("the browser engine cannot start here (root without QTWEBENGINE_DISABLE_SANDBOX)");
    }
    void init()
    {
        const QByteArray name = QTest::currentTestFunction();
        if (name.startsWith("site") || name.startsWith("pages"))
            return;
        startApp();
        QVERIFY(f);
    }
    void cleanup() { stopApp(); }

    // An untitled page, a saved page and a saved script are shown from the
    // editor's text, unsaved changes included, in a site of their own; the page's
    // pictures come from its folder; nothing is written beside them.
    void shownFromTheEditorsText()
    {
        DocWindow *d = t->active();
        load(d, QStringLiteral("<html><head><title>Hi</title></head><body></body></html>"));
        QImage(7, 5, QImage::Format_RGB32).save(path(QStringLiteral("pic.png")));
        const QStringList before = files();
        toggle();
        QTRY_COMPARE_WITH_TIMEOUT(d->shownTitle(), QStringLiteral("Hi"), 20000);
        QCOMPARE(d->WebBrowser()->url().scheme(), QStringLiteral("kodoplet-preview"));
        toggle();
        QCOMPARE(d->shownTitle(), d->document()->txtCaption());
        // The emptied preview must not bring the old title back.
        QTest::qWait(300);
        QCOMPARE(d->shownTitle(), d->document()->txtCaption());

        const QByteArray page("<html><head><title>Saved</title></head><body>"
                              "<img src=\"pic.png\" onload=\"document.title = 'w' + this.naturalWidth\"></body></html>\r\n");
        d = openFile(QStringLiteral("index.htm"), page);
        type(d->Rich(), QStringLiteral(" "));
        toggle();
        QTRY_COMPARE_WITH_TIMEOUT(d->shownTitle(), QStringLiteral("w7*"), 20000);
        QCOMPARE(t->readFile(QStringLiteral("index.htm")), page);
        toggle();
        QCOMPARE(d->shownTitle(), QStringLiteral("index.htm*"));

        // A script named with "#" runs through a wrapper page held in memory.
        d = openFile(QStringLiteral("co#de.js"), "document.title = 'Ran' + (1 + 1);\r\n");
        type(d->Rich(), QStringLiteral(" "));
        toggle();
        QTRY_COMPARE_WITH_TIMEOUT(d->shownTitle(), QStringLiteral("Ran2*"), 20000);
        toggle();
        QCOMPARE(d->shownTitle(), QStringLiteral("co#de.js*"));
        QStringList after = before;
        after << QStringLiteral("co#de.js") << QStringLiteral("index.htm");
        after.sort();
        QCOMPARE(files(), after);
    }

    // Every route a page had to the user's files and to the network is closed:
    // file addresses by fetch, XMLHttpRequest (both kinds) and frames; a link out
    // of the folder; a WebSocket or an http request to a local server.
    void pageReadsOnlyItsOwnFolder()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        int connections = 0;
        connect(&server, &QTcpServer::newConnection, this, [&] { ++connections; });
        const QString port = QString::number(server.serverPort());
        QTemporaryDir outside;
        disk::put(outside.path() + QStringLiteral("/outside.js"), "window.outsideRan = 1;");
        QVERIFY(QFile::link(outside.path() + QStringLiteral("/outside.js"), path(QStringLiteral("link.js"))));
        t->writeFile(QStringLiteral("inside.js"), "window.insideRan = 1;");
        const QString probes = QStringLiteral(R"(<html><head><script src="inside.js"></script><script src="link.js"></script></head><body><script>
var out = {}, want = 8;
function done(k, v) { if (k in out) return; out[k] = v; if (Object.keys(out).length === want)
  document.title = 'R:' + Object.keys(out).sort().map(function (k) { return k + '=' + out[k]; }).join(','); }
function later(k) { setTimeout(function () { done(k, 'no'); }, 5000); }
done('inside', window.insideRan ? 'yes' : 'no');
done('outside', window.outsideRan ? 'LEAK' : 'no');
fetch('file:///etc/passwd').then(function (r) { return r.text(); }).then(function () { done('fetch', 'LEAK'); }, function () { done('fetch', 'no'); }); later('fetch');
try { var s = new XMLHttpRequest(); s.open('GET', 'file:///etc/passwd', false); s.send(); done('xhrsync', s.responseText.length ? 'LEAK' : 'no'); } catch (e) { done('xhrsync', 'no'); }
var a = new XMLHttpRequest(); a.onload = function () { done('xhr', a.responseText.length ? 'LEAK' : 'no'); }; a.onerror = function () { done('xhr', 'no'); };
a.open('GET', 'file:///etc/passwd'); a.send(); later('xhr');
var f = document.createElement('iframe'); f.src = 'file:///etc/passwd';
f.onload = function () { try { done('iframe', f.contentDocument.body.innerText.length ? 'LEAK' : 'no'); } catch (e) { done('iframe', 'no'); } };
document.body.appendChild(f); later('iframe');
try { var w = new WebSocket('ws://127.0.0.1:PORT/?secret'); w.onopen = function () { done('ws', 'LEAK'); }; w.onerror = function () { done('ws', 'no'); }; } catch (e) { done('ws', 'no'); } later('ws');
fetch('http://127.0.0.1:PORT/x').then(function () { done('http', 'LEAK'); }, function () { done('http', 'no'); }); later('http');
</script></body></html>)").replace(QLatin1String("PORT"), port);
        DocWindow *d = openFile(QStringLiteral("probe.htm"), probes.toUtf8());
        toggle();
        QTRY_COMPARE_WITH_TIMEOUT(d->shownTitle(), QStringLiteral("R:fetch=no,http=no,iframe=no,inside=yes,outside=no,ws=no,xhr=no,xhrsync=no"), 30000);
        QCOMPARE(connections, 0);
    }

    // A web link opens in the user's browser on a click; a script's own navigation
    // or its click, and links of other schemes, open nothing.
    void onlyClickedWebLinksLeave()
    {
        const QByteArray page("<html><head><title>Links</title></head><body style=\"margin:0\">"
                              "<a id=\"w\" href=\"https://example.org/x\" style=\"display:block;height:100px\">web</a>"
                              "<a id=\"m\" href=\"mailto:a@example.org\" style=\"display:block;height:100px\">mail</a>"
                              "<a id=\"s\" href=\"smb://host/share\" style=\"display:block;height:100px\">smb</a></body></html>");
        DocWindow *d = openFile(QStringLiteral("links.htm"), page);
        toggle();
        QTRY_COMPARE_WITH_TIMEOUT(d->shownTitle(), QStringLiteral("Links"), 20000);
        BrowserView *b = d->WebBrowser();
        QTRY_VERIFY(b->focusProxy());
        b->page()->runJavaScript(QStringLiteral("document.getElementById('w').click(); location.href = 'https://example.org/js';"));
        QTest::qWait(500);
        QCOMPARE(t->shell.opened, QStringList());
        for (int y : {50, 150, 250})
            QTest::mouseClick(b->focusProxy(), Qt::LeftButton, {}, QPoint(40, y));
        QTRY_COMPARE_WITH_TIMEOUT(t->shell.opened, QStringList{QStringLiteral("https://example.org/x")}, 10000);
        QTest::qWait(500);
        QCOMPARE(t->shell.opened.size(), 1);
        QCOMPARE(b->url().fileName(), QStringLiteral("links.htm"));
    }

    // The live preview follows the text after a pause, not inside a tag being
    // written, keeps its scroll position, and maps caret and element both ways.
    void livePreviewFollowsTheText()
    {
        QString body;
        for (int i = 0; i < 200; ++i)
            body += QStringLiteral("<p>line %1</p>\r\n").arg(i);
        DocWindow *d = openFile(QStringLiteral("live.htm"),
                                 ("<html><body style=\"margin:0\"><h1 style=\"height:80px;margin:0\">Top</h1>\r\n" + body + "</body></html>").toUtf8());
        int shown = 0;
        connect(d, &DocWindow::livePreviewShown, this, [&] { ++shown; });
        QVERIFY(f->trigger(QStringLiteral("mnuFileLivePreview")));
        QVERIFY(d->livePreview());
        BrowserView *b = d->liveView();
        QTRY_COMPARE_WITH_TIMEOUT(shown, 1, 20000);
        QCOMPARE(eval(b, QStringLiteral("document.getElementsByTagName('p').length")).toInt(), 200);

        // The caret's paragraph is brought into view; a change shows and the place stays.
        EditControl *e = d->Rich();
        e->setSelStart(int(e->text().indexOf(QStringLiteral("line 100"))));
        QTRY_VERIFY_WITH_TIMEOUT(eval(b, QStringLiteral("window.scrollY")).toInt() > 500, 5000);
        const int y = eval(b, QStringLiteral("window.scrollY")).toInt();
        type(e, QStringLiteral("new "));
        QTRY_COMPARE_WITH_TIMEOUT(shown, 2, 10000);
        QCOMPARE(eval(b, QStringLiteral("document.getElementsByTagName('p')[100].textContent")).toString(), QStringLiteral("new line 100"));
        QTRY_COMPARE_WITH_TIMEOUT(eval(b, QStringLiteral("window.scrollY")).toInt(), y, 5000);

        // A tag half written waits for its ">" (typed past the tag list).
        app().listTags.set(false);
        type(e, QStringLiteral("<b class=\"x"));
        QTest::qWait(DocWindow::LivePause * 3);
        QCOMPARE(shown, 2);
        type(e, QStringLiteral("\">B</b>"));
        QTRY_COMPARE_WITH_TIMEOUT(shown, 3, 10000);
        QCOMPARE(eval(b, QStringLiteral("document.querySelector('b.x').textContent")).toString(), QStringLiteral("B"));

        // A Ctrl+click on the heading puts the caret on its source.
        eval(b, QStringLiteral("window.scrollTo(0, 0); 1"));
        QTest::qWait(100);
        QTest::mouseClick(b->focusProxy(), Qt::LeftButton, Qt::ControlModifier, QPoint(20, 30));
        QTRY_COMPARE_WITH_TIMEOUT(e->selText(), QStringLiteral("h1"), 5000);

        QVERIFY(f->trigger(QStringLiteral("mnuFileLivePreview")));
        QVERIFY(!d->livePreview());
        QVERIFY(!b->isVisible());
    }
};

QTEST_MAIN(TestPreview)
#include "test_preview.moc"
