#pragma once

// Keeps the main frame's menus in step with the document table.
namespace DocActivation {
// Records the active document and adapts menus and focus to it.
void ActivateDocM(int slot);
// Enables or disables the commands that need a document (scope 19) or an editor
// rather than a preview (scope 18).
void DeleteMenuM(bool enable, int scope);
// Closes the document in slot: deletes its preview files and frees the slot.
void UnloadDocM(int slot);
// Minimises every open document window.
void MiniWindowsM();
}
