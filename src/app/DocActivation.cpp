#include "app/DocActivation.h"
#include "app/AppState.h"
#include "app/CommandRegistry.h"
#include "editing/DocSlots.h"
#include "editing/DocWindow.h"
#include "editing/EditorOptions.h"
#include "files/FileCommands.h"
#include "files/OpenPaths.h"
#include "platform/EditControl.h"
#include "tags/TagCommands.h"

#include <QMdiArea>

namespace DocActivation {

namespace {

// A new window object: its requests go to the commands that answer them.
DocWindow *createWindow(int slot)
{
    AppState &a = app();
    auto *d = new DocWindow(slot);
    a.tagCommands->attachEditor(d);
    QObject::connect(d, &DocWindow::closeRequested, d, [](DocWindow *doc) { FileCommands::CloseDocument(doc); });
    QObject::connect(d, &DocWindow::viewSwitched, d, [](bool editorShown) { DeleteMenuM(editorShown, 18); });
    // Options > Syntax highlighting: every window follows it, new ones included.
    d->setHighlighting(a.highlighting.value());
    QObject::connect(&a.highlighting, &BoolOption::changed, d, &DocWindow::setHighlighting);
    // Queued: the drop ends before any question an opening may ask.
    QObject::connect(d->Rich(), &EditControl::filesDropped, d, &OpenPaths::openDropped, Qt::QueuedConnection);
    QObject::connect(&a.lineNumbers, &BoolOption::changed, d->Rich(), &EditControl::setLineNumbersVisible);
    a.docs.announceCreated(d);
    return d;
}

} // namespace

int FileIndex()
{
    AppState &a = app();
    DocTable &t = a.docs;
    std::vector<bool> closed;
    for (int i = 0; i <= t.LastDocSlot && i < int(t.DocWindows.size()); ++i)
        closed.push_back(!t.DocWindows[i] || t.DocWindows[i]->UnloadDoc);
    const DocSlots::Choice choice = DocSlots::choose(closed, t.OpenDocCount);
    if (choice.resetTable) {
        for (DocWindow *d : t.DocWindows)
            if (d)
                d->deleteLater();
        t.DocWindows.assign(1, nullptr);
        t.LastDocSlot = 0;
    } else if (choice.slot > t.LastDocSlot) {
        t.LastDocSlot = choice.slot;
        t.DocWindows.resize(t.LastDocSlot + 1, nullptr);
    }
    const int chosen = choice.slot;
    DocWindow *&d = t.DocWindows[chosen];
    if (!d)
        d = createWindow(chosen);
    d->setTag(chosen);
    d->UnloadDoc = false;
    d->Script = false;
    d->NameFile.clear();
    // An untitled document's working file lives in this run's private folder,
    // never under a name the user could save to.
    d->AppPathBak = a.workFiles.privateFolder() + QString::number(chosen) + QStringLiteral(".bak");
    d->setPreviewBase(a.settings.WorkFolder);
    d->format = TextFormat{};
    d->IzmT = IzmTStates::ProgramChange;
    d->Rich()->setText(QString());
    // Font and word wrap are the widget's: set once here for every new document,
    // however it was created.
    const Settings &s = a.settings;
    EditorOptions::applyFontTo(d, {s.EditorFontName, s.EditorFontSize, s.EditorFontBold, s.EditorFontItalic});
    d->Rich()->setWordWrap(s.WrapMode == 0);
    d->Rich()->setLineNumbersVisible(a.lineNumbers.value());
    t.OpenDocCount += 1;
    if (t.OpenDocCount == 1)
        DeleteMenuM(true, 19);
    return chosen;
}

void ActivateDocM(int slot)
{
    AppState &a = app();
    if (a.docs.ActiveDoc == slot)
        return;
    a.docs.ActiveDoc = slot;
    DocWindow *d = a.docs.slot(slot);
    if (!d || d->UnloadDoc)
        return;
    d->focusView();
    DeleteMenuM(d->editorVisible(), 18);
}

void DeleteMenuM(bool enable, int scope)
{
    AppState &a = app();
    if (scope == int(Commands::Scope::DocumentOpen))
        a.docs.ActiveDoc = 0;
    if (a.commands)
        a.commands->applyScope(scope, enable);
}

void UnloadDocM(int slot)
{
    AppState &a = app();
    DocWindow *d = a.docs.slot(slot);
    if (!d || d->UnloadDoc)
        return;
    // Its preview copy and script wrapper go, but only files this run wrote
    // that still hold what it wrote: a user's own "page.htm0" or "Script.bak" stays.
    a.workFiles.removeAllOf(slot);
    a.workFiles.remove(d->AppPathBak);
    d->UnloadDoc = true;
    a.docs.OpenDocCount -= 1;
    if (d->NameFile.isEmpty())
        a.project.DeleteFile(d->txtCaption);
    if (a.docs.OpenDocCount == 0)
        DeleteMenuM(false, 19);
    // The slot keeps its object for reuse; the window leaves the frame.
    if (QMdiArea *area = d->mdiArea())
        area->removeSubWindow(d);
    d->hide();
    d->releaseContents();
}

} // namespace DocActivation
