#pragma once
#include "tags/SelectList.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TagCommands;

// Composes a select element from a name and value/text pairs. Opened on a
// selected select element, it starts from that element, so OK puts it back edited.
class FrmSelect : public QDialog {
    Q_OBJECT
public:
    // Reads and writes the active document of tags.
    FrmSelect(QWidget *owner, TagCommands &tags);
    // Captions from the menus and the language file, then reads the active
    // editor's selection; the name box gets the focus.
    void load(const QString &caption);

    QLineEdit *SName;        // the select element's name
    QLineEdit *SValue;       // value of the option being entered
    QLineEdit *SText;        // text of the option being entered; Enter adds it
    QListWidget *LstValue;   // option values, row k of both lists is one option
    QListWidget *LstText;    // option texts
    QPushButton *VerhNiz[2]; // move the selected option up (0) or down (1)
    QPushButton *Del;        // delete the selected option
    QPushButton *OK;
    QPushButton *NO;
    QLabel *Label1[3];       // name, value, text

    const SelectList &rows() const { return m_rows; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showRows();           // both lists from m_rows, its row selected in both
    void showSelection();
    void listClicked(QListWidget *list);
    void addOption();          // Enter in SText
    void EditSelectedOption(QLineEdit *editIn);
    void VerhNiz_Click(int item);
    void Del_Click();
    void OK_Click();

    TagCommands &m_tags;
    SelectList m_rows;
    bool m_showing = false; // the lists are being set from m_rows
};
