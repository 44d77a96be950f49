#pragma once

class CommandRegistry;
class DocWindow;
class frmFind;

// Edit > Find, Find next and Replace, and Tags > Go to line. The search state
// itself is app().search; the windows read their controls and call the core.
namespace SearchCommands {

// Connects mnuEditFind0..2 and CodeFoundLine.
void install(CommandRegistry &commands);

// Index 0 opens the find window, 2 the replace window; 1 searches on from
// FindNextPos, or opens the find window while nothing has been searched yet.
// The index goes into CommandMode.
void mnuEditFind_Click(int index);

// Selects the next match in the active document, or says there is none
// (entry 90) and starts the next search at the top. The focus goes to the editor.
void DocFoundTextM();

// Replaces the first match (all false) or every match in one document as one
// undo step; adds the count to ReplaceCount. A document without a match is not
// touched. Returns the number of replacements.
int ReplaceInDocument(DocWindow *doc, bool all);

// Opens the go-to-line dialog for the active editor.
void CodeFoundLine_Click();

// The find window while it is open, else nullptr.
frmFind *findWindow();

} // namespace SearchCommands
