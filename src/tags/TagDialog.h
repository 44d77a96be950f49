#pragma once
#include "platform/Dialogs.h"

#include <QDialog>

class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QToolButton;
class TagCommands;

// What the body, font, image and table dialogs share: modeless windows owned
// by the main frame that close (and are deleted) on OK, Cancel and Escape, with
// Enter in any of their boxes meaning OK.
class TagDialog : public QDialog {
    Q_OBJECT
public:
    QPushButton *kOK;     // build, insert, close
    QPushButton *kCancel; // close, insert nothing

    // A small button with a colour palette picture.
    static QToolButton *colourButton(const QString &name, QWidget *parent);
    // A small button with a folder picture.
    static QToolButton *fileButton(const QString &name, QWidget *parent);
    // The image file dialog's filter (body and image dialogs).
    static QList<FileFilter> imageFilter();

protected:
    // The mark-up goes into the active document of tags.
    TagDialog(const QString &name, QWidget *owner, TagCommands &tags);

    // Language entry n as a tooltip; a missing text leaves none.
    void setTip(QWidget *w, int entry) const;
    // A labelled text box in the next row of grid (column 0 label, 1 box).
    QLineEdit *addBox(QGridLayout *grid, const QString &name, const QString &label);
    // Adds the OK and Cancel row under grid, takes Cancel's caption from the
    // language file and makes Enter and Escape work in every box.
    void finishLayout(QGridLayout *grid);
    // The window caption from a menu item's caption.
    void setCaption(const QString &menuCaption, const QString &designed);
    // Colour picker into box; cancelling leaves it as it was.
    void pickColour(QLineEdit *box);
    // File-open dialog into box (the full path as the dialog gives it).
    void pickFile(QLineEdit *box, const QList<FileFilter> &filter);

    virtual void kOK_Click() = 0;
    bool eventFilter(QObject *watched, QEvent *event) override;

    TagCommands &m_tags;
};
