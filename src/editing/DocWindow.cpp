#include "editing/DocWindow.h"
#include "platform/BrowserView.h"
#include "platform/EditControl.h"
#include "platform/PreviewSandbox.h"
#include "editing/PageElements.h"
#include "platform/NoticeBar.h"
#include "editing/SyntaxHighlighter.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QSplitter>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QStackedWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// Every window's menu gets its own copies of the title bar's icons, tens of
// kilobytes each time: all windows share the first one's.
void shareMenuIcons(QMenu *menu)
{
    static QList<QIcon> shared;
    if (!menu)
        return;
    const QList<QAction *> actions = menu->actions();
    if (shared.isEmpty()) {
        for (QAction *a : actions)
            shared << a->icon();
        return;
    }
    for (qsizetype i = 0; i < actions.size() && i < shared.size(); ++i)
        if (!actions[i]->icon().isNull())
            actions[i]->setIcon(shared[i]);
}

} // namespace

DocWindow::DocWindow(int slot, QWidget *parent) : QMdiSubWindow(parent), m_slot(slot)
{
    setObjectName(QStringLiteral("frmDoc"));
    shareMenuIcons(systemMenu());
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_body = new QWidget(this);
    auto *column = new QVBoxLayout(m_body);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_splitter = new QSplitter(Qt::Horizontal, m_body);
    m_splitter->setChildrenCollapsible(false);
    column->addWidget(m_splitter, 1);   // the text takes the height; a notice only what it needs
    m_stack = new QStackedWidget(m_splitter);
    m_rich = new EditControl(m_stack);
    m_rich->setObjectName(QStringLiteral("Rich"));
    // A page opened behind other windows is laid out when it is first seen.
    m_rich->setHoldWhileHidden(true);
    m_stack->addWidget(m_rich);
    m_splitter->addWidget(m_stack);
    setWidget(m_body);
    m_liveTimer.setSingleShot(true);
    m_caretTimer.setSingleShot(true);
    connect(&m_liveTimer, &QTimer::timeout, this, &DocWindow::refreshLivePreview);
    connect(&m_caretTimer, &QTimer::timeout, this, &DocWindow::showCaretElement);
    // Changes of the text only: the widget also reports how it holds the text.
    connect(m_rich, &EditControl::changed, this, &DocWindow::onTextChanged);
    connect(m_rich, &EditControl::externalChange, this, &DocWindow::onTextChanged);
    connect(m_rich, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (m_liveOn)
            m_caretTimer.start(200);
    });
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

NoticeBar *DocWindow::noticeBar()
{
    if (!m_notice) {
        m_notice = new NoticeBar(m_body);
        connect(m_notice, &NoticeBar::answered, this, &DocWindow::noticeAnswered);
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
        clearPreview();
        showCaption();
    } else {
        QString page;
        const PreviewSite site = previewSite(&page);
        showPreviewSite(site, page);
    }
    focusView();
}

PreviewSite DocWindow::previewSite(QString *page) const
{
    PreviewSite site;
    const QString path = m_doc->NameFile();
    const QString text = m_rich->text();
    QString name;
    if (path.isEmpty()) {
        // Relative addresses of an unsaved page resolve against the preview base folder.
        site.root = m_previewBase ? m_previewBase() : QString();
        name = m_doc->Script() ? QStringLiteral("untitled.js") : QStringLiteral("untitled.html");
    } else {
        const QFileInfo file(path);
        site.root = file.absolutePath();
        name = file.fileName();
    }
    if (!m_doc->Script()) {
        site.pages.insert(name, PreviewSite::htmlPage(text));
        *page = name;
        return site;
    }
    // A script runs in a wrapper page beside it.
    *page = QStringLiteral("kodoplet-script-preview.html");
    site.pages.insert(name, PreviewSite::script(text));
    site.pages.insert(*page, PreviewSite::htmlPage(PreviewSite::scriptWrapperPage(name)));
    return site;
}

void DocWindow::setLivePreview(bool on)
{
    if (on && !m_live) {
        if (!m_sandbox || !BrowserView::engineCanStart())
            return;
        m_live = new BrowserView(*m_sandbox, m_splitter);
        m_live->setObjectName(QStringLiteral("LivePreview"));
        m_live->setShell(m_shell);
        m_live->setFocusPolicy(Qt::ClickFocus);
        m_live->setPreviewShown(true);
        m_splitter->addWidget(m_live);
        const int half = qMax(200, m_splitter->width() / 2);
        m_splitter->setSizes({half, half});
        connect(m_live, &BrowserView::sourceRequested, this, &DocWindow::goToSourceOf);
        connect(m_live, &QWebEngineView::loadFinished, this, [this] {
            if (!m_liveScroll.isNull())
                m_live->page()->runJavaScript(QStringLiteral("window.scrollTo(%1, %2);").arg(m_liveScroll.x()).arg(m_liveScroll.y()),
                                              QWebEngineScript::ApplicationWorld);
            emit livePreviewShown();
        });
    }
    m_liveOn = on && m_live;
    if (m_live)
        m_live->setVisible(m_liveOn);
    if (m_liveOn) {
        m_liveScroll = QPointF();
        refreshLivePreview();
    } else {
        m_liveTimer.stop();
        m_caretTimer.stop();
        if (m_live && m_sandbox)
            m_sandbox->dropSite(PreviewSite::hostOf(m_slot) + QStringLiteral("-live"));
    }
}

void DocWindow::onTextChanged()
{
    if (!m_liveOn)
        return;
    // Each change only restarts the pause: the text is read when typing stops.
    if (!m_liveTimer.isActive() && !m_liveWaiting.isValid())
        m_liveWaiting.start();
    m_liveTimer.start(LivePause);
}

void DocWindow::refreshLivePreview()
{
    if (!m_liveOn || !m_live)
        return;
    // A tag or attribute half written would show a broken page: wait for its ">",
    // but not for ever.
    const int caret = m_rich->selStart();
    const int back = qMin(caret, 4096);
    if (m_liveWaiting.isValid() && m_liveWaiting.elapsed() < LiveLongestWait
        && PageElements::insideTag(m_rich->textAt(caret - back, back), back)) {
        m_liveTimer.start(LivePause);
        return;
    }
    m_liveWaiting.invalidate();
    if (m_live->url().isValid() && PreviewSandbox::isOurs(m_live->url()))
        m_liveScroll = m_live->page()->scrollPosition();
    QString page;
    const PreviewSite site = previewSite(&page);
    m_live->showSite(PreviewSite::hostOf(m_slot) + QStringLiteral("-live"), site, page);
}

void DocWindow::showCaretElement()
{
    if (!m_liveOn || !m_live || m_doc->Script())
        return;
    const PageElements::Ref ref = PageElements::elementAt(m_rich->text(), m_rich->selStart());
    if (!ref.valid())
        return;
    m_live->page()->runJavaScript(
        QStringLiteral("(function () { var e = document.getElementsByTagName('%1')[%2];"
                       " if (e && e.scrollIntoView) e.scrollIntoView({block: 'nearest', inline: 'nearest'}); })();")
            .arg(ref.tag)
            .arg(ref.index),
        QWebEngineScript::ApplicationWorld);
}

void DocWindow::goToSourceOf(const QString &tag, int index)
{
    const QString text = m_rich->text();
    const qsizetype at = PageElements::startTagOffset(text, {tag.toLower(), index});
    if (at < 0)
        return;
    m_rich->setSelStart(int(at) + 1);
    m_rich->setSelLength(int(tag.size()));
    m_rich->setFocus();
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
    setLivePreview(false);
    if (m_live) {
        m_live->deleteLater();
        m_live = nullptr;
    }
    if (m_sandbox)
        m_sandbox->dropSite(PreviewSite::hostOf(m_slot));
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
