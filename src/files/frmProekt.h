#pragma once
#include <QWidget>

class ProjectCommands;
class QLabel;
class QLineEdit;
class QListWidget;

// The project window: a tool window of the main frame listing the project's
// entries (short names) and its name. It shows the project list of the program
// state and follows its changes; it is hidden, not closed, until the program exits.
class frmProekt : public QWidget {
    Q_OBJECT
public:
    frmProekt(ProjectCommands &commands, QWidget *owner);
    ~frmProekt() override;

    // Captions from the menu item and language entry 88.
    void load(const QString &caption);
    // Shows the window with the list focused and its first entry selected.
    void showList();
    // Puts ProjectName into the name box.
    void showProjectName();
    // Brings the shown list up to date with the project list now.
    void syncList();
    // Lets the exit unload the window instead of hiding it.
    void allowClose() { m_closing = true; }

    QLabel *Label1;
    QLineEdit *txtProektName;   // the project name being edited
    QListWidget *LstFileName;   // one short name per entry; the keys stay in the project list

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    void scheduleSync();
    void LstFileName_DblClick();
    bool LstFileName_KeyDown(int key);
    void LstFileName_DeleteKey();
    bool txtProektName_KeyDown(int key);
    void txtProektName_LostFocus();
    // A hidden project window with no document open leaves the user an empty frame.
    void checkForEmptyFrame();
    // The first showing puts the window over the frame, not wherever the system would.
    void placeBesideOwner();

    ProjectCommands &m_commands;
    bool m_syncPending = false;
    bool m_closing = false;
    bool m_placed = false;
};
