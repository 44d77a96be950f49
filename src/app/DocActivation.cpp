#include "app/DocActivation.h"
#include "app/AppState.h"
#include "app/MainFrame.h"
#include "editing/DocWindow.h"

#include <QFile>
#include <QMdiArea>

namespace DocActivation {

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
    if (scope == 19)
        a.docs.ActiveDoc = 0;
    if (a.main)
        a.main->setDocumentCommandsEnabled(enable, scope);
}

void UnloadDocM(int slot)
{
    AppState &a = app();
    DocWindow *d = a.docs.slot(slot);
    if (!d || d->UnloadDoc)
        return;
    if (d->Script) {
        const qsizetype cut = d->AppPathBak.lastIndexOf(a.settings.PathSeparator);
        QFile::remove(d->AppPathBak.left(cut + 1) + QStringLiteral("Script.bak"));
    }
    if (!d->AppPathBak.isEmpty())
        QFile::remove(d->AppPathBak);
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

void MiniWindowsM()
{
    // Minimising a maximised window activates the next one, which the area would
    // maximise again: keep it from doing so while every window goes down.
    QMdiArea *area = app().main ? app().main->mdiArea() : nullptr;
    const bool keep = area && area->testOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    if (area)
        area->setOption(QMdiArea::DontMaximizeSubWindowOnActivation, true);
    for (DocWindow *d : app().docs.open())
        d->showMinimized();
    if (area)
        area->setOption(QMdiArea::DontMaximizeSubWindowOnActivation, keep);
}

} // namespace DocActivation
