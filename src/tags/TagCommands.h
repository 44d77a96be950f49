#pragma once
#include <QString>

class CommandRegistry;

// The Tags menu and everything that inserts catalogue mark-up into the active editor.
namespace TagCommands {
// Connects the Tags menu, the keyboard-layout command and the editor shortcuts;
// registers the catalogue step of start-up.
void install(CommandRegistry &commands);
// Start-up: builds the catalogue and fills the tag list.
void buildCatalogue();

void CodeFrm_Click(int item);
void CodeAhref_Click();
void CodeMediaHTML_Click(int item);
void CodeFormsHTML_Click(int item);
void CodeColor_Click();
void CodeTextTags_Click();
// Opens the select-list builder on the active editor's selection.
void CodeFormsSelect_Click();
// Opens the body dialog (the tag list's "body").
void showBodyDialog();
// Checks the balance of angle brackets in the active editor.
void FoundCloseTagM();
// Switches to the next keyboard layout.
void NewRaskladM();

// Shows the tag pop-up list beside the caret ("<" in an editor).
void showTagList();
// The tag list's insertions.
void performCatalogueEntry(int entry);
void insertTypedTag(const QString &name);
// Puts pair ("<b></b>") in place of the selection with the caret back characters
// before its end, between the tags.
void insertBetweenTags(const QString &pair, int back);
}
