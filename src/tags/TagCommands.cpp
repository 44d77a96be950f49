#include "tags/TagCommands.h"
#include "common/CommandNames.h"
#include "common/ColourText.h"
#include "common/Options.h"
#include "editing/DocTable.h"
#include "editing/DocWindow.h"
#include "lang/Messenger.h"
#include "platform/EditControl.h"
#include "platform/KeyboardLayouts.h"
#include "tags/BracketCheck.h"
#include "tags/DialogMarkup.h"
#include "tags/EditorKeyRules.h"
#include "tags/FrmSelect.h"
#include "tags/TagCatalogue.h"
#include "tags/TagMenuSnippets.h"
#include "tags/frmBody.h"
#include "tags/frmCodeText.h"
#include "tags/frmFonts.h"
#include "tags/frmImg.h"
#include "tags/frmListTag.h"
#include "tags/frmTable.h"

#include <QApplication>
#include <QKeyEvent>
#include <memory>

TagCommands::TagCommands(DocTable &docs, TagCatalogue &catalogue, Messenger &msg, KeyboardLayouts *layouts,
                         const BoolOption &listTags, CaptionLookup menuCaption, FileChooser openFile)
    : m_docs(docs), m_catalogue(catalogue), m_msg(msg), m_layouts(layouts), m_listTags(listTags),
      m_menuCaption(std::move(menuCaption)), m_openFile(std::move(openFile))
{
}

TagCommands::~TagCommands()
{
    // The windows belong to the main frame but hold this object: none may outlive it.
    delete m_list.data();
    delete m_codeText.data();
    delete m_table.data();
    delete m_fonts.data();
    delete m_img.data();
    delete m_body.data();
    delete m_select.data();
}

EditControl *TagCommands::activeEditor() const
{
    DocWindow *d = m_docs.active();
    return d && d->editorVisible() ? d->Rich() : nullptr;
}

QString TagCommands::menuCaption(const QString &command) const
{
    return m_menuCaption ? m_menuCaption(command) : QString();
}

QString TagCommands::chooseFile(const QList<FileFilter> &filter) const
{
    return m_openFile ? m_openFile(filter) : QString();
}

// Shows a tag dialog owned by the main frame: a new one loaded with the
// caption of its menu item, or the open one brought forward.
template <class Window>
void TagCommands::showDialog(QPointer<Window> &w, const char *menuItem)
{
    if (!activeEditor() || !m_msg.owner())
        return;
    if (!w) {
        w = new Window(m_msg.owner(), *this);
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->load(menuItem ? menuCaption(QLatin1String(menuItem)) : QString());
    }
    w->show();
    w->raise();
    w->activateWindow();
}

frmListTag *TagCommands::listWindow()
{
    if (!m_list && m_msg.owner()) {
        m_list = new frmListTag(m_msg.owner(), *this);
        m_list->fill();
    }
    return m_list;
}

void TagCommands::buildCatalogue()
{
    m_catalogue = TagCatalogue::build();
    // The list window is made now, hidden, so the first "<" only shows it.
    if (m_list)
        m_list->fill();
    else
        listWindow();
}

void TagCommands::attachEditor(DocWindow *d)
{
    d->Rich()->installBehaviour(std::make_unique<EditorKeyRules>(d, m_catalogue, m_listTags));
    connect(d, &DocWindow::tagListRequested, this, [this](DocWindow *) { showTagList(true); });
}

void TagCommands::CodeFrm_Click(int item)
{
    if (item == 0) {
        if (!activeEditor())
            return;
        QApplication::processEvents();
        if (frmListTag *l = listWindow())
            l->showList();
    } else if (item == 1) {
        showDialog(m_table, Cmd::CodeFrm1.data());
    } else if (item == 2) {
        showDialog(m_fonts, Cmd::CodeFrm2.data());
    } else if (item == 3) {
        showDialog(m_img, Cmd::CodeFrm3.data());
    }
}

void TagCommands::CodeAhref_Click()
{
    if (EditControl *e = activeEditor())
        insertTagMenuItem(m_catalogue, TagMenuItem::Link, *e);
}

void TagCommands::CodeMediaHTML_Click(int item)
{
    if (EditControl *e = activeEditor())
        insertMediaItem(m_catalogue, item, *e);
}

void TagCommands::CodeFormsHTML_Click(int item)
{
    if (EditControl *e = activeEditor())
        insertFormsItem(m_catalogue, item, *e);
}

void TagCommands::CodeColor_Click()
{
    if (!activeEditor())
        return;
    const QString colour = m_msg.dialogs().selectColor();
    if (colour.isEmpty())
        return;
    if (EditControl *e = activeEditor()) {
        insertColourText(colour, *e);
        e->setFocus();
    }
}

void TagCommands::CodeTextTags_Click()
{
    if (!activeEditor())
        return;
    if (!m_codeText) {
        m_codeText = new frmCodeText(m_msg.owner(), *this);
        m_codeText->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_codeText->load(menuCaption(QString(Cmd::CodeTextTags)));
    m_codeText->show();
    m_codeText->raise();
    m_codeText->activateWindow();
}

void TagCommands::CodeFormsSelect_Click()
{
    showDialog(m_select, Cmd::CodeFormsSelect.data());
}

void TagCommands::showBodyDialog()
{
    showDialog(m_body, nullptr);
}

void TagCommands::FoundCloseTagM()
{
    EditControl *e = activeEditor();
    if (!e)
        return;
    const BracketCheckResult r = checkBrackets(e->text());
    if (r.kind != BracketCheckResult::Balanced) {
        e->setSelStart(r.selStart);
        e->setSelLength(r.selLength);
    }
    m_msg.ask(m_msg.message(r.messageEntry) + r.messageSuffix, r.boxStyle);
    e->setFocus();
}

void TagCommands::NewRaskladM()
{
    if (m_layouts)
        m_layouts->activateNext();
}

void TagCommands::performCatalogueEntry(int entry)
{
    EditControl *e = activeEditor();
    if (!e)
        return;
    const TagAction action = performEntry(m_catalogue, entry, *e);
    switch (action) {
    case TagAction::Colour:
        CodeColor_Click();
        break;
    // A dialog that opens keeps the focus.
    case TagAction::Table:
        return CodeFrm_Click(1);
    case TagAction::Font:
        return CodeFrm_Click(2);
    case TagAction::Image:
        return CodeFrm_Click(3);
    case TagAction::Body:
        return showBodyDialog();
    case TagAction::SelectList:
        return CodeFormsSelect_Click();
    case TagAction::None:
        break;
    }
    if (EditControl *again = activeEditor())
        again->setFocus();
}

void TagCommands::insertTypedTag(const QString &name)
{
    if (EditControl *e = activeEditor()) {
        insertUnknownTag(name, *e);
        e->setFocus();
    }
}

void TagCommands::typeIntoEditor(const QString &text, const QKeyEvent *key)
{
    EditControl *e = activeEditor();
    if (!e)
        return;
    if (!text.isEmpty())
        e->setSelText(text);
    if (key) {
        std::unique_ptr<QKeyEvent> copy(key->clone());
        QCoreApplication::sendEvent(e, copy.get());
    }
    e->setFocus();
}

void TagCommands::insertBetweenTags(const QString &pair, int back)
{
    EditControl *e = activeEditor();
    if (!e || pair.isEmpty())
        return;
    e->setSelText(pair);
    e->setSelStart(qMax(0, e->selStart() - back));
    e->setFocus();
}

void TagCommands::insertToolbarTags(int button)
{
    if (button >= 0 && button <= 2)
        insertBetweenTags(m_catalogue.InlineSnippets.value(button), 4);
    else if (button >= 3 && button <= 5)
        insertBetweenTags(m_catalogue.PhraseSnippets.value(5 + button - 3), 6);
}

void TagCommands::showTagList(bool typedLessThan)
{
    if (frmListTag *l = listWindow())
        l->showList(typedLessThan);
}

void TagCommands::insertMarkup(const DialogMarkup &markup)
{
    DocWindow *d = m_docs.OpenDocCount > 0 ? m_docs.active() : nullptr;
    if (!d)
        return;
    applyDialogMarkup(markup, d->Rich(), !d->editorVisible());
    d->focusView();
}
