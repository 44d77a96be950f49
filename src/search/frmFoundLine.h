#pragma once
#include <QDialog>

class DocTable;
class Messenger;
class QLabel;
class QLineEdit;
class QPushButton;

// Go to line: selects a numbered line of the active editor, lines counted by
// their CR LF breaks (not by screen rows when words wrap).
class frmFoundLine : public QDialog {
    Q_OBJECT
public:
    // docs: whose active editor it selects in; msg: its captions and messages.
    frmFoundLine(DocTable &docs, const Messenger &msg, QWidget *owner);
    // Sets the captions: the window from its menu item, the prompt and the cancel button.
    void load(const QString &caption);

    QLabel *Label1;
    QLineEdit *Text1;   // the line number: its leading number counts, "12abc" is 12
    QPushButton *kOK;   // default button; enabled while the number is above zero
    QPushButton *NO;    // cancel

private:
    void Text1_Change();
    void kOK_Click();

    DocTable &m_docs;
    const Messenger &m_msg;
};
