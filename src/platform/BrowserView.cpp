#include "platform/BrowserView.h"

#include <QCoreApplication>
#include <QDir>
#include <unistd.h>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

class PreviewPage : public QWebEnginePage {
public:
    PreviewPage(BrowserView *view) : QWebEnginePage(view), m_view(view) {}
    int programLoads = 0;   // loads started by the program itself

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override
    {
        (void)url;
        (void)isMainFrame;
        if (m_view->previewShown())
            return true;
        // Hidden: only what the program loads (the empty page) may replace the page.
        return type == NavigationTypeTyped || programLoads > 0;
    }

private:
    BrowserView *m_view;
};

namespace {
const char *silentScript = R"JS(
(function () {
  document.addEventListener('keydown', function (e) {
    if (e.keyCode !== 38 && e.keyCode !== 40) e.preventDefault();
  }, true);
  document.addEventListener('contextmenu', function (e) { e.preventDefault(); }, true);
  document.addEventListener('selectstart', function (e) { e.preventDefault(); }, true);
})();
)JS";
}

BrowserView::BrowserView(QWidget *parent) : QWebEngineView(parent)
{
    m_page = new PreviewPage(this);
    setPage(m_page);
    setContextMenuPolicy(Qt::NoContextMenu);
    // A file dropped on the preview goes to the main window, which opens it,
    // rather than replacing the preview's page.
    setAcceptDrops(false);
    QWebEngineScript script;
    script.setName(QStringLiteral("kodoplet-silent-preview"));
    script.setSourceCode(QString::fromLatin1(silentScript));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(true);
    m_page->scripts().insert(script);
    connect(m_page, &QWebEnginePage::loadFinished, this, [this] {
        if (m_page->programLoads > 0)
            --m_page->programLoads;
    });
}

BrowserView::~BrowserView() = default;

bool BrowserView::engineCanStart()
{
    if (::geteuid() != 0)
        return true;
    const QByteArray disable = qgetenv("QTWEBENGINE_DISABLE_SANDBOX");
    if (!disable.isEmpty() && disable != "0")
        return true;
    if (qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").contains("--no-sandbox"))
        return true;
    return QCoreApplication::arguments().contains(QStringLiteral("--no-sandbox"));
}

QString BrowserView::whyEngineCannotStart()
{
    return QStringLiteral("The preview cannot run as the root user with the browser sandbox on.\n"
                          "Start the editor as an ordinary user, or with QTWEBENGINE_DISABLE_SANDBOX=1.");
}

void BrowserView::setPreviewShown(bool shown)
{
    m_shown = shown;
}

void BrowserView::loadHtml(const QString &html, const QUrl &baseUrl)
{
    ++m_page->programLoads;
    const QByteArray utf8 = html.toUtf8();
    if (utf8.size() <= MaxInlineHtml) {
        m_bigPage.reset();
        m_page->setHtml(html, baseUrl);
        return;
    }
    // Too big for setHtml: write it to a temporary page beside the base, or in the temp folder.
    QString dir = baseUrl.isLocalFile() ? QFileInfo(baseUrl.toLocalFile()).absolutePath() : QDir::tempPath();
    auto file = std::make_unique<QTemporaryFile>(dir + QStringLiteral("/kodoplet-preview-XXXXXX.html"));
    if (!file->open()) {
        file = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/kodoplet-preview-XXXXXX.html"));
        if (!file->open())
            return;
    }
    // The byte-order mark outranks any charset the page declares.
    file->write("\xEF\xBB\xBF");
    file->write(utf8);
    file->flush();
    m_page->setUrl(QUrl::fromLocalFile(file->fileName()));
    m_bigPage = std::move(file);
}

void BrowserView::showFilePage(const QString &html, const QString &path)
{
    // Preview files have names such as "index.htm0" that the engine would show as
    // plain text: the page is handed over as mark-up, with the file as its base so
    // that relative pictures, styles and scripts come from the page's own folder.
    QString page = html;
    page.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    loadHtml(page, QUrl::fromLocalFile(path));
}
