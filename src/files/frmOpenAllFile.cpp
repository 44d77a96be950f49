#include "files/frmOpenAllFile.h"
#include "common/Settings.h"
#include "files/FileCommands.h"
#include "files/FolderPages.h"
#include "lang/Messenger.h"
#include "lang/MainFrameCaptions.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
constexpr int CancelCaptionEntry = 70;
}

frmOpenAllFile::frmOpenAllFile(FileCommands &files, Settings &settings, QWidget *owner)
    : QDialog(owner), m_files(files), m_settings(settings)
{
    setObjectName(QStringLiteral("frmOpenAllFile"));
    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_folders->setRootPath(QDir::rootPath());

    Dir1 = new QTreeView(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Dir1->setModel(m_folders);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        Dir1->hideColumn(column);
    Dir1->header()->hide();
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setSelectionMode(QAbstractItemView::NoSelection);
    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setObjectName(QStringLiteral("OK"));
    OK->setDefault(true);
    NO = new QPushButton(QStringLiteral("Cancel"), this);
    NO->setObjectName(QStringLiteral("NO"));

    auto *lists = new QHBoxLayout;
    lists->addWidget(Dir1, 3);
    lists->addWidget(List1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OK);
    buttons->addWidget(NO);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);
    resize(560, 380);

    // The folders load in the background: the current one is brought into view
    // once its rows are there.
    m_scroll.setSingleShot(true);
    m_scroll.setInterval(60);   // after the model's own delayed sorting
    connect(&m_scroll, &QTimer::timeout, this, [this] {
        Dir1->scrollTo(Dir1->currentIndex(), m_scrolled ? QAbstractItemView::EnsureVisible
                                                        : QAbstractItemView::PositionAtCenter);
        m_scrolled = isVisible();
    });
    connect(m_folders, &QFileSystemModel::directoryLoaded, this, [this](const QString &loaded) {
        const QString current = currentFolder();
        if (current == loaded || QFileInfo(current).absolutePath() == loaded)
            m_scroll.start();
    });
    connect(OK, &QPushButton::clicked, this, &frmOpenAllFile::OK_Click);
    connect(NO, &QPushButton::clicked, this, &frmOpenAllFile::NO_Click);
    // Escape and the close control are NO.
    connect(this, &QDialog::rejected, this, [this] { close(); });
}

void frmOpenAllFile::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    m_scroll.start();
}

void frmOpenAllFile::load(const QString &caption)
{
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(withoutMnemonics(caption));
    NO->setText(m_files.messenger().message(CancelCaptionEntry));
    // A remembered folder that is gone leaves the list at the program's folder
    // (the home folder of an installed copy), silently.
    if (!setFolder(m_settings.LastFolder))
        setFolder(m_settings.UserFolder);
    Dir1_Change();
    connect(Dir1->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { Dir1_Change(); });
}

QString frmOpenAllFile::currentFolder() const
{
    return m_folders->filePath(Dir1->currentIndex());
}

bool frmOpenAllFile::setFolder(const QString &folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    const QModelIndex index = m_folders->index(QDir(folder).absolutePath());
    if (!index.isValid())
        return false;
    Dir1->setCurrentIndex(index);
    Dir1->scrollTo(index);
    Dir1->expand(index);
    return true;
}

void frmOpenAllFile::Dir1_Change()
{
    QString folder = currentFolder();
    if (folder.isEmpty())
        return;
    if (!folder.endsWith(m_settings.PathSeparator))
        folder += m_settings.PathSeparator;
    m_settings.LastFolder = folder;
    List1->clear();
    List1->addItems(FolderPages::list(folder));
}

void frmOpenAllFile::OK_Click()
{
    QPointer<frmOpenAllFile> self(this);
    // This window may be gone after any of the openings below.
    FileCommands &files = m_files;
    const QString folder = m_settings.LastFolder;
    QStringList names;
    for (int i = 0; i < List1->count(); ++i)
        names << List1->item(i)->text();
    hide();
    QApplication::processEvents();
    // Pages opened here are not added to the project. The frame is kept alive
    // a few times a second, not after every page: a window covered by the next
    // one before it is painted never lays its text out.
    QElapsedTimer alive;
    alive.start();
    for (const QString &name : names) {
        files.OpenFileDoc(folder + name, {.addToProject = false, .quiet = true});
        if (alive.elapsed() >= 250) {
            QApplication::processEvents();
            alive.restart();
        }
    }
    if (self)
        close();
}

void frmOpenAllFile::NO_Click()
{
    close();
}
