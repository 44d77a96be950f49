#include "platform/PreviewSandbox.h"

#include <QBuffer>
#include <QFile>
#include <QMimeDatabase>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

namespace {

// Refuses every request that is not for the requesting page's own site.
class SiteOnlyInterceptor : public QWebEngineUrlRequestInterceptor {
public:
    explicit SiteOnlyInterceptor(QObject *parent) : QWebEngineUrlRequestInterceptor(parent) {}
    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        const QUrl url = info.requestUrl();
        const QUrl first = info.firstPartyUrl();
        const QString scheme = url.scheme();
        if (scheme == QLatin1String("data") || scheme == QLatin1String("blob") || scheme == QLatin1String("about"))
            return;
        if (PreviewSandbox::isOurs(url) && (first.isEmpty() || (PreviewSandbox::isOurs(first) && first.host() == url.host()))
            && info.requestMethod() == "GET")
            return;
        info.block(true);
    }
};

class SiteHandler : public QWebEngineUrlSchemeHandler {
public:
    explicit SiteHandler(PreviewSandbox *sandbox) : QWebEngineUrlSchemeHandler(sandbox), m_sandbox(sandbox) {}
    void requestStarted(QWebEngineUrlRequestJob *job) override
    {
        const QUrl url = job->requestUrl();
        const QUrl from = job->initiator();
        const PreviewSite *site = m_sandbox->site(url.host());
        // Another site's page never reads this one.
        const bool foreign = !from.isEmpty() && from.scheme() != QLatin1String("null")
            && !(PreviewSandbox::isOurs(from) && from.host() == url.host());
        if (!site || foreign || job->requestMethod() != "GET") {
            job->fail(QWebEngineUrlRequestJob::RequestDenied);
            return;
        }
        const PreviewSite::Answer a = site->resolve(url.path(QUrl::FullyDecoded));
        if (a.kind == PreviewSite::Answer::Refused) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        QByteArray bytes;
        QByteArray mime;
        if (a.kind == PreviewSite::Answer::FromMemory) {
            bytes = a.memory.bytes;
            mime = a.memory.mime;
        } else {
            QFile f(a.file);
            if (!f.open(QIODevice::ReadOnly)) {
                job->fail(QWebEngineUrlRequestJob::RequestFailed);
                return;
            }
            bytes = f.readAll();
            mime = QMimeDatabase().mimeTypeForFile(a.file, QMimeDatabase::MatchExtension).name().toLatin1();
        }
        auto *buffer = new QBuffer(job);
        buffer->setData(bytes);
        buffer->open(QIODevice::ReadOnly);
        job->reply(mime, buffer);
    }

private:
    PreviewSandbox *m_sandbox;
};

void registerOnLoad()
{
    PreviewSandbox::registerScheme();
}

} // namespace

// Before main(): the scheme has to be known before the application object is made,
// in the program and in every test that shows a preview.
Q_CONSTRUCTOR_FUNCTION(registerOnLoad)

void PreviewSandbox::registerScheme()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    QWebEngineUrlScheme scheme(Scheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    // Secure, so that the page is not treated as mixed content; not local, so it
    // has none of a file's rights.
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme);
    QWebEngineUrlScheme::registerScheme(scheme);
}

PreviewSandbox::PreviewSandbox(QObject *parent) : QObject(parent) {}

PreviewSandbox::~PreviewSandbox()
{
    delete m_profile;
}

QWebEngineProfile *PreviewSandbox::profile()
{
    if (m_profile)
        return m_profile;
    // WebRTC would otherwise open sockets of its own, past every request check.
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("webrtc-ip-handling-policy")) {
        flags += " --force-webrtc-ip-handling-policy=disable_non_proxied_udp --webrtc-ip-handling-policy=disable_non_proxied_udp";
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
    }
    m_profile = new QWebEngineProfile();   // no storage name: off the record, nothing on disk
    m_profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    m_profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    m_profile->setSpellCheckEnabled(false);
    m_profile->installUrlSchemeHandler(Scheme, new SiteHandler(this));
    m_profile->setUrlRequestInterceptor(new SiteOnlyInterceptor(this));
    lockDown(m_profile->settings());
    connect(m_profile, &QWebEngineProfile::downloadRequested, this, [](QWebEngineDownloadRequest *download) { download->cancel(); });
    return m_profile;
}

void PreviewSandbox::lockDown(QWebEngineSettings *s)
{
    using S = QWebEngineSettings;
    s->setAttribute(S::LocalContentCanAccessFileUrls, false);
    s->setAttribute(S::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(S::AllowRunningInsecureContent, false);
    s->setAttribute(S::AllowGeolocationOnInsecureOrigins, false);
    s->setAttribute(S::AllowWindowActivationFromJavaScript, false);
    s->setAttribute(S::JavascriptCanOpenWindows, false);
    s->setAttribute(S::JavascriptCanAccessClipboard, false);
    s->setAttribute(S::JavascriptCanPaste, false);
    s->setAttribute(S::PluginsEnabled, false);
    s->setAttribute(S::PdfViewerEnabled, false);
    s->setAttribute(S::ScreenCaptureEnabled, false);
    s->setAttribute(S::WebRTCPublicInterfacesOnly, true);
    s->setAttribute(S::DnsPrefetchEnabled, false);
    s->setAttribute(S::HyperlinkAuditingEnabled, false);
    s->setAttribute(S::NavigateOnDropEnabled, false);
    s->setAttribute(S::LocalStorageEnabled, false);
    s->setAttribute(S::XSSAuditingEnabled, true);
}

void PreviewSandbox::setSite(const QString &host, const PreviewSite &site)
{
    m_sites.insert(host, site);
}

void PreviewSandbox::dropSite(const QString &host)
{
    m_sites.remove(host);
}

const PreviewSite *PreviewSandbox::site(const QString &host) const
{
    const auto it = m_sites.constFind(host);
    return it == m_sites.constEnd() ? nullptr : &*it;
}

QUrl PreviewSandbox::urlOf(const QString &host, const QString &relativePath)
{
    QUrl url;
    url.setScheme(QString::fromLatin1(Scheme));
    url.setHost(host);
    url.setPath(u'/' + relativePath, QUrl::DecodedMode);
    return url;
}

bool PreviewSandbox::isOurs(const QUrl &url)
{
    return url.scheme() == QLatin1String(Scheme);
}
