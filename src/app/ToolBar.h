#pragma once
#include <QToolBar>

class CommandRegistry;

// The toolbar under the menu (picToolBar): the table's twenty buttons in their
// six groups, as the registry's own actions, so enabling and tooltips follow
// the commands. Its buttons never take the keyboard focus; any mouse button
// clicks them, and their tooltips are plain text.
class ToolBar : public QToolBar {
    Q_OBJECT
public:
    ToolBar(CommandRegistry &commands, QWidget *parent = nullptr);

    // The theme icon a button asks for first, then its own drawing in the resources.
    static QString themeIconName(int button);
    static QString fallbackIconPath(int button);
    // A tooltip as Qt's tooltip shows it literally: "<b></b>" is what a button
    // inserts, not mark-up that would render as nothing.
    static QString literalToolTip(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;
};
