#pragma once
#include "editing/SyntaxTokenizer.h"

#include <QString>
#include <QStringView>
#include <vector>

// One tag of a page's text: "<name ...>" or "</name>".
struct MarkupTag {
    int start = 0;       // the "<"
    int end = 0;         // after the ">"
    int nameStart = 0;
    int nameLength = 0;
    bool closing = false;
    bool selfClosing = false;  // "<br/>": no partner
};

// The tags of a stretch of a page, read in one pass (linear): comments,
// doctypes, attribute values and the text of scripts and style sheets hold none.
struct MarkupScan {
    std::vector<MarkupTag> tags;
    SyntaxContext end = SyntaxContext::Text;  // where the stretch ends
    int openTag = -1;         // start of a tag still open at the end (end is Tag or AttributeValue)
    bool openClosing = false; // ... and whether it is an end tag
    bool openSelfClosing = false; // ... and whether a ">" at the end would end it as "<x/>"
    int offset = 0;           // text position of the stretch's first character
    QString text;             // the stretch

    // The tag holding pos (from its "<" up to its ">"), -1 when none.
    int tagAt(int pos) const;
    QStringView name(int tag) const;
    // The tag's partner: nesting of the same name counted, void elements and
    // "<x/>" have none; -1 when it is not in the stretch.
    int partnerOf(int tag) const;
    // The innermost element open at pos (its opening tag before pos, not closed
    // before pos), -1 when none.
    int innermostOpen(int pos) const;
    // The innermost element whose tags enclose [from, to]: its opening tag, and
    // the closing one in *closing; -1 when none.
    int enclosing(int from, int to, int *closing) const;
    // The elements open at pos, outermost first (opening tags ending at or before pos).
    std::vector<int> openAt(int pos) const;
};

namespace MarkupTags {

// Reads text, which starts in context from, at text position offset.
MarkupScan scan(const QString &text, SyntaxContext from, int offset);
// br, img, input, meta, link and the other elements that have no end tag.
bool isVoidElement(QStringView name);
// What a tag name is made of after its first letter, and the blanks inside a tag.
bool isNameChar(QChar c);
bool isSpace(QChar c);

} // namespace MarkupTags
