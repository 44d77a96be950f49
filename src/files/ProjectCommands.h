#pragma once
#include <QString>

class CommandRegistry;
class frmProekt;

// The current project: its file (save, save as, open), closing all documents,
// a new project, opening all its files, and the project window.
namespace ProjectCommands {

// Closes every open document, asking to save each changed one; 1 when the user cancelled.
int ProektClos();
// Closes all documents, asks to save a changed project (entry 102), then resets
// the project name and list. False when the user cancelled either question (or the
// save he asked for failed): the name and list are then kept.
bool ProektClear();
// Project > New: a new empty project with one new page; nothing when cancelled.
void ProektNewM();
// Saves the open documents (Save As for untitled ones), then writes the project
// to path. False when the project file could not be written (reported; ProjectPath
// and IzmProekt stay).
bool ProektSav(const QString &path);
// Save As of the project: false when cancelled or failed.
bool ProektSavAsM();
// Save to ProjectPath, or Save As while there is none.
bool saveProject();
// Loads a project file: false when it could not be read (reported unless
// CommandMode is StartUpLoad, which then becomes Neutral) or the user cancelled
// closing the current one.
bool ProektLoad(const QString &path);
// Project > Open: the dialog, the load, then the project window.
void ProektLoadM();
// Opens every file of the project, then says so (entry 99).
void OpenAllFileM();
// Takes the active document out of the project and closes it (asks entry 103).
void ProektRemoveFile_Click();
// Project > List files: shows the project window.
void ProektListFile_Click();
// The project window, created on first use (nullptr before the frame exists).
frmProekt *projectWindow();
// At exit: asks to save a changed project and unloads the window. False when
// the user cancelled, so the program does not end.
bool unloadProjectWindow();
// Edit > Open all files in folder.
void mnuEditOpenAllFile_Click();

// Main frame caption: AppTitle - ProjectName (and the project window's name box).
void updateCaption();

void install(CommandRegistry &c);
}
