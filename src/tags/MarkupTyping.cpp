#include "tags/MarkupTyping.h"
#include "common/Options.h"
#include "editing/DocWindow.h"
#include "platform/EditControl.h"
#include "tags/TagMatch.h"

#include <QKeyEvent>

namespace {

// Indentation longer than this is not looked at.
constexpr int MaxIndent = 1024;

} // namespace

bool MarkupTyping::keyDown(EditControl &edit, QKeyEvent *e)
{
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (!enter || (e->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || !m_autoIndent.value())
        return false;
    const int caret = edit.selStart();
    const int lineStart = edit.lineStart(edit.lineAt(caret));
    const QString head = edit.textAt(lineStart, std::min(caret - lineStart, MaxIndent));
    qsizetype n = 0;
    while (n < head.size() && (head[n] == u' ' || head[n] == u'\t'))
        ++n;
    if (n == 0)
        return false;
    edit.setSelText(QStringLiteral("\r\n") + head.left(n));
    return true;
}

bool MarkupTyping::keyPress(EditControl &edit, QChar ch)
{
    if (!m_closeTags.value() || m_doc->document()->Script() || edit.selLength() > 0)
        return false;
    if (ch == u'>')
        return closeTag(edit);
    if (ch == u'/')
        return completeEndTag(edit);
    return false;
}

bool MarkupTyping::closeTag(EditControl &edit)
{
    const int caret = edit.selStart();
    const MarkupScan s = TagMatch::around(m_doc, caret, 0, 0);
    // Only the ">" that would end an opening tag: not in text, a comment, a
    // script, a style sheet or a quoted value.
    if (s.end != SyntaxContext::Tag || s.openTag < 0 || s.openClosing)
        return false;
    const QString &t = s.text;
    qsizetype i = s.openTag - s.offset + 1;
    const qsizetype nameStart = i;
    while (i < t.size() && MarkupTags::isNameChar(t[i]))
        ++i;
    const QStringView name = QStringView(t).mid(nameStart, i - nameStart);
    // "<x/>" has no end tag; "<a href=x/>" has, its "/" being part of the value.
    if (name.isEmpty() || MarkupTags::isVoidElement(name) || s.openSelfClosing)
        return false;
    const QString endTag = QStringLiteral("</") + name.toString() + u'>';
    // Typed again before an end tag already there: just the ">".
    if (edit.textAt(caret, int(endTag.size())).compare(endTag, Qt::CaseInsensitive) == 0)
        return false;
    // One change: one undo step takes the ">" and the end tag back together.
    edit.setSelText(u'>' + endTag);
    edit.setSelStart(caret + 1);
    return true;
}

bool MarkupTyping::completeEndTag(EditControl &edit)
{
    const int caret = edit.selStart();
    if (caret < 1 || edit.textAt(caret - 1, 1) != QLatin1String("<"))
        return false;
    const MarkupScan s = TagMatch::around(m_doc, caret - 1, TagMatch::Reach, 0);
    if (s.end != SyntaxContext::Text)
        return false;
    const int open = s.innermostOpen(caret - 1);
    if (open < 0)
        return false;
    edit.setSelText(u'/' + s.name(open).toString() + u'>');
    return true;
}
