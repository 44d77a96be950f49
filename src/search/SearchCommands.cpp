#include "search/SearchCommands.h"
#include "app/AppState.h"
#include "app/CommandRegistry.h"
#include "editing/DocWindow.h"
#include "platform/EditControl.h"
#include "search/DocFoundTextM.h"
#include "search/ReplaceInDocument.h"
#include "search/frmFind.h"
#include "search/frmFoundLine.h"

#include <QPointer>

namespace SearchCommands {

namespace {
QPointer<frmFind> g_find;

void showFindWindow(int mode)
{
    AppState &a = app();
    if (!a.ownerWindow() || !a.docs.active())
        return;
    // One window, hidden when it closes; load() prepares it as new unless it is shown.
    if (!g_find)
        g_find = new frmFind(a.ownerWindow());
    g_find->load(mode);
    g_find->show();
    g_find->raise();
    g_find->activateWindow();
}
} // namespace

frmFind *findWindow()
{
    return g_find;
}

void mnuEditFind_Click(int index)
{
    AppState &a = app();
    a.CommandMode = index;
    if (index == CommandModes::FindNextMode) {
        if (!a.search.FindStartText.isEmpty()) {
            DocFoundTextM();
            return;
        }
        a.CommandMode = CommandModes::FindMode;
    }
    showFindWindow(a.CommandMode);
}

void DocFoundTextM()
{
    AppState &a = app();
    DocWindow *d = a.docs.active();
    if (!d)
        return;
    EditControl *e = d->Rich();
    const FindResult r = ::DocFoundTextM(e->text(), a.search);
    if (r.found) {
        e->setSelStart(r.selStart);
        e->setSelLength(r.selLength);
    }
    a.focusActiveEditor();
    if (r.messageEntry != 0) {
        a.ask(a.message(r.messageEntry), r.boxStyle);
        a.focusActiveEditor();
    }
}

int ReplaceInDocument(DocWindow *doc, bool all)
{
    if (!doc || doc->UnloadDoc())
        return 0;
    EditControl *e = doc->Rich();
    const ReplaceResult r = ::ReplaceInDocument(e->text(), app().search, all);
    if (r.count == 0)
        return 0;
    // One replacement of the range from the first span to the end of the last,
    // recorded as the editor's own change: one undo step gives the old text back.
    doc->document()->beginUndoGroup();
    e->replaceRange(r.change.pos, int(r.change.removed.size()), r.change.inserted);
    doc->document()->compactLastChange(r.spans, app().search.ReplaceText);
    doc->document()->endUndoGroup();
    return r.count;
}

void CodeFoundLine_Click()
{
    AppState &a = app();
    DocWindow *d = a.docs.active();
    if (!d || !d->editorVisible() || !a.ownerWindow())
        return;
    auto *w = new frmFoundLine(a.ownerWindow());
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->load(a.commands ? a.commands->caption(QStringLiteral("CodeFoundLine")) : QString());
    w->show();
    w->raise();
    w->activateWindow();
}

void install(CommandRegistry &c)
{
    for (int i = 0; i <= 2; ++i)
        c.onCommand(QStringLiteral("mnuEditFind%1").arg(i), [i] { mnuEditFind_Click(i); });
    c.onCommand(QStringLiteral("CodeFoundLine"), [] { CodeFoundLine_Click(); });
}

} // namespace SearchCommands
