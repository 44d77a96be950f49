#include "app/AppCommands.h"
#include "app/AppState.h"
#include "app/CommandRegistry.h"
#include "app/frmAbout.h"
#include "app/frmShare.h"
#include "app/TagsInstall.h"
#include "editing/ClipboardCommands.h"
#include "editing/DocWindow.h"
#include "editing/EditorOptions.h"
#include "files/FileCommands.h"
#include "files/Preview.h"
#include "files/ProjectCommands.h"
#include "lang/LanguageLoader.h"
#include "platform/Dialogs.h"
#include "platform/EditControl.h"
#include "search/SearchCommands.h"

#include <QPointer>
#include <QWidget>

namespace AppCommands {

namespace {
EditControl *activeEditor()
{
    DocWindow *d = app().docs.active();
    return d ? d->Rich() : nullptr;
}

// Edit > Find 0..2 and Go to line, carried out by the search commands object.
void installSearch(CommandRegistry &c)
{
    if (SearchCommands *s = app().searchCommands.get())
        s->setCaptionSource([registry = QPointer<CommandRegistry>(&c)](const QString &name) {
            return registry ? registry->caption(name) : QString();
        });
    for (int i = 0; i <= 2; ++i)
        c.onCommand(QStringLiteral("mnuEditFind%1").arg(i), [i] {
            if (SearchCommands *s = app().searchCommands.get())
                s->mnuEditFind_Click(i);
        });
    c.onCommand(QStringLiteral("CodeFoundLine"), [] {
        if (SearchCommands *s = app().searchCommands.get())
            s->CodeFoundLine_Click();
    });
}

// After a window of our own closed: the frame active again, the editor focused.
void backToTheEditor()
{
    if (QWidget *frame = app().ownerWindow())
        frame->activateWindow();
    app().focusActiveEditor();
}
}

void ChangeEditorFont()
{
    AppState &a = app();
    if (!a.dialogs)
        return;
    Settings &s = a.settings;
    EditorOptions::EditorFont font{s.EditorFontName, s.EditorFontSize, s.EditorFontBold, s.EditorFontItalic};
    if (!EditorOptions::ChooseEditorFont(*a.dialogs, font, a.lang.text(117)))
        return;
    s.EditorFontName = font.name;
    s.EditorFontSize = font.size;
    s.EditorFontBold = font.bold;
    s.EditorFontItalic = font.italic;
    for (DocWindow *d : a.docs.open())
        EditorOptions::applyFontTo(d, font);
}

void ToggleWordWrap()
{
    AppState &a = app();
    a.settings.WrapMode = EditorOptions::ToggleWordWrap(a.settings.WrapMode, a.docs.open());
    if (a.commands)
        a.commands->setChecked(QStringLiteral("mnuEditPerenosWord"), a.settings.WrapMode == 0);
}

void install(CommandRegistry &c)
{
    AppState &a = app();
    FileCommands &files = *a.files;
    ProjectCommands &projects = *a.projects;
    c.onCommand(QStringLiteral("mnuFileNew"), [&files] { files.FileNewM(); });
    c.onCommand(QStringLiteral("mnuFileScriptNew"), [&files] { files.NewScriptM(); });
    c.onCommand(QStringLiteral("mnuFileOpen"), [&files] { files.FileOpenM(false); });
    c.onCommand(QStringLiteral("mnuFileScriptOpen"), [&files] { files.FileOpenM(true); });
    c.onCommand(QStringLiteral("mnuFileSaveFile"), [&files] { files.SaveDocument(files.docs().active()); });
    c.onCommand(QStringLiteral("mnuFileSaveFileAs"), [&files] { files.FileSaveAs(); });
    c.onCommand(QStringLiteral("mnuFileProsmotr"), [] { app().preview->mnuFileProsmotr_Click(); });
    c.onCommand(QStringLiteral("mnuEditCut"), [] { ClipboardCommands::Cut(activeEditor()); });
    c.onCommand(QStringLiteral("mnuEditCopy"), [] { ClipboardCommands::Copy(activeEditor()); });
    c.onCommand(QStringLiteral("mnuEditPaste"), [] { ClipboardCommands::Paste(activeEditor()); });
    // One route for undo and redo, whatever starts them (menu, toolbar, Ctrl+Z in the editor).
    c.onCommand(QStringLiteral("mnuEditUndo"), [] { if (DocWindow *d = app().docs.active()) d->document()->Undo(); });
    c.onCommand(QStringLiteral("mnuEditRedo"), [] { if (DocWindow *d = app().docs.active()) d->document()->Redo(); });
    c.onCommand(QStringLiteral("mnuEditPerenosWord"), [] { ToggleWordWrap(); });
    c.onCommand(QStringLiteral("mnuEditFont"), [] { ChangeEditorFont(); });
    c.onCommand(QStringLiteral("mnuOptionsToolbar"), [] {
        AppState &a = app();
        a.settings.ToolbarChecked = a.commands && a.commands->isChecked(QStringLiteral("mnuOptionsToolbar"));
    });
    c.onCommand(QStringLiteral("HelpAbout"), [] {
        frmAbout w(app().ownerWindow());
        w.exec();
        backToTheEditor();
    });
    c.onCommand(QStringLiteral("HelpShare"), [] {
        frmShare w(app().ownerWindow());
        w.exec();
        backToTheEditor();
    });

    const auto save = [&projects] { projects.saveProject(); };
    const auto saveAs = [&projects] { projects.ProektSavAsM(); };
    c.onCommand(QStringLiteral("mnuFileSaveProekt"), save);
    c.onCommand(QStringLiteral("ProektProektSave"), save);
    c.onCommand(QStringLiteral("mnuFileSaveProektAs"), saveAs);
    c.onCommand(QStringLiteral("ProektProektSaveAs"), saveAs);
    c.onCommand(QStringLiteral("ProektNew"), [&projects] { projects.ProektNewM(); });
    c.onCommand(QStringLiteral("ProektOpen"), [&projects] { projects.ProektLoadM(); });
    c.onCommand(QStringLiteral("ProektOpenAllFile"), [&projects] { projects.OpenAllFileM(); });
    c.onCommand(QStringLiteral("ProektCloseAllFile"), [&projects] { projects.ProektClos(); });
    c.onCommand(QStringLiteral("ProektAddFile"), [&projects] { projects.ProektAddFile_Click(); });
    c.onCommand(QStringLiteral("ProektRemoveFile"), [&projects] { projects.ProektRemoveFile_Click(); });
    c.onCommand(QStringLiteral("ProektListFile"), [&projects] { projects.ProektListFile_Click(); });
    c.onCommand(QStringLiteral("mnuEditOpenAllFile"), [&projects] { projects.mnuEditOpenAllFile_Click(); });

    LanguageLoader &languages = *a.languages;
    c.onCommand(QStringLiteral("mnuOptionsLang"), [&languages] { languages.mnuOptionsLang_Click(); });
    c.onCommand(QStringLiteral("HelpCallHelp"), [&languages] { languages.HelpCallHelp(); });

    TagsInstall::install(c, *app().tagCommands);
    installSearch(c);
}

} // namespace AppCommands
