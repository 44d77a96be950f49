#pragma once
#include <QString>
#include <QStringView>

// Elements of a page's source as the preview's document numbers them: the n-th
// element of a tag name in source order (what getElementsByTagName(name)[n] finds,
// as long as no script adds elements of that name before it). One pass over the
// text, linear; comments, declarations and the text of script, style, textarea and
// title are skipped, quotes inside tags honoured.
namespace PageElements {

struct Ref {
    QString tag;     // lower case; empty: none
    int index = -1;  // among the start tags of that name, from 0
    bool valid() const { return !tag.isEmpty() && index >= 0; }
};

// The innermost element whose start tag begins before pos and which is still
// open at pos (a start tag holding pos counts as its element).
Ref elementAt(QStringView text, qsizetype pos);
// Offset of the "<" of ref's start tag, or -1.
qsizetype startTagOffset(QStringView text, const Ref &ref);
// Whether pos is inside a tag being written: after a "<" that starts a tag and
// before its ">". Looks at most `reach` characters back and ahead.
bool insideTag(QStringView text, qsizetype pos, qsizetype reach = 4096);

} // namespace PageElements
