#include "editing/EditorOptions.h"
#include "app/AppState.h"
#include "app/MainFrame.h"
#include "editing/DocWindow.h"
#include "platform/Dialogs.h"
#include "platform/EditControl.h"

namespace EditorOptions {

void applyFontTo(DocWindow *d)
{
    if (!d)
        return;
    const Settings &s = app().settings;
    const int saved = d->IzmT;
    d->IzmT = 2;
    d->Rich()->setEditorFont(s.EditorFontName, s.EditorFontSize, s.EditorFontBold, s.EditorFontItalic);
    d->IzmT = saved;
}

bool ChooseEditorFont()
{
    AppState &a = app();
    if (!a.dialogs)
        return false;
    Settings &s = a.settings;
    const FontChoice current{s.EditorFontName, s.EditorFontSize, s.EditorFontBold, s.EditorFontItalic};
    FontChoice chosen;
    if (!a.dialogs->chooseFont(current, chosen))
        return false;
    s.EditorFontItalic = chosen.italic;
    s.EditorFontSize = chosen.pointSize;
    s.EditorFontBold = chosen.bold;
    if (!chosen.family.isEmpty())
        s.EditorFontName = chosen.family;
    return true;
}

void ChangeEditorFont()
{
    if (!ChooseEditorFont())
        return;
    for (DocWindow *d : app().docs.open())
        ApplyEditorFont(QString::number(d->Tag()));
}

void ApplyEditorFont(const QString &slot)
{
    applyFontTo(app().docs.slot(slot.toInt()));
}

void ToggleWordWrap()
{
    AppState &a = app();
    const int before = a.settings.WrapMode;
    for (DocWindow *d : a.docs.open()) {
        const int saved = d->IzmT;
        d->IzmT = 2;
        d->Rich()->setWordWrap(before != 0);
        d->IzmT = saved;
    }
    // Any value but 0 means off (a settings file may hold one): the toggle goes
    // to 0 or 1, so the check mark and the editors never disagree.
    a.settings.WrapMode = before == 0 ? 1 : 0;
    if (a.main)
        a.main->setChecked(QStringLiteral("mnuEditPerenosWord"), before != 0);
}

void ApplyWordWrap()
{
    AppState &a = app();
    if (DocWindow *d = a.docs.active()) {
        const int saved = d->IzmT;
        d->IzmT = 2;
        d->Rich()->setWordWrap(a.settings.WrapMode == 0);
        d->IzmT = saved;
    }
}

} // namespace EditorOptions
