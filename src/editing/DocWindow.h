#pragma once
#include "editing/UndoHistory.h"
#include "common/TextFormat.h"

#include <QMdiSubWindow>
#include <QPointer>

class EditControl;
class BrowserView;
class QStackedWidget;
class QLabel;
class SyntaxHighlighter;

// States of IzmT, the document's change flag.
namespace IzmTStates {
constexpr int Unchanged = 0;      // as loaded or last saved
constexpr int Changed = 1;        // edited since
constexpr int ProgramChange = 2;  // the program is replacing the text: record nothing
}

// A document window: the editor Rich and, once it has been asked for, the
// preview WebBrowser in the same place, one of them visible at a time. It never
// calls the frame or the commands: it emits requests, and whoever owns it
// connects them.
class DocWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit DocWindow(int slot, QWidget *parent = nullptr);
    ~DocWindow() override;

    QString AppPathBak;      // temporary preview file of the document
    QString NameFile;        // full path of the file, "" while never saved
    QString txtCaption;      // name shown in the caption and the project list
    bool UnloadDoc = false;  // the slot holds no open document
    bool Script = false;     // a script rather than an HTML page
    int IzmT = IzmTStates::Unchanged; // see IzmTStates
    bool IzmUndo = false;    // an undo step is available
    bool IzmRedo = false;    // a redo step is available
    TextFormat format;       // encoding and line breaks of the file on disk

    int Tag() const { return m_slot; }
    void setTag(int slot);
    EditControl *Rich() const { return m_rich; }
    // The preview, created on first use; nullptr when the browser engine cannot start.
    BrowserView *WebBrowser();
    bool hasBrowser() const { return m_browser != nullptr; }
    bool editorVisible() const;
    // Folder that relative addresses of an in-memory preview resolve against.
    void setPreviewBase(const QString &folder) { m_previewBase = folder; }

    void ProsmotrShare();
    void LoadHtml(const QString &html);
    void Undo();
    void Redo();
    void Sbros();
    // Changes made between these calls are one undo step.
    void beginUndoGroup() { m_history.beginGroup(); }
    void endUndoGroup() { m_history.endGroup(); }
    // The change just made replaced these spans of the old text by replacement
    // (a replace-all): the history keeps it in that smaller form.
    void compactLastChange(const UndoHistory::Spans &spans, const QString &replacement)
    {
        m_history.compactLast(spans, replacement);
    }

    // Switches the visible view; viewSwitched tells the owner.
    void showPreview(bool preview);
    void focusView();
    // The user chose another encoding or line-break style for later saves: the text
    // stays as it is, the document counts as changed like after an edit.
    void changeFormat(const TextFormat &f);
    // Clears the text and the history of a closed document so its memory goes back.
    void releaseContents();
    const UndoHistory &history() const { return m_history; }

    // Syntax colours in the editor: a page or a script as Script says. Off until set.
    // Colouring changes no text, no undo step and not IzmT.
    void setHighlighting(bool on);
    bool highlighting() const;
    // Re-reads Script now (the highlighter also notices a change at its next pass).
    void syncSyntax();
    SyntaxHighlighter *highlighter() const { return m_highlighter; }

    // Requests of the editor's key rules.
    void requestPaste() { emit pasteRequested(); }
    void requestContextMenu(const QPoint &globalPos) { emit contextMenuRequested(globalPos); }
    void requestTagList() { emit tagListRequested(this); }

signals:
    void undoStateChanged();
    void selectionChanged();
    void cutRequested();
    void copyRequested();
    void pasteRequested();
    void contextMenuRequested(const QPoint &globalPos);
    void tagListRequested(DocWindow *doc);
    // The editor (true) or the preview (false) became the visible view.
    void viewSwitched(bool editorShown);
    // The user closes the window: the owner asks about changes and unloads it.
    void closeRequested(DocWindow *doc);
    // format was changed through changeFormat.
    void formatChanged();

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    void onTextChanged(const TextChange &change);
    void onExternalChange();
    void setUndoFlags();
    // Takes the editor to another state of the history without recording it.
    void applyStep(const std::optional<UndoHistory::Step> &step);
    void onTitleChanged(const QString &title);

    int m_slot;
    QStackedWidget *m_stack;
    EditControl *m_rich;
    BrowserView *m_browser = nullptr;
    QLabel *m_noPreview = nullptr;  // shown when the browser engine cannot start
    SyntaxHighlighter *m_highlighter = nullptr;  // created when first switched on
    UndoHistory m_history;
    QString m_previewBase;
};
