#pragma once
#include "app/Settings.h"
#include "files/ProjectList.h"
#include "lang/LanguageTexts.h"
#include "editing/DocTable.h"
#include "tags/TagCatalogue.h"

#include <QString>
#include <functional>

class Dialogs;
class Shell;
class KeyboardLayouts;
class frmMain;

// Everything the program shares between its windows, reachable from one place.
struct AppState {
    Settings settings;
    LanguageTexts lang;
    DocTable docs;
    ProjectList project;
    TagCatalogue catalogue;      // built once at start-up
    QString ProjectName;         // shown in the main frame caption after AppTitle
    int CommandMode = 0;         // mode word carried from a command into shared procedures
    int SwallowKeyPress = 0;     // >0: the next typed character is dropped

    Dialogs *dialogs = nullptr;
    Shell *shell = nullptr;
    KeyboardLayouts *layouts = nullptr;
    frmMain *main = nullptr;
    // Ends the process after the settings were written; tests replace it.
    std::function<void()> quit;

    // Text of language entries 90..106 (empty before any language is loaded).
    QString message(int entry) const;
    // Caption of the File menu without its accelerator mark, for error messages.
    QString fileMenuCaption() const;
    // A message box titled AppTitle; the answer (1 OK, 2 Cancel, 6 Yes, 7 No).
    int ask(const QString &text, int style) const;
    // Puts the keyboard focus back into the active document's editor.
    void focusActiveEditor() const;
};

AppState &app();
// Forgets all state (tests start each case from here).
void resetApp();
