#pragma once
#include <QHash>
#include <QMainWindow>
#include <QTimer>
#include <functional>

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QAction;
class DocWindow;

// The main frame: the menu bar with every command, the area that holds the
// document windows, and the frame's own commands (history, select all, window
// arrangement, exit). Commands of the other subsystems are connected by name.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The registry: every menu item under its own name (arrays as name + index,
    // e.g. "mnuEditFind0", "CodeFrm1"); menus under the menu's name.
    QAction *action(const QString &name) const;
    QMenu *menu(const QString &name) const;
    QList<QAction *> actions() const { return m_actions.values(); }
    QString menuCaption(const QString &name) const;
    // Runs handler when the named item is chosen (replacing an earlier one).
    void onCommand(const QString &name, std::function<void()> handler);
    // Runs the named item's command as if the user chose it.
    bool trigger(const QString &name);
    void setChecked(const QString &name, bool on);
    bool isChecked(const QString &name) const;

    QMdiArea *mdiArea() const { return m_area; }
    void showDoc(DocWindow *d);
    void activateDoc(DocWindow *d);
    void popupEditMenu(const QPoint &globalPos);
    void setCaption(const QString &caption) { setWindowTitle(caption); }

    // Document-dependent enabling (scope 19: a document is open; 18: an editor shows).
    void setDocumentCommandsEnabled(bool enable, int scope);
    void updateUndoRedo();
    void updateSelectionCommands();

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

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption,
                     const QKeySequence &shortcut = QKeySequence());
    QMenu *addMenu(QMenu *parent, const QString &name, const QString &caption);
    void addSeparator(QMenu *menu, const QString &name);
    void buildMenus();
    void mnuEdit_Open();
    void rebuildWindowMenu();
    void tile(bool stacked);
    void onSubWindowActivated(QMdiSubWindow *w);
    void tmrActive_Timer();

    QMdiArea *m_area;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QMenu *> m_menus;
    QHash<QString, std::function<void()>> m_handlers;
    QList<QAction *> m_windowListActions;
};
