#include "tags/TagCommands.h"
#include "app/AppState.h"
#include "app/CommandRegistry.h"
#include "app/StartUp.h"
#include "editing/DocWindow.h"
#include "platform/Dialogs.h"
#include "platform/EditControl.h"
#include "platform/KeyboardLayouts.h"
#include "tags/BracketCheck.h"
#include "common/ColourText.h"
#include "tags/TagMenuSnippets.h"
#include "tags/FrmSelect.h"
#include "tags/frmBody.h"
#include "tags/frmCodeText.h"
#include "tags/frmFonts.h"
#include "tags/frmImg.h"
#include "tags/frmListTag.h"
#include "tags/frmTable.h"

#include <QApplication>
#include <QPointer>

namespace TagCommands {

namespace {
QPointer<frmListTag> g_list;
QPointer<frmCodeText> g_codeText;
QPointer<frmTable> g_table;
QPointer<frmFonts> g_fonts;
QPointer<frmImg> g_img;
QPointer<frmBody> g_body;
QPointer<FrmSelect> g_select;

// The editor of the active document while it shows its text; nullptr otherwise.
EditControl *activeEditor()
{
    DocWindow *d = app().docs.active();
    return d && d->editorVisible() ? d->Rich() : nullptr;
}

// Shows a tag dialog owned by the main frame: a new one loaded with the
// caption of its menu item, or the open one brought forward.
template <class Window>
void showDialog(QPointer<Window> &w, const char *menuItem)
{
    AppState &a = app();
    if (!activeEditor() || !a.ownerWindow())
        return;
    if (!w) {
        w = new Window(a.ownerWindow());
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->load(menuItem && a.commands ? a.commands->caption(QLatin1String(menuItem)) : QString());
    }
    w->show();
    w->raise();
    w->activateWindow();
}

frmListTag *listWindow()
{
    if (!g_list && app().ownerWindow()) {
        g_list = new frmListTag(app().ownerWindow());
        g_list->fill();
    }
    return g_list;
}
} // namespace

void buildCatalogue()
{
    app().catalogue = TagCatalogue::build();
    // The list window is made now, hidden, so the first "<" only shows it.
    if (g_list)
        g_list->fill();
    else
        listWindow();
}

void CodeFrm_Click(int item)
{
    if (item == 0) {
        if (!activeEditor())
            return;
        QApplication::processEvents();
        if (frmListTag *l = listWindow())
            l->showList();
    } else if (item == 1) {
        showDialog(g_table, "CodeFrm1");
    } else if (item == 2) {
        showDialog(g_fonts, "CodeFrm2");
    } else if (item == 3) {
        showDialog(g_img, "CodeFrm3");
    }
}

void CodeAhref_Click()
{
    if (EditControl *e = activeEditor())
        insertTagMenuItem(app().catalogue, TagMenuItem::Link, *e);
}

void CodeMediaHTML_Click(int item)
{
    if (EditControl *e = activeEditor())
        insertMediaItem(app().catalogue, item, *e);
}

void CodeFormsHTML_Click(int item)
{
    if (EditControl *e = activeEditor())
        insertFormsItem(app().catalogue, item, *e);
}

void CodeColor_Click()
{
    AppState &a = app();
    if (!activeEditor() || !a.dialogs)
        return;
    const QString colour = a.dialogs->selectColor();
    if (colour.isEmpty())
        return;
    if (EditControl *e = activeEditor()) {
        insertColourText(colour, *e);
        e->setFocus();
    }
}

void CodeTextTags_Click()
{
    AppState &a = app();
    if (!a.commands || !activeEditor())
        return;
    if (!g_codeText) {
        g_codeText = new frmCodeText(a.ownerWindow());
        g_codeText->setAttribute(Qt::WA_DeleteOnClose);
    }
    g_codeText->load(a.commands->caption(QStringLiteral("CodeTextTags")));
    g_codeText->show();
    g_codeText->raise();
    g_codeText->activateWindow();
}

void CodeFormsSelect_Click()
{
    showDialog(g_select, "CodeFormsSelect");
}

void showBodyDialog()
{
    showDialog(g_body, nullptr);
}

void FoundCloseTagM()
{
    AppState &a = app();
    EditControl *e = activeEditor();
    if (!e)
        return;
    const BracketCheckResult r = checkBrackets(e->text());
    if (r.kind != BracketCheckResult::Balanced) {
        e->setSelStart(r.selStart);
        e->setSelLength(r.selLength);
    }
    a.ask(a.message(r.messageEntry) + r.messageSuffix, r.boxStyle);
    e->setFocus();
}

void NewRaskladM()
{
    if (KeyboardLayouts *k = app().layouts)
        k->activateNext();
}

void performCatalogueEntry(int entry)
{
    AppState &a = app();
    EditControl *e = activeEditor();
    if (!e)
        return;
    const TagAction action = performEntry(a.catalogue, entry, *e);
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

void insertTypedTag(const QString &name)
{
    if (EditControl *e = activeEditor()) {
        insertUnknownTag(name, *e);
        e->setFocus();
    }
}

void install(CommandRegistry &f)
{
    for (int i = 0; i <= 3; ++i)
        f.onCommand(QStringLiteral("CodeFrm%1").arg(i), [i] { CodeFrm_Click(i); });
    f.onCommand(QStringLiteral("CodeAhref"), [] { CodeAhref_Click(); });
    for (int i = 0; i <= 2; ++i)
        f.onCommand(QStringLiteral("CodeMediaHTML%1").arg(i), [i] { CodeMediaHTML_Click(i); });
    for (int i = 0; i <= 1; ++i)
        f.onCommand(QStringLiteral("CodeFormsHTML%1").arg(i), [i] { CodeFormsHTML_Click(i); });
    f.onCommand(QStringLiteral("CodeColor"), [] { CodeColor_Click(); });
    f.onCommand(QStringLiteral("CodeFoundTags"), [] { FoundCloseTagM(); });
    f.onCommand(QStringLiteral("CodeTextTags"), [] { CodeTextTags_Click(); });
    f.onCommand(QStringLiteral("CodeFormsSelect"), [] { CodeFormsSelect_Click(); });
    f.onCommand(QStringLiteral("mnuEditNewRasklad"), [] { NewRaskladM(); });
    // Toolbar buttons B, I, U and the three alignments.
    for (int i = 0; i <= 2; ++i)
        f.onCommand(QStringLiteral("PicKnopki%1").arg(11 + i), [i] {
            insertBetweenTags(app().catalogue.InlineSnippets.value(i), 4);
        });
    for (int i = 0; i <= 2; ++i)
        f.onCommand(QStringLiteral("PicKnopki%1").arg(14 + i), [i] {
            insertBetweenTags(app().catalogue.PhraseSnippets.value(5 + i), 6);
        });
}

void insertBetweenTags(const QString &pair, int back)
{
    EditControl *e = activeEditor();
    if (!e || pair.isEmpty())
        return;
    e->setSelText(pair);
    e->setSelStart(qMax(0, e->selStart() - back));
    e->setFocus();
}

void showTagList()
{
    if (frmListTag *l = listWindow())
        l->showList();
}

} // namespace TagCommands
