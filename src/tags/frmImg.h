#pragma once
#include "tags/TagDialog.h"

class QLineEdit;
class QToolButton;

// Builds an img element and puts it in place of the editor's selection.
class frmImg : public TagDialog {
    Q_OBJECT
public:
    frmImg(QWidget *owner, TagCommands &tags);
    // Caption of the Tags menu item, tooltips; the SRC box gets the focus.
    void load(const QString &caption);

    QLineEdit *Tsrc;       // the file, required
    QToolButton *kOpImg;   // picks the file
    QLineEdit *TAlt;
    QLineEdit *TNumber[5]; // width, height, hspace, vspace, border: digits (and "%" in 0-1)


protected:
    void kOK_Click() override;
};
