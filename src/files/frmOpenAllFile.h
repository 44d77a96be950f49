#pragma once
#include <QDialog>
#include <QTimer>

class FileCommands;
class QFileSystemModel;
struct Settings;
class QListWidget;
class QPushButton;
class QTreeView;

// Edit > Open all files in folder: the user walks to a folder, sees its pages
// and opens them all at once. The folder walked to becomes LastFolder.
class frmOpenAllFile : public QDialog {
    Q_OBJECT
public:
    frmOpenAllFile(FileCommands &files, Settings &settings, QWidget *owner);
    // Captions (the menu item's, entry 70 for NO), then LastFolder or, when it
    // is gone, the program folder, and its pages listed.
    void load(const QString &caption);
    // The folder Dir1 shows now.
    QString currentFolder() const;
    // Walks Dir1 to folder as a click there does; false when it does not exist.
    bool setFolder(const QString &folder);

    QTreeView *Dir1;      // folders only
    QListWidget *List1;   // names of the pages in the current folder
    QPushButton *OK;
    QPushButton *NO;

protected:
    void showEvent(QShowEvent *e) override;

private:
    FileCommands &m_files;
    Settings &m_settings;
    void Dir1_Change();
    void OK_Click();
    void NO_Click();

    QFileSystemModel *m_folders;
    QTimer m_scroll;          // brings the current folder into view once its rows exist
    bool m_scrolled = false;  // centred once; later only kept in view
};
