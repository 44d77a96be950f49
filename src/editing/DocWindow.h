#pragma once
#include "editing/Document.h"

#include <QMdiSubWindow>
#include <QPointer>

class EditControl;
class BrowserView;
class NoticeBar;
class QStackedWidget;
class QLabel;
class SyntaxHighlighter;

// A document window, the view of one Document: the editor Rich and, once it has
// been asked for, the preview WebBrowser in the same place, one of them visible
// at a time. Its title follows the document's caption and changed state (Qt's
// "[*]" mark). It never calls the frame or the commands: it emits requests, and
// whoever owns it connects them.
class DocWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit DocWindow(int slot, QWidget *parent = nullptr);
    ~DocWindow() override;

    Document *document() const { return m_doc; }
    // The slot holds no open document (set by the document table).
    bool UnloadDoc() const { return m_unloaded; }
    void setUnloaded(bool unloaded) { m_unloaded = unloaded; }

    int Tag() const { return m_slot; }
    void setTag(int slot);
    EditControl *Rich() const { return m_rich; }
    // The preview, created on first use; nullptr when the browser engine cannot start.
    BrowserView *WebBrowser();
    bool hasBrowser() const { return m_browser != nullptr; }
    bool editorVisible() const;
    // Folder that relative addresses of an in-memory preview resolve against.
    void setPreviewBase(const QString &folder) { m_previewBase = folder; }

    // The title the document's caption and changed state give ("[*]" marks changes).
    void showCaption();
    // The title as the user sees it: the changed mark shown or left out.
    QString shownTitle() const;

    void ProsmotrShare();
    void LoadHtml(const QString &html);

    // The strip above the text that tells of something that happened to the
    // document and offers answers; made on first use, hidden until shown.
    NoticeBar *noticeBar();
    bool noticeShown() const;

    // Switches the visible view; viewSwitched tells the owner.
    void showPreview(bool preview);
    void focusView();
    // Clears the text and the history of a closed document so its memory goes back.
    void releaseContents();

    // Syntax colours in the editor: a page or a script as the document's kind says.
    // Off until set. Colouring changes no text, no undo step and not IzmT.
    void setHighlighting(bool on);
    bool highlighting() const;
    // Re-reads the kind now (the highlighter also notices a change at its next pass).
    void syncSyntax();
    SyntaxHighlighter *highlighter() const { return m_highlighter; }

    // Requests of the editor's key rules.
    void requestPaste() { emit pasteRequested(); }
    void requestContextMenu(const QPoint &globalPos) { emit contextMenuRequested(globalPos); }
    void requestTagList() { emit tagListRequested(this); }

signals:
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

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    void onTitleChanged(const QString &title);

    int m_slot;
    QWidget *m_body;            // the notice strip above the stack
    QStackedWidget *m_stack;
    NoticeBar *m_notice = nullptr;
    EditControl *m_rich;
    BrowserView *m_browser = nullptr;
    QLabel *m_noPreview = nullptr;  // shown when the browser engine cannot start
    SyntaxHighlighter *m_highlighter = nullptr;  // created when first switched on
    Document *m_doc;
    bool m_unloaded = false;
    QString m_previewBase;
};
