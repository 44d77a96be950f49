#pragma once
#include <QElapsedTimer>
#include <QWebEngineView>

class PreviewPage;
class PreviewSandbox;
class Shell;
struct PreviewSite;

// The rendered preview of a document: read-only and key-silent (only the Up and
// Down arrow keys reach the page, no context menu, no text selection). Its pages run
// in the sandbox; a click on a web link opens it in the user's browser, nothing else
// leaves the preview. While it is hidden every navigation the page tries is refused.
class BrowserView : public QWebEngineView {
    Q_OBJECT
public:
    BrowserView(PreviewSandbox &sandbox, QWidget *parent = nullptr);
    ~BrowserView() override;

    // Where clicked web links go; none: they open nothing.
    void setShell(Shell *shell);
    // Shows the page at pagePath of the site host, which now answers as site says.
    void showSite(const QString &host, const PreviewSite &site, const QString &pagePath);
    // Shows one of the program's own pages (no site: it loads nothing else).
    void showProgramPage(const QString &html);
    // Whether the preview is the visible view (navigations are allowed only then).
    void setPreviewShown(bool shown);
    bool previewShown() const { return m_shown; }
    Shell *shell() const { return m_shell; }
    // Whether the user pressed a mouse button on the page a moment ago: only then
    // may a link leave the preview.
    bool justClicked() const;


    // Source prefix of the message a Ctrl+click on an element sends.
    static constexpr const char *SourceMessage = "kodoplet-source:";
    void reportSource(const QString &message);

    // The engine refuses to run as root without its sandbox switched off and
    // would end the process; such a start is refused here instead.
    static bool engineCanStart();
    static QString whyEngineCannotStart();
signals:
    // The user Ctrl+clicked the index-th element of tag (as getElementsByTagName counts).
    void sourceRequested(const QString &tag, int index);

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    PreviewPage *m_page = nullptr;
    PreviewSandbox &m_sandbox;
    Shell *m_shell = nullptr;
    bool m_shown = false;
    QElapsedTimer m_lastClick;
};
