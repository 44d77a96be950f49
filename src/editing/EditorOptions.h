#pragma once
#include <QString>

class DocWindow;

// Editor font, word wrap and keyboard layout, for every document at once.
namespace EditorOptions {
void ChangeEditorFont();
bool ChooseEditorFont();
void ApplyEditorFont(const QString &slot);
void ToggleWordWrap();
// Puts the current editor font on one window without touching its state.
void applyFontTo(DocWindow *d);
}
