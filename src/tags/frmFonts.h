#pragma once
#include "tags/TagDialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;
class FontSampleView;
struct FontFields;

// Builds an empty font element at the caret, with a live sample of the choice.
class frmFonts : public TagDialog {
    Q_OBJECT
public:
    frmFonts(QWidget *owner, TagCommands &tags);
    // Caption of the Tags menu item, the face list, the sample; the face box
    // gets the focus.
    void load(const QString &caption);

    QComboBox *CoFonts;      // face, editable; starts as "Times New Roman"
    QLineEdit *txtColor;
    QToolButton *kFontColor;
    QComboBox *TSize;        // "1".."7", starts empty
    QLineEdit *BgColor;      // background of the sample only
    QToolButton *kBgColor;
    FontSampleView *Browser; // the live sample
    QLabel *Label1[4];       // face, colour, size, background

    // Draws the sample for the current fields.
    void ShowSample();
    // The installed font families as a page names them, in the system's order.
    static QStringList installedFaces();

protected:
    void kOK_Click() override;

private:
    FontFields fields() const;
};
