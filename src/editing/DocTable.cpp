#include "editing/DocTable.h"
#include "editing/DocWindow.h"

DocWindow *DocTable::slot(int i) const
{
    return i >= 0 && i < int(DocWindows.size()) ? DocWindows[i] : nullptr;
}

DocWindow *DocTable::active() const
{
    DocWindow *d = slot(ActiveDoc);
    return d && !d->UnloadDoc ? d : nullptr;
}

std::vector<DocWindow *> DocTable::open() const
{
    std::vector<DocWindow *> r;
    for (int i = 0; i <= LastDocSlot && i < int(DocWindows.size()); ++i)
        if (DocWindows[i] && !DocWindows[i]->UnloadDoc)
            r.push_back(DocWindows[i]);
    return r;
}

int DocTable::findByFile(const QString &path) const
{
    // A document is known by its file, or by its name while it has none. File
    // names here are case-sensitive: "A.htm" and "a.htm" are two files.
    for (DocWindow *d : open())
        if ((d->NameFile.isEmpty() ? d->txtCaption : d->NameFile) == path)
            return d->Tag();
    return -1;
}

void DocTable::focusActive() const
{
    if (DocWindow *d = active())
        d->focusView();
}
