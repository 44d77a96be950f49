#pragma once
#include <QDialog>
#include <QStringList>

class LanguageLoader;
class QLabel;
class QListWidget;
class QPushButton;

// The language chooser: the language files of the Language folder listed by
// the names written inside them.
class frmLang : public QDialog {
    Q_OBJECT
public:
    frmLang(LanguageLoader &loader, QWidget *owner);

    QLabel *Label1;
    QListWidget *DirT;      // language names
    QStringList File;       // the files, in step with DirT
    QPushButton *OK;
    QPushButton *NO;
    QLabel *Inform;         // file name of the selected language

protected:
    void showEvent(QShowEvent *e) override;

private:
    LanguageLoader &m_loader;
    void fill();
    void DirT_Click();
    void OK_Click();
};
