#pragma once
#include <QWidget>

class QKeyEvent;
class QLineEdit;
class QListWidget;
class DocWindow;
class TagCommands;

// The tag pop-up list: type the first letters of a catalogue name, Enter or a
// double-click inserts it; a name that matches nothing goes in angle brackets.
class frmListTag : public QWidget {
    Q_OBJECT
public:
    // Its catalogue, layouts and insertions are those of tags.
    frmListTag(QWidget *owner, TagCommands &tags);

    // Fills List1 with the catalogue's sorted names (once at start-up).
    void fill();
    // Shows the list beside the caret of the active document; typedLessThan: a
    // "<" the user typed opened it (and goes into the page when the list hands
    // its keys back).
    void showList(bool typedLessThan = false);

    QLineEdit *Text1;
    QListWidget *List1;
    int LayoutNumber = 0;   // keyboard layout last read

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void Form_Activate();
    void Form_Deactivate();
    void Text1_Change();
    void insertRow(int row);
    // Whether ch may go on with the typed name: a letter, a digit, or a character
    // some row's name holds at that place ("script (", "a href=").
    bool continuesName(QChar ch) const;
    // Closes the list and gives what was typed to the editor: "<" (when typed),
    // the name as the user typed it, then key as if typed there (null: nothing more).
    void handBack(const QKeyEvent *key);
    // Escape or an insertion: hides the list and gives the keyboard back to the editor's window.
    void closeList();
    // While the list waits for the desktop to activate it, keys typed into the
    // main frame go to Text1.
    void catchKeys(bool on);
    bool redirectKey(QObject *watched, QEvent *event);
    void readLayout();
    void placeNearCaret();
    TagCommands &m_tags;
    bool m_active = false;
    bool m_gotActivation = false;  // the desktop has made the list the active window since it came up
    bool m_catchingKeys = false;
    QString m_layoutBefore;  // the user's layout while the list switched to US English
    bool m_typedLessThan = false;  // the list came up for a typed "<"
    QString m_typed;  // Text1 with the letters' case as typed (Text1 holds lower case)
};
