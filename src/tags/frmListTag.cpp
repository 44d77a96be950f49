#include "tags/frmListTag.h"
#include "app/AppState.h"
#include "app/MainFrame.h"
#include "editing/DocWindow.h"
#include "editing/EditorOptions.h"
#include "platform/EditControl.h"
#include "platform/KeyboardLayouts.h"
#include "tags/TagCommands.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QVBoxLayout>

frmListTag::frmListTag(QWidget *owner) : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmListTag"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(1);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    // Clicks select rows; the keyboard stays in Text1.
    List1->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(Text1);
    layout->addWidget(List1);
    resize(200, 240);
    Text1->installEventFilter(this);
    connect(Text1, &QLineEdit::textChanged, this, &frmListTag::Text1_Change);
    connect(List1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) { insertRow(List1->row(item)); });
}

void frmListTag::fill()
{
    List1->clear();
    List1->addItems(app().catalogue.SortedNames);
}

void frmListTag::showList()
{
    placeNearCaret();
    show();
    raise();
    activateWindow();
    Text1->setFocus();
    // Some platforms (offscreen) never report activation of a tool window.
    if (!m_active)
        Form_Activate();
}

void frmListTag::placeNearCaret()
{
    DocWindow *d = app().docs.active();
    if (!d)
        return;
    EditControl *rich = d->Rich();
    QPoint at = rich->mapToGlobal(rich->cursorRect().bottomRight() + QPoint(2, 2));
    const QScreen *screen = rich->screen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        if (at.x() + width() > area.right())
            at.setX(area.right() - width());
        if (at.y() + height() > area.bottom())
            at.setY(rich->mapToGlobal(rich->cursorRect().topLeft()).y() - height() - 2);
        at.setX(std::max(at.x(), area.left()));
        at.setY(std::max(at.y(), area.top()));
    }
    move(at);
}

void frmListTag::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    if (isActiveWindow()) {
        if (!m_active)
            Form_Activate();
    } else if (m_active) {
        Form_Deactivate();
    }
}

void frmListTag::readLayout()
{
    KeyboardLayouts *k = app().layouts;
    LayoutNumber = k ? KeyboardLayouts::layoutNumber(k->activeLayoutName()) : 409;
}

void frmListTag::Form_Activate()
{
    m_active = true;
    Text1->blockSignals(true);
    Text1->clear();
    Text1->blockSignals(false);
    List1->setCurrentRow(0);
    List1->setCurrentRow(-1);
    List1->clearSelection();
    List1->scrollToTop();
    if (DocWindow *d = app().docs.active())
        EditorOptions::applyFontTo(d);
    readLayout();
    if (KeyboardLayouts *k = app().layouts)
        for (int i = 0; i < 5 && LayoutNumber != 409; ++i) {
            k->activateNext();
            readLayout();
        }
}

void frmListTag::Form_Deactivate()
{
    m_active = false;
    hide();
    if (LayoutNumber == 409)
        return;
    if (KeyboardLayouts *k = app().layouts)
        for (int i = 0; i < 5; ++i) {
            k->activateNext();
            readLayout();
            if (LayoutNumber == 409)
                break;
        }
}

void frmListTag::Text1_Change()
{
    const int caret = Text1->cursorPosition();
    const QString lower = Text1->text().toLower();
    if (lower != Text1->text()) {
        Text1->blockSignals(true);
        Text1->setText(lower);
        Text1->setCursorPosition(caret);
        Text1->blockSignals(false);
    }
    const int row = app().catalogue.rowForTypedText(lower);
    if (row < 0) {
        List1->setCurrentRow(-1);
        List1->clearSelection();
    } else {
        List1->setCurrentRow(row);
    }
}

bool frmListTag::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != Text1 || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto *ke = static_cast<QKeyEvent *>(event);
    const int last = List1->count() - 1;
    const int r = List1->selectedItems().isEmpty() ? -1 : List1->currentRow();
    switch (ke->key()) {
    case Qt::Key_Up:
        if (r >= 1)
            List1->setCurrentRow(r - 1);
        return true;
    case Qt::Key_Down:
        if (r != last)
            List1->setCurrentRow(r + 1);
        return true;
    case Qt::Key_PageUp:
        if (r != -1)
            List1->setCurrentRow(r < 10 ? 0 : r - 10);
        return true;
    case Qt::Key_PageDown:
        if (r == last)
            return true;
        if (r == -1)
            List1->setCurrentRow(std::min(9, last));
        else
            List1->setCurrentRow(r <= last - 10 ? r + 10 : last);
        return true;
    case Qt::Key_Escape:
        Form_Deactivate();
        app().focusActiveEditor();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (r >= 0) {
            insertRow(r);
        } else if (!Text1->text().isEmpty()) {
            const QString typed = Text1->text();
            Form_Deactivate();
            TagCommands::insertTypedTag(typed);
        }
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void frmListTag::insertRow(int row)
{
    if (row < 0 || row >= app().catalogue.TagListMap.size())
        return;
    Form_Deactivate();
    TagCommands::performCatalogueEntry(app().catalogue.TagListMap[row]);
}
