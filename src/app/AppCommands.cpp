#include "app/AppCommands.h"
#include "app/AppState.h"
#include "app/CommandRegistry.h"
#include "app/frmAbout.h"
#include "app/frmShare.h"
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
#include "tags/TagCommands.h"

#include <QWidget>

namespace AppCommands {

namespace {
EditControl *activeEditor()
{
    DocWindow *d = app().docs.active();
    return d ? d->Rich() : nullptr;
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
    if (!EditorOptions::ChooseEditorFont(*a.dialogs, font, a.lang.text(116)))
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
    c.onCommand(QStringLiteral("mnuFileNew"), [] { FileCommands::FileNewM(); });
    c.onCommand(QStringLiteral("mnuFileScriptNew"), [] { FileCommands::NewScriptM(); });
    c.onCommand(QStringLiteral("mnuFileOpen"), [] {
        app().CommandMode = CommandModes::OpenAndAdd;
        FileCommands::FileOpenM(false);
    });
    c.onCommand(QStringLiteral("mnuFileScriptOpen"), [] {
        app().CommandMode = CommandModes::OpenAndAdd;
        FileCommands::FileOpenM(true);
    });
    c.onCommand(QStringLiteral("mnuFileSaveFile"), [] { FileCommands::SaveDocument(app().docs.active()); });
    c.onCommand(QStringLiteral("mnuFileSaveFileAs"), [] { FileCommands::FileSaveAs(); });
    c.onCommand(QStringLiteral("mnuFileProsmotr"), [] { Preview::mnuFileProsmotr_Click(); });
    c.onCommand(QStringLiteral("mnuEditCut"), [] { ClipboardCommands::Cut(activeEditor()); });
    c.onCommand(QStringLiteral("mnuEditCopy"), [] { ClipboardCommands::Copy(activeEditor()); });
    c.onCommand(QStringLiteral("mnuEditPaste"), [] { ClipboardCommands::Paste(activeEditor()); });
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
    ProjectCommands::install(c);
    TagCommands::install(c);
    SearchCommands::install(c);
    LanguageLoader::install(c);
}

} // namespace AppCommands
