#pragma once
#include <span>

// The data behind HtmlElements: today's HTML elements, their attributes and the
// values of the enumerated ones, as words separated by blanks.
namespace HtmlElementTable {

struct Element {
    const char *name;
    const char *attributes;   // the element's own, beside the global ones
};

struct Values {
    const char *elements;     // the elements the row is for; "*" for every element
    const char *attribute;
    const char *values;
};

std::span<const Element> elements();
std::span<const Values> values();
const char *globalAttributes();
// The event handler attributes of every element.
const char *eventAttributes();
// The window's event handler attributes, on body only.
const char *windowEventAttributes();

} // namespace HtmlElementTable
