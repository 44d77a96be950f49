#pragma once
#include <QToolBar>

class CommandRegistry;

// The toolbar under the menu (picToolBar): the table's twenty buttons in their
// six groups, as the registry's own actions, so enabling and tooltips follow
// the commands. Its buttons never take the keyboard focus.
class ToolBar : public QToolBar {
    Q_OBJECT
public:
    ToolBar(CommandRegistry &commands, QWidget *parent = nullptr);

    // The theme icon a button asks for first, then its own drawing in the resources.
    static QString themeIconName(int button);
    static QString fallbackIconPath(int button);
};
