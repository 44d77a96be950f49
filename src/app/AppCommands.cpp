#include "app/AppCommands.h"
#include "common/CommandNames.h"
#include "app/AppState.h"
#include "app/CommandRegistry.h"
#include "app/ResultsCommands.h"
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
        s->setCaptionSource([](const QString &name) { return app().commandCaption(name); });
    for (int i = 0; i <= 2; ++i)
        c.onCommand(QStringLiteral("mnuEditFind%1").arg(i), [i] {
            if (SearchCommands *s = app().searchCommands.get())
                s->mnuEditFind_Click(i);
        });
    for (QLatin1String goToLine : {Cmd::CodeFoundLine, Cmd::mnuEditGoToLine})
        c.onCommand(QString(goToLine), [] {
            if (SearchCommands *s = app().searchCommands.get())
                s->CodeFoundLine_Click();
        });
}

// After a window of our own closed: the frame active again, the editor focused.
void backToTheEditor()
{
    if (QWidget *frame = app().ownerWindow())
        frame->activateWindow();
    app().docs.focusActive();
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
        a.commands->setChecked(QString(Cmd::mnuEditPerenosWord), a.settings.WrapMode == 0);
}

void install(CommandRegistry &c)
{
    AppState &a = app();
    FileCommands &files = *a.files;
    ProjectCommands &projects = *a.projects;
    c.onCommand(QString(Cmd::mnuFileNew), [&files] { files.FileNewM(); });
    c.onCommand(QString(Cmd::mnuFileScriptNew), [&files] { files.NewScriptM(); });
    c.onCommand(QString(Cmd::mnuFileOpen), [&files] { files.FileOpenM(false); });
    c.onCommand(QString(Cmd::mnuFileScriptOpen), [&files] { files.FileOpenM(true); });
    c.onCommand(QString(Cmd::mnuFileSaveFile), [&files] { files.SaveDocument(files.docs().active()); });
    c.onCommand(QString(Cmd::mnuFileSaveFileAs), [&files] { files.FileSaveAs(); });
    c.onCommand(QString(Cmd::mnuFileProsmotr), [] { app().preview->mnuFileProsmotr_Click(); });
    c.onCommand(QString(Cmd::mnuFileLivePreview), [] {
        AppState &a = app();
        DocWindow *d = a.docs.active();
        if (d)
            d->setLivePreview(!d->livePreview());
        a.commands->setChecked(QString(Cmd::mnuFileLivePreview), d && d->livePreview());
    });
    c.onCommand(QString(Cmd::mnuEditCut), [] { ClipboardCommands::Cut(activeEditor()); });
    c.onCommand(QString(Cmd::mnuEditCopy), [] { ClipboardCommands::Copy(activeEditor()); });
    c.onCommand(QString(Cmd::mnuEditPaste), [] { ClipboardCommands::Paste(activeEditor()); });
    // One route for undo and redo, whatever starts them (menu, toolbar, Ctrl+Z in the editor).
    c.onCommand(QString(Cmd::mnuEditUndo), [] { if (DocWindow *d = app().docs.active()) d->document()->Undo(); });
    c.onCommand(QString(Cmd::mnuEditRedo), [] { if (DocWindow *d = app().docs.active()) d->document()->Redo(); });
    c.onCommand(QString(Cmd::mnuEditPerenosWord), [] { ToggleWordWrap(); });
    c.onCommand(QString(Cmd::mnuEditFont), [] { ChangeEditorFont(); });
    // The zoom of every editor; the stored font stays as it is.
    c.onCommand(QString(Cmd::mnuOptionsZoomIn), [] { app().zoom.set(app().zoom.value() + 1); });
    c.onCommand(QString(Cmd::mnuOptionsZoomOut), [] { app().zoom.set(app().zoom.value() - 1); });
    c.onCommand(QString(Cmd::mnuOptionsZoomReset), [] { app().zoom.set(0); });
    c.onCommand(QString(Cmd::mnuOptionsToolbar), [] {
        AppState &a = app();
        a.settings.ToolbarChecked = a.commands && a.commands->isChecked(QString(Cmd::mnuOptionsToolbar));
    });
    c.onCommand(QString(Cmd::HelpAbout), [] {
        frmAbout w(app().ownerWindow());
        w.exec();
        backToTheEditor();
    });
    c.onCommand(QString(Cmd::HelpShare), [] {
        frmShare w(app().ownerWindow());
        w.exec();
        backToTheEditor();
    });

    const auto save = [&projects] { projects.saveProject(); };
    const auto saveAs = [&projects] { projects.ProektSavAsM(); };
    c.onCommand(QString(Cmd::mnuFileSaveProekt), save);
    c.onCommand(QString(Cmd::ProektProektSave), save);
    c.onCommand(QString(Cmd::mnuFileSaveProektAs), saveAs);
    c.onCommand(QString(Cmd::ProektProektSaveAs), saveAs);
    c.onCommand(QString(Cmd::ProektNew), [&projects] { projects.ProektNewM(); });
    c.onCommand(QString(Cmd::ProektOpen), [&projects] { projects.ProektLoadM(); });
    c.onCommand(QString(Cmd::ProektOpenAllFile), [&projects] { projects.OpenAllFileM(); });
    c.onCommand(QString(Cmd::ProektCloseAllFile), [&projects] { projects.ProektClos(); });
    c.onCommand(QString(Cmd::ProektAddFile), [&projects] { projects.ProektAddFile_Click(); });
    c.onCommand(QString(Cmd::ProektRemoveFile), [&projects] { projects.ProektRemoveFile_Click(); });
    c.onCommand(QString(Cmd::ProektListFile), [&projects] { projects.ProektListFile_Click(); });
    for (QLatin1String openAll : {Cmd::mnuEditOpenAllFile, Cmd::mnuFileOpenAllFile})
        c.onCommand(QString(openAll), [&projects] { projects.mnuEditOpenAllFile_Click(); });

    LanguageLoader &languages = *a.languages;
    c.onCommand(QString(Cmd::mnuOptionsLang), [&languages] { languages.mnuOptionsLang_Click(); });
    c.onCommand(QString(Cmd::HelpCallHelp), [&languages] { languages.HelpCallHelp(); });

    TagsInstall::install(c, *app().tagCommands);
    c.onCommand(QString(Cmd::CodeCheckPage), [] { app().results->CodeCheckPage_Click(); });
    c.onCommand(QString(Cmd::mnuEditFindInFiles), [] { app().results->mnuEditFindInFiles_Click(); });
    c.onCommand(QString(Cmd::ProektCheckLinks), [] { app().results->ProektCheckLinks_Click(); });
    installSearch(c);
}

} // namespace AppCommands
