#pragma once
#include "common/PreviewSite.h"

#include <QHash>
#include <QObject>
#include <QUrl>

class QWebEngineProfile;
class QWebEngineSettings;

// Where previews run: a private, off-the-record profile whose pages come only
// from our own scheme. Each document is a site of its own ("doc-N") that answers
// with the editor's text and the files under the document's folder; every other
// request (file:, http(s):, ws(s):, another document's site...) is refused.
class PreviewSandbox : public QObject {
    Q_OBJECT
public:
    static constexpr const char *Scheme = "kodoplet-preview";
    // Must run before the application object exists (done when the program loads).
    static void registerScheme();

    explicit PreviewSandbox(QObject *parent = nullptr);
    ~PreviewSandbox() override;

    // The profile, made on first use so the browser engine starts with the first preview.
    QWebEngineProfile *profile();
    // The engine settings every preview page runs with.
    static void lockDown(QWebEngineSettings *settings);

    void setSite(const QString &host, const PreviewSite &site);
    void dropSite(const QString &host);
    const PreviewSite *site(const QString &host) const;
    static QUrl urlOf(const QString &host, const QString &relativePath);
    static bool isOurs(const QUrl &url);

private:
    QHash<QString, PreviewSite> m_sites;
    QWebEngineProfile *m_profile = nullptr;
};
