#pragma once
#include "files/PageTexts.h"
#include <QString>

class DocTable;
class FileCommands;
class Shell;
class WorkFiles;
struct Settings;
struct TextFormat;

// The file-based preview of saved documents and opening things with the shell.
class Preview {
public:
    Preview(FileCommands &files, WorkFiles &workFiles, Settings &settings, Shell &shell);

    // File > Code - HTML: in-memory preview for an untitled document, file-based otherwise.
    void mnuFileProsmotr_Click();
    void ProsmotrM();
    // Opens a file or an address with the desktop's default handler.
    void OpURL(const QString &target);
    // Writes a redirect page to the target and opens it; returns the page written ("" if none).
    QString SaveFileUrlm(const QString &target);

private:
    // Writes a preview file of document slot under preferred, or under a free name
    // beside it when a file of the user's is there; the name written, or "".
    QString writePreviewFile(const QString &preferred, const QString &text, const TextFormat &format, int slot);

    FileCommands &m_files;
    DocTable &m_docs;
    WorkFiles &m_workFiles;
    Settings &m_settings;
    Shell &m_shell;
};
