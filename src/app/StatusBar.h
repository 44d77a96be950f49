#pragma once
#include "common/TextFormat.h"

#include <QStatusBar>
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
// (no document, or the preview).
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
    QMenu *makeMenu(const QString &name, const QList<std::pair<QString, int>> &choices);
    void popup(QToolButton *button, QMenu *menu, int current);
    void choose(bool encoding, int value);

    QLabel *m_position;
    QLabel *m_modified;   // the changed mark of the shown document
    QToolButton *m_encoding;
    QToolButton *m_lineBreak;
    QMenu *m_encodingMenu;
    QMenu *m_lineBreakMenu;
};
