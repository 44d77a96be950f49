#pragma once
#include "common/Settings.h"
#include <QString>

// Where the program reads its data and keeps its own files.
//
// A copy that keeps everything beside its executable (the build folder, or any
// folder the user unpacked it to and can write to, holding its Language folder)
// uses the executable's folder for all of them, exactly as always.
// An installed copy (no Language folder beside the executable but one in
// ../share/kodoplet, or an executable folder it cannot write to) reads Language/
// and Help/ from its data folder and keeps the settings files and the page
// template in $XDG_CONFIG_HOME/kodoplet, its redirect pages in
// $XDG_CACHE_HOME/kodoplet, the unsaved texts kept for recovery in
// $XDG_STATE_HOME/kodoplet/recovery. Writability alone cannot decide it: root may write
// anywhere, so the layout rule comes first.
struct AppPaths {
    // What the rule looks at; probe() fills it from the disk and the environment.
    struct Layout {
        QString executableFolder;           // ending with its separator
        bool languageBeside = false;        // <executableFolder>Language is a folder
        bool languageShared = false;        // <executableFolder>../share/kodoplet/Language is a folder
        bool executableFolderWritable = true;
        QString xdgConfigHome;              // as set in the environment ("" when unset)
        QString xdgCacheHome;
        QString xdgStateHome;
        QString home;                       // the user's home folder
    };

    bool installed = false;   // the user's files live in the XDG folders
    QString DataFolder;       // Language/ and Help/
    QString ConfigFolder;     // kodoplet.ini, kodoplet-view.ini, the page template
    QString WorkFolder;       // redirect pages; base of an untitled page's preview
    QString UserFolder;       // where the file dialogs start when nothing is remembered
    QString RecoveryFolder;   // unsaved texts kept while documents have changes
    QString HomeFolder;       // the user's home: where File > Open first starts, in every layout

    // The folders for layout; each ends with "/" (the build copy's with the
    // executable folder's own separator, being that folder).
    static AppPaths resolve(const Layout &layout);
    // Looks at the disk and the environment around executableFolder.
    static Layout probe(const QString &executableFolder);
    // The data folder relative to the executable's folder in an installed copy.
    static QString sharedDataPath() { return QStringLiteral("../share/kodoplet/"); }

    // Sets the folders of s and the default of LastFolder (call before the
    // settings file is read, which may replace LastFolder).
    void applyTo(Settings &s) const;
};
