#include "app/MainFrame.h"
#include "app/AppState.h"
#include "app/CommandRegistry.h"
#include "app/DocActivation.h"
#include "editing/DocWindow.h"
#include "platform/EditControl.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>

frmMain::frmMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    m_area = new QMdiArea(this);
    m_area->setObjectName(QStringLiteral("mdiArea"));
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_area);
    connect(m_area, &QMdiArea::subWindowActivated, this, &frmMain::onSubWindowActivated);

    AppState &a = app();
    m_commands = new CommandRegistry(this);
    m_commands->buildMenus(menuBar());
    a.commands = m_commands;
    connect(menu(QStringLiteral("mnuEdit")), &QMenu::aboutToShow, this, [this] {
        updateUndoRedo();
        updateSelectionCommands();
    });
    connect(menu(QStringLiteral("mnuWindow")), &QMenu::aboutToShow, this, &frmMain::rebuildWindowMenu);
    connect(m_commands, &CommandRegistry::scopeApplied, this, [this](int, bool enable) {
        if (enable) {
            updateUndoRedo();
            updateSelectionCommands();
        }
    });
    installOwnCommands();
    // Disabled until a document is open.
    m_commands->applyScope(int(Commands::Scope::DocumentOpen), false);

    // The document table asks; the frame shows.
    connect(&a.docs, &DocTable::documentCreated, this, &frmMain::connectDocument);
    connect(&a.docs, &DocTable::showRequested, this, &frmMain::showDoc);
    connect(&a.docs, &DocTable::activateRequested, this, &frmMain::activateDoc);
    setWindowTitle(a.frameCaption.value());
    connect(&a.frameCaption, &TextOption::changed, this, &QWidget::setWindowTitle);
    // The option and its check mark follow each other, whoever changes it.
    QAction *listTags = action(QStringLiteral("mnuOptionsListTags"));
    listTags->setChecked(a.listTags.value());
    connect(&a.listTags, &BoolOption::changed, listTags, &QAction::setChecked);
    connect(listTags, &QAction::toggled, &a.listTags, &BoolOption::set);

    resize(900, 650);
    tmrActive.setSingleShot(true);
    tmrActive.setInterval(300);
    connect(&tmrActive, &QTimer::timeout, this, &frmMain::tmrActive_Timer);
    tmrActive.start();
}

frmMain::~frmMain()
{
    // The area's activation signal must not reach a frame that is half gone.
    disconnect(m_area, nullptr, this, nullptr);
    AppState &a = app();
    disconnect(&a.docs, nullptr, this, nullptr);
    if (a.commands == m_commands)
        a.commands = nullptr;
}

QAction *frmMain::action(const QString &name) const { return m_commands->action(name); }
QMenu *frmMain::menu(const QString &name) const { return m_commands->menu(name); }
QString frmMain::menuCaption(const QString &name) const { return m_commands->caption(name); }
bool frmMain::trigger(const QString &name) { return m_commands->trigger(name); }
void frmMain::setChecked(const QString &name, bool on) { m_commands->setChecked(name, on); }
bool frmMain::isChecked(const QString &name) const { return m_commands->isChecked(name); }

void frmMain::installOwnCommands()
{
    CommandRegistry &c = *m_commands;
    c.onCommand(QStringLiteral("mnuFileExit"), [this] { close(); });
    c.onCommand(QStringLiteral("mnuEditUndo"), [] { if (DocWindow *d = app().docs.active()) d->Undo(); });
    c.onCommand(QStringLiteral("mnuEditRedo"), [] { if (DocWindow *d = app().docs.active()) d->Redo(); });
    c.onCommand(QStringLiteral("mnuEditSelectAll"), [] {
        if (DocWindow *d = app().docs.active()) {
            d->Rich()->setSelStart(0);
            d->Rich()->setSelLength(d->Rich()->textLength());
        }
    });
    c.onCommand(QStringLiteral("mnuWindowCascade"), [this] { m_area->cascadeSubWindows(); });
    c.onCommand(QStringLiteral("mnuWindowTileHorizontal"), [this] { tile(true); });
    c.onCommand(QStringLiteral("mnuWindowTileVertical"), [this] { tile(false); });
    c.onCommand(QStringLiteral("mnuWindowArrangeIcons"), [this] { MiniWindowsM(); });
}

void frmMain::connectDocument(DocWindow *d)
{
    connect(d, &DocWindow::undoStateChanged, this, &frmMain::updateUndoRedo);
    connect(d, &DocWindow::selectionChanged, this, [this, d] {
        if (app().docs.active() == d)
            updateSelectionCommands();
    });
    connect(d, &DocWindow::contextMenuRequested, this, &frmMain::popupEditMenu);
    connect(d, &DocWindow::cutRequested, this, &frmMain::mnuEditCut_Click);
    connect(d, &DocWindow::copyRequested, this, &frmMain::mnuEditCopy_Click);
    connect(d, &DocWindow::pasteRequested, this, &frmMain::mnuEditPaste_Click);
}

void frmMain::updateUndoRedo()
{
    DocWindow *d = app().docs.active();
    const bool editor = d && d->editorVisible();
    for (const char *n : {"mnuEditUndo", "PicKnopki9"})
        action(QString::fromLatin1(n))->setEnabled(editor && d->IzmUndo);
    for (const char *n : {"mnuEditRedo", "PicKnopki10"})
        action(QString::fromLatin1(n))->setEnabled(editor && d->IzmRedo);
}

void frmMain::updateSelectionCommands()
{
    DocWindow *d = app().docs.active();
    const bool sel = d && d->Rich()->textCursor().hasSelection();
    for (const char *n : {"mnuEditCut", "mnuEditCopy", "mnuEditDelete"})
        action(QString::fromLatin1(n))->setEnabled(sel);
}

void frmMain::showDoc(DocWindow *d)
{
    if (!d)
        return;
    // A reused window that was maximised when it left the area gets the frame's
    // old caption from the area when it comes back: keep its own.
    const QString caption = d->windowTitle();
    const bool maximise = m_area->subWindowList().isEmpty()
        || (m_area->activeSubWindow() && m_area->activeSubWindow()->isMaximized());
    if (d->mdiArea() != m_area)
        m_area->addSubWindow(d);
    if (maximise) {
        d->showMaximized();
    } else {
        d->resize(m_area->size() * 3 / 4);
        d->show();
    }
    m_area->setActiveSubWindow(d);
    d->setWindowTitle(caption);
    DocActivation::ActivateDocM(d->Tag());
    d->focusView();
    updateUndoRedo();
}

void frmMain::activateDoc(DocWindow *d)
{
    if (!d || d->UnloadDoc)
        return;
    if (d->isMinimized())
        d->showNormal();
    m_area->setActiveSubWindow(d);
    DocActivation::ActivateDocM(d->Tag());
    d->focusView();
}

void frmMain::onSubWindowActivated(QMdiSubWindow *w)
{
    auto *d = qobject_cast<DocWindow *>(w);
    if (!d || d->UnloadDoc)
        return;
    DocActivation::ActivateDocM(d->Tag());
    updateUndoRedo();
    updateSelectionCommands();
}

void frmMain::popupEditMenu(const QPoint &globalPos)
{
    QMenu *m = menu(QStringLiteral("mnuEdit"));
    if (m && m->menuAction()->isEnabled())
        m->popup(globalPos);
}

void frmMain::rebuildWindowMenu()
{
    QMenu *m = menu(QStringLiteral("mnuWindow"));
    for (QAction *a : m_windowListActions) {
        m->removeAction(a);
        a->deleteLater();
    }
    m_windowListActions.clear();
    const auto docs = app().docs.open();
    if (docs.empty())
        return;
    m_windowListActions << m->addSeparator();
    int n = 1;
    for (DocWindow *d : docs) {
        QAction *a = m->addAction(QStringLiteral("&%1 %2").arg(n++).arg(d->windowTitle()));
        a->setCheckable(true);
        a->setChecked(m_area->activeSubWindow() == d);
        connect(a, &QAction::triggered, this, [this, d] { activateDoc(d); });
        m_windowListActions << a;
    }
}

void frmMain::tile(bool stacked)
{
    // Stacked: one above the other, each the area's full width; otherwise side
    // by side, each the area's full height.
    QList<QMdiSubWindow *> ws;
    for (QMdiSubWindow *w : m_area->subWindowList())
        if (w->isVisible())
            ws << w;
    if (ws.isEmpty())
        return;
    const QSize area = m_area->viewport()->size();
    const int step = (stacked ? area.height() : area.width()) / int(ws.size());
    int at = 0;
    for (QMdiSubWindow *w : ws) {
        w->showNormal();
        if (stacked)
            w->setGeometry(0, at, area.width(), step);
        else
            w->setGeometry(at, 0, step, area.height());
        at += step;
    }
}

void frmMain::mnuEditPaste_Click() { m_commands->run(QStringLiteral("mnuEditPaste")); }
void frmMain::mnuEditCopy_Click() { m_commands->run(QStringLiteral("mnuEditCopy")); }
void frmMain::mnuEditCut_Click() { m_commands->run(QStringLiteral("mnuEditCut")); }
void frmMain::mnuFileSaveFileAs_Click() { m_commands->run(QStringLiteral("mnuFileSaveFileAs")); }

void frmMain::MiniWindowsM()
{
    // Minimising a maximised window activates the next one, which the area would
    // maximise again: keep it from doing so while every window goes down.
    const bool keep = m_area->testOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    m_area->setOption(QMdiArea::DontMaximizeSubWindowOnActivation, true);
    for (DocWindow *d : app().docs.open())
        d->showMinimized();
    m_area->setOption(QMdiArea::DontMaximizeSubWindowOnActivation, keep);
}

void frmMain::tmrActive_Timer()
{
    tmrActive.stop();
    AppState &a = app();
    if (a.CommandMode == CommandModes::ShowProjectWindow) {
        if (showProjectWindow)
            showProjectWindow();
        a.CommandMode = CommandModes::Neutral;
    }
}

void frmMain::closeEvent(QCloseEvent *e)
{
    // The exit path may be cancelled by the user's answer about a changed document.
    if (queryUnload && queryUnload())
        e->ignore();
    else
        e->accept();
}
