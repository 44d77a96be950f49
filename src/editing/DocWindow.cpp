#include "editing/DocWindow.h"
#include "platform/BrowserView.h"
#include "platform/EditControl.h"
#include "platform/NoticeBar.h"
#include "editing/SyntaxHighlighter.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QStackedWidget>
#include <QUrl>
#include <QVBoxLayout>

DocWindow::DocWindow(int slot, QWidget *parent) : QMdiSubWindow(parent), m_slot(slot)
{
    setObjectName(QStringLiteral("frmDoc"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_body = new QWidget(this);
    auto *column = new QVBoxLayout(m_body);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_stack = new QStackedWidget(m_body);
    column->addWidget(m_stack);
    m_rich = new EditControl(m_stack);
    m_rich->setObjectName(QStringLiteral("Rich"));
    m_stack->addWidget(m_rich);
    setWidget(m_body);
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

BrowserView *DocWindow::WebBrowser()
{
    if (!m_browser && !BrowserView::engineCanStart()) {
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
        m_browser = new BrowserView(m_stack);
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

NoticeBar *DocWindow::noticeBar()
{
    if (!m_notice) {
        m_notice = new NoticeBar(m_body);
        static_cast<QVBoxLayout *>(m_body->layout())->insertWidget(0, m_notice);
    }
    return m_notice;
}

bool DocWindow::noticeShown() const
{
    return m_notice && !m_notice->isHidden();
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
        LoadHtml(QStringLiteral("<html><body></body></html>"));
        showCaption();
    } else {
        LoadHtml(m_rich->text());
    }
    focusView();
}

void DocWindow::LoadHtml(const QString &html)
{
    // Relative addresses of an unsaved page resolve against the program folder.
    const QUrl base = QUrl::fromLocalFile(m_previewBase);
    if (BrowserView *b = WebBrowser())
        b->loadHtml(html, base);
}

void DocWindow::onTitleChanged(const QString &title)
{
    if (editorVisible() || !m_browser)
        return;
    const QString url = m_browser->url().toString();
    // A page without a title reports its address; keep the document's name then.
    if (title.isEmpty() || title == url || title.startsWith(QLatin1String("data:"))
        || title.startsWith(QLatin1String("file:")) || title.contains(QLatin1String("kodoplet-preview-")))
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
    if (m_notice)
        m_notice->hide();
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
