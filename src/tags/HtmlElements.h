#pragma once
#include <QString>
#include <QStringList>
#include <QStringView>

// Today's HTML elements, their attributes and the values of the enumerated
// ones, for completing what is typed in a page. Names are matched in any case
// and given in lower case (values as written: "A" and "a" of ol type differ).
namespace HtmlElements {

// The element names, in alphabetical order.
const QStringList &elements();
bool isElement(QStringView name);
// The element's own attributes, then the global ones, then the event handlers
// (body: the window's as well). An element not in the table (a custom one)
// gets the global attributes and the event handlers.
QStringList attributesOf(QStringView element);
// The values of an enumerated attribute of element, the element's own row
// before the one for every element; empty for an attribute without a list.
QStringList valuesOf(QStringView element, QStringView attribute);

} // namespace HtmlElements
