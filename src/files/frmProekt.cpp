#include "files/frmProekt.h"
#include "common/Settings.h"
#include "editing/DocTable.h"
#include "editing/DocWindow.h"
#include "files/FileCommands.h"
#include "files/ProjectCommands.h"
#include "files/ProjectList.h"
#include "lang/Messenger.h"
#include "lang/MainFrameCaptions.h"
#include "platform/Dialogs.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int NameLabelEntry = 88;
constexpr int RemoveFileEntry = 103;
}

frmProekt::frmProekt(ProjectCommands &commands, QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), m_commands(commands)
{
    setObjectName(QStringLiteral("frmProekt"));
    auto *layout = new QVBoxLayout(this);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtProektName = new QLineEdit(this);
    txtProektName->setObjectName(QStringLiteral("txtProektName"));
    Label1->setBuddy(txtProektName);
    LstFileName = new QListWidget(this);
    LstFileName->setObjectName(QStringLiteral("LstFileName"));
    LstFileName->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(Label1);
    layout->addWidget(txtProektName);
    layout->addWidget(LstFileName, 1);
    resize(260, 360);

    LstFileName->installEventFilter(this);
    txtProektName->installEventFilter(this);
    connect(LstFileName, &QListWidget::itemDoubleClicked, this, [this] { LstFileName_DblClick(); });

    m_commands.project().onChange = [this] { scheduleSync(); };
    syncList();
    showProjectName();
}

frmProekt::~frmProekt()
{
    m_commands.project().onChange = nullptr;
}

void frmProekt::load(const QString &caption)
{
    setWindowTitle(withoutMnemonics(caption));
    Label1->setText(m_commands.messenger().message(NameLabelEntry));
}

void frmProekt::showList()
{
    syncList();
    showProjectName();
    if (!m_placed)
        placeBesideOwner();
    show();
    raise();
    activateWindow();
    LstFileName->setFocus();
    if (LstFileName->count() > 0)
        LstFileName->setCurrentRow(0);
}

void frmProekt::placeBesideOwner()
{
    m_placed = true;
    QWidget *owner = parentWidget();
    if (!owner)
        return;
    // Over the right edge of the frame's work area, where it hides least of a page.
    const QRect frame = owner->frameGeometry();
    QPoint p(frame.right() - width() - 24, frame.top() + 90);
    if (const QScreen *screen = owner->screen()) {
        const QRect area = screen->availableGeometry();
        p.setX(qBound(area.left(), p.x(), qMax(area.left(), area.right() - width())));
        p.setY(qBound(area.top(), p.y(), qMax(area.top(), area.bottom() - height())));
    }
    move(p);
}

void frmProekt::showProjectName()
{
    txtProektName->setText(m_commands.ProjectName);
}

void frmProekt::scheduleSync()
{
    // A loaded project adds its entries one by one: the list is rebuilt once.
    if (m_syncPending)
        return;
    m_syncPending = true;
    QTimer::singleShot(0, this, [this] {
        if (m_syncPending)
            syncList();
    });
}

void frmProekt::syncList()
{
    m_syncPending = false;
    const QStringList &names = m_commands.project().LstFileName();
    bool same = LstFileName->count() == names.size();
    for (int i = 0; same && i < names.size(); ++i)
        same = LstFileName->item(i)->text() == names[i];
    if (same)
        return;
    const int row = LstFileName->currentRow();
    LstFileName->clear();
    LstFileName->addItems(names);
    if (LstFileName->count() > 0)
        LstFileName->setCurrentRow(qBound(0, row, LstFileName->count() - 1));
}

bool frmProekt::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        if (watched == LstFileName)
            return LstFileName_KeyDown(k->key());
        if (watched == txtProektName)
            return txtProektName_KeyDown(k->key());
    } else if (e->type() == QEvent::FocusOut && watched == txtProektName) {
        // Only a move inside the window discards the name; switching to another
        // window and back keeps what is being typed.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(e)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            txtProektName_LostFocus();
    }
    return QWidget::eventFilter(watched, e);
}

void frmProekt::LstFileName_DblClick()
{
    syncList();
    const int row = LstFileName->currentRow();
    const QString name = m_commands.project().openName(row);
    hide();
    // An entry without a folder is an untitled page, brought forward when open; as
    // a line of a project file it names no file (it would be read from wherever the
    // program was started), and an empty line names nothing.
    if (name.isEmpty() || (!m_commands.project().isFile(row) && m_commands.files().FindDocByFile(name) < 0))
        return;
    m_commands.files().OpenFileDoc(name);
}

bool frmProekt::LstFileName_KeyDown(int key)
{
    switch (key) {
    case Qt::Key_Escape:
        hide();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (LstFileName->currentRow() >= 0)
            LstFileName_DblClick();
        return true;
    case Qt::Key_Delete:
        if (LstFileName->currentRow() >= 0)
            LstFileName_DeleteKey();
        return true;
    default:
        return false;
    }
}

void frmProekt::LstFileName_DeleteKey()
{
    syncList();
    const int row = LstFileName->currentRow();
    const QString name = m_commands.project().openName(row);
    if (m_commands.messenger().ask(m_commands.messenger().message(RemoveFileEntry), Dialogs::YesNo) == Dialogs::No)
        return;
    m_commands.project().DeleteFile(name);
    syncList();
    const int k = m_commands.files().FindDocByFile(name);
    if (k >= 0)
        m_commands.files().CloseDocument(m_commands.files().docs().slot(k));
    // The question and the close took the focus: the list keeps it for the next key.
    if (isVisible()) {
        activateWindow();
        LstFileName->setFocus();
    }
}

bool frmProekt::txtProektName_KeyDown(int key)
{
    if (key == Qt::Key_Escape) {
        hide();
        return true;
    }
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (txtProektName->text() != m_commands.ProjectName) {
        m_commands.ProjectName = txtProektName->text();
        m_commands.updateCaption();
        m_commands.project().IzmProekt = true;
    } else {
        hide();
    }
    return true;
}

void frmProekt::txtProektName_LostFocus()
{
    showProjectName();
}

void frmProekt::closeEvent(QCloseEvent *e)
{
    if (m_closing) {
        e->accept();
        return;
    }
    hide();
    e->ignore();
}

void frmProekt::hideEvent(QHideEvent *e)
{
    QWidget::hideEvent(e);
    // The frame hiding its tool windows (minimised) is no choice of the user's.
    if (!e->spontaneous() && !m_closing)
        QTimer::singleShot(0, this, [this] { checkForEmptyFrame(); });
}

void frmProekt::checkForEmptyFrame()
{
    if (!isVisible() && m_commands.files().docs().OpenDocCount == 0 && !(m_commands.exiting && m_commands.exiting()))
        m_commands.files().FileNewM();
}
