#include "tags/TagMarks.h"
#include "editing/DocWindow.h"
#include "platform/EditControl.h"
#include "tags/TagMatch.h"

#include <QTextCursor>

namespace {

// How far back from the caret its tag's "<" is looked for before any scan.
constexpr int NameReach = 256;
// How far past the caret the end of a closing tag may be.
constexpr int TagReach = 4096;

QColor markColour(const QPalette &p)
{
    const QColor base = p.color(QPalette::Base), mark = p.color(QPalette::Highlight);
    const auto mix = [](int a, int b) { return (3 * a + b) / 4; };
    return QColor(mix(base.red(), mark.red()), mix(base.green(), mark.green()), mix(base.blue(), mark.blue()));
}

} // namespace

TagMarks::TagMarks(DocWindow *doc) : QObject(doc), m_doc(doc)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(Pause);
    connect(&m_timer, &QTimer::timeout, this, &TagMarks::refresh);
    connect(doc->Rich(), &QPlainTextEdit::cursorPositionChanged, &m_timer, qOverload<>(&QTimer::start));
}

void TagMarks::clear()
{
    if (!m_shown)
        return;
    m_shown = false;
    m_doc->Rich()->setExtraSelections({});
}

void TagMarks::refresh()
{
    EditControl *e = m_doc->Rich();
    const int caret = e->selStart();
    if (e->selLength() > 0 || m_doc->document()->Script())
        return clear();
    // Is the caret in a tag name at all? A look at the few characters before it.
    const int from = std::max(0, caret - NameReach);
    const QString head = e->textAt(from, caret - from);
    qsizetype i = head.size();
    while (i > 0 && MarkupTags::isNameChar(head[i - 1]))
        --i;
    const bool closing = i > 0 && head[i - 1] == u'/';
    if (closing)
        --i;
    if (i == 0 || head[i - 1] != u'<')
        return clear();
    const MarkupScan s = closing ? TagMatch::around(m_doc, caret, TagMatch::Reach, TagReach)
                                 : TagMatch::around(m_doc, caret, 0, TagMatch::Reach);
    const int t = TagMatch::tagAtCaret(s, caret, true);
    const int p = s.partnerOf(t);
    if (p < 0)
        return clear();
    QList<QTextEdit::ExtraSelection> marks;
    for (int k : {t, p}) {
        QTextEdit::ExtraSelection m;
        m.cursor = QTextCursor(e->document());
        m.cursor.setPosition(e->toDocPos(s.tags[size_t(k)].start));
        m.cursor.setPosition(e->toDocPos(s.tags[size_t(k)].end), QTextCursor::KeepAnchor);
        m.format.setBackground(markColour(e->palette()));
        marks << m;
    }
    e->setExtraSelections(marks);
    m_shown = true;
}
