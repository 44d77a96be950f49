#include "editing/EditorOptions.h"
#include "editing/DocWindow.h"
#include "platform/Dialogs.h"
#include "platform/EditControl.h"

namespace EditorOptions {

// Font and wrap change how the text looks, never the text: they record nothing
// in the history and leave IzmT alone.
void applyFontTo(DocWindow *d, const EditorFont &font)
{
    if (d)
        d->Rich()->setEditorFont(font.name, font.size, font.bold, font.italic);
}

bool ChooseEditorFont(Dialogs &dialogs, EditorFont &font)
{
    const FontChoice current{font.name, font.size, font.bold, font.italic};
    FontChoice chosen;
    if (!dialogs.chooseFont(current, chosen))
        return false;
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
