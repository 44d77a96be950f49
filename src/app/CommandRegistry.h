#pragma once
#include "app/CommandTable.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>

struct LanguageData;
struct LanguageTexts;
class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// The live commands: one QAction per row of the command table, the menus built
// from it, and the handler each subsystem connected to a name. Enabling,
// check marks and texts are set here, on actions, so a toolbar button follows
// its scope like a menu item does.
class CommandRegistry : public QObject {
    Q_OBJECT
public:
    // Actions are owned by window (the main frame) and their shortcuts work in it.
    explicit CommandRegistry(QWidget *window);

    // Builds the menus of the table into bar.
    void buildMenus(QMenuBar *bar);

    QAction *action(const QString &name) const { return m_actions.value(name); }
    QMenu *menu(const QString &name) const { return m_menus.value(name); }
    QList<QAction *> actions() const { return m_actions.values(); }
    QWidget *window() const { return m_window; }

    // Runs handler when the named command is chosen (replacing an earlier one).
    // A name the command table does not have is refused (false, and a warning):
    // a typo must not leave a menu item without its handler.
    bool onCommand(const QString &name, std::function<void()> handler);
    // Names a handler was offered for that the command table does not have.
    const QStringList &refusedNames() const { return m_refused; }
    // Runs the command's handler whatever its enabled state (public handlers
    // other windows call, e.g. mnuEditPaste_Click).
    void run(const QString &name) const;
    // Runs the named command as if the user chose it: nothing when disabled.
    bool trigger(const QString &name);

    void setChecked(const QString &name, bool on);
    bool isChecked(const QString &name) const;
    QString caption(const QString &name) const;

    // The captions and tooltips a language file gives (built-in texts where it has none).
    void retranslate(const LanguageData &data, const LanguageTexts &texts);

    // DeleteMenuM's work: every command the scope (18 or 19) covers.
    void applyScope(int deleteMenuScope, bool enable);

signals:
    // After applyScope: the frame sets the finer states again (undo, selection).
    void scopeApplied(int deleteMenuScope, bool enable);

private:
    QAction *makeAction(const Commands::Command &c);

    QPointer<QWidget> m_window;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QMenu *> m_menus;
    QHash<QString, std::function<void()>> m_handlers;
    QStringList m_refused;
};
