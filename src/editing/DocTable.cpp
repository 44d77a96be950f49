#include "editing/DocTable.h"
#include "editing/DocSlots.h"
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
    const std::vector<DocWindow *> docs = open();
    QStringList keys;
    for (DocWindow *d : docs)
        keys << (d->NameFile.isEmpty() ? d->txtCaption : d->NameFile);
    const int i = DocSlots::findByFile(keys, path);
    return i < 0 ? -1 : docs[i]->Tag();
}
