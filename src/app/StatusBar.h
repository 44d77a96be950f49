#pragma once
#include "common/TextFormat.h"

#include <QStatusBar>
#include <QTimer>
#include <utility>

class DocWindow;
class EditControl;
class QLabel;
class QMenu;
class QToolButton;

// The main frame's status bar: the caret's line and column, and the encoding and
// line breaks the active document is saved with. Clicking either of the last two
// offers the other choices; the text stays as it is and the document counts as
// changed, so the next save writes the new form. Empty while no editor is shown
// (no document, or the preview). A page whose charset declaration disagrees
// with the encoding it is saved in shows that declaration as a warning.
class StatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusBar(QWidget *parent = nullptr);

    // Names shown for a format ("windows-1251", "UTF-8", "UTF-8 with BOM"; "CR LF", "LF", "CR").
    static QString encodingName(TextEncoding e);
    static QString lineBreakName(LineBreak b);
    // Line and column (1-based) of the caret end: the column counts characters
    // from the start of the real line, whatever pieces the line is held in.
    static std::pair<int, int> caretLineColumn(const EditControl &e);

    // Shows the active document's state again (activation, view switch, format change).
    void refresh();
    // Opens the encoding (or line-break) menu of the shown document, above its
    // field, or at the caret while the bar is hidden (the File menu's items).
    void openMenu(bool encoding);
    // The charset a page's head declares when it disagrees with the encoding it
    // is saved in; "" when it agrees, declares none, or for a script.
    static QString disagreeingCharset(const DocWindow &d);
    // Stops following the documents (the frame is going).
    void detach();

protected:
    void showEvent(QShowEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    // The active document when its editor is shown, else nullptr.
    static DocWindow *shownDoc();
    void watch(DocWindow *d);
    void refreshPosition();
    void refreshDeclared();
    QMenu *makeMenu(const QString &name, const QList<std::pair<QString, int>> &choices);
    void popup(QToolButton *button, QMenu *menu, int current);
    void choose(bool encoding, int value);

    QLabel *m_position;
    QLabel *m_modified;   // the changed mark of the shown document
    QToolButton *m_encoding;
    QToolButton *m_lineBreak;
    QToolButton *m_declared;   // the disagreeing declaration, when there is one
    QTimer m_declaredLater;    // after typing: the head is read again once it pauses
    QMenu *m_encodingMenu;
    QMenu *m_lineBreakMenu;
};
