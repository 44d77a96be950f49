#include "app/CommandTable.h"
#include "lang/LanguageTexts.h"

namespace Commands {

namespace {

constexpr int NoEntry = CaptionBinding::NoEntry;

Command menu(const char *name, const char *parent, const char *caption, int entry, Scope scope = Scope::Always)
{
    Command c;
    c.name = QString::fromLatin1(name);
    c.parent = QString::fromLatin1(parent);
    c.kind = Kind::Menu;
    c.caption = QString::fromUtf8(caption);
    c.text = CaptionBinding{c.name, entry, QString(), QString(), CaptionBinding::Caption};
    c.scope = scope;
    return c;
}

Command item(const char *name, const char *parent, const char *caption, int entry, const char *shortcut = "",
             Scope scope = Scope::Always, const char *prefix = "")
{
    Command c;
    c.name = QString::fromLatin1(name);
    c.parent = QString::fromLatin1(parent);
    c.kind = Kind::Item;
    c.caption = QString::fromUtf8(caption);
    c.text = CaptionBinding{c.name, entry, QString::fromLatin1(prefix), QString(), CaptionBinding::Caption};
    c.shortcut = QString::fromLatin1(shortcut);
    c.scope = scope;
    return c;
}

Command check(Command c, bool checked)
{
    c.checkable = true;
    c.checked = checked;
    return c;
}

Command separator(const char *name, const char *parent)
{
    Command c;
    c.name = QString::fromLatin1(name);
    c.parent = QString::fromLatin1(parent);
    c.kind = Kind::Separator;
    c.text.entry = NoEntry;
    return c;
}

// A toolbar button: its tooltip comes from a language entry (plus a fixed
// suffix), or is the fixed text when entry is NoEntry.
Command tool(int index, const char *runs, int entry, const char *fixedOrSuffix, Scope scope)
{
    Command c;
    c.name = QStringLiteral("PicKnopki") + QString::number(index);
    c.kind = Kind::Tool;
    c.runs = QString::fromLatin1(runs);
    const QString extra = QString::fromUtf8(fixedOrSuffix);
    c.caption = entry == NoEntry ? extra : QString();
    c.text = CaptionBinding{c.name, entry, QString(), entry == NoEntry ? QString() : extra, CaptionBinding::ToolTip};
    c.scope = scope;
    return c;
}

Command withSuffixEntry(Command c, int entry)
{
    c.text.suffixEntry = entry;
    return c;
}

QList<Command> build()
{
    const Scope doc = Scope::DocumentOpen;
    const Scope ed = Scope::EditorShown;
    return {
        // File
        menu("mnuFile", "", "File", 3),
        item("mnuFileNew", "mnuFile", "New", 4, "Ctrl+N"),
        item("mnuFileOpen", "mnuFile", "Open", 5, "Ctrl+O"),
        // Also in the Edit menu; here it is at hand with no document open.
        item("mnuFileOpenAllFile", "mnuFile", "Открыть все файлы в папке", 106),
        // Filled from the recent files each time it opens.
        menu("mnuFileRecent", "mnuFile", "Recent Files", TextEntry::RecentFiles),
        separator("mnuFileBar", "mnuFile"),
        menu("mnuFileScript", "mnuFile", "Script", TextEntry::Script),
        item("mnuFileScriptNew", "mnuFileScript", "New", 4),
        item("mnuFileScriptOpen", "mnuFileScript", "Open Script", 5),
        separator("mnuFileBar4", "mnuFile"),
        item("mnuFileSaveFile", "mnuFile", "Save file", 6, "Ctrl+S", doc),
        item("mnuFileSaveFileAs", "mnuFile", "Save file As...", 7, "Ctrl+Shift+S", doc),
        // The status bar's encoding and line-break menus, from the keyboard.
        item("mnuFileEncoding", "mnuFile", "Encoding...", 142, "", ed),
        item("mnuFileLineBreak", "mnuFile", "Line Breaks...", 143, "", ed),
        separator("mnuFileBar0", "mnuFile"),
        item("mnuFileSaveProekt", "mnuFile", "Save Proekt", 8),
        item("mnuFileSaveProektAs", "mnuFile", "Save Proekt As...", 9),
        separator("mnuFileBar1", "mnuFile"),
        item("mnuFileProsmotr", "mnuFile", "Code - HTML", TextEntry::CodeHtml, "F8", doc),
        check(item("mnuFileLivePreview", "mnuFile", "Live Preview", 151, "Ctrl+Shift+F8", doc), false),
        separator("mnuFileBar3", "mnuFile"),
        item("mnuFileExit", "mnuFile", "E&xit", 10, "Ctrl+Q"),

        // Edit
        menu("mnuEdit", "", "Edit", 12, ed),
        item("mnuEditUndo", "mnuEdit", "Undo", 13, "Ctrl+Z", ed),
        item("mnuEditRedo", "mnuEdit", "Redo", 14, "Ctrl+Y", ed),
        separator("mnuEditBar0", "mnuEdit"),
        item("mnuEditCut", "mnuEdit", "Cut", 15, "Ctrl+X", ed),
        item("mnuEditCopy", "mnuEdit", "Copy", 16, "Ctrl+C", ed),
        item("mnuEditPaste", "mnuEdit", "Paste", 17, "Ctrl+V", ed),
        item("mnuEditDelete", "mnuEdit", "Delete", 18, "", ed),
        item("mnuEditSelectAll", "mnuEdit", "Select All", 19, "Ctrl+A", ed),
        separator("mnuEditBar1", "mnuEdit"),
        item("mnuEditFind0", "mnuEdit", "Find", 20, "Ctrl+F", ed),
        item("mnuEditFind1", "mnuEdit", "Find next", 21, "F3", ed),
        item("mnuEditFind2", "mnuEdit", "Zamenit", 22, "Ctrl+H", ed),
        // Needs no document: it searches files on disk.
        item("mnuEditFindInFiles", "mnuEdit", "Find in Files", TextEntry::FindInFiles, "Ctrl+Shift+F"),
        // The Code menu's Go to Line (its key is there), where users look for it.
        item("mnuEditGoToLine", "mnuEdit", "Search of a line under number", 42, "", ed),
        separator("mnuEditBar2", "mnuEdit"),
        check(item("mnuEditPerenosWord", "mnuEdit", "Perenos", 23, "", ed), true),
        item("mnuEditFont", "mnuEdit", "Font", 24, "", ed),
        separator("mnuEditBar3", "mnuEdit"),
        item("mnuEditNewRasklad", "mnuEdit", "Сменить раскладку клавиатуры", 25, "F9", ed),
        item("mnuEditOpenAllFile", "mnuEdit", "Открыть все файлы в папке", 106, "", ed),

        // Tags
        menu("Code", "", "&Tags", 26, ed),
        item("CodeFrm0", "Code", "List tags", 27, "F6", ed),
        item("CodeFrm1", "Code", "Table", 28, "Ctrl+T", ed, "<TABLE...> - "),
        item("CodeFrm2", "Code", "Fonts", 29, "", ed, "<FONT...> - "),
        item("CodeFrm3", "Code", "Image", 30, "Ctrl+I", ed, "<IMG SRC...> - "),
        item("CodeAhref", "Code", "A href", 31, "Ctrl+L", ed, "<A HREF...> - "),
        menu("CodeMedia", "Code", "Media", 32, ed),
        item("CodeMediaHTML0", "CodeMedia", "Object", 33, "", ed, "<OBJECT> - "),
        item("CodeMediaHTML1", "CodeMedia", "Param", 34, "", ed, "<PARAM...> - "),
        item("CodeMediaHTML2", "CodeMedia", "MARQUEE", 35, "", ed, "<MARQUEE...> - "),
        menu("CodeForms", "Code", "FORMS", 36, ed),
        item("CodeFormsHTML0", "CodeForms", "FORM ACTION", 37, "", ed, "<FORM ACTIOIN...> - "),
        item("CodeFormsHTML1", "CodeForms", "TEXTAREA", 38, "", ed, "<TEXTAREA...> - "),
        item("CodeFormsSelect", "CodeForms", "SELECT", 39, "", ed, "<SELECT...> - "),
        item("CodeColor", "Code", "Select color", 40, "F2", ed),
        item("CodeFoundTags", "Code", "Found tags", 41, "", ed),
        // HTML Tidy's findings in the results panel; the bracket check above stays.
        item("CodeCheckPage", "Code", "Check Page", TextEntry::CheckPage, "Shift+F7", ed),
        item("CodeFoundLine", "Code", "Search of a line under number", 42, "Ctrl+G", ed),
        item("CodeTextTags", "Code", "Сode the text in tags", 43, "", ed),
        item("CodeMatchTag", "Code", "Go to Matching Tag", 149, "Ctrl+M", ed),
        item("CodeSelectElement", "Code", "Select Element", 150, "Ctrl+Shift+M", ed),

        // Project
        menu("Proekt", "", "Proekt", 44),
        item("ProektListFile", "Proekt", "List file", 45, "F4"),
        separator("ProektSep2", "Proekt"),
        item("ProektNew", "Proekt", "New", 4),
        item("ProektOpen", "Proekt", "Open", 5),
        item("ProektProektSave", "Proekt", "Save", 8),
        item("ProektProektSaveAs", "Proekt", "Save As", 9),
        separator("ProektSep", "Proekt"),
        item("ProektOpenAllFile", "Proekt", "Open all file", 46),
        item("ProektCloseAllFile", "Proekt", "Close all file", 47),
        item("ProektAddFile", "Proekt", "Add file", 48, "Ctrl+D"),
        item("ProektRemoveFile", "Proekt", "Remove file", 49),
        separator("ProektSep3", "Proekt"),
        // Every page of the project, or of the active document's folder.
        item("ProektCheckLinks", "Proekt", "Check Links", TextEntry::CheckLinks),

        // Options
        menu("mnuOptions", "", "Options", 50),
        check(item("mnuOptionsToolbar", "mnuOptions", "Toolbar", 51), true),
        check(item("mnuOptionsListTags", "mnuOptions", "List tags", 52, "F7"), true),
        check(item("mnuOptionsHighlight", "mnuOptions", "Syntax Highlighting", 110), true),
        check(item("mnuOptionsLineNumbers", "mnuOptions", "Line Numbers", 111), true),
        check(item("mnuOptionsStatusBar", "mnuOptions", "Status Bar", 112), true),
        separator("mnuOptionsBar0", "mnuOptions"),
        check(item("mnuOptionsCloseTags", "mnuOptions", "Close Tags When Typing", 144), true),
        check(item("mnuOptionsAutoIndent", "mnuOptions", "Auto-Indent", 145), true),
        check(item("mnuOptionsCompletion", "mnuOptions", "Complete HTML Attributes", TextEntry::Completion), true),
        check(item("mnuOptionsReopenPages", "mnuOptions", "Reopen Pages at Start", TextEntry::ReopenPages), true),
        separator("mnuOptionsBar1", "mnuOptions"),
        // Ctrl+= as well: "+" is a shifted key on many keyboards.
        item("mnuOptionsZoomIn", "mnuOptions", "Zoom In", 146, "Ctrl++;Ctrl+="),
        item("mnuOptionsZoomOut", "mnuOptions", "Zoom Out", 147, "Ctrl+-"),
        item("mnuOptionsZoomReset", "mnuOptions", "Reset Zoom", 148, "Ctrl+0"),
        separator("mnuOptionsBar2", "mnuOptions"),
        // "Language:" (its own entry) and the language's name.
        item("mnuOptionsLang", "mnuOptions", "Language", CaptionBinding::LanguageName),

        // Window
        menu("mnuWindow", "", "Window", 53, doc),
        item("mnuWindowCascade", "mnuWindow", "&Cascade", 54, "", doc),
        item("mnuWindowTileHorizontal", "mnuWindow", "Tile &Horizontal", 55, "", doc),
        item("mnuWindowTileVertical", "mnuWindow", "Tile &Vertical", 56, "", doc),
        item("mnuWindowArrangeIcons", "mnuWindow", "Arrange Icons", 57, "", doc),

        // Help
        menu("Help", "", "Help", 58),
        item("HelpCallHelp", "Help", "Help", 59, "F1"),
        item("HelpShare", "Help", "Share", 60),
        item("HelpAbout", "Help", "About", 61),

        // Toolbar buttons: 0-3 always, 4 and 19 with a document, 5-18 with its text shown.
        tool(0, "mnuFileNew", 4, "", Scope::Always),
        withSuffixEntry(tool(1, "mnuFileScriptNew", 4, "", Scope::Always), TextEntry::Script),
        tool(2, "mnuFileOpen", 5, "", Scope::Always),
        tool(3, "ProektListFile", 45, "", Scope::Always),
        tool(4, "mnuFileSaveFile", 6, "", doc),
        tool(5, "mnuEditCut", 15, "", ed),
        tool(6, "mnuEditCopy", 16, "", ed),
        tool(7, "mnuEditPaste", 17, "", ed),
        tool(8, "mnuEditFind0", 20, "", ed),
        tool(9, "mnuEditUndo", 13, "", ed),
        tool(10, "mnuEditRedo", 14, "", ed),
        tool(11, "", NoEntry, "<b></b>", ed),
        tool(12, "", NoEntry, "<i></i>", ed),
        tool(13, "", NoEntry, "<u></u>", ed),
        tool(14, "", NoEntry, "<div align=\"left\"></div>", ed),
        tool(15, "", NoEntry, "<div align=\"center\"></div>", ed),
        tool(16, "", NoEntry, "<div align=\"right\"></div>", ed),
        tool(17, "CodeColor", 40, "", ed),
        tool(18, "mnuEditFont", 24, "", ed),
        tool(19, "mnuFileProsmotr", TextEntry::CodeHtml, "", doc),
        tool(20, "mnuFileLivePreview", 151, "", doc),
    };
}

} // namespace

const QList<Command> &commandTable()
{
    static const QList<Command> table = build();
    return table;
}

const Command *findCommand(const QString &name)
{
    for (const Command &c : commandTable())
        if (c.name == name)
            return &c;
    return nullptr;
}

bool scopeCovers(int deleteMenuScope, Scope s)
{
    // Scope 19 (first document opened, last closed) reaches every command that
    // needs a document; scope 18 (editor or preview) only those that need the text.
    if (deleteMenuScope == int(Scope::DocumentOpen))
        return s == Scope::DocumentOpen || s == Scope::EditorShown;
    if (deleteMenuScope == int(Scope::EditorShown))
        return s == Scope::EditorShown;
    return false;
}

} // namespace Commands
