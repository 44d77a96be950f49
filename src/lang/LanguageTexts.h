#pragma once
#include "lang/LanguageData.h"
#include <QString>

// Entries of the later texts, named where the code uses them.
namespace TextEntry {
constexpr int RecentFiles = 152;     // File > Recent Files
constexpr int ClearList = 153;       // its last item
constexpr int ReopenPages = 154;     // Options > Reopen Pages at Start
constexpr int CodeHtml = 155;        // File > Code - HTML (F8) and its button
constexpr int Script = 156;          // File > Script, the script button's tip, the script file filter
constexpr int LanguageLabel = 157;   // "Language:" before the language's name in the Options menu
constexpr int HtmlDocument = 158;    // file filters
constexpr int AllFiles = 159;
constexpr int WebProject = 160;
constexpr int Version = 161;         // "Version %1": About and the information page
constexpr int AboutLine = 162;       // About
constexpr int InfoText = 163;        // the information page's paragraph
constexpr int Shortcuts = 164;       // the information page's heading of the key table
constexpr int Completion = 165;      // Options > Complete HTML Attributes
// Checks and searches and their results panel (170-210).
constexpr int CheckPage = 170;
constexpr int Results = 171;
constexpr int NoProblems = 172;
constexpr int ProblemCount = 173;
constexpr int LevelError = 174;
constexpr int LevelWarning = 175;
constexpr int CheckingPage = 176;
constexpr int ColumnLevel = 177;
constexpr int ColumnPlace = 178;
constexpr int ColumnMessage = 179;
constexpr int PageCheckFailed = 180;
constexpr int NotListed = 181;
constexpr int ColumnFile = 182;
constexpr int FindInFiles = 183;
constexpr int FindInFilesTitle = 184;
constexpr int FolderLabel = 185;
constexpr int NamesLabel = 186;
constexpr int WholeWord = 187;
constexpr int RegularExpression = 188;
constexpr int ProjectFiles = 189;
constexpr int Browse = 190;
constexpr int FindAll = 191;
constexpr int ReplaceInFiles = 192;
constexpr int Searching = 193;
constexpr int HitSummary = 194;
constexpr int Skipped = 195;
constexpr int ConfirmReplace = 196;
constexpr int BadRegex = 197;
constexpr int Cancelled = 198;
constexpr int Replaced = 199;
constexpr int NotWritten = 200;
constexpr int ColumnText = 201;
constexpr int NoFolder = 202;
constexpr int CheckLinks = 203;
constexpr int CheckingLinks = 204;
constexpr int LinkMissing = 205;
constexpr int LinkCase = 206;
constexpr int LinkFragment = 207;
constexpr int LinkWeb = 208;
constexpr int LinkSummary = 209;
constexpr int ColumnLink = 210;
}

// The texts of the current language that outlive one load: the title, the names
// given to new documents and projects, the help page, the captions of the main
// frame, and the dialog texts and messages other windows read when they open.
// Until a language is loaded, and wherever no loaded file has given an entry,
// the built-in English texts stand (BuiltInTexts), so no question, message box
// title or command caption is ever blank.
struct LanguageTexts {
    static constexpr int FirstFrameEntry = 1;
    static constexpr int FrameEntryCount = 62;    // entries 1-62
    static constexpr int FirstDialogEntry = 63;
    static constexpr int DialogTextCount = 28;    // entries 63-89; index 27 is never filled
    static constexpr int FirstMessageEntry = 90;
    static constexpr int MessageCount = 18;       // entries 90-107
    static constexpr int FirstExtraEntry = 110;
    // entries 110-LastEntry: view options, status bar, font note, recovery 118-127, files on disk 130-143,
    // mark-up typing and zoom 144-150, live preview 151, sessions 152-154, texts of the frame, file
    // filters, About and information page 155-164, completion 165, page check, find in files, link check
    // and the results panel 170-210
    static constexpr int ExtraCount = LanguageData::LastEntry - FirstExtraEntry + 1;

    QString HelpFile;             // help page, relative to the program folder
    QString AppTitle;             // "Kodoplet " + entry 1 + " Int."; title of every message box
    QString UntitledName;         // entry 2; a new untitled document is this + its 1-based slot
    QString FileCaption;          // entry 3, the File menu's caption with its "&"; file error messages begin with it
    QString NewPageTitle;         // entry 11; <title> of the built-in page skeleton
    QString DefaultProjectName;   // entry 62; name of a new project
    QString FrameTexts[FrameEntryCount];   // entries 1-62 as the last load left them, index = entry - 1
    QString DialogTexts[DialogTextCount];
    QString Messages[MessageCount];
    QString Locale;               // entry 109, the locale of Qt's own texts ("de"); "" keeps them English
    // Entries 110-LastEntry; one a file does not give is the built-in English text.
    QString ExtraTexts[ExtraCount];
    QString VSpaceTip;            // entry 108, the image dialog's VSPACE tooltip; entry 86 when a file lacks it

    // Holds the built-in English texts, as if the English file had been loaded.
    LanguageTexts();

    // The text in force for entry 1..106, 108 or 110..LastEntry ("" for any other number), so
    // callers can name a text by its entry number: texts.text(96). Entries 1-62
    // are those of the last load (captions of the main frame: 3-10, 12-61).
    QString text(int entry) const;

    // The built-in English text of entry 1..106 or 110..LastEntry, "" for any other number.
    static QString builtInText(int entry);

    // Takes over a language file that was read successfully. A file gives an entry
    // when it has a record for it whose text is not blank; entries 1-62 keep
    // their first line only (a quote left open swallows the lines after it).
    // - Entries 1-62 come from this file alone. One it does not give is the
    //   built-in text when it is shown as a title or a command caption (1, 3-10,
    //   12-61), and "" as the file format has it for the untitled name (2), the
    //   new page's title (11) and the default project name (62).
    // - Entries 63-106 the file does not give keep the text they had (at first
    //   the built-in one), so a message or a button never goes blank.
    // - A blank help-file field gives the built-in help page.
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
