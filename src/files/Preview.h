#pragma once
#include "files/PageTexts.h"
#include <QString>

class DocTable;
class FileCommands;
class Shell;
class WorkFiles;
struct Settings;

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
    FileCommands &m_files;
    DocTable &m_docs;
    WorkFiles &m_workFiles;
    Settings &m_settings;
    Shell &m_shell;
};
