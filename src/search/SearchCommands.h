#pragma once
#include <QPointer>
#include <QString>
#include <functional>

class DocTable;
class DocWindow;
class Messenger;
class frmFind;
class frmFoundLine;
struct SearchState;
struct Settings;

// Edit > Find, Find next and Replace, and Tags > Go to line: built once at
// start-up, owning the find window and the go-to-line window. The windows read
// their controls and call the core with the search state given here.
class SearchCommands {
public:
    // settings: the editor's font face, which the find window follows.
    SearchCommands(DocTable &docs, SearchState &search, const Messenger &msg, const Settings &settings);
    ~SearchCommands();
    SearchCommands(const SearchCommands &) = delete;
    SearchCommands &operator=(const SearchCommands &) = delete;

    // The current caption of a menu command (by its name), for window titles and
    // buttons named after the menu. Set by whoever owns the menus.
    void setCaptionSource(std::function<QString(const QString &name)> source) { m_captionOf = std::move(source); }
    // The command's caption, or fallback while no caption source is set.
    QString commandCaption(const QString &name, const QString &fallback = QString()) const;

    // Index 0 opens the find window, 2 the replace window; 1 searches on from
    // FindNextPos, or opens the find window while nothing has been searched yet.
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

    // The find window once made (hidden while closed), else nullptr.
    frmFind *findWindow() const;
    // The go-to-line dialog while it is open, else nullptr.
    frmFoundLine *goToLineWindow() const;

    DocTable &docs() const { return m_docs; }
    SearchState &state() const { return m_search; }
    const Messenger &messenger() const { return m_msg; }
    const Settings &settings() const { return m_settings; }

private:
    void showFindWindow(bool replace);

    DocTable &m_docs;
    SearchState &m_search;
    const Messenger &m_msg;
    const Settings &m_settings;
    std::function<QString(const QString &)> m_captionOf;
    QPointer<frmFind> m_find;           // one window, hidden when it closes
    QPointer<frmFoundLine> m_foundLine; // made for each Go to line, deleted on close
};
