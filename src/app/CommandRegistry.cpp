#include "app/CommandRegistry.h"

#include "lang/MainFrameCaptions.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

using Commands::Command;
using Commands::Kind;

CommandRegistry::CommandRegistry(QWidget *window) : QObject(window), m_window(window)
{
    setObjectName(QStringLiteral("commands"));
    for (const Command &c : Commands::commandTable())
        if (c.kind == Kind::Item || c.kind == Kind::Tool)
            m_actions.insert(c.name, makeAction(c));
}

QAction *CommandRegistry::makeAction(const Command &c)
{
    auto *a = new QAction(m_window);
    a->setObjectName(c.name);
    if (c.kind == Kind::Tool)
        a->setToolTip(c.caption);
    else
        a->setText(c.caption);
    if (!c.shortcut.isEmpty()) {
        QList<QKeySequence> keys;
        for (const QString &k : c.shortcut.split(u';'))
            keys << QKeySequence(k, QKeySequence::PortableText);
        a->setShortcuts(keys);
        a->setShortcutContext(Qt::WindowShortcut);
        // Not in a menu yet, the action needs a widget for its shortcut to work.
        if (m_window)
            m_window->addAction(a);
    }
    a->setCheckable(c.checkable);
    a->setChecked(c.checked);
    const QString name = c.name;
    const QString runs = c.runs;
    connect(a, &QAction::triggered, this, [this, name, runs] {
        if (m_handlers.contains(name) || runs.isEmpty())
            run(name);
        else
            run(runs);
    });
    return a;
}

void CommandRegistry::buildMenus(QMenuBar *bar)
{
    for (const Command &c : Commands::commandTable()) {
        QMenu *parent = m_menus.value(c.parent);
        switch (c.kind) {
        case Kind::Menu: {
            QMenu *m = parent ? parent->addMenu(c.caption) : bar->addMenu(c.caption);
            m->setObjectName(c.name);
            m->menuAction()->setObjectName(c.name);
            m_menus.insert(c.name, m);
            m_actions.insert(c.name, m->menuAction());
            break;
        }
        case Kind::Item:
            if (parent)
                parent->addAction(m_actions.value(c.name));
            break;
        case Kind::Separator:
            if (parent) {
                QAction *s = parent->addSeparator();
                s->setObjectName(c.name);
                m_actions.insert(c.name, s);
            }
            break;
        case Kind::Tool:
            break;
        }
    }
}

bool CommandRegistry::onCommand(const QString &name, std::function<void()> handler)
{
    if (!Commands::findCommand(name)) {
        qWarning("no command named %s", qPrintable(name));
        m_refused << name;
        return false;
    }
    m_handlers.insert(name, std::move(handler));
    return true;
}

void CommandRegistry::run(const QString &name) const
{
    auto it = m_handlers.constFind(name);
    if (it != m_handlers.constEnd() && *it) {
        // A copy: the handler may replace itself while it runs.
        const std::function<void()> h = *it;
        h();
    }
}

bool CommandRegistry::trigger(const QString &name)
{
    QAction *a = action(name);
    if (!a || !a->isEnabled())
        return false;
    a->trigger();
    return true;
}

void CommandRegistry::setChecked(const QString &name, bool on)
{
    if (QAction *a = action(name))
        a->setChecked(on);
}

bool CommandRegistry::isChecked(const QString &name) const
{
    QAction *a = action(name);
    return a && a->isChecked();
}

QString CommandRegistry::caption(const QString &name) const
{
    QAction *a = action(name);
    return a ? a->text() : QString();
}

void CommandRegistry::applyScope(int deleteMenuScope, bool enable)
{
    // A disabled menu does not take its items' shortcuts with it: every item
    // has its own scope and is set here too.
    for (const Command &c : Commands::commandTable())
        if (c.kind != Kind::Separator && Commands::scopeCovers(deleteMenuScope, c.scope))
            if (QAction *a = action(c.name))
                a->setEnabled(enable);
    emit scopeApplied(deleteMenuScope, enable);
}

void CommandRegistry::retranslate(const LanguageData &data, const LanguageTexts &texts)
{
    for (const Command &c : Commands::commandTable()) {
        const CaptionBinding &b = c.text;
        QAction *act = action(c.name);
        if (!act || b.entry == CaptionBinding::NoEntry)
            continue;
        const QString text = captionText(b, data, texts);
        if (b.target == CaptionBinding::ToolTip)
            act->setToolTip(text);
        else
            act->setText(text);
    }
}
