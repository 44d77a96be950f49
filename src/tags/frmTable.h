#pragma once
#include "tags/TagDialog.h"

class QLineEdit;
class QToolButton;

// Builds an empty table element and puts it in place of the editor's selection.
class frmTable : public TagDialog {
    Q_OBJECT
public:
    frmTable(QWidget *owner, TagCommands &tags);
    // Caption of the Tags menu item, tooltips; the border box gets the focus.
    void load(const QString &caption);

    QLineEdit *TNumber[5]; // border, cellspacing, cellpadding, width, height: digits (and "%" in 2-4)
    QLineEdit *TBgColor;
    QToolButton *kBgColor;

protected:
    void kOK_Click() override;
};
