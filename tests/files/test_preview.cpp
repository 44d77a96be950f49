// The preview: an untitled page from memory, a saved page and a saved script from
// their preview files, and what the preview leaves behind.
#include "common/GuiFixture.h"

#include "files/FileCommands.h"
#include "files/Preview.h"
#include "platform/BrowserView.h"

#include <QImage>
#include <QtTest>

using namespace gui;

class TestPreview : public QObject, GuiFixture {
    Q_OBJECT

    void toggle() { QVERIFY(f->trigger(QStringLiteral("mnuFileProsmotr"))); }

    DocWindow *openSaved(const QString &name, const QByteArray &bytes)
    {
        t->writeFile(name, bytes);
        app().files->OpenFileDoc(path(name));
        return t->active();
    }

private slots:
    void initTestCase()
    {
        if (!BrowserView::engineCanStart())
            QSKIP("the browser engine cannot start here (root without QTWEBENGINE_DISABLE_SANDBOX)");
    }
    void init()
    {
        startApp();
        QVERIFY(f);
    }
    void cleanup() { stopApp(); }

    void untitledPageShowsItsTitle()
    {
        DocWindow *d = t->active();
        load(d, QStringLiteral("<html><head><title>Hi</title></head><body></body></html>"));
        const QStringList before = QDir(t->folder).entryList(QDir::Files);
        toggle();
        QTRY_COMPARE_WITH_TIMEOUT(d->shownTitle(), QStringLiteral("Hi"), 20000);
        QVERIFY(!f->action(QStringLiteral("mnuEdit"))->isEnabled());
        // An untitled page is previewed from memory: no file is written.
        QCOMPARE(QDir(t->folder).entryList(QDir::Files), before);

        toggle();
        QCOMPARE(d->shownTitle(), d->document()->txtCaption());
        QVERIFY(f->action(QStringLiteral("mnuEdit"))->isEnabled());
        // The emptied preview must not bring the old title back.
        QTest::qWait(300);
        QCOMPARE(d->shownTitle(), d->document()->txtCaption());
    }

    void savedPageAndScriptPreviewFromTheirFiles()
    {
        QImage(7, 5, QImage::Format_RGB32).save(path(QStringLiteral("pic.png")));
        // A picture named relative to the page comes from the page's folder.
        const QByteArray page("<html><head><title>Saved</title></head><body>"
                              "<img src=\"pic.png\" onload=\"document.title = 'w' + this.naturalWidth\"></body></html>\r\n");
        DocWindow *d = openSaved(QStringLiteral("index.htm"), page);
        type(d->Rich(), QStringLiteral(" "));
        toggle();
        QCOMPARE(t->readFile(QStringLiteral("index.htm0")), " " + page);
        QTRY_COMPARE_WITH_TIMEOUT(d->shownTitle(), QStringLiteral("w7*"), 20000);
        // The file itself is not saved by previewing.
        QCOMPARE(t->readFile(QStringLiteral("index.htm")), page);
        QCOMPARE(d->document()->IzmT(), 1);

        toggle();
        QCOMPARE(d->shownTitle(), QStringLiteral("index.htm*"));
        d->document()->markSaved();
        d->close();
        QVERIFY(d->UnloadDoc());
        QVERIFY(!QFile::exists(path(QStringLiteral("index.htm0"))));
        QVERIFY(QFile::exists(path(QStringLiteral("index.htm"))));

        // A script runs through a wrapper page written beside it.
        d = openSaved(QStringLiteral("code.js"), "document.title = 'Ran' + (1 + 1);\r\n");
        QVERIFY(d->document()->Script());
        toggle();
        QCOMPARE(t->readFile(QStringLiteral("code.js0")), QByteArray("document.title = 'Ran' + (1 + 1);\r\n"));
        QCOMPARE(t->readFile(QStringLiteral("Script.bak")),
                 PageTexts::scriptWrapperPage(QStringLiteral("code.js0")).toUtf8() + "\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(d->shownTitle(), QStringLiteral("Ran2"), 20000);
        toggle();
        QCOMPARE(d->shownTitle(), QStringLiteral("code.js"));
        d->close();
        QVERIFY(!QFile::exists(path(QStringLiteral("code.js0"))));
        QVERIFY(!QFile::exists(path(QStringLiteral("Script.bak"))));
    }

    // The user's own files under the preview's names stay: the preview goes
    // to a free name beside them, so the page still finds its neighbours.
    void previewBesideTheUsersFilesLeavesThemAlone()
    {
        const QByteArray mine("mine\r\n");
        t->writeFile(QStringLiteral("code.js0"), mine);
        t->writeFile(QStringLiteral("Script.bak"), mine);
        DocWindow *d = openSaved(QStringLiteral("code.js"), "document.title = 'Ran' + (2 + 2);\r\n");
        toggle();
        QCOMPARE(d->document()->AppPathBak(), path(QStringLiteral("code.js0~1")));
        QCOMPARE(t->readFile(QStringLiteral("Script.bak~1")),
                 PageTexts::scriptWrapperPage(QStringLiteral("code.js0~1")).toUtf8() + "\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(d->shownTitle(), QStringLiteral("Ran4"), 20000);
        toggle();
        d->close();
        QVERIFY(d->UnloadDoc());
        QCOMPARE(t->readFile(QStringLiteral("code.js0")), mine);
        QCOMPARE(t->readFile(QStringLiteral("Script.bak")), mine);
        QVERIFY(!QFile::exists(path(QStringLiteral("code.js0~1"))));
        QVERIFY(!QFile::exists(path(QStringLiteral("Script.bak~1"))));
    }
};

QTEST_MAIN(TestPreview)
#include "test_preview.moc"
