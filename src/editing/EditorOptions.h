#pragma once
#include <QString>
#include <vector>

class Dialogs;
class DocWindow;

// Editor font and word wrap, for every document at once. The values are the
// settings' own (EditorFontName...): the caller passes them in.
namespace EditorOptions {

struct EditorFont {
    QString name;
    int size = 12;
    bool bold = false;
    bool italic = false;
};

// The font the editor shows for the stored one. A face that is not installed
// (the stored default "MS Sans Serif" is a Windows face) would fall back to some
// proportional face: the system's fixed-width face stands in, at the stored size,
// not bold. The stored setting itself stays as it is. standIn tells which.
EditorFont shownFont(const EditorFont &stored, bool *standIn = nullptr);
// Asks for a font starting from the one the editor shows; false (font unchanged)
// when cancelled. When a face stands in for the stored one, the dialog's title
// says so: standInNote with %1 the stored face and %2 the one shown. OK on the
// stand-in as it was offered changes nothing; any other choice is stored.
bool ChooseEditorFont(Dialogs &dialogs, EditorFont &font, const QString &standInNote);
// Puts the font on one window (through shownFont) without touching its text or state.
void applyFontTo(DocWindow *d, const EditorFont &font);
// Turns word wrap over for every document; returns the new WrapMode (0 on, 1 off).
// Any value but 0 counts as off, so the toggle always lands on 0 or 1.
int ToggleWordWrap(int wrapMode, const std::vector<DocWindow *> &docs);

} // namespace EditorOptions
