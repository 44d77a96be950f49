#pragma once
#include "lang/LanguageData.h"
#include <QString>

// The texts of the current language that outlive one load: the title, the names
// given to new documents and projects, the help page, and the dialog texts and
// messages other windows read when they open. All empty until a language is loaded.
struct LanguageTexts {
    static constexpr int FirstDialogEntry = 63;
    static constexpr int DialogTextCount = 28;    // entries 63-89; index 27 is never filled
    static constexpr int FirstMessageEntry = 90;
    static constexpr int MessageCount = 18;       // entries 90-107

    QString HelpFile;             // help page, relative to the program folder
    QString AppTitle;             // "Kodoplet " + entry 1 + " Int."; title of every message box
    QString UntitledName;         // entry 2; a new untitled document is this + its 1-based slot
    QString NewPageTitle;         // entry 11; <title> of the built-in page skeleton
    QString DefaultProjectName;   // entry 62; name of a new project
    QString FileCaption = QStringLiteral("File"); // entry 3, the File menu; starts the file error messages
    QString DialogTexts[DialogTextCount];
    QString Messages[MessageCount];

    // The text kept for entry 63..107 ("" for any other number), so callers can
    // name a text by its entry number: texts.text(96).
    QString text(int entry) const;

    // Takes over a language file that was read successfully. Entries 1-62 come
    // from this file alone (missing ones give ""); entries 63-107 the file leaves
    // out keep the text they had.
    void apply(const LanguageData &data);

    // The main frame's caption.
    QString frameCaption(const QString &projectName) const;

    // The caption an open document gets after a language switch: an untitled
    // document named old name + (slot + 1) takes the new name + (slot + 1); a
    // document that has a file keeps its name, even if it happens to look alike.
    static QString renamedUntitled(const QString &caption, int slot, bool hasFileName,
                                   const QString &oldName, const QString &newName);

    // The project name after a language switch: a project still carrying the old
    // default name takes the new one; a project with its own name keeps it.
    static QString renamedProject(const QString &projectName, const QString &oldDefault,
                                  const QString &newDefault);
};
