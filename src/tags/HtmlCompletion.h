#pragma once
#include "editing/SyntaxTokenizer.h"

#include <QString>
#include <QStringList>

// What completion offers at the caret of a page: the attributes of the tag
// being written (after its name and a blank), the values of an enumerated
// attribute (inside its quoted value), or element names (after "<" and a
// letter). Nothing in comments, scripts, style sheets or end tags.
namespace HtmlCompletion {

// How far back from the caret the text is read at most (plus the rest of the
// line piece where a known state starts).
constexpr int LookBack = 4096;

enum class Kind { None, Attribute, Value, Element };

struct Offer {
    Kind kind = Kind::None;
    int from = 0;           // the typed prefix [from, caret) the choice replaces
    QString prefix;
    QString element;        // the tag's element (lower case)
    QString attribute;      // Value: the attribute whose value it is
    QStringList choices;    // the names or values that start with the prefix
};

// before: the text up to the caret, starting in context from at text position
// offset (a line start whose tokenizer state is known, or a guess read as page
// text); next: the character after the caret (none at the end of the text).
// elements: offer element names after "<".
Offer at(const QString &before, SyntaxContext from, int offset, QChar next, bool elements);

} // namespace HtmlCompletion
