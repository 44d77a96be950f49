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

// Asks for a font starting from font; false (font unchanged) when cancelled.
bool ChooseEditorFont(Dialogs &dialogs, EditorFont &font);
// Puts the font on one window without touching its text or state.
void applyFontTo(DocWindow *d, const EditorFont &font);
// Turns word wrap over for every document; returns the new WrapMode (0 on, 1 off).
// Any value but 0 counts as off, so the toggle always lands on 0 or 1.
int ToggleWordWrap(int wrapMode, const std::vector<DocWindow *> &docs);

} // namespace EditorOptions
