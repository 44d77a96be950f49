#pragma once
#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QLabel;
class TagCommands;

// Turns a text into numeric character references and puts them in place of the
// editor's selection.
class frmCodeText : public QDialog {
    Q_OBJECT
public:
    // Inserts into the active document of tags.
    frmCodeText(QWidget *owner, TagCommands &tags);
    // Takes the active editor's selection and the caption of its menu item.
    void load(const QString &caption);

    QPlainTextEdit *Text1;
    QPushButton *kOK;
    QLabel *Label1;

private:
    void kOK_Click();
    TagCommands &m_tags;
};
