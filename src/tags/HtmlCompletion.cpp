#include "tags/HtmlCompletion.h"
#include "tags/HtmlElements.h"
#include "tags/MarkupTags.h"

namespace {

using MarkupTags::isNameChar;
using MarkupTags::isSpace;

// What an attribute name may hold (beside the letters of a tag name: "accept-charset", "xml:lang", "@click").
bool isAttrChar(QChar c) { return isNameChar(c) || c == u'.' || c == u'@'; }

// The words of list that start with prefix, in any case; those in taken left out.
QStringList startingWith(const QStringList &list, const QString &prefix, const QStringList &taken = {})
{
    QStringList r;
    for (const QString &w : list)
        if (w.startsWith(prefix, Qt::CaseInsensitive) && !taken.contains(w, Qt::CaseInsensitive))
            r << w;
    return r;
}

// Where the end of an opening tag's text leaves the caret.
struct TagEnd {
    QString element;
    bool inName = false;       // still in the element's name
    QStringList attributes;    // those written so far
    bool attributeStart = false; // after a blank, where an attribute name may begin
    qsizetype nameFrom = -1;   // start of the attribute name being typed there
    qsizetype valueFrom = -1;  // inside a quoted value: its first character
    QString valueOf;           // ... and its attribute
};

// Reads t, "<name ..." up to the caret (no ">" in it outside quotes).
TagEnd readTag(QStringView t)
{
    TagEnd r;
    const qsizetype n = t.size();
    qsizetype i = 1;
    while (i < n && isNameChar(t[i]))
        ++i;
    r.element = t.mid(1, i - 1).toString().toLower();
    if (i == n) {
        r.inName = true;
        return r;
    }
    bool blank = false;
    QString last;  // the attribute name before an "="
    while (i < n) {
        const QChar c = t[i];
        if (isSpace(c)) {
            blank = true;
            ++i;
            continue;
        }
        if (c == u'=') {
            ++i;
            while (i < n && isSpace(t[i]))
                ++i;
            if (i == n)
                return r;  // the value is still to come
            const QChar q = t[i];
            if (q == u'"' || q == u'\'') {
                const qsizetype close = t.indexOf(q, i + 1);
                if (close < 0) {
                    r.valueFrom = i + 1;
                    r.valueOf = last;
                    return r;
                }
                i = close + 1;
            } else {
                while (i < n && !isSpace(t[i]))
                    ++i;
            }
            blank = false;
            continue;
        }
        if (isAttrChar(c)) {
            const qsizetype start = i;
            while (i < n && isAttrChar(t[i]))
                ++i;
            last = t.mid(start, i - start).toString();
            if (i == n) {
                if (blank) {
                    r.attributeStart = true;
                    r.nameFrom = start;
                }
                return r;
            }
            r.attributes << last;
            blank = false;
            continue;
        }
        // "/", a stray quote or anything else: no attribute begins right after it.
        blank = false;
        ++i;
    }
    if (blank) {
        r.attributeStart = true;
        r.nameFrom = n;
    }
    return r;
}

} // namespace

namespace HtmlCompletion {

Offer at(const QString &before, SyntaxContext from, int offset, QChar next, bool elements)
{
    Offer o;
    // The caret inside a word: nothing is offered until it stands at its end.
    if (!next.isNull() && isAttrChar(next))
        return o;
    const MarkupScan s = MarkupTags::scan(before, from, offset);
    if (s.openTag < 0 || s.openClosing)
        return o;
    const qsizetype tagStart = s.openTag - offset;
    const TagEnd t = readTag(QStringView(before).mid(tagStart));
    // Both readings agree on being inside a quoted value or not ("<a \"" is read as one).
    if ((s.end == SyntaxContext::AttributeValue) != (t.valueFrom >= 0))
        return o;
    o.element = t.element;
    if (t.inName) {
        if (!elements || t.element.isEmpty())
            return o;
        o.kind = Kind::Element;
        o.from = s.openTag + 1;
        o.prefix = before.mid(tagStart + 1);
        o.choices = startingWith(HtmlElements::elements(), o.prefix);
    } else if (t.attributeStart) {
        o.kind = Kind::Attribute;
        o.from = offset + int(tagStart + t.nameFrom);
        o.prefix = before.mid(tagStart + t.nameFrom);
        o.choices = startingWith(HtmlElements::attributesOf(t.element), o.prefix, t.attributes);
    } else if (t.valueFrom >= 0) {
        // A list of words ("noopener noreferrer"): the word being typed.
        qsizetype w = before.size();
        const qsizetype valueStart = tagStart + t.valueFrom;
        while (w > valueStart && !isSpace(before[w - 1]))
            --w;
        o.kind = Kind::Value;
        o.attribute = t.valueOf.toLower();
        o.from = offset + int(w);
        o.prefix = before.mid(w);
        o.choices = startingWith(HtmlElements::valuesOf(t.element, o.attribute), o.prefix);
    }
    if (o.choices.isEmpty() || (o.choices.size() == 1 && o.choices.front().compare(o.prefix, Qt::CaseInsensitive) == 0))
        o = Offer{};
    return o;
}

} // namespace HtmlCompletion
