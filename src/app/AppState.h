#pragma once
#include "common/Settings.h"
#include "common/Options.h"
#include "app/ViewSettings.h"
#include "editing/DocTable.h"
#include "files/ProjectList.h"
#include "files/WorkFiles.h"
#include "lang/LanguageTexts.h"
#include "lang/Messenger.h"
#include "search/SearchCommands.h"
#include "search/SearchState.h"
#include "tags/TagCatalogue.h"
#include "tags/TagCommands.h"

#include <QPointer>
#include <memory>
#include <QString>
#include <functional>
#include <memory>

class CommandRegistry;
class DiskWatch;
class FileCommands;
class RecoveryCommands;
class RecoveryKeeper;
class LanguageLoader;
class Preview;
class ProjectCommands;
class Dialogs;
class Shell;
class PreviewSandbox;
class KeyboardLayouts;
class ResultsCommands;

// What start-up wires together: the shared data and the command groups built
// on it. Only src/app/ reaches it; every part below gets what it uses.
struct AppState {
    AppState();
    ~AppState();

    Settings settings;               // the settings file's values
    LanguageTexts lang;
    DocTable docs;
    ProjectList project;
    TagCatalogue catalogue;          // built once at start-up
    Announcer langChanged;           // the language texts changed (a language file was loaded)
    bool exiting = false;            // the settings are being written, the program ends
    bool showProjectWindowAtStart = false; // a project with entries was loaded at start-up
    BoolOption listTags{true};       // Options > List tags: "<" opens the tag list
    BoolOption highlighting{true};   // Options > Syntax highlighting
    BoolOption lineNumbers{true};    // Options > Line numbers: the gutter and the current line
    BoolOption statusBar{true};      // Options > Status bar
    BoolOption closeTags{true};      // Options > Close tags when typing (pages)
    BoolOption autoIndent{true};     // Options > Auto-indent: Enter keeps the line's indentation
    BoolOption completion{true};     // Options > Complete HTML attributes (pages)
    BoolOption reopenPages{true};    // Options > Reopen pages at start
    QStringList recentFiles;         // File > Recent files, newest first
    QList<ViewSettings::Page> pagesAtExit; // the documents open when the exit began
    // Options > Zoom: points added to the editor font of every document (the stored font stays).
    IntOption zoom{0, ViewSettings::MinZoom, ViewSettings::MaxZoom};
    TextOption frameCaption;         // the main frame's caption: AppTitle - ProjectName
    WorkFiles workFiles;             // preview, wrapper and working files this run wrote
    SearchState search;              // find and replace texts, position and history

    Dialogs *dialogs = nullptr;
    Shell *shell = nullptr;
    KeyboardLayouts *layouts = nullptr;
    QPointer<CommandRegistry> commands; // the main frame's commands, once it exists
    // Ends the process after the settings were written; tests replace it.
    std::function<void()> quit;
    // The command groups, built by buildCommandGroups() once dialogs and shell are set.
    std::unique_ptr<Messenger> messenger;             // messages titled AppTitle, through dialogs
    std::unique_ptr<FileCommands> files;
    std::unique_ptr<RecoveryKeeper> recovery;         // unsaved texts kept in the recovery folder
    std::unique_ptr<RecoveryCommands> recoveryCommands; // offers them at the next start
    std::unique_ptr<DiskWatch> diskWatch;             // the open documents' files on disk
    std::unique_ptr<ProjectCommands> projects;
    std::unique_ptr<Preview> preview;
    std::unique_ptr<PreviewSandbox> sandbox;          // where every preview page runs
    std::unique_ptr<LanguageLoader> languages;
    std::unique_ptr<SearchCommands> searchCommands;   // Edit > Find / Replace, Go to line
    std::unique_ptr<TagCommands> tagCommands;         // Tags menu, tag list, tag dialogs
    std::unique_ptr<ResultsCommands> results;         // Check Page, Find in Files and their panel
    void buildCommandGroups();

    // The caption a command shows now ("" before the frame exists).
    QString commandCaption(const QString &name) const;
    // The window that owns tool windows and dialogs (the main frame), or nullptr.
    QWidget *ownerWindow() const;
};

AppState &app();
// Forgets all state (tests start each case from here).
void resetApp();
