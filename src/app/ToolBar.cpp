#include "app/ToolBar.h"
#include "app/CommandRegistry.h"
#include "app/CommandTable.h"

#include <QAction>
#include <QHelpEvent>
#include <QIcon>
#include <QMouseEvent>
#include <QToolButton>
#include <QToolTip>

namespace {
// Theme name and own drawing per button, in button order.
struct ButtonIcon {
    const char *theme;
    const char *file;
};
constexpr int ButtonCount = 21;
constexpr ButtonIcon kIcons[ButtonCount] = {
    {"document-new", "new-page"},          {"text-x-script", "new-script"},
    {"document-open", "open"},             {"view-list-details", "project"},
    {"document-save", "save"},             {"edit-cut", "cut"},
    {"edit-copy", "copy"},                 {"edit-paste", "paste"},
    {"edit-find", "find"},                 {"edit-undo", "undo"},
    {"edit-redo", "redo"},                 {"format-text-bold", "bold"},
    {"format-text-italic", "italic"},      {"format-text-underline", "underline"},
    {"format-justify-left", "align-left"}, {"format-justify-center", "align-center"},
    {"format-justify-right", "align-right"}, {"color-select", "colour"},
    {"preferences-desktop-font", "font"},  {"document-preview", "preview"},
    {"view-split-left-right", "live-preview"},
};
// The first button of each group after the first.
bool startsGroup(int button)
{
    return button == 5 || button == 9 || button == 11 || button == 14 || button == 17;
}
// Qt's buttons answer the left button only; these answer the others as well.
bool otherButton(const QEvent *e)
{
    const Qt::MouseButton b = static_cast<const QMouseEvent *>(e)->button();
    return b == Qt::RightButton || b == Qt::MiddleButton;
}
}

QString ToolBar::themeIconName(int button)
{
    return button >= 0 && button < ButtonCount ? QString::fromLatin1(kIcons[button].theme) : QString();
}

QString ToolBar::fallbackIconPath(int button)
{
    return button >= 0 && button < ButtonCount ? QStringLiteral(":/icons/%1.svg").arg(QLatin1String(kIcons[button].file)) : QString();
}

ToolBar::ToolBar(CommandRegistry &commands, QWidget *parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("picToolBar"));
    setMovable(false);
    setFloatable(false);
    setFocusPolicy(Qt::NoFocus);
    setIconSize(QSize(22, 22));
    // The platform's menu on a right-click would offer to hide the bar behind
    // the back of Options > Toolbar.
    setContextMenuPolicy(Qt::PreventContextMenu);
    toggleViewAction()->setVisible(false);
    int button = 0;
    for (const Commands::Command &c : Commands::commandTable()) {
        if (c.kind != Commands::Kind::Tool)
            continue;
        QAction *a = commands.action(c.name);
        if (!a)
            continue;
        if (startsGroup(button))
            addSeparator();
        a->setIcon(QIcon::fromTheme(themeIconName(button), QIcon(fallbackIconPath(button))));
        addAction(a);
        if (QWidget *w = widgetForAction(a)) {
            w->setObjectName(c.name + QStringLiteral("Button"));
            // A click must not take the focus from the editor it acts on.
            w->setFocusPolicy(Qt::NoFocus);
            w->installEventFilter(this);
        }
        ++button;
    }
}

QString ToolBar::literalToolTip(const QString &text)
{
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

bool ToolBar::eventFilter(QObject *watched, QEvent *e)
{
    auto *button = qobject_cast<QToolButton *>(watched);
    if (!button)
        return QToolBar::eventFilter(watched, e);
    switch (e->type()) {
    case QEvent::ToolTip:
        if (!button->toolTip().isEmpty()) {
            QToolTip::showText(static_cast<QHelpEvent *>(e)->globalPos(), literalToolTip(button->toolTip()), button);
            return true;
        }
        break;
    // A disabled button sees its mouse events here too: it stays as it is.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (otherButton(e)) {
            if (button->isEnabled())
                button->setDown(true);   // the pressed look, as for the left button
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (otherButton(e)) {
            const bool pressed = button->isDown();
            button->setDown(false);
            // Released outside the button (dragged off it): nothing runs.
            const QPoint at = static_cast<QMouseEvent *>(e)->position().toPoint();
            if (pressed && button->isEnabled() && button->rect().contains(at))
                button->click();
            return true;
        }
        break;
    default:
        break;
    }
    return QToolBar::eventFilter(watched, e);
}
