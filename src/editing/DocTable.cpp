#include "editing/DocTable.h"
#include "platform/FreeMemory.h"
#include "editing/DocSlots.h"
#include "editing/DocWindow.h"

#include <QMdiArea>

DocWindow *DocTable::slot(int i) const
{
    return i >= 0 && i < int(DocWindows.size()) ? DocWindows[i] : nullptr;
}

DocWindow *DocTable::active() const
{
    DocWindow *d = slot(ActiveDoc);
    return d && !d->UnloadDoc() ? d : nullptr;
}

std::vector<DocWindow *> DocTable::open() const
{
    std::vector<DocWindow *> r;
    for (int i = 0; i <= LastDocSlot && i < int(DocWindows.size()); ++i)
        if (DocWindows[i] && !DocWindows[i]->UnloadDoc())
            r.push_back(DocWindows[i]);
    return r;
}

int DocTable::findByFile(const QString &path) const
{
    // A document is known by its file, or by its name while it has none. File
    // names here are case-sensitive: "A.htm" and "a.htm" are two files.
    for (DocWindow *d : open()) {
        const Document *doc = d->document();
        if ((doc->NameFile().isEmpty() ? doc->txtCaption() : doc->NameFile()) == path)
            return d->Tag();
    }
    return -1;
}

DocWindow *DocTable::FileIndex()
{
    std::vector<bool> closed;
    for (int i = 0; i <= LastDocSlot && i < int(DocWindows.size()); ++i)
        closed.push_back(!DocWindows[i] || DocWindows[i]->UnloadDoc());
    const DocSlots::Choice choice = DocSlots::choose(closed, OpenDocCount);
    if (choice.resetTable) {
        for (DocWindow *d : DocWindows)
            if (d)
                d->deleteLater();
        DocWindows.assign(1, nullptr);
        LastDocSlot = 0;
    } else if (choice.slot > LastDocSlot) {
        LastDocSlot = choice.slot;
        DocWindows.resize(LastDocSlot + 1, nullptr);
    }
    const int chosen = choice.slot;
    DocWindow *&d = DocWindows[chosen];
    const bool created = !d;
    if (created)
        d = new DocWindow(chosen);
    d->setTag(chosen);
    // A reused window gave its text, history, path and kind back when it was
    // unloaded; a new one starts empty.
    d->setUnloaded(false);
    DocWindow *made = d;
    if (created)
        emit documentCreated(made);
    emit slotOpened(made);
    OpenDocCount += 1;
    if (OpenDocCount == 1)
        emit anyOpenChanged(true);
    return made;
}

void DocTable::unload(DocWindow *d)
{
    if (!d || d->UnloadDoc())
        return;
    d->setUnloaded(true);
    OpenDocCount -= 1;
    if (OpenDocCount == 0)
        emit anyOpenChanged(false);
    // The slot keeps its object for reuse; the window leaves the frame.
    if (QMdiArea *area = d->mdiArea()) {
        // A maximised window hands the frame its caption and the menu bar its
        // place back before it leaves: removed as it is, it leaves its name in
        // the frame's caption and its buttons in the menu bar.
        if (d->isMaximized())
            d->setWindowState(d->windowState() & ~Qt::WindowMaximized);
        area->removeSubWindow(d);
    }
    d->hide();
    d->releaseContents();
    FreeMemory::releaseLater();   // what the text held goes back to the system
}

void DocTable::focusActive() const
{
    if (DocWindow *d = active())
        d->focusView();
}
