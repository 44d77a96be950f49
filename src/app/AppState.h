#pragma once
#include "common/Settings.h"
#include "common/Options.h"
#include "editing/DocTable.h"
#include "files/ProjectList.h"
#include "files/WorkFiles.h"
#include "lang/LanguageTexts.h"
#include "lang/Messenger.h"
#include "search/SearchState.h"
#include "tags/TagCatalogue.h"
#include "tags/TagCommands.h"

#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

class CommandRegistry;
class Dialogs;
class Shell;
class KeyboardLayouts;

// Values of the shared mode word CommandMode: a caller's intent carried into
// shared procedures. A value of 0 or more after OpenFileDoc is the slot of the
// window it opened.
namespace CommandModes {
constexpr int Neutral = 0;
constexpr int OpenAndAdd = -1;        // File > Open: open the file and add it to the project
constexpr int AddOnly = -2;           // Project > Add file: list the file, do not open it
constexpr int Saved = 2;              // FileSave wrote the file
constexpr int StartUpLoad = 21;       // loading the remembered project: a failure stays silent
constexpr int ShowProjectWindow = -9; // a remembered project with files was loaded at start-up
constexpr int Exiting = 99;           // the settings are being written, the program ends
constexpr int FindMode = 0;           // the find window opened by Edit > Find
constexpr int FindNextMode = 1;       // Edit > Find next
constexpr int ReplaceMode = 2;        // the find window opened by Edit > Replace
}

// Everything the program shares between its windows, reachable from one place.
struct AppState {
    Settings settings;               // the settings file's values
    LanguageTexts lang;
    DocTable docs;
    ProjectList project;
    TagCatalogue catalogue;          // built once at start-up
    QString ProjectName;             // shown in the main frame caption after AppTitle
    int CommandMode = CommandModes::Neutral;
    BoolOption listTags{true};       // Options > List tags: "<" opens the tag list
    BoolOption highlighting{true};   // Options > Syntax highlighting
    BoolOption lineNumbers{true};    // Options > Line numbers: the gutter and the current line
    BoolOption statusBar{true};      // Options > Status bar
    TextOption frameCaption;         // the main frame's caption: AppTitle - ProjectName
    WorkFiles workFiles;             // preview, wrapper and working files this run wrote
    SearchState search;              // find and replace texts, position and history

    Dialogs *dialogs = nullptr;
    Shell *shell = nullptr;
    KeyboardLayouts *layouts = nullptr;
    QPointer<CommandRegistry> commands; // the main frame's commands, once it exists
    // Ends the process after the settings were written; tests replace it.
    std::function<void()> quit;
    // Made by start-up once the main frame exists; declared last, as they hold the members above.
    std::unique_ptr<Messenger> messenger;
    std::unique_ptr<TagCommands> tagCommands;

    // Text of a language entry 63..107 (the built-in text until a file gives one).
    QString message(int entry) const;
    // Caption of the File menu without its accelerator mark, for error messages.
    QString fileMenuCaption() const;
    // A message box titled AppTitle; the answer (Dialogs::Answer).
    int ask(const QString &text, int style) const;
    // Puts the keyboard focus back into the active document's editor.
    void focusActiveEditor() const;
    // The window that owns tool windows and dialogs (the main frame), or nullptr.
    QWidget *ownerWindow() const;
};

AppState &app();
// Forgets all state (tests start each case from here).
void resetApp();
