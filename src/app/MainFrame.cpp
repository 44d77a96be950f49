#include "app/MainFrame.h"
#include "app/AppState.h"
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
    buildMenus();
    resize(900, 650);
    tmrActive.setSingleShot(true);
    tmrActive.setInterval(300);
    connect(&tmrActive, &QTimer::timeout, this, &frmMain::tmrActive_Timer);
    tmrActive.start();
}

frmMain::~frmMain()
{
    if (app().main == this)
        app().main = nullptr;
}

QAction *frmMain::action(const QString &name) const { return m_actions.value(name); }
QMenu *frmMain::menu(const QString &name) const { return m_menus.value(name); }

QString frmMain::menuCaption(const QString &name) const
{
    if (QAction *a = action(name))
        return a->text();
    return {};
}

void frmMain::onCommand(const QString &name, std::function<void()> handler)
{
    m_handlers.insert(name, std::move(handler));
}

bool frmMain::trigger(const QString &name)
{
    QAction *a = action(name);
    if (!a || !a->isEnabled())
        return false;
    a->trigger();
    return true;
}

void frmMain::setChecked(const QString &name, bool on)
{
    if (QAction *a = action(name))
        a->setChecked(on);
}

bool frmMain::isChecked(const QString &name) const
{
    QAction *a = action(name);
    return a && a->isChecked();
}

QAction *frmMain::addItem(QMenu *menu, const QString &name, const QString &caption, const QKeySequence &shortcut)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(name);
    if (!shortcut.isEmpty()) {
        a->setShortcut(shortcut);
        a->setShortcutContext(Qt::WindowShortcut);
    }
    m_actions.insert(name, a);
    connect(a, &QAction::triggered, this, [this, name] {
        auto it = m_handlers.find(name);
        if (it != m_handlers.end() && *it)
            (*it)();
    });
    return a;
}

QMenu *frmMain::addMenu(QMenu *parent, const QString &name, const QString &caption)
{
    QMenu *m = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    m_menus.insert(name, m);
    m_actions.insert(name, m->menuAction());
    return m;
}

void frmMain::addSeparator(QMenu *menu, const QString &name)
{
    QAction *s = menu->addSeparator();
    s->setObjectName(name);
    m_actions.insert(name, s);
}

void frmMain::buildMenus()
{
    // File
    QMenu *file = addMenu(nullptr, QStringLiteral("mnuFile"), QStringLiteral("File"));
    addItem(file, QStringLiteral("mnuFileNew"), QStringLiteral("New"), QKeySequence(Qt::CTRL | Qt::Key_N));
    addItem(file, QStringLiteral("mnuFileOpen"), QStringLiteral("Open"), QKeySequence(Qt::CTRL | Qt::Key_O));
    addSeparator(file, QStringLiteral("mnuFileBar"));
    QMenu *script = addMenu(file, QStringLiteral("mnuFileScript"), QStringLiteral("Script"));
    addItem(script, QStringLiteral("mnuFileScriptNew"), QStringLiteral("New"));
    addItem(script, QStringLiteral("mnuFileScriptOpen"), QStringLiteral("Open Script"));
    addSeparator(file, QStringLiteral("mnuFileBar4"));
    addItem(file, QStringLiteral("mnuFileSaveFile"), QStringLiteral("Save file"), QKeySequence(Qt::CTRL | Qt::Key_S));
    addItem(file, QStringLiteral("mnuFileSaveFileAs"), QStringLiteral("Save file As..."));
    addSeparator(file, QStringLiteral("mnuFileBar0"));
    addItem(file, QStringLiteral("mnuFileSaveProekt"), QStringLiteral("Save Proekt"));
    addItem(file, QStringLiteral("mnuFileSaveProektAs"), QStringLiteral("Save Proekt As..."));
    addSeparator(file, QStringLiteral("mnuFileBar1"));
    addItem(file, QStringLiteral("mnuFileProsmotr"), QStringLiteral("Code - HTML"), QKeySequence(Qt::Key_F8));
    addSeparator(file, QStringLiteral("mnuFileBar3"));
    addItem(file, QStringLiteral("mnuFileExit"), QStringLiteral("E&xit"));

    // Edit
    QMenu *edit = addMenu(nullptr, QStringLiteral("mnuEdit"), QStringLiteral("Edit"));
    addItem(edit, QStringLiteral("mnuEditUndo"), QStringLiteral("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    addItem(edit, QStringLiteral("mnuEditRedo"), QStringLiteral("Redo"), QKeySequence(Qt::CTRL | Qt::Key_Y));
    addSeparator(edit, QStringLiteral("mnuEditBar0"));
    addItem(edit, QStringLiteral("mnuEditCut"), QStringLiteral("Cut"), QKeySequence(Qt::CTRL | Qt::Key_X));
    addItem(edit, QStringLiteral("mnuEditCopy"), QStringLiteral("Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
    addItem(edit, QStringLiteral("mnuEditPaste"), QStringLiteral("Paste"), QKeySequence(Qt::CTRL | Qt::Key_V));
    addItem(edit, QStringLiteral("mnuEditDelete"), QStringLiteral("Delete"));
    addItem(edit, QStringLiteral("mnuEditSelectAll"), QStringLiteral("Select All"), QKeySequence(Qt::CTRL | Qt::Key_A));
    addSeparator(edit, QStringLiteral("mnuEditBar1"));
    addItem(edit, QStringLiteral("mnuEditFind0"), QStringLiteral("Find"), QKeySequence(Qt::CTRL | Qt::Key_F));
    addItem(edit, QStringLiteral("mnuEditFind1"), QStringLiteral("Find next"), QKeySequence(Qt::Key_F3));
    addItem(edit, QStringLiteral("mnuEditFind2"), QStringLiteral("Zamenit"), QKeySequence(Qt::CTRL | Qt::Key_H));
    addSeparator(edit, QStringLiteral("mnuEditBar2"));
    QAction *wrap = addItem(edit, QStringLiteral("mnuEditPerenosWord"), QStringLiteral("Perenos"));
    wrap->setCheckable(true);
    addItem(edit, QStringLiteral("mnuEditFont"), QStringLiteral("Font"));
    addSeparator(edit, QStringLiteral("mnuEditBar3"));
    addItem(edit, QStringLiteral("mnuEditNewRasklad"), QStringLiteral("Сменить раскладку клавиатуры"), QKeySequence(Qt::Key_F9));
    addItem(edit, QStringLiteral("mnuEditOpenAllFile"), QStringLiteral("Открыть все файлы в папке"));
    connect(edit, &QMenu::aboutToShow, this, &frmMain::mnuEdit_Open);

    // Tags
    QMenu *code = addMenu(nullptr, QStringLiteral("Code"), QStringLiteral("&Tags"));
    addItem(code, QStringLiteral("CodeFrm0"), QStringLiteral("List tags"), QKeySequence(Qt::Key_F6));
    addItem(code, QStringLiteral("CodeFrm1"), QStringLiteral("Table"), QKeySequence(Qt::CTRL | Qt::Key_T));
    addItem(code, QStringLiteral("CodeFrm2"), QStringLiteral("Fonts"));
    addItem(code, QStringLiteral("CodeFrm3"), QStringLiteral("Image"), QKeySequence(Qt::CTRL | Qt::Key_I));
    addItem(code, QStringLiteral("CodeAhref"), QStringLiteral("A href"), QKeySequence(Qt::CTRL | Qt::Key_L));
    QMenu *media = addMenu(code, QStringLiteral("CodeMedia"), QStringLiteral("Media"));
    addItem(media, QStringLiteral("CodeMediaHTML0"), QStringLiteral("Object"));
    addItem(media, QStringLiteral("CodeMediaHTML1"), QStringLiteral("Param"));
    addItem(media, QStringLiteral("CodeMediaHTML2"), QStringLiteral("MARQUEE"));
    QMenu *forms = addMenu(code, QStringLiteral("CodeForms"), QStringLiteral("FORMS"));
    addItem(forms, QStringLiteral("CodeFormsHTML0"), QStringLiteral("FORM ACTION"));
    addItem(forms, QStringLiteral("CodeFormsHTML1"), QStringLiteral("TEXTAREA"));
    addItem(forms, QStringLiteral("CodeFormsSelect"), QStringLiteral("SELECT"));
    addItem(code, QStringLiteral("CodeColor"), QStringLiteral("Select color"), QKeySequence(Qt::Key_F2));
    addItem(code, QStringLiteral("CodeFoundTags"), QStringLiteral("Found tags"));
    addItem(code, QStringLiteral("CodeFoundLine"), QStringLiteral("Search of a line under number"));
    addItem(code, QStringLiteral("CodeTextTags"), QStringLiteral("Сode the text in tags"));

    // Project
    QMenu *proekt = addMenu(nullptr, QStringLiteral("Proekt"), QStringLiteral("Proekt"));
    addItem(proekt, QStringLiteral("ProektListFile"), QStringLiteral("List file"), QKeySequence(Qt::Key_F4));
    addSeparator(proekt, QStringLiteral("ProektSep2"));
    addItem(proekt, QStringLiteral("ProektNew"), QStringLiteral("New"));
    addItem(proekt, QStringLiteral("ProektOpen"), QStringLiteral("Open"));
    addItem(proekt, QStringLiteral("ProektProektSave"), QStringLiteral("Save"));
    addItem(proekt, QStringLiteral("ProektProektSaveAs"), QStringLiteral("Save As"));
    addSeparator(proekt, QStringLiteral("ProektSep"));
    addItem(proekt, QStringLiteral("ProektOpenAllFile"), QStringLiteral("Open all file"));
    addItem(proekt, QStringLiteral("ProektCloseAllFile"), QStringLiteral("Close all file"));
    addItem(proekt, QStringLiteral("ProektAddFile"), QStringLiteral("Add file"), QKeySequence(Qt::CTRL | Qt::Key_D));
    addItem(proekt, QStringLiteral("ProektRemoveFile"), QStringLiteral("Remove file"));

    // Options
    QMenu *options = addMenu(nullptr, QStringLiteral("mnuOptions"), QStringLiteral("Options"));
    QAction *toolbar = addItem(options, QStringLiteral("mnuOptionsToolbar"), QStringLiteral("Toolbar"));
    toolbar->setCheckable(true);
    toolbar->setChecked(true);
    QAction *listTags = addItem(options, QStringLiteral("mnuOptionsListTags"), QStringLiteral("List tags"), QKeySequence(Qt::Key_F7));
    listTags->setCheckable(true);
    listTags->setChecked(true);
    addItem(options, QStringLiteral("mnuOptionsLang"), QStringLiteral("Language"));

    // Window
    QMenu *window = addMenu(nullptr, QStringLiteral("mnuWindow"), QStringLiteral("Window"));
    addItem(window, QStringLiteral("mnuWindowCascade"), QStringLiteral("&Cascade"));
    addItem(window, QStringLiteral("mnuWindowTileHorizontal"), QStringLiteral("Tile &Horizontal"));
    addItem(window, QStringLiteral("mnuWindowTileVertical"), QStringLiteral("Tile &Vertical"));
    addItem(window, QStringLiteral("mnuWindowArrangeIcons"), QStringLiteral("Arrange Icons"));
    connect(window, &QMenu::aboutToShow, this, &frmMain::rebuildWindowMenu);

    // Help
    QMenu *help = addMenu(nullptr, QStringLiteral("Help"), QStringLiteral("Help"));
    addItem(help, QStringLiteral("HelpCallHelp"), QStringLiteral("Help"));
    addItem(help, QStringLiteral("HelpShare"), QStringLiteral("Share"));
    addItem(help, QStringLiteral("HelpAbout"), QStringLiteral("About"));

    // Disabled until a document is open.
    setDocumentCommandsEnabled(false, 19);

    // The frame's own commands.
    onCommand(QStringLiteral("mnuFileExit"), [this] { close(); });
    onCommand(QStringLiteral("mnuEditUndo"), [] { if (DocWindow *d = app().docs.active()) d->Undo(); });
    onCommand(QStringLiteral("mnuEditRedo"), [] { if (DocWindow *d = app().docs.active()) d->Redo(); });
    onCommand(QStringLiteral("mnuEditSelectAll"), [] {
        if (DocWindow *d = app().docs.active()) {
            d->Rich()->setSelStart(0);
            d->Rich()->setSelLength(d->Rich()->textLength());
        }
    });
    onCommand(QStringLiteral("mnuWindowCascade"), [this] { m_area->cascadeSubWindows(); });
    onCommand(QStringLiteral("mnuWindowTileHorizontal"), [this] { tile(true); });
    onCommand(QStringLiteral("mnuWindowTileVertical"), [this] { tile(false); });
    onCommand(QStringLiteral("mnuWindowArrangeIcons"), [] { DocActivation::MiniWindowsM(); });
    onCommand(QStringLiteral("mnuOptionsListTags"), [this] { app().settings.ListTagsChecked = isChecked(QStringLiteral("mnuOptionsListTags")); });
    onCommand(QStringLiteral("mnuOptionsToolbar"), [this] { app().settings.ToolbarChecked = isChecked(QStringLiteral("mnuOptionsToolbar")); });
}

void frmMain::mnuEdit_Open()
{
    updateUndoRedo();
    updateSelectionCommands();
}

void frmMain::updateUndoRedo()
{
    DocWindow *d = app().docs.active();
    action(QStringLiteral("mnuEditUndo"))->setEnabled(d && d->editorVisible() && d->IzmUndo);
    action(QStringLiteral("mnuEditRedo"))->setEnabled(d && d->editorVisible() && d->IzmRedo);
}

void frmMain::updateSelectionCommands()
{
    DocWindow *d = app().docs.active();
    const bool sel = d && d->Rich()->textCursor().hasSelection();
    for (const char *n : {"mnuEditCut", "mnuEditCopy", "mnuEditDelete"})
        action(QString::fromLatin1(n))->setEnabled(sel);
}

void frmMain::setDocumentCommandsEnabled(bool enable, int scope)
{
    if (scope == 19)
        for (const char *n : {"mnuFileProsmotr", "mnuFileSaveFile", "mnuFileSaveFileAs"})
            action(QString::fromLatin1(n))->setEnabled(enable);
    // A disabled menu takes its items' shortcuts with it.
    QStringList menus = {QStringLiteral("mnuEdit"), QStringLiteral("Code")};
    if (scope == 19)
        menus << QStringLiteral("mnuWindow");
    for (const QString &n : menus) {
        QMenu *m = menu(n);
        m->menuAction()->setEnabled(enable);
        for (QAction *a : m->actions()) {
            if (a->isSeparator())
                continue;
            a->setEnabled(enable);
            if (QMenu *sub = a->menu())
                for (QAction *s : sub->actions())
                    s->setEnabled(enable);
        }
    }
    if (enable) {
        updateUndoRedo();
        updateSelectionCommands();
    }
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
    connect(d, &DocWindow::undoStateChanged, this, &frmMain::updateUndoRedo, Qt::UniqueConnection);
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

void frmMain::mnuEditPaste_Click() { if (auto h = m_handlers.value(QStringLiteral("mnuEditPaste"))) h(); }
void frmMain::mnuEditCopy_Click() { if (auto h = m_handlers.value(QStringLiteral("mnuEditCopy"))) h(); }
void frmMain::mnuEditCut_Click() { if (auto h = m_handlers.value(QStringLiteral("mnuEditCut"))) h(); }
void frmMain::mnuFileSaveFileAs_Click() { if (auto h = m_handlers.value(QStringLiteral("mnuFileSaveFileAs"))) h(); }

void frmMain::tmrActive_Timer()
{
    tmrActive.stop();
    AppState &a = app();
    if (a.CommandMode == -9) {
        if (showProjectWindow)
            showProjectWindow();
        a.CommandMode = 0;
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
