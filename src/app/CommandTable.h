#pragma once
#include "lang/MainFrameCaptions.h"
#include <QList>
#include <QString>

// Every command of the main frame, declared once: its name, where it sits, the
// text the language file gives it, its shortcut and the scope that enables it.
// The menus, the toolbar, the language loader and the enabling all walk this
// table; a subsystem only connects a handler to the name.
namespace Commands {

enum class Kind {
    Menu,       // a menu of the menu bar (no parent) or a submenu
    Item,       // a menu item
    Separator,  // a line between menu items
    Tool,       // a toolbar button (PicKnopki0..19); runs `runs` unless it has a handler of its own
};

// When a command can be used. The numbers are DeleteMenuM's scope arguments.
enum class Scope {
    Always = 0,
    EditorShown = 18,   // a document is open and shows its text, not its preview
    DocumentOpen = 19,  // at least one document is open
};

struct Command {
    QString name;         // the action's objectName ("mnuFileNew", "CodeFrm1", "PicKnopki0")
    QString parent;       // the menu it sits in ("" for menus of the menu bar and toolbar buttons)
    Kind kind = Kind::Item;
    QString caption;      // built-in text, until a language file gives one
    CaptionBinding text;  // what the language loader puts in (entry 0 < n: a language entry; -1: none)
    QString shortcut;     // portable key text ("Ctrl+N", "F8"; alternatives "Ctrl++;Ctrl+="), "" for none
    Scope scope = Scope::Always;
    bool checkable = false;
    bool checked = false; // initial check mark
    QString runs;         // toolbar buttons: the command they run
};

// The whole table in menu order, then the toolbar buttons 0..19.
const QList<Command> &commandTable();
// The row of that name, or nullptr.
const Command *findCommand(const QString &name);

// Whether DeleteMenuM with this scope number (18 or 19) covers a command of scope s.
bool scopeCovers(int deleteMenuScope, Scope s);

} // namespace Commands
