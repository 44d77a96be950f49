#pragma once
#include "common/TextFormat.h"
#include "files/PageTexts.h"
#include "platform/Dialogs.h"
#include <QList>
#include <functional>
#include <QPair>
#include <QString>

class DiskWatch;
class DocTable;
class DocWindow;
class Document;
class Messenger;
class ProjectList;
class WorkFiles;
struct Settings;

// What an opening should do beside opening.
struct OpenOptions {
    bool addToProject = false;  // list the file in the project (File > Open, dropped files)
    bool quiet = false;         // an already open document is not brought to the front
    bool script = false;        // open it as a script whatever its name
    // A file that does not exist opens as a new, empty document under its name
    // (a name given on the command line: Ctrl+S then writes it there).
    bool missingAsNew = false;
    // When set, a file that cannot be read is listed here (path, TextFile error)
    // instead of being reported one message each; the caller reports the list.
    QList<QPair<QString, int>> *failures = nullptr;
};

// New, open and save of single documents, and the file dialogs with the
// remembered folder. Built once at start-up with the parts it works on.
class FileCommands {
public:
    FileCommands(DocTable &docs, ProjectList &project, Messenger &msg, Settings &settings, WorkFiles &workFiles)
        : m_docs(docs), m_project(project), m_msg(msg), m_settings(settings), m_workFiles(workFiles) {}

    void FileNewM();
    void NewScriptM();
    // The open dialog; the chosen file opens and joins the project, or with
    // openIt false (Project > Add file) only joins the project.
    void FileOpenM(bool isScript, bool openIt = true);
    // Opens path (or finds it open): its document, or nullptr when it could not
    // be read (the user was told).
    Document *OpenFileDoc(const QString &path, const OpenOptions &options = {});
    int FindDocByFile(const QString &path) const;
    // A text the file does not hold (a recovered one): a document marked
    // changed, under path when it has one (the file is neither read nor
    // touched; an open unchanged window of it takes the text), else a new
    // untitled document of the kind given.
    Document *openUnsavedText(const QString &path, const QString &text, const TextFormat &format, bool script);
    // Writes d to path; false (after telling the user) when it failed.
    bool FileSave(DocWindow *d, const QString &path);
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
    // Closes the document in d's slot without a question: its work files go, an
    // untitled one leaves the project, the slot is freed.
    void UnloadDocM(DocWindow *d);
    // After a language switch: untitled documents named after oldName take the
    // new untitled name, in their windows and in the project list.
    void renameUntitled(const QString &oldName);
    // The chosen path, or "" when the user cancelled.
    QString apiOpenSaveM(bool isSave, const QString &initialName, const QList<FileFilter> &filter);

    // The open-error message: File caption, path, entry 96 (not found) or 97.
    void showOpenError(const QString &path, int error);
    // One message for files that could not be read (one line each, the first
    // ones when there are very many); a single one gets the usual message.
    void showOpenErrors(const QList<QPair<QString, int>> &failures);
    // The save-error message: File caption, path, entry 94 (path or access) or 95.
    void showSaveError(const QString &path, int error);

    // Compares a document's file with what the document knows before a save.
    void setDiskWatch(DiskWatch *watch) { m_watch = watch; }

    DocTable &docs() const { return m_docs; }
    Messenger &messenger() const { return m_msg; }

    // Told of each file a document was read from or written to (the recent files).
    std::function<void(const QString &path)> fileUsed;

private:
    // A new slot with its untitled name and private work file.
    DocWindow *newDocument(const QString &workFileSuffix);
    QString shortName(const QString &path) const;

    DocTable &m_docs;
    ProjectList &m_project;
    Messenger &m_msg;
    Settings &m_settings;
    WorkFiles &m_workFiles;
    DiskWatch *m_watch = nullptr;
};
