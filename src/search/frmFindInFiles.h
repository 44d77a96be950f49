#pragma once
#include "search/FindInFiles.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;
struct LanguageTexts;

// Edit > Find in Files: the text, the replacement, where to search (a folder
// with name patterns, or the project's files) and the options. Modeless; its
// buttons only ask (findRequested, replaceRequested), whoever owns it searches.
class frmFindInFiles : public QDialog {
    Q_OBJECT
public:
    // chooseFolder: a folder dialog starting at the given folder, "" on cancel.
    frmFindInFiles(QWidget *owner, std::function<QString(const QString &)> chooseFolder);

    // Captions from the language texts; projectFiles: whether the project has
    // files to search (else that choice is off).
    void load(const LanguageTexts &texts, bool projectFiles);

    FindQuery query() const;
    QString folder() const;
    QString names() const;
    bool inProject() const;

    QLineEdit *Text1;          // what to find
    QLineEdit *ReplaceText;    // what to put in its place
    QLineEdit *FolderText;
    QPushButton *cmdBrowse;
    QLineEdit *NamesText;      // name patterns, "*.htm;*.html;*.css;*.js"
    QCheckBox *chProject;      // the project's files instead of the folder
    QCheckBox *chMatchCase;
    QCheckBox *chWholeWord;
    QCheckBox *chRegex;
    QPushButton *cmdFind;
    QPushButton *cmdReplace;
    QPushButton *cmdCancel;

signals:
    void findRequested();
    void replaceRequested();

private:
    void updateEnabled();
    std::function<QString(const QString &)> m_chooseFolder;
};
