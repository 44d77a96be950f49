#include "editing/DocWindow.h"
#include "platform/BrowserView.h"
#include "platform/EditControl.h"
#include "platform/PreviewSandbox.h"
#include "editing/SyntaxHighlighter.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QStackedWidget>
#include <QUrl>

DocWindow::DocWindow(int slot, QWidget *parent) : QMdiSubWindow(parent), m_slot(slot)
{
    setObjectName(QStringLiteral("frmDoc"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_stack = new QStackedWidget(this);
    m_rich = new EditControl(m_stack);
    m_rich->setObjectName(QStringLiteral("Rich"));
    m_stack->addWidget(m_rich);
    setWidget(m_stack);
    setTag(slot);
    m_doc = new Document(m_rich, this);
    connect(m_doc, &Document::captionChanged, this, &DocWindow::showCaption);
    connect(m_doc, &Document::modifiedChanged, this, &QWidget::setWindowModified);
    connect(m_doc, &Document::historyReset, this, &DocWindow::syncSyntax);
    connect(m_rich, &EditControl::rightButtonReleased, this, &DocWindow::contextMenuRequested);
    connect(m_rich, &EditControl::copyRequested, this, &DocWindow::copyRequested);
    connect(m_rich, &EditControl::cutRequested, this, &DocWindow::cutRequested);
    connect(m_rich, &EditControl::pasteRequested, this, &DocWindow::pasteRequested);
    connect(m_rich, &QPlainTextEdit::selectionChanged, this, &DocWindow::selectionChanged);
}

DocWindow::~DocWindow() = default;

void DocWindow::showCaption()
{
    // "[*]" is where Qt shows the changed mark; a caption's own "[*]" is doubled
    // so it stays text.
    QString title = m_doc->txtCaption();
    title.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
    setWindowTitle(title + QStringLiteral("[*]"));
    setWindowModified(m_doc->isModified());
}

void DocWindow::setTag(int slot)
{
    m_slot = slot;
    setProperty("Tag", QString::number(slot));
}

void DocWindow::setPreviewServices(PreviewSandbox *sandbox, Shell *shell)
{
    m_sandbox = sandbox;
    m_shell = shell;
    if (m_browser)
        m_browser->setShell(shell);
}

BrowserView *DocWindow::WebBrowser()
{
    if (!m_browser && (!m_sandbox || !BrowserView::engineCanStart())) {
        // Without its sandbox the browser engine would end the whole program;
        // the preview says why instead, and the text stays safe.
        if (!m_noPreview) {
            m_noPreview = new QLabel(BrowserView::whyEngineCannotStart(), m_stack);
            m_noPreview->setObjectName(QStringLiteral("WebBrowser"));
            m_noPreview->setAlignment(Qt::AlignCenter);
            m_noPreview->setWordWrap(true);
            m_stack->addWidget(m_noPreview);
        }
        return nullptr;
    }
    if (!m_browser) {
        m_browser = new BrowserView(*m_sandbox, m_stack);
        m_browser->setShell(m_shell);
        m_browser->setObjectName(QStringLiteral("WebBrowser"));
        m_stack->addWidget(m_browser);
        connect(m_browser, &QWebEngineView::titleChanged, this, &DocWindow::onTitleChanged);
    }
    return m_browser;
}

bool DocWindow::editorVisible() const
{
    return m_stack->currentWidget() == m_rich;
}

void DocWindow::showPreview(bool preview)
{
    if (preview) {
        if (BrowserView *b = WebBrowser()) {
            b->setPreviewShown(true);
            m_stack->setCurrentWidget(b);
        } else {
            m_stack->setCurrentWidget(m_noPreview);
        }
    } else {
        if (m_browser)
            m_browser->setPreviewShown(false);
        m_stack->setCurrentWidget(m_rich);
    }
    emit viewSwitched(!preview);
}

void DocWindow::focusView()
{
    if (editorVisible())
        m_rich->setFocus();
    else if (m_browser)
        m_browser->setFocus();
}

QString DocWindow::shownTitle() const
{
    QString t = windowTitle();
    t.replace(QLatin1String("[*][*]"), QStringLiteral("\x1f"));
    t.replace(QLatin1String("[*]"), isWindowModified() ? QStringLiteral("*") : QString());
    t.replace(u'\x1f', QLatin1String("[*]"));
    return t;
}

void DocWindow::ProsmotrShare()
{
    const bool backToEditor = !editorVisible();
    showPreview(!backToEditor);
    if (backToEditor) {
        clearPreview();
        showCaption();
    } else {
        // Relative addresses of an unsaved page resolve against the preview base folder.
        PreviewSite site;
        site.root = m_previewBase;
        const QString page = QStringLiteral("untitled.html");
        site.pages.insert(page, PreviewSite::htmlPage(m_rich->text()));
        showPreviewSite(site, page);
    }
    focusView();
}

void DocWindow::showPreviewSite(const PreviewSite &site, const QString &page)
{
    if (BrowserView *b = WebBrowser())
        b->showSite(PreviewSite::hostOf(m_slot), site, page);
}

void DocWindow::clearPreview()
{
    if (m_sandbox)
        m_sandbox->dropSite(PreviewSite::hostOf(m_slot));
    if (m_browser)
        m_browser->showProgramPage(QStringLiteral("<html><body></body></html>"));
}

void DocWindow::onTitleChanged(const QString &title)
{
    if (editorVisible() || !m_browser)
        return;
    const QUrl url = m_browser->url();
    // A page without a title reports its address; keep the document's name then.
    if (title.isEmpty() || title == url.toString() || title == url.toDisplayString()
        || title == url.host() + url.path() || title.startsWith(QLatin1String("data:"))
        || title.startsWith(QLatin1String("about:")) || title.startsWith(QLatin1String("kodoplet-preview:")))
        showCaption();
    else
        setWindowTitle(QString(title).replace(QLatin1String("[*]"), QLatin1String("[*][*]")) + QStringLiteral("[*]"));
}

void DocWindow::setHighlighting(bool on)
{
    if (on && !m_highlighter) {
        m_highlighter = new SyntaxHighlighter(m_rich);
        m_highlighter->setLanguageSource([this] { return m_doc->Script() ? SyntaxLanguage::Script : SyntaxLanguage::Page; });
    }
    if (m_highlighter)
        m_highlighter->setEnabled(on);
}

bool DocWindow::highlighting() const
{
    return m_highlighter && m_highlighter->isEnabled();
}

void DocWindow::syncSyntax()
{
    if (highlighting())
        m_highlighter->highlightVisible();
}

void DocWindow::releaseContents()
{
    m_doc->release();
    if (m_sandbox)
        m_sandbox->dropSite(PreviewSite::hostOf(m_slot));
    if (m_browser) {
        m_stack->removeWidget(m_browser);
        m_browser->deleteLater();
        m_browser = nullptr;
    }
    m_stack->setCurrentWidget(m_rich);
}

void DocWindow::closeEvent(QCloseEvent *e)
{
    if (m_unloaded) {
        e->accept();
        return;
    }
    // The owner asks about changes and unloads the document when it may go;
    // the window itself stays for reuse by its slot.
    e->ignore();
    emit closeRequested(this);
}
