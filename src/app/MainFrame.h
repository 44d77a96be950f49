#pragma once
#include <QMainWindow>
#include <QTimer>
#include <functional>

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QAction;
class CommandRegistry;
class DocWindow;
class BoolOption;
class ToolBar;
class StatusBar;

// The main frame: the menu bar built from the command table, the area that
// holds the document windows, and the routing between them: it shows and
// activates documents when the document table asks, keeps the finer enabled
// states (undo, redo, selection) and arranges windows. Commands are carried out
// by the subsystems that connected a handler to their names.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    CommandRegistry &commands() const { return *m_commands; }
    // Shortcuts to the registry (every command under its own name, e.g.
    // "mnuEditFind0", "CodeFrm1"; menus under the menu's name).
    QAction *action(const QString &name) const;
    QMenu *menu(const QString &name) const;
    QString menuCaption(const QString &name) const;
    bool trigger(const QString &name);
    void setChecked(const QString &name, bool on);
    bool isChecked(const QString &name) const;

    QMdiArea *mdiArea() const { return m_area; }
    ToolBar *toolBar() const { return m_toolBar; }
    StatusBar *statusBarFields() const { return m_statusBar; }
    void showDoc(DocWindow *d);
    // The first part of showDoc: into the area, maximised or cascaded, shown.
    // Doing it again leaves the window where it is.
    void placeDoc(DocWindow *d);
    void activateDoc(DocWindow *d);
    void popupEditMenu(const QPoint &globalPos);
    void updateUndoRedo();
    void updateSelectionCommands();
    // Minimises every open document window (Window > Arrange Icons).
    void MiniWindowsM();

    // Public handlers other windows call.
    void mnuEditPaste_Click();
    void mnuEditCopy_Click();
    void mnuEditCut_Click();
    void mnuFileSaveFileAs_Click();

    QTimer tmrActive;   // one-shot, shows the project window after start-up
    // Set by the project window when it exists.
    std::function<void()> showProjectWindow;
    // The close handling: true cancels the close.
    std::function<bool()> queryUnload;

signals:
    // Files dropped on the frame (its toolbar, its empty area, a window's frame);
    // the owner opens them. Connect queued: the drop must end before any question.
    void filesDropped(const QStringList &paths);

protected:
    void closeEvent(QCloseEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dragMoveEvent(QDragMoveEvent *e) override;
    void dropEvent(QDropEvent *e) override;

private:
    // The option and its check mark follow each other, whoever changes it.
    void bindOption(const QString &command, BoolOption &option);
    void connectDocument(DocWindow *d);
    void installOwnCommands();
    void rebuildWindowMenu();
    void tile(bool stacked);
    void onSubWindowActivated(QMdiSubWindow *w);
    void onDocStateChanged(DocWindow *d, Qt::WindowStates state);
    // Gives a restored window that is too small or sticks out a place in the cascade.
    void keepInside(DocWindow *d);
    // Where a new window that is not maximised goes, inside the visible area.
    QRect cascadeGeometry() const;
    void tmrActive_Timer();

    QMdiArea *m_area;
    CommandRegistry *m_commands;
    ToolBar *m_toolBar = nullptr;
    StatusBar *m_statusBar = nullptr;
    bool m_docsMaximised = true;  // documents come up maximised (the active one is)
    bool m_tiling = false;        // a tile is placing the windows
    QList<QAction *> m_windowListActions;
};
