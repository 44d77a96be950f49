#pragma once
#include "files/PageTexts.h"
#include "platform/Dialogs.h"
#include <QList>
#include <QString>

class DocWindow;

// New, open and save of single documents, and the file dialogs with the remembered folder.
namespace FileCommands {

// The fixed texts live in the core library (files/PageTexts.h).
using PageTexts::htmlFilter;
using PageTexts::newScriptText;
using PageTexts::NewScriptCaret;
using PageTexts::pageSkeleton;
using PageTexts::projectFilter;
using PageTexts::scriptFilter;
using PageTexts::templateName;

void FileNewM();
void NewScriptM();
void FileOpenM(bool isScript);
void OpenFileDoc(const QString &path, int quiet);
int FindDocByFile(const QString &path);
// Writes document index to path; false (after telling the user) when it failed.
bool FileSave(int index, const QString &path);
// Save As of d (the active document when nullptr); false when cancelled or failed.
bool FileSaveAs(DocWindow *d = nullptr);
// Save of d to its file, or Save As while it has none; false when cancelled or failed.
bool SaveDocument(DocWindow *d);
// The one question before a changed document closes (entry 98, Yes/No/Cancel):
// true when it may close (unchanged, saved, or the user said No). A failed or
// cancelled save keeps it open.
bool QueryCloseDoc(DocWindow *d);
// Closes one document window after QueryCloseDoc; false when it stays open.
bool CloseDocument(DocWindow *d);
// The chosen path, or "" when the user cancelled.
QString apiOpenSaveM(bool isSave, const QString &initialName, const QList<FileFilter> &filter);

// The open-error message: File caption, path, entry 96 (not found) or 97.
void showOpenError(const QString &path, int error);
// The save-error message: File caption, path, entry 94 (path or access) or 95.
void showSaveError(const QString &path, int error);

} // namespace FileCommands
