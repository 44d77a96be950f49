#pragma once
#include "tags/TagDialog.h"

class QLineEdit;
class QToolButton;

// Builds a body element with the page-wide attributes and puts it in place of
// the editor's selection.
class frmBody : public TagDialog {
    Q_OBJECT
public:
    frmBody(QWidget *owner, TagCommands &tags);
    // Tooltips from the language file; the BGIMAGE box gets the focus. The
    // caption is fixed, no menu item opens this dialog.
    void load(const QString &caption = QString());

    QLineEdit *TxtImg;     // background
    QToolButton *kOpImg;   // picks the background image
    QLineEdit *TxtSound;   // bgsound
    QToolButton *kOpSound; // picks the sound
    QLineEdit *TNumber[5]; // bgcolor, text, link, vlink, alink
    QToolButton *kColor[5]; // colour picker for the TNumber of the same number

    static QList<FileFilter> soundFilter();

protected:
    void kOK_Click() override;
};
