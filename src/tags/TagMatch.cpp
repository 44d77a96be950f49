#include "tags/TagMatch.h"
#include "editing/DocWindow.h"
#include "editing/SyntaxHighlighter.h"
#include "platform/EditControl.h"

#include <QTextBlock>

namespace {

// Without a known state the stretch starts this far back at least, read as page text.
constexpr int GuessReach = 64 * 1024;
// How far further back than asked a line starting outside a tag is looked for.
constexpr int StateSearch = 16 * 1024;

bool inTag(SyntaxContext c) { return c == SyntaxContext::Tag || c == SyntaxContext::AttributeValue; }

} // namespace

namespace TagMatch {

MarkupScan around(const DocWindow *doc, int pos, int before, int after)
{
    const EditControl *e = doc->Rich();
    const int length = e->textLength();
    pos = std::clamp(pos, 0, length);
    if (doc->document()->Script())
        return MarkupTags::scan(QString(), SyntaxContext::Text, pos);
    const int earliest = std::max(0, pos - std::max(0, before));
    int start = std::max(0, pos - std::max(before, GuessReach));
    SyntaxContext context = SyntaxContext::Text;
    if (const SyntaxHighlighter *h = doc->highlighter()) {
        const int limit = earliest - StateSearch;
        for (QTextBlock b = e->document()->findBlock(e->toDocPos(earliest)); b.isValid(); b = b.previous()) {
            const int blockStart = e->fromDocPos(b.position());
            if (blockStart < limit)
                break;
            const int state = h->knownStartState(b);
            if (state >= 0 && !inTag(SyntaxTokenizer::contextOf(state))) {
                start = blockStart;
                context = SyntaxTokenizer::contextOf(state);
                break;
            }
        }
    }
    const int end = std::min(length, pos + std::max(0, after));
    return MarkupTags::scan(e->textAt(start, end - start), context, start);
}

int tagAtCaret(const MarkupScan &scan, int pos, bool nameOnly)
{
    int t = scan.tagAt(pos);
    if (t < 0 && pos > 0)
        t = scan.tagAt(pos - 1);  // just after its ">"
    if (t < 0)
        return -1;
    const MarkupTag &tag = scan.tags[size_t(t)];
    if (nameOnly && (pos <= tag.start || pos > tag.nameStart + tag.nameLength))
        return -1;
    return t;
}

bool jumpToPartner(DocWindow *doc)
{
    EditControl *e = doc->Rich();
    const int caret = e->selStart() + e->selLength();
    const MarkupScan s = around(doc, caret, Reach, Reach);
    const int p = s.partnerOf(tagAtCaret(s, caret, false));
    if (p < 0)
        return false;
    e->setSelStart(s.tags[size_t(p)].nameStart);
    e->ensureCursorVisible();
    return true;
}

bool selectElement(DocWindow *doc)
{
    EditControl *e = doc->Rich();
    const int from = e->selStart(), to = from + e->selLength();
    const MarkupScan s = around(doc, from, Reach, Reach + (to - from));
    int first = -1, last = -1;
    if (from == to) {
        const int t = tagAtCaret(s, from, false);
        const int p = s.partnerOf(t);
        if (p >= 0) {
            first = std::min(t, p);
            last = std::max(t, p);
        } else if (t >= 0 && !s.tags[size_t(t)].closing
                   && (s.tags[size_t(t)].selfClosing || MarkupTags::isVoidElement(s.name(t)))) {
            first = last = t;  // <br>, <img ...>, <x/>: the tag is the element
        }
    }
    if (first < 0)
        first = s.enclosing(from, to, &last);
    if (first < 0)
        return false;
    const int start = s.tags[size_t(first)].start;
    e->setSelStart(start);
    e->setSelLength(s.tags[size_t(last)].end - start);
    return true;
}

} // namespace TagMatch
