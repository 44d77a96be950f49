#include "app/DocActivation.h"
#include "app/AppState.h"
#include "app/CommandRegistry.h"
#include "common/CommandNames.h"
#include "common/PreviewSite.h"
#include "editing/DocWindow.h"
#include "editing/EditorOptions.h"
#include "files/FileCommands.h"
#include "files/ProjectCommands.h"
#include "files/OpenPaths.h"
#include "platform/EditControl.h"
#include "tags/CompletionPopup.h"
#include "tags/MarkupTyping.h"
#include "tags/TagCommands.h"
#include "tags/TagMarks.h"

#include <QMdiArea>

namespace DocActivation {

namespace {

// A new window object: its requests go to the commands that answer them.
void prepareWindow(DocWindow *d)
{
    AppState &a = app();
    a.tagCommands->attachEditor(d);
    // Before the mark-up rules, so Enter and Tab pick a choice while the list is up.
    new CompletionPopup(d, a.completion, a.listTags);
    // After the tag list's key rules: closing tags, "</" and Enter's indentation.
    d->Rich()->installBehaviour(std::make_unique<MarkupTyping>(d, a.closeTags, a.autoIndent));
    new TagMarks(d);
    // Options > Zoom and Ctrl+wheel: every editor follows, new ones included.
    QObject::connect(&a.zoom, &IntOption::changed, d->Rich(), &EditControl::setZoom);
    QObject::connect(d->Rich(), &EditControl::zoomRequested, d, [](int steps) {
        AppState &a = app();
        a.zoom.set(a.zoom.value() + steps);
    });
    QObject::connect(d, &DocWindow::closeRequested, d, [](DocWindow *doc) { app().files->CloseDocument(doc); });
    QObject::connect(d, &DocWindow::viewSwitched, d, [](bool editorShown) { DeleteMenuM(editorShown, 18); });
    // Options > Syntax highlighting: every window follows it, new ones included.
    d->setHighlighting(a.highlighting.value());
    QObject::connect(&a.highlighting, &BoolOption::changed, d, &DocWindow::setHighlighting);
    // Queued: the drop ends before any question an opening may ask.
    QObject::connect(d->Rich(), &EditControl::filesDropped, d,
                     [](const QStringList &paths) { OpenPaths::openDropped(*app().projects, paths); }, Qt::QueuedConnection);
    QObject::connect(&a.lineNumbers, &BoolOption::changed, d->Rich(), &EditControl::setLineNumbersVisible);
}

// Font and word wrap are the widget's: set for every new document, however it was created.
void applyEditorSettings(DocWindow *d)
{
    AppState &a = app();
    const Settings &s = a.settings;
    d->Rich()->setZoom(a.zoom.value());
    EditorOptions::applyFontTo(d, {s.EditorFontName, s.EditorFontSize, s.EditorFontBold, s.EditorFontItalic});
    d->Rich()->setWordWrap(s.WrapMode == 0);
    d->Rich()->setLineNumbersVisible(a.lineNumbers.value());
    d->setPreviewBase([&s] { return PreviewSite::untitledRoot(s.ProjectPath, s.LastFolder, s.WorkFolder); });
    d->setPreviewServices(a.sandbox.get(), a.shell);
}

} // namespace

void connectDocumentTable()
{
    DocTable &t = app().docs;
    QObject::connect(&t, &DocTable::documentCreated, &t, &prepareWindow);
    QObject::connect(&t, &DocTable::slotOpened, &t, &applyEditorSettings);
    QObject::connect(&t, &DocTable::anyOpenChanged, &t, [](bool anyOpen) { DeleteMenuM(anyOpen, 19); });
}

void ActivateDocM(int slot)
{
    AppState &a = app();
    if (a.docs.ActiveDoc == slot)
        return;
    a.docs.ActiveDoc = slot;
    DocWindow *d = a.docs.slot(slot);
    if (!d || d->UnloadDoc())
        return;
    d->focusView();
    DeleteMenuM(d->editorVisible(), 18);
    if (a.commands)
        a.commands->setChecked(QString(Cmd::mnuFileLivePreview), d->livePreview());
}

void DeleteMenuM(bool enable, int scope)
{
    AppState &a = app();
    if (scope == int(Commands::Scope::DocumentOpen))
        a.docs.ActiveDoc = 0;
    if (a.commands)
        a.commands->applyScope(scope, enable);
}

} // namespace DocActivation
