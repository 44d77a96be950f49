#pragma once
#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QLabel;

// Turns a text into numeric character references and puts them in place of the
// editor's selection.
class frmCodeText : public QDialog {
    Q_OBJECT
public:
    explicit frmCodeText(QWidget *owner);
    // Takes the active editor's selection and the caption of its menu item.
    void load(const QString &caption);

    QPlainTextEdit *Text1;
    QPushButton *kOK;
    QLabel *Label1;

private:
    void kOK_Click();
};
