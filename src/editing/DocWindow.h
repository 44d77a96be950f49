#pragma once
#include "editing/Document.h"

#include <QElapsedTimer>
#include <functional>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

class EditControl;
class BrowserView;
class PreviewSandbox;
class Shell;
struct PreviewSite;
class QSplitter;
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
    // Where the preview runs and where its clicked web links go; without a
    // sandbox there is no preview.
    void setPreviewServices(PreviewSandbox *sandbox, Shell *shell);
    // The preview, created on first use; nullptr when the browser engine cannot start.
    BrowserView *WebBrowser();
    bool hasBrowser() const { return m_browser != nullptr; }
    bool editorVisible() const;
    // Gives the folder that relative addresses of an untitled page's preview
    // resolve against, asked at each preview.
    void setPreviewBase(std::function<QString()> folder) { m_previewBase = std::move(folder); }

    // The title the document's caption and changed state give ("[*]" marks changes).
    void showCaption();
    // The title as the user sees it: the changed mark shown or left out.
    QString shownTitle() const;

    void ProsmotrShare();
    // Shows page of site in the preview, as this document's own site.
    void showPreviewSite(const PreviewSite &site, const QString &page);
    // Empties the preview (its site answers no more).
    void clearPreview();
    // The site that shows this document now, and the page to open in it: the
    // editor's text (a script inside a wrapper page) and the files of the
    // document's folder (of the preview base folder while untitled).
    PreviewSite previewSite(QString *page) const;

    // The live preview beside the editor: it follows the text after each pause in
    // typing (never inside a tag being written), keeps its scroll position, shows
    // the element the caret is in, and a Ctrl+click on an element puts the caret
    // on its source.
    void setLivePreview(bool on);
    bool livePreview() const { return m_liveOn; }
    BrowserView *liveView() const { return m_live; }
    // Shows the text now (the pause timer calls it).
    void refreshLivePreview();
    static constexpr int LivePause = 300;      // ms after the last change
    static constexpr int LiveLongestWait = 3000; // refreshed then even inside a tag

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
    // The live preview has loaded the text of its last refresh.
    void livePreviewShown();
    // A button of the notice strip was pressed (the strip is made when first needed).
    void noticeAnswered(int index);

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    void onTitleChanged(const QString &title);
    void onTextChanged();
    void showCaretElement();
    void goToSourceOf(const QString &tag, int index);

    int m_slot;
    QSplitter *m_splitter;
    QWidget *m_body;            // the notice strip above the stack
    QStackedWidget *m_stack;
    NoticeBar *m_notice = nullptr;
    EditControl *m_rich;
    BrowserView *m_browser = nullptr;
    QLabel *m_noPreview = nullptr;  // shown when the browser engine cannot start
    SyntaxHighlighter *m_highlighter = nullptr;  // created when first switched on
    Document *m_doc;
    bool m_unloaded = false;
    std::function<QString()> m_previewBase;
    PreviewSandbox *m_sandbox = nullptr;
    Shell *m_shell = nullptr;
    BrowserView *m_live = nullptr;  // the live preview, made when first switched on
    bool m_liveOn = false;
    QTimer m_liveTimer;              // the pause after typing
    QTimer m_caretTimer;             // the pause after the caret moved
    QElapsedTimer m_liveWaiting;     // since the first change not yet shown
    QPointF m_liveScroll;            // kept across a refresh
};
