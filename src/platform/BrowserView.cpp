#include "platform/BrowserView.h"
#include "platform/PreviewSandbox.h"
#include "platform/Shell.h"

#include <QChildEvent>
#include <QCoreApplication>
#include <unistd.h>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

class PreviewPage : public QWebEnginePage {
public:
    PreviewPage(QWebEngineProfile *profile, BrowserView *view) : QWebEnginePage(profile, view), m_view(view) {}
    int programLoads = 0;   // loads started by the program itself
    QString host;           // the site now shown

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override
    {
        const bool ownSite = PreviewSandbox::isOurs(url) && url.host() == host;
        const bool blank = url.scheme() == QLatin1String("about") || url.scheme() == QLatin1String("data");
        if (programLoads > 0 || type == NavigationTypeTyped)
            return ownSite || blank;
        if (!m_view->previewShown())
            return false;
        if (type == NavigationTypeLinkClicked) {
            // A web link leaves the preview for the user's browser, and only on a click.
            const QString scheme = url.scheme();
            if ((scheme == QLatin1String("http") || scheme == QLatin1String("https")) && m_view->justClicked()) {
                if (Shell *shell = m_view->shell())
                    shell->open(url.toString(QUrl::FullyEncoded));
                return false;
            }
        }
        // Within its own site the page may move on (links, reloads, its frames).
        return ownSite || (!isMainFrame && blank);
    }
    QWebEnginePage *createWindow(WebWindowType) override { return nullptr; }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &message, int, const QString &) override
    {
        if (message.startsWith(QLatin1String(BrowserView::SourceMessage)))
            m_view->reportSource(message);
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

// In a world of its own, out of the page's reach: a Ctrl+click names the element.
const char *sourceScript = R"JS(
(function () {
  document.addEventListener('click', function (e) {
    if (!e.ctrlKey || !e.target || !e.target.tagName) return;
    e.preventDefault(); e.stopPropagation();
    var t = e.target.tagName.toLowerCase();
    var all = document.getElementsByTagName(t);
    for (var i = 0; i < all.length; ++i)
      if (all[i] === e.target) { console.log('kodoplet-source:' + t + ':' + i); break; }
  }, true);
})();
)JS";
}

BrowserView::BrowserView(PreviewSandbox &sandbox, QWidget *parent) : QWebEngineView(parent), m_sandbox(sandbox)
{
    m_page = new PreviewPage(sandbox.profile(), this);
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
    QWebEngineScript source;
    source.setName(QStringLiteral("kodoplet-source"));
    source.setSourceCode(QString::fromLatin1(sourceScript));
    source.setInjectionPoint(QWebEngineScript::DocumentCreation);
    source.setWorldId(QWebEngineScript::ApplicationWorld);
    m_page->scripts().insert(source);
    connect(m_page, &QWebEnginePage::loadFinished, this, [this] {
        if (m_page->programLoads > 0)
            --m_page->programLoads;
    });
    // Camera, microphone, position, notifications, screen: never.
    connect(m_page, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl &origin, QWebEnginePage::Feature feature) {
                m_page->setFeaturePermission(origin, feature, QWebEnginePage::PermissionDeniedByUser);
            });
}

BrowserView::~BrowserView() = default;

bool BrowserView::event(QEvent *e)
{
    // The page's input arrives at the engine's own child widget: watch it there.
    if (e->type() == QEvent::ChildPolished)
        static_cast<QChildEvent *>(e)->child()->installEventFilter(this);
    return QWebEngineView::event(e);
}

bool BrowserView::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease)
        m_lastClick.start();
    return QWebEngineView::eventFilter(watched, e);
}

void BrowserView::reportSource(const QString &message)
{
    // Only right after a real click: a page's own log line is no request.
    if (!justClicked())
        return;
    const QStringList parts = message.mid(int(qstrlen(SourceMessage))).split(u':');
    bool ok = false;
    const int index = parts.size() == 2 ? parts[1].toInt(&ok) : -1;
    if (ok && index >= 0 && !parts[0].isEmpty())
        emit sourceRequested(parts[0], index);
}

bool BrowserView::justClicked() const
{
    return m_lastClick.isValid() && m_lastClick.elapsed() < 1500;
}

void BrowserView::setShell(Shell *shell)
{
    m_shell = shell;
}

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

void BrowserView::showSite(const QString &host, const PreviewSite &site, const QString &pagePath)
{
    if (!m_page->host.isEmpty() && m_page->host != host)
        m_sandbox.dropSite(m_page->host);
    m_sandbox.setSite(host, site);
    m_page->host = host;
    ++m_page->programLoads;
    m_page->setUrl(PreviewSandbox::urlOf(host, pagePath));
}

void BrowserView::showProgramPage(const QString &html)
{
    ++m_page->programLoads;
    m_page->setHtml(html, QUrl(QStringLiteral("about:blank")));
}
