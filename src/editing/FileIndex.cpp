#include "editing/FileIndex.h"
#include "app/AppState.h"
#include "app/DocActivation.h"
#include "editing/DocWindow.h"
#include "editing/EditorOptions.h"
#include "platform/EditControl.h"

int FileIndex()
{
    AppState &a = app();
    DocTable &t = a.docs;
    int chosen = -1;
    if (t.OpenDocCount < 1) {
        for (DocWindow *d : t.DocWindows)
            if (d)
                d->deleteLater();
        t.DocWindows.assign(1, nullptr);
        t.LastDocSlot = 0;
        chosen = 0;
    } else {
        for (int i = 0; i <= t.LastDocSlot; ++i)
            if (t.DocWindows[i] && t.DocWindows[i]->UnloadDoc) {
                chosen = i;
                break;
            }
        if (chosen < 0) {
            t.LastDocSlot += 1;
            t.DocWindows.resize(t.LastDocSlot + 1, nullptr);
            chosen = t.LastDocSlot;
        }
    }
    DocWindow *&d = t.DocWindows[chosen];
    if (!d)
        d = new DocWindow(chosen);
    d->setTag(chosen);
    d->UnloadDoc = false;
    d->Script = false;
    d->NameFile.clear();
    d->AppPathBak = a.settings.ProgramFolder + QString::number(chosen) + QStringLiteral(".bak");
    d->format = TextFormat{};
    d->IzmT = 2;
    d->Rich()->setText(QString());
    EditorOptions::applyFontTo(d);
    // Font and word wrap are the widget's: set once here for every new document,
    // however it was created.
    d->Rich()->setWordWrap(a.settings.WrapMode == 0);
    t.OpenDocCount += 1;
    if (t.OpenDocCount == 1)
        DocActivation::DeleteMenuM(true, 19);
    return chosen;
}
