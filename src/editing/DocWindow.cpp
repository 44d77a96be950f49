#include "editing/DocWindow.h"
#include "platform/BrowserView.h"
#include "platform/EditControl.h"
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
    connect(m_rich, &EditControl::changed, this, &DocWindow::onTextChanged);
    connect(m_rich, &EditControl::externalChange, this, &DocWindow::onExternalChange);
    connect(m_rich, &EditControl::rightButtonReleased, this, &DocWindow::contextMenuRequested);
    connect(m_rich, &EditControl::copyRequested, this, &DocWindow::copyRequested);
    connect(m_rich, &EditControl::cutRequested, this, &DocWindow::cutRequested);
    connect(m_rich, &EditControl::pasteRequested, this, &DocWindow::pasteRequested);
    connect(m_rich, &QPlainTextEdit::selectionChanged, this, &DocWindow::selectionChanged);
}

DocWindow::~DocWindow() = default;

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

void DocWindow::ProsmotrShare()
{
    const bool backToEditor = !editorVisible();
    showPreview(!backToEditor);
    if (backToEditor) {
        LoadHtml(QStringLiteral("<html><body></body></html>"));
        setWindowTitle(txtCaption);
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
        setWindowTitle(txtCaption);
    else
        setWindowTitle(title);
}

void DocWindow::setUndoFlags()
{
    IzmUndo = m_history.canUndo();
    IzmRedo = m_history.canRedo();
    emit undoStateChanged();
}

void DocWindow::onTextChanged(const TextChange &change)
{
    if (IzmT >= IzmTStates::ProgramChange)
        return;
    m_history.record(change, m_rich->selStart());
    IzmT = IzmTStates::Changed;
    setUndoFlags();
}

void DocWindow::onExternalChange()
{
    // The history cannot follow a change it did not see: start it afresh here.
    m_history.reset(m_rich->selStart());
    IzmT = IzmTStates::Changed;
    setUndoFlags();
}

void DocWindow::applyStep(const std::optional<UndoHistory::Step> &step)
{
    if (!step)
        return;
    IzmT = IzmTStates::ProgramChange;
    for (const UndoHistory::Edit &e : step->edits)
        m_rich->replaceRange(e.pos, e.removeLength, e.insert);
    m_rich->setSelStart(step->caret);
    IzmT = IzmTStates::Changed;
    setUndoFlags();
}

void DocWindow::Undo()
{
    applyStep(m_history.undo());
}

void DocWindow::Redo()
{
    applyStep(m_history.redo());
}

void DocWindow::Sbros()
{
    txtCaption = windowTitle();
    m_history.reset(m_rich->selStart());
    setUndoFlags();
    // A document was just loaded or made: Script is settled.
    syncSyntax();
}

void DocWindow::setHighlighting(bool on)
{
    if (on && !m_highlighter) {
        m_highlighter = new SyntaxHighlighter(m_rich);
        m_highlighter->setLanguageSource([this] { return Script ? SyntaxLanguage::Script : SyntaxLanguage::Page; });
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

void DocWindow::changeFormat(const TextFormat &f)
{
    if (f.encoding == format.encoding && f.lineBreak == format.lineBreak)
        return;
    format = f;
    IzmT = IzmTStates::Changed;
    setUndoFlags();
    emit formatChanged();
}

void DocWindow::releaseContents()
{
    const int saved = IzmT;
    IzmT = IzmTStates::ProgramChange;
    m_rich->setText(QString());
    IzmT = saved;
    m_history.reset(0);
    IzmUndo = IzmRedo = false;
    if (m_browser) {
        m_stack->removeWidget(m_browser);
        m_browser->deleteLater();
        m_browser = nullptr;
    }
    m_stack->setCurrentWidget(m_rich);
}

void DocWindow::closeEvent(QCloseEvent *e)
{
    if (UnloadDoc) {
        e->accept();
        return;
    }
    // The owner asks about changes and unloads the document when it may go;
    // the window itself stays for reuse by its slot.
    e->ignore();
    emit closeRequested(this);
}
