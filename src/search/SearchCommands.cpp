#include "search/SearchCommands.h"
#include "common/CommandNames.h"
#include "editing/DocTable.h"
#include "editing/DocWindow.h"
#include "lang/Messenger.h"
#include "platform/EditControl.h"
#include "search/DocFoundTextM.h"
#include "search/ReplaceInDocument.h"
#include "search/frmFind.h"
#include "search/frmFoundLine.h"

SearchCommands::SearchCommands(DocTable &docs, SearchState &search, const Messenger &msg, const Settings &settings)
    : m_docs(docs), m_search(search), m_msg(msg), m_settings(settings)
{
}

SearchCommands::~SearchCommands()
{
    // The windows hold a reference to this object; their owner may outlive it.
    delete m_foundLine.data();
    delete m_find.data();
}

frmFind *SearchCommands::findWindow() const
{
    return m_find;
}

frmFoundLine *SearchCommands::goToLineWindow() const
{
    return m_foundLine;
}

QString SearchCommands::commandCaption(const QString &name, const QString &fallback) const
{
    return m_captionOf ? m_captionOf(name) : fallback;
}

void SearchCommands::showFindWindow(bool replace)
{
    QWidget *owner = m_msg.owner();
    if (!owner || !m_docs.active())
        return;
    // One window, hidden when it closes; load() prepares it as new unless it is shown.
    if (!m_find)
        m_find = new frmFind(*this, owner);
    m_find->load(replace ? frmFind::Mode::Replace : frmFind::Mode::Find);
    m_find->show();
    m_find->raise();
    m_find->activateWindow();
}

void SearchCommands::mnuEditFind_Click(int index)
{
    if (index == 1 && !m_search.FindStartText.isEmpty()) {
        DocFoundTextM();
        return;
    }
    showFindWindow(index == 2);
}

void SearchCommands::DocFoundTextM()
{
    DocWindow *d = m_docs.active();
    if (!d)
        return;
    EditControl *e = d->Rich();
    const FindResult r = ::DocFoundTextM(e->text(), m_search);
    if (r.found) {
        e->setSelStart(r.selStart);
        e->setSelLength(r.selLength);
    }
    m_docs.focusActive();
    if (r.messageEntry != 0) {
        m_msg.ask(m_msg.message(r.messageEntry), r.boxStyle);
        m_docs.focusActive();
    }
}

int SearchCommands::ReplaceInDocument(DocWindow *doc, bool all)
{
    if (!doc || doc->UnloadDoc())
        return 0;
    EditControl *e = doc->Rich();
    const ReplaceResult r = ::ReplaceInDocument(e->text(), m_search, all);
    if (r.count == 0)
        return 0;
    // One replacement of the range from the first span to the end of the last,
    // recorded as the editor's own change: one undo step gives the old text back.
    // Replace all leaves the caret at the first replacement, once after the one.
    doc->document()->beginUndoGroup();
    e->applyChange(r.change, all ? r.change.pos : -1);
    doc->document()->compactLastChange(r.spans, m_search.ReplaceText);
    doc->document()->endUndoGroup();
    return r.count;
}

void SearchCommands::CodeFoundLine_Click()
{
    DocWindow *d = m_docs.active();
    QWidget *owner = m_msg.owner();
    if (!d || !d->editorVisible() || !owner)
        return;
    auto *w = new frmFoundLine(m_docs, m_msg, owner);
    w->setAttribute(Qt::WA_DeleteOnClose);
    m_foundLine = w;
    w->load(commandCaption(QString(Cmd::CodeFoundLine)));
    w->show();
    w->raise();
    w->activateWindow();
}
