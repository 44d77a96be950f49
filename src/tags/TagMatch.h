#pragma once
#include "tags/MarkupTags.h"

class DocWindow;

// Tags near the caret of a page and the commands on them. Every lookup reads at
// most Reach characters each way, in one linear pass, so its cost does not grow
// with the document.
namespace TagMatch {

// How far from the caret the commands and the marks look, each way.
constexpr int Reach = 256 * 1024;

// The tags around pos, from at least before characters back to after on. The
// stretch starts at a line whose tokenizer state the highlighter knows (outside
// any tag) where it can, else a guess far enough back read as page text. A
// script document holds no tags.
MarkupScan around(const DocWindow *doc, int pos, int before, int after);

// The tag whose "<", "/" or name holds pos (nameOnly), or that holds pos
// anywhere from its "<" to its ">"; -1 when none.
int tagAtCaret(const MarkupScan &scan, int pos, bool nameOnly);

// Puts the caret on the name of the partner of the tag at the caret; false when
// the caret is in no tag or its partner is not within reach.
bool jumpToPartner(DocWindow *doc);
// Selects the element of the tag at the caret (both tags and what lies between),
// or else the innermost element around the selection, so pressing it again
// selects the enclosing one; false when there is none within reach.
bool selectElement(DocWindow *doc);

} // namespace TagMatch
