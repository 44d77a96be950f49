#include "tags/CompletionPopup.h"
#include "common/Options.h"
#include "editing/DocWindow.h"
#include "editing/SyntaxHighlighter.h"
#include "platform/EditControl.h"
#include "platform/EditorBehaviour.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>

// Hands the editor's keys to the list while it is up.
class CompletionKeys : public EditorBehaviour {
public:
    explicit CompletionKeys(CompletionPopup *popup) : m_popup(popup) {}
    bool keyDown(EditControl &, QKeyEvent *e) override { return m_popup && m_popup->keyDown(e); }
    bool keyPress(EditControl &, QChar ch) override
    {
        // Enter and Tab bring no list: only what continues or begins a name or a value.
        if (m_popup && ch >= QChar(32) && ch != QChar(127))
            m_popup->typed();
        return false;
    }

private:
    QPointer<CompletionPopup> m_popup;
};

namespace {

constexpr int VisibleRows = 10;

bool inTag(SyntaxContext c) { return c == SyntaxContext::Tag || c == SyntaxContext::AttributeValue; }

} // namespace

CompletionPopup::CompletionPopup(DocWindow *doc, const BoolOption &on, const BoolOption &listTags)
    : QObject(doc), m_doc(doc), m_on(on), m_listTags(listTags)
{
    EditControl *e = doc->Rich();
    e->installBehaviour(std::make_unique<CompletionKeys>(this));
    e->installEventFilter(this);
    connect(e, &EditControl::changed, this, &CompletionPopup::onChanged);
    connect(e, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        const EditControl *ed = m_doc->Rich();
        if (shown() && !m_inserting && (ed->selStart() != m_caret || ed->selLength() > 0))
            hide();
    });
    connect(&on, &BoolOption::changed, this, [this](bool value) {
        if (!value)
            hide();
    });
}

QListWidget *CompletionPopup::list()
{
    // Made when first shown: most windows never show it.
    if (!lstComplete) {
        lstComplete = new QListWidget(m_doc->Rich());
        lstComplete->setObjectName(QStringLiteral("lstComplete"));
        // Never takes the keyboard: the editor keeps it, so no keystroke can be lost here.
        lstComplete->setFocusPolicy(Qt::NoFocus);
        lstComplete->viewport()->setFocusPolicy(Qt::NoFocus);
        lstComplete->setSelectionMode(QAbstractItemView::SingleSelection);
        lstComplete->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        lstComplete->hide();
        connect(lstComplete, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { insert(lstComplete->row(item)); });
    }
    return lstComplete;
}

bool CompletionPopup::shown() const { return lstComplete && lstComplete->isVisible(); }

void CompletionPopup::hide()
{
    if (lstComplete)
        lstComplete->hide();
    m_offer = {};
    m_caret = -1;
}

void CompletionPopup::onChanged()
{
    const bool look = m_typed || shown();
    m_typed = false;
    if (look && !m_inserting)
        check();
}

void CompletionPopup::check(bool engaged)
{
    EditControl *e = m_doc->Rich();
    if (!m_on.value() || m_doc->document()->Script() || e->selLength() > 0 || !e->isVisible())
        return hide();
    const int caret = e->selStart();
    // From the nearest line start the highlighter knows (outside a tag) within
    // LookBack; else the text LookBack back, read as page text.
    int start = std::max(0, caret - HtmlCompletion::LookBack);
    SyntaxContext context = SyntaxContext::Text;
    if (const SyntaxHighlighter *h = m_doc->highlighter()) {
        for (QTextBlock b = e->document()->findBlock(e->toDocPos(caret)); b.isValid(); b = b.previous()) {
            const int blockStart = e->fromDocPos(b.position());
            const int state = h->knownStartState(b);
            if (state >= 0 && !inTag(SyntaxTokenizer::contextOf(state))) {
                start = blockStart;
                context = SyntaxTokenizer::contextOf(state);
                break;
            }
            if (blockStart <= caret - HtmlCompletion::LookBack)
                break;
        }
    }
    const QString after = e->textAt(caret, 1);
    m_offer = HtmlCompletion::at(e->textAt(start, caret - start), context, start, after.isEmpty() ? QChar() : after[0],
                                 !m_listTags.value());
    if (m_offer.kind == HtmlCompletion::Kind::None)
        return hide();
    m_caret = caret;
    m_engaged = engaged;
    list()->clear();
    lstComplete->addItems(m_offer.choices);
    lstComplete->setCurrentRow(0);
    place();
    lstComplete->show();
    lstComplete->raise();
}

void CompletionPopup::place()
{
    EditControl *e = m_doc->Rich();
    const int rowHeight = std::max(1, lstComplete->sizeHintForRow(0));
    const int rows = std::min(VisibleRows, lstComplete->count());
    int width = lstComplete->sizeHintForColumn(0) + 2 * lstComplete->frameWidth() + 8;
    if (lstComplete->count() > rows)
        width += lstComplete->verticalScrollBar()->sizeHint().width();
    const QSize size(std::clamp(width, 80, std::max(80, e->width() / 2)), rows * rowHeight + 2 * lstComplete->frameWidth());
    const QRect caret = e->cursorRect().translated(e->viewport()->pos());
    QPoint at = caret.bottomLeft() + QPoint(0, 2);
    if (at.y() + size.height() > e->height() && caret.top() - size.height() >= 0)
        at.setY(caret.top() - size.height() - 2);
    at.setX(std::clamp(at.x(), 0, std::max(0, e->width() - size.width())));
    lstComplete->setGeometry(QRect(at, size));
}

void CompletionPopup::insert(int row)
{
    if (!shown() || row < 0 || row >= lstComplete->count())
        return;
    EditControl *e = m_doc->Rich();
    const QString choice = lstComplete->item(row)->text();
    const HtmlCompletion::Offer offer = m_offer;
    hide();
    const int caret = e->selStart();
    if (caret < offer.from)
        return;
    QString text = choice;
    int back = 0;  // the caret this far before the end of the text
    if (offer.kind == HtmlCompletion::Kind::Attribute) {
        text += QStringLiteral("=\"\"");
        back = 1;
    }
    m_inserting = true;
    // One change: one undo step.
    e->setSelStart(offer.from);
    e->setSelLength(caret - offer.from);
    e->setSelText(text);
    if (back > 0)
        e->setSelStart(offer.from + int(text.size()) - back);
    m_inserting = false;
    // Inside a new value: its choices, when it has any.
    check(true);
}

bool CompletionPopup::keyDown(QKeyEvent *e)
{
    m_typed = false;
    if (!shown())
        return false;
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    const int key = e->key();
    if (key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta
        || key == Qt::Key_AltGr)
        return false;
    if (mods == Qt::NoModifier) {
        const int row = lstComplete->currentRow(), last = lstComplete->count() - 1;
        int to = -1;
        switch (key) {
        case Qt::Key_Up: to = std::max(0, row - 1); break;
        case Qt::Key_Down: to = std::min(last, row + 1); break;
        case Qt::Key_PageUp: to = std::max(0, row - VisibleRows); break;
        case Qt::Key_PageDown: to = std::min(last, row + VisibleRows); break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
            if (!m_engaged && m_offer.prefix.isEmpty()) {
                hide();
                return false;
            }
            insert(row);
            return true;
        case Qt::Key_Escape: hide(); return true;
        case Qt::Key_Backspace:
        case Qt::Key_Delete: m_typed = true; return false;  // the list follows the change
        default: break;
        }
        if (to >= 0) {
            lstComplete->setCurrentRow(to);
            m_engaged = true;
            return true;
        }
    }
    // A typed character goes into the page and the list follows it; any other key closes the list.
    const QString t = e->text();
    const bool typesText = !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) && !t.isEmpty()
        && t.front() >= QChar(32) && t.front() != QChar(127);
    if (!typesText)
        hide();
    return false;
}

bool CompletionPopup::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut || event->type() == QEvent::Hide || event->type() == QEvent::Resize)
        hide();
    return QObject::eventFilter(watched, event);
}
