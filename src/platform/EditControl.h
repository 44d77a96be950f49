#pragma once
#include "common/TextChange.h"
#include "common/TextTarget.h"
#include <QPlainTextEdit>
#include <memory>
#include <vector>

class EditorBehaviour;

// The editing control of a document: a plain-text editor whose positions count a
// line break as two characters (CR LF), like the text the program saves. Every
// change of the text, by the user or by the program, goes through replaceRange and
// is reported once through changed() as (position, removed, inserted).
// Its own undo stack, rich clipboard and context menu are off: the program's
// commands do those.
class EditControl : public QPlainTextEdit, public TextTarget {
    Q_OBJECT
public:
    explicit EditControl(QWidget *parent = nullptr);
    ~EditControl() override;

    // TextTarget
    QString text() const override;
    int selStart() const override;
    void setSelStart(int pos) override;
    int selLength() const override;
    void setSelLength(int len) override;
    QString selText() const override;
    void setSelText(const QString &text) override;

    // Replaces the whole text (loading, new documents).
    void setText(const QString &crlfText);
    // Replaces len characters at pos by text; the caret ends after the text.
    void replaceRange(int pos, int len, const QString &text);
    int textLength() const;
    // len characters from pos without reading the whole text.
    QString textAt(int pos, int len) const;

    void setEditorFont(const QString &family, int pointSize, bool bold, bool italic);
    void setWordWrap(bool wrap);

    // Behaviours are owned by the control and run in installation order.
    void installBehaviour(std::unique_ptr<EditorBehaviour> behaviour);

    // Position conversions between CR LF counting and the widget's document.
    int toDocPos(int pos) const;
    int fromDocPos(int docPos) const;

signals:
    void changed(const TextChange &change);
    void rightButtonReleased(const QPoint &globalPos);
    // The control's own shortcuts for the clipboard and history when no menu took them.
    void copyRequested();
    void cutRequested();
    void pasteRequested();
    // The widget changed its text on its own (a key path the control does not
    // know): the history can no longer follow it.
    void externalChange();

protected:
    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dragMoveEvent(QDragMoveEvent *e) override;
    void dropEvent(QDropEvent *e) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;

private:
    void handleEditingKey(QKeyEvent *e);
    void deleteRange(int docFrom, int docTo);
    void onContentsChange(int position, int removed, int added);
    QString docRangeText(int docFrom, int docTo) const;

    std::vector<std::unique_ptr<EditorBehaviour>> m_behaviours;
    int m_ownEdit = 0;      // >0 while the control itself changes the document
    int m_inBase = 0;       // >0 while the base widget handles an event
};
