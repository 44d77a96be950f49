#pragma once

// The current project as far as documents are concerned: closing them all and
// starting a new project with one new page.
namespace ProjectCommands {
// Closes every open document, asking to save each changed one; 1 when the user cancelled.
int ProektClos();
// Closes all documents, then resets the project name and list; false when cancelled.
bool ProektClear();
void ProektNewM();
// Main frame caption: AppTitle - ProjectName.
void updateCaption();
}
