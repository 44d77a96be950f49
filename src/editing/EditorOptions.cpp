#include "editing/EditorOptions.h"
#include "app/AppState.h"
#include "app/MainFrame.h"
#include "editing/DocWindow.h"
#include "platform/Dialogs.h"
#include "platform/EditControl.h"

namespace EditorOptions {

// Font and wrap change how the text looks, never the text: they record nothing
// in the history and leave IzmT alone.
void applyFontTo(DocWindow *d)
{
    if (!d)
        return;
    const Settings &s = app().settings;
    d->Rich()->setEditorFont(s.EditorFontName, s.EditorFontSize, s.EditorFontBold, s.EditorFontItalic);
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
    for (DocWindow *d : a.docs.open())
        d->Rich()->setWordWrap(before != 0);
    // Any value but 0 means off (a settings file may hold one): the toggle goes
    // to 0 or 1, so the check mark and the editors never disagree.
    a.settings.WrapMode = before == 0 ? 1 : 0;
    if (a.main)
        a.main->setChecked(QStringLiteral("mnuEditPerenosWord"), before != 0);
}

} // namespace EditorOptions
