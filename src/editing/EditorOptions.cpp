#include "editing/EditorOptions.h"
#include "editing/DocWindow.h"
#include "platform/Dialogs.h"
#include "platform/EditControl.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace EditorOptions {

EditorFont shownFont(const EditorFont &stored, bool *standIn)
{
    const bool installed = !stored.name.isEmpty() && QFontDatabase::families().contains(stored.name, Qt::CaseInsensitive);
    if (standIn)
        *standIn = !installed;
    if (installed)
        return stored;
    // The face Qt really resolves "monospace" to, so the dialog and the note name it.
    const QString fixed = QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family();
    return EditorFont{fixed, stored.size, false, stored.italic};
}

// Font and wrap change how the text looks, never the text: they record nothing
// in the history and leave IzmT alone.
void applyFontTo(DocWindow *d, const EditorFont &font)
{
    if (!d)
        return;
    const EditorFont shown = shownFont(font);
    d->Rich()->setEditorFont(shown.name, shown.size, shown.bold, shown.italic);
}

bool ChooseEditorFont(Dialogs &dialogs, EditorFont &font, const QString &standInNote)
{
    bool standIn = false;
    const EditorFont shown = shownFont(font, &standIn);
    const FontChoice current{shown.name, shown.size, shown.bold, shown.italic};
    const QString title = standIn ? QString(standInNote).replace(QLatin1String("%1"), font.name).replace(QLatin1String("%2"), shown.name)
                                  : QString();
    FontChoice chosen;
    if (!dialogs.chooseFont(current, chosen, title))
        return false;
    if (standIn && chosen.family == shown.name && chosen.pointSize == shown.size && chosen.bold == shown.bold
        && chosen.italic == shown.italic)
        return true;   // nothing picked: the stored face stays for copies that have it
    font.italic = chosen.italic;
    font.size = chosen.pointSize;
    font.bold = chosen.bold;
    if (!chosen.family.isEmpty())
        font.name = chosen.family;
    return true;
}

int ToggleWordWrap(int wrapMode, const std::vector<DocWindow *> &docs)
{
    for (DocWindow *d : docs)
        d->Rich()->setWordWrap(wrapMode != 0);
    return wrapMode == 0 ? 1 : 0;
}

} // namespace EditorOptions
