#pragma once
#include <QString>

// The eleven remembered values plus the program folder, alive from start-up to exit.
struct Settings {
    QString ProgramFolder;              // folder of the executable, always ending with PathSeparator
    // The folders below equal ProgramFolder in a copy that keeps everything beside
    // itself; an installed copy has them elsewhere (see AppPaths).
    QString DataFolder;                 // Language/ and Help/
    QString ConfigFolder;               // kodoplet.ini, kodoplet-view.ini, the page template
    QString WorkFolder;                 // redirect pages, base of an untitled page's preview
    QString UserFolder;                 // where file dialogs start when nothing is remembered
    QString RecoveryFolder;             // unsaved texts kept for recovery after a crash
    QString PathSeparator = QStringLiteral("/");
    QString LanguageFile;               // current language file name, "" when none chosen yet
    int WrapMode = 0;                   // 0 word wrap on, 1 off
    QString ProjectPath;                // current project file, "" when never saved
    QString EditorFontName = QStringLiteral("MS Sans Serif");
    int EditorFontSize = 12;
    bool EditorFontBold = true;
    bool EditorFontItalic = false;
    QString LastFolder;                 // initial folder of the file dialogs
    bool ToolbarChecked = true;         // check mark of mnuOptionsToolbar
    bool ListTagsChecked = true;        // check mark of mnuOptionsListTags
};
