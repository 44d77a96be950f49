#include "tags/EditorKeyRules.h"
#include "common/Options.h"
#include "editing/DocWindow.h"
#include "platform/EditControl.h"
#include "platform/KeyboardLayouts.h"
#include "tags/TagMenuSnippets.h"

#include <QCursor>
#include <QKeyEvent>

bool EditorKeyRules::keyDown(EditControl &edit, QKeyEvent *e)
{
    // A new keystroke: a character that an earlier rule meant to drop never came.
    m_swallowKeyPress = 0;
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    const int key = (mods & Qt::ControlModifier) ? KeyboardLayouts::latinKey(e->key(), e->nativeScanCode()) : e->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;

    if (mods == Qt::ControlModifier) {
        if (key == Qt::Key_Space) {
            edit.setSelText(QStringLiteral("&nbsp;"));
            m_swallowKeyPress = 2;
            return false;
        }
        if (enter) {
            insertQuickSnippet(m_catalogue, QuickSnippet::LineBreak, edit);
            m_swallowKeyPress = 2;
            return false;
        }
        if (key == Qt::Key_B) {
            insertQuickSnippet(m_catalogue, QuickSnippet::Bold, edit);
            return true;
        }
        if (key >= Qt::Key_1 && key <= Qt::Key_6 && !(e->modifiers() & Qt::KeypadModifier)) {
            insertHeading(m_catalogue, 1 + (key - Qt::Key_1), edit);
            return true;
        }
        if (key == Qt::Key_Z) {
            // The same undo as the menu's and the toolbar's, with the same guard.
            m_doc->document()->Undo();
            return true;
        }
        if (key == Qt::Key_V) {
            m_doc->requestPaste();
            return true;
        }
    }
    if (mods == Qt::ShiftModifier && key == Qt::Key_F10) {
        m_doc->requestContextMenu(edit.mapToGlobal(edit.cursorRect().bottomLeft()));
        return true;
    }
    if (enter && m_doc->document()->Script() && mods != Qt::ControlModifier && mods != Qt::ShiftModifier) {
        const int s = edit.selStart();
        if (s > 2 && edit.textAt(s - 3, 3) == QLatin1String("');")) {
            edit.setSelText(QStringLiteral("\r\ndocument.write('');"));
            edit.setSelStart(s + 18);
            m_swallowKeyPress = 2;
            return true;
        }
    }
    return false;
}

bool EditorKeyRules::keyPress(EditControl &edit, QChar ch)
{
    if (ch == u'<') {
        if (m_listTags.value()) {
            m_doc->requestTagList();
            return true;
        }
        return false;
    }
    bool dropped = false;
    if (ch == u' ' && edit.selLength() == 3 && edit.selText() == QLatin1String("URL")) {
        edit.setSelText(QStringLiteral("http://www."));
        dropped = true;
    }
    if (m_swallowKeyPress > 0) {
        m_swallowKeyPress = 0;
        dropped = true;
    }
    return dropped;
}
