#pragma once

// Keeps the document table, its windows and the enabled commands in step.
namespace DocActivation {
// Allocates a document slot: the lowest free one, or a new one at the end. The
// window is ready with an empty text in the loading state (IzmT ProgramChange),
// the editor font, the wrap setting and its requests connected.
int FileIndex();
// Records the active document and adapts commands and focus to it.
void ActivateDocM(int slot);
// Enables or disables the commands that need a document (scope 19) or an editor
// rather than a preview (scope 18).
void DeleteMenuM(bool enable, int scope);
// Closes the document in slot: deletes its preview files and frees the slot.
void UnloadDocM(int slot);
}
