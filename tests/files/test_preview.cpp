// The preview: an untitled page from memory, a saved page and a saved script from
// their preview files, and what the preview leaves behind.
#include "editing/GuiSupport.h"

#include "app/AppState.h"
#include "files/FileCommands.h"
#include "files/Preview.h"
#include "platform/BrowserView.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QWebEnginePage>
#include <QtTest>

using namespace gui;

class TestPreview : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> t;
    frmMain *f = nullptr;

    DocWindow *doc() const { return t->active(); }
    QString path(const QString &name) const { return t->folder + name; }
    void toggle() { QVERIFY(f->trigger(QStringLiteral("mnuFileProsmotr"))); }

    // Runs a script in the preview's page and returns its result as text.
    static QString evaluate(BrowserView *b, const QString &js)
    {
        QString result;
        bool done = false;
        b->page()->runJavaScript(js, [&](const QVariant &v) {
            result = v.toString();
            done = true;
        });
        if (!QTest::qWaitFor([&] { return done; }, 20000))
            return QStringLiteral("<no answer>");
        return result;
    }
    DocWindow *openSaved(const QString &name, const QByteArray &bytes)
    {
        t->writeFile(name, bytes);
        FileCommands::OpenFileDoc(path(name), 0);
        return doc();
    }

private slots:
    void initTestCase()
    {
        if (!BrowserView::engineCanStart())
            QSKIP("the browser engine cannot start here (root without QTWEBENGINE_DISABLE_SANDBOX)");
    }
    void init()
    {
        t = std::make_unique<TestApp>();
        f = startProgram(*t);
        QVERIFY(f);
    }
    void cleanup() { t.reset(); }

    void untitledPageShowsItsTitle()
    {
        DocWindow *d = doc();
        load(d, QStringLiteral("<html><head><title>Hi</title></head><body><p id=\"p\">Привет</p></body></html>"));
        const QStringList before = QDir(t->folder).entryList(QDir::Files);
        toggle();
        QVERIFY(!d->editorVisible());
        QVERIFY(d->hasBrowser());
        QTRY_COMPARE_WITH_TIMEOUT(d->windowTitle(), QStringLiteral("Hi"), 20000);
        QCOMPARE(evaluate(d->WebBrowser(), QStringLiteral("document.getElementById('p').textContent")),
                 QStringLiteral("Привет"));
        // Editing commands are off while the page shows.
        QVERIFY(!f->action(QStringLiteral("mnuEdit"))->isEnabled());
        QVERIFY(!f->action(QStringLiteral("Code"))->isEnabled());
        // An untitled page is previewed from memory: no file is written.
        QCOMPARE(QDir(t->folder).entryList(QDir::Files), before);

        toggle();
        QVERIFY(d->editorVisible());
        QCOMPARE(d->windowTitle(), d->txtCaption);
        QVERIFY(f->action(QStringLiteral("mnuEdit"))->isEnabled());
        QVERIFY(f->action(QStringLiteral("Code"))->isEnabled());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(d->Rich()));
        // The emptied preview must not bring the old title back.
        QTest::qWait(300);
        QCOMPARE(d->windowTitle(), d->txtCaption);
        QCOMPARE(d->IzmT, 0);
    }

    void savedPagePreviewsFromItsFile()
    {
        QImage(7, 5, QImage::Format_RGB32).save(path(QStringLiteral("pic.png")));
        const QByteArray page("<html><head><title>Saved</title></head>"
                              "<body><img id=\"i\" src=\"pic.png\"></body></html>\r\n");
        DocWindow *d = openSaved(QStringLiteral("index.htm"), page);
        QCOMPARE(d->AppPathBak, path(QStringLiteral("index.htm0")));
        type(d->Rich(), QStringLiteral(" "));
        toggle();
        QCOMPARE(t->readFile(QStringLiteral("index.htm0")), " " + page);
        QTRY_COMPARE_WITH_TIMEOUT(d->windowTitle(), QStringLiteral("Saved"), 20000);
        // A picture named relative to the page comes from the page's folder.
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(d->WebBrowser(), QStringLiteral("document.getElementById('i').naturalWidth")),
                                  QStringLiteral("7"), 20000);
        // The file itself is not saved by previewing.
        QCOMPARE(t->readFile(QStringLiteral("index.htm")), page);
        QCOMPARE(d->IzmT, 1);

        toggle();
        QCOMPARE(d->windowTitle(), QStringLiteral("index.htm"));
        QVERIFY(QFile::exists(path(QStringLiteral("index.htm0"))));
        d->IzmT = 0;
        d->close();
        QVERIFY(d->UnloadDoc);
        QVERIFY(!QFile::exists(path(QStringLiteral("index.htm0"))));
        QVERIFY(QFile::exists(path(QStringLiteral("index.htm"))));
    }

    void savedScriptRunsThroughTheWrapperPage()
    {
        DocWindow *d = openSaved(QStringLiteral("code.js"), "document.title = 'Ran' + (1 + 1);\r\n");
        QVERIFY(d->Script);
        toggle();
        QCOMPARE(t->readFile(QStringLiteral("code.js0")), QByteArray("document.title = 'Ran' + (1 + 1);\r\n"));
        QCOMPARE(t->readFile(QStringLiteral("Script.bak")),
                 Preview::scriptWrapperPage(QStringLiteral("code.js0")).toUtf8() + "\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(d->windowTitle(), QStringLiteral("Ran2"), 20000);
        toggle();
        QCOMPARE(d->windowTitle(), QStringLiteral("code.js"));
        d->close();
        QVERIFY(!QFile::exists(path(QStringLiteral("code.js0"))));
        QVERIFY(!QFile::exists(path(QStringLiteral("Script.bak"))));
    }

    void closingAnUntitledScriptDeletesItsFiles()
    {
        QVERIFY(f->trigger(QStringLiteral("mnuFileScriptNew")));
        DocWindow *d = doc();
        QCOMPARE(d->AppPathBak, path(QStringLiteral("1.js")));
        t->writeFile(QStringLiteral("1.js"), "x");
        t->writeFile(QStringLiteral("Script.bak"), "y");
        t->writeFile(QStringLiteral("0.bak"), "z");
        d->close();
        QVERIFY(!QFile::exists(path(QStringLiteral("1.js"))));
        QVERIFY(!QFile::exists(path(QStringLiteral("Script.bak"))));
        // A page's preview file is its own; another document's stays.
        QVERIFY(QFile::exists(path(QStringLiteral("0.bak"))));
        doc()->close();
        QVERIFY(!QFile::exists(path(QStringLiteral("0.bak"))));
    }

    void cyrillicPagesRenderInTheirOwnLetters()
    {
        // Every new page declares windows-1251; the preview must still show the text.
        DocWindow *d = doc();
        QVERIFY(d->Rich()->text().contains(QStringLiteral("charset=windows-1251")));
        const QString probe = QStringLiteral("document.body.textContent.indexOf('Посмотреть видеоролик') >= 0");
        toggle();
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(d->WebBrowser(), probe), QStringLiteral("true"), 20000);
        toggle();

        // The same page saved (in windows-1251) previews from its file.
        t->dialogs.fileAnswers.enqueue(path(QStringLiteral("ru.htm")));
        QVERIFY(f->trigger(QStringLiteral("mnuFileSaveFileAs")));
        QCOMPARE(d->NameFile, path(QStringLiteral("ru.htm")));
        QVERIFY(t->readFile(QStringLiteral("ru.htm")).contains("\xCF\xEE\xF1\xEC\xEE\xF2\xF0\xE5\xF2\xFC"));
        toggle();
        QVERIFY(QFile::exists(path(QStringLiteral("ru.htm0"))));
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(d->WebBrowser(), probe), QStringLiteral("true"), 20000);
    }

    void largePageStillPreviews()
    {
        // setHtml refuses pages over 2 MB: a big page must show all the same.
        DocWindow *d = doc();
        QString page = QStringLiteral("<html><head><title>Large</title></head><body>\r\n");
        const QString row = QStringLiteral("<p>Строка текста для большой страницы, чтобы она была длинной.</p>\r\n");
        while (page.size() < 1500000)
            page += row;
        page += QStringLiteral("<p id=\"end\">конец</p></body></html>");
        load(d, page);
        toggle();
        QTRY_COMPARE_WITH_TIMEOUT(d->windowTitle(), QStringLiteral("Large"), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(d->WebBrowser(), QStringLiteral("document.getElementById('end').textContent")),
                                  QStringLiteral("конец"), 20000);
        toggle();
        QCOMPARE(d->windowTitle(), d->txtCaption);
    }

    void saveAsDuringPreviewRenamesTheProjectEntry()
    {
        DocWindow *d = doc();
        load(d, QStringLiteral("<html><head><title>Shown</title></head><body></body></html>"));
        toggle();
        QTRY_COMPARE_WITH_TIMEOUT(d->windowTitle(), QStringLiteral("Shown"), 20000);
        QVERIFY(app().project.LstFileName.contains(QStringLiteral("1")));
        t->dialogs.fileAnswers.enqueue(path(QStringLiteral("shown.htm")));
        QVERIFY(f->trigger(QStringLiteral("mnuFileSaveFileAs")));
        QCOMPARE(d->NameFile, path(QStringLiteral("shown.htm")));
        // The untitled entry goes, whatever the caption shows at the moment.
        QCOMPARE(app().project.LstFileName, QStringList{QStringLiteral("shown.htm")});
        toggle();
        QCOMPARE(d->windowTitle(), QStringLiteral("shown.htm"));
    }

    void previewIsReadOnly()
    {
        DocWindow *d = doc();
        load(d, QStringLiteral("<html><head><title>T</title></head><body><input id=\"e\" value=\"\"></body></html>"));
        toggle();
        QTRY_COMPARE_WITH_TIMEOUT(d->windowTitle(), QStringLiteral("T"), 20000);
        BrowserView *b = d->WebBrowser();
        QCOMPARE(b->contextMenuPolicy(), Qt::NoContextMenu);
        // Keys other than Up and Down are cancelled in the page.
        QCOMPARE(evaluate(b, QStringLiteral(
                     "(function(){function key(c){var e=new KeyboardEvent('keydown',{cancelable:true,bubbles:true});"
                     "Object.defineProperty(e,'keyCode',{get:function(){return c;}});return e;}"
                     "var a=key(65);document.getElementById('e').dispatchEvent(a);"
                     "var u=key(38);document.body.dispatchEvent(u);"
                     "return String(a.defaultPrevented)+','+String(u.defaultPrevented);})()")),
                 QStringLiteral("true,false"));
        QCOMPARE(evaluate(b, QStringLiteral(
                     "(function(){var e=new Event('selectstart',{cancelable:true,bubbles:true});"
                     "document.body.dispatchEvent(e);return String(e.defaultPrevented);})()")),
                 QStringLiteral("true"));
    }
};

QTEST_MAIN(TestPreview)
#include "test_preview.moc"
