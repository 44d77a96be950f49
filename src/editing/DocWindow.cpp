#include "editing/DocWindow.h"
#include "app/AppState.h"
#include "app/DocActivation.h"
#include "app/MainFrame.h"
#include "editing/EditorKeyRules.h"
#include "files/FileCommands.h"
#include "platform/BrowserView.h"
#include "platform/Dialogs.h"
#include "platform/EditControl.h"

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
    m_rich->installBehaviour(std::make_unique<EditorKeyRules>(this));
    connect(m_rich, &EditControl::changed, this, &DocWindow::onTextChanged);
    connect(m_rich, &EditControl::externalChange, this, &DocWindow::onExternalChange);
    connect(m_rich, &EditControl::rightButtonReleased, this, [](const QPoint &at) {
        if (app().main)
            app().main->popupEditMenu(at);
    });
    connect(m_rich, &EditControl::copyRequested, this, [] { if (app().main) app().main->mnuEditCopy_Click(); });
    connect(m_rich, &EditControl::cutRequested, this, [] { if (app().main) app().main->mnuEditCut_Click(); });
    connect(m_rich, &EditControl::pasteRequested, this, [] { if (app().main) app().main->mnuEditPaste_Click(); });
    connect(m_rich, &QPlainTextEdit::selectionChanged, this, [this] {
        if (app().main && app().docs.active() == this)
            app().main->updateSelectionCommands();
    });
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
    DocActivation::DeleteMenuM(backToEditor, 18);
    focusView();
}

void DocWindow::LoadHtml(const QString &html)
{
    // Relative addresses of an unsaved page resolve against the program folder.
    const QUrl base = QUrl::fromLocalFile(app().settings.ProgramFolder);
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
    if (IzmT >= 2)
        return;
    m_history.record(change, m_rich->selStart());
    IzmT = 1;
    setUndoFlags();
}

void DocWindow::onExternalChange()
{
    // The history cannot follow a change it did not see: start it afresh here.
    m_history.reset(m_rich->selStart());
    IzmT = 1;
    setUndoFlags();
}

void DocWindow::applyStep(const std::optional<UndoHistory::Step> &step)
{
    if (!step)
        return;
    IzmT = 2;
    m_rich->replaceRange(step->pos, step->removeLength, step->insert);
    m_rich->setSelStart(step->caret);
    IzmT = 1;
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
}

void DocWindow::releaseContents()
{
    const int saved = IzmT;
    IzmT = 2;
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
    e->ignore();
    if (IzmT >= 1) {
        if (app().main)
            app().main->activateDoc(this);
        const int answer = app().ask(app().message(98) + QStringLiteral("\r\n") + txtCaption, Dialogs::YesNoCancel);
        focusView();
        if (answer == Dialogs::Cancel)
            return;
        if (answer == Dialogs::Yes) {
            // Closing goes on only when the text is safely on disk: a failed or
            // cancelled save keeps the document open rather than losing it.
            bool saved;
            if (!NameFile.isEmpty())
                saved = FileCommands::FileSave(m_slot, NameFile);
            else
                saved = FileCommands::FileSaveAs();
            if (!saved)
                return;
        }
    }
    DocActivation::UnloadDocM(m_slot);
}
