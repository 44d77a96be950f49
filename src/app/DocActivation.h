#pragma once

class DocWindow;

// Keeps the document table, its windows and the enabled commands in step.
namespace DocActivation {
// Connects the document table's announcements: a new window gets its key rules
// and requests connected, every new document the editor font, wrap and line
// numbers, and the commands that need a document follow whether one is open.
void connectDocumentTable();
// Records the active document and adapts commands and focus to it.
void ActivateDocM(int slot);
// Enables or disables the commands that need a document (scope 19) or an editor
// rather than a preview (scope 18).
void DeleteMenuM(bool enable, int scope);
}
