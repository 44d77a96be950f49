#pragma once
#include "editing/UndoHistory.h"
#include "files/TextFile.h"

#include <QMdiSubWindow>
#include <QPointer>

class EditControl;
class BrowserView;
class QStackedWidget;
class QLabel;

// A document window: the editor Rich and, once it has been asked for, the
// preview WebBrowser in the same place, one of them visible at a time.
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
    int IzmT = 0;            // 0 unchanged, 1 changed, 2 the program is replacing the text
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

    void ProsmotrShare();
    void LoadHtml(const QString &html);
    void Undo();
    void Redo();
    void Sbros();

    // Switches the visible view without touching the menus (the file-based preview does the rest).
    void showPreview(bool preview);
    void focusView();
    // Clears the text and the history of a closed document so its memory goes back.
    void releaseContents();
    const UndoHistory &history() const { return m_history; }

signals:
    void undoStateChanged();

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
    UndoHistory m_history;
};
