#pragma once
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class SearchCommands;

// The find and replace window: modeless, owned by the main frame. A match runs
// from the start text to the next end text inclusive (or is the start text alone).
// Every action works on the document that is active when its button is pressed,
// then closes the window.
class frmFind : public QDialog {
    Q_OBJECT
public:
    // Find: Edit > Find; Replace: Edit > Replace, with the replace controls shown.
    enum class Mode { Find, Replace };
    Q_ENUM(Mode)

    // commands: the documents, the search state and the messages it works with.
    frmFind(SearchCommands &commands, QWidget *owner);

    // Prepares the window for mode: captions, the replace controls, the history
    // lists, and the active editor's selection as start text. Opened again while
    // shown, it keeps what was typed unless there is a selection to take.
    void load(Mode mode);
    Mode mode() const { return m_mode; }

    QLabel *lblFindStart;
    QComboBox *lstFindStart;      // start text, list = FindHistory
    QLabel *lblFindEnd;
    QComboBox *lstFindEnd;        // end text, list = FindHistory
    QLabel *lblReplace;
    QPlainTextEdit *txtReplace;   // replacement (replace mode)
    QComboBox *cboReplace;        // picks a replacement from FindHistory
    QCheckBox *chRegistr;         // match case
    QCheckBox *chOpenFile;        // replace in all open documents
    QPushButton *cmdFind;
    QPushButton *cmdCancel;
    QPushButton *cmdReplaceAll;
    QPushButton *cmdReplace1Raz;  // replace the first match

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setCaptions();
    void fillHistory(const QString &startText, const QString &endText);
    void lstFindStart_Change();
    void cboReplace_Click(int index);
    void chRegistr_Click();
    void cmdFind_Click();
    void cmdReplaceAll_Click() { replace(true); }
    void cmdReplace1Raz_Click() { replace(false); }
    void replace(bool all);
    // The replacement as the document holds text: line breaks as CR LF.
    QString replacementText() const;
    void setActionsEnabled(bool on);
    // Hides the window, gives the main frame the activation and lets pending events run.
    void hideToOwner();

    SearchCommands &m_commands;
    Mode m_mode = Mode::Find;
};
