#include "tags/frmListTag.h"
#include "editing/DocTable.h"
#include "editing/DocWindow.h"
#include "platform/EditControl.h"
#include "platform/KeyboardLayouts.h"
#include "tags/TagCatalogue.h"
#include "tags/TagCommands.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QVBoxLayout>
#include <memory>

frmListTag::frmListTag(QWidget *owner, TagCommands &tags)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint), m_tags(tags)
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
    List1->addItems(m_tags.catalogue().SortedNames);
}

void frmListTag::showList(bool typedLessThan)
{
    m_typedLessThan = typedLessThan;
    placeNearCaret();
    show();
    raise();
    activateWindow();
    Text1->setFocus();
    // Some platforms (offscreen) never report activation of a tool window.
    if (!m_active)
        Form_Activate();
    // The desktop activates the list a little later; keys typed meanwhile
    // belong to it, not to the editor.
    catchKeys(QApplication::activeWindow() != this);
}

void frmListTag::catchKeys(bool on)
{
    if (on == m_catchingKeys)
        return;
    m_catchingKeys = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool frmListTag::redirectKey(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)
        return false;
    if (!watched->isWidgetType() || !parentWidget())
        return false;
    if (static_cast<QWidget *>(watched)->window() != parentWidget()->window())
        return false;
    if (type == QEvent::KeyPress) {
        std::unique_ptr<QKeyEvent> copy(static_cast<QKeyEvent *>(event)->clone());
        QCoreApplication::sendEvent(Text1, copy.get());
    } else {
        event->accept();  // no menu shortcut either: the key comes as a key press
    }
    return true;
}

void frmListTag::placeNearCaret()
{
    DocWindow *d = m_tags.docs().active();
    if (!d)
        return;
    EditControl *rich = d->Rich();
    QPoint at = rich->mapToGlobal(rich->cursorRect().bottomRight() + QPoint(2, 2));
    const QScreen *screen = rich->screen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        if (at.x() + width() > area.x() + area.width())
            at.setX(area.x() + area.width() - width());
        if (at.y() + height() > area.y() + area.height())
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
    // isActiveWindow() is also true for a tool window, even a hidden one, while
    // its owner is active: only the application's own active window counts.
    if (isVisible() && QApplication::activeWindow() == this) {
        m_gotActivation = true;
        catchKeys(false);
        if (!m_active)
            Form_Activate();
    } else if (m_active && m_gotActivation) {
        Form_Deactivate();
    }
}

void frmListTag::readLayout()
{
    KeyboardLayouts *k = m_tags.layouts();
    LayoutNumber = k ? KeyboardLayouts::layoutNumber(k->activeLayoutName()) : 409;
}

void frmListTag::Form_Activate()
{
    m_active = true;
    m_gotActivation = QApplication::activeWindow() == this;
    Text1->blockSignals(true);
    Text1->clear();
    Text1->blockSignals(false);
    m_typed.clear();
    List1->setCurrentRow(0);
    List1->setCurrentRow(-1);
    List1->clearSelection();
    List1->scrollToTop();
    // Names are typed in US English; the user's own layout comes back when the
    // list goes away.
    readLayout();
    m_layoutBefore.clear();
    KeyboardLayouts *k = m_tags.layouts();
    if (!k || LayoutNumber == 409)
        return;
    const QString before = k->activeLayoutName();
    for (int i = 0; i < 5 && LayoutNumber != 409; ++i) {
        k->activateNext();
        readLayout();
        if (k->activeLayoutName() == before)
            break;  // round the whole ring: there is no US English layout
    }
    if (LayoutNumber == 409)
        m_layoutBefore = before;
}

void frmListTag::Form_Deactivate()
{
    m_active = false;
    catchKeys(false);
    hide();
    const QString before = m_layoutBefore;
    m_layoutBefore.clear();
    KeyboardLayouts *k = m_tags.layouts();
    if (!k || before.isEmpty())
        return;
    readLayout();
    // A layout the user picked meanwhile stays.
    if (LayoutNumber != 409)
        return;
    for (int i = 0; i < 5 && k->activeLayoutName() != before; ++i)
        k->activateNext();
    readLayout();
}

void frmListTag::closeList()
{
    const bool wasActive = QApplication::activeWindow() == this;
    Form_Deactivate();
    // Not every window manager hands the keyboard back to the owner by itself.
    if (wasActive && parentWidget())
        parentWidget()->activateWindow();
}

void frmListTag::Text1_Change()
{
    const int caret = Text1->cursorPosition();
    const QString raw = Text1->text();
    const QString lower = raw.toLower();
    // The case as typed: what stayed keeps its old case, what came in is as typed.
    {
        const QString old = m_typed.toLower();
        qsizetype head = 0;
        while (head < old.size() && head < lower.size() && old[head] == lower[head])
            ++head;
        qsizetype tail = 0;
        while (tail < old.size() - head && tail < lower.size() - head
               && old[old.size() - 1 - tail] == lower[lower.size() - 1 - tail])
            ++tail;
        m_typed = m_typed.left(head) + raw.mid(head, lower.size() - head - tail) + m_typed.right(tail);
    }
    if (lower != Text1->text()) {
        Text1->blockSignals(true);
        Text1->setText(lower);
        Text1->setCursorPosition(caret);
        Text1->blockSignals(false);
    }
    const int row = m_tags.catalogue().rowForTypedText(lower);
    if (row < 0) {
        List1->setCurrentRow(-1);
        List1->clearSelection();
    } else {
        List1->setCurrentRow(row);
    }
}

bool frmListTag::eventFilter(QObject *watched, QEvent *event)
{
    if (m_catchingKeys && watched != Text1 && redirectKey(watched, event))
        return true;
    // The list keeps its keys: no menu shortcut of the main frame fires while it is up.
    if (watched == Text1 && event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
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
        // No entry wanted, but what was typed stays typed.
        handBack(nullptr);
        return true;
    case Qt::Key_Backspace:
        if (!Text1->text().isEmpty() || ke->modifiers() != Qt::NoModifier)
            return QWidget::eventFilter(watched, event);
        // Nothing typed after "<": as if taking the "<" back.
        closeList();
        m_tags.docs().focusActive();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (r >= 0) {
            insertRow(r);
        } else if (!Text1->text().isEmpty()) {
            const QString typed = Text1->text();
            closeList();
            m_tags.insertTypedTag(typed);
        }
        return true;
    default:
        break;
    }
    // A character no name goes on with ends the list: it and what came before go
    // into the page, and typing goes on there.
    const QString t = ke->text();
    if (t.size() == 1 && t[0] >= QChar(32) && t[0] != QChar(127)
        && !(ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) && !continuesName(t[0])) {
        handBack(ke);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool frmListTag::continuesName(QChar ch) const
{
    if (ch.isLetterOrNumber())
        return true;
    const QString lower = Text1->text().toLower();
    const int caret = Text1->cursorPosition();
    const QString next = lower.left(caret) + ch.toLower() + lower.mid(caret + Text1->selectedText().size());
    return m_tags.catalogue().rowForTypedText(next) >= 0;
}

void frmListTag::handBack(const QKeyEvent *key)
{
    const QString typed = (m_typedLessThan ? QStringLiteral("<") : QString()) + m_typed;
    closeList();
    m_tags.typeIntoEditor(typed, key);
}

void frmListTag::insertRow(int row)
{
    if (row < 0 || row >= m_tags.catalogue().TagListMap.size())
        return;
    closeList();
    m_tags.performCatalogueEntry(m_tags.catalogue().TagListMap[row]);
}
