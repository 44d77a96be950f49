#pragma once
#include "app/ResultsPanel.h"

#include <QObject>
#include <QPointer>
#include "search/FindInFiles.h"
#include <QThreadPool>
#include <atomic>
#include <memory>

struct FindInFilesResult;
struct LinkCheckResult;
struct PageCheckResult;
class frmFindInFiles;

// Tags > Check Page, Edit > Find in Files and what the results panel leads
// to: the work runs on worker threads on copies of the texts, the panel shows
// what it found, and a row activated opens its document with the caret at the
// place.
class ResultsCommands : public QObject {
    Q_OBJECT
public:
    ResultsCommands();
    // Waits for work still running (it holds copies only, never the documents).
    ~ResultsCommands() override;

    // Checks the active editor's text; the panel shows "checking" meanwhile and
    // the findings when done. Typing goes on during the check.
    void CodeCheckPage_Click();

    // Opens the find in files window (the active editor's selection as text,
    // its document's folder as folder).
    void mnuEditFindInFiles_Click();
    frmFindInFiles *findWindow() const;
    // The window's search (replace: then, after a confirmation naming the count
    // of files, every hit replaced: open documents in their editors, one undo
    // step each, the other files through the safe writer).
    void findInFiles(bool replace);
    // Project > Check Links: every page and style sheet of the project, or with
    // no files in the project those of the active document's folder.
    void ProektCheckLinks_Click();
    // Stops the search, replacement or link check running.
    void cancel();

    // The panel, made and docked below the documents on first use.
    ResultsPanel *panel();
    // Opens (or activates) the row's document and puts the caret at its place.
    void jumpTo(const ResultRow &row);
    // Blocks until every check started has reported (tests, exit).
    void waitForIdle();

signals:
    // A check's findings are in the panel.
    void pageChecked();
    // A search, replacement or link check ended (done, cancelled or refused).
    void filesDone();

private:
    void showPageCheck(const QString &file, const PageCheckResult &r);
    void showFound(const FindInFilesResult &r, bool replace);
    void replaceFound(const FindInFilesResult &r);
    void showProgress(int done, int total);
    void showLinks(const LinkCheckResult &r);

    QPointer<ResultsPanel> m_panel;
    QThreadPool m_pool;           // one worker: a new check queues behind the last
    int m_pageCheck = 0;          // the newest page check; older results are dropped
    bool m_checking = false;      // the newest page check has not reported yet
    QThreadPool m_filesPool;      // searches and replacements in files, one at a time
    std::shared_ptr<std::atomic<bool>> m_cancel; // of the search or replacement running
    bool m_filesBusy = false;
    QPointer<frmFindInFiles> m_find;
    QString m_folder;             // the folder of the last search (rows show names relative to it)
    FindPattern m_re;             // the last search's pattern and replacement
    QString m_replacement;
    bool m_expand = false;
};
