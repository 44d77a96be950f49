#include "editing/EditorKeyRules.h"
#include "app/AppState.h"
#include "app/MainFrame.h"
#include "editing/DocWindow.h"
#include "platform/EditControl.h"
#include "platform/KeyboardLayouts.h"
#include "tags/TagMenuSnippets.h"

#include <QCursor>
#include <QKeyEvent>

std::function<void(DocWindow *)> EditorKeyRules::showTagList;

bool EditorKeyRules::keyDown(EditControl &edit, QKeyEvent *e)
{
    AppState &a = app();
    // A new keystroke: a character that an earlier rule meant to drop never came.
    a.SwallowKeyPress = 0;
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    const int key = (mods & Qt::ControlModifier) ? KeyboardLayouts::latinKey(e->key(), e->nativeScanCode()) : e->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;

    if (mods == Qt::ControlModifier) {
        if (key == Qt::Key_Space) {
            edit.setSelText(QStringLiteral("&nbsp;"));
            a.SwallowKeyPress = 2;
            return false;
        }
        if (enter) {
            insertQuickSnippet(a.catalogue, QuickSnippet::LineBreak, edit);
            a.SwallowKeyPress = 2;
            return false;
        }
        if (key == Qt::Key_B) {
            insertQuickSnippet(a.catalogue, QuickSnippet::Bold, edit);
            return true;
        }
        if (key >= Qt::Key_1 && key <= Qt::Key_6 && !(e->modifiers() & Qt::KeypadModifier)) {
            insertHeading(a.catalogue, 1 + (key - Qt::Key_1), edit);
            return true;
        }
        if (key == Qt::Key_Z) {
            if (m_doc->IzmT > 0)
                m_doc->Undo();
            return true;
        }
        if (key == Qt::Key_V) {
            if (a.main)
                a.main->mnuEditPaste_Click();
            return true;
        }
    }
    if (mods == Qt::ShiftModifier && key == Qt::Key_F10) {
        if (a.main)
            a.main->popupEditMenu(edit.mapToGlobal(edit.cursorRect().bottomLeft()));
        return true;
    }
    if (enter && m_doc->Script && mods != Qt::ControlModifier && mods != Qt::ShiftModifier) {
        const int s = edit.selStart();
        if (s > 2 && edit.textAt(s - 3, 3) == QLatin1String("');")) {
            edit.setSelText(QStringLiteral("\r\ndocument.write('');"));
            edit.setSelStart(s + 18);
            a.SwallowKeyPress = 2;
            return true;
        }
    }
    return false;
}

bool EditorKeyRules::keyPress(EditControl &edit, QChar ch)
{
    AppState &a = app();
    if (ch == u'<') {
        // The option is the menu item's check mark, however it was set.
        const bool listTags = a.main ? a.main->isChecked(QStringLiteral("mnuOptionsListTags")) : a.settings.ListTagsChecked;
        if (listTags) {
            if (showTagList)
                showTagList(m_doc);
            return true;
        }
        return false;
    }
    bool dropped = false;
    if (ch == u' ' && edit.selLength() == 3 && edit.selText() == QLatin1String("URL")) {
        edit.setSelText(QStringLiteral("http://www."));
        dropped = true;
    }
    if (a.SwallowKeyPress > 0) {
        a.SwallowKeyPress = 0;
        dropped = true;
    }
    return dropped;
}
