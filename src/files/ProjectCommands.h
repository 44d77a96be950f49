#pragma once
#include <QPointer>
#include <QString>
#include <functional>

class DocTable;
class FileCommands;
class Messenger;
class ProjectList;
class TextOption;
class frmProekt;
struct Settings;

// The current project: its file (save, save as, open), closing all documents,
// a new project, opening all its files, and the project window it owns.
class ProjectCommands {
public:
    ProjectCommands(FileCommands &files, ProjectList &project, Messenger &msg, Settings &settings, TextOption &frameCaption);
    ~ProjectCommands();

    QString ProjectName;  // shown in the main frame caption after AppTitle
    // The caption a command shows now (the project window takes its title from it).
    std::function<QString(const QString &command)> commandCaption;
    // True while the program is ending (the project window then makes no new page).
    std::function<bool()> exiting;

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
    // Loads a project file: false when it could not be read (reported, unless
    // loading the remembered project at start-up) or the user cancelled closing
    // the current one.
    bool ProektLoad(const QString &path, bool startUp = false);
    // Project > Open: the dialog, the load, then the project window.
    void ProektLoadM();
    // Opens every file of the project, then says so (entry 99).
    void OpenAllFileM();
    // Takes the active document out of the project and closes it (asks entry 103).
    void ProektRemoveFile_Click();
    // Project > Add file: the open dialog, the file only listed.
    void ProektAddFile_Click();
    // Project > List files: shows the project window.
    void ProektListFile_Click();
    // The project window, created on first use (nullptr before the frame exists).
    frmProekt *projectWindow();
    // At exit: asks to save a changed project and unloads the window. False when
    // the user cancelled, so the program does not end.
    bool unloadProjectWindow();
    // Edit > Open all files in folder.
    void mnuEditOpenAllFile_Click();

    // After a language switch: a project still named oldDefault takes the new
    // default name; the captions follow.
    void languageChanged(const QString &oldDefault);
    // Main frame caption: AppTitle - ProjectName (and the project window's name box).
    void updateCaption();

    FileCommands &files() const { return m_files; }
    ProjectList &project() const { return m_project; }
    Messenger &messenger() const { return m_msg; }
    Settings &settings() const { return m_settings; }

private:
    QString withProjectExtension(const QString &path) const;

    FileCommands &m_files;
    DocTable &m_docs;
    ProjectList &m_project;
    Messenger &m_msg;
    Settings &m_settings;
    TextOption &m_frameCaption;
    QPointer<frmProekt> m_proekt;
};
