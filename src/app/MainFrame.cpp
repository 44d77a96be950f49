#include "app/MainFrame.h"
#include "common/CommandNames.h"
#include "app/AppState.h"
#include "app/CommandRegistry.h"
#include "app/DocActivation.h"
#include "app/StatusBar.h"
#include "app/ToolBar.h"
#include "editing/DocWindow.h"
#include "platform/DroppedFiles.h"
#include "platform/EditControl.h"
#include "platform/NativeWindowKeeper.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QScopedValueRollback>
#include <QStyle>

frmMain::frmMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    NativeWindowKeeper::attach(this);
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
    connect(menu(QString(Cmd::mnuEdit)), &QMenu::aboutToShow, this, [this] {
        updateUndoRedo();
        updateSelectionCommands();
    });
    connect(menu(QString(Cmd::mnuWindow)), &QMenu::aboutToShow, this, &frmMain::rebuildWindowMenu);
    connect(m_commands, &CommandRegistry::scopeApplied, this, [this](int, bool enable) {
        if (enable) {
            updateUndoRedo();
            updateSelectionCommands();
        }
    });
    installOwnCommands();
    m_toolBar = new ToolBar(*m_commands, this);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    // Options > Toolbar: the check mark and the bar's visibility go together.
    QAction *toolbarOption = action(QString(Cmd::mnuOptionsToolbar));
    m_toolBar->setVisible(toolbarOption->isChecked());
    connect(toolbarOption, &QAction::toggled, m_toolBar, &QWidget::setVisible);
    // Disabled until a document is open.
    m_commands->applyScope(int(Commands::Scope::DocumentOpen), false);

    // The document table asks; the frame shows.
    connect(&a.docs, &DocTable::documentCreated, this, &frmMain::connectDocument);
    connect(&a.docs, &DocTable::showRequested, this, &frmMain::showDoc);
    connect(&a.docs, &DocTable::activateRequested, this, &frmMain::activateDoc);
    // After the frame's own handlers: the bar shows what activation left.
    m_statusBar = new StatusBar(this);
    setStatusBar(m_statusBar);
    m_statusBar->setVisible(a.statusBar.value());
    connect(&a.statusBar, &BoolOption::changed, m_statusBar, &QWidget::setVisible);
    connect(m_area, &QMdiArea::subWindowActivated, m_statusBar, &StatusBar::refresh);
    connect(m_commands, &CommandRegistry::scopeApplied, m_statusBar, &StatusBar::refresh);
    setWindowTitle(a.frameCaption.value());
    connect(&a.frameCaption, &TextOption::changed, this, &QWidget::setWindowTitle);
    // The option and its check mark follow each other, whoever changes it.
    bindOption(QString(Cmd::mnuOptionsListTags), a.listTags);
    bindOption(QString(Cmd::mnuOptionsHighlight), a.highlighting);
    bindOption(QString(Cmd::mnuOptionsLineNumbers), a.lineNumbers);
    bindOption(QString(Cmd::mnuOptionsStatusBar), a.statusBar);
    bindOption(QString(Cmd::mnuOptionsCloseTags), a.closeTags);
    bindOption(QString(Cmd::mnuOptionsAutoIndent), a.autoIndent);
    bindOption(QString(Cmd::mnuOptionsCompletion), a.completion);
    bindOption(QString(Cmd::mnuOptionsReopenPages), a.reopenPages);

    resize(900, 650);
    tmrActive.setSingleShot(true);
    tmrActive.setInterval(300);
    connect(&tmrActive, &QTimer::timeout, this, &frmMain::tmrActive_Timer);
    tmrActive.start();
    // Files dropped anywhere on the frame open; an editor takes its own drops.
    setAcceptDrops(true);
}

void frmMain::bindOption(const QString &command, BoolOption &option)
{
    QAction *check = action(command);
    check->setChecked(option.value());
    connect(&option, &BoolOption::changed, check, &QAction::setChecked);
    connect(check, &QAction::toggled, &option, &BoolOption::set);
}

frmMain::~frmMain()
{
    // Signals of the area and of the document windows (their state changes as
    // the children go) must not reach a frame that is half gone.
    disconnect(m_area, nullptr, this, nullptr);
    disconnect(m_area, nullptr, m_statusBar, nullptr);
    disconnect(m_commands, nullptr, m_statusBar, nullptr);
    m_statusBar->detach();
    AppState &a = app();
    disconnect(&a.docs, nullptr, this, nullptr);
    for (DocWindow *d : a.docs.DocWindows)
        if (d)
            disconnect(d, nullptr, this, nullptr);
    for (QMdiSubWindow *w : m_area->subWindowList())
        disconnect(w, nullptr, this, nullptr);
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
    c.onCommand(QString(Cmd::mnuFileExit), [this] { close(); });
    c.onCommand(QString(Cmd::mnuEditSelectAll), [] {
        if (DocWindow *d = app().docs.active()) {
            d->Rich()->setSelStart(0);
            d->Rich()->setSelLength(d->Rich()->textLength());
        }
    });
    c.onCommand(QString(Cmd::mnuWindowCascade), [this] { m_area->cascadeSubWindows(); });
    c.onCommand(QString(Cmd::mnuWindowTileHorizontal), [this] { tile(true); });
    c.onCommand(QString(Cmd::mnuWindowTileVertical), [this] { tile(false); });
    c.onCommand(QString(Cmd::mnuWindowArrangeIcons), [this] { MiniWindowsM(); });
    c.onCommand(QString(Cmd::mnuFileEncoding), [this] { m_statusBar->openMenu(true); });
    c.onCommand(QString(Cmd::mnuFileLineBreak), [this] { m_statusBar->openMenu(false); });
}

void frmMain::connectDocument(DocWindow *d)
{
    connect(d->document(), &Document::undoStateChanged, this, &frmMain::updateUndoRedo);
    connect(d, &QMdiSubWindow::windowStateChanged, this,
            [this, d](Qt::WindowStates was, Qt::WindowStates now) {
                onDocStateChanged(d, now);
                // A window first shown maximised has no size of its own yet (the
                // frame was not even on screen): once restored it gets one inside the area.
                // (A tile places it itself.)
                if ((was & Qt::WindowMaximized) && !(now & (Qt::WindowMaximized | Qt::WindowMinimized)) && !m_tiling)
                    QTimer::singleShot(0, d, [this, d] { keepInside(d); });
            });
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
    for (QLatin1String n : {Cmd::mnuEditUndo, Cmd::PicKnopki9})
        action(n)->setEnabled(editor && d->document()->IzmUndo());
    for (QLatin1String n : {Cmd::mnuEditRedo, Cmd::PicKnopki10})
        action(n)->setEnabled(editor && d->document()->IzmRedo());
}

void frmMain::updateSelectionCommands()
{
    DocWindow *d = app().docs.active();
    const bool sel = d && d->Rich()->selLength() > 0;
    for (QLatin1String n : {Cmd::mnuEditCut, Cmd::mnuEditCopy, Cmd::mnuEditDelete})
        action(n)->setEnabled(sel);
}

void frmMain::showDoc(DocWindow *d)
{
    if (!d)
        return;
    placeDoc(d);
    m_area->setActiveSubWindow(d);
    DocActivation::ActivateDocM(d->Tag());
    d->focusView();
    updateUndoRedo();
}

void frmMain::placeDoc(DocWindow *d)
{
    if (!d)
        return;
    // A reused window that was maximised when it left the area gets the frame's
    // old caption from the area when it comes back: keep its own.
    const QString caption = d->windowTitle();
    const bool first = app().docs.open().size() <= 1;
    if (d->mdiArea() != m_area)
        m_area->addSubWindow(d);
    if (first)
        m_docsMaximised = true;   // the first document always comes up maximised
    if (m_docsMaximised) {
        // Its size when the user restores it.
        if (!d->isMaximized())
            d->setGeometry(cascadeGeometry());
        d->showMaximized();
    } else {
        d->showNormal();
        d->setGeometry(cascadeGeometry());
    }
    d->setWindowTitle(caption);
}

QRect frmMain::cascadeGeometry() const
{
    // Three quarters of the visible area, each window one title bar further
    // down and right, starting again at the corner before one would stick out.
    const QSize area = m_area->viewport()->size();
    const QSize size(qMax(200, area.width() * 3 / 4), qMax(150, area.height() * 3 / 4));
    const int step = qMax(20, style()->pixelMetric(QStyle::PM_TitleBarHeight));
    const int room = qMin(area.width() - size.width(), area.height() - size.height());
    const int places = qMax(1, room / step + 1);
    int others = 0;
    for (QMdiSubWindow *w : m_area->subWindowList())
        if (w->isVisible() && !w->isMinimized())
            ++others;
    const int at = (qMax(0, others - 1) % places) * step;
    return QRect(QPoint(at, at), size);
}

void frmMain::keepInside(DocWindow *d)
{
    if (d->UnloadDoc() || d->mdiArea() != m_area || d->isMaximized() || d->isMinimized())
        return;
    const QRect area = m_area->viewport()->rect();
    if (!area.contains(d->geometry()) || d->width() < area.width() / 2 || d->height() < area.height() / 2)
        d->setGeometry(cascadeGeometry());
}

void frmMain::onDocStateChanged(DocWindow *d, Qt::WindowStates state)
{
    // The active document's own state decides how the next ones come up; a
    // window leaving the frame or going down to an icon decides nothing.
    if (d->UnloadDoc() || d->mdiArea() != m_area || m_area->activeSubWindow() != d)
        return;
    if (state & Qt::WindowMinimized)
        return;
    m_docsMaximised = state & Qt::WindowMaximized;
}

void frmMain::activateDoc(DocWindow *d)
{
    if (!d || d->UnloadDoc())
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
    if (!d || d->UnloadDoc())
        return;
    // The window that comes up after a maximised one closed is maximised too.
    if (m_docsMaximised && !d->isMaximized() && !d->isMinimized()
        && !m_area->testOption(QMdiArea::DontMaximizeSubWindowOnActivation))
        d->showMaximized();
    DocActivation::ActivateDocM(d->Tag());
    updateUndoRedo();
    updateSelectionCommands();
}

void frmMain::popupEditMenu(const QPoint &globalPos)
{
    QMenu *m = menu(QString(Cmd::mnuEdit));
    if (m && m->menuAction()->isEnabled())
        m->popup(globalPos);
}

void frmMain::rebuildWindowMenu()
{
    QMenu *m = menu(QString(Cmd::mnuWindow));
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
        QAction *a = m->addAction(QStringLiteral("&%1 %2").arg(n++).arg(d->shownTitle()));
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
    const QScopedValueRollback tiling(m_tiling, true);
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

void frmMain::mnuEditPaste_Click() { m_commands->run(QString(Cmd::mnuEditPaste)); }
void frmMain::mnuEditCopy_Click() { m_commands->run(QString(Cmd::mnuEditCopy)); }
void frmMain::mnuEditCut_Click() { m_commands->run(QString(Cmd::mnuEditCut)); }
void frmMain::mnuFileSaveFileAs_Click() { m_commands->run(QString(Cmd::mnuFileSaveFileAs)); }

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
    if (a.showProjectWindowAtStart) {
        a.showProjectWindowAtStart = false;
        if (showProjectWindow)
            showProjectWindow();
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

void frmMain::dragEnterEvent(QDragEnterEvent *e)
{
    dragMoveEvent(e);
}

void frmMain::dragMoveEvent(QDragMoveEvent *e)
{
    if (DroppedFiles::localFiles(e->mimeData()).isEmpty())
        e->ignore();
    else
        e->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent *e)
{
    const QStringList files = DroppedFiles::localFiles(e->mimeData());
    if (files.isEmpty()) {
        e->ignore();
        return;
    }
    e->acceptProposedAction();
    emit filesDropped(files);
}
